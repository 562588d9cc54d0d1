// State the extension object holds for its chart types: the chart types read and write these fields
// of their owner (the chart-type base, the special-chart base and the analytical chart fill them in).
#pragma once

#include <cstdint>
#include <vector>

#include "com/Types.h"
#include "gdi/Objects.h"
#include "state/ExtensionSettings.h"
#include "state/SeriesBinding.h"

namespace dravik {

using com::LONG;
using com::SHORT;

// A copy of the chart's values that the active chart type works on: series-major, the value of
// series s at point p at values[s * pointCount + p]. Owned by the extension object; the chart-type base
// fills it on activation and frees it on deactivation. `xValues` holds the points' dates (OLE dates),
// one per point, or nothing when the chart's points have none.
struct DataCache {
    std::vector<double> values;
    std::vector<double> xValues;
    LONG seriesCount = 0;
    LONG pointCount = 0;

    bool empty() const { return values.empty(); }
    bool hasXValues() const { return !xValues.empty(); }
    void clear() {
        values.clear();
        xValues.clear();
        seriesCount = 0;
        pointCount = 0;
    }
};

// The vertical tracking line and the zoom drag of the chart-type base (pixels are client pixels,
// positions are 1-based point positions on the X axis).
struct TrackingRecord {
    LONG pixel = 0;            // x of the line
    LONG y = 0;                // y of the last mouse point
    double position = 0;       // point position of the line
    double value = 0;          // value at the mouse point
    LONG startPixel = -1;      // x of the start line of a zoom drag; -1 while only tracking
    double startPosition = 0;  // point position where the drag began
    bool zooming = false;      // the drag zooms (else it only tracks)
    bool tracking = false;     // a drag is in progress
};

// The owner-side members of the chart types, grouped so that their owners fill them in one place.
struct ChartTypeState {
    // The extension's settings block, its price binding (which a chart type fills in on activation when
    // none is set) and its price display: the one copy that the COM surface and the chart types share.
    ExtensionSettings extension;
    SeriesBinding binding;
    SHORT priceDisplay = 0;  // lomexPriceDisplay
    DataCache dataCache;
    TrackingRecord tracking;
    gdi::HPEN trackingPen = gdi::NULL_HANDLE;  // the XOR pen of the tracking line; made with the first line
    bool trackingOn = false;                   // tracking by mouse is switched on
    bool pointInfoOn = false;                  // the information strip follows the tracking line
    LONG minimumPointCount = 0;                // lowered by OnSetState to the chart's point count
    bool keepChartStateOnce = false;           // the next activation keeps the chart's state (one shot)
    bool fitRangeToFigure = false;             // the special charts fit the value range to their figure
};

}  // namespace dravik
