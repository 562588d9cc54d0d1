#include "special/RenkoBuilder.h"

#include "special/FigurePass.h"

namespace dravik {
namespace {

// One pass; without a figure it only counts.
FigureScan scanRenko(std::span<const double> values, double brick, SpecialFigure* figure) {
    FigureScan scan;
    const auto first = FirstFigureValue(values);
    if (!first)
        return scan;
    double lo = values[*first];
    double hi = lo;
    scan.range.TakeIn(lo);
    auto lay = [&](double start, double end, std::size_t point) {
        if (figure && scan.count < figure->count())
            figure->Set(static_cast<std::int32_t>(scan.count), start, end, static_cast<std::int32_t>(point));
        ++scan.count;
    };
    for (std::size_t i = *first + 1; i < values.size(); ++i) {
        const double v = values[i];
        if (!IsFigureValue(v))
            continue;
        scan.range.TakeIn(v);
        std::int64_t n = 0;
        if (v > hi)
            n = WholeUnits(v - hi, brick, kMaxFigureElements);
        else if (v < lo)
            n = WholeUnits(lo - v, brick, kMaxFigureElements);
        if (n == 0)
            continue;
        if (scan.count + n > kMaxFigureElements) {
            scan.refused = true;
            break;
        }
        if (v > hi) {
            for (std::int64_t b = 0; b < n; ++b, hi += brick)
                lay(hi, hi + brick, i);
            lo = hi - brick;
        } else {
            for (std::int64_t b = 0; b < n; ++b, lo -= brick)
                lay(lo, lo - brick, i);
            hi = lo + brick;
        }
    }
    return scan;
}

}  // namespace

FigureBuild BuildRenkoFigure(std::span<const double> values, const RenkoSettings& settings,
                             SpecialFigure& figure) {
    double brick = 0;
    if (com::FAILED(ResolveFigureUnit(settings.boxSize, settings.percentualBox != 0, values, brick))) {
        figure.Free();
        return FigureBuild{com::E_INVALIDARG};
    }
    return RunFigurePasses(figure, [&](SpecialFigure* target) { return scanRenko(values, brick, target); });
}

void MarkRenkoSignals(SpecialFigure& figure) {
    std::int32_t buys = 0;
    std::int32_t sells = 0;
    for (std::int32_t i = 1; i < figure.count(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (figure.rises(i) && !figure.rises(i - 1))
            figure.signal[k] = ++buys;
        else if (!figure.rises(i) && figure.rises(i - 1))
            figure.signal[k] = -++sells;
    }
}

}  // namespace dravik
