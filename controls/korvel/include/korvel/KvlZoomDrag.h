// The chart's own zoom drag, one small state machine: a press in the plot starts it, each move
// stretches an XOR rubber band over the plot's height from the press to the mouse, and the release
// hands back the point positions dragged over. The band is drawn on the surface it is given; drawing
// it a second time erases it, so the surface is left as it was.
#pragma once

#include <optional>
#include <utility>

#include "korvel/KvlContract.h"

namespace korvel {

class KvlZoomDrag {
public:
    bool active() const { return from_.has_value(); }
    // The band as drawn on the surface now (none while no drag runs or the drag has no width yet).
    const std::optional<KvlRect>& band() const { return band_; }

    // `position` is the 1-based point position under x.
    void press(LONG x, double position, const KvlRect& plot, gdi::DeviceContext* surface);
    void move(LONG x, gdi::DeviceContext* surface);
    // Ends the drag, erasing the band: the X range to show, from the first slot touched to the last.
    std::pair<double, double> release(double position, gdi::DeviceContext* surface);
    void cancel(gdi::DeviceContext* surface);
    // Draws the band again after a paint of the surface covered it.
    void repaint(gdi::DeviceContext* surface);

private:
    static void invert(const KvlRect& band, gdi::DeviceContext* surface);
    void erase(gdi::DeviceContext* surface);

    std::optional<double> from_;
    LONG fromX_ = 0;
    KvlRect plot_{};
    std::optional<KvlRect> band_;
};

}  // namespace korvel
