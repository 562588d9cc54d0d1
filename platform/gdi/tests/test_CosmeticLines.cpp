// One-pixel pens on a bitmap, pixel for pixel against a small model of how such a line is set:
// at step i of max(|dx|, |dy|) steps it paints (x0 + round(dx * i / steps), y0 + round(dy * i /
// steps)), halves rounded upwards, in exact arithmetic, and leaves out its end point; dashes run on
// from one polyline segment to the next; the raster operation combines pen and destination bit by bit.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include <QImage>
#include <QRegion>

#include "gdi/DeviceContext.h"

using namespace gdi;

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// --- the model ---

// Nearest integer to num / den (den > 0), halves upwards, through a truncating division and the
// remainder.
std::int64_t roundedQuotient(__int128 num, __int128 den) {
    __int128 quotient = num / den, remainder = num % den;
    if (remainder < 0) {
        quotient -= 1;
        remainder += den;
    }
    return static_cast<std::int64_t>(2 * remainder >= den ? quotient + 1 : quotient);
}

// The sixteen binary raster operations written out, on 24-bit colours.
std::uint32_t rop2(int mode, std::uint32_t p, std::uint32_t d) {
    switch (mode) {
        case R2_BLACK:
            return 0;
        case R2_NOTMERGEPEN:
            return ~(p | d);
        case R2_MASKNOTPEN:
            return ~p & d;
        case R2_NOTCOPYPEN:
            return ~p;
        case R2_MASKPENNOT:
            return p & ~d;
        case R2_NOT:
            return ~d;
        case R2_XORPEN:
            return p ^ d;
        case R2_NOTMASKPEN:
            return ~(p & d);
        case R2_MASKPEN:
            return p & d;
        case R2_NOTXORPEN:
            return ~(p ^ d);
        case R2_NOP:
            return d;
        case R2_MERGENOTPEN:
            return ~p | d;
        case R2_COPYPEN:
            return p;
        case R2_MERGEPENNOT:
            return p | ~d;
        case R2_MERGEPEN:
            return p | d;
        default:
            return 0xFFFFFF;  // R2_WHITE
    }
}

// On and off lengths in pixels of the styled one-pixel pens.
std::vector<int> dashesOf(int style) {
    switch (style) {
        case PS_DASH:
            return {18, 6};
        case PS_DOT:
            return {3, 3};
        case PS_DASHDOT:
            return {9, 6, 3, 6};
        case PS_DASHDOTDOT:
            return {9, 3, 3, 3, 3, 3};
        default:
            return {};
    }
}

struct Pen {
    int style = PS_SOLID;
    COLORREF colour = 0;
    COLORREF background = 0;
    bool opaque = false;
    int rop = R2_COPYPEN;
};

bool dashOn(const std::vector<int>& dashes, std::int64_t position) {
    int period = 0;
    for (int length : dashes)
        period += length;
    if (period == 0)
        return true;
    std::int64_t at = position % period;
    for (std::size_t k = 0; k < dashes.size(); ++k) {
        if (at < dashes[k])
            return k % 2 == 0;
        at -= dashes[k];
    }
    return true;
}

COLORREF colourOf(QRgb pixel) {
    return rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

// Paints one segment into `image`; `position` is the dash position at its start and moves on by
// the segment's steps. Only the steps whose major coordinate lies on the bitmap are looked at.
void modelSegment(QImage& image, const std::optional<QRegion>& clip, Point a, Point b, const Pen& pen,
                  std::int64_t& position) {
    const std::int64_t dx = std::int64_t(b.x) - a.x, dy = std::int64_t(b.y) - a.y;
    const std::int64_t steps = std::max(std::abs(dx), std::abs(dy));
    const bool alongX = std::abs(dx) >= std::abs(dy);
    const std::vector<int> dashes = dashesOf(pen.style);
    for (int major = 0; major < (alongX ? image.width() : image.height()); ++major) {
        const std::int64_t start = alongX ? a.x : a.y, delta = alongX ? dx : dy;
        const std::int64_t i = delta >= 0 ? major - start : start - major;
        if (steps == 0 || i < 0 || i >= steps)
            continue;
        const std::int64_t x = a.x + roundedQuotient(__int128(dx) * i, steps);
        const std::int64_t y = a.y + roundedQuotient(__int128(dy) * i, steps);
        const bool on = dashOn(dashes, position + i);
        if (!on && !pen.opaque)
            continue;
        if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
            continue;
        if (clip && !clip->contains(QPoint(int(x), int(y))))
            continue;
        const COLORREF dest = colourOf(image.pixel(int(x), int(y)));
        const COLORREF result = rop2(pen.rop, on ? pen.colour : pen.background, dest) & 0xFFFFFF;
        image.setPixel(int(x), int(y), qRgb(redOf(result), greenOf(result), blueOf(result)));
    }
    position += steps;
}

// --- the cases ---

enum class Clip { None, Rectangle, TwoRectangles, RectangleWithAHole };

struct Drawing {
    std::vector<Point> points;  // two for a line, more for a polyline
    Pen pen;
    Clip clip = Clip::None;
};

// Sets the clip on the context and answers the same region in device pixels for the model.
std::optional<QRegion> applyClip(DeviceContext& dc, Clip clip) {
    switch (clip) {
        case Clip::None:
            return std::nullopt;
        case Clip::Rectangle:
            dc.intersectClipRect(7, 5, 50, 40);
            return QRegion(7, 5, 43, 35);
        case Clip::TwoRectangles: {
            const HRGN left = createRectRgn(0, 0, 20, 30), right = createRectRgn(30, 10, 64, 48);
            combineRgn(left, left, right, RGN_OR);
            dc.selectClipRgn(left);
            deleteObject(left);
            deleteObject(right);
            return QRegion(0, 0, 20, 30) | QRegion(30, 10, 34, 38);
        }
        case Clip::RectangleWithAHole:
            dc.excludeClipRect(20, 15, 40, 30);
            return QRegion(0, 0, kWidth, kHeight) - QRegion(20, 15, 20, 15);
    }
    return std::nullopt;
}

// A bitmap of random colours, so every raster operation has destination bits of both kinds.
QImage noise(std::mt19937& random) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            image.setPixel(x, y, 0xFF000000u | (random() & 0xFFFFFF));
    }
    return image;
}

// Draws on a real memory context and in the model, from the same noise, and compares every pixel.
void expectSameAsModel(const Drawing& drawing, std::mt19937& random) {
    const QImage start = noise(random);
    auto dc = createImageDC(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            dc->setPixel(x, y, colourOf(start.pixel(x, y)));
    }
    const std::optional<QRegion> clip = applyClip(*dc, drawing.clip);
    const HPEN pen = createPen(drawing.pen.style, 1, drawing.pen.colour);
    const HGDIOBJ old = dc->selectObject(pen);
    dc->setROP2(drawing.pen.rop);
    dc->setBkColor(drawing.pen.background);
    dc->setBkMode(drawing.pen.opaque ? OPAQUE : TRANSPARENT);
    if (drawing.points.size() == 2) {
        dc->moveTo(drawing.points[0].x, drawing.points[0].y);
        ASSERT_TRUE(dc->lineTo(drawing.points[1].x, drawing.points[1].y));
    } else {
        ASSERT_TRUE(dc->polyline(drawing.points));
    }
    dc->selectObject(old);
    deleteObject(pen);

    QImage expected = start;
    std::int64_t position = 0;
    for (std::size_t k = 1; k < drawing.points.size(); ++k)
        modelSegment(expected, clip, drawing.points[k - 1], drawing.points[k], drawing.pen, position);
    const QImage actual = dc->image();
    int differences = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y) && ++differences <= 3)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << actual.pixel(x, y)
                              << " instead of " << expected.pixel(x, y);
        }
    }
    EXPECT_EQ(differences, 0);
}

std::string describe(const Drawing& d) {
    std::string text = "style " + std::to_string(d.pen.style) + " rop " + std::to_string(d.pen.rop) +
                       (d.pen.opaque ? " opaque" : "") + " clip " + std::to_string(int(d.clip)) + ":";
    for (const Point& p : d.points)
        text += " (" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    return text;
}

// Coordinates near the bitmap, a little and far beyond it, and at the ends of the range.
Point randomPoint(std::mt19937& random) {
    auto near = [&](int size) { return int(random() % unsigned(size + 40)) - 20; };
    auto far = [&] { return int(random() % 2000001u) - 1000000; };
    switch (random() % 6) {
        case 0:
        case 1:
        case 2:
            return {near(kWidth), near(kHeight)};
        case 3:
            return {far(), near(kHeight)};
        case 4:
            return {near(kWidth), far()};
        default: {
            const std::int32_t ends[] = {INT32_MIN, INT32_MIN + 1, -3, 5, INT32_MAX - 1, INT32_MAX};
            return {random() % 2 ? ends[random() % 6] : far(), random() % 2 ? ends[random() % 6] : far()};
        }
    }
}

Drawing randomDrawing(std::mt19937& random, std::size_t points) {
    static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
    Drawing d;
    for (std::size_t k = 0; k < points; ++k)
        d.points.push_back(randomPoint(random));
    d.pen.style = kStyles[random() % 5];
    d.pen.colour = random() & 0xFFFFFF;
    d.pen.background = random() & 0xFFFFFF;
    d.pen.opaque = random() % 2;
    d.pen.rop = int(random() % 16) + 1;
    d.clip = static_cast<Clip>(random() % 4);
    return d;
}

}  // namespace

// Hand-picked lines: steep, shallow, diagonal, both directions, halves, a dot-sized move.
TEST(CosmeticLines, ChosenLinesMatchTheModel) {
    const std::array<std::array<Point, 2>, 12> lines{{
        {{{3, 3}, {60, 20}}},
        {{{60, 20}, {3, 3}}},
        {{{10, 45}, {14, 2}}},
        {{{14, 2}, {10, 45}}},
        {{{0, 0}, {47, 47}}},
        {{{63, 0}, {16, 47}}},
        {{{2, 10}, {6, 12}}},  // minor offsets of exactly one half
        {{{6, 12}, {2, 10}}},
        {{{5, 5}, {6, 5}}},
        {{{-100, 30}, {200, -10}}},
        {{{30, -500}, {31, 900}}},
        {{{-2000000000, 2000000000}, {2000000000, -2000000000}}},
    }};
    std::mt19937 random(58);
    for (const auto& line : lines) {
        for (const Clip clip : {Clip::None, Clip::Rectangle, Clip::RectangleWithAHole}) {
            for (const int rop : {R2_COPYPEN, R2_XORPEN, R2_NOTMASKPEN}) {
                const Drawing d{{line[0], line[1]}, Pen{PS_DASHDOT, 0x3366CC, 0x00FF00, true, rop}, clip};
                SCOPED_TRACE(describe(d));
                expectSameAsModel(d, random);
            }
        }
    }
}

TEST(CosmeticLines, RandomLinesMatchTheModel) {
    std::mt19937 random(1);
    for (int n = 0; n < 1500; ++n) {
        const Drawing d = randomDrawing(random, 2);
        SCOPED_TRACE(describe(d));
        expectSameAsModel(d, random);
        if (HasFailure())
            return;
    }
}

// Polylines carry the dash position over their joints and paint every joint once.
TEST(CosmeticLines, RandomPolylinesMatchTheModel) {
    std::mt19937 random(2);
    for (int n = 0; n < 400; ++n) {
        const Drawing d = randomDrawing(random, 3 + random() % 6);
        SCOPED_TRACE(describe(d));
        expectSameAsModel(d, random);
        if (HasFailure())
            return;
    }
}

// Lines take the pen and bitmap selected at the time of the call, also after a selection changed
// between two lines or a saved state came back.
TEST(CosmeticLines, FollowTheSelectedPenAndBitmap) {
    auto dc = createCompatibleDC();
    const HBITMAP first = createBitmap(8, 4, 32), second = createBitmap(8, 4, 32);
    const HPEN red = createPen(PS_SOLID, 1, rgb(255, 0, 0)), blue = createPen(PS_SOLID, 1, rgb(0, 0, 255));
    const HGDIOBJ oldBitmap = dc->selectObject(first);
    const HGDIOBJ oldPen = dc->selectObject(red);
    dc->moveTo(0, 0);
    dc->lineTo(8, 0);
    const int saved = dc->saveDC();
    dc->selectObject(blue);
    dc->moveTo(0, 1);
    dc->lineTo(8, 1);
    dc->selectObject(second);
    dc->moveTo(0, 2);
    dc->lineTo(8, 2);
    ASSERT_TRUE(dc->restoreDC(saved));
    dc->moveTo(0, 3);
    dc->lineTo(8, 3);
    dc->selectObject(oldPen);
    dc->selectObject(oldBitmap);

    const QImage a = bitmapImage(first), b = bitmapImage(second);
    EXPECT_EQ(a.pixel(7, 0), qRgb(255, 0, 0));
    EXPECT_EQ(a.pixel(7, 1), qRgb(0, 0, 255));
    EXPECT_EQ(b.pixel(7, 2), qRgb(0, 0, 255));
    EXPECT_EQ(a.pixel(7, 2), b.pixel(7, 0)) << "only the second bitmap has the third line";
    EXPECT_EQ(a.pixel(7, 3), qRgb(255, 0, 0));
    EXPECT_EQ(b.pixel(7, 3), b.pixel(7, 0)) << "the restored state draws into the first bitmap";
    for (const HGDIOBJ object : {first, second, red, blue})
        EXPECT_TRUE(deleteObject(object));
}
