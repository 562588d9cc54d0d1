#include "special/KagiBuilder.h"

#include <algorithm>
#include <cmath>

#include "special/FigurePass.h"

namespace dravik {
namespace {

enum class Direction { none, up, down };

// The move from the extreme counts when it holds at least one whole reversal amount.
bool counts(double distance, double reversal) {
    return std::trunc(distance / reversal) != 0.0;
}

// One pass; without a figure it only counts.
FigureScan scanKagi(std::span<const double> values, double reversal, SpecialFigure* figure) {
    FigureScan scan;
    const auto first = FirstFigureValue(values);
    if (!first)
        return scan;
    double extreme = values[*first];
    std::int32_t extremePoint = static_cast<std::int32_t>(*first);
    double elementStart = extreme;
    Direction direction = Direction::none;
    scan.range.TakeIn(extreme);
    // Element `scan.count - 1` ends at the extreme; the next one starts there.
    auto turn = [&](Direction to) {
        if (direction != Direction::none && figure && scan.count <= figure->count())
            figure->Set(static_cast<std::int32_t>(scan.count - 1), elementStart, extreme, extremePoint);
        if (direction != Direction::none)
            elementStart = extreme;
        direction = to;
        ++scan.count;
    };
    for (std::size_t i = *first + 1; i < values.size(); ++i) {
        const double v = values[i];
        if (!IsFigureValue(v))
            continue;
        scan.range.TakeIn(v);
        if (v > extreme) {
            if (direction != Direction::up && counts(v - extreme, reversal))
                turn(Direction::up);
            if (direction == Direction::up) {
                extreme = v;
                extremePoint = static_cast<std::int32_t>(i);
            }
        } else if (v < extreme) {
            if (direction != Direction::down && counts(extreme - v, reversal))
                turn(Direction::down);
            if (direction == Direction::down) {
                extreme = v;
                extremePoint = static_cast<std::int32_t>(i);
            }
        }
    }
    if (scan.count > 0 && figure && scan.count <= figure->count())
        figure->Set(static_cast<std::int32_t>(scan.count - 1), elementStart, extreme, extremePoint);
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
