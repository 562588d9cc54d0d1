#include "special/RenkoBuilder.h"

#include "special/FigurePass.h"

namespace dravik {
namespace {

// One pass; without a figure it only counts. The current brick spans [lo, hi].
FigureScan scanRenko(std::span<const double> values, double brick, SpecialFigure* figure) {
    FigureScan scan;
    double lo = 0;
    double hi = 0;
    auto first = [&](double v, std::int32_t) { lo = hi = v; };
    auto next = [&](double v, std::int32_t point) {
        std::int64_t n = 0;
        if (v > hi)
            n = WholeUnits(v - hi, brick, kMaxFigureElements);
        else if (v < lo)
            n = WholeUnits(lo - v, brick, kMaxFigureElements);
        if (n == 0)
            return true;
        if (scan.count + n > kMaxFigureElements) {
            scan.refused = true;
            return false;
        }
        if (v > hi) {
            for (std::int64_t b = 0; b < n; ++b, hi += brick)
                AppendElement(scan, figure, hi, hi + brick, point);
            lo = hi - brick;
        } else {
            for (std::int64_t b = 0; b < n; ++b, lo -= brick)
                AppendElement(scan, figure, lo, lo - brick, point);
            hi = lo + brick;
        }
        return true;
    };
    ForEachFigureValue(values, scan, first, next);
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
