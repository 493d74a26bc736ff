#pragma once

namespace kelvo::controls {

// Registers the images compiled into this static library (state images, icons, window pictures). The
// linker keeps a resource's registration only when something calls it; calling it again is harmless.
void InitControlResources();

} // namespace kelvo::controls
