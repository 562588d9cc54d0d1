#include "ostbar/OstTool.h"

namespace ostbar {

HRESULT OstTool::SetCommandBar(IOstCommandBar* bar) {
    bar_ = com::ComPtr<IOstCommandBar>(bar);
    return com::S_OK;
}

HRESULT OstTool::get_Style(LONG* style) {
    if (!style)
        return com::E_POINTER;
    *style = style_;
    return com::S_OK;
}

HRESULT OstTool::put_Style(LONG style) {
    style_ = style;
    // A docked tool's bar lays itself out again.
    if (bar_ && (style & kToolStyleDocked))
        bar_->Refresh();
    return com::S_OK;
}

HRESULT OstTool::get_Visible(VARIANT_BOOL* visible) {
    if (!visible)
        return com::E_POINTER;
    *visible = com::toVariantBool(visible_);
    return com::S_OK;
}

HRESULT OstTool::put_Visible(VARIANT_BOOL visible) {
    visible_ = visible != 0;
    return com::S_OK;
}

HRESULT OstTool::get_DockPosition(LONG* position) {
    if (!position)
        return com::E_POINTER;
    *position = dock_;
    return com::S_OK;
}

HRESULT OstTool::put_DockPosition(LONG position) {
    if (position < 0 || position > kLastDock)
        return com::E_INVALIDARG;
    dock_ = position;
    return com::S_OK;
}

}  // namespace ostbar
