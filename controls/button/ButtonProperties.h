#pragma once

#include <cstdint>

// Fixed values of the button.
namespace kelvo::controls::button {

// New buttons: the colour of an unset mask, and the read-only version text.
inline constexpr std::int32_t DefaultMaskColor = 0xC0C0C0;
inline constexpr char ButtonVersion[] = "2.0.6 B";

// The cursor kinds the hand pointer switches between.
inline constexpr std::int16_t PointerArrow = 1;
inline constexpr std::int16_t PointerCustom = 99;

} // namespace kelvo::controls::button
