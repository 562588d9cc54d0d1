#include "extension/DrawingDialogs.h"

namespace dravik {
namespace {

// Set once when the dialogs' library loads; every call comes on the user-interface thread.
IDrawingDialogs* installedDialogs = nullptr;

}  // namespace

IDrawingDialogs* SetDrawingDialogs(IDrawingDialogs* dialogs) {
    IDrawingDialogs* previous = installedDialogs;
    installedDialogs = dialogs;
    return previous;
}

IDrawingDialogs* GetDrawingDialogs() {
    return installedDialogs;
}

}  // namespace dravik
