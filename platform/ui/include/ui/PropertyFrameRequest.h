// What a property frame shows (the objects, the pages by class id, the caption) and the call that
// shows it modally; the frame's widget class is in ui/PropertyFrame.h.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QString>

#include "ui/PropertyPage.h"

class QWidget;

namespace ui {

inline constexpr int ID_APPLY_NOW = 12321;

using PropertyPageFactory = std::function<std::unique_ptr<PropertyPage>(const com::CLSID&)>;

struct PropertyFrameRequest {
    QWidget* owner = nullptr;
    QString caption;
    std::vector<com::IUnknown*> objects;  // not owned; alive while the frame is shown
    std::vector<com::CLSID> pages;
    com::LCID locale = 1024;  // the user default locale
    com::DISPID initialProperty = 0;
    com::CLSID initialPage{};  // the page whose tab shows first; null or unlisted: the first page
};

// Shows the frame modally. S_OK once it closes; E_INVALIDARG when no page could be made.
com::HRESULT showPropertyFrame(const PropertyFrameRequest& request, const PropertyPageFactory& factory);

}  // namespace ui
