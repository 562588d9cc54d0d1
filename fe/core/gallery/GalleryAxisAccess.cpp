#include "gallery/GalleryAxisAccess.h"

namespace dravik {
namespace {

GalleryAxisAccess& pendingAccess() {
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

com::HRESULT GalleryAxisAccess::CreateAxisObject(CFinancialCharts*, com::SHORT, com::IUnknown** object) {
    if (object)
        *object = nullptr;
    return com::E_NOTIMPL;
}

void* GalleryAxisAccess::GetValueAxisSettings(CFinancialCharts*) {
    return nullptr;
}

com::HRESULT GalleryAxisAccess::GetGrid(CFinancialCharts*, com::SHORT, bool* shown) {
    if (shown)
        *shown = false;
    return com::E_NOTIMPL;
}

com::HRESULT GalleryAxisAccess::SetGrid(CFinancialCharts*, com::SHORT, bool) {
    return com::E_NOTIMPL;
}

com::HRESULT GalleryAxisAccess::GetTextColor(CFinancialCharts*, com::SHORT, com::LONG* color) {
    if (color)
        *color = 0;
    return com::E_NOTIMPL;
}

com::HRESULT GalleryAxisAccess::SetTextColor(CFinancialCharts*, com::SHORT, com::LONG) {
    return com::E_NOTIMPL;
}

GalleryAxisAccess& galleryAxisAccess() {
    return installed() ? *installed() : pendingAccess();
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
