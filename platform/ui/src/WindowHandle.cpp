#include "ui/WindowHandle.h"

namespace ui {

namespace {

QPointer<QWidget>& captured() {
    static QPointer<QWidget> window;
    return window;
}

}  // namespace

gdi::Point WindowHandle::clientToScreen(gdi::Point client) const {
    if (!widget_)
        return client;
    const QPoint p = widget_->mapToGlobal(QPoint(client.x, client.y));
    return {p.x(), p.y()};
}

gdi::Point WindowHandle::screenToClient(gdi::Point screen) const {
    if (!widget_)
        return screen;
    const QPoint p = widget_->mapFromGlobal(QPoint(screen.x, screen.y));
    return {p.x(), p.y()};
}

gdi::Rect WindowHandle::clientRect() const {
    if (!widget_)
        return {};
    return {0, 0, widget_->width(), widget_->height()};
}

void WindowHandle::invalidate(const gdi::Rect* rect) const {
    if (!widget_)
        return;
    if (rect) {
        widget_->update(QRect(rect->left, rect->top, rect->width(), rect->height()));
    } else {
        widget_->update();
    }
}

WindowHandle WindowHandle::setCapture() const {
    WindowHandle previous = capture();
    if (previous.widget_ && previous.widget_ != widget_ && previous.widget_->isVisible()) {
        previous.widget_->releaseMouse();
    }
    captured() = widget_;
    if (widget_ && widget_->isVisible())
        widget_->grabMouse();
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

bool WindowHandle::setProp(const char* name, quintptr value) const {
    if (!widget_)
        return false;
    widget_->setProperty(name, QVariant::fromValue(value));
    return true;
}

quintptr WindowHandle::getProp(const char* name) const {
    if (!widget_)
        return 0;
    return widget_->property(name).value<quintptr>();
}

quintptr WindowHandle::removeProp(const char* name) const {
    const quintptr value = getProp(name);
    if (widget_)
        widget_->setProperty(name, QVariant());
    return value;
}

}  // namespace ui
