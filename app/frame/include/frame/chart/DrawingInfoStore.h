#pragma once

// Keeps the drawings of a company's chart in its Company.DrawingInfo (DrawingInfoText.h).

#include <cstdint>
#include <string>
#include <string_view>

#include "korvel/IKvlChart.h"

namespace frame::chart {

// Stores the drawings on `chart` and, after them in each section, the records of `leftover` (the
// drawings the last restore could not place) as the company's drawing text. A leftover with fewer
// than ten sections is taken as if the missing ones were empty. Errors are logged; the text is written
// only whole, so a failure leaves the stored text as it was. True when it was written.
bool SaveAnnotationDrawingInfo(korvel::IKvlChart& chart, std::int32_t companyId, std::string_view leftover);

// Re-creates on `chart` every stored drawing of the company whose two dates lie within the charted
// dates, and answers the records it did not place in the same ten-section form (an empty text when
// the company has no drawing text). The records of a kind are placed in their order, each at its
// position counted among the placed ones, over a drawing of the kind already at that position. A
// record is not placed, and comes back unchanged, when it falls outside the chart, when its kind has
// its six drawings already, or when it cannot be read or set whole. Errors are logged.
std::string GetAnnotationDrawingInfo(korvel::IKvlChart& chart, std::int32_t companyId);

}  // namespace frame::chart
