// The tool object of a bar: a docked tool window's style, visibility and dock position. Another
// object (the studies tool of an extension) aggregates it and adds its own window part.
#pragma once

#include "com/ComObject.h"
#include "ostbar/OstBarContract.h"

namespace ostbar {

class OstTool final : public com::ComObject<IOstTool> {
public:
    // Where the tool docks when nobody said otherwise: the right side.
    static constexpr LONG kDefaultDock = 2;
    static constexpr LONG kLastDock = 5;

    HRESULT SetCommandBar(IOstCommandBar* bar) override;
    HRESULT get_Style(LONG* style) override;
    HRESULT put_Style(LONG style) override;
    HRESULT get_Visible(VARIANT_BOOL* visible) override;
    HRESULT put_Visible(VARIANT_BOOL visible) override;
    HRESULT get_DockPosition(LONG* position) override;
    HRESULT put_DockPosition(LONG position) override;

    IOstCommandBar* commandBar() const { return bar_.get(); }

private:
    ~OstTool() override = default;

    com::ComPtr<IOstCommandBar> bar_;
    LONG style_ = kToolStyleDocked;
    bool visible_ = false;
    LONG dock_ = kDefaultDock;
};

}  // namespace ostbar
