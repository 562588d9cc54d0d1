// The chart's application-facing side: its events with by-reference results, the area tips, its own
// commands, the conversions between pixels and values, zooming and scrolling, and its members.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "KvlTestCharts.h"
#include "com/ComObject.h"
#include "com/Dispatch.h"
#include "korvel/KvlChart.h"
#include "korvel/testing/KvlRecordingExtension.h"
#include "ostbar/OstBarContract.h"

namespace korvel {
namespace {

using testing::KvlRecordingExtension;
using Log = std::vector<std::string>;

// An application sink: records each event, reads the tip during GetTip and answers by reference as
// the handlers it stands for would.
class Sink final : public test::EventSink<Sink> {
public:
    KvlChart* chart = nullptr;
    Log events;
    std::vector<std::string> tipsSeen;
    std::map<com::DISPID, LONG> results;  // by-reference result to hand back per event
    std::function<void(LONG*, LONG*)> moveXY;

    HRESULT Invoke(com::DISPID dispid, std::span<com::Variant> args) override {
        if (dispid == kEventGetTip) {
            com::Bstr tip;
            chart->get_TipText(&tip);
            tipsSeen.push_back(tip.toUtf8());
        }
        if (dispid == kEventMouseMoving && moveXY)
            moveXY(args[0].i4Ref(), args[1].i4Ref());
        if (const auto found = results.find(dispid); found != results.end() && !args.empty())
            if (LONG* result = args.back().i4Ref())
                *result = found->second;
        // Recorded as the chart reads the arguments back.
        std::string entry = std::to_string(dispid);
        for (const com::Variant& arg : args) {
            com::Variant value = arg.dereferenced();
            value.changeType(com::VT_I4);
            entry += " " + std::to_string(value.i4());
        }
        events.push_back(entry);
        return com::S_OK;
    }
};

class KvlChartEventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(KvlRecordingExtension::startTest(), com::S_OK);
        chart = KvlChart::create();
        chart->model().setClientSize(640, 480);  // plot 60..620 x 20..440
        test::bindOhlc(*chart, test::twentyDays());
        sink = com::makeComObject<Sink>();
        sink->chart = chart.get();
        ASSERT_EQ(chart->events().Advise(sink.get(), &cookie), com::S_OK);
    }
    void TearDown() override { chart->events().Unadvise(cookie); }

    bool checked(SHORT id) { return chart->commandBar().table()->find(id)->checked; }

    com::ComPtr<KvlChart> chart;
    com::ComPtr<Sink> sink;
    com::DWORD cookie = 0;
};

// --- tips ----------------------------------------------------------------------------------------------

TEST_F(KvlChartEventsTest, AreaTipsCarryTheirNamesAndTheApplicationSuppressesThem) {
    struct Probe {
        LONG x, y;
        const char* name;
    };
    chart->model().texts()[kTextTitle] = "Title";
    const Probe probes[] = {
        {30, 200, "Y Axis"},    {630, 200, "Y Axis"},   {300, 460, "X Axis"},
        {300, 5, "&Top title"}, {5, 460, "Chart area"},
    };
    for (const Probe& probe : probes) {
        sink->tipsSeen.clear();
        EXPECT_EQ(chart->tipToShow(probe.x, probe.y), std::optional<std::string>(probe.name));
        EXPECT_EQ(sink->tipsSeen, (std::vector<std::string>{probe.name}));
    }
    // The application's handler: result 1 suppresses the tip.
    sink->results[kEventGetTip] = 1;
    EXPECT_EQ(chart->tipToShow(300, 460), std::nullopt);
    sink->results.clear();
    // Emptying TipText during the event shows none either.
    struct Emptying final : test::EventSink<Emptying> {
        KvlChart* chart = nullptr;
        HRESULT Invoke(com::DISPID dispid, std::span<com::Variant>) override {
            if (dispid == kEventGetTip)
                chart->put_TipText(com::Bstr(u""));
            return com::S_OK;
        }
    };
    auto emptying = com::makeComObject<Emptying>();
    emptying->chart = chart.get();
    com::DWORD second = 0;
    ASSERT_EQ(chart->events().Advise(emptying.get(), &second), com::S_OK);
    EXPECT_EQ(chart->tipToShow(300, 460), std::nullopt);
    chart->events().Unadvise(second);
}

TEST_F(KvlChartEventsTest, GetTipTellsTheSeriesAndPointUnderTheMouse) {
    chart->model().setPointLegend(4, "day 5");
    LONG x = 0, y = 0;
    ASSERT_EQ(chart->ValueToPixel(5, test::twentyDays().close[4], &x, &y, 0), com::S_OK);
    const std::optional<std::string> tip = chart->tipToShow(x, y);
    ASSERT_FALSE(sink->events.empty());
    const std::string& raised = sink->events.back();
    EXPECT_EQ(raised.substr(0, 2), "1 ");
    EXPECT_NE(raised.find(" 4 0"), std::string::npos) << raised << ": point 4, result 0";
    EXPECT_EQ(tip, std::optional<std::string>("day 5"));
    sink->results[kEventGetTip] = 1;
    EXPECT_EQ(chart->tipToShow(x, y), std::nullopt);
}

// --- commands ------------------------------------------------------------------------------------------

TEST_F(KvlChartEventsTest, InternalCommandWithResultOneCancelsTheZoomCommand) {
    sink->results[kEventInternalCommand] = 1;
    ASSERT_EQ(chart->RunCommand(kCommandZoom, 0), com::S_OK);
    EXPECT_EQ(sink->events, (Log{"2 29448 1"}));
    EXPECT_FALSE(chart->model().zoomMode()) << "the chart's own action did not run";
    LONG mode = 1;
    chart->GetZoomMode(&mode);
    EXPECT_EQ(mode, 0);
    EXPECT_TRUE(checked(kCommandZoom)) << "the check mark switched before the event, as the handler reads it";

    sink->events.clear();
    sink->results.clear();
    ASSERT_EQ(chart->RunCommand(kCommandZoom, 0), com::S_OK);  // unchecks: zoom mode stays off
    ASSERT_EQ(chart->RunCommand(kCommandZoom, 0), com::S_OK);
    EXPECT_TRUE(chart->model().zoomMode());
    EXPECT_EQ(sink->events, (Log{"2 29448 0", "6 29448", "2 29448 0", "6 29448"}))
        << "InternalCommand before the action, Command after it";
    EXPECT_EQ(chart->RunCommand(12345, 0), com::E_INVALIDARG);
}

TEST_F(KvlChartEventsTest, ZoomOutShowsEverythingAndClearsTheZoomCommand) {
    chart->RunCommand(kCommandZoom, 0);
    ASSERT_EQ(chart->ShowRange(3.5, 8, 9.5, 12), com::S_OK);
    com::VARIANT_BOOL zoomed = 0;
    chart->get_Zoom(&zoomed);
    EXPECT_EQ(zoomed, com::VARIANT_TRUE);
    chart->RunCommand(kCommandZoomOut, 0);
    EXPECT_FALSE(chart->model().zoomed());
    EXPECT_FALSE(checked(kCommandZoom));
    chart->get_Zoom(&zoomed);
    EXPECT_EQ(zoomed, com::VARIANT_FALSE);
    // The application's own zoom out: ShowRange (0, 0, PointCount, 0).
    ASSERT_EQ(chart->ShowRange(3.5, 8, 9.5, 12), com::S_OK);
    ASSERT_EQ(chart->ShowRange(0, 0, 20, 0), com::S_OK);
    EXPECT_FALSE(chart->model().zoomed());
    EXPECT_EQ(chart->model().visibleRange(kXAxis), std::make_pair(0.5, 20.5));
    EXPECT_EQ(chart->model().visibleRange(0), std::make_pair(6.5, 13.5));
    EXPECT_EQ(chart->ShowRange(std::nan(""), 0, 20, 0), com::E_INVALIDARG);

    // Zoom = False shows everything again and tells the extensions of the range.
    ASSERT_EQ(KvlRecordingExtension::startTest(), com::S_OK);
    com::ComPtr<com::IUnknown> extension;
    ASSERT_EQ(chart->AddExtension(com::Bstr(u"Korvel.RecordingExtension"), extension.put()), com::S_OK);
    ASSERT_EQ(chart->put_ChartType(kFirstExtensionGalleryType), com::S_OK);
    ASSERT_EQ(chart->ShowRange(3.5, 8, 9.5, 12), com::S_OK);
    KvlRecordingExtension::log().clear();
    ASSERT_EQ(chart->put_Zoom(com::VARIANT_FALSE), com::S_OK);
    EXPECT_FALSE(chart->model().zoomed());
    EXPECT_EQ(KvlRecordingExtension::log(), (Log{"OnScrollChange(0,19)"}));

    // Points on the edges of the range are drawn there, so the extensions fit them too.
    KvlRecordingExtension::log().clear();
    ASSERT_EQ(chart->ZoomTo(3, 8, 9, 12), com::S_OK);
    EXPECT_EQ(KvlRecordingExtension::log(), (Log{"OnScrollChange(2,8)"}));
}

TEST_F(KvlChartEventsTest, GridAndLegendCommandsSwitchWhatIsDrawnAndTheirChecksFollow) {
    // The chart draws both grids of its own and no legend box: the bar says so before any click.
    EXPECT_TRUE(checked(kCommandVerticalGrid));
    EXPECT_TRUE(checked(kCommandHorizontalGrid));
    EXPECT_FALSE(checked(kCommandLegendBox));
    double shown = -1;
    chart->RunCommand(kCommandHorizontalGrid, 0);
    chart->model().axisValue(0, kAxisGridShown, &shown);
    EXPECT_EQ(shown, 0);
    EXPECT_FALSE(checked(kCommandHorizontalGrid));
    chart->RunCommand(kCommandHorizontalGrid, 0);
    chart->model().axisValue(0, kAxisGridShown, &shown);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(checked(kCommandHorizontalGrid));
    chart->RunCommand(kCommandVerticalGrid, 0);
    chart->model().axisValue(kXAxis, kAxisGridShown, &shown);
    EXPECT_EQ(shown, 0);
    EXPECT_FALSE(checked(kCommandVerticalGrid));
    chart->RunCommand(kCommandLegendBox, 0);
    EXPECT_EQ(chart->model().legendBox().visible, 1);
    EXPECT_TRUE(checked(kCommandLegendBox));
    chart->RunCommand(kCommandLegendBox, 0);
    EXPECT_EQ(chart->model().legendBox().visible, 0);
    EXPECT_FALSE(checked(kCommandLegendBox));

    // Switched from outside (an extension, a template), the buttons catch up with the next paint.
    chart->model().setAxisValue(kXAxis, kAxisGridShown, 1);
    chart->model().legendBox().visible = 1;
    chart->paintSurface();
    EXPECT_TRUE(checked(kCommandVerticalGrid));
    EXPECT_TRUE(checked(kCommandLegendBox));
    chart->RunCommand(kCommandVerticalGrid, 0);
    chart->model().axisValue(kXAxis, kAxisGridShown, &shown);
    EXPECT_EQ(shown, 0) << "the click turns over what is drawn, not the old check mark";
}

TEST_F(KvlChartEventsTest, ZoomOutIsEnabledExactlyWhileSomethingIsZoomed) {
    const auto zoomOutEnabled = [&] {
        return chart->commandBar().table()->find(static_cast<SHORT>(kCommandZoomOut))->enabled;
    };
    EXPECT_FALSE(zoomOutEnabled()) << "nothing is zoomed on a new chart";
    chart->RunCommand(kCommandZoom, 0);
    EXPECT_FALSE(zoomOutEnabled()) << "zoom mode alone zooms nothing";
    // A drag over points 3 to 6 in zoom mode.
    LONG x0 = 0, x1 = 0, y = 0;
    chart->ValueToPixel(3, 10, &x0, &y, 0);
    chart->ValueToPixel(6, 10, &x1, &y, 0);
    chart->buttonDown(x0, y);
    chart->mouseMove(x1, y);
    chart->buttonUp(x1, y);
    ASSERT_EQ(chart->model().visibleRange(kXAxis), std::make_pair(2.5, 6.5));
    EXPECT_TRUE(zoomOutEnabled());
    ASSERT_EQ(chart->RunCommand(kCommandZoomOut, 0), com::S_OK);
    EXPECT_EQ(chart->model().visibleRange(kXAxis), std::make_pair(0.5, 20.5)) << "all twenty days again";
    EXPECT_FALSE(zoomOutEnabled());
    EXPECT_FALSE(checked(kCommandZoom));

    // A value range alone is a zoom too; new data shows everything and disables the command again.
    ASSERT_EQ(chart->ZoomTo(kNoValue, 8, kNoValue, 12), com::S_OK);
    EXPECT_TRUE(zoomOutEnabled());
    chart->dataChanged();
    EXPECT_FALSE(zoomOutEnabled());
    ASSERT_EQ(chart->ShowRange(3.5, 8, 9.5, 12), com::S_OK);
    EXPECT_TRUE(zoomOutEnabled());
    ASSERT_EQ(chart->ShowRange(0, 0, 20, 0), com::S_OK);
    EXPECT_FALSE(zoomOutEnabled());
}

TEST_F(KvlChartEventsTest, AGalleryCommandSwitchesTheChartTypeAndChecksItsCommand) {
    com::ComPtr<com::IUnknown> extension;
    ASSERT_EQ(chart->AddExtension(com::Bstr(u"Korvel.RecordingExtension"), extension.put()), com::S_OK);
    // What an extension registers for its first two galleries.
    ostbar::OstCommandTable& table = *chart->commandBar().table();
    for (const LONG id : {kFirstExtensionCommandId, kFirstExtensionCommandId + 1})
        table.add(static_cast<SHORT>(id))->style = ostbar::kStyleCheck;
    ASSERT_EQ(chart->RunCommand(kFirstExtensionCommandId + 1, 0), com::S_OK);
    LONG type = 0;
    chart->get_ChartType(&type);
    EXPECT_EQ(type, kFirstExtensionGalleryType + 1);
    EXPECT_TRUE(checked(static_cast<SHORT>(kFirstExtensionCommandId + 1)));
    EXPECT_FALSE(checked(static_cast<SHORT>(kFirstExtensionCommandId)));
    ASSERT_EQ(chart->RunCommand(kFirstExtensionCommandId, 0), com::S_OK);
    chart->get_ChartType(&type);
    EXPECT_EQ(type, kFirstExtensionGalleryType);
    EXPECT_TRUE(checked(static_cast<SHORT>(kFirstExtensionCommandId)));
    EXPECT_FALSE(checked(static_cast<SHORT>(kFirstExtensionCommandId + 1)));
    // Choosing the active gallery's command again keeps it active and checked.
    ASSERT_EQ(chart->RunCommand(kFirstExtensionCommandId, 0), com::S_OK);
    EXPECT_TRUE(checked(static_cast<SHORT>(kFirstExtensionCommandId)));
    EXPECT_EQ(sink->events.back(), "6 " + std::to_string(kFirstExtensionCommandId));
}

// --- pixels and values ------------------------------------------------------------------------------------

TEST_F(KvlChartEventsTest, AnAxisOfOneValueShowsItInTheMiddleOfItsBand) {
    // Plot rows 20..440 at 640 by 480: the middle row is 230.
    for (const auto& [value, spread] :
         {std::pair{20.0, 1.0}, std::pair{8.0, 0.5}, std::pair{0.0, 0.5}, std::pair{-200.0, 10.0}}) {
        ASSERT_EQ(chart->model().setAxisValue(0, kAxisMin, value), com::S_OK);
        ASSERT_EQ(chart->model().setAxisValue(0, kAxisMax, value), com::S_OK);
        LONG x = 0, y = 0;
        ASSERT_EQ(chart->ValueToPixel(3, value, &x, &y, 0), com::S_OK) << value;
        EXPECT_EQ(y, 230) << value;
        // The band spans the value plus and minus 5% of it, at least 0.5.
        ASSERT_EQ(chart->ValueToPixel(3, value + spread, &x, &y, 0), com::S_OK);
        EXPECT_EQ(y, 20) << value;
    }
}

TEST_F(KvlChartEventsTest, PixelToValueAndValueToPixelAreInversesAtSeveralSizes) {
    for (const auto& [w, h] :
         {std::pair{640, 480}, std::pair{333, 217}, std::pair{1600, 900}, std::pair{97, 71}}) {
        chart->model().setClientSize(w, h);
        const KvlRect plot = chart->model().plotRect();
        for (LONG x = plot.left; x < plot.right; x += 7)
            for (LONG y = plot.top; y < plot.bottom; y += 5) {
                double p = 0, v = 0;
                ASSERT_EQ(chart->PixelToValue(x, y, &p, &v, 0), com::S_OK);
                LONG bx = 0, by = 0;
                ASSERT_EQ(chart->ValueToPixel(p, v, &bx, &by, 0), com::S_OK);
                ASSERT_EQ(std::make_pair(bx, by), std::make_pair(x, y)) << w << "x" << h;
            }
        // From values: back within half a pixel's worth of each unit.
        const double perX = 20.0 / plot.width(), perY = 7.0 / plot.height();
        for (const double position : {1.0, 4.25, 10.5, 19.75})
            for (const double value : {6.5, 8.125, 10.0, 13.5}) {
                LONG x = 0, y = 0;
                ASSERT_EQ(chart->ValueToPixel(position, value, &x, &y, 0), com::S_OK);
                double p = 0, v = 0;
                ASSERT_EQ(chart->PixelToValue(x, y, &p, &v, 0), com::S_OK);
                EXPECT_NEAR(p, position, perX / 2 + 1e-12) << w << "x" << h;
                EXPECT_NEAR(v, value, perY / 2 + 1e-12) << w << "x" << h;
            }
    }
}

// --- input ---------------------------------------------------------------------------------------------

TEST_F(KvlChartEventsTest, ZoomDragDrawsAnXorRubberBandAndLeavesNoResidue) {
    chart->RunCommand(kCommandZoom, 0);
    chart->paintSurface();
    const QImage before = chart->surface()->image().copy();
    LONG x0 = 0, x1 = 0, y = 0;
    chart->ValueToPixel(5, 10, &x0, &y, 0);
    chart->ValueToPixel(9, 10, &x1, &y, 0);
    EXPECT_FALSE(chart->buttonDown(x0, y));
    EXPECT_TRUE(chart->ownZoomDragging());
    chart->mouseMove(x1, y);
    ASSERT_TRUE(chart->rubberBand().has_value());
    EXPECT_EQ(chart->rubberBand()->left, x0);
    EXPECT_EQ(chart->rubberBand()->right, x1 + 1);
    const QImage during = chart->surface()->image();
    EXPECT_EQ(gdi::fromQColor(during.pixelColor(x1, y)),
              gdi::fromQColor(before.pixelColor(x1, y)) ^ 0xFFFFFFu)
        << "the band's edge inverts the surface";
    chart->mouseMove(x1 - 20, y);
    chart->buttonUp(x1, y);
    EXPECT_FALSE(chart->rubberBand().has_value());
    EXPECT_EQ(chart->surface()->image(), before) << "each band drawn twice: nothing left";
    EXPECT_EQ(chart->model().visibleRange(kXAxis), std::make_pair(4.5, 9.5));
    EXPECT_EQ(sink->events.size(), 2u + 2u)
        << "the zoom command's two events, then MouseMoving for each move";
}

TEST_F(KvlChartEventsTest, PressMoveReleaseRaiseTheCallbacksInOrderWithoutResidue) {
    KvlRecordingExtension::tracking() = true;
    com::ComPtr<com::IUnknown> extension;
    ASSERT_EQ(chart->AddExtension(com::Bstr(u"Korvel.RecordingExtension"), extension.put()), com::S_OK);
    ASSERT_EQ(chart->put_ChartType(kFirstExtensionGalleryType), com::S_OK);
    chart->paintSurface();
    const QImage before = chart->surface()->image().copy();
    KvlRecordingExtension::log().clear();
    sink->events.clear();
    EXPECT_TRUE(chart->buttonDown(200, 200));
    EXPECT_TRUE(chart->mouseMove(260, 210));
    EXPECT_TRUE(chart->buttonUp(260, 210));
    EXPECT_EQ(KvlRecordingExtension::log(),
              (Log{"ButtonDown(200,200)", "MouseMove(260,210)", "ButtonUp(260,210)"}));
    EXPECT_EQ(sink->events, (Log{"5 260 210"}));
    EXPECT_EQ(chart->surface()->image(), before);
    EXPECT_EQ(KvlRecordingExtension::faults(), Log{});
}

// An overlay drawn last and asked first.
class Overlay final : public KvlOverlay {
public:
    bool take = true;
    std::vector<std::pair<KvlMouseAction, LONG>> seen;
    int paints = 0;
    void paintOverlay(gdi::DeviceContext& dc, const KvlRect& plot, KvlOverlayPaint) override {
        ++paints;
        dc.fillRect(gdi::Rect{plot.left, plot.top, plot.left + 10, plot.top + 10},
                    gdi::getStockObject(gdi::BLACK_BRUSH));
    }
    bool overlayMouse(KvlMouseAction action, LONG x, LONG, LONG keys) override {
        seen.emplace_back(action, x);
        lastKeys = keys;
        return take;
    }
    bool overlayKey(LONG key, LONG) override {
        keys.push_back(key);
        return take;
    }
    std::vector<LONG> keys;
    LONG lastKeys = 0;
};

TEST_F(KvlChartEventsTest, AnAttachedOverlayPaintsLastAndTakesTheMouseFirst) {
    com::ComPtr<com::IUnknown> extension;
    ASSERT_EQ(chart->AddExtension(com::Bstr(u"Korvel.RecordingAnnotation"), extension.put()), com::S_OK);
    Overlay overlay;
    chart->attachOverlay(&overlay);
    chart->RunCommand(kCommandZoom, 0);
    chart->paintSurface();
    EXPECT_EQ(overlay.paints, 1);
    EXPECT_EQ(gdi::fromQColor(chart->surface()->image().pixelColor(65, 25)), 0u);
    KvlRecordingExtension::log().clear();
    EXPECT_TRUE(chart->buttonDown(200, 200));
    EXPECT_TRUE(chart->mouseMove(210, 200));
    EXPECT_TRUE(chart->buttonUp(210, 200, kKeyShift));
    EXPECT_EQ(overlay.lastKeys, kKeyShift);
    EXPECT_TRUE(chart->keyDown(0x2E, 0));
    EXPECT_EQ(overlay.keys, std::vector<LONG>{0x2E});
    EXPECT_EQ(KvlRecordingExtension::log(), Log{}) << "the callback chain never heard of it";
    EXPECT_FALSE(chart->ownZoomDragging());
    EXPECT_EQ(overlay.seen.size(), 3u);
    overlay.take = false;
    EXPECT_FALSE(chart->buttonDown(200, 200));
    EXPECT_EQ(KvlRecordingExtension::log(), (Log{"annotation:ButtonDown(200,200)"}));
    EXPECT_TRUE(chart->ownZoomDragging()) << "passed on, the press starts the chart's zoom drag";
    chart->buttonUp(200, 200);
    chart->attachOverlay(nullptr);
}

TEST_F(KvlChartEventsTest, ScrollingAZoomedChartStaysInsideThePoints) {
    EXPECT_FALSE(chart->scrollBy(1)) << "nothing to scroll while everything shows";
    ASSERT_EQ(chart->ShowRange(4.5, 0, 9.5, 0), com::S_OK);
    EXPECT_TRUE(chart->scrollBy(3));
    EXPECT_EQ(chart->model().visibleRange(kXAxis), std::make_pair(7.5, 12.5));
    chart->keyDown(0x23, 0);  // End
    EXPECT_EQ(chart->model().visibleRange(kXAxis), std::make_pair(15.5, 20.5));
    EXPECT_FALSE(chart->scrollBy(1));
    chart->keyDown(0x24, 0);  // Home
    EXPECT_EQ(chart->model().visibleRange(kXAxis), std::make_pair(0.5, 5.5));
    chart->keyDown(0x22, 0);  // Page Down: a visible width
    EXPECT_EQ(chart->model().visibleRange(kXAxis), std::make_pair(5.5, 10.5));
    EXPECT_FALSE(chart->scrollBy(std::nan("")));
}

TEST_F(KvlChartEventsTest, MouseMovingHandsThePointByReferenceAndHoverRaisesItsEvents) {
    LONG seenX = 0;
    sink->moveXY = [&](LONG* x, LONG* y) {
        seenX = *x;
        *y = 0;  // the handler may write back; the chart keeps its own point
    };
    chart->mouseMove(123, 45);
    EXPECT_EQ(seenX, 123);
    chart->hoverOn(1, 2);
    chart->hoverOff(1, 2);
    EXPECT_EQ(sink->events, (Log{"5 123 0", "3", "4"}));
}

// --- members -------------------------------------------------------------------------------------------

TEST_F(KvlChartEventsTest, ToolBarObjectAnswersTheChartsCommands) {
    com::VARIANT_BOOL shown = 0;
    chart->get_ToolBar(&shown);
    EXPECT_EQ(shown, com::VARIANT_TRUE);
    bool told = true;
    chart->setToolBarListener([&](bool on) { told = on; });
    chart->put_ToolBar(com::VARIANT_FALSE);
    EXPECT_FALSE(told);
    chart->setToolBarListener({});
    com::ComPtr<com::IUnknown> object;
    ASSERT_EQ(chart->get_ToolBarObject(object.put()), com::S_OK);
    com::ComPtr<ostbar::IOstToolbar> toolbar = object.as<ostbar::IOstToolbar>();
    ASSERT_TRUE(toolbar);
    com::ComPtr<ostbar::IOstCommand> zoom;
    ASSERT_EQ(toolbar->Command(static_cast<SHORT>(kCommandZoom), zoom.put()), com::S_OK);
    com::Bstr text;
    zoom->get_Text(&text);
    EXPECT_EQ(text.toUtf8(), "Zoom In");
    chart->RunCommand(kCommandZoom, 0);
    com::VARIANT_BOOL on = 0;
    zoom->get_Checked(&on);
    EXPECT_EQ(on, com::VARIANT_TRUE);
    zoom->put_Checked(com::VARIANT_FALSE);
    EXPECT_FALSE(checked(kCommandZoom));
}

TEST_F(KvlChartEventsTest, SettingsColoursOptionsSizeAndCompanyId) {
    EXPECT_EQ(chart->put_Setting(21, 0xFFFFFF), com::S_OK);
    LONG value = 0;
    chart->GetBackColor(&value);
    EXPECT_EQ(value, 0xFFFFFF) << "setting 21 is the chart's background";
    EXPECT_EQ(chart->put_Setting(8, 35), com::S_OK);
    EXPECT_EQ(chart->put_Setting(26, 3), com::S_OK);
    EXPECT_EQ(chart->put_Setting(32, 12031), com::S_OK);
    chart->get_Setting(32, &value);
    EXPECT_EQ(value, 12031);
    EXPECT_EQ(chart->put_Setting(9, 1), com::E_INVALIDARG);
    EXPECT_EQ(chart->get_Setting(9, &value), com::E_INVALIDARG);
    EXPECT_EQ(value, 0);

    chart->put_ChartColor(0x40000000);
    chart->get_ChartColor(&value);
    EXPECT_EQ(value, 0x40000000);

    com::ComPtr<com::IUnknown> object, again;
    ASSERT_EQ(chart->get_Object80(object.put()), com::S_OK);
    chart->get_Object80(again.put());
    EXPECT_EQ(object.get(), again.get());
    com::ComPtr<IKvlOptions> options = object.as<IKvlOptions>();
    ASSERT_TRUE(options);
    options->put_Enabled(com::VARIANT_TRUE);
    com::VARIANT_BOOL enabled = 0;
    options->get_Enabled(&enabled);
    EXPECT_EQ(enabled, com::VARIANT_TRUE);

    chart->get_Width(&value);
    EXPECT_EQ(value, 640 * 15);
    ASSERT_EQ(chart->put_Height(6000), com::S_OK);
    EXPECT_EQ(chart->model().clientRect().height(), 400);
    EXPECT_EQ(chart->put_Width(-15), com::E_INVALIDARG);

    com::Bstr id;
    chart->get_ChartCompanyID(&id);
    EXPECT_TRUE(id.isEmpty()) << "empty before the first fill";
    chart->put_ChartCompanyID(com::Bstr(u"33"));
    chart->get_ChartCompanyID(&id);
    EXPECT_EQ(id.toUtf8(), "33");
}

}  // namespace
}  // namespace korvel
