// A window as the drawing code sees it: client/screen conversion, mouse capture, repainting and
// named window properties.
#pragma once

#include <cstdint>
#include <memory>

#include "gdi/Types.h"

class QWidget;

namespace ui {

class WindowHandle {
public:
    WindowHandle() = default;
    explicit WindowHandle(QWidget* widget);

    // Null once the widget is destroyed.
    QWidget* widget() const;
    bool isValid() const { return widget() != nullptr; }
    friend bool operator==(const WindowHandle& a, const WindowHandle& b) { return a.widget() == b.widget(); }

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
    bool setProp(const char* name, std::uintptr_t value) const;
    std::uintptr_t getProp(const char* name) const;
    std::uintptr_t removeProp(const char* name) const;

private:
    // Watches the widget for its destruction; shared by copies of the handle and never changed.
    struct Tracker;
    std::shared_ptr<const Tracker> tracker_;
};

}  // namespace ui
