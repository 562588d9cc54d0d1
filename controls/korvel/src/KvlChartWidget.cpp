#include "korvel/KvlChartWidget.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QChildEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "com/ComObject.h"
#include "korvel/KvlChart.h"
#include "ostbar/OstToolbarWidget.h"

namespace korvel {

namespace {

// How long the mouse rests before the chart hovers even without a movement that told it so (a button
// let go outside the chart and the mouse brought back while held, say).
constexpr int kHoverDelayMs = 400;

// Virtual-key numbers of the keys the chart acts on.
struct KeyMapping {
    int qtKey;
    LONG key;
};
constexpr KeyMapping kKeys[] = {
    {Qt::Key_Escape, 0x1B}, {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23},
    {Qt::Key_Home, 0x24},   {Qt::Key_Left, 0x25},   {Qt::Key_Up, 0x26},       {Qt::Key_Right, 0x27},
    {Qt::Key_Down, 0x28},   {Qt::Key_Delete, 0x2E},
};

LONG virtualKey(const QKeyEvent& event) {
    for (const KeyMapping& mapping : kKeys)
        if (mapping.qtKey == event.key())
            return mapping.key;
    const int key = event.key();
    return (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z) ? key : 0;
}

LONG modifierKeys(Qt::KeyboardModifiers modifiers) {
    LONG keys = 0;
    if (modifiers & Qt::ShiftModifier)
        keys |= kKeyShift;
    if (modifiers & Qt::ControlModifier)
        keys |= kKeyControl;
    return keys;
}

// Commands chosen on the chart's bar: the bar has switched the check mark already.
class CommandReceiver final : public com::ComObject<ostbar::IOstMessageReceiver> {
public:
    explicit CommandReceiver(KvlChart& chart) : chart_(chart) {}

    HRESULT OnToolbarMessage(std::intptr_t, LONG message, std::intptr_t wParam, std::intptr_t,
                             LONG* result) override {
        if (result)
            *result = 0;
        if (message == ostbar::kWmCommand)
            chart_.runCommand(static_cast<LONG>(wParam), true);
        return com::S_OK;
    }

private:
    KvlChart& chart_;  // the widget that owns this receiver holds the chart
};

}  // namespace

// The column the registered tools dock in: every widget a tool puts here joins it.
class KvlToolDock final : public QWidget {
public:
    explicit KvlToolDock(QWidget* parent) : QWidget(parent), column_(new QVBoxLayout(this)) {
        column_->setContentsMargins(0, 0, 0, 0);
    }

protected:
    void childEvent(QChildEvent* event) override {
        QWidget::childEvent(event);
        if (event->type() != QEvent::ChildAdded || !event->child()->isWidgetType())
            return;
        // A widget still being made is no whole widget yet: it joins the column once it is.
        const QPointer<QObject> child(event->child());
        QMetaObject::invokeMethod(
            this,
            [this, child] {
                auto* widget = qobject_cast<QWidget*>(child.data());
                if (widget && widget->parentWidget() == this && column_->indexOf(widget) < 0)
                    column_->addWidget(widget);
            },
            Qt::QueuedConnection);
    }

private:
    QVBoxLayout* column_;
};

// The surface of the chart on screen.
class KvlChartCanvas final : public QWidget {
public:
    KvlChartCanvas(KvlChart& chart, QWidget* parent)
        : QWidget(parent), chart_(chart), hover_(new QTimer(this)) {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
        hover_->setSingleShot(true);
        hover_->setInterval(kHoverDelayMs);
        QObject::connect(hover_, &QTimer::timeout, this, [this] {
            if (QApplication::mouseButtons() == Qt::NoButton)
                startHovering();
        });
        chart_.setWindow(ui::WindowHandle(this));
    }
    ~KvlChartCanvas() override { chart_.setWindow(ui::WindowHandle()); }

protected:
    void resizeEvent(QResizeEvent*) override {
        chart_.model().setClientSize(width(), height());
        chart_.InvalidateRect(nullptr);
    }

    void paintEvent(QPaintEvent*) override {
        if (chart_.invalidRect() || !chart_.surface() || chart_.surface()->image().size() != size())
            chart_.paintSurface();
        QPainter painter(this);
        gdi::DeviceContext* surface = chart_.surface();
        if (surface)
            painter.drawImage(0, 0, surface->image());
        else
            painter.fillRect(rect(), Qt::white);
    }

    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        restHover(at);
        stopHovering();
        if (event->button() == Qt::LeftButton)
            chart_.buttonDown(at.x(), at.y(), modifierKeys(event->modifiers()));
        else if (event->button() == Qt::RightButton)
            chart_.rightClick(at.x(), at.y());
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        if (event->button() == Qt::LeftButton)
            chart_.doubleClick(at.x(), at.y(), modifierKeys(event->modifiers()));
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        restHover(at);
        if (event->buttons() == Qt::NoButton)
            startHovering();
        // The chart marks the window itself when the surface changes.
        chart_.mouseMove(at.x(), at.y(), modifierKeys(event->modifiers()));
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        last_ = at;
        if (event->button() == Qt::LeftButton)
            chart_.buttonUp(at.x(), at.y(), modifierKeys(event->modifiers()));
        if (event->buttons() == Qt::NoButton && rect().contains(at))
            startHovering();
    }

    void wheelEvent(QWheelEvent* event) override {
        // One notch scrolls a zoomed chart by one point.
        const int notches = event->angleDelta().y() / 120;
        if (notches != 0)
            chart_.scrollBy(-notches);
        event->accept();
    }

    void keyPressEvent(QKeyEvent* event) override {
        const LONG key = virtualKey(*event);
        if (key == 0) {
            QWidget::keyPressEvent(event);
            return;
        }
        chart_.keyDown(key, modifierKeys(event->modifiers()));
    }

    void leaveEvent(QEvent*) override {
        hover_->stop();
        stopHovering();
        chart_.mouseLeave(last_.x(), last_.y());
    }

    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            const QPoint at = static_cast<QHelpEvent*>(event)->pos();
            const std::optional<std::string> tip = chart_.tipToShow(at.x(), at.y());
            if (tip)
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), QString::fromStdString(*tip),
                                   this);
            else
                QToolTip::hideText();
            return true;
        }
        // Capture taken away from outside ends tracking; a capture the chart released itself is over
        // already, and captureLost then does nothing.
        if (event->type() == QEvent::UngrabMouse)
            chart_.captureLost(last_.x(), last_.y());
        return QWidget::event(event);
    }

private:
    // Movement starts waiting for the next rest.
    void restHover(const QPoint& at) {
        last_ = at;
        hover_->start();
    }
    // The mouse hovers while it is over the chart with no button held: HoverOn when that begins (it
    // moves or rests there, or a button is let go there), HoverOff when it ends (it leaves, or a
    // button goes down and a drag may begin). The application pauses its own hover work in between.
    void startHovering() {
        if (std::exchange(hovering_, true))
            return;
        chart_.hoverOn(last_.x(), last_.y());
    }
    void stopHovering() {
        if (std::exchange(hovering_, false))
            chart_.hoverOff(last_.x(), last_.y());
    }

    KvlChart& chart_;
    QTimer* hover_;
    QPoint last_;
    bool hovering_ = false;
};

KvlChartWidget::KvlChartWidget(QWidget* parent) : KvlChartWidget(KvlChart::create(), parent) {}

KvlChartWidget::KvlChartWidget(com::ComPtr<KvlChart> chart, QWidget* parent)
    : QWidget(parent), chart_(std::move(chart)) {
    auto* layout = new QVBoxLayout(this);
    layout_ = layout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    receiver_ = com::ComPtr<com::IUnknown>(
        static_cast<ostbar::IOstMessageReceiver*>(com::makeComObject<CommandReceiver>(*chart_).get()));
    com::ComPtr<ostbar::IOstMessageReceiver> receiver = receiver_.as<ostbar::IOstMessageReceiver>();
    chart_->commandBar().SetMessageReceiver(receiver.get());
    toolBar_ = new ostbar::OstToolbarWidget(com::ComPtr<ostbar::OstCommandBar>(&chart_->commandBar()), this);
    chart_->commandBar().setWindow(toolBar_);
    canvas_ = new KvlChartCanvas(*chart_, this);
    toolDock_ = new KvlToolDock(this);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(canvas_, 1);
    body->addWidget(toolDock_);
    layout->addWidget(toolBar_);
    layout->addLayout(body, 1);
    syncToolBar();
    chart_->setToolBarListener([this](bool) { syncToolBar(); });
    syncHosted();
    chart_->setHostedListener([this] { scheduleSyncHosted(); });
    chart_->controlResized(width(), height());
    chart_->setSizeListener(
        [this](LONG w, LONG h) { takeControlSize(static_cast<int>(w), static_cast<int>(h)); });
}

IKvlChart& KvlChartWidget::control() {
    return *chart_;
}

KvlChartWidget::~KvlChartWidget() {
    // The children go while the chart they talk to is still held.
    chart_->setHostedListener({});
    chart_->setSizeListener({});
    for (ostbar::OstToolbarWidget* bar : hostedToolBars_)
        delete bar;
    delete canvas_;
    delete toolBar_;
    chart_->setToolBarListener({});
    chart_->commandBar().SetMessageReceiver(nullptr);
    chart_->commandBar().setWindow(nullptr);
}

QWidget* KvlChartWidget::canvas() const {
    return canvas_;
}

QWidget* KvlChartWidget::toolDock() const {
    return toolDock_;
}

void KvlChartWidget::scheduleSyncHosted() {
    if (syncHostedPending_)
        return;
    syncHostedPending_ = true;
    // A bar may come or go while one of the hosted rows is handling a click.
    QMetaObject::invokeMethod(this, &KvlChartWidget::syncHosted, Qt::QueuedConnection);
}

void KvlChartWidget::syncHosted() {
    syncHostedPending_ = false;
    for (const auto& [id, object] : chart_->commandObjects()) {
        if (const auto tool = object.as<ostbar::IOstToolWindow>())
            tool->SetOwnerWidget(toolDock_);
    }
    std::vector<ostbar::OstToolbarWidget*> rows;
    for (const com::ComPtr<ostbar::IOstCommandBar>& hosted : chart_->hostedBars()) {
        const com::ComPtr<ostbar::OstCommandBar> bar = ostbar::OstCommandBar::implementationOf(hosted.get());
        if (!bar)
            continue;  // a bar of another library has no row to show here
        const auto kept =
            std::find_if(hostedToolBars_.begin(), hostedToolBars_.end(),
                         [&](ostbar::OstToolbarWidget* row) { return row->bar() == bar.get(); });
        if (kept != hostedToolBars_.end()) {
            rows.push_back(*kept);
            hostedToolBars_.erase(kept);
        } else {
            rows.push_back(new ostbar::OstToolbarWidget(bar, this));
        }
    }
    for (ostbar::OstToolbarWidget* gone : hostedToolBars_) {
        layout_->removeWidget(gone);
        gone->hide();
        gone->deleteLater();
    }
    hostedToolBars_ = std::move(rows);
    // The rows follow the chart's own bar, in the chart's order.
    for (std::size_t i = 0; i < hostedToolBars_.size(); ++i) {
        layout_->removeWidget(hostedToolBars_[i]);
        layout_->insertWidget(static_cast<int>(i) + 1, hostedToolBars_[i]);
    }
}

void KvlChartWidget::takeControlSize(int width, int height) {
    resize(width, height);
    // A shown widget has laid its children out during the resize already; a hidden one would only do
    // so when it shows, and the chart would be laid out at the old size until then.
    layout_->setGeometry(rect());
    chart_->controlResized(this->width(), this->height());
    chart_->model().setClientSize(canvas_->width(), canvas_->height());
    chart_->InvalidateRect(nullptr);
}

void KvlChartWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    chart_->controlResized(width(), height());
}

void KvlChartWidget::syncToolBar() {
    toolBar_->setVisible(chart_->toolBarShown());
}

}  // namespace korvel
