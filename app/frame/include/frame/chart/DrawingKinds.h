#pragma once

// The financial extension's drawing kinds as the chart window handles them: the getter of each kind,
// the orders in which kinds are stored and hit, and the tag that names one drawing on an annotation
// object.

#include <array>
#include <optional>

#include "com/ComPtr.h"
#include "dravik/DrawingInterfaces.h"
#include "dravik/IFinancialCharts.h"
#include "glossor/IGlosxList.h"
#include "korvel/IKvlChart.h"

namespace frame::chart {

inline constexpr int kDrawingKindCount = 10;
// The extension keeps at most six drawings of one kind.
inline constexpr com::SHORT kMaxDrawingsPerKind = 6;

using DrawingKindOrder = std::array<com::LONG, kDrawingKindCount>;
// The kinds in the order of the sections of a company's drawing text.
inline constexpr DrawingKindOrder kStoredKindOrder{9, 1, 2, 3, 4, 0, 6, 5, 8, 7};
// The kinds in the order the hover test tries them: an earlier kind wins.
inline constexpr DrawingKindOrder kHitKindOrder{0, 9, 1, 2, 3, 4, 6, 5, 8, 7};

// The drawing `index` of `kind` through the kind's getter; an index equal to the number of drawings of
// the kind makes the extension add one. Throws an AppError when the extension refuses, or "Object
// required" for a kind outside 0 to 9.
com::ComPtr<dravik::IDrawFeature> DrawingAt(dravik::IFinancialCharts& extension, com::LONG kind,
                                            com::SHORT index);
// The number of drawings of `kind`; throws when the extension refuses.
com::SHORT DrawingCount(dravik::IFinancialCharts& extension, com::LONG kind);

// The chart's financial extension ("Lomex.Financial") and annotation list ("Scribant.AnnList"); throw
// when the chart cannot hand them out.
com::ComPtr<dravik::IFinancialCharts> FinancialExtensionOf(korvel::IKvlChart& chart);
com::ComPtr<glossor::IGlosxList> AnnotationListOf(korvel::IKvlChart& chart);

// The tag of an annotation object that stands for drawing `index` of `kind`: (kind + 1) * 100 + index.
constexpr com::LONG DrawingTag(com::LONG kind, com::LONG index) {
    return (kind + 1) * 100 + index;
}
struct TaggedDrawing {
    com::LONG kind = 0;
    com::SHORT index = 0;
};
// kind = floor(tag / 100) - 1, index = tag - (kind + 1) * 100; nothing for tag 0 (an ordinary object).
std::optional<TaggedDrawing> DrawingOfTag(com::LONG tag);

}  // namespace frame::chart
