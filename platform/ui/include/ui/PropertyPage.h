// A property page as the property frame sees it, and the site through which it reports status.
#pragma once

#include <cstdint>
#include <span>

#include <QString>

#include "com/Guid.h"
#include "com/HResult.h"
#include "com/Types.h"
#include "com/Unknown.h"

class QWidget;

namespace ui {

inline constexpr std::uint32_t PROPPAGESTATUS_DIRTY = 0x1;
inline constexpr std::uint32_t PROPPAGESTATUS_VALIDATE = 0x2;
inline constexpr std::uint32_t PROPPAGESTATUS_CLEAN = 0x4;

class PropertyPageSite {
public:
    virtual void onStatusChange(std::uint32_t flags) = 0;
    virtual com::LCID locale() const = 0;

protected:
    ~PropertyPageSite() = default;
};

class PropertyPage {
public:
    virtual ~PropertyPage() = default;

    virtual QString title() const = 0;
    virtual void setPageSite(PropertyPageSite* site) = 0;
    // Binds the page to the objects it edits (the frame passes the same objects to every page).
    // A failure leaves the page out of the frame.
    virtual com::HRESULT setObjects(std::span<com::IUnknown* const> objects) = 0;
    // Creates the page's window inside `parent` (the frame owns it from then on).
    virtual QWidget* activate(QWidget* parent) = 0;
    virtual void deactivate() = 0;
    // The frame shows or hides the page (tab changes).
    virtual void show(bool) {}
    // S_OK when dirty, S_FALSE when clean.
    virtual com::HRESULT isPageDirty() const = 0;
    // Writes the page's values to its objects: S_OK, S_FALSE when clean, a failure keeps the frame open.
    virtual com::HRESULT apply() = 0;
    virtual void editProperty(com::DISPID) {}
};

}  // namespace ui
