#pragma once

// Joins the annotation list to the chart: the list's overlay is drawn last in every paint of the chart
// and sees the mouse and keys first; the list asks the chart for repaints and reads its client size.

#include "com/ComPtr.h"
#include "glossor/GlosxOverlay.h"
#include "korvel/KvlOverlay.h"

namespace korvel {
class KvlChart;
}

namespace frame::chart {

class GlossorOverlay final : public korvel::KvlOverlay, public glossor::GlosxHost {
public:
    // Attaches itself to both; detaches in the destructor.
    GlossorOverlay(korvel::KvlChart& chart, com::ComPtr<glossor::IGlosxOverlay> overlay);
    ~GlossorOverlay();
    GlossorOverlay(const GlossorOverlay&) = delete;
    GlossorOverlay& operator=(const GlossorOverlay&) = delete;

    void paintOverlay(gdi::DeviceContext& dc, const korvel::KvlRect& plot,
                      korvel::KvlOverlayPaint purpose) override;
    bool overlayMouse(korvel::KvlMouseAction action, korvel::LONG x, korvel::LONG y,
                      korvel::LONG keys) override;
    bool overlayKey(korvel::LONG key, korvel::LONG keys) override;

    int clientWidth() const override;
    int clientHeight() const override;
    void invalidate() override;

private:
    korvel::KvlChart& chart_;
    com::ComPtr<glossor::IGlosxOverlay> overlay_;
};

}  // namespace frame::chart
