#pragma once

// The hover test of the chart window: which drawing of the financial extension passes under the
// cursor, and the annotation line laid over it as its highlight and handle. The line carries the
// drawing's tag (DrawingKinds.h). Every routine logs its errors under its own name and then answers
// what it held (False, 0, or the value computed so far).
//
// Chart coordinates: x is the 1-based point number, y a value on the price axis.

#include <cstdint>

#include "dravik/DrawingInterfaces.h"
#include "glossor/IGlosxList.h"
#include "korvel/IKvlChart.h"
#include "locale/LocaleInfo.h"

namespace frame::chart {

// True when the cursor (client pixels) lies on a drawing; with `highlight` the drawing then carries
// the one highlight line (an existing line of that drawing is left as it is). Of several drawings
// under the cursor the one nearest on the screen is taken; all within a few pixels count as equally
// near, and then the earlier kind and the lower index win.
bool CheckPointDrawingHit(std::int16_t x, std::int16_t y, korvel::IKvlChart& chart, bool highlight);
// Whether the point (x, y) lies on the drawing: within its two ends, and on the line through them
// within PointCount / 10000 relative to y or within a few pixels on the screen, whichever is more. x
// is a fractional position; a drawing whose ends share a point is hit on that point's slot. `dates` is
// the locale in which the drawing writes its dates.
bool isHit(korvel::IKvlChart& chart, dravik::IDrawFeature& drawing, double x, double y,
           const loc::LocaleInfo& dates);
// The 1-based number of the point with exactly that date; 0 when none has it.
std::int32_t ValueIndex(korvel::IKvlChart& chart, double date);
// The line through (x1, y1) and (x2, y2): its y at x = v, or with `giveX` its x at y = v. 0 (logged)
// for a line it cannot answer (x1 = x2, or a level line asked for an x).
double GetValueFromLineEqn(double x1, double y1, double x2, double y2, double v, bool giveX);
// Lays the annotation line over the drawing's two ends.
void SetLineOverDrawing(korvel::IKvlChart& chart, dravik::IDrawFeature& drawing, glossor::IGlosxObject& line);
// Marks the line as the highlight of drawing `index` of `kind`.
void HighlightClickedDrawing(glossor::IGlosxList& list, glossor::IGlosxObject& line, std::int32_t kind,
                             std::int16_t index);
// Whether the list holds the highlight of that drawing.
bool CheckAnnotLineExist(glossor::IGlosxList& list, std::int32_t kind, std::int16_t index);
// Removes every object that stands for a drawing; the user's own objects (tag 0) stay.
void ClearAllLineAnnot(glossor::IGlosxList& list);

}  // namespace frame::chart
