#include "special/FigurePass.h"

#include <cmath>

namespace dravik {

std::optional<std::size_t> FirstFigureValue(std::span<const double> values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (IsFigureValue(values[i]))
            return i;
    }
    return std::nullopt;
}

com::HRESULT ResolveFigureUnit(double size, bool percentual, std::span<const double> values, double& unit) {
    if (!(size > 0) || !std::isfinite(size))
        return com::E_INVALIDARG;
    double resolved = size;
    if (percentual) {
        if (const auto first = FirstFigureValue(values)) {
            const double price = values[*first];
            if (!(price > 0))
                return com::E_INVALIDARG;
            resolved = size * price * 0.01;
        }
    }
    if (!(resolved > 0) || !std::isfinite(resolved))
        return com::E_INVALIDARG;
    unit = resolved;
    return com::S_OK;
}

std::int64_t WholeUnits(double distance, double unit, std::int64_t limit) {
    const double units = std::trunc(distance / unit);
    if (!(units <= static_cast<double>(limit)))
        return limit + 1;
    return units < 0 ? 0 : static_cast<std::int64_t>(units);
}

}  // namespace dravik
