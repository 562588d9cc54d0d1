// The chart calls its extensions with the meanings the contract gives the calls: the paint bracket and
// its scaled flag, input through the callback chain, tips, the label loop and the window channel.
#include <gtest/gtest.h>

#include <QWidget>

#include <string>
#include <vector>

#include "gdi/DeviceContext.h"
#include "gdi/EmfRecorder.h"
#include "korvel/KvlChart.h"
#include "korvel/testing/KvlRecordingExtension.h"
#include "ui/WindowHandle.h"

namespace korvel {
namespace {

using testing::KvlLabelPane;
using testing::KvlRecordingExtension;
using Log = std::vector<std::string>;

class KvlContractCallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(KvlRecordingExtension::startTest(), com::S_OK);
        chart = KvlChart::create();
        chart->model().resize(2, 5);
        for (LONG p = 0; p < 5; ++p) {
            chart->model().setValue(1, 0, p, 10 + p);
            chart->model().setValue(1, 1, p, 100);
        }
        chart->model().setAxisValue(0, 0, 0);  // minimum and maximum by hand: 0 .. 100
        chart->model().setAxisValue(0, 1, 100);
    }
    void TearDown() override { EXPECT_EQ(KvlRecordingExtension::faults(), Log{}); }

    KvlRecordingExtension& activate(LONG chartType = 134) {
        com::ComPtr<com::IUnknown> extension;
        EXPECT_EQ(chart->AddExtension(com::Bstr(u"Korvel.RecordingExtension"), extension.put()), com::S_OK);
        EXPECT_EQ(chart->put_ChartType(chartType), com::S_OK);
        KvlRecordingExtension::log().clear();
        return *KvlRecordingExtension::last();
    }
    void loadAnnotation() {
        com::ComPtr<com::IUnknown> extension;
        EXPECT_EQ(chart->AddExtension(com::Bstr(u"Korvel.RecordingAnnotation"), extension.put()), com::S_OK);
    }
    static const Log& log() { return KvlRecordingExtension::log(); }
    KvlRect plot() const { return chart->model().plotRect(); }
    LONG midX() const { return (plot().left + plot().right) / 2; }
    LONG midY() const { return (plot().top + plot().bottom) / 2; }

    com::ComPtr<KvlChart> chart;
};

// --- the paint bracket -------------------------------------------------------------------------------

TEST_F(KvlContractCallsTest, PaintBracketRunsInOrderAroundTheElements) {
    activate();
    auto dc = gdi::createImageDC(640, 480);
    EXPECT_EQ(chart->paint(dc.get(), chart->model().clientRect(), false), 5)
        << "every element left to the chart";
    EXPECT_EQ(log(), (Log{"Paint(0)", "OnMouseInput(0)", "ActiveGalleryNotify(4,0)",
                          "OnGalleryNotify(2) after 5", "OnKeyInput"}));
    EXPECT_EQ(KvlRecordingExtension::last()->viewport(), plot()) << "the set-up call reads the plot area";
}

TEST_F(KvlContractCallsTest, ScaledFlagIsClearOnScreenAndSetOnAMetafile) {
    KvlRecordingExtension& extension = activate();
    auto screen = gdi::createImageDC(640, 480);
    chart->paint(screen.get(), chart->model().clientRect(), false);
    EXPECT_EQ(extension.labelLayouts(), 1);

    gdi::EmfRecorder metafile;
    chart->paint(&metafile, chart->model().clientRect(), false);
    EXPECT_EQ(log()[5], "Paint(4)") << "a metafile paint is a printing paint";
    EXPECT_EQ(log()[6], "OnMouseInput(1)");
    EXPECT_EQ(log()[7], "ActiveGalleryNotify(4,1)");
    EXPECT_EQ(extension.labelLayouts(), 1) << "no label layout on a scaled DC";
    EXPECT_FALSE(extension.scaled()) << "the end of the bracket clears the flag";
}

TEST_F(KvlContractCallsTest, MouseMovesDoNotStopTheLabelLayout) {
    KvlRecordingExtension& extension = activate();
    auto screen = gdi::createImageDC(640, 480);
    chart->paint(screen.get(), chart->model().clientRect(), false);
    chart->mouseMove(midX(), midY());
    chart->mouseMove(midX() + 7, midY() + 9);
    chart->paint(screen.get(), chart->model().clientRect(), false);
    EXPECT_EQ(extension.labelLayouts(), 2);
    EXPECT_EQ(std::count(log().begin(), log().end(), "OnMouseInput(0)"), 2) << "only paints set up a paint";
}

TEST_F(KvlContractCallsTest, PrintingPaintIsWrappedInTheDrawAreaCalls) {
    // A callback that records the draw-area calls around the extension's own.
    struct DrawArea final : com::ComObject<KvlChainedCallback> {
        LONG ReadDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) override {
            KvlRecordingExtension::log().push_back("ReadDrawArea");
            return KvlChainedCallback::ReadDrawArea(dc, rect);
        }
        LONG ClearDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) override {
            KvlRecordingExtension::log().push_back("ClearDrawArea");
            return KvlChainedCallback::ClearDrawArea(dc, rect);
        }
    };
    activate();
    auto area = com::makeComObject<DrawArea>();
    com::ComPtr<IKvlExtensionCallback> previous;
    chart->AdviseCallback(area.get(), previous.put());
    auto dc = gdi::createImageDC(64, 48);
    chart->paint(dc.get(), chart->model().clientRect(), true);
    ASSERT_GE(log().size(), 3u);
    EXPECT_EQ(log().front(), "ReadDrawArea");
    EXPECT_EQ(log()[1], "Paint(4)");
    EXPECT_EQ(log()[2], "OnMouseInput(1)");
    EXPECT_EQ(log().back(), "ClearDrawArea");
    chart->AdviseCallback(previous.get(), nullptr);
}

// --- input through the callback chain --------------------------------------------------------------------

TEST_F(KvlContractCallsTest, ButtonDownMoveAndUpReachTheChainInOrder) {
    activate();
    EXPECT_FALSE(chart->buttonDown(100, 120));
    EXPECT_FALSE(chart->mouseMove(110, 121));
    EXPECT_FALSE(chart->buttonUp(111, 122));
    EXPECT_EQ(log(), (Log{"ButtonDown(100,120)", "MouseMove(110,121)", "ButtonUp(111,122)"}))
        << "no paint call on input";
}

TEST_F(KvlContractCallsTest, NonZeroAnswerStopsTheChartsOwnZoom) {
    activate();
    chart->model().setZoomMode(true);
    const auto before = chart->model().visibleRange(kXAxis);
    KvlRecordingExtension::buttonDownAnswer() = 1;
    EXPECT_TRUE(chart->buttonDown(plot().left + 5, midY()));
    EXPECT_FALSE(chart->ownZoomDragging());
    chart->buttonUp(plot().right - 5, midY());
    EXPECT_EQ(chart->model().visibleRange(kXAxis), before);

    // Answered 0, the same drag zooms to the points it covered and tells the gallery.
    KvlRecordingExtension::buttonDownAnswer() = 0;
    KvlRecordingExtension::log().clear();
    LONG x1 = 0, x2 = 0, y = 0;
    chart->model().valueToPixel(2.1, 50, &x1, &y, 0);
    chart->model().valueToPixel(3.9, 50, &x2, &y, 0);
    EXPECT_FALSE(chart->buttonDown(x1, y));
    EXPECT_TRUE(chart->ownZoomDragging());
    EXPECT_EQ(chart->GetMouseCapture(&y), com::S_OK);
    EXPECT_EQ(y, 1);
    chart->buttonUp(x2, 200);
    EXPECT_EQ(chart->model().visibleRange(kXAxis), std::make_pair(1.5, 4.5));
    EXPECT_EQ(log().back(), "OnScrollChange(1,3)");
}

TEST_F(KvlContractCallsTest, LaterExtensionsCallbackRunsFirstAndChainsToTheEarlier) {
    loadAnnotation();  // attached first: its callback is installed from the start
    activate();
    chart->buttonDown(100, 120);
    EXPECT_EQ(log(), (Log{"annotation:ButtonDown(100,120)", "ButtonDown(100,120)"}))
        << "the later callback calls the earlier one before its own work";

    // The earlier one answering non-zero ends the call; the chart does nothing of its own.
    KvlRecordingExtension::annotationButtonDownAnswer() = 1;
    chart->model().setZoomMode(true);
    EXPECT_TRUE(chart->buttonDown(midX(), midY()));
    EXPECT_FALSE(chart->ownZoomDragging());

    // Paint goes to the active gallery's extension only.
    KvlRecordingExtension::log().clear();
    chart->paint(nullptr, chart->model().clientRect(), false);
    for (const std::string& entry : log())
        EXPECT_EQ(entry.rfind("annotation:", 0), std::string::npos) << entry;
}

TEST_F(KvlContractCallsTest, AxisClicksCarryTheHitRecordAndEscapeCancelsTracking) {
    activate();
    EXPECT_FALSE(chart->doubleClick(plot().left - 10, midY(), kKeyShift));
    EXPECT_FALSE(chart->rightClick(midX(), plot().bottom + 5));
    EXPECT_FALSE(chart->doubleClick(midX(), midY(), 0)) << "not on an axis: nothing to say";
    EXPECT_EQ(
        log(),
        (Log{"AxisDoubleClick(5," + std::to_string(plot().left - 10) + "," + std::to_string(midY()) + ",4)",
             "AxisRightClick(" + std::to_string(midX()) + "," + std::to_string(plot().bottom + 5) + ")"}));

    KvlRecordingExtension::tracking() = true;
    chart->paintSurface();
    const QImage before = chart->surface()->image().copy();
    chart->buttonDown(midX(), midY());
    KvlRecordingExtension::log().clear();
    chart->keyDown(0x1B, 0);
    EXPECT_EQ(log().back(),
              "CancelTracking(2," + std::to_string(midX()) + "," + std::to_string(midY()) + ",0)");
    LONG captured = 1;
    chart->GetMouseCapture(&captured);
    EXPECT_EQ(captured, 0);
    EXPECT_EQ(chart->surface()->image(), before) << "cancelling erased the tracking line";
}

TEST_F(KvlContractCallsTest, CommandsPassTheChainBeforeTheChartsOwnAction) {
    activate();
    EXPECT_FALSE(chart->runCommand(kCommandZoom));
    EXPECT_EQ(log(), (Log{"Command(29448)"}));
    EXPECT_TRUE(chart->model().zoomMode()) << "the chart switched the check and its zoom mode";
    EXPECT_FALSE(chart->runCommand(kCommandZoom));
    EXPECT_FALSE(chart->model().zoomMode());
}

// --- tips ------------------------------------------------------------------------------------------------

TEST_F(KvlContractCallsTest, TipHandedToSetToolTipTextIsTheTipShown) {
    activate();
    chart->SetSeriesLegend(0, com::Bstr(u"Close"));
    chart->model().setPointLegend(2, "legend of point 2");
    LONG x = 0, y = 0;
    ASSERT_EQ(chart->model().valueToPixel(3, 12, &x, &y, 0), com::S_OK);

    const KvlTip tip = chart->tipText(x, y);
    EXPECT_EQ(tip.text, "Close 12");
    EXPECT_EQ(tip.source, KvlTip::Source::Extension);
    EXPECT_EQ(chart->shownTip().text, "Close 12");
    EXPECT_EQ(log(), (Log{"PointTipText(0,2)"})) << "method 12 answered 1: method 13 is not asked";

    // Away from the series, method 13 is asked with the point's slot and still makes the tip.
    KvlRecordingExtension::log().clear();
    const KvlTip slot = chart->tipText(x, y - 60);
    EXPECT_EQ(log(), (Log{"TipText(4,-1,2)"}));
    EXPECT_EQ(slot.source, KvlTip::Source::Extension);
    EXPECT_EQ(slot.text, "Close 12");
}

TEST_F(KvlContractCallsTest, WithoutTheChartTypeMethod12AnswersTheChainAndTheLegendIsShown) {
    loadAnnotation();
    KvlRecordingExtension::log().clear();
    chart->model().setPointLegend(2, "legend of point 2");
    LONG x = 0, y = 0;
    ASSERT_EQ(chart->model().valueToPixel(3, 12, &x, &y, 0), com::S_OK);
    const KvlTip tip = chart->tipText(x, y);
    EXPECT_EQ(log(), (Log{"annotation:PointTipText(0,2)", "annotation:TipText(3,0,2)"}))
        << "method 12 answered 0, so method 13 follows with the series point";
    EXPECT_EQ(tip.text, "legend of point 2");
    EXPECT_EQ(tip.source, KvlTip::Source::Legend);
}

// --- the label loop ----------------------------------------------------------------------------------

TEST_F(KvlContractCallsTest, LabelLoopAdvancesByTheGapsAndDrawsWithTheSelectedPens) {
    KvlRecordingExtension::panes() = {
        KvlLabelPane{3, 10, 15, 0, 5, gdi::rgb(255, 0, 0)},     // price pane: labels at 0, 10, 20, 30, 40
        KvlLabelPane{2, 20, 10, 100, 50, gdi::rgb(0, 0, 255)},  // study pane: 55, 75, 95
    };
    KvlRecordingExtension& extension = activate();
    auto dc = gdi::createImageDC(640, 480);
    chart->paint(dc.get(), chart->model().clientRect(), false);

    std::vector<double> positions, gaps, values;
    std::vector<std::string> texts;
    std::vector<gdi::HPEN> pens;
    for (const KvlDrawnLabel& label : chart->drawnLabels()) {
        if (label.axis != 0 || label.major != 1)
            continue;
        positions.push_back(label.position);
        gaps.push_back(label.gap);
        values.push_back(label.value);
        texts.push_back(label.text);
        pens.push_back(label.pen);
        EXPECT_FALSE(label.own);
    }
    EXPECT_EQ(positions, (std::vector<double>{0, 10, 20, 30, 40, 55, 75, 95}));
    EXPECT_EQ(gaps, (std::vector<double>{10, 10, 10, 10, 15, 20, 20, 10}));
    EXPECT_EQ(values, (std::vector<double>{-5, 0, 5, 10, 15, 100, 150, 200}));
    EXPECT_EQ(texts.front(), "P0:-5");
    EXPECT_EQ(texts.back(), "P1:200");
    const gdi::HPEN red = extension.panePen(0);
    const gdi::HPEN blue = extension.panePen(1);
    EXPECT_EQ(pens, (std::vector<gdi::HPEN>{red, red, red, red, blue, blue, blue, blue}))
        << "a pane's last label is drawn with the next pane's pen";

    // The grid lines on the surface carry those pens' colours (away from the X axis's grid lines).
    const QImage image = dc->image();
    const LONG column = midX() + 7;
    LONG x = 0, y = 0;
    chart->model().valueToPixel(1, 20, &x, &y, 0);
    EXPECT_EQ(gdi::fromQColor(image.pixelColor(column, y)), gdi::rgb(255, 0, 0));
    chart->model().valueToPixel(1, 75, &x, &y, 0);
    EXPECT_EQ(gdi::fromQColor(image.pixelColor(column, y)), gdi::rgb(0, 0, 255));
}

TEST_F(KvlContractCallsTest, WithoutLabelsFromTheGalleryTheChartLabelsTheAxisItself) {
    activate();
    auto dc = gdi::createImageDC(640, 480);
    chart->paint(dc.get(), chart->model().clientRect(), false);
    std::vector<double> positions;
    for (const KvlDrawnLabel& label : chart->drawnLabels()) {
        if (label.axis == 0 && label.major == 1) {
            positions.push_back(label.position);
            EXPECT_TRUE(label.own);
        }
    }
    EXPECT_EQ(positions, (std::vector<double>{0, 20, 40, 60, 80, 100}));
}

// --- the window channel ------------------------------------------------------------------------------

TEST_F(KvlContractCallsTest, XorTrackingLineOutsidePaintLeavesTheSurfaceAsItWas) {
    KvlRecordingExtension::tracking() = true;
    activate();
    chart->paintSurface();
    const QImage before = chart->surface()->image().copy();

    EXPECT_TRUE(chart->buttonDown(midX(), midY()));
    const QImage during = chart->surface()->image().copy();
    EXPECT_NE(during, before) << "the line shows on the surface at once";
    EXPECT_EQ(gdi::fromQColor(during.pixelColor(midX(), midY())),
              gdi::fromQColor(before.pixelColor(midX(), midY())) ^ gdi::rgb(0x40, 0x80, 0xC0));
    LONG captured = 0;
    chart->GetMouseCapture(&captured);
    EXPECT_EQ(captured, 1);

    EXPECT_TRUE(chart->mouseMove(midX() + 30, midY()));
    EXPECT_TRUE(chart->buttonUp(midX() + 30, midY()));
    EXPECT_EQ(chart->surface()->image(), before) << "drawing each line twice erased it";
    chart->GetMouseCapture(&captured);
    EXPECT_EQ(captured, 0);
}

TEST_F(KvlContractCallsTest, SurfaceDcIsHandedOutOnceAndRestoredOnRelease) {
    activate();
    gdi::DeviceContext* dc = nullptr;
    ASSERT_EQ(chart->GetSurfaceDC(&dc), com::S_OK);
    gdi::DeviceContext* second = nullptr;
    EXPECT_EQ(chart->GetSurfaceDC(&second), com::E_UNEXPECTED);
    EXPECT_EQ(second, nullptr);
    dc->setROP2(gdi::R2_XORPEN);
    auto other = gdi::createImageDC(4, 4);
    EXPECT_EQ(chart->ReleaseSurfaceDC(other.get()), com::E_INVALIDARG);
    EXPECT_EQ(chart->ReleaseSurfaceDC(dc), com::S_OK);
    EXPECT_EQ(dc->rop2(), gdi::R2_COPYPEN);
    EXPECT_EQ(chart->ReleaseSurfaceDC(dc), com::E_INVALIDARG) << "already handed back";

    chart->model().setClientSize(0, 0);
    EXPECT_EQ(chart->GetSurfaceDC(&dc), com::E_FAIL);
}

TEST_F(KvlContractCallsTest, WindowChannelWithoutAWindow) {
    ui::WindowHandle window;
    EXPECT_EQ(chart->GetWindow(&window), com::S_FALSE);
    EXPECT_FALSE(window.isValid());
    KvlPoint point{12, 34};
    EXPECT_EQ(chart->ClientToScreen(&point), com::S_FALSE);
    EXPECT_EQ(point, (KvlPoint{12, 34}));

    const KvlRect first{10, 10, 20, 20};
    const KvlRect second{30, 5, 40, 15};
    chart->paintSurface();
    EXPECT_FALSE(chart->invalidRect());
    chart->InvalidateRect(&first);
    chart->InvalidateRect(&second);
    EXPECT_EQ(chart->invalidRect(), (KvlRect{10, 5, 40, 20}));
    EXPECT_EQ(chart->UpdateWindow(), com::S_OK);
    EXPECT_FALSE(chart->invalidRect()) << "updating painted what was marked";

    const ui::HCURSOR cross = ui::loadSystemCursor(ui::IDC_CROSS);
    ui::HCURSOR previous{};
    EXPECT_EQ(chart->SetCursor(cross, &previous), com::S_OK);
    EXPECT_EQ(chart->cursor(), cross);
    EXPECT_EQ(chart->SetCursor(previous, nullptr), com::S_OK);
    EXPECT_EQ(chart->cursor(), previous);
}

TEST_F(KvlContractCallsTest, WindowChannelHandsOutTheChartsWindow) {
    QWidget widget;
    widget.setGeometry(100, 50, 640, 480);
    chart->setWindow(ui::WindowHandle(&widget));
    ui::WindowHandle window;
    EXPECT_EQ(chart->GetWindow(&window), com::S_OK);
    EXPECT_EQ(window.widget(), &widget) << "the owner of frames, dialogs and menus";

    KvlPoint point{12, 34};
    ASSERT_EQ(chart->ClientToScreen(&point), com::S_OK);
    const QPoint expected = widget.mapToGlobal(QPoint(12, 34));
    EXPECT_EQ(point, (KvlPoint{expected.x(), expected.y()}));

    EXPECT_EQ(chart->CaptureMouse(1), com::S_OK);
    EXPECT_EQ(ui::WindowHandle::capture(), window);
    LONG captured = 0;
    chart->GetMouseCapture(&captured);
    EXPECT_EQ(captured, 1) << "one capture state for the site and the control";
    EXPECT_EQ(chart->CaptureMouse(0), com::S_OK);
    EXPECT_FALSE(ui::WindowHandle::capture().isValid());

    const ui::HCURSOR cross = ui::loadSystemCursor(ui::IDC_CROSS);
    chart->SetCursor(cross, nullptr);
    EXPECT_EQ(widget.cursor().shape(), Qt::CrossCursor);
}

}  // namespace
}  // namespace korvel
