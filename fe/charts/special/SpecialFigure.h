// The figure of a special chart (Point & Figure, Renko, Kagi, Three Line Break): the elements a chart
// type builds from one price series and hands to the chart in place of the chart's own data.
//
// Element i runs from startValues[i] to endValues[i] (data values); sourcePoint[i] is the 0-based chart
// point at which it was completed, signal[i] its signal number (0 none, n > 0 the n-th buy signal, -n
// the n-th sell signal). The four arrays always have the same length.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "com/HResult.h"

namespace dravik {

// More elements than any chart can show: a figure that would grow past this is refused, so that a box
// far too small for the prices neither overflows a count nor asks for gigabytes.
inline constexpr std::int32_t kMaxFigureElements = 1 << 24;

struct SpecialFigure {
    std::vector<double> endValues;
    std::vector<double> startValues;
    std::vector<std::int32_t> sourcePoint;
    std::vector<std::int32_t> signal;

    // `count` elements: values 0, source points and signals 0.
    void Allocate(std::int32_t count);
    void Free();

    std::int32_t count() const { return static_cast<std::int32_t>(endValues.size()); }
    bool empty() const { return endValues.empty(); }
    // The element goes up: its end value is above its start value.
    bool rises(std::int32_t element) const;
    // End below start.
    bool falls(std::int32_t element) const;
    // Writes element `element` (which must exist).
    void Set(std::int32_t element, double start, double end, std::int32_t point);
};

// What a count and build pass found: the element count and the value range that the chart's value
// axis is to show (each chart type's own rule; the range-search seeds when no point holds a value). `status`
// is S_OK, or E_INVALIDARG when the settings were refused (a size of zero or less, a percentage of a price of
// zero or less, more elements than kMaxFigureElements): the figure is then empty and the chart gets an empty
// series.
struct FigureBuild {
    com::HRESULT status = com::S_OK;
    std::int32_t count = 0;
    double min = 0;
    double max = 0;
};

// What the chart receives for a figure: its values (kind 1) are the end values of one series of
// `pointCount` points; the from-values (kind 5) the start values, only when there are points. An empty
// figure is one series without points. The axis range is the figure's range rounded to a step.
struct FigureHandOver {
    std::int32_t seriesCount = 1;
    std::int32_t pointCount = 0;
    std::span<const double> values;
    std::span<const double> fromValues;
    bool hasFromValues = false;
    double axisMin = 0;
    double axisMax = 0;
};

FigureHandOver HandOverOf(const SpecialFigure& figure, const FigureBuild& build);

// The value range over the start and end values of elements first..last (last capped at count - 1,
// first raised to 0). True when first differs from last and the range is not empty; false, with min and
// max untouched, when no element lies in the span.
bool FigureValueRange(const SpecialFigure& figure, std::int32_t first, std::int32_t last, double& min,
                      double& max);

}  // namespace dravik
