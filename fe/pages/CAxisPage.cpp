#include "CAxisPage.h"

#include <cstring>
#include <vector>

namespace dravik {

CAxisPage::CAxisPage(PageLayout layout) : CFinancialPropertyPage(std::move(layout)) {}

com::HRESULT CAxisPage::BindPage() {
    ReleasePage();
    if (!extension())
        return com::E_INVALIDARG;
    com::ComPtr<IAxisPageHost> host;
    if (com::FAILED(extension()->QueryInterface(IAxisPageHost::iid, host.putVoid())) || !host)
        return com::E_INVALIDARG;
    host_ = std::move(host);
    BindAxis(host_->CurrentAxis());
    return com::S_OK;
}

void CAxisPage::ReleasePage() {
    axisObject_.reset();
    host_.reset();
    axis_ = -1;
    dateAxis_ = false;
    usedFields_ = 0;
}

void CAxisPage::BindAxis(com::SHORT axis) {
    axisObject_.reset();
    usedFields_ = 0;
    axis_ = axis;
    dateAxis_ = axis == kDateAxisIndex;
    if (axis == -1 || !host_)
        return;
    com::ComPtr<ILomexAxis> object;
    std::uint32_t used = 0;
    if (com::SUCCEEDED(host_->CreateAxisObject(axis, object.put(), &used)) && object) {
        axisObject_ = std::move(object);
        usedFields_ = used;
    }
}

void CAxisPage::LoadPage(ui::Dialog& dialog) {
    const bool wasLoading = loading_;
    loading_ = true;
    PrepareControls(dialog);
    LoadControls(dialog);
    loading_ = wasLoading;
}

void CAxisPage::Reload(ui::Dialog& dialog) {
    const bool wasLoading = loading_;
    loading_ = true;
    LoadControls(dialog);
    loading_ = wasLoading;
}

std::string CAxisPage::AxisName(com::SHORT axis) const {
    if (!host_)
        return {};
    std::vector<char> text(kAxisNameChars + 1, '\0');
    host_->LoadAxisName(axis, text.data(), static_cast<com::LONG>(text.size()));
    text.back() = '\0';
    return std::string(text.data(), std::strlen(text.data()));
}

void CAxisPage::ShowAxisName(ui::Dialog& dialog) const {
    dialog.setItemText(IDC_AXISTITLE, QString::fromStdString(AxisName(axis_)));
}

}  // namespace dravik
