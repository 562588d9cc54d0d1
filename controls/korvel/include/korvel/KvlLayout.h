// Where the parts of the chart go: a pure function of the client size and the chart's state, so the
// screen, the printer and the metafile paints all place the plot, the axis strips, the title and the
// legend the same way.
#pragma once

#include "korvel/KvlContract.h"

namespace korvel {

class KvlChartModel;

struct KvlLayout {
    KvlRect client;
    KvlRect plot;        // the data area; value axes place their bands inside it
    KvlRect leftAxis;    // labels of value axis 0 (and the added axes)
    KvlRect rightAxis;   // labels of value axis 1
    KvlRect bottomAxis;  // labels of the X axis
    KvlRect title;       // empty without a title
    KvlRect legend;      // empty while the legend box is hidden
};

// A zero or negative size gives empty rectangles, never inverted ones.
KvlLayout layoutChart(const KvlChartModel& model, LONG width, LONG height);

}  // namespace korvel
