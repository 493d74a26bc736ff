#pragma once

namespace kelvo::app {

// Builds the application objects, runs the start-up steps and the event loop; returns the exit status.
int RunKelvo(int argc, char** argv);

} // namespace kelvo::app
