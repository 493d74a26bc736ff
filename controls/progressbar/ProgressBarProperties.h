#pragma once

namespace kelvo::controls::progressbar {

// The font every instance starts with; it is not persisted.
inline constexpr char InitialFontName[] = "Tahoma";
inline constexpr float InitialFontSize = 8.0f;

} // namespace kelvo::controls::progressbar
