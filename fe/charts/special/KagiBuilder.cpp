#include "special/KagiBuilder.h"

#include <algorithm>
#include <cmath>

#include "special/FigurePass.h"

namespace dravik {
namespace {

// The move from the extreme counts when it holds at least one whole reversal amount.
bool counts(double distance, double reversal) {
    return std::trunc(distance / reversal) != 0.0;
}

// One pass; without a figure it only counts. The open element runs from `elementStart` to the current
// extreme.
FigureScan scanKagi(std::span<const double> values, double reversal, SpecialFigure* figure) {
    FigureScan scan;
    double extreme = 0;
    std::int32_t extremePoint = 0;
    double elementStart = 0;
    FigureDirection direction = FigureDirection::none;
    auto closeElement = [&] {
        if (figure && scan.count <= figure->count())
            figure->Set(static_cast<std::int32_t>(scan.count - 1), elementStart, extreme, extremePoint);
    };
    // The first move opens element 0; a turn closes the open element at the extreme and opens the
    // next one there.
    auto turn = [&](FigureDirection to) {
        if (direction != FigureDirection::none) {
            closeElement();
            elementStart = extreme;
        }
        direction = to;
        ++scan.count;
    };
    auto first = [&](double v, std::int32_t point) {
        extreme = elementStart = v;
        extremePoint = point;
    };
    auto next = [&](double v, std::int32_t point) {
        // A rise extends a rising line by any amount but turns a falling one only by the reversal.
        const FigureDirection way = v > extreme   ? FigureDirection::up
                                    : v < extreme ? FigureDirection::down
                                                  : FigureDirection::none;
        if (way == FigureDirection::none)
            return true;
        if (direction != way && counts(std::fabs(v - extreme), reversal))
            turn(way);
        if (direction == way) {
            extreme = v;
            extremePoint = point;
        }
        return true;
    };
    ForEachFigureValue(values, scan, first, next);
    if (scan.count > 0)
        closeElement();
    scan.range.min -= reversal;
    scan.range.max += reversal;
    return scan;
}

bool isYang(std::int16_t kind) {
    return kind == KAGI_YANG || kind == KAGI_YIN_TO_YANG;
}

}  // namespace

FigureBuild BuildKagiFigure(std::span<const double> values, const KagiSettings& settings,
                            SpecialFigure& figure, std::vector<std::int16_t>& pointType) {
    pointType.clear();
    double reversal = 0;
    if (com::FAILED(ResolveFigureUnit(settings.reversalAmount, settings.percentual != 0, values, reversal))) {
        figure.Free();
        return FigureBuild{com::E_INVALIDARG};
    }
    const FigureBuild build =
        RunFigurePasses(figure, [&](SpecialFigure* target) { return scanKagi(values, reversal, target); });
    pointType = ClassifyKagiLines(figure);
    return build;
}

std::vector<std::int16_t> ClassifyKagiLines(const SpecialFigure& figure) {
    std::vector<std::int16_t> kinds(static_cast<std::size_t>(figure.count()));
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const double start = figure.startValues[i];
        const double end = figure.endValues[i];
        if (i == 0) {
            kinds[i] = start <= end ? KAGI_YANG : KAGI_YIN;
            continue;
        }
        const bool wasYang = isYang(kinds[i - 1]);
        // The start of the element before is the last low waist of a fall, the last high shoulder of
        // a rise.
        const double previousStart = figure.startValues[i - 1];
        if (end <= start) {
            if (end >= previousStart)
                kinds[i] = wasYang ? KAGI_YANG : KAGI_YIN;
            else
                kinds[i] = wasYang ? KAGI_YANG_TO_YIN : KAGI_YIN;
        } else if (end <= previousStart) {
            kinds[i] = wasYang ? KAGI_YANG : KAGI_YIN;
        } else {
            kinds[i] = wasYang ? KAGI_YANG : KAGI_YIN_TO_YANG;
        }
    }
    return kinds;
}

void MarkKagiSignals(SpecialFigure& figure, std::span<const std::int16_t> pointType) {
    std::int32_t buys = 0;
    std::int32_t sells = 0;
    const std::size_t n = std::min(pointType.size(), static_cast<std::size_t>(figure.count()));
    for (std::size_t i = 0; i < n; ++i) {
        if (pointType[i] == KAGI_YANG_TO_YIN)
            figure.signal[i] = -++sells;
        else if (pointType[i] == KAGI_YIN_TO_YANG)
            figure.signal[i] = ++buys;
    }
}

}  // namespace dravik
