// The fixed 256-colour table of the GIF writer and the mapping of true colours onto it.
//
// Entries 0-124 form a 5x5x5 colour cube, index = blue level x 25 + green level x 5 + red level,
// each level one of 0, 64, 128, 192, 255 (in that order); entries 125-255 are black. A colour maps
// to the nearest level in each channel separately, which, the cube being a full grid, is also the
// nearest cube colour. A channel value exactly half-way between two levels (32, 96, 160) takes the
// lower level.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include <QImage>

#include "com/Types.h"

namespace appchart {

class GifPalette {
public:
    static constexpr int kEntries = 256;
    static constexpr int kLevelCount = 5;
    static constexpr int kCubeEntries = kLevelCount * kLevelCount * kLevelCount;  // 125
    static constexpr std::array<std::uint8_t, kLevelCount> kLevels{0, 64, 128, 192, 255};

    // 256 entries of red, green, blue.
    using ColourTable = std::array<std::uint8_t, kEntries * 3>;

    static const ColourTable& colourTable();

    // Level number 0-4 nearest to a channel value.
    static int levelOf(std::uint8_t channel);

    static std::uint8_t indexOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    static std::uint8_t indexOf(QRgb colour) {
        return indexOf(static_cast<std::uint8_t>(qRed(colour)), static_cast<std::uint8_t>(qGreen(colour)),
                       static_cast<std::uint8_t>(qBlue(colour)));
    }
    // A Windows colour value 0x00BBGGRR; the top byte is ignored.
    static std::uint8_t indexOfColorRef(com::COLORREF colour);

    // Palette indices of one row of a Format_RGB32 or Format_ARGB32 image; alpha is ignored, as a
    // copy onto an opaque bitmap would ignore it. `out` must hold the image's width.
    static void mapRow(const QImage& rgb32, int row, std::span<std::uint8_t> out);
};

}  // namespace appchart
