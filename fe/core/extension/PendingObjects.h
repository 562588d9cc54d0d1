// The parts of the COM surface whose classes are not built yet. A getter of such an object answers
// E_NOTIMPL (with a null result) after checking its arguments; when a class lands, its entry here
// becomes false and the getter makes the object.
#pragma once

#include <array>
#include <cstddef>

namespace dravik {

enum class PendingObject : std::size_t {
    StudyObject,           // IIndex / ICustomIndex over a study record
    AnalyticalAxisObject,  // ILomexAxis of the analytical chart (PricesAxis while it is active)
    ChartTypeObject,       // IPointFigure, IRenko, IKagi, IThreeLineBreak
    SeriesObject,          // IIndexSeries over a price series (PriceSeries)
    StudiesToolObject,     // IStudiesTool (StudiesToolObj)
    StudySelection,        // the analytical chart's calculated study list (FindCalculatedStudy, AddStudy,
                           // ToggleStudy)
    Count,
};

// true: not yet available.
inline constexpr std::array<bool, static_cast<std::size_t>(PendingObject::Count)> kNotYetAvailable{
    false,  // StudyObject
    false,  // AnalyticalAxisObject
    false,  // ChartTypeObject
    false,  // SeriesObject
    false,  // StudiesToolObject
    false,  // StudySelection
};

constexpr bool IsNotYetAvailable(PendingObject kind) {
    return kNotYetAvailable[static_cast<std::size_t>(kind)];
}

}  // namespace dravik
