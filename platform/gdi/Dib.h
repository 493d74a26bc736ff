#pragma once

#include <cstdint>
#include <span>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

namespace kelvo::gdi {

// The 40-byte header of a device-independent bitmap. A positive height means rows stored bottom-up,
// a negative one top-down. Pixels are BGR (24 bits) or BGRX (32 bits), each row padded to 4 bytes.
struct BitmapInfoHeader {
    std::uint32_t biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 24;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

// Bytes in one stored row: width pixels of bitsPerPixel, padded to a multiple of 4; 0 when too large.
std::uint32_t DibRowBytes(std::int64_t width, int bitsPerPixel);

// Copies scan lines start .. start + lines - 1 (counted in the header's row order) of the bitmap into
// bits, laid out as the header says. With empty bits only fills in the header (32 bits per pixel, the
// bitmap's size, the image size) and returns 1. Returns the number of lines copied; 0 when the header
// is not a 40-byte uncompressed 24- or 32-bit one of the bitmap's width, or bits is too small.
int GetDIBits(DeviceContext& dc, const Bitmap& bitmap, std::uint32_t start, std::uint32_t lines,
              std::span<std::uint8_t> bits, BitmapInfoHeader& info, unsigned usage);

// Puts the part [sourceX, sourceX + width) x [sourceY, sourceY + height) of a DIB at (x, y) of the
// context; sourceY counts from the DIB's bottom for a bottom-up one. bits holds the scan lines
// startScan .. startScan + lines - 1 only. Returns the number of lines given, 0 on a bad header or
// too few bits.
int SetDIBitsToDevice(DeviceContext& dc, std::int32_t x, std::int32_t y, std::uint32_t width,
                      std::uint32_t height, std::int32_t sourceX, std::int32_t sourceY,
                      std::uint32_t startScan, std::uint32_t lines, std::span<const std::uint8_t> bits,
                      const BitmapInfoHeader& info, unsigned usage);

} // namespace kelvo::gdi
