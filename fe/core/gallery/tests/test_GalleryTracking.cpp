// The tracking line and the zoom drag of the chart types, driven through the chart's own mouse input
// (the chart hands it to the extension's callback), and the value range they zoom to.
//
// Geometry of the default chart: client 640 x 480, margins left 60, right 20, top 20, bottom 40, so the
// plot runs from x 60 to 620 and y 20 to 440. 20 points over 560 pixels give 28 pixels a point: point
// p (1-based) sits at x = 60 + (p - 0.5) * 28, so point 5 at 186 and point 10 at 326. The value axis 0
// scales automatically to the values 100 .. 123.
#include <QImage>

#include "GalleryFixture.h"
#include "com/EventSink.h"
#include "dravik/Events.h"
#include "gdi/DeviceContext.h"
#include "ui/Input.h"

namespace dravik::test {
namespace {

constexpr LONG kPoint5 = 186;
constexpr LONG kPoint10 = 326;
constexpr LONG kRow = 200;

class TrackingTest : public GalleryFixture {
protected:
    void SetUp() override {
        GalleryFixture::SetUp();
        ASSERT_EQ(activate(5), com::S_OK);
        events().on(kEventStartingZoomAction, [this](std::span<com::Variant>) {
            seen.push_back("start");
            return com::S_OK;
        });
        events().on(kEventEndingZoomAction, [this](std::span<com::Variant> args) {
            seen.push_back("end" + std::to_string(args[0].i2()));
            *args[1].i4Ref() = cancelZoom;
            return com::S_OK;
        });
        chart->UpdateWindow();
    }
    void TearDown() override {
        ui::setShiftStateOverride(std::nullopt);
        GalleryFixture::TearDown();
    }
    QImage surface() { return chart->surface()->image().copy(); }
    LONG capture() {
        LONG on = -1;
        chart->GetMouseCapture(&on);
        return on;
    }

    std::vector<std::string> seen;
    LONG cancelZoom = 0;
};

TEST_F(TrackingTest, AZoomDragRaisesTheZoomEventsAndZoomsToThePointsDraggedOver) {
    chart->model().setZoomMode(true);
    EXPECT_TRUE(chart->buttonDown(kPoint5 + 5, kRow));
    EXPECT_EQ(seen, (std::vector<std::string>{"start"}));
    EXPECT_EQ(capture(), 1);
    EXPECT_TRUE(shared().tracking.zooming);
    EXPECT_TRUE(chart->mouseMove(kPoint10 - 6, kRow + 30));
    EXPECT_EQ(shared().tracking.position, 10.0);
    EXPECT_TRUE(chart->buttonUp(kPoint10, kRow));
    EXPECT_EQ(seen, (std::vector<std::string>{"start", "end1"}));
    EXPECT_FALSE(chart->ownZoomDragging()) << "the chart left the drag to the chart type";
    const auto [first, last] = chart->model().visibleRange(korvel::kXAxis);
    EXPECT_EQ(first, 5.0);
    EXPECT_EQ(last, 10.0);
    const auto [low, high] = chart->model().visibleRange(0);
    EXPECT_EQ(low, 100.0);
    EXPECT_EQ(high, 123.0);
    EXPECT_EQ(type(5).zoomed(), 1);
    EXPECT_EQ(capture(), 0);
    EXPECT_FALSE(shared().tracking.tracking);
}

TEST_F(TrackingTest, ADragBackwardsZoomsToTheOrderedRange) {
    chart->model().setZoomMode(true);
    chart->buttonDown(kPoint10, kRow);
    chart->mouseMove(kPoint5, kRow);
    chart->buttonUp(kPoint5, kRow);
    const auto [first, last] = chart->model().visibleRange(korvel::kXAxis);
    EXPECT_EQ(first, 5.0);
    EXPECT_EQ(last, 10.0);
}

TEST_F(TrackingTest, AHandlerThatCancelsKeepsTheChartUnzoomed) {
    chart->model().setZoomMode(true);
    cancelZoom = 1;
    chart->buttonDown(kPoint5, kRow);
    chart->mouseMove(kPoint10, kRow);
    chart->buttonUp(kPoint10, kRow);
    EXPECT_EQ(seen, (std::vector<std::string>{"start", "end1"}));
    EXPECT_FALSE(chart->model().zoomed());
    EXPECT_EQ(type(5).zoomed(), 0);
}

TEST_F(TrackingTest, AZoomOverOnePointHasNoRangeAndDoesNotZoom) {
    chart->model().setZoomMode(true);
    chart->buttonDown(kPoint5, kRow);
    chart->buttonUp(kPoint5, kRow);
    EXPECT_EQ(seen, (std::vector<std::string>{"start", "end0"}));
    EXPECT_FALSE(chart->model().zoomed());
}

TEST_F(TrackingTest, TheTrackingLineDrawnAndErasedLeavesTheSurfaceUnchanged) {
    shared().trackingOn = true;
    const QImage before = surface();
    EXPECT_TRUE(chart->buttonDown(kPoint5, kRow));
    EXPECT_EQ(seen, std::vector<std::string>{}) << "tracking is no zoom";
    const QImage during = surface();
    EXPECT_NE(during, before);
    // The line runs down the point's column from the plot's top to its bottom.
    EXPECT_NE(during.pixel(kPoint5, 100), before.pixel(kPoint5, 100));
    EXPECT_EQ(during.pixel(kPoint5 + 1, 100), before.pixel(kPoint5 + 1, 100));
    // Moving snaps the line to the nearest point.
    chart->mouseMove(kPoint10 + 9, kRow);
    EXPECT_EQ(shared().tracking.pixel, kPoint10);
    const QImage moved = surface();
    EXPECT_EQ(moved.pixel(kPoint5, 100), before.pixel(kPoint5, 100));
    EXPECT_NE(moved.pixel(kPoint10, 100), before.pixel(kPoint10, 100));
    chart->mouseMove(kPoint10 + 120, kRow);
    chart->buttonUp(kPoint10, kRow);
    EXPECT_EQ(surface(), before);
    EXPECT_FALSE(chart->model().zoomed());
}

TEST_F(TrackingTest, AZoomDragLeavesTheSurfaceUnchangedToo) {
    chart->model().setZoomMode(true);
    const QImage before = surface();
    chart->buttonDown(kPoint5, kRow);
    chart->mouseMove(kPoint10, kRow);
    EXPECT_NE(surface().pixel(kPoint5, 100), before.pixel(kPoint5, 100)) << "the start line stays";
    chart->mouseMove(kPoint5, kRow);
    chart->mouseMove(kPoint10 + 28, kRow);
    chart->buttonUp(kPoint10, kRow);
    EXPECT_EQ(surface(), before);
}

TEST_F(TrackingTest, CancellingErasesTheLinesAndReleasesTheMouse) {
    chart->model().setZoomMode(true);
    const QImage before = surface();
    chart->buttonDown(kPoint5, kRow);
    chart->mouseMove(kPoint10, kRow);
    chart->captureLost(kPoint10, kRow);
    EXPECT_EQ(surface(), before);
    EXPECT_FALSE(shared().tracking.tracking);
    EXPECT_EQ(capture(), 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"start"}));
}

TEST_F(TrackingTest, ADataChangeWhileTrackingEndsTheDragAndReleasesTheMouse) {
    shared().trackingOn = true;
    ASSERT_TRUE(chart->buttonDown(kPoint5, kRow));
    ASSERT_EQ(capture(), 1);
    EXPECT_EQ(extension->NotifyGallery(5, 1), 1);
    EXPECT_FALSE(shared().tracking.tracking);
    EXPECT_EQ(capture(), 0);
    EXPECT_EQ(type(5).OnButtonUp(kPoint5, kRow), 1) << "nothing left to end";
}

TEST_F(TrackingTest, APressOutsideThePlotOrItsPointsStartsNothing) {
    shared().trackingOn = true;
    for (const auto& [x, y] : std::vector<std::pair<LONG, LONG>>{{kPoint5, 20},   // on the top edge
                                                                 {kPoint5, 440},  // on the bottom edge
                                                                 {kPoint5, 470},  // below the plot
                                                                 {60, kRow},      // position 0.5
                                                                 {620, kRow}}) {  // position 20.5
        SCOPED_TRACE(x * 1000 + y);
        EXPECT_EQ(type(5).OnButtonDown(x, y), 1);
        EXPECT_FALSE(shared().tracking.tracking);
    }
    EXPECT_EQ(type(5).OnButtonDown(75, kRow), 0);  // position 1.04
    EXPECT_EQ(shared().tracking.position, 1.0);
    type(5).CancelTracking(korvel::kCancelEscape, 0, 0, 0);
}

TEST_F(TrackingTest, WithoutTrackingOrZoomModeTheChartKeepsItsInput) {
    EXPECT_EQ(type(5).OnButtonDown(kPoint5, kRow), 1);
    EXPECT_FALSE(shared().tracking.tracking);
    EXPECT_EQ(type(5).OnMouseMove(kPoint10, kRow), 1);
    EXPECT_EQ(type(5).OnButtonUp(kPoint10, kRow), 1);
}

TEST_F(TrackingTest, ShiftModeZoomsWithShiftOrInTheChartsZoomModeWhileUnzoomed) {
    shared().extension.options |= kOptionShiftModeZoom;
    ui::setShiftStateOverride(false);
    EXPECT_EQ(type(5).OnButtonDown(kPoint5, kRow), 1) << "no Shift, no zoom mode";
    chart->model().setZoomMode(true);
    EXPECT_EQ(type(5).OnButtonDown(kPoint5, kRow), 0);
    EXPECT_TRUE(shared().tracking.zooming);
    type(5).CancelTracking(korvel::kCancelEscape, 0, 0, 0);
    chart->model().setZoomMode(false);
    ui::setShiftStateOverride(true);
    EXPECT_EQ(type(5).OnButtonDown(kPoint5, kRow), 0);
    EXPECT_TRUE(shared().tracking.zooming);
    type(5).CancelTracking(korvel::kCancelEscape, 0, 0, 0);
}

TEST_F(TrackingTest, ShiftModeOnAZoomedChartNeedsShift) {
    chart->model().setZoomMode(true);
    chart->buttonDown(kPoint5, kRow);
    chart->mouseMove(kPoint10, kRow);
    chart->buttonUp(kPoint10, kRow);
    ASSERT_EQ(type(5).zoomed(), 1);
    shared().extension.options |= kOptionShiftModeZoom;
    ui::setShiftStateOverride(false);
    EXPECT_EQ(type(5).OnButtonDown(kPoint5, kRow), 1);
    EXPECT_FALSE(shared().tracking.tracking);
}

// --- Value ranges --------------------------------------------------------------------------------------

TEST_F(GalleryFixture, AChartTypeWithoutElementsHasNoValueRange) {
    double min = -1;
    double max = -1;
    EXPECT_EQ(type(5).count(), 0);
    EXPECT_EQ(type(5).GetValueRange(0, 5, &min, &max), 0);
    EXPECT_EQ(min, 0.0);
    EXPECT_EQ(max, 0.0);
    type(5).RestoreXRange(0);
    EXPECT_FALSE(chart->model().zoomed());
    EXPECT_EQ(type(5).needsLayout(), 1);
}

TEST_F(GalleryFixture, AnAxisWithoutASpanGivesNoRange) {
    ASSERT_EQ(activate(5), com::S_OK);
    chart->model().setAxisValue(0, 0, 50);
    chart->model().setAxisValue(0, 1, 50);
    double min = 0;
    double max = 0;
    EXPECT_EQ(type(5).GetValueRange(0, 5, &min, &max), 0);
    EXPECT_EQ(type(5).GetValueRange(3, 3, &min, &max), 0);
    chart->model().setAxisValue(0, 1, 80);
    EXPECT_EQ(type(5).GetValueRange(0, 5, &min, &max), 1);
    EXPECT_EQ(min, 50.0);
    EXPECT_EQ(max, 80.0);
}

TEST_F(GalleryFixture, RestoreXRangeKeepsTheVisibleRangeAndClampsItToTheElements) {
    ASSERT_EQ(activate(5), com::S_OK);
    chart->model().setVisibleRange(korvel::kXAxis, 3, 30);
    type(5).RestoreXRange(1);
    chart->model().resetZoom();
    type(5).RestoreXRange(0);
    // Kept 2 .. 29 (0-based), clamped to 2 .. 19, applied as positions 3 .. 20.
    const auto [first, last] = chart->model().visibleRange(korvel::kXAxis);
    EXPECT_EQ(first, 3.0);
    EXPECT_EQ(last, 20.0);
    EXPECT_EQ(type(5).zoomed(), 0);
}

// --- The paint bracket ---------------------------------------------------------------------------------

TEST_F(GalleryFixture, ThePaintBracketSetsThePlotAndTheScaledFlag) {
    ASSERT_EQ(activate(5), com::S_OK);
    CGalleryBase& bar = type(5);
    EXPECT_EQ(bar.OnMouseInput(nullptr, nullptr, 1), 0);
    EXPECT_EQ(bar.scaledDc(), 1);
    EXPECT_EQ(bar.plotRect(), (korvel::KvlRect{59, 20, 621, 440}));
    auto dc = gdi::createImageDC(640, 480);
    EXPECT_EQ(bar.OnActiveNotify(dc.get(), 0, 0), 0);
    EXPECT_EQ(bar.scaledDc(), 0) << "a screen DC's extents agree";
    EXPECT_EQ(bar.firstVisible(), 1);
    EXPECT_EQ(bar.lastVisible(), 20);
    bar.OnMouseInput(nullptr, nullptr, 1);
    EXPECT_EQ(bar.OnKeyInput(nullptr, nullptr, 0), 0);
    EXPECT_EQ(bar.scaledDc(), 0);
    // With a rectangle, the margins are taken from it.
    const korvel::KvlRect page{0, 0, 1000, 800};
    bar.SetViewport(&page);
    EXPECT_EQ(bar.plotRect(), (korvel::KvlRect{59, 20, 981, 760}));
}

TEST_F(GalleryFixture, APaintInZoomModeFitsTheValuesToTheView) {
    ASSERT_EQ(activate(5), com::S_OK);
    chart->model().setAxisValue(0, 0, 90);
    chart->model().setAxisValue(0, 1, 130);
    chart->model().setZoomMode(true);
    auto dc = gdi::createImageDC(640, 480);
    type(5).OnActiveNotify(dc.get(), 0, 0);
    const auto [low, high] = chart->model().visibleRange(0);
    EXPECT_EQ(low, 90.0);
    EXPECT_EQ(high, 130.0);
    EXPECT_TRUE(chart->model().axis(0)->zoomRange.has_value());
    EXPECT_FALSE(chart->model().axis(korvel::kXAxis)->zoomRange.has_value()) << "X left as it was";
}

TEST_F(GalleryFixture, DateStepsAreKeptUnlessOneIsAutomatic) {
    CGalleryBase& bar = type(5);
    bar.SetDateSteps(3, 1, 5, 2);
    EXPECT_EQ(bar.needsLayout(), 0);
    bar.SetDateSteps(-1, 1, 5, 2);
    EXPECT_EQ(bar.needsLayout(), 1);
}

TEST_F(GalleryFixture, ModifiedMakesTheChartTypeDirty) {
    EXPECT_EQ(type(5).IsDirty(), com::S_FALSE);
    type(5).SetModified(1);
    EXPECT_EQ(type(5).IsDirty(), com::S_OK);
}

TEST_F(GalleryFixture, AScrollMarksTheLayoutAndCanSkipItOnce) {
    ASSERT_EQ(activate(5), com::S_OK);
    CGalleryBase& bar = type(5);
    bar.OnScrollChange(0, 10);
    EXPECT_EQ(bar.needsLayout(), 1);
    EXPECT_EQ(bar.skipLayoutOnce(), 0);
    shared().extension.options |= kOptionDateLabelsNoScroll;
    bar.OnHostNotify(0, 10);
    EXPECT_EQ(bar.skipLayoutOnce(), 1);
    auto dc = gdi::createImageDC(640, 480);
    bar.OnActiveNotify(dc.get(), 0, 0);
    EXPECT_EQ(bar.skipLayoutOnce(), 0);
    EXPECT_EQ(bar.needsLayout(), 0);
}

}  // namespace
}  // namespace dravik::test
