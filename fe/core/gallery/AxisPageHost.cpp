#include "gallery/AxisPageHost.h"

#include "axes/AxisOwner.h"
#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "gallery/CGalleryBase.h"
#include "korvel/IKvlControl.h"
#include "state/AxisSettingsRecord.h"
#include "state/ExtensionSettings.h"

namespace dravik {
namespace {

class CAxisPageHost final : public com::ComObject<IAxisPageHost> {
public:
    CAxisPageHost(IAxisOwner& owner, std::function<CGalleryBase*()> activeChartType)
        : owner_(owner), keep_(owner.AxisOwnerIdentity()), activeChartType_(std::move(activeChartType)) {}

    com::SHORT CurrentAxis() override {
        CGalleryBase* type = chartType();
        return type ? type->currentAxis() : com::SHORT{-1};
    }

    void SetCurrentAxis(com::SHORT axis) override {
        if (CGalleryBase* type = chartType())
            type->setCurrentAxis(axis);
    }

    com::LONG AxisCount() override {
        CGalleryBase* type = chartType();
        return type ? type->GetAxisCount() : 0;
    }

    com::SHORT AxisName(com::LONG selector, char* text, com::LONG size) override {
        if (text && size > 0)
            text[0] = '\0';
        CGalleryBase* type = chartType();
        com::SHORT axis = -1;
        if (type)
            type->GetAxisName(selector, &axis, text, size);
        return axis;
    }

    void LoadAxisName(com::SHORT axis, char* text, com::LONG size) override {
        if (text && size > 0)
            text[0] = '\0';
        if (CGalleryBase* type = chartType())
            type->LoadAxisName(axis, text, size);
    }

    com::HRESULT CreateAxisObject(com::SHORT axis, ILomexAxis** object, std::uint32_t* usedFields) override {
        if (usedFields)
            *usedFields = 0;
        if (!object)
            return com::E_POINTER;
        *object = nullptr;
        CGalleryBase* type = chartType();
        if (!type)
            return com::E_FAIL;
        com::IUnknown* made = nullptr;
        com::SHORT bound = -1;
        const com::HRESULT result = type->CreateAxisObject(&made, &bound, axis);
        const auto unknown = com::ComPtr<com::IUnknown>::attach(made);
        if (com::FAILED(result))
            return result;
        com::ComPtr<ILomexAxis> axisObject = unknown.as<ILomexAxis>();
        if (!axisObject)
            return com::E_NOINTERFACE;
        if (usedFields) {
            const auto* record = bound == korvel::kXAxis
                                     ? &owner_.AxisSettingsBlock().dateAxis
                                     : static_cast<const AxisSettingsRecord*>(type->GetValueAxisSettings());
            *usedFields = record ? record->usedFields : 0;
        }
        *object = axisObject.detach();
        return com::S_OK;
    }

    com::LONG ShowPropertyFrame(com::SHORT axis) override {
        CGalleryBase* type = chartType();
        return type ? type->ShowPropertyFrame(axis) : 0;
    }

private:
    ~CAxisPageHost() override = default;

    CGalleryBase* chartType() const { return activeChartType_(); }

    IAxisOwner& owner_;
    com::ComPtr<com::IUnknown> keep_;  // the owner lives as long as this object
    std::function<CGalleryBase*()> activeChartType_;
};

}  // namespace

com::HRESULT CreateAxisPageHost(IAxisOwner& owner, std::function<CGalleryBase*()> activeChartType,
                                void** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    com::ComPtr<IAxisPageHost> host = com::makeComObject<CAxisPageHost>(owner, std::move(activeChartType));
    if (!host)
        return com::E_OUTOFMEMORY;
    *object = host.detach();
    return com::S_OK;
}

}  // namespace dravik
