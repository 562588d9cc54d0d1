// The studies tool as the command bar sees it, until the tool itself exists: a tool of the bar that
// can be shown and hidden and that the chart keeps under the tool's command id.
#pragma once

#include "com/ComObject.h"
#include "ostbar/OstBarContract.h"

namespace dravik {

class CStudiesToolPlaceholder final : public com::ComObject<ostbar::IOstTool> {
public:
    HRESULT SetCommandBar(ostbar::IOstCommandBar* bar) override {
        bar_ = com::ComPtr<ostbar::IOstCommandBar>(bar);
        return com::S_OK;
    }
    HRESULT get_Style(LONG* style) override { return put(style, style_); }
    HRESULT put_Style(LONG style) override {
        style_ = style;
        return com::S_OK;
    }
    HRESULT get_Visible(com::VARIANT_BOOL* visible) override { return put(visible, visible_); }
    HRESULT put_Visible(com::VARIANT_BOOL visible) override {
        visible_ = visible ? com::VARIANT_TRUE : com::VARIANT_FALSE;
        return com::S_OK;
    }
    HRESULT get_DockPosition(LONG* position) override { return put(position, dock_); }
    HRESULT put_DockPosition(LONG position) override {
        dock_ = position;
        return com::S_OK;
    }

    ostbar::IOstCommandBar* commandBar() const { return bar_.get(); }

private:
    template <typename T>
    static HRESULT put(T* out, T value) {
        if (!out)
            return com::E_POINTER;
        *out = value;
        return com::S_OK;
    }

    com::ComPtr<ostbar::IOstCommandBar> bar_;
    LONG style_ = ostbar::kToolStyleDocked;
    com::VARIANT_BOOL visible_ = com::VARIANT_FALSE;
    LONG dock_ = 0;
};

}  // namespace dravik
