// The chart widget on an offscreen screen: its canvas shows the chart's surface at the canvas's size,
// hands Qt input to the chart, and its bar runs the chart's commands once.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "KvlTestCharts.h"
#include "korvel/KvlChartWidget.h"
#include "korvel/testing/KvlRecordingExtension.h"
#include "ostbar/OstTool.h"
#include "ostbar/OstToolbarWidget.h"

namespace korvel {
namespace {

using testing::KvlRecordingExtension;
using Log = std::vector<std::string>;

void send(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

class KvlChartWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(KvlRecordingExtension::startTest(), com::S_OK);
        widget = std::make_unique<KvlChartWidget>();
        test::bindOhlc(widget->chart(), test::twentyDays());
        widget->resize(640, 480);
        widget->show();
        QApplication::processEvents();
    }

    std::unique_ptr<KvlChartWidget> widget;
};

TEST_F(KvlChartWidgetTest, CanvasShowsTheChartAtItsOwnSize) {
    QWidget* canvas = widget->canvas();
    const KvlRect client = widget->chart().model().clientRect();
    EXPECT_EQ(client.width(), canvas->width());
    EXPECT_EQ(client.height(), canvas->height());
    EXPECT_LT(canvas->height(), 480) << "the bar sits above the canvas";
    const QImage shown = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_NE(widget->chart().surface(), nullptr);
    EXPECT_EQ(shown, widget->chart().surface()->image().convertToFormat(QImage::Format_RGB32));

    widget->chart().put_ToolBar(com::VARIANT_FALSE);
    QApplication::processEvents();
    EXPECT_FALSE(widget->toolBar()->isVisible());
}

TEST_F(KvlChartWidgetTest, MouseInputReachesTheCallbackChainInOrder) {
    KvlRecordingExtension::tracking() = true;
    com::ComPtr<com::IUnknown> extension;
    ASSERT_EQ(widget->chart().AddExtension(com::Bstr(u"Korvel.RecordingExtension"), extension.put()),
              com::S_OK);
    ASSERT_EQ(widget->chart().put_ChartType(kFirstExtensionGalleryType), com::S_OK);
    QWidget* canvas = widget->canvas();
    canvas->grab();  // the pending paint
    const QImage before = widget->chart().surface()->image().copy();
    KvlRecordingExtension::log().clear();
    send(canvas, QEvent::MouseButtonPress, {200, 150}, Qt::LeftButton);
    send(canvas, QEvent::MouseMove, {240, 160}, Qt::NoButton);
    send(canvas, QEvent::MouseButtonRelease, {240, 160}, Qt::LeftButton);
    EXPECT_EQ(KvlRecordingExtension::log(),
              (Log{"ButtonDown(200,150)", "MouseMove(240,160)", "ButtonUp(240,160)"}));
    EXPECT_EQ(widget->chart().surface()->image(), before) << "no XOR residue";
    EXPECT_EQ(KvlRecordingExtension::faults(), Log{});
}

TEST_F(KvlChartWidgetTest, BarZoomCommandRunsOnceAndADragZooms) {
    QAction* zoom = widget->toolBar()->actionFor(static_cast<SHORT>(kCommandZoom));
    ASSERT_NE(zoom, nullptr);
    zoom->trigger();
    EXPECT_TRUE(widget->chart().model().zoomMode())
        << "the bar switched the check once, the chart acted on it";
    QWidget* canvas = widget->canvas();
    canvas->grab();
    LONG x0 = 0, x1 = 0, y = 0;
    widget->chart().ValueToPixel(3, 10, &x0, &y, 0);
    widget->chart().ValueToPixel(6, 10, &x1, &y, 0);
    send(canvas, QEvent::MouseButtonPress, {x0, y}, Qt::LeftButton);
    send(canvas, QEvent::MouseMove, {x1, y}, Qt::LeftButton);
    EXPECT_TRUE(widget->chart().rubberBand().has_value());
    send(canvas, QEvent::MouseButtonRelease, {x1, y}, Qt::LeftButton);
    EXPECT_EQ(widget->chart().model().visibleRange(kXAxis), std::make_pair(2.5, 6.5));
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(canvas, &right);
    EXPECT_EQ(widget->chart().model().visibleRange(kXAxis), std::make_pair(3.5, 7.5));
}

TEST_F(KvlChartWidgetTest, BarsOfExtensionsShowBelowTheChartsOwnWhileTheirStateSaysShown) {
    auto bar = ostbar::OstCommandBar::create();
    ostbar::OstCommandTable& table = *bar->table();
    table.add(7)->text = u"Studies";
    table.insertAt(ostbar::kToolbarContainer, 0, 7);
    ASSERT_EQ(widget->chart().AddCommandBar(bar.get(), -1, 0), com::S_OK);
    QApplication::processEvents();
    ASSERT_EQ(widget->hostedToolBars().size(), 1u);
    ostbar::OstToolbarWidget* row = widget->hostedToolBars()[0];
    EXPECT_EQ(row->bar(), bar.get());
    ASSERT_NE(row->actionFor(7), nullptr);
    EXPECT_EQ(row->actionFor(7)->text(), "Studies");
    EXPECT_FALSE(row->isVisible()) << "a new bar is hidden";
    bar->Show(-1);
    QApplication::processEvents();
    EXPECT_TRUE(row->isVisible());
    EXPECT_GT(row->y(), widget->toolBar()->y()) << "below the chart's own bar";
    EXPECT_LE(row->geometry().bottom(), widget->canvas()->y()) << "above the canvas";

    ASSERT_EQ(widget->chart().RemoveCommandBar(bar.get()), com::S_OK);
    QApplication::processEvents();
    EXPECT_TRUE(widget->hostedToolBars().empty());
}

TEST_F(KvlChartWidgetTest, ARegisteredToolDocksAtTheCanvasRightWhileShown) {
    auto tool = com::makeComObject<ostbar::OstTool>();
    ASSERT_EQ(widget->chart().RegisterCommandObject(29464, static_cast<ostbar::IOstTool*>(tool.get())),
              com::S_OK);
    QApplication::processEvents();
    QWidget* parent = nullptr;
    ASSERT_EQ(tool->GetParentWidget(&parent), com::S_OK);
    auto* content = new QWidget(parent);  // what the tool's owner puts in it
    content->setMinimumSize(150, 100);
    auto* column = new QVBoxLayout(parent);
    column->addWidget(content);
    QApplication::processEvents();
    EXPECT_EQ(parent->parentWidget(), widget->toolDock());
    const int fullWidth = widget->canvas()->width();
    EXPECT_FALSE(parent->isVisible());

    ASSERT_EQ(tool->put_Visible(com::VARIANT_TRUE), com::S_OK);
    QApplication::processEvents();
    EXPECT_TRUE(parent->isVisible());
    EXPECT_GE(parent->width(), 150);
    EXPECT_LE(widget->canvas()->width(), fullWidth - 150) << "the tool takes its room from the canvas";
    EXPECT_GE(parent->mapTo(widget.get(), QPoint(0, 0)).x(), widget->canvas()->width());
    EXPECT_EQ(widget->chart().model().clientRect().width(), widget->canvas()->width());

    ASSERT_EQ(tool->put_Visible(com::VARIANT_FALSE), com::S_OK);
    // The dock's column, then the chart's, lay themselves out again.
    for (int pass = 0; pass < 3; ++pass)
        QApplication::processEvents();
    EXPECT_EQ(widget->canvas()->width(), fullWidth);
}

// The host sizes the whole control through Width and Height (twips), bar included, after it has given
// the widget its new geometry (or without doing so): the canvas is what the bar leaves, and the chart
// is laid out and drawn at that size, its date axis on screen.
TEST_F(KvlChartWidgetTest, WidthAndHeightSizeTheControlAndTheCanvasGetsWhatTheBarLeaves) {
    struct Case {
        QSize size;
        bool hostResizesFirst;
    };
    const Case cases[] = {{{500, 360}, true}, {{640, 480}, true}, {{560, 300}, false}, {{600, 420}, false}};
    QWidget* canvas = widget->canvas();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.size.width() << "x" << c.size.height());
        if (c.hostResizesFirst)
            widget->resize(c.size);
        ASSERT_EQ(widget->control().put_Width(c.size.width() * 15), com::S_OK);
        ASSERT_EQ(widget->control().put_Height(c.size.height() * 15), com::S_OK);
        EXPECT_EQ(widget->width(), c.size.width());
        EXPECT_EQ(widget->height(), c.size.height());
        LONG twips = 0;
        widget->control().get_Width(&twips);
        EXPECT_EQ(twips, c.size.width() * 15);
        widget->control().get_Height(&twips);
        EXPECT_EQ(twips, c.size.height() * 15) << "the control's height, bar included";

        const int bar = widget->toolBar()->height();
        ASSERT_GT(bar, 0);
        EXPECT_EQ(canvas->y(), bar);
        EXPECT_EQ(canvas->height(), c.size.height() - bar);
        EXPECT_EQ(canvas->width(), c.size.width() - widget->toolDock()->width());
        const KvlRect client = widget->chart().model().clientRect();
        EXPECT_EQ(client.height(), canvas->height());
        EXPECT_EQ(client.width(), canvas->width());

        const KvlRect dates = widget->chart().layout().bottomAxis;
        EXPECT_GT(dates.height(), 0);
        EXPECT_LE(canvas->y() + dates.bottom, widget->height()) << "the date axis lies inside the widget";
        // What the widget shows of the canvas is the whole surface, drawn at the canvas's size.
        const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_NE(widget->chart().surface(), nullptr);
        const QImage surface = widget->chart().surface()->image().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(surface.size(), canvas->size());
        EXPECT_EQ(shown.copy(canvas->geometry()), surface);
    }
}

// A control not yet shown takes the size as well; its canvas is ready at that size when it shows.
TEST(KvlChartWidgetSize, AHiddenControlTakesWidthAndHeightBarIncluded) {
    KvlChartWidget hidden;
    ASSERT_EQ(hidden.control().put_Width(520 * 15), com::S_OK);
    ASSERT_EQ(hidden.control().put_Height(340 * 15), com::S_OK);
    EXPECT_EQ(hidden.width(), 520);
    EXPECT_EQ(hidden.height(), 340);
    const int bar = hidden.toolBar()->sizeHint().height();
    EXPECT_EQ(hidden.canvas()->height(), 340 - bar);
    EXPECT_EQ(hidden.chart().model().clientRect().height(), 340 - bar);
    hidden.show();
    QApplication::processEvents();
    EXPECT_EQ(hidden.toolBar()->height(), bar);
    EXPECT_EQ(hidden.canvas()->geometry(), QRect(0, bar, 520, 340 - bar));
    EXPECT_EQ(hidden.chart().model().clientRect().height(), 340 - bar);
}

// Counts the hover events.
class HoverSink final : public test::EventSink<HoverSink> {
public:
    std::vector<com::DISPID> seen;
    HRESULT Invoke(com::DISPID dispid, std::span<com::Variant>) override {
        if (dispid == kEventHoverOn || dispid == kEventHoverOff)
            seen.push_back(dispid);
        return com::S_OK;
    }
};

// The application pauses its own hover work between HoverOff and HoverOn: a mouse that moves on after
// a rest must keep hovering, a drag must not.
TEST_F(KvlChartWidgetTest, TheMouseHoversWhileOverTheChartWithNoButtonHeld) {
    auto sink = com::makeComObject<HoverSink>();
    com::DWORD cookie = 0;
    ASSERT_EQ(widget->chart().events().Advise(sink.get(), &cookie), com::S_OK);
    QWidget* canvas = widget->canvas();
    using Seen = std::vector<com::DISPID>;
    send(canvas, QEvent::MouseMove, {200, 150}, Qt::NoButton);
    EXPECT_EQ(sink->seen, (Seen{kEventHoverOn}));
    // Resting and moving on changes nothing.
    QTimer* rest = canvas->findChild<QTimer*>();
    ASSERT_NE(rest, nullptr);
    ASSERT_TRUE(QMetaObject::invokeMethod(rest, "timeout"));
    send(canvas, QEvent::MouseMove, {230, 150}, Qt::NoButton);
    EXPECT_EQ(sink->seen, (Seen{kEventHoverOn}));
    // A press ends hovering until the button is let go.
    send(canvas, QEvent::MouseButtonPress, {230, 150}, Qt::LeftButton);
    send(canvas, QEvent::MouseMove, {240, 160}, Qt::LeftButton);
    EXPECT_EQ(sink->seen, (Seen{kEventHoverOn, kEventHoverOff}));
    send(canvas, QEvent::MouseButtonRelease, {240, 160}, Qt::LeftButton);
    EXPECT_EQ(sink->seen, (Seen{kEventHoverOn, kEventHoverOff, kEventHoverOn}));
    // Leaving ends it; coming back begins it again.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(canvas, &leave);
    EXPECT_EQ(sink->seen, (Seen{kEventHoverOn, kEventHoverOff, kEventHoverOn, kEventHoverOff}));
    send(canvas, QEvent::MouseMove, {10, 10}, Qt::NoButton);
    EXPECT_EQ(sink->seen,
              (Seen{kEventHoverOn, kEventHoverOff, kEventHoverOn, kEventHoverOff, kEventHoverOn}));
    widget->chart().events().Unadvise(cookie);
}

}  // namespace
}  // namespace korvel
