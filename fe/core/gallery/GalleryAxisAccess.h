// How the chart types reach the extension's axis objects and axis settings: the COM axis object of an
// axis, the value-axis settings record, and the grid and text colour that the axis menu shows and
// changes.
//
// The access in use goes through the extension's axis objects: the date axis (2) is bound to the
// extension's date-axis settings, every other axis to its value-axis settings. Tests install a model of
// their own.
#pragma once

#include "com/Types.h"
#include "com/Unknown.h"

namespace dravik {

class IAxisOwner;

class GalleryAxisAccess {
public:
    virtual ~GalleryAxisAccess() = default;

    // The COM axis object of `axis` (2 the date axis, else the value axis of the chart type).
    virtual com::HRESULT CreateAxisObject(IAxisOwner* owner, com::SHORT axis, com::IUnknown** object);
    // The extension's settings record of the value axis; null while there is none.
    virtual void* GetValueAxisSettings(IAxisOwner* owner);
    virtual com::HRESULT GetGrid(IAxisOwner* owner, com::SHORT axis, bool* shown);
    virtual com::HRESULT SetGrid(IAxisOwner* owner, com::SHORT axis, bool shown);
    virtual com::HRESULT GetTextColor(IAxisOwner* owner, com::SHORT axis, com::LONG* color);
    virtual com::HRESULT SetTextColor(IAxisOwner* owner, com::SHORT axis, com::LONG color);
};

// The access in use (never null).
GalleryAxisAccess& galleryAxisAccess();
// Installs `access` (not owned; null restores the one over the axis objects); answers the previous one.
GalleryAxisAccess* setGalleryAxisAccess(GalleryAxisAccess* access);

// Set while the chart types' axis frame is shown: the general axis page is titled "General" there
// instead of "Axes".
bool axisGeneralPageTitled();
void setAxisGeneralPageTitled(bool general);

}  // namespace dravik
