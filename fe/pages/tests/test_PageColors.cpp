// The fixed colour scheme, its brushes, and the pens of the line lists.
#include <gtest/gtest.h>

#include "gdi/DeviceContext.h"
#include "gdi/SystemColors.h"
#include "pages/PageColors.h"

namespace dravik {
namespace {

TEST(PageColors, FixedSchemeGivesTheTableColoursByIndex) {
    const gdi::COLORREF expected[24] = {
        0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0,
        0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000,
    };
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(GetColorValue(i, true), expected[i]) << "index " << i;
    EXPECT_EQ(GetColorValue(24, true), 0u) << "beyond the table";
    EXPECT_EQ(GetColorValue(-1, true), 0u);
    EXPECT_EQ(GetColorValue(gdi::COLOR_HOTLIGHT, false), 0xCC6600u)
        << "the system colour, which the table lacks";
}

TEST(PageColors, FixedSchemeBrushesAreStockGreysOrTheNullBrush) {
    struct Case {
        int index;
        int stock;
    };
    const Case cases[] = {
        {5, gdi::WHITE_BRUSH},   // 0xFFFFFF
        {0, gdi::LTGRAY_BRUSH},  // 0xC0C0C0
        {3, gdi::DKGRAY_BRUSH},  // 0x808080
        {6, gdi::BLACK_BRUSH},   // 0x000000
        {1, gdi::NULL_BRUSH},    // 0x808000, no stock brush
        {2, gdi::NULL_BRUSH},    // 0x800000
        {22, gdi::NULL_BRUSH},   // 0xDFDFDF
        {24, gdi::NULL_BRUSH},   // outside the table
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetColorBrush(c.index, true), gdi::getStockObject(c.stock)) << "index " << c.index;
    EXPECT_EQ(GetColorBrush(gdi::COLOR_ACTIVECAPTION, false),
              gdi::getSysColorBrush(gdi::COLOR_ACTIVECAPTION));
}

TEST(PageColors, LinePenIsGeometricOnlyForWideBrokenLines) {
    struct Case {
        int style;
        int width;
        std::uint32_t expectedStyle;
    };
    const Case cases[] = {
        {gdi::PS_DOT, 1, gdi::PS_DOT},
        {gdi::PS_DOT, 3, gdi::PS_GEOMETRIC | gdi::PS_DOT},
        {gdi::PS_DASHDOT, 2, gdi::PS_GEOMETRIC | gdi::PS_DASHDOT},
        {gdi::PS_SOLID, 4, gdi::PS_SOLID},
    };
    for (const Case& c : cases) {
        const gdi::HPEN pen = CreateLinePen(c.style, c.width, 0x123456);
        const auto logPen = gdi::getPen(pen);
        ASSERT_TRUE(logPen.has_value());
        EXPECT_EQ(logPen->style, c.expectedStyle) << "style " << c.style << " width " << c.width;
        EXPECT_EQ(logPen->color, 0x123456u);
        EXPECT_EQ(logPen->width, c.width);
        gdi::deleteObject(pen);
    }
}

TEST(PageColors, PaletteIsSelectedOnlyWhenGiven) {
    auto dc = gdi::createImageDC(4, 4);
    ASSERT_TRUE(dc);
    EXPECT_EQ(SelectRealizePalette(*dc, gdi::NULL_HANDLE), gdi::NULL_HANDLE);
    const gdi::COLORREF entries[] = {0x112233, 0x445566};
    const gdi::HPALETTE palette = gdi::createPalette(entries);
    const gdi::HPALETTE previous = SelectRealizePalette(*dc, palette);
    EXPECT_EQ(dc->currentObject(gdi::ObjectType::Palette), palette);
    EXPECT_EQ(SelectRealizePalette(*dc, previous), palette);
    gdi::deleteObject(palette);
}

}  // namespace
}  // namespace dravik
