// What the four figure builders share: which points of the price series hold a value, the size of a
// box, brick or reversal (fixed, or a percentage of the first price), and the range search.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "com/HResult.h"
#include "format/ScaleRounding.h"
#include "format/ValueFormat.h"
#include "special/SpecialFigure.h"

namespace dravik {

// Which way the current column or line of a figure runs.
enum class FigureDirection { none, up, down };

// A point holds a value unless it is the empty value 1e308. Values that are not finite cannot be
// placed on a value axis and count as empty as well.
inline bool IsFigureValue(double value) {
    return value != kEmptyValue && value - value == 0.0;
}

// Index of the first point that holds a value.
std::optional<std::size_t> FirstFigureValue(std::span<const double> values);

// The unit of a figure: `size`, or with `percentual` `size` percent of the first value of `values`
// (size x value x 0.01, in that order; `size` itself when the series holds no value). E_INVALIDARG,
// unit untouched, for a size that is not above 0, a percentage of a price that is not above 0, or a
// unit that comes out as 0 or not finite.
com::HRESULT ResolveFigureUnit(double size, bool percentual, std::span<const double> values, double& unit);

// The smallest and largest value taken in. The first value sets both, so that values beyond the
// range-search seeds (+/-3.4e38) are found as they are; nothing taken in leaves the seeds.
struct ValueRange {
    double min = kRangeSeedMin;
    double max = kRangeSeedMax;
    bool empty = true;

    void TakeIn(double value) {
        if (empty) {
            min = max = value;
            empty = false;
            return;
        }
        if (value < min)
            min = value;
        if (value > max)
            max = value;
    }
};

// What one pass over the price series found: the element count (which may exceed kMaxFigureElements
// when the pass was stopped for it) and the range.
struct FigureScan {
    std::int64_t count = 0;
    ValueRange range;
    bool refused = false;  // a count outgrew what can be held
};

// Walks the points that hold a value, taking each into the scan's range: `first(value, point)` for the
// first of them, then `next(value, point)` for each later one while it answers true.
template <typename First, typename Next>
void ForEachFigureValue(std::span<const double> values, FigureScan& scan, First first, Next next) {
    const auto start = FirstFigureValue(values);
    if (!start)
        return;
    scan.range.TakeIn(values[*start]);
    first(values[*start], static_cast<std::int32_t>(*start));
    for (std::size_t i = *start + 1; i < values.size(); ++i) {
        if (!IsFigureValue(values[i]))
            continue;
        scan.range.TakeIn(values[i]);
        if (!next(values[i], static_cast<std::int32_t>(i)))
            return;
    }
}

// Adds the next element: counted always, written when the pass has a figure with room for it.
inline void AppendElement(FigureScan& scan, SpecialFigure* figure, double start, double end,
                          std::int32_t point) {
    if (figure && scan.count < figure->count())
        figure->Set(static_cast<std::int32_t>(scan.count), start, end, point);
    ++scan.count;
}

// Runs a builder's pass twice, as every chart type builds: `scan(nullptr)` counts; when it finds
// elements the figure is allocated and `scan(&figure)` writes them. The figure is emptied first; a
// refused count leaves it empty with status E_INVALIDARG.
template <typename Scan>
FigureBuild RunFigurePasses(SpecialFigure& figure, Scan scan) {
    figure.Free();
    FigureBuild build;
    const FigureScan counted = scan(static_cast<SpecialFigure*>(nullptr));
    if (counted.refused || counted.count > kMaxFigureElements) {
        build.status = com::E_INVALIDARG;
        return build;
    }
    build.count = static_cast<std::int32_t>(counted.count);
    build.min = counted.range.min;
    build.max = counted.range.max;
    if (build.count > 0) {
        figure.Allocate(build.count);
        scan(&figure);
    }
    return build;
}

// How many whole units (truncated toward zero) `distance` holds, for a positive unit; at most `limit`
// + 1, so that a distance of any size gives a count that fits.
std::int64_t WholeUnits(double distance, double unit, std::int64_t limit);

}  // namespace dravik
