// Draws the annotation objects through a platform DC in client pixels: each object by its kind and
// look, the marks of the selected objects' end points, and the object being drawn.
#pragma once

#include "GlosxModel.h"

namespace gdi {
class DeviceContext;
}

namespace glossor {

// Side of the square mark on a selected object's end point, in pixels.
inline constexpr int kHandleSize = 7;

void paintObject(gdi::DeviceContext& dc, const GlosxData& data);
// The objects in list order (the last on top), without any mark.
void paintObjects(gdi::DeviceContext& dc, const GlosxModel& model);
// The objects in list order (the last on top), then the selection marks, then `pending` (may be null).
void paintList(gdi::DeviceContext& dc, const GlosxModel& model, const GlosxData* pending);

}  // namespace glossor
