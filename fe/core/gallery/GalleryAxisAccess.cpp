#include "gallery/GalleryAxisAccess.h"

#include "axes/AxisObjectFactory.h"
#include "com/ComPtr.h"
#include "dravik/AxisInterfaces.h"
#include "state/ExtensionSettings.h"

namespace dravik {
namespace {

GalleryAxisAccess& axisObjectAccess() {
    static GalleryAxisAccess access;
    return access;
}

bool& generalTitle() {
    static bool general = false;
    return general;
}

GalleryAxisAccess*& installed() {
    static GalleryAxisAccess* access = nullptr;
    return access;
}

}  // namespace

namespace {

// The axis object of `axis` as the chart type's axis menu reaches it.
com::ComPtr<ILomexAxis> axisObject(GalleryAxisAccess& access, IAxisOwner* owner, com::SHORT axis) {
    com::IUnknown* object = nullptr;
    if (com::FAILED(access.CreateAxisObject(owner, axis, &object)))
        return {};
    const auto made = com::ComPtr<com::IUnknown>::attach(object);
    return made.as<ILomexAxis>();
}

}  // namespace

com::HRESULT GalleryAxisAccess::CreateAxisObject(IAxisOwner* owner, com::SHORT axis, com::IUnknown** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    if (!owner)
        return com::E_FAIL;
    ExtensionSettings& settings = owner->AxisSettingsBlock();
    AxisSettingsRecord& record = axis == 2 ? settings.dateAxis : settings.priceAxis;
    ILomexAxis* made = nullptr;
    const com::HRESULT result = CreateChartAxisObject(*owner, record, axis, &made);
    *object = made;
    return result;
}

void* GalleryAxisAccess::GetValueAxisSettings(IAxisOwner* owner) {
    return owner ? &owner->AxisSettingsBlock().priceAxis : nullptr;
}

com::HRESULT GalleryAxisAccess::GetGrid(IAxisOwner* owner, com::SHORT axis, bool* shown) {
    if (!shown)
        return com::E_POINTER;
    *shown = false;
    const com::ComPtr<ILomexAxis> object = axisObject(*this, owner, axis);
    if (!object)
        return com::E_FAIL;
    com::VARIANT_BOOL grid = com::VARIANT_FALSE;
    const com::HRESULT result = object->get_Grid(&grid);
    *shown = grid != com::VARIANT_FALSE;
    return result;
}

com::HRESULT GalleryAxisAccess::SetGrid(IAxisOwner* owner, com::SHORT axis, bool shown) {
    const com::ComPtr<ILomexAxis> object = axisObject(*this, owner, axis);
    return object ? object->put_Grid(shown ? com::VARIANT_TRUE : com::VARIANT_FALSE) : com::E_FAIL;
}

com::HRESULT GalleryAxisAccess::GetTextColor(IAxisOwner* owner, com::SHORT axis, com::LONG* color) {
    if (!color)
        return com::E_POINTER;
    *color = 0;
    const com::ComPtr<ILomexAxis> object = axisObject(*this, owner, axis);
    return object ? object->get_TextColor(color) : com::E_FAIL;
}

com::HRESULT GalleryAxisAccess::SetTextColor(IAxisOwner* owner, com::SHORT axis, com::LONG color) {
    const com::ComPtr<ILomexAxis> object = axisObject(*this, owner, axis);
    return object ? object->put_TextColor(color) : com::E_FAIL;
}

GalleryAxisAccess& galleryAxisAccess() {
    return installed() ? *installed() : axisObjectAccess();
}

GalleryAxisAccess* setGalleryAxisAccess(GalleryAxisAccess* access) {
    GalleryAxisAccess* previous = installed();
    installed() = access;
    return previous;
}

bool axisGeneralPageTitled() {
    return generalTitle();
}

void setAxisGeneralPageTitled(bool general) {
    generalTitle() = general;
}

}  // namespace dravik
