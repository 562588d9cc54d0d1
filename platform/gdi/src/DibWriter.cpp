#include "DibWriter.h"

namespace gdi::dib {

namespace {

constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dpi

}  // namespace

void put16(QByteArray& out, std::uint16_t v) {
    const char bytes[2] = {char(v & 0xFF), char((v >> 8) & 0xFF)};
    out.append(bytes, 2);
}

void put32(QByteArray& out, std::uint32_t v) {
    const char bytes[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF),
                           char((v >> 24) & 0xFF)};
    out.append(bytes, 4);
}

void putInfoHeader(QByteArray& out, std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
                   std::uint32_t imageBytes) {
    put32(out, kInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
    put16(out, 1);                                   // planes
    put16(out, bitsPerPixel);
    put32(out, 0);  // BI_RGB
    put32(out, imageBytes);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);  // colours used
    put32(out, 0);  // important colours
}

}  // namespace gdi::dib
