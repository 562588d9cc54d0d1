// Every kind of drawing is picked by a click on any line it draws, in a chart of the control model.
//
// All drawings run from point 5 at 105 to point 10 at 115: pixels (186, 336) and (326, 163) of the
// default chart (plot x 60..620, y 20..440).
#include <QAction>
#include <QImage>
#include <QMenu>

#include "GalleryFixture.h"
#include "analytical/CAnalyticalChart.h"
#include "dravik/Commands.h"
#include "dravik/Events.h"
#include "gdi/DeviceContext.h"
#include "ostbar/OstCommandBar.h"
#include "ostbar/OstToolbarWidget.h"

namespace dravik::test {
namespace {

class DrawingKindsTest : public GalleryFixture {
protected:
    CAnalyticalChartBase& analyticalChart() {
        return static_cast<CAnalyticalChartBase&>(*extension->gallery(FINANCIAL_ANALYTICAL));
    }
    void showChart() {
        ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
        chart->UpdateWindow();
    }
    int addDrawing(int kind) {
        CDrawingList& list = extension->drawingList();
        int index = -1;
        EXPECT_EQ(list.Add(kind, list.FreeItemCommand(kind), true, -1, &index), com::S_OK);
        DrawingRecord& drawing = *list.At(index);
        drawing.from = 5;
        drawing.fromPrice = 105;
        drawing.to = 10;
        drawing.toPrice = 115;
        drawing.state = kDrawingShown;
        return index;
    }
};

// A point on a line of each kind's figure other than the line between its anchors, where the
// figure has one: the lowest ray of the Gann fan (8x1), the arc of half the anchors' distance, the
// lowest Fibonacci fan ray, the 0% retracement, the third time zone (point 8), the lowest midpoint
// Tirone level, the extreme low of the mean Tirone levels, the 1/3 speed line, the quadrant's low
// line and the trend line itself.
struct KindPoint {
    int kind;
    gdi::Point at;
};
constexpr KindPoint kOnAFigureLine[] = {
    {0, {500, 304}}, {1, {438, 241}}, {2, {500, 188}}, {3, {250, 163}}, {4, {270, 100}},
    {5, {300, 290}}, {6, {320, 324}}, {7, {500, 207}}, {8, {300, 319}}, {9, {256, 249}},
};
constexpr gdi::COLORREF kDrawingBlue = 0xFF0000;  // the drawings' default colour
constexpr gdi::COLORREF kBackground = 0xFFFFFF;

TEST_F(DrawingKindsTest, EveryKindIsPickedOnALineItDraws) {
    showChart();
    for (const KindPoint& probe : kOnAFigureLine) {
        SCOPED_TRACE(probe.kind);
        extension->drawingList().RemoveAll();
        analyticalChart().SelectDrawing(-1);
        ASSERT_EQ(addDrawing(probe.kind), 0);
        auto dc = gdi::createImageDC(640, 480);
        analyticalChart().PaintDrawings(dc.get(), true);
        ASSERT_EQ(dc->getPixel(probe.at.x, probe.at.y) & 0xFFFFFF, kDrawingBlue) << "not on a drawn line";
        EXPECT_EQ(analyticalChart().HitTestDrawing(probe.at.x, probe.at.y), 0);
        // The wide pen takes a click one pixel beside the line as well.
        EXPECT_EQ(analyticalChart().HitTestDrawing(probe.at.x + 1, probe.at.y), 0);
        // Far from every line of every figure.
        EXPECT_EQ(analyticalChart().HitTestDrawing(100, 430), -1);
        chart->buttonDown(probe.at.x, probe.at.y);
        chart->buttonUp(probe.at.x, probe.at.y);
        EXPECT_EQ(analyticalChart().selectedDrawing(), 0);
    }
}

// The Gann fan draws no line between its anchors: a click there, between its 1x1 and 1x2 rays, is
// on nothing.
TEST_F(DrawingKindsTest, TheGannFansUndrawnAnchorLineIsNotPicked) {
    showChart();
    addDrawing(0);
    auto dc = gdi::createImageDC(640, 480);
    analyticalChart().PaintDrawings(dc.get(), true);
    const gdi::Point middle{256, 249};
    ASSERT_EQ(dc->getPixel(middle.x, middle.y) & 0xFFFFFF, kBackground);
    EXPECT_EQ(analyticalChart().HitTestDrawing(middle.x, middle.y), -1);
}

// Speed resistance lines draw the line between the anchors with the main pen: solid and of the
// drawing's width (the signal pen would be dotted and one pixel wide).
TEST_F(DrawingKindsTest, SpeedResistanceLinesDrawTheirAnchorLineWithTheMainPen) {
    showChart();
    const int index = addDrawing(7);
    extension->drawingList().At(index)->lineWidth = 3;
    auto dc = gdi::createImageDC(640, 480);
    analyticalChart().PaintDrawings(dc.get(), true);
    // From (186, 336) to (326, 163): x = 186 + (336 - y) x 140 / 173 on every row between.
    for (int y = 170; y <= 330; ++y) {
        const int x = 186 + (336 - y) * 140 / 173;
        int painted = 0;
        for (int dx = -3; dx <= 3; ++dx)
            painted += (dc->getPixel(x + dx, y) & 0xFFFFFF) == kDrawingBlue;
        EXPECT_GE(painted, 3) << "row " << y;
    }
    EXPECT_EQ(analyticalChart().HitTestDrawing(256, 249), 0);
}

// The action that shows command `id` anywhere in the row's drop-downs.
QAction* actionOfCommand(const QList<QAction*>& actions, SHORT id) {
    for (QAction* action : actions) {
        if (action->property("ostbarCommandId").toInt() == id && !action->isSeparator())
            return action;
        if (action->menu())
            if (QAction* inner = actionOfCommand(action->menu()->actions(), id))
                return inner;
    }
    return nullptr;
}

// The drawing's entry in its kind's menu of the financial tool bar carries a tick while it is shown.
TEST_F(DrawingKindsTest, ADrawingsMenuEntryIsTickedWhileItIsShown) {
    showChart();
    ASSERT_EQ(extension->FireCommand(ID_NEW_TREND_LINE), com::S_OK);
    DrawingRecord& drawing = *extension->drawingList().At(0);
    ASSERT_EQ(drawing.toolCommand, 162);
    // As the add dialog leaves it once the user confirms it.
    drawing.from = 5;
    drawing.fromPrice = 105;
    drawing.to = 10;
    drawing.toPrice = 115;
    drawing.state = kDrawingShown;
    ostbar::OstToolbarWidget row(ostbar::OstCommandBar::implementationOf(extension->commandBar()));
    const auto entry = [&row] {
        row.rebuild();
        return actionOfCommand(row.actions(), 162);
    };
    ASSERT_NE(entry(), nullptr);
    EXPECT_TRUE(entry()->isCheckable());
    EXPECT_TRUE(entry()->isChecked());
    extension->FireCommand(162);
    ASSERT_EQ(drawing.state, kDrawingHidden);
    EXPECT_FALSE(entry()->isChecked());
    extension->FireCommand(162);
    ASSERT_EQ(drawing.state, kDrawingShown);
    EXPECT_TRUE(entry()->isChecked());
    // Chosen from the menu itself, as the user does.
    entry()->trigger();
    EXPECT_EQ(drawing.state, kDrawingHidden);
    EXPECT_FALSE(entry()->isChecked());
    // Taken by the client, the command changes nothing, and the tick stays as it was.
    events().on(kEventInternalCommand, [](std::span<com::Variant> args) {
        *args[1].i4Ref() = 1;
        return com::S_OK;
    });
    entry()->trigger();
    EXPECT_EQ(drawing.state, kDrawingHidden);
    EXPECT_FALSE(entry()->isChecked());
}

}  // namespace
}  // namespace dravik::test
