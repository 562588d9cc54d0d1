#include "ui/WindowHandle.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace ui {

struct WindowHandle::Tracker {
    QPointer<QWidget> widget;
};

namespace {

QPointer<QWidget>& captured() {
    static QPointer<QWidget> window;
    return window;
}

}  // namespace

WindowHandle::WindowHandle(QWidget* widget) {
    if (widget)
        tracker_ = std::make_shared<const Tracker>(Tracker{widget});
}

QWidget* WindowHandle::widget() const {
    return tracker_ ? tracker_->widget.data() : nullptr;
}

gdi::Point WindowHandle::clientToScreen(gdi::Point client) const {
    QWidget* const w = widget();
    if (!w)
        return client;
    const QPoint p = w->mapToGlobal(QPoint(client.x, client.y));
    return {p.x(), p.y()};
}

gdi::Point WindowHandle::screenToClient(gdi::Point screen) const {
    QWidget* const w = widget();
    if (!w)
        return screen;
    const QPoint p = w->mapFromGlobal(QPoint(screen.x, screen.y));
    return {p.x(), p.y()};
}

gdi::Rect WindowHandle::clientRect() const {
    QWidget* const w = widget();
    if (!w)
        return {};
    return {0, 0, w->width(), w->height()};
}

void WindowHandle::invalidate(const gdi::Rect* rect) const {
    QWidget* const w = widget();
    if (!w)
        return;
    if (rect) {
        w->update(QRect(rect->left, rect->top, rect->width(), rect->height()));
    } else {
        w->update();
    }
}

WindowHandle WindowHandle::setCapture() const {
    QWidget* const w = widget();
    WindowHandle previous = capture();
    if (QWidget* const p = previous.widget(); p && p != w && p->isVisible()) {
        p->releaseMouse();
    }
    captured() = w;
    if (w && w->isVisible())
        w->grabMouse();
    return previous;
}

void WindowHandle::releaseCapture() {
    if (QWidget* w = captured(); w && w->isVisible())
        w->releaseMouse();
    captured() = nullptr;
}

WindowHandle WindowHandle::capture() {
    return WindowHandle(captured());
}

// Stored as quintptr, the type other code reading a property straight from the widget expects.
bool WindowHandle::setProp(const char* name, std::uintptr_t value) const {
    QWidget* const w = widget();
    if (!w)
        return false;
    w->setProperty(name, QVariant::fromValue(quintptr(value)));
    return true;
}

std::uintptr_t WindowHandle::getProp(const char* name) const {
    QWidget* const w = widget();
    if (!w)
        return 0;
    return w->property(name).value<quintptr>();
}

std::uintptr_t WindowHandle::removeProp(const char* name) const {
    const std::uintptr_t value = getProp(name);
    if (QWidget* const w = widget())
        w->setProperty(name, QVariant());
    return value;
}

}  // namespace ui
