#include "frame/chart/GlossorOverlay.h"

#include "korvel/KvlChart.h"

namespace frame::chart {

GlossorOverlay::GlossorOverlay(korvel::KvlChart& chart, com::ComPtr<glossor::IGlosxOverlay> overlay)
    : chart_(chart), overlay_(std::move(overlay)) {
    overlay_->SetHost(this);
    chart_.attachOverlay(this);
}

GlossorOverlay::~GlossorOverlay() {
    if (chart_.overlay() == this)
        chart_.attachOverlay(nullptr);
    overlay_->SetHost(nullptr);
}

void GlossorOverlay::paintOverlay(gdi::DeviceContext& dc, const korvel::KvlRect&,
                                  korvel::KvlOverlayPaint purpose) {
    if (purpose == korvel::KvlOverlayPaint::Output)
        overlay_->PaintDrawn(&dc);
    else
        overlay_->Paint(&dc);
}

bool GlossorOverlay::overlayMouse(korvel::KvlMouseAction action, korvel::LONG x, korvel::LONG y,
                                  korvel::LONG keys) {
    const com::LONG modifiers = (keys & korvel::kKeyShift) != 0 ? glossor::kInputShift : 0;
    com::HRESULT result = com::S_FALSE;
    switch (action) {
        case korvel::KvlMouseAction::Press:
            result = overlay_->MouseDown(x, y, modifiers);
            break;
        case korvel::KvlMouseAction::Move:
            result = overlay_->MouseMove(x, y, modifiers);
            break;
        case korvel::KvlMouseAction::Release:
            result = overlay_->MouseUp(x, y, modifiers);
            break;
        case korvel::KvlMouseAction::DoubleClick:
            result = overlay_->DoubleClick(x, y, modifiers);
            break;
        case korvel::KvlMouseAction::RightClick:
            break;  // the chart's own menu
    }
    return result == com::S_OK;
}

bool GlossorOverlay::overlayKey(korvel::LONG key, korvel::LONG) {
    return overlay_->KeyDown(key) == com::S_OK;
}

int GlossorOverlay::clientWidth() const {
    const korvel::KvlRect r = chart_.model().clientRect();
    return r.right - r.left;
}

int GlossorOverlay::clientHeight() const {
    const korvel::KvlRect r = chart_.model().clientRect();
    return r.bottom - r.top;
}

void GlossorOverlay::invalidate() {
    chart_.InvalidateRect(nullptr);
}

}  // namespace frame::chart
