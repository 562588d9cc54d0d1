#include <gtest/gtest.h>

#include <array>

#include "gdi/BmpWriter.h"
#include "gdi/DeviceContext.h"
#include "gdi/SystemColors.h"

using namespace gdi;

namespace {

// A buffer with some content under the rubber band, so XOR has something to restore.
std::unique_ptr<DeviceContext> chartLikeBuffer() {
    auto dc = createImageDC(120, 80);
    const HBRUSH fill = createSolidBrush(rgb(30, 120, 200));
    dc->fillRect({10, 10, 70, 60}, fill);
    deleteObject(fill);
    dc->textOut(5, 5, std::string_view("Price 12.5"));
    return dc;
}

int countPixels(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    }
    return n;
}

}  // namespace

TEST(MemoryDC, RasterOperationsDrawnTwiceRestoreTheBuffer) {
    for (int rop : {R2_XORPEN, R2_NOT, R2_NOTXORPEN}) {
        auto dc = chartLikeBuffer();
        const QImage before = dc->image();
        const HPEN pen = createPen(PS_DOT, 1, rgb(255, 255, 0));
        const HGDIOBJ old = dc->selectObject(pen);
        dc->setROP2(rop);
        const std::array<Point, 5> band{{{3, 3}, {100, 3}, {100, 70}, {3, 70}, {3, 3}}};
        for (int pass = 0; pass < 2; ++pass) {
            dc->polyline(band);
            dc->moveTo(0, 40);
            dc->lineTo(119, 41);
            if (pass == 0) {
                EXPECT_NE(dc->image(), before) << "rop " << rop << " drew nothing";
            }
        }
        EXPECT_EQ(dc->image(), before) << "rop " << rop;
        dc->selectObject(old);
        deleteObject(pen);
    }
}

TEST(MemoryDC, CopyPenAndNopModes) {
    auto dc = createImageDC(10, 10);
    EXPECT_EQ(dc->setROP2(R2_NOP), R2_COPYPEN);
    dc->moveTo(0, 5);
    dc->lineTo(9, 5);
    EXPECT_EQ(dc->getPixel(4, 5), 0xFFFFFFu);
    dc->setROP2(R2_COPYPEN);
    dc->moveTo(0, 5);
    dc->lineTo(9, 5);
    EXPECT_EQ(dc->getPixel(4, 5), 0x000000u);
    EXPECT_EQ(dc->setROP2(0), 0) << "invalid modes are refused";
    EXPECT_EQ(dc->rop2(), R2_COPYPEN);
}

// Hit test on a 1x1 monochrome bitmap: the viewport origin brings the tested point onto the
// pixel, which starts white; a shape covering the point turns it black.
bool polygonHit(std::span<const Point> polygon, Point p) {
    auto dc = createCompatibleDC();
    const HBITMAP bitmap = createBitmap(1, 1, 1);
    const HGDIOBJ oldBitmap = dc->selectObject(bitmap);
    dc->setViewportOrg(-p.x, -p.y);
    dc->setPixel(p.x, p.y, 0xFFFFFF);
    const HGDIOBJ oldBrush = dc->selectObject(getStockObject(BLACK_BRUSH));
    dc->polygon(polygon);
    const bool hit = dc->getPixel(p.x, p.y) != 0xFFFFFF;
    dc->selectObject(oldBrush);
    dc->selectObject(oldBitmap);
    deleteObject(bitmap);
    return hit;
}

TEST(MemoryDC, PolygonHitTestOnAOnePixelContext) {
    const std::array<Point, 4> diamond{{{100, 50}, {150, 100}, {100, 150}, {50, 100}}};
    struct Case {
        Point p;
        bool hit;
    };
    const Case cases[] = {{{100, 100}, true}, {{100, 52}, true},   {{60, 60}, false},
                          {{149, 100}, true}, {{160, 100}, false}, {{140, 140}, false}};
    for (const Case& c : cases)
        EXPECT_EQ(polygonHit(diamond, c.p), c.hit) << c.p.x << "," << c.p.y;
}

TEST(MemoryDC, ANewMemoryContextHasAOnePixelMonochromeBitmap) {
    auto dc = createCompatibleDC();
    EXPECT_EQ(dc->getDeviceCaps(BITSPIXEL), 1);
    EXPECT_EQ(dc->getDeviceCaps(HORZRES), 1);
    EXPECT_EQ(dc->setPixel(0, 0, rgb(200, 200, 200)), 0u) << "anything but white is black";
}

TEST(MemoryDC, ClippingToARegion) {
    auto dc = createImageDC(20, 20);
    const std::array<Point, 3> triangle{{{0, 0}, {19, 0}, {0, 19}}};
    const HRGN clip = createPolygonRgn(triangle, ALTERNATE);
    EXPECT_EQ(dc->selectClipRgn(clip), COMPLEXREGION);
    deleteObject(clip);  // the context keeps its own copy
    dc->fillRect({0, 0, 20, 20}, getStockObject(BLACK_BRUSH));
    EXPECT_EQ(dc->getPixel(2, 2), 0x000000u);
    EXPECT_EQ(dc->getPixel(18, 18), CLR_INVALID) << "pixels outside the clip cannot be read";
    dc->selectClipRgn(NULL_HANDLE);
    EXPECT_EQ(dc->getPixel(18, 18), 0xFFFFFFu) << "the fill stayed inside the clip";
    dc->intersectClipRect(5, 5, 10, 10);
    Rect box;
    EXPECT_EQ(dc->getClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, (Rect{5, 5, 10, 10}));
    dc->excludeClipRect(5, 5, 10, 10);
    EXPECT_EQ(dc->getClipBox(&box), NULLREGION);
}

TEST(MemoryDC, FillInvertAndFrameCoverExactlyTheRectangle) {
    auto dc = createImageDC(10, 10);
    dc->fillRect({2, 3, 5, 6}, getStockObject(BLACK_BRUSH));
    const QImage image = dc->image();
    EXPECT_EQ(countPixels(image, 0xFF000000), 9) << "right and bottom edges are exclusive";
    EXPECT_EQ(image.pixel(2, 3), 0xFF000000);
    EXPECT_EQ(image.pixel(4, 5), 0xFF000000);
    dc->invertRect({0, 0, 10, 10});
    EXPECT_EQ(countPixels(dc->image(), 0xFF000000), 91);
    auto framed = createImageDC(10, 10);
    framed->frameRect({1, 1, 6, 6}, getStockObject(BLACK_BRUSH));
    EXPECT_EQ(countPixels(framed->image(), 0xFF000000), 16);
    EXPECT_EQ(framed->getPixel(3, 3), 0xFFFFFFu);
}

TEST(MemoryDC, MappingModes) {
    auto dc = createImageDC(200, 200);
    struct Case {
        int mode;
        Point logical;
        Point device;
    };
    // 96 dpi: 254 tenths of a millimetre, 100 hundredths of an inch, 1440 twips make 96 pixels.
    const Case cases[] = {{MM_TEXT, {10, 20}, {10, 20}},
                          {MM_LOMETRIC, {254, -254}, {96, 96}},
                          {MM_LOENGLISH, {100, 50}, {96, -48}},
                          {MM_TWIPS, {1440, -720}, {96, 48}},
                          {MM_HIMETRIC, {2540, 0}, {96, 0}}};
    for (const Case& c : cases) {
        dc->setMapMode(c.mode);
        EXPECT_EQ(dc->lpToDp(c.logical), c.device) << c.mode;
        EXPECT_EQ(dc->dpToLp(c.device), c.logical) << c.mode;
    }
    dc->setMapMode(MM_ANISOTROPIC);
    dc->setWindowExt(1000, 500);
    dc->setViewportExt(200, 200);
    dc->setWindowOrg(100, 0);
    dc->setViewportOrg(10, 10);
    EXPECT_EQ(dc->lpToDp({600, 250}), (Point{110, 110}));
    dc->setMapMode(MM_ISOTROPIC);
    dc->setWindowExt(1000, 500);
    dc->setViewportExt(200, 200);
    EXPECT_EQ(dc->viewportExt(), (Size{200, 100})) << "isotropic keeps units square";
    dc->setMapMode(MM_TEXT);
    EXPECT_EQ(dc->setWindowExt(5, 5), (Size{1, 1}));
    EXPECT_EQ(dc->windowExt(), (Size{1, 1})) << "extents are fixed in MM_TEXT";
}

TEST(MemoryDC, BlockTransfers) {
    auto source = createImageDC(4, 4);
    source->fillRect({0, 0, 2, 2}, getStockObject(BLACK_BRUSH));
    auto dest = createImageDC(8, 8);
    ASSERT_TRUE(dest->bitBlt(4, 4, 4, 4, source.get(), 0, 0, SRCCOPY));
    EXPECT_EQ(dest->getPixel(4, 4), 0x000000u);
    EXPECT_EQ(dest->getPixel(6, 6), 0xFFFFFFu);
    EXPECT_EQ(dest->getPixel(0, 0), 0xFFFFFFu);
    const QImage before = dest->image();
    dest->bitBlt(0, 0, 8, 8, source.get(), 0, 0, SRCINVERT);
    EXPECT_NE(dest->image(), before);
    dest->bitBlt(0, 0, 8, 8, source.get(), 0, 0, SRCINVERT);
    EXPECT_EQ(dest->image(), before);
    EXPECT_FALSE(dest->bitBlt(0, 0, 8, 8, nullptr, 0, 0, SRCCOPY)) << "a copy needs a source";
    EXPECT_TRUE(dest->bitBlt(0, 0, 2, 2, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(dest->getPixel(1, 1), 0x000000u);

    // Monochrome source: white takes the destination's background colour, black its text colour.
    auto mono = createCompatibleDC();
    const HBITMAP bits = createBitmap(2, 1, 1);
    const HGDIOBJ old = mono->selectObject(bits);
    mono->setPixel(0, 0, 0xFFFFFF);
    dest->setBkColor(rgb(0, 255, 0));
    dest->setTextColor(rgb(255, 0, 0));
    dest->bitBlt(0, 0, 2, 1, mono.get(), 0, 0, SRCCOPY);
    EXPECT_EQ(dest->getPixel(0, 0), rgb(0, 255, 0));
    EXPECT_EQ(dest->getPixel(1, 0), rgb(255, 0, 0));
    mono->selectObject(old);
    deleteObject(bits);
}

TEST(MemoryDC, TextAlignmentAndMeasurement) {
    auto dc = createImageDC(200, 40);
    LogFont lf;
    lf.height = -14;
    const HFONT font = createFontIndirect(lf);
    const HGDIOBJ old = dc->selectObject(font);
    const Size extent = dc->getTextExtent(std::string_view("Volume"));
    EXPECT_GT(extent.cx, 20);
    EXPECT_GE(extent.cy, 14);
    const TextMetrics tm = dc->getTextMetrics();
    EXPECT_EQ(tm.height, tm.ascent + tm.descent);
    EXPECT_GE(tm.height, 14);

    dc->setBkMode(TRANSPARENT);
    dc->setTextAlign(TA_RIGHT | TA_TOP);
    dc->textOut(150, 5, std::string_view("Volume"));
    const QImage image = dc->image();
    int minX = 200, maxX = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != 0xFFFFFFFF) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
        }
    }
    EXPECT_LE(maxX, 150) << "right-aligned text ends at the reference point";
    EXPECT_GE(minX, 150 - extent.cx - 1);
    EXPECT_GT(maxX, 140);

    Rect calc{0, 0, 0, 0};
    EXPECT_EQ(dc->drawText(std::string_view("a\nb"), calc, DT_CALCRECT), 2 * tm.height);
    EXPECT_EQ(calc.bottom, 2 * tm.height);
    EXPECT_EQ(dc->textAlign(), TA_RIGHT | TA_TOP) << "drawText leaves the alignment as it was";
    dc->selectObject(old);
    deleteObject(font);
}

TEST(MemoryDC, ArabicTextIsDrawn) {
    auto dc = createImageDC(120, 30);
    dc->setTextAlign(TA_RTLREADING);
    EXPECT_TRUE(dc->textOut(5, 5, std::string_view("\xD8\xA7\xD9\x84\xD8\xB3\xD8\xB9\xD8\xB1")));
    EXPECT_LT(countPixels(dc->image(), 0xFFFFFFFF), 120 * 30);
}

TEST(MemoryDC, SaveAndRestoreState) {
    auto dc = createImageDC(4, 4);
    const HPEN pen = createPen(PS_SOLID, 1, 0xFF);
    const int level = dc->saveDC();
    EXPECT_EQ(level, 1);
    dc->selectObject(pen);
    dc->setTextColor(0x00FF00);
    deleteObject(pen);
    EXPECT_TRUE(isValidObject(pen));
    EXPECT_TRUE(dc->restoreDC(-1));
    EXPECT_EQ(dc->currentObject(ObjectType::Pen), getStockObject(BLACK_PEN));
    EXPECT_EQ(dc->textColor(), 0u);
    EXPECT_FALSE(isValidObject(pen)) << "restoring deselects the pen, ending its deferred deletion";
    EXPECT_FALSE(dc->restoreDC(-1));
}

TEST(Bmp, FileBytes) {
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(1, 2, 3));
    image.setPixel(1, 0, qRgb(4, 5, 6));
    image.setPixel(0, 1, qRgb(7, 8, 9));
    image.setPixel(1, 1, qRgb(10, 11, 12));
    const QByteArray bmp = encodeBmp(image);
    // 14 + 40 header bytes, then two rows of 6 pixel bytes padded to 8, bottom row first (BGR).
    const unsigned char expected[] = {
        'B', 'M', 70, 0,  0,    0,    0, 0, 0,    0,    54, 0, 0, 0,                     // file header
        40,  0,   0,  0,  2,    0,    0, 0, 2,    0,    0,  0, 1, 0, 24, 0, 0, 0, 0, 0,  // info header
        16,  0,   0,  0,  0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,
        9,   8,   7,  12, 11,   10,   0, 0,  // bottom row
        3,   2,   1,  6,  5,    4,    0, 0,  // top row
    };
    ASSERT_EQ(bmp.size(), qsizetype(sizeof expected));
    EXPECT_EQ(bmp, QByteArray(reinterpret_cast<const char*>(expected), sizeof expected));
    EXPECT_TRUE(encodeBmp(QImage()).isEmpty());
    EXPECT_FALSE(saveBmp(image, "/nonexistent-folder/x.bmp"));
}

namespace {

std::vector<QPoint> blackPixels(const QImage& image) {
    std::vector<QPoint> out;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(0, 0, 0))
                out.emplace_back(x, y);
        }
    }
    return out;
}

}  // namespace

// A line paints every pixel from its start up to, not including, its end: as many pixels as the
// longer side of the move.
TEST(MemoryDC, LinesLeaveOutTheirEndPoint) {
    struct Case {
        Point from, to;
    };
    const Case cases[] = {
        {{1, 2}, {10, 2}}, {{3, 1}, {3, 6}},  {{0, 0}, {5, 5}}, {{9, 7}, {2, 7}},
        {{2, 9}, {11, 4}}, {{11, 0}, {0, 3}}, {{4, 4}, {4, 4}},
    };
    for (const Case& c : cases) {
        auto dc = createImageDC(12, 10);
        dc->moveTo(c.from.x, c.from.y);
        ASSERT_TRUE(dc->lineTo(c.to.x, c.to.y));
        const auto painted = blackPixels(dc->image());
        const int steps = std::max(std::abs(c.to.x - c.from.x), std::abs(c.to.y - c.from.y));
        SCOPED_TRACE(testing::Message()
                     << "(" << c.from.x << "," << c.from.y << ") to (" << c.to.x << "," << c.to.y << ")");
        EXPECT_EQ(int(painted.size()), steps);
        EXPECT_EQ(dc->getPixel(c.to.x, c.to.y), 0xFFFFFFu);
        if (steps > 0) {
            EXPECT_EQ(dc->getPixel(c.from.x, c.from.y), 0x000000u);
        }
        EXPECT_EQ(dc->currentPosition(), c.to);
    }
}

// The joints of a closed XOR outline are painted once, so every pixel of the frame flips exactly
// once: white pen XOR white paper gives a black frame of 2 x (10 + 6) pixels, corners included.
TEST(MemoryDC, AnXorPolylinePaintsEveryJointOnce) {
    auto dc = createImageDC(16, 12);
    const HPEN pen = createPen(PS_SOLID, 1, 0xFFFFFF);
    const HGDIOBJ old = dc->selectObject(pen);
    dc->setROP2(R2_XORPEN);
    const std::array<Point, 5> frame{{{2, 2}, {12, 2}, {12, 8}, {2, 8}, {2, 2}}};
    ASSERT_TRUE(dc->polyline(frame));
    EXPECT_EQ(blackPixels(dc->image()).size(), 32u);
    for (const Point& corner : frame)
        EXPECT_EQ(dc->getPixel(corner.x, corner.y), 0x000000u) << corner.x << "," << corner.y;
    EXPECT_EQ(dc->getPixel(7, 5), 0xFFFFFFu);
    dc->selectObject(old);
    deleteObject(pen);
}

TEST(MemoryDC, LinesStayInsideTheClipAndTheBitmap) {
    auto dc = createImageDC(20, 10);
    dc->intersectClipRect(5, 0, 10, 10);
    dc->moveTo(-50, 4);
    dc->lineTo(100, 4);
    EXPECT_EQ(blackPixels(dc->image()).size(), 5u);
    EXPECT_EQ(dc->getPixel(5, 4), 0x000000u);
    EXPECT_EQ(dc->getPixel(9, 4), 0x000000u);
    dc->selectClipRgn(NULL_HANDLE);
    EXPECT_EQ(dc->getPixel(4, 4), 0xFFFFFFu);
    EXPECT_EQ(dc->getPixel(10, 4), 0xFFFFFFu);
    // Lines of the whole coordinate range end (only the steps over the bitmap are taken).
    dc->moveTo(INT32_MIN, 7);
    dc->lineTo(INT32_MAX, 7);
    dc->moveTo(INT32_MAX, INT32_MAX);
    dc->lineTo(INT32_MIN, INT32_MIN + 3);
    EXPECT_EQ(dc->getPixel(0, 7), 0x000000u);
    EXPECT_EQ(dc->getPixel(19, 7), 0x000000u);
}

TEST(MemoryDC, StyledCosmeticLinesFillTheirGapsOnlyWhenOpaque) {
    auto dc = createImageDC(30, 4);
    const HPEN pen = createPen(PS_DOT, 1, 0x000000);
    const HGDIOBJ old = dc->selectObject(pen);
    dc->setBkColor(rgb(255, 0, 0));
    dc->setBkMode(TRANSPARENT);
    dc->moveTo(0, 1);
    dc->lineTo(12, 1);
    EXPECT_EQ(dc->getPixel(0, 1), 0x000000u);
    EXPECT_EQ(dc->getPixel(2, 1), 0x000000u);
    EXPECT_EQ(dc->getPixel(3, 1), 0xFFFFFFu) << "dots of 3 pixels, gaps of 3";
    EXPECT_EQ(dc->getPixel(6, 1), 0x000000u);
    dc->setBkMode(OPAQUE);
    dc->moveTo(0, 2);
    dc->lineTo(12, 2);
    EXPECT_EQ(dc->getPixel(3, 2), rgb(255, 0, 0));
    EXPECT_EQ(dc->getPixel(12, 2), 0xFFFFFFu);
    dc->selectObject(old);
    deleteObject(pen);
}

// With the y axis turned upwards (MM_LOMETRIC) an arc still runs counter-clockwise as seen on the
// device: from the east ray to the logical south ray (below the centre on the device) it passes over
// the top and the left of the circle and leaves the lower right quarter empty. Taking the angles of
// the logical points as if y still grew downwards would draw that quarter alone.
TEST(MemoryDC, ArcsRunCounterClockwiseOnTheDeviceUnderAFlippedMapping) {
    auto dc = createImageDC(100, 100);
    dc->setMapMode(MM_LOMETRIC);
    dc->setViewportOrg(50, 50);
    ASSERT_EQ(dc->lpToDp({0, 100}), (Point{50, 12})) << "logical north is up on the device";
    ASSERT_TRUE(dc->arc(-106, 106, 106, -106, 200, 0, 0, -200));
    int upperHalf = 0, lowerRight = 0, lowerLeft = 0;
    for (const QPoint& p : blackPixels(dc->image())) {
        upperHalf += p.y() < 48;
        lowerRight += p.x() > 52 && p.y() > 52;
        lowerLeft += p.x() < 48 && p.y() > 52;
    }
    EXPECT_GT(upperHalf, 40);
    EXPECT_GT(lowerLeft, 20);
    EXPECT_EQ(lowerRight, 0);

    // The same rays in MM_TEXT: the device and logical senses agree.
    auto text = createImageDC(100, 100);
    text->arc(10, 10, 90, 90, 90, 50, 50, 10);
    int quarter = 0, elsewhere = 0;
    for (const QPoint& p : blackPixels(text->image()))
        (p.x() > 45 && p.y() < 55 ? quarter : elsewhere) += 1;
    EXPECT_GT(quarter, 20);
    EXPECT_EQ(elsewhere, 0) << "the upper right quarter only";
}

TEST(MemoryDC, RoundRectangles) {
    auto dc = createImageDC(60, 50);
    const HGDIOBJ oldBrush = dc->selectObject(getStockObject(BLACK_BRUSH));
    ASSERT_TRUE(dc->roundRect(10, 10, 50, 40, 20, 20));
    EXPECT_EQ(dc->getPixel(10, 10), 0xFFFFFFu) << "the corner is cut";
    EXPECT_EQ(dc->getPixel(30, 10), 0x000000u);
    EXPECT_EQ(dc->getPixel(30, 25), 0x000000u);
    EXPECT_EQ(dc->getPixel(49, 25), 0x000000u);
    EXPECT_EQ(dc->getPixel(50, 25), 0xFFFFFFu) << "right and bottom edges are left out";
    EXPECT_EQ(dc->getPixel(30, 40), 0xFFFFFFu);
    // A corner larger than the box is limited to an ellipse.
    auto big = createImageDC(60, 50);
    big->selectObject(getStockObject(BLACK_BRUSH));
    ASSERT_TRUE(big->roundRect(10, 10, 50, 40, 500, 500));
    EXPECT_EQ(big->getPixel(30, 25), 0x000000u);
    EXPECT_EQ(big->getPixel(12, 12), 0xFFFFFFu);
    dc->selectObject(oldBrush);
}

TEST(MemoryDC, StretchBlockTransfers) {
    // Source: red green / blue black.
    auto source = createImageDC(2, 2);
    const COLORREF colours[2][2] = {{rgb(255, 0, 0), rgb(0, 255, 0)}, {rgb(0, 0, 255), 0}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x)
            source->setPixel(x, y, colours[y][x]);
    }
    struct Case {
        const char* name;
        int x, y, w, h, xs, ys, ws, hs;
        Point probe;
        COLORREF expected;
    };
    const Case cases[] = {
        {"enlarged", 0, 0, 4, 4, 0, 0, 2, 2, {1, 1}, rgb(255, 0, 0)},
        {"enlarged", 0, 0, 4, 4, 0, 0, 2, 2, {2, 1}, rgb(0, 255, 0)},
        {"enlarged", 0, 0, 4, 4, 0, 0, 2, 2, {3, 3}, 0},
        {"mirrored by the source", 0, 0, 4, 4, 2, 0, -2, 2, {0, 0}, rgb(0, 255, 0)},
        {"mirrored by the destination", 3, 3, -4, -4, 0, 0, 2, 2, {0, 0}, 0},
        {"one pixel", 5, 5, 1, 1, 1, 1, 1, 1, {5, 5}, 0},
    };
    for (const Case& c : cases) {
        auto dest = createImageDC(8, 8);
        ASSERT_TRUE(dest->stretchBlt(c.x, c.y, c.w, c.h, source.get(), c.xs, c.ys, c.ws, c.hs, SRCCOPY))
            << c.name;
        EXPECT_EQ(dest->getPixel(c.probe.x, c.probe.y), c.expected) << c.name;
    }
    // Shrinking takes the source pixel under each destination pixel's centre.
    auto large = createImageDC(4, 4);
    large->setPixel(1, 1, rgb(9, 9, 9));
    auto small = createImageDC(2, 2);
    ASSERT_TRUE(small->stretchBlt(0, 0, 2, 2, large.get(), 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(small->getPixel(0, 0), rgb(9, 9, 9));
    EXPECT_EQ(small->getPixel(1, 1), 0xFFFFFFu);

    auto dest = createImageDC(8, 8);
    EXPECT_FALSE(dest->stretchBlt(0, 0, 0, 4, source.get(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_FALSE(dest->stretchBlt(0, 0, 4, 4, source.get(), 0, 0, 0, 2, SRCCOPY));
    EXPECT_FALSE(dest->stretchBlt(0, 0, 4, 4, nullptr, 0, 0, 2, 2, SRCCOPY));
    EXPECT_TRUE(dest->stretchBlt(0, 0, 4, 4, nullptr, 0, 0, 0, 0, BLACKNESS));
    EXPECT_EQ(dest->getPixel(3, 3), 0u);
}
