#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GlosxPainter.h"
#include "GlosxShapes.h"
#include "gdi/DeviceContext.h"
#include "glossor/IGlosxList.h"

namespace glossor {
namespace {

using testing::shape;

constexpr gdi::COLORREF kWhite = 0xFFFFFF;
constexpr gdi::COLORREF kBlack = 0x000000;
constexpr gdi::COLORREF kRed = 0x0000FF;

TEST(GlosxPainter, LinesTakeTheirLook) {
    auto dc = gdi::createImageDC(60, 60);
    paintObject(*dc, shape(kKindLine, 10, 10, 50, 10));
    EXPECT_EQ(dc->getPixel(30, 10), kBlack);
    EXPECT_EQ(dc->getPixel(30, 11), kWhite);

    // The highlight: three pixels wide in the highlight colour, whatever the object's colour.
    GlosxData highlight = shape(kKindLine, 10, 40, 50, 40);
    highlight.appearance = kAppearanceHighlight;
    highlight.foreColor = kRed;
    paintObject(*dc, highlight);
    EXPECT_EQ(dc->getPixel(30, 39), kHighlightColor);
    EXPECT_EQ(dc->getPixel(30, 40), kHighlightColor);
    EXPECT_EQ(dc->getPixel(30, 41), kHighlightColor);
    EXPECT_EQ(dc->getPixel(30, 43), kWhite);
}

TEST(GlosxPainter, ArrowHeadsSitAtTheChosenEnds) {
    auto dc = gdi::createImageDC(80, 40);
    GlosxData arrow = shape(kKindLine, 10, 20, 70, 20);
    arrow.lineMode = kLineArrowEnd;
    paintObject(*dc, arrow);
    // Three pixels off the line, just behind the end, lies inside the head; not at the start.
    EXPECT_EQ(dc->getPixel(65, 22), kBlack);
    EXPECT_EQ(dc->getPixel(15, 22), kWhite);
    arrow.lineMode = kLineArrowBoth;
    paintObject(*dc, arrow);
    EXPECT_EQ(dc->getPixel(15, 22), kBlack);
}

TEST(GlosxPainter, BoxesAreFilledAndIncludeBothEnds) {
    auto dc = gdi::createImageDC(60, 60);
    GlosxData box = shape(kKindRectangle, 40, 30, 10, 10);
    box.backColor = kRed;
    paintObject(*dc, box);
    EXPECT_EQ(dc->getPixel(25, 20), kRed);
    EXPECT_EQ(dc->getPixel(10, 20), kBlack);
    EXPECT_EQ(dc->getPixel(40, 20), kBlack);
    EXPECT_EQ(dc->getPixel(41, 20), kWhite);
    EXPECT_EQ(dc->getPixel(25, 30), kBlack);
    EXPECT_EQ(dc->getPixel(25, 31), kWhite);
}

TEST(GlosxPainter, PicturesAreStretchedOverTheirBox) {
    auto dc = gdi::createImageDC(40, 40);
    GlosxData picture = shape(kKindPicture, 10, 10, 30, 30);
    picture.picture = QImage(2, 2, QImage::Format_RGB32);
    picture.picture.fill(QColor(255, 0, 0));
    paintObject(*dc, picture);
    EXPECT_EQ(dc->getPixel(20, 20), kRed);
    EXPECT_EQ(dc->getPixel(10, 20), kBlack);  // the frame
    EXPECT_EQ(dc->getPixel(35, 20), kWhite);
}

TEST(GlosxPainter, TextIsDrawnInsideItsBox) {
    auto dc = gdi::createImageDC(120, 60);
    GlosxData text = shape(kKindText, 10, 10, 110, 50);
    text.text = u"WWW";
    paintObject(*dc, text);
    int ink = 0;
    for (int y = 12; y < 48; ++y) {
        for (int x = 12; x < 108; ++x)
            ink += dc->getPixel(x, y) != kWhite ? 1 : 0;
    }
    EXPECT_GT(ink, 20);
}

// A leading U+FFFE is a character like U+FFFF (neither has a glyph): the two texts draw alike. Read
// as a byte-order mark it would turn "WWW" into three other characters.
TEST(GlosxPainter, LeadingFffeIsDrawnAsACharacter) {
    const auto drawn = [](std::u16string text) {
        auto dc = gdi::createImageDC(120, 60);
        GlosxData data = shape(kKindText, 10, 10, 110, 50);
        data.text = std::move(text);
        paintObject(*dc, data);
        std::vector<gdi::COLORREF> pixels;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 120; ++x)
                pixels.push_back(dc->getPixel(x, y));
        }
        return pixels;
    };
    EXPECT_EQ(drawn(u"\uFFFEWWW"), drawn(u"\uFFFFWWW"));
    EXPECT_NE(drawn(u"\uFFFFWWW"), drawn(u"\uFFFF\u5700\u5700\u5700"));
}

TEST(GlosxPainter, SelectedObjectsShowMarksOnTheirEnds) {
    GlosxModel model;
    auto line = model.add(shape(kKindLine, 20, 20, 60, 20));
    auto dc = gdi::createImageDC(80, 40);
    paintList(*dc, model, nullptr);
    EXPECT_EQ(dc->getPixel(17, 17), kWhite);
    model.select(line.get(), false);
    paintList(*dc, model, nullptr);
    // A white square with a black frame, kHandleSize wide, centred on the end.
    EXPECT_EQ(dc->getPixel(17, 17), kBlack);
    EXPECT_EQ(dc->getPixel(18, 18), kWhite);
    EXPECT_EQ(dc->getPixel(57, 23), kBlack);

    // The object being drawn is painted over the rest.
    const GlosxData pending = shape(kKindRectangle, 30, 5, 50, 15);
    paintList(*dc, model, &pending);
    EXPECT_EQ(dc->getPixel(40, 5), kBlack);
}

}  // namespace
}  // namespace glossor
