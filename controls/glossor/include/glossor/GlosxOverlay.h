// How a chart widget shows the annotation list and hands it the user's input.
//
// The widget implements GlosxHost and gives it to the list's overlay (IGlosxOverlay, answered by the
// object the chart hands out under "Scribant.AnnList"). On every paint, after the chart itself, the
// widget calls Paint with a DC in client pixels. Mouse input goes to the overlay first: when a call
// answers S_OK the overlay used it and the chart does nothing more with it; S_FALSE leaves it to the
// chart.
#pragma once

#include "com/Guid.h"
#include "com/Types.h"
#include "com/Unknown.h"

namespace gdi {
class DeviceContext;
}

namespace glossor {

// What the overlay needs of the widget it lies over.
class GlosxHost {
public:
    // Size of the client area in pixels.
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    // Asks for a repaint of the whole client area.
    virtual void invalidate() = 0;

protected:
    ~GlosxHost() = default;
};

// {5C0E4A19-93D2-4F6B-8E1A-2B7D6C9F0A31}
inline constexpr com::IID IID_IGlosxOverlay{
    0x5C0E4A19, 0x93D2, 0x4F6B, {0x8E, 0x1A, 0x2B, 0x7D, 0x6C, 0x9F, 0x0A, 0x31}};

// Modifier bits of the mouse calls.
inline constexpr com::LONG kInputShift = 0x1;  // adds to or takes from the selection

// Key codes of KeyDown.
inline constexpr com::LONG kKeyDelete = 0x2E;
inline constexpr com::LONG kKeyEscape = 0x1B;

struct IGlosxOverlay : com::IUnknown {
    static constexpr com::IID iid = IID_IGlosxOverlay;

    // The widget (held without a reference: the widget clears it, with null, before it goes).
    virtual com::HRESULT SetHost(GlosxHost* host) = 0;
    // Draws every object, the selection marks and the object being drawn.
    virtual com::HRESULT Paint(gdi::DeviceContext* dc) = 0;
    // The left button pressed, the mouse moved, the left button released, a left double click; in
    // client pixels.
    virtual com::HRESULT MouseDown(com::LONG x, com::LONG y, com::LONG modifiers) = 0;
    virtual com::HRESULT MouseMove(com::LONG x, com::LONG y, com::LONG modifiers) = 0;
    virtual com::HRESULT MouseUp(com::LONG x, com::LONG y, com::LONG modifiers) = 0;
    virtual com::HRESULT DoubleClick(com::LONG x, com::LONG y, com::LONG modifiers) = 0;
    // A key pressed while the chart has the focus (kKeyDelete, kKeyEscape).
    virtual com::HRESULT KeyDown(com::LONG key) = 0;
    // Draws the objects alone, for a copy, a file or a printout: no selection marks and no object
    // still being drawn.
    virtual com::HRESULT PaintDrawn(gdi::DeviceContext* dc) = 0;

protected:
    ~IGlosxOverlay() = default;
};

}  // namespace glossor
