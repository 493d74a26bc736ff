#pragma once

#include <cstdint>

// What a new 3-D frame starts with.
namespace kelvo::controls::frameprops {

// What a new frame's surface and caption label start with.
struct NewFrame {
    static constexpr std::uint32_t SurfaceFillColor = 0x00FFC19Fu;
    static constexpr std::int16_t SurfaceFillStyle = 1;
    static constexpr std::int16_t SurfaceDrawStyle = 0;
    static constexpr std::int16_t SurfaceMousePointer = 0;
    static constexpr char CaptionFontName[] = "MS Sans Serif";
    static constexpr float CaptionFontSize = 8.25f;
    static constexpr std::uint32_t CaptionForeColor = 0x80000012u;
};

// The setter of BevelWidth raises values below this; loading keeps them.
inline constexpr std::int32_t MinimumBevelWidth = 3;

} // namespace kelvo::controls::frameprops
