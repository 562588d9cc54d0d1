#include "appchart/output/GifPalette.h"

#include <cassert>
#include <cstdlib>

namespace appchart {

namespace {

// Level number per channel value; built once, the mapping runs for every pixel.
std::array<std::uint8_t, 256> buildLevelTable() {
    std::array<std::uint8_t, 256> table{};
    for (int value = 0; value < 256; ++value) {
        int best = 0;
        for (int level = 1; level < GifPalette::kLevelCount; ++level) {
            // Strictly nearer only: a tie keeps the lower level.
            if (std::abs(value - GifPalette::kLevels[level]) < std::abs(value - GifPalette::kLevels[best])) {
                best = level;
            }
        }
        table[value] = static_cast<std::uint8_t>(best);
    }
    return table;
}

const std::array<std::uint8_t, 256>& levelTable() {
    static const std::array<std::uint8_t, 256> table = buildLevelTable();
    return table;
}

GifPalette::ColourTable buildColourTable() {
    GifPalette::ColourTable table{};  // entries past the cube stay black
    for (int index = 0; index < GifPalette::kCubeEntries; ++index) {
        table[index * 3 + 0] = GifPalette::kLevels[index % 5];
        table[index * 3 + 1] = GifPalette::kLevels[index / 5 % 5];
        table[index * 3 + 2] = GifPalette::kLevels[index / 25];
    }
    return table;
}

}  // namespace

const GifPalette::ColourTable& GifPalette::colourTable() {
    static const ColourTable table = buildColourTable();
    return table;
}

int GifPalette::levelOf(std::uint8_t channel) {
    return levelTable()[channel];
}

std::uint8_t GifPalette::indexOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const auto& level = levelTable();
    return static_cast<std::uint8_t>(level[blue] * 25 + level[green] * 5 + level[red]);
}

std::uint8_t GifPalette::indexOfColorRef(com::COLORREF colour) {
    return indexOf(static_cast<std::uint8_t>(colour & 0xFF), static_cast<std::uint8_t>((colour >> 8) & 0xFF),
                   static_cast<std::uint8_t>((colour >> 16) & 0xFF));
}

void GifPalette::mapRow(const QImage& rgb32, int row, std::span<std::uint8_t> out) {
    assert(rgb32.format() == QImage::Format_RGB32 || rgb32.format() == QImage::Format_ARGB32);
    assert(out.size() >= static_cast<std::size_t>(rgb32.width()));
    const auto* pixels = reinterpret_cast<const QRgb*>(rgb32.constScanLine(row));
    const auto& level = levelTable();
    for (int x = 0; x < rgb32.width(); ++x) {
        const QRgb p = pixels[x];
        out[x] = static_cast<std::uint8_t>(level[qBlue(p)] * 25 + level[qGreen(p)] * 5 + level[qRed(p)]);
    }
}

}  // namespace appchart
