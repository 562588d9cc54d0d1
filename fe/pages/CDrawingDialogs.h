// The drawing dialogs of this library as the extension reaches them (extension/DrawingDialogs.h).
#pragma once

#include <cstdint>

#include <QWidget>

#include "extension/DrawingDialogs.h"

namespace dravik {

class CDrawingDialogs final : public IDrawingDialogs {
public:
    bool RunParameters(IDrawingPageOwner& extension, IDrawFeature& feature, std::intptr_t parent) override;
    bool RunAddDrawing(IDrawingPageOwner& extension, int index, const DrawingPlacement& placement,
                       std::intptr_t parent) override;
};

// Installs the dialogs for the extension; done once when the library is loaded.
void InstallDrawingDialogs();

// The widget a window handle names: a handle is the address of a live widget. Null for 0 and for any
// value that names no widget now (the handle came from elsewhere or the window is gone).
QWidget* WidgetOfHandle(std::intptr_t handle);

}  // namespace dravik
