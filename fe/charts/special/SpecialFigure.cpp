#include "special/SpecialFigure.h"

#include <algorithm>

#include "format/ScaleRounding.h"

namespace dravik {

void SpecialFigure::Allocate(std::int32_t count) {
    const std::size_t n = static_cast<std::size_t>(std::max<std::int32_t>(count, 0));
    endValues.assign(n, 0.0);
    startValues.assign(n, 0.0);
    sourcePoint.assign(n, 0);
    signal.assign(n, 0);
}

void SpecialFigure::Free() {
    endValues.clear();
    startValues.clear();
    sourcePoint.clear();
    signal.clear();
}

bool SpecialFigure::rises(std::int32_t element) const {
    const auto i = static_cast<std::size_t>(element);
    return endValues[i] > startValues[i];
}

bool SpecialFigure::falls(std::int32_t element) const {
    const auto i = static_cast<std::size_t>(element);
    return endValues[i] < startValues[i];
}

void SpecialFigure::Set(std::int32_t element, double start, double end, std::int32_t point) {
    const auto i = static_cast<std::size_t>(element);
    startValues[i] = start;
    endValues[i] = end;
    sourcePoint[i] = point;
}

FigureHandOver HandOverOf(const SpecialFigure& figure, const FigureBuild& build) {
    FigureHandOver handOver;
    handOver.pointCount = figure.count();
    handOver.values = figure.endValues;
    if (!figure.empty()) {
        handOver.fromValues = figure.startValues;
        handOver.hasFromValues = true;
        handOver.axisMin = build.min;
        handOver.axisMax = build.max;
        RoundRangeToStep(handOver.axisMin, handOver.axisMax);
    }
    return handOver;
}

bool FigureValueRange(const SpecialFigure& figure, std::int32_t first, std::int32_t last, double& min,
                      double& max) {
    const std::int32_t from = std::max<std::int32_t>(first, 0);
    const std::int32_t to = std::min<std::int32_t>(last, figure.count() - 1);
    if (from > to)
        return false;
    // From the first element, not the range-search seeds: values beyond +/-3.4e38 are found as well.
    double low = std::min(figure.startValues[static_cast<std::size_t>(from)],
                          figure.endValues[static_cast<std::size_t>(from)]);
    double high = std::max(figure.startValues[static_cast<std::size_t>(from)],
                           figure.endValues[static_cast<std::size_t>(from)]);
    for (std::int32_t i = from + 1; i <= to; ++i) {
        const auto k = static_cast<std::size_t>(i);
        low = std::min({low, figure.startValues[k], figure.endValues[k]});
        high = std::max({high, figure.startValues[k], figure.endValues[k]});
    }
    min = low;
    max = high;
    return first != last && max != min;
}

}  // namespace dravik
