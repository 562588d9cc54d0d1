#include "pages/CDrawingDialogs.h"

#include <QApplication>

#include "drawing/CDrawFeature.h"
#include "drawing/CDrawingFeatures.h"
#include "drawing/DrawingPageOwner.h"
#include "pages/CAddDrawingDialog.h"
#include "pages/CDrawingParametersDialog.h"
#include "pages/CFinancialPropertyPage.h"

namespace dravik {
namespace {

// The kind of the drawing an object of this library views; -1 when it views none.
int kindOf(IDrawingPageOwner& extension, IDrawFeature& feature) {
    const auto* own = dynamic_cast<CDrawFeature*>(&feature);
    if (!own)
        return -1;
    const DrawingRecord* record =
        extension.PageDrawings().list().At(extension.PageDrawings().list().IndexOfId(own->drawingId()));
    return record ? record->kind : -1;
}

// The chart's colour table, through the site the extension is attached to.
std::vector<gdi::COLORREF> chartColours(IDrawingPageOwner& extension) {
    return ReadChartColorTable(extension.PageSite());
}

}  // namespace

QWidget* WidgetOfHandle(std::intptr_t handle) {
    if (handle == 0)
        return nullptr;
    // Compared, never dereferenced: a handle that names no live widget is simply not found.
    for (QWidget* widget : QApplication::allWidgets()) {
        if (reinterpret_cast<std::intptr_t>(widget) == handle)
            return widget;
    }
    return nullptr;
}

bool CDrawingDialogs::RunParameters(IDrawingPageOwner& extension, IDrawFeature& feature,
                                    std::intptr_t parent) {
    const int kind = kindOf(extension, feature);
    return kind >= 0 && RunDrawingParametersDialog(feature, kind, WidgetOfHandle(parent));
}

bool CDrawingDialogs::RunAddDrawing(IDrawingPageOwner& extension, int index,
                                    const DrawingPlacement& placement, std::intptr_t parent) {
    const std::vector<gdi::COLORREF> colours = chartColours(extension);
    CAddDrawingDialog dialog(extension, index, placement, colours);
    return dialog.Run(WidgetOfHandle(parent));
}

void InstallDrawingDialogs() {
    static CDrawingDialogs dialogs;
    SetDrawingDialogs(&dialogs);
}

}  // namespace dravik
