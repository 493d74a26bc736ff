#pragma once

#include <cstdint>

#include <QString>

#include "platform/system/Clock.h"

namespace kelvo::settings {

// The program-wide values of the application shell.
struct ShellValues {
    // Folder of the executable, ending in exactly one "/".
    QString AppFolder;
    // The "Start Minimize" setting.
    bool StartMinimized = false;
    // The moment the timed interval is counted from (StartTime in seconds since midnight).
    system::StartMark Start;
};

} // namespace kelvo::settings
