#include <gtest/gtest.h>

#include <array>

#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/SystemColors.h"

using namespace gdi;

TEST(GdiObjects, SelectingReturnsThePreviousObject) {
    auto dc = createImageDC(8, 8);
    EXPECT_EQ(dc->currentObject(ObjectType::Pen), getStockObject(BLACK_PEN));
    EXPECT_EQ(dc->currentObject(ObjectType::Brush), getStockObject(WHITE_BRUSH));
    const HPEN red = createPen(PS_SOLID, 1, rgb(255, 0, 0));
    const HPEN blue = createPen(PS_DASH, 1, rgb(0, 0, 255));
    EXPECT_EQ(dc->selectObject(red), getStockObject(BLACK_PEN));
    EXPECT_EQ(dc->selectObject(blue), red);
    EXPECT_EQ(dc->selectObject(getStockObject(BLACK_PEN)), blue);
    EXPECT_TRUE(deleteObject(red));
    EXPECT_TRUE(deleteObject(blue));
    // Regions and dead handles are not selectable and change nothing.
    const HRGN region = createRectRgn(0, 0, 2, 2);
    EXPECT_EQ(dc->selectObject(region), NULL_HANDLE);
    EXPECT_EQ(dc->selectObject(red), NULL_HANDLE);
    EXPECT_EQ(dc->currentObject(ObjectType::Pen), getStockObject(BLACK_PEN));
    deleteObject(region);
}

TEST(GdiObjects, DeletingASelectedPenIsDeferredUntilDeselected) {
    const std::size_t before = liveObjectCount();
    auto dc = createImageDC(4, 4);
    const HPEN pen = createPen(PS_SOLID, 3, 0x123456);
    const HGDIOBJ old = dc->selectObject(pen);
    EXPECT_TRUE(deleteObject(pen));
    EXPECT_TRUE(isValidObject(pen)) << "still in use by the context";
    EXPECT_TRUE(dc->lineTo(3, 3));
    dc->selectObject(old);
    EXPECT_FALSE(isValidObject(pen));
    EXPECT_FALSE(deleteObject(pen));
    dc.reset();
    EXPECT_EQ(liveObjectCount(), before);
}

TEST(GdiObjects, PendingDeletionCompletesWhenTheContextIsDestroyed) {
    const HBRUSH brush = createSolidBrush(0x00FF00);
    {
        auto dc = createImageDC(4, 4);
        dc->selectObject(brush);
        deleteObject(brush);
        EXPECT_TRUE(isValidObject(brush));
    }
    EXPECT_FALSE(isValidObject(brush));
}

TEST(GdiObjects, ASelectedBitmapCannotBeDeletedNorSelectedTwice) {
    auto first = createCompatibleDC();
    auto second = createCompatibleDC();
    const HBITMAP bitmap = createBitmap(5, 5, 32);
    const HGDIOBJ old = first->selectObject(bitmap);
    ASSERT_NE(old, NULL_HANDLE);
    EXPECT_FALSE(deleteObject(bitmap));
    EXPECT_EQ(second->selectObject(bitmap), NULL_HANDLE);
    first->selectObject(old);
    EXPECT_TRUE(deleteObject(bitmap));
    EXPECT_FALSE(isValidObject(bitmap));
}

TEST(GdiObjects, StockObjectsSurviveDeletion) {
    for (int index : {WHITE_BRUSH, BLACK_PEN, NULL_BRUSH, SYSTEM_FONT, DEFAULT_GUI_FONT}) {
        const HGDIOBJ stock = getStockObject(index);
        EXPECT_TRUE(deleteObject(stock));
        EXPECT_TRUE(isValidObject(stock));
        EXPECT_EQ(stockIndexOf(stock), index);
    }
    EXPECT_EQ(getStockObject(9), NULL_HANDLE);
    EXPECT_EQ(getStockObject(STOCK_LAST + 1), NULL_HANDLE);
    EXPECT_EQ(getBrush(getStockObject(LTGRAY_BRUSH))->color, 0xC0C0C0u);
    EXPECT_EQ(getBrush(getStockObject(NULL_BRUSH))->style, std::uint32_t(BS_NULL));
    EXPECT_EQ(getPen(getStockObject(NULL_PEN))->style, std::uint32_t(PS_NULL));
}

TEST(GdiObjects, SystemColourTable) {
    struct Case {
        int index;
        COLORREF color;
    };
    const Case cases[] = {{COLOR_SCROLLBAR, 0xC0C0C0},
                          {COLOR_BACKGROUND, 0x808000},
                          {COLOR_WINDOW, 0xFFFFFF},
                          {COLOR_WINDOWTEXT, 0x000000},
                          {COLOR_HIGHLIGHT, 0x800000},
                          {COLOR_BTNSHADOW, 0x808080},
                          {COLOR_BTNHIGHLIGHT, 0xFFFFFF},
                          {COLOR_3DLIGHT, 0xDFDFDF},
                          {COLOR_INFOBK, 0xE1FFFF},
                          {COLOR_MENUBAR, 0xC0C0C0},
                          {-1, 0},
                          {31, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(getSysColor(c.index), c.color) << c.index;
        const HBRUSH brush = getSysColorBrush(c.index);
        if (c.index < 0 || c.index > 30) {
            EXPECT_EQ(brush, NULL_HANDLE);
            continue;
        }
        EXPECT_EQ(getBrush(brush)->color, c.color);
        EXPECT_TRUE(deleteObject(brush));
        EXPECT_TRUE(isValidObject(brush)) << "system colour brushes are never deleted";
    }
}

TEST(GdiObjects, CreationRejectsBadArguments) {
    EXPECT_EQ(createBitmap(0, 5, 32), NULL_HANDLE);
    EXPECT_EQ(createBitmap(5, 40000, 32), NULL_HANDLE);
    EXPECT_EQ(createBitmap(5, 5, 8), NULL_HANDLE);
    EXPECT_EQ(createPen(9, 1, 0), NULL_HANDLE);
    EXPECT_EQ(createHatchBrush(17, 0), NULL_HANDLE);
    const std::array<Point, 2> two{{{0, 0}, {1, 1}}};
    EXPECT_EQ(createPolygonRgn(two, ALTERNATE), NULL_HANDLE);
}

TEST(GdiObjects, PenWidthAndStyleAreKept) {
    const HPEN cosmetic = extCreatePen(PS_COSMETIC | PS_DOT, 5, LogBrush{BS_SOLID, 0xFF, 0});
    const HPEN geometric =
        extCreatePen(PS_GEOMETRIC | PS_DOT | PS_ENDCAP_FLAT, 3, LogBrush{BS_SOLID, 0xFF, 0});
    EXPECT_EQ(getPen(cosmetic)->width, 1) << "cosmetic pens are one pixel wide";
    EXPECT_EQ(getPen(geometric)->width, 3);
    EXPECT_EQ(getPen(geometric)->style, std::uint32_t(PS_GEOMETRIC | PS_DOT | PS_ENDCAP_FLAT));
    deleteObject(cosmetic);
    deleteObject(geometric);
}

TEST(GdiObjects, FontFaceNameIsCutAtACharacterBoundary) {
    LogFont font;
    // 16 two-byte Arabic letters: 32 bytes, one over the limit of 31.
    for (int i = 0; i < 16; ++i)
        font.faceName += "\xD8\xB9";
    font.height = -12;
    const HFONT handle = createFontIndirect(font);
    const auto stored = getFont(handle);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->faceName.size(), 30u);
    EXPECT_EQ(stored->height, -12);
    deleteObject(handle);
}

TEST(GdiRegions, CombineModes) {
    struct Case {
        int mode;
        int kind;
        Point inside;
        Point outside;
    };
    // a = [0,10) x [0,10), b = [5,15) x [5,15)
    const Case cases[] = {
        {RGN_AND, SIMPLEREGION, {7, 7}, {2, 2}},    {RGN_OR, COMPLEXREGION, {12, 12}, {12, 2}},
        {RGN_XOR, COMPLEXREGION, {2, 2}, {7, 7}},   {RGN_DIFF, COMPLEXREGION, {2, 2}, {12, 12}},
        {RGN_COPY, SIMPLEREGION, {9, 9}, {10, 10}},
    };
    const HRGN a = createRectRgn(0, 0, 10, 10);
    const HRGN b = createRectRgn(5, 5, 15, 15);
    const HRGN result = createRectRgn(0, 0, 0, 0);
    for (const Case& c : cases) {
        EXPECT_EQ(combineRgn(result, a, b, c.mode), c.kind) << c.mode;
        EXPECT_TRUE(ptInRegion(result, c.inside.x, c.inside.y)) << c.mode;
        EXPECT_FALSE(ptInRegion(result, c.outside.x, c.outside.y)) << c.mode;
    }
    EXPECT_EQ(combineRgn(result, a, b, 9), RGN_ERROR);
    Rect box;
    EXPECT_EQ(getRgnBox(a, &box), SIMPLEREGION);
    EXPECT_EQ(box, (Rect{0, 0, 10, 10}));
    EXPECT_EQ(offsetRgn(a, 3, 4), SIMPLEREGION);
    getRgnBox(a, &box);
    EXPECT_EQ(box, (Rect{3, 4, 13, 14}));
    for (HRGN r : {a, b, result})
        deleteObject(r);
}

TEST(GdiRegions, PolygonRegionFillModes) {
    // A pentagram: its centre is outside with ALTERNATE and inside with WINDING.
    const std::array<Point, 5> star{{{50, 0}, {79, 90}, {2, 34}, {98, 34}, {21, 90}}};
    const HRGN alternate = createPolygonRgn(star, ALTERNATE);
    const HRGN winding = createPolygonRgn(star, WINDING);
    EXPECT_FALSE(ptInRegion(alternate, 50, 50));
    EXPECT_TRUE(ptInRegion(winding, 50, 50));
    EXPECT_TRUE(ptInRegion(alternate, 50, 20));
    EXPECT_FALSE(ptInRegion(alternate, 5, 80));
    deleteObject(alternate);
    deleteObject(winding);
}
