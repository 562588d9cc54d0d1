#pragma once

// Keeps the drawings of a company's chart in its Company.DrawingInfo (DrawingInfoText.h).

#include <cstdint>
#include <string>
#include <string_view>

#include "korvel/IKvlChart.h"

namespace frame::chart {

// Stores the drawings on `chart` and, after them in each section, the records of `leftover` (the
// drawings the last restore could not place) as the company's drawing text. A leftover with fewer
// than ten sections is taken as if the missing ones were empty. Throws on a database error.
void SaveAnnotationDrawingInfo(korvel::IKvlChart& chart, std::int32_t companyId, std::string_view leftover);

// Re-creates on `chart` every stored drawing of the company whose two dates lie within the charted
// dates, and answers the records it did not place in the same ten-section form (an empty text when
// the company has no drawing text). A record is not placed, and comes back unchanged, when it falls
// outside the chart, when its kind has its six drawings already, or when it cannot be read whole.
std::string GetAnnotationDrawingInfo(korvel::IKvlChart& chart, std::int32_t companyId);

}  // namespace frame::chart
