// What a control drawn over the chart (the annotation control) attaches to the chart with
// KvlChart::attachOverlay: it paints last in every paint of the chart (screen, printer and metafile
// alike, so what it shows prints), and it sees the mouse and the keys before anything else on the
// chart. A true answer to an input call takes the input: the chart then neither calls its extensions'
// callback chain nor does its own handling. The overlay asks for a repaint with the chart's
// InvalidateRect and reads the client size from its model.
#pragma once

#include "korvel/KvlContract.h"

namespace korvel {

enum class KvlMouseAction { Press, Move, Release, DoubleClick, RightClick };

// What a paint is for: the screen shows the overlay's working marks (selection handles, the object
// being drawn); a copy, an exported file or a printout shows only what the user drew.
enum class KvlOverlayPaint { Screen, Output };

class KvlOverlay {
public:
    // Called at the end of each paint, after the chart and its extensions drew; `plot` is the plot area.
    virtual void paintOverlay(gdi::DeviceContext& dc, const KvlRect& plot, KvlOverlayPaint purpose) = 0;
    // Mouse input in client pixels; keys are kKey* modifier bits.
    virtual bool overlayMouse(KvlMouseAction action, LONG x, LONG y, LONG keys) = 0;
    // A key pressed on the chart (virtual-key numbers: 0x2E Delete, 0x1B Escape, ...); true takes it.
    virtual bool overlayKey(LONG key, LONG keys) = 0;

protected:
    ~KvlOverlay() = default;
};

}  // namespace korvel
