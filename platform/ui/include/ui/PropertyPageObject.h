// Property pages that live in another library: a page object created by its class id through the
// class registry hands the property frame its page. The object owns the page; the frame keeps the
// object for as long as it shows the page.
#pragma once

#include <memory>

#include "com/Guid.h"
#include "com/Unknown.h"
#include "ui/PropertyFrame.h"
#include "ui/PropertyPage.h"

namespace ui {

// {3C1D6A40-8F2E-4B7C-9A15-6E0B2D4F8C31}
inline constexpr com::IID IID_IPropertyPageObject{
    0x3C1D6A40, 0x8F2E, 0x4B7C, {0x9A, 0x15, 0x6E, 0x0B, 0x2D, 0x4F, 0x8C, 0x31}};

struct IPropertyPageObject : com::IUnknown {
    static constexpr com::IID iid = IID_IPropertyPageObject;

    // The page, owned by the object and alive while the object is; null when it cannot be made.
    virtual PropertyPage* GetPage() = 0;

protected:
    ~IPropertyPageObject() = default;
};

// Wraps a page object as a page the frame owns (the page object is kept alive by it); null when the
// object has no page.
std::unique_ptr<PropertyPage> adoptPageObject(IPropertyPageObject* object);
// The frame's page factory that creates each page object by its class id through the class registry;
// a class that cannot be created or answers no page is left out.
PropertyPageFactory classRegistryPageFactory();

}  // namespace ui
