// What the bitmap file writer and the metafile recorder both write: little-endian fields, the
// BITMAPINFOHEADER of a device-independent bitmap.
#pragma once

#include <cstdint>

#include <QByteArray>

namespace gdi::dib {

inline constexpr std::uint32_t kInfoHeaderSize = 40;

void put16(QByteArray& out, std::uint16_t v);
void put32(QByteArray& out, std::uint32_t v);

// The header of an uncompressed (BI_RGB), bottom-up bitmap at 96 dpi.
void putInfoHeader(QByteArray& out, std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
                   std::uint32_t imageBytes);

}  // namespace gdi::dib
