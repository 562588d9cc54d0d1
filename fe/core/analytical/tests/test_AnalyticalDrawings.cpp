// The analytical chart's drawings and mouse work in a chart of the control model: painting a drawing
// into a back buffer, the hit test, the XOR rubber band, resizing a study pane by its title edge and
// placing a new drawing with the mouse (confirmed by scripted dialogs).
//
// Geometry of the default chart: plot x 60..620, y 20..440; 20 points over 560 pixels give 28 pixels
// a point, so point p (1-based) sits at x = 60 + (p - 0.5) x 28: point 5 at 186, point 10 at 326.
#include <QImage>
#include <cstring>
#include <limits>

#include <optional>
#include "GalleryFixture.h"
#include "analytical/CAnalyticalChart.h"
#include "com/EventSink.h"
#include "dravik/Commands.h"
#include "dravik/Events.h"
#include "dravik/Identities.h"
#include "drawing/DrawingCommands.h"
#include "extension/DrawingDialogs.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "korvel/KvlSeriesDialog.h"
#include "ostbar/OstBarContract.h"
#include "studyobjects/StudyOwner.h"
#include "ui/ScriptedModalServices.h"

namespace dravik::test {
namespace {

constexpr LONG kPoint5 = 186;
constexpr LONG kPoint10 = 326;
constexpr int kTrendLine = 9;
constexpr gdi::COLORREF kWhite = 0xFFFFFF;

// Dialogs that answer the add dialog as a user would: confirming shows the drawing and raises
// CreatedDrawing, cancelling removes it again.
class ScriptedDialogs final : public IDrawingDialogs {
public:
    bool confirm = true;
    int calls = 0;
    int index = -1;
    DrawingPlacement placement;

    bool RunParameters(IDrawingPageOwner&, IDrawFeature&, std::intptr_t) override { return false; }
    bool RunAddDrawing(IDrawingPageOwner& extension, int at, const DrawingPlacement& where,
                       std::intptr_t) override {
        ++calls;
        index = at;
        placement = where;
        if (!confirm) {
            extension.PageDrawings().DeleteDrawingAt(at);
            return false;
        }
        DrawingRecord* drawing = extension.PageDrawings().list().At(at);
        if (!drawing)
            return false;
        drawing->from = where.from;
        drawing->to = where.to;
        drawing->fromPrice = where.fromPrice;
        drawing->toPrice = where.toPrice;
        drawing->state = kDrawingShown;
        extension.PageDrawings().RaiseEvent(DrawingEvent::Created, at);
        return true;
    }
};

class AnalyticalDrawingsTest : public GalleryFixture {
protected:
    void SetUp() override {
        GalleryFixture::SetUp();
        previous_ = SetDrawingDialogs(&dialogs);
    }
    void TearDown() override {
        SetDrawingDialogs(previous_);
        GalleryFixture::TearDown();
    }
    CAnalyticalChartBase& analytical() {
        return static_cast<CAnalyticalChartBase&>(*extension->gallery(FINANCIAL_ANALYTICAL));
    }
    void show() {
        ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
        chart->UpdateWindow();
    }
    // A shown, free-drawn trend line between two (position, price) anchors.
    int trendLine(double from, double fromPrice, double to, double toPrice) {
        CDrawingList& list = extension->drawingList();
        int index = -1;
        EXPECT_EQ(list.Add(kTrendLine, list.FreeItemCommand(kTrendLine), true, -1, &index), com::S_OK);
        DrawingRecord& drawing = *list.At(index);
        drawing.from = from;
        drawing.fromPrice = fromPrice;
        drawing.to = to;
        drawing.toPrice = toPrice;
        drawing.state = kDrawingShown;
        return index;
    }
    gdi::Point pixelOf(double position, double price) {
        LONG x = 0;
        LONG y = 0;
        chart->ValueToPixel(position, price, &x, &y, analytical().axisRecord(3).controlAxis);
        return {x, y};
    }

    bool enabled(SHORT id) {
        auto toolbar = com::ComPtr<ostbar::IOstCommandBar>(extension->commandBar()).as<ostbar::IOstToolbar>();
        com::ComPtr<ostbar::IOstCommand> command;
        EXPECT_EQ(toolbar->Command(id, command.put()), com::S_OK) << id;
        com::VARIANT_BOOL value = 0;
        command->get_Enabled(&value);
        return value != 0;
    }

    // The entries of a menu of the command bar.
    std::vector<SHORT> menuEntries(SHORT id) {
        auto toolbar = com::ComPtr<ostbar::IOstCommandBar>(extension->commandBar()).as<ostbar::IOstToolbar>();
        com::ComPtr<ostbar::IOstCommand> menu;
        EXPECT_EQ(toolbar->Command(id, menu.put()), com::S_OK) << id;
        SHORT count = 0;
        menu->get_SubCommands(0, &count);
        std::vector<SHORT> entries;
        for (SHORT slot = 0; slot < count; ++slot) {
            SHORT entry = 0;
            menu->get_SubCommand(slot, &entry);
            entries.push_back(entry);
        }
        return entries;
    }

    ScriptedDialogs dialogs;

private:
    IDrawingDialogs* previous_ = nullptr;
};

// The control's price axis runs 99 .. 123.3 over y 440 .. 20: price v sits at 440 - (v - 99) x 420 / 24.3,
// so 105 at 336 and 115 at 163.
constexpr gdi::Point kFrom{kPoint5, 336};
constexpr gdi::Point kTo{kPoint10, 163};

bool paintedNear(const gdi::DeviceContext& dc, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if ((dc.getPixel(x + dx, y + dy) & 0xFFFFFF) != kWhite)
                return true;
        }
    }
    return false;
}

TEST_F(AnalyticalDrawingsTest, ATrendLineIsPaintedAlongItsAnchors) {
    show();
    trendLine(5, 105, 10, 115);
    ASSERT_EQ(pixelOf(5, 105), kFrom);
    ASSERT_EQ(pixelOf(10, 115), kTo);
    auto dc = gdi::createImageDC(640, 480);
    analytical().PaintDrawings(dc.get(), true);
    // Its colour (blue, the drawing default) at both ends and along the line.
    EXPECT_EQ(dc->getPixel(kFrom.x, kFrom.y) & 0xFFFFFF, 0xFF0000u);
    for (double t : {0.25, 0.5, 0.75, 1.0}) {
        const int x = kFrom.x + static_cast<int>(140 * t);
        const int y = kFrom.y - static_cast<int>(173 * t);
        EXPECT_TRUE(paintedNear(*dc, x, y)) << t;
    }
    // Off the line the buffer stays white.
    EXPECT_EQ(dc->getPixel(kFrom.x, kTo.y) & 0xFFFFFF, kWhite);
    EXPECT_EQ(dc->getPixel(kTo.x, kFrom.y) & 0xFFFFFF, kWhite);
    EXPECT_EQ(dc->getPixel(400, 400) & 0xFFFFFF, kWhite);
}

TEST_F(AnalyticalDrawingsTest, InBlackAndWhiteTheLineIsBlack) {
    show();
    chart->model().settings().styleWord |= 0x1000;
    trendLine(5, 105, 10, 115);
    auto dc = gdi::createImageDC(640, 480);
    analytical().PaintDrawings(dc.get(), true);
    EXPECT_EQ(dc->getPixel(kFrom.x, kFrom.y) & 0xFFFFFF, 0x000000u);
}

TEST_F(AnalyticalDrawingsTest, DrawingsOffTheDataOrNotShownAreNotPainted) {
    show();
    trendLine(5, 105, 25, 115);  // point 25 of 20
    extension->drawingList().At(trendLine(5, 105, 10, 115))->state = kDrawingHidden;
    trendLine(5, 105, 10, std::numeric_limits<double>::quiet_NaN());
    auto dc = gdi::createImageDC(640, 480);
    const QImage before = dc->image().copy();
    analytical().PaintDrawings(dc.get(), true);
    EXPECT_EQ(dc->image(), before);
}

TEST_F(AnalyticalDrawingsTest, TheHitTestAnswersTheFirstShownDrawingUnderThePoint) {
    show();
    trendLine(5, 105, 10, 115);
    trendLine(5, 105, 10, 115);
    trendLine(1, 100, 3, 100);
    const int midX = 256;  // half-way: y 249.5
    EXPECT_EQ(analytical().HitTestDrawing(midX, 249), 0);
    // The wide pen (3 pixels) takes a click one pixel off the line.
    EXPECT_EQ(analytical().HitTestDrawing(midX + 1, 249), 0);
    EXPECT_EQ(analytical().HitTestDrawing(midX, 200), -1);
    EXPECT_EQ(analytical().HitTestDrawing(400, 400), -1);
    extension->drawingList().At(0)->state = kDrawingHidden;
    EXPECT_EQ(analytical().HitTestDrawing(midX, 249), 1);
    EXPECT_EQ(analytical().HitTestDrawing(73, 423), 2);  // point 1 at x 73, price 100 at y 440 - 17.3
}

TEST_F(AnalyticalDrawingsTest, ARubberBandDrawnTwiceLeavesTheBufferAsItWas) {
    auto dc = gdi::createImageDC(120, 80);
    const gdi::HBRUSH brush = gdi::createSolidBrush(0x3080C0);
    dc->fillRect({10, 10, 70, 50}, brush);
    gdi::deleteObject(brush);
    const QImage before = dc->image().copy();
    CAnalyticalChartBase::DrawRubberBand(dc.get(), {5, 70}, {110, 5});
    const QImage shown = dc->image().copy();
    EXPECT_NE(shown, before);
    // On white the XOR with white turns the line black; on the fill its inverse.
    EXPECT_EQ(dc->getPixel(5, 70) & 0xFFFFFF, 0x000000u);
    CAnalyticalChartBase::DrawRubberBand(dc.get(), {5, 70}, {110, 5});
    const QImage after = dc->image().copy();
    ASSERT_EQ(after.sizeInBytes(), before.sizeInBytes());
    EXPECT_EQ(
        std::memcmp(after.constBits(), before.constBits(), static_cast<std::size_t>(before.sizeInBytes())),
        0);
}

TEST_F(AnalyticalDrawingsTest, ANewDrawingIsPlacedByPressDragAndReleaseAndConfirmed) {
    show();
    std::vector<std::pair<LONG, SHORT>> created;
    events().on(kEventCreatedDrawing, [&](std::span<com::Variant> args) {
        created.emplace_back(args[0].i4(), args[1].i2());
        return com::S_OK;
    });
    ASSERT_EQ(extension->FireCommand(ID_NEW_TREND_LINE), com::S_OK);
    ASSERT_EQ(extension->drawingList().Count(), 1);
    EXPECT_EQ(extension->drawingList().At(0)->state, kDrawingBeingPlaced);
    EXPECT_EQ(extension->drawingList().At(0)->toolCommand, 162);  // the first trend-line item
    chart->buttonDown(kFrom.x, kFrom.y);
    chart->mouseMove(250, 250);
    chart->mouseMove(kTo.x, kTo.y);
    EXPECT_EQ(dialogs.calls, 0);
    chart->buttonUp(kTo.x, kTo.y);
    ASSERT_EQ(dialogs.calls, 1);
    EXPECT_EQ(dialogs.index, 0);
    EXPECT_DOUBLE_EQ(dialogs.placement.from, 5.0);
    EXPECT_DOUBLE_EQ(dialogs.placement.to, 10.0);
    EXPECT_NEAR(dialogs.placement.fromPrice, 105.0, 0.06);  // one pixel is 24.3 / 420 = 0.058
    EXPECT_NEAR(dialogs.placement.toPrice, 115.0, 0.06);
    EXPECT_EQ(created, (std::vector<std::pair<LONG, SHORT>>{{9, 0}}));
    EXPECT_EQ(extension->drawingList().At(0)->state, kDrawingShown);
    // The trend-line menu (160) lists the new drawing's item after new (77), remove all (161) and a
    // separator.
    EXPECT_EQ(menuEntries(160), (std::vector<SHORT>{77, 161, -1, 162}));
    LONG capture = -1;
    chart->GetMouseCapture(&capture);
    EXPECT_EQ(capture, 0);
}

TEST_F(AnalyticalDrawingsTest, APlacingThatEndsOutsideThePlotOrIsCancelledKeepsNothing) {
    show();
    extension->FireCommand(ID_NEW_TREND_LINE);
    chart->buttonDown(5, 5);  // above and left of the plot
    EXPECT_EQ(extension->drawingList().Count(), 0);
    extension->FireCommand(ID_NEW_TREND_LINE);
    chart->buttonDown(kFrom.x, kFrom.y);
    chart->buttonUp(630, 300);  // right of the plot
    EXPECT_EQ(extension->drawingList().Count(), 0);
    EXPECT_EQ(dialogs.calls, 0);
    dialogs.confirm = false;
    extension->FireCommand(ID_NEW_TREND_LINE);
    chart->buttonDown(kFrom.x, kFrom.y);
    chart->buttonUp(kTo.x, kTo.y);
    EXPECT_EQ(dialogs.calls, 1);
    EXPECT_EQ(extension->drawingList().Count(), 0);
    EXPECT_EQ(menuEntries(160), (std::vector<SHORT>{77, 161, -1}));
}

TEST_F(AnalyticalDrawingsTest, TheClientMayTakeACommandAndTheSixthDrawingDisablesNew) {
    show();
    LONG take = 1;
    events().on(kEventInternalCommand, [&](std::span<com::Variant> args) {
        *args[1].i4Ref() = take;
        return com::S_OK;
    });
    extension->FireCommand(ID_NEW_TREND_LINE);
    EXPECT_EQ(extension->drawingList().Count(), 0);
    take = 0;
    for (int i = 0; i < 5; ++i)
        trendLine(1, 100, 2, 101);
    EXPECT_TRUE(enabled(ID_NEW_TREND_LINE));
    extension->FireCommand(ID_NEW_TREND_LINE);
    EXPECT_EQ(extension->drawingList().CountOfKind(kTrendLine), 6);
    EXPECT_FALSE(enabled(ID_NEW_TREND_LINE));
    // Removing all of the kind gives the command back.
    EXPECT_EQ(menuEntries(160), (std::vector<SHORT>{77, 161, -1, 162, 163, 164, 165, 166, 167}));
    extension->FireCommand(161);
    EXPECT_EQ(extension->drawingList().Count(), 0);
    EXPECT_EQ(menuEntries(160), (std::vector<SHORT>{77, 161, -1}));
    EXPECT_TRUE(enabled(ID_NEW_TREND_LINE));
}

TEST_F(AnalyticalDrawingsTest, AnItemCommandShowsAndHidesItsDrawing) {
    show();
    trendLine(5, 105, 10, 115);
    extension->FireCommand(162);
    EXPECT_EQ(extension->drawingList().At(0)->state, kDrawingHidden);
    extension->FireCommand(162);
    EXPECT_EQ(extension->drawingList().At(0)->state, kDrawingShown);
    EXPECT_EQ(analytical().MapDrawingCommand(161), -1);  // remove all is not one of them
    EXPECT_EQ(analytical().MapDrawingCommand(80), -1);
    EXPECT_EQ(analytical().MapDrawingCommand(168), -1);
}

TEST_F(AnalyticalDrawingsTest, AClickOnADrawingSelectsItAndItsHandlesMoveAnEnd) {
    shared().extension.options |= kOptionDrawingsMoveable;
    show();
    trendLine(5, 105, 10, 115);
    std::vector<SHORT> moved;
    events().on(kEventMovedDrawing, [&](std::span<com::Variant> args) {
        moved.push_back(args[1].i2());
        return com::S_OK;
    });
    chart->buttonDown(256, 249);
    chart->buttonUp(256, 249);
    EXPECT_EQ(analytical().selectedDrawing(), 0);
    // The handle of the second end: drag it a little past point 15. The end goes onto point 15, whose
    // date its text shows: while the date scale has no dates its x value is the position.
    const gdi::Point point15 = pixelOf(15.4, 115);
    chart->buttonDown(kTo.x + 2, kTo.y - 2);
    chart->mouseMove(point15.x, point15.y);
    chart->buttonUp(point15.x, point15.y);
    EXPECT_DOUBLE_EQ(extension->drawingList().At(0)->to, 15.0);
    EXPECT_DOUBLE_EQ(extension->drawingList().At(0)->xTo, 15.0);
    EXPECT_DOUBLE_EQ(extension->drawingList().At(0)->from, 5.0);
    EXPECT_EQ(moved, (std::vector<SHORT>{0}));
    // A click on nothing drops the selection.
    chart->buttonDown(400, 420);
    chart->buttonUp(400, 420);
    EXPECT_EQ(analytical().selectedDrawing(), -1);
}

class PaneResizeTest : public AnalyticalDrawingsTest {
protected:
    // A user study of one output on user series 5 (10 .. 20) in a pane of 15 % with a gap of 3 %.
    void SetUp() override {
        AnalyticalDrawingsTest::SetUp();
        fillChart(6, kPoints);
        for (LONG p = 0; p < kPoints; ++p)
            chart->model().setValue(1, 5, p, p == 0 ? 10.0 : p == 1 ? 20.0 : 15.0);
        StudyRecord& record = *extension->studyRecord(38);
        record.subIndicators = 1;
        record.visible = 1;
        record.space = 15;
        record.spaceGap = 3;
        show();
        ASSERT_EQ(analytical().axisRecord(0).study, 38);
        analytical().ComputeTitleRects();
    }
    const std::array<LONG, 4>& title() { return analytical().axisRecord(0).titleRect; }
    StudyRecord& study() { return *extension->studyRecord(38); }
};

// The pane's band: data from 440 - 15 % of 420 = 377 down; its title from one pixel below the price
// pane's data minimum (18 % up: 364.4) to one pixel above its own data maximum.
TEST_F(PaneResizeTest, TitleRectanglesFollowThePanes) {
    EXPECT_EQ(title(), (std::array<LONG, 4>{59, 365, 621, 376}));
    EXPECT_EQ(analytical().axisRecord(3).titleRect, (std::array<LONG, 4>{59, 20, 621, 365}));
}

TEST_F(PaneResizeTest, DraggingTheBottomEdgeMovesSizeIntoTheGap) {
    chart->buttonDown(300, 375);  // the row just above the title's bottom edge
    chart->mouseMove(300, 400);
    chart->mouseMove(300, 417);
    chart->buttonUp(300, 417);
    // 42 pixels of a 420 pixel plot: 10 %.
    EXPECT_EQ(study().spaceGap, 13);
    EXPECT_EQ(study().space, 5);
    EXPECT_EQ(analytical().axisRecord(0).gap, 13);
    EXPECT_EQ(analytical().axisRecord(0).size, 5);
    EXPECT_EQ(analytical().axisRecord(3).size, 100 - 18);
}

TEST_F(PaneResizeTest, TheBottomEdgeStopsFourPixelsAboveThePlotBottom) {
    chart->buttonDown(300, 375);
    chart->mouseMove(300, 470);
    chart->buttonUp(300, 470);
    // Stopped at 436: 61 pixels, 14.5 % truncated to 14.
    EXPECT_EQ(study().spaceGap, 17);
    EXPECT_EQ(study().space, 1);
}

TEST_F(PaneResizeTest, DraggingTheTopEdgeMovesTheWholeTitle) {
    chart->buttonDown(300, 365);
    chart->mouseMove(300, 323);
    chart->buttonUp(300, 323);
    // 42 pixels up: the pane grows by 10 %, the gap stays.
    EXPECT_EQ(study().space, 25);
    EXPECT_EQ(study().spaceGap, 3);
}

TEST_F(PaneResizeTest, ThePricePaneKeepsATenthOfThePlot) {
    chart->buttonDown(300, 365);
    chart->mouseMove(300, 30);
    chart->buttonUp(300, 30);
    // Stopped at 365 - 345 + 42 + 4 = 66: 299 pixels up, -71.2 % truncated toward zero to -71.
    EXPECT_EQ(study().space, 86);
    EXPECT_EQ(study().spaceGap, 3);
}

TEST_F(PaneResizeTest, AClickBesideTheEdgesResizesNothing) {
    chart->buttonDown(300, 370);
    chart->mouseMove(300, 400);
    chart->buttonUp(300, 400);
    EXPECT_EQ(study().space, 15);
    EXPECT_EQ(study().spaceGap, 3);
}

TEST_F(PaneResizeTest, TheTrackingLineLeavesOutThePaneTitle) {
    shared().trackingOn = true;
    const QImage before = chart->surface()->image().copy();
    chart->buttonDown(kPoint5, 200);
    const QImage shown = chart->surface()->image().copy();
    // Inverted in the price pane and in the study pane, untouched on the title rows 365 .. 375.
    EXPECT_NE(shown.pixel(kPoint5, 200), before.pixel(kPoint5, 200));
    EXPECT_NE(shown.pixel(kPoint5, 400), before.pixel(kPoint5, 400));
    for (int y = 366; y < 376; ++y)
        EXPECT_EQ(shown.pixel(kPoint5, y), before.pixel(kPoint5, y)) << y;
    chart->buttonUp(kPoint5, 200);
    EXPECT_EQ(chart->surface()->image(), before);
}

TEST_F(AnalyticalDrawingsTest, PriceAndStudyCommandsReachTheExtension) {
    show();
    std::vector<LONG> galleries;
    events().on(kEventChangePriceGallery, [&](std::span<com::Variant> args) {
        galleries.push_back(args[0].i4());
        return com::S_OK;
    });
    extension->FireCommand(6);  // high-low-close
    EXPECT_EQ(galleries, (std::vector<LONG>{1}));
    EXPECT_EQ(shared().priceDisplay, 1);
    const LONG average = 10;  // study 0
    extension->FireCommand(average);
    EXPECT_EQ(extension->studyRecord(0)->visible, 1);
    extension->FireCommand(average);
    EXPECT_EQ(extension->studyRecord(0)->visible, 0);
    // A menu header does nothing, and the client hears of it.
    EXPECT_EQ(analytical().HandleChartCommand(78), 0);
    EXPECT_EQ(analytical().HandleChartCommand(200), 1);
}

TEST_F(AnalyticalDrawingsTest, TheContextMenuOfAStudySeriesSetsItsGallery) {
    extension->studyRecord(0)->visible = 1;  // moving average of the close, on the price pane
    show();
    chart->model().settings().chartFlags |= kChartFlagContextMenu;
    ui::ScriptedModalServices modal;
    // Its output is series 5, 106.5 at point 10.
    const gdi::Point at = pixelOf(10, 106.5);
    LONG series = -1;
    LONG point = -1;
    SHORT code = 0;
    chart->HitTest(at.x, at.y, &series, &point, &code);
    ASSERT_EQ(code, korvel::kHitSeries);
    ASSERT_EQ(series, 5);
    modal.answerMenu(ID_LINE_GALLERY);
    // The control model hands only axis clicks on: the chart type's operation is called directly.
    EXPECT_EQ(analytical().OnAxisRightClick(at.x, at.y), 0);
    ASSERT_EQ(modal.questions().size(), 1u);
    EXPECT_EQ(modal.questions()[0].kind, ui::ScriptedModalServices::Kind::Menu);
    EXPECT_EQ(extension->studyRecord(0)->series[0].gallery, 1);
    // A price indicator cannot show as an area.
    EXPECT_FALSE(enabled(ID_AREA_GALLERY));
    // The bar entry takes the control's default gallery, which cannot be read here: 2.
    modal.answerMenu(ID_BAR_GALLERY);
    analytical().OnAxisRightClick(at.x, at.y);
    EXPECT_EQ(extension->studyRecord(0)->series[0].gallery, 2);
    // A price series opens its own menu; a click on nothing opens none.
    const gdi::Point close = pixelOf(5, 106);
    analytical().OnAxisRightClick(close.x, close.y);
    EXPECT_EQ(modal.questions().size(), 3u);
    EXPECT_EQ(analytical().OnAxisRightClick(400, 60), 1);
    EXPECT_EQ(modal.questions().size(), 3u);
}

}  // namespace
}  // namespace dravik::test

namespace dravik::test {
namespace {

// The series context menu's colour and property commands, the removal of all drawings of a kind and
// the chart's command lock, through the chart's command bar and menus. Series 5 is the moving
// average of study 0, 106.5 at point 10.
class AnalyticalSeriesCommandsTest : public AnalyticalDrawingsTest {
protected:
    void SetUp() override {
        AnalyticalDrawingsTest::SetUp();
        extension->studyRecord(0)->visible = 1;
        show();
        chart->model().settings().chartFlags |= kChartFlagContextMenu;
        events().on(kEventInternalCommand, [this](std::span<com::Variant> args) {
            offered.push_back(args[0].i4());
            *args[1].i4Ref() = take;
            return com::S_OK;
        });
    }
    // Opens the context menu of the moving average's series and chooses `command` in it; `then`
    // answers the menu that command opens, if any.
    void chooseOnSeries(SHORT command, std::optional<int> then = std::nullopt) {
        modal.answerMenu(command);
        if (then)
            modal.answerMenu(*then);
        const gdi::Point at = pixelOf(10, 106.5);
        ASSERT_EQ(analytical().OnAxisRightClick(at.x, at.y), 0);
    }
    LONG chartColor(LONG series) { return chart->model().series(series)->attributes[korvel::kAttrColor]; }

    ui::ScriptedModalServices modal;
    std::vector<LONG> offered;
    LONG take = 0;
};

TEST_F(AnalyticalSeriesCommandsTest, TheColourCommandOpensThePaletteAndColoursTheSeries) {
    chooseOnSeries(ID_SERIESCOLOR, 3);  // the third colour of the chart's palette
    EXPECT_EQ(offered, (std::vector<LONG>{ID_SERIESCOLOR}));
    ASSERT_EQ(modal.questions().size(), 2u);
    const auto& palette = modal.questions()[1];
    EXPECT_EQ(palette.kind, ui::ScriptedModalServices::Kind::Menu);
    ASSERT_EQ(palette.style, 16) << "one cell per colour of the chart's palette";
    // A cell of 12 x 12 pixels, 3 pixels from the next.
    const QImage& third = palette.ownerDrawn[2];
    EXPECT_EQ(third.size(), QSize(15, 15));
    EXPECT_EQ(third.pixel(1, 1), qRgb(0, 0, 0xFF));
    EXPECT_EQ(third.pixel(12, 12), qRgb(0, 0, 0xFF));
    EXPECT_EQ(third.pixel(13, 13), qRgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(third.pixel(0, 0), qRgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(chartColor(5), 0xFF0000);
    EXPECT_EQ(extension->studyRecord(0)->series[0].color[0], 0xFF0000u);
    // The chart is given the study's attributes again before each paint: the colour stays.
    auto screen = gdi::createImageDC(640, 480);
    chart->paint(screen.get(), korvel::KvlRect{0, 0, 640, 480}, false);
    EXPECT_EQ(chartColor(5), 0xFF0000);
    // A dismissed palette changes nothing.
    chooseOnSeries(ID_SERIESCOLOR, 0);
    EXPECT_EQ(chartColor(5), 0xFF0000);
}

TEST_F(AnalyticalSeriesCommandsTest, ThePropertiesCommandOpensTheChartsSeriesDialog) {
    korvel::KvlSeriesLook shown;
    bool confirm = true;
    chart->setSeriesDialogRunner([&](QWidget*, korvel::KvlSeriesLook& look) {
        shown = look;
        look.color = 0x123456;
        look.lineWidth = 3;
        return confirm;
    });
    const LONG before = chartColor(5);
    confirm = false;
    chooseOnSeries(ID_SERPROPERTIES);
    EXPECT_EQ(shown.color, before);
    EXPECT_EQ(chartColor(5), before) << "a cancelled dialog changes nothing";
    confirm = true;
    chooseOnSeries(ID_SERPROPERTIES);
    EXPECT_EQ(offered, (std::vector<LONG>{ID_SERPROPERTIES, ID_SERPROPERTIES}));
    EXPECT_EQ(extension->studyRecord(0)->series[0].color[0], 0x123456u);
    EXPECT_EQ(extension->studyRecord(0)->series[0].lineWidth[0], 3);
    auto screen = gdi::createImageDC(640, 480);
    chart->paint(screen.get(), korvel::KvlRect{0, 0, 640, 480}, false);
    EXPECT_EQ(chartColor(5), 0x123456);
    EXPECT_EQ(chart->model().series(5)->attributes[korvel::kAttrLineWidth], 3);
    // The client may take the command: no dialog then.
    take = 1;
    shown = {};
    chooseOnSeries(ID_SERPROPERTIES);
    EXPECT_EQ(shown.color, 0);
}

TEST_F(AnalyticalSeriesCommandsTest, RemovingAllDrawingsOfAKindIsOfferedToTheClientFirst) {
    trendLine(1, 100, 2, 101);
    trendLine(3, 100, 4, 101);
    take = 1;
    extension->FireCommand(DeleteAllDrawingsCommand(kTrendLine));
    EXPECT_EQ(offered, (std::vector<LONG>{161}));
    EXPECT_EQ(extension->drawingList().Count(), 2);
    take = 0;
    extension->FireCommand(161);
    EXPECT_EQ(extension->drawingList().Count(), 0);
}

TEST_F(AnalyticalSeriesCommandsTest, TheCommandLockLetsACommandBeOfferedButDoNothing) {
    constexpr LONG kAverage = 10;  // study 0
    // A command brought about while another acts (here from inside the series dialog) does nothing.
    chart->setSeriesDialogRunner([&](QWidget*, korvel::KvlSeriesLook&) {
        EXPECT_TRUE(analytical().commandLocked());
        extension->FireCommand(kAverage);
        return false;
    });
    chooseOnSeries(ID_SERPROPERTIES);
    EXPECT_EQ(offered, (std::vector<LONG>{ID_SERPROPERTIES, kAverage}));
    EXPECT_EQ(extension->studyRecord(0)->visible, 1);
    EXPECT_FALSE(analytical().commandLocked());
    analytical().setCommandLock(true);
    extension->FireCommand(kAverage);
    EXPECT_EQ(extension->studyRecord(0)->visible, 1);
    analytical().setCommandLock(false);
    extension->FireCommand(kAverage);
    EXPECT_EQ(extension->studyRecord(0)->visible, 0);
}

// The chart type's property page follows what the user pointed at.
TEST_F(AnalyticalSeriesCommandsTest, ThePropertiesPageIsTheDrawingsOrTheStudiesPage) {
    // What the chart asks of the extension when its Properties command opens the chart type's page.
    const auto page = [this]() -> std::optional<com::CLSID> {
        com::CLSID clsid{};
        if (extension->GetPageClsid(FINANCIAL_ANALYTICAL, 1, &clsid) != com::S_OK)
            return std::nullopt;
        return clsid;
    };
    EXPECT_EQ(page(), CLSID_Indices);
    trendLine(5, 105, 10, 115);
    analytical().SelectDrawing(0);
    EXPECT_EQ(page(), CLSID_DrawPage);
    analytical().SelectDrawing(-1);
    chooseOnSeries(0);  // the menu is dismissed; the series stays the one pointed at
    EXPECT_EQ(page(), CLSID_Indices);
    // The close series: its page is the chart's own, which this chart type does not name.
    modal.answerMenu(0);
    const gdi::Point close = pixelOf(5, 106);
    analytical().OnAxisRightClick(close.x, close.y);
    EXPECT_EQ(page(), std::nullopt);
}

}  // namespace
}  // namespace dravik::test

namespace dravik::test {
namespace {

// Drawings against the data: 20 points of prices 100 + p (close series 3: 103 .. 122).
class DrawingRangesTest : public AnalyticalDrawingsTest {
protected:
    std::int16_t stateOf(int index) { return extension->drawingList().At(index)->state; }
    // New data, as the chart tells its active chart type.
    void dataOf(LONG points) {
        fillChart(kSeries, points);
        extension->NotifyGallery(FINANCIAL_ANALYTICAL, 1);
    }
};

TEST_F(DrawingRangesTest, ADrawingOffTheDataIsHiddenByRangeAndComesBackAsItWas) {
    show();
    const int shown = trendLine(5, 105, 15, 115);
    const int hidden = trendLine(2, 105, 12, 115);
    extension->drawingList().At(hidden)->state = kDrawingHidden;
    const int inside = trendLine(1, 105, 8, 110);
    dataOf(10);
    EXPECT_EQ(stateOf(shown), kDrawingShownByRange);
    EXPECT_EQ(stateOf(hidden), kDrawingHiddenByRange);
    EXPECT_EQ(stateOf(inside), kDrawingShown);
    dataOf(20);
    EXPECT_EQ(stateOf(shown), kDrawingShown);
    EXPECT_EQ(stateOf(hidden), kDrawingHidden);
    EXPECT_EQ(stateOf(inside), kDrawingShown);
}

TEST_F(DrawingRangesTest, ADisabledDrawingStaysDisabledInsideTheData) {
    show();
    const int index = trendLine(5, 105, 15, 115);
    DrawingRecord& drawing = *extension->drawingList().At(index);
    drawing.state = kDrawingShownByRange;
    drawing.lock = 1;
    dataOf(20);
    EXPECT_EQ(stateOf(index), kDrawingShownByRange);
}

TEST_F(DrawingRangesTest, RestrictedToThePriceRangeADrawingAbovePricesIsHidden) {
    constexpr LONG kRestrictToPriceRange = 4;
    show();
    const int above = trendLine(5, 105, 10, 900);
    const int within = trendLine(5, 105, 10, 115);
    dataOf(20);
    EXPECT_EQ(stateOf(above), kDrawingShown) << "without the option the price range does not matter";
    shared().extension.options |= kRestrictToPriceRange;
    dataOf(20);
    EXPECT_EQ(stateOf(above), kDrawingShownByRange);
    EXPECT_EQ(stateOf(within), kDrawingShown);
    shared().extension.options &= ~kRestrictToPriceRange;
    dataOf(20);
    EXPECT_EQ(stateOf(above), kDrawingShown);
}

}  // namespace
}  // namespace dravik::test
