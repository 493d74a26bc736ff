#pragma once

#include <cstdint>

#include <QColor>
#include <QRgb>

namespace kelvo::gdi {

// A colour reference as the controls store it: 0x00BBGGRR (red in the low byte), or 0x800000nn naming
// system colour nn. Resolving a system reference needs a SysColours table; this type only carries the
// value. Conversions to and from Qt's 0xAARRGGBB live here and nowhere else.
class Colour {
public:
    constexpr Colour() = default;
    constexpr explicit Colour(std::uint32_t raw)
        : raw_(raw) {}

    static constexpr Colour FromRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return Colour(std::uint32_t{red} | (std::uint32_t{green} << 8) | (std::uint32_t{blue} << 16));
    }
    // The reference 0x800000nn to system colour nn.
    static constexpr Colour System(std::uint8_t index) { return Colour(0x80000000u | index); }

    constexpr std::uint32_t Raw() const { return raw_; }
    constexpr bool IsSystem() const { return (raw_ & 0xFF000000u) == 0x80000000u; }
    constexpr bool IsRgb() const { return (raw_ & 0xFF000000u) == 0; }
    constexpr std::uint8_t SystemIndex() const { return static_cast<std::uint8_t>(raw_ & 0xFFu); }

    constexpr std::uint8_t Red() const { return static_cast<std::uint8_t>(raw_ & 0xFFu); }
    constexpr std::uint8_t Green() const { return static_cast<std::uint8_t>((raw_ >> 8) & 0xFFu); }
    constexpr std::uint8_t Blue() const { return static_cast<std::uint8_t>((raw_ >> 16) & 0xFFu); }

    // The colour a true-colour surface paints for this value: the low 24 bits. A value whose top byte
    // the display cannot interpret (a system reference handed to a brush unresolved) is painted by its
    // low bytes, as the display does.
    constexpr Colour Rgb() const { return Colour(raw_ & 0x00FFFFFFu); }

    // Opaque Qt colour of the low 24 bits.
    constexpr QRgb ToQRgb() const {
        return 0xFF000000u | (std::uint32_t{Red()} << 16) | (std::uint32_t{Green()} << 8) | Blue();
    }
    // The alpha of a Qt colour is ignored: colour references have none.
    static constexpr Colour FromQRgb(QRgb rgb) {
        return FromRgb(static_cast<std::uint8_t>((rgb >> 16) & 0xFFu),
                       static_cast<std::uint8_t>((rgb >> 8) & 0xFFu), static_cast<std::uint8_t>(rgb & 0xFFu));
    }
    static Colour FromQColor(const QColor& colour);

    friend constexpr bool operator==(Colour a, Colour b) = default;

private:
    std::uint32_t raw_ = 0;
};

// What colour queries answer when there is no colour (GetPixel outside the surface, an untranslatable
// reference).
inline constexpr Colour CLR_INVALID{0xFFFFFFFFu};

} // namespace kelvo::gdi
