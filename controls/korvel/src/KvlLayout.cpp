#include "korvel/KvlLayout.h"

#include <algorithm>

#include "korvel/IKvlChart.h"
#include "korvel/KvlChartModel.h"

namespace korvel {

namespace {

// Height of the title line at the top of the chart.
constexpr LONG kTitleHeight = 18;

KvlRect ordered(LONG left, LONG top, LONG right, LONG bottom) {
    return KvlRect{left, top, std::max(left, right), std::max(top, bottom)};
}

KvlRect clipped(const KvlRect& r, const KvlRect& to) {
    return ordered(std::clamp(r.left, to.left, to.right), std::clamp(r.top, to.top, to.bottom),
                   std::clamp(r.right, to.left, to.right), std::clamp(r.bottom, to.top, to.bottom));
}

}  // namespace

KvlLayout layoutChart(const KvlChartModel& model, LONG width, LONG height) {
    KvlLayout layout;
    layout.client = ordered(0, 0, std::max<LONG>(width, 0), std::max<LONG>(height, 0));
    const KvlRect& c = layout.client;
    const auto& margins = model.margins();
    const LONG left = std::min<LONG>(model.leftStrip(), c.right);
    const LONG top = std::min<LONG>(margins[2], c.bottom);
    layout.plot = ordered(left, top, c.right - margins[1], c.bottom - margins[3]);
    const KvlRect& p = layout.plot;
    layout.leftAxis = ordered(c.left, p.top, p.left, p.bottom);
    layout.rightAxis = ordered(p.right, p.top, c.right, p.bottom);
    layout.bottomAxis = ordered(p.left, p.bottom, p.right, c.bottom);
    const auto found = model.texts().find(kTextTitle);
    if (found != model.texts().end() && !found->second.empty())
        layout.title = ordered(c.left, c.top, c.right, std::min(top, kTitleHeight));
    const KvlLegendBox& box = model.legendBox();
    if (box.visible)
        layout.legend = clipped(KvlRect{box.left, box.top, box.right, box.bottom}, c);
    return layout;
}

}  // namespace korvel
