// A window as the drawing code sees it: client/screen conversion, mouse capture, repainting and
// named window properties.
#pragma once

#include <QPointer>
#include <QVariant>
#include <QWidget>

#include "gdi/Types.h"

namespace ui {

class WindowHandle {
public:
    WindowHandle() = default;
    explicit WindowHandle(QWidget* widget) : widget_(widget) {}

    QWidget* widget() const { return widget_; }
    bool isValid() const { return !widget_.isNull(); }
    friend bool operator==(const WindowHandle& a, const WindowHandle& b) { return a.widget_ == b.widget_; }

    gdi::Point clientToScreen(gdi::Point client) const;
    gdi::Point screenToClient(gdi::Point screen) const;
    gdi::Rect clientRect() const;
    // Schedules a repaint of the rectangle (client pixels) or of everything.
    void invalidate(const gdi::Rect* rect = nullptr) const;

    // Mouse capture: one window at a time. setCapture answers the window that had it.
    WindowHandle setCapture() const;
    static void releaseCapture();
    static WindowHandle capture();

    // Named properties kept on the window (null when absent).
    bool setProp(const char* name, quintptr value) const;
    quintptr getProp(const char* name) const;
    quintptr removeProp(const char* name) const;

private:
    QPointer<QWidget> widget_;
};

}  // namespace ui
