#include <gtest/gtest.h>

#include <vector>

#include "appchart/output/GifPalette.h"

using appchart::GifPalette;

TEST(GifPalette, ChannelMapsToNearestLevelAndTiesGoToTheLowerLevel) {
    const struct {
        int value;
        int level;
    } cases[] = {{0, 0},   {31, 0},  {32, 0},  {33, 1},  {64, 1},  {96, 1},  {97, 2},
                 {128, 2}, {160, 2}, {161, 3}, {192, 3}, {223, 3}, {224, 4}, {255, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(GifPalette::levelOf(static_cast<std::uint8_t>(c.value)), c.level) << c.value;
    }
}

TEST(GifPalette, IndexIsBlueTimes25PlusGreenTimes5PlusRed) {
    EXPECT_EQ(GifPalette::indexOf(0, 0, 0), 0);
    EXPECT_EQ(GifPalette::indexOf(255, 255, 255), 124);
    EXPECT_EQ(GifPalette::indexOf(200, 100, 40), 1 * 25 + 2 * 5 + 3);
    EXPECT_EQ(GifPalette::indexOf(qRgb(200, 100, 40)), 1 * 25 + 2 * 5 + 3);
    // A Windows colour value holds red in its low byte; the top byte carries no colour.
    EXPECT_EQ(GifPalette::indexOfColorRef(0x00280040u), 1 * 25 + 0 * 5 + 1);
    EXPECT_EQ(GifPalette::indexOfColorRef(0x800000FFu), 4);
}

TEST(GifPalette, EveryCubeColourMapsBackToItsOwnEntry) {
    const auto& table = GifPalette::colourTable();
    for (int index = 0; index < GifPalette::kCubeEntries; ++index) {
        EXPECT_EQ(GifPalette::indexOf(table[index * 3], table[index * 3 + 1], table[index * 3 + 2]), index);
    }
}

TEST(GifPalette, MapRowIgnoresAlpha) {
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(Qt::black);
    image.setPixel(0, 1, qRgba(255, 0, 0, 0));
    image.setPixel(1, 1, qRgba(0, 0, 255, 128));
    image.setPixel(2, 1, qRgba(255, 255, 255, 255));
    std::vector<std::uint8_t> row(3);
    GifPalette::mapRow(image, 1, row);
    EXPECT_EQ(row, (std::vector<std::uint8_t>{4, 100, 124}));
}
