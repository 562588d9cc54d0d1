#include "frame/ToolWindowHost.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QMainWindow>
#include <QTabBar>
#include <QTabWidget>

#include <stdexcept>

#include "frame/FormModel.h"
#include "frame/FrameGlobals.h"

namespace frame {
namespace {

// A dock whose close box hides its window until the frame closes: only then may it really close.
class ToolDock : public QDockWidget {
public:
    ToolDock(const QString& title, QWidget* parent, std::function<void()> onClose)
        : QDockWidget(title, parent), m_onClose(std::move(onClose)) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        if (gClosing) {
            QDockWidget::closeEvent(event);
            return;
        }
        event->ignore();
        m_onClose();
    }

private:
    std::function<void()> m_onClose;
};

Qt::DockWidgetArea areaOf(int group) {
    return group == ToolWindowHost::kBottomGroup ? Qt::BottomDockWidgetArea : Qt::LeftDockWidgetArea;
}

int panelOf(int group) {
    return group == ToolWindowHost::kBottomGroup ? ToolWindowHost::kBottomPanel : ToolWindowHost::kSidePanel;
}

void emitEvent(const std::function<void(const QString&)>& event, const QString& key) {
    if (event)
        event(key);
}

}  // namespace

struct ToolWindowHost::Entry {
    QString key;
    int group = kSideGroup;
    int style = 0;
    int sizePercent = 0;
    QDockWidget* dock = nullptr;
    bool shown = true;
};

ToolWindowHost::ToolWindowHost() = default;
ToolWindowHost::~ToolWindowHost() = default;

void ToolWindowHost::attach(QMainWindow& frame) {
    m_frame = &frame;
    frame.setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    frame.setTabPosition(Qt::AllDockWidgetAreas, QTabWidget::North);
}

void ToolWindowHost::registerForm(QWidget* window, int group, int style, const QString& key,
                                  int sizePercent) {
    if (m_frame == nullptr)
        throw std::logic_error("tool windows need a frame");
    if (isRegistered(key))
        throw std::invalid_argument("tool window registered twice: " + key.toStdString());
    auto e = std::make_unique<Entry>();
    e->key = key;
    e->group = group;
    e->style = style;
    e->sizePercent = sizePercent;
    auto* dock = new ToolDock(window->windowTitle(), m_frame, [this, key] { closeRequested(key); });
    dock->setObjectName(key + QStringLiteral("Dock"));
    dock->setWidget(window);
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    // The dock and its tab carry the window's caption, also when the window changes it.
    QObject::connect(window, &QWidget::windowTitleChanged, dock, &QWidget::setWindowTitle);
    QObject::connect(dock, &QDockWidget::visibilityChanged, dock, [this, key](bool visible) {
        if (visible && isShown(key))
            emitEvent(events.formSelect, key);
    });
    m_frame->addDockWidget(areaOf(group), dock);
    for (const auto& other : m_entries) {
        if (other->group == group) {
            m_frame->tabifyDockWidget(other->dock, dock);
            break;
        }
    }
    e->dock = dock;
    m_entries.push_back(std::move(e));
}

void ToolWindowHost::setPanelSize(int panel, int16_t twips) {
    if (panel < 0 || panel >= 4)
        throw std::out_of_range("no dock panel " + std::to_string(panel));
    m_panelTwips[panel] = twips;
}

void ToolWindowHost::setPanelRightToLeft(int panel, bool rightToLeft) {
    for (const auto& e : m_entries) {
        if (panelOf(e->group) == panel)
            e->dock->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    }
}

// The first window of each group starts in front; each group gets its panel's size, else the first
// window's share of the frame.
void ToolWindowHost::finishSetup() {
    placeSideGroup();
    for (int group : {kSideGroup, kBottomGroup}) {
        for (const auto& e : m_entries) {
            if (e->group != group)
                continue;
            e->dock->raise();
            const Qt::Orientation across = group == kBottomGroup ? Qt::Vertical : Qt::Horizontal;
            const int frameExtent = across == Qt::Vertical ? m_frame->height() : m_frame->width();
            const int32_t twips = m_panelTwips[panelOf(group)];
            const int pixels = twips > 0 ? twips / kTwipsPerPixel : frameExtent * e->sizePercent / 100;
            m_frame->resizeDocks({e->dock}, {pixels}, across);
            break;
        }
    }
    // Tabs show whole captions; a group too narrow for them scrolls its tabs.
    for (QTabBar* tabs : m_frame->findChildren<QTabBar*>(Qt::FindDirectChildrenOnly)) {
        tabs->setElideMode(Qt::ElideNone);
        tabs->setUsesScrollButtons(true);
    }
    // Registration showed every window.
    for (const auto& e : m_entries) {
        if (e->shown)
            emitEvent(events.formShow, e->key);
    }
}

// The side group stands on the frame's leading side: the right one in a right-to-left frame.
void ToolWindowHost::placeSideGroup() {
    const Qt::DockWidgetArea side =
        m_frame->layoutDirection() == Qt::RightToLeft ? Qt::RightDockWidgetArea : Qt::LeftDockWidgetArea;
    QDockWidget* first = nullptr;
    for (const auto& e : m_entries) {
        if (e->group != kSideGroup)
            continue;
        if (m_frame->dockWidgetArea(e->dock) != side)
            m_frame->addDockWidget(side, e->dock);
        if (first == nullptr)
            first = e->dock;
        else
            m_frame->tabifyDockWidget(first, e->dock);
    }
}

void ToolWindowHost::showForm(const QString& key) {
    Entry& e = entry(key);
    e.shown = true;
    e.dock->show();
    emitEvent(events.formShow, key);
}

void ToolWindowHost::hideForm(const QString& key) {
    Entry& e = entry(key);
    e.shown = false;
    e.dock->hide();
    emitEvent(events.formHide, key);
}

void ToolWindowHost::activateForm(const QString& key) {
    Entry& e = entry(key);
    if (!e.shown)
        return;
    e.dock->raise();
    if (QWidget* w = e.dock->widget())
        w->setFocus();
}

bool ToolWindowHost::isRegistered(const QString& key) const {
    for (const auto& e : m_entries) {
        if (e->key == key)
            return true;
    }
    return false;
}

bool ToolWindowHost::isShown(const QString& key) const {
    return entry(key).shown;
}

bool ToolWindowHost::isOnScreen(const QString& key) const {
    const Entry& e = entry(key);
    // The dock of a tab behind another stays "visible" but is moved out of the frame's sight.
    return e.shown && e.dock->isVisible() && !e.dock->visibleRegion().isEmpty() && !m_frame->isMinimized();
}

QDockWidget* ToolWindowHost::dock(const QString& key) const {
    return entry(key).dock;
}

QStringList ToolWindowHost::keys() const {
    QStringList out;
    for (const auto& e : m_entries)
        out << e->key;
    return out;
}

ToolWindowHost::Entry& ToolWindowHost::entry(const QString& key) const {
    for (const auto& e : m_entries) {
        if (e->key == key)
            return *e;
    }
    throw std::out_of_range("no tool window " + key.toStdString());
}

void ToolWindowHost::closeRequested(const QString& key) {
    hideForm(key);
}

}  // namespace frame
