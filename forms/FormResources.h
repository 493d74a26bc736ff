#pragma once

namespace kelvo::forms {

// Registers the form files and images compiled into this static library. The linker keeps a resource's
// registration only when something calls it; calling it more than once is harmless.
void InitFormResources();

} // namespace kelvo::forms
