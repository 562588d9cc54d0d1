// The common part of the three axis pages (general, scale, grid): each edits one axis of the active
// chart type at a time through that axis's COM object.
//
// The page reaches the chart type through the bound extension (IAxisPageHost). When the page opens it
// binds to the axis the frame was opened for (the chart type's current axis; -1: none); the general
// page binds again when another axis is chosen in its list. Binding keeps the axis object (one
// reference) and the used-fields mask of the axis's settings record as it stood then.
//
// Each page remembers the values it loaded; Apply writes what differs from them, and each written value
// becomes the remembered one. Notifications that loading the controls causes are no edits.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "CFinancialPropertyPage.h"
#include "com/ComObject.h"
#include "dravik/AxisInterfaces.h"
#include "gallery/AxisPageHost.h"
#include "ui/PropertyPageObject.h"

namespace dravik {

// The static that shows the axis's name.
inline constexpr int IDC_AXISTITLE = 1189;
// Longest axis name shown.
inline constexpr int kAxisNameChars = 156;
// The chart axis that is the date axis.
inline constexpr com::SHORT kDateAxisIndex = 2;

// Keeps the first failure of a run of writes (the later writes still go ahead).
class FirstFailure {
public:
    // True when `result` is a success.
    bool operator()(com::HRESULT result) {
        if (com::FAILED(result) && com::SUCCEEDED(first_))
            first_ = result;
        return com::SUCCEEDED(result);
    }
    com::HRESULT result() const { return first_; }

private:
    com::HRESULT first_ = com::S_OK;
};

class CAxisPage : public CFinancialPropertyPage {
public:
    com::SHORT boundAxis() const { return axis_; }
    // The bound axis is the date axis: the page's value fields are disabled.
    bool dateAxis() const { return dateAxis_; }
    std::uint32_t usedFields() const { return usedFields_; }
    ILomexAxis* axisObject() const { return axisObject_.get(); }
    IAxisPageHost* host() const { return host_.get(); }

protected:
    explicit CAxisPage(PageLayout layout);

    com::HRESULT BindPage() override;
    void ReleasePage() override;
    void LoadPage(ui::Dialog& dialog) final;
    // Loads the controls from the bound axis (when opened, and on every reload).
    virtual void LoadControls(ui::Dialog& dialog) = 0;
    // Prepares the controls once when the page opens, before the first load.
    virtual void PrepareControls(ui::Dialog&) {}

    // Releases the axis object held so far and binds `axis` (-1: none).
    void BindAxis(com::SHORT axis);
    // Loads the controls again with notifications ignored.
    void Reload(ui::Dialog& dialog);
    // True while the controls are being loaded: their notifications are no edits.
    bool loading() const { return loading_; }
    std::string AxisName(com::SHORT axis) const;
    void ShowAxisName(ui::Dialog& dialog) const;

private:
    com::ComPtr<IAxisPageHost> host_;
    com::SHORT axis_ = -1;
    bool dateAxis_ = false;
    std::uint32_t usedFields_ = 0;
    com::ComPtr<ILomexAxis> axisObject_;
    bool loading_ = false;
};

// An axis page as a class of the server: created by its class id, it hands the property frame its page.
template <typename Page>
class CAxisPageObject final : public com::ComObject<ui::IPropertyPageObject> {
public:
    CAxisPageObject() : page_(std::make_unique<Page>()) {}
    ui::PropertyPage* GetPage() override { return page_.get(); }

private:
    ~CAxisPageObject() override = default;
    std::unique_ptr<Page> page_;
};

}  // namespace dravik
