// The dialogs of the drawing features as the extension reaches them: the parameter dialog of a
// configurable drawing and the dialog that confirms a drawing the user has just placed. They are
// built with the property pages, which the extension's core does not link: the library that holds
// them installs them here when it is loaded. Without installed dialogs nothing opens.
#pragma once

#include <cstdint>

namespace dravik {

class IDrawingPageOwner;
struct IDrawFeature;

// Where the user placed a new drawing: its anchors as 1-based point positions and prices.
struct DrawingPlacement {
    double from = -1.0;
    double fromPrice = -1.0;
    double to = -1.0;
    double toPrice = -1.0;
};

class IDrawingDialogs {
public:
    // Runs the parameter dialog of `feature` over window `parent` (0: none); true when the user changed
    // the parameters, which the dialog then wrote through `feature`.
    virtual bool RunParameters(IDrawingPageOwner& extension, IDrawFeature& feature, std::intptr_t parent) = 0;
    // The user has just placed the drawing at list index `index`: he names it and sets it up (true,
    // the drawing is shown and CreatedDrawing raised) or cancels (false, the drawing is removed again).
    virtual bool RunAddDrawing(IDrawingPageOwner& extension, int index, const DrawingPlacement& placement,
                               std::intptr_t parent) = 0;

protected:
    ~IDrawingDialogs() = default;
};

// The installed dialogs (not owned; null removes them). Answers the previous ones.
IDrawingDialogs* SetDrawingDialogs(IDrawingDialogs* dialogs);
IDrawingDialogs* GetDrawingDialogs();

}  // namespace dravik
