#include "format/ScaleRounding.h"

#include <algorithm>
#include <cmath>

#include "format/FormatCode.h"

namespace dravik {
namespace {

double powerOfTenBelow(double value) {
    return std::pow(10.0, std::floor(std::log10(value)));
}

// 10^k * magnitude without overflowing the power on the way (k may exceed 308 for tiny magnitudes).
double scaledByPowerOfTen(double magnitude, std::int32_t k) {
    const std::int32_t half = k / 2;
    return magnitude * std::pow(10.0, half) * std::pow(10.0, k - half);
}

// The smallest k >= start with 10^k * magnitude >= 10 (magnitude positive and finite): a first guess
// from the logarithm, then corrected by a step either way where rounding misled it.
std::int32_t decadesToTen(double magnitude, std::int32_t start) {
    const double guess = std::ceil(1.0 - std::log10(magnitude));
    std::int32_t k = std::max(start, static_cast<std::int32_t>(std::clamp(guess, -400.0, 400.0)));
    while (scaledByPowerOfTen(magnitude, k) < 10.0)
        ++k;
    while (k > start && scaledByPowerOfTen(magnitude, k - 1) >= 10.0)
        --k;
    return k;
}

}  // namespace

double RoundStepToPowerOfTen(double value, double range) {
    if (!(range > 0.0) || !std::isfinite(range) || !std::isfinite(value))
        return value;
    const double p = powerOfTenBelow(range);
    const double candidate = p * std::ceil(value / p);
    if (candidate - value <= 0.1 * range)
        return candidate;
    const double q = p / 10.0;
    return q * std::ceil(value / q);
}

void RoundRangeToStep(double& min, double& max) {
    const double r = std::fabs(max - min);
    if (!(r > 0.0) || !std::isfinite(r))
        return;
    double s = std::pow(10.0, std::floor(std::log10(r)) - 1.0);
    if (1.01 * r <= s * std::ceil(r / s))
        s /= 10.0;
    if (min != 0.0)
        min = s * std::floor(min / s);
    max = s * std::ceil(max / s);
}

std::int32_t NormaliseRange(double& min, double& max, std::int32_t decimals) {
    if (static_cast<float>(min) == static_cast<float>(kRangeSeedMin) ||
        static_cast<float>(max) == static_cast<float>(kRangeSeedMax)) {
        min = 0.0;
        max = 1.0;
        return 2;
    }
    if (min != max)
        return 0;
    if (decimals == -1)
        return 1;
    if (max != 0.0) {
        const double half = 0.5 / std::pow(10.0, std::max(decimals - 1, 1));
        min -= half;
        max += half;
    } else {
        min = 0.0;
        max = 1.0 / std::pow(10.0, std::max(decimals, 1));
    }
    return 0;
}

std::int32_t CountSteps(double from, double to, double step) {
    const double n = std::fabs((to - from) / step);
    if (n == 0.0 || !std::isfinite(n))
        return 0;
    return decadesToTen(n, 0);
}

std::int32_t CountDecimals(double value, std::int32_t code, std::int32_t decimals) {
    const std::int32_t start = decimals + (formatKind(code) == FC_PERCENT ? 2 : 0);
    if (value == 0.0 || !std::isfinite(value))
        return start;
    return decadesToTen(std::fabs(value), start);
}

}  // namespace dravik
