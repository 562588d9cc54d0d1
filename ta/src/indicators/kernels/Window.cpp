#include "indicators/kernels/Window.h"

#include <cmath>
#include <initializer_list>

namespace indikon::kernels {
namespace {

// Scans the window from the newest value back and keeps a value that `better` prefers.
template <typename Better>
double windowExtreme(const Series& source, int newest, int count, Better better) {
    double held = source.at(newest);
    for (int position = newest - 1; position > newest - count; --position) {
        const double value = source.at(position);
        if (better(value, held))
            held = value;
    }
    return held;
}

}  // namespace

double windowSum(const Series& source, int newest, int count) {
    double sum = 0;
    for (int position = newest; position > newest - count; --position)
        sum += source.at(position);
    return sum;
}

double weightedWindowSum(const Series& source, int newest, int count) {
    double sum = 0;
    for (int weight = count; weight >= 1; --weight)
        sum += weight * source.at(newest - (count - weight));
    return sum;
}

double windowHighest(const Series& source, int newest, int count) {
    return windowExtreme(source, newest, count, [](double value, double held) { return value > held; });
}

double windowLowest(const Series& source, int newest, int count) {
    return windowExtreme(source, newest, count, [](double value, double held) { return value < held; });
}

double squaredDeviations(const Series& source, int newest, int count, double mean) {
    double sum = 0;
    for (int position = newest; position > newest - count; --position) {
        const double deviation = source.at(position) - mean;
        sum += deviation * deviation;
    }
    return sum;
}

double absoluteChangeSum(const Series& source, int newest, int count) {
    double sum = 0;
    for (int position = newest; position > newest - count; --position)
        sum += std::abs(source.at(position) - source.at(position - 1));
    return sum;
}

double trueLow(double low, double previousClose) {
    return low < previousClose ? low : previousClose;
}

double trueRange(double high, double low, double previousClose) {
    double range = high - low;
    if (high - previousClose > range)
        range = high - previousClose;
    if (previousClose - low > range)
        range = previousClose - low;
    return range;
}

double absoluteTrueRange(double high, double low, double previousClose) {
    double range = 0;
    for (const double candidate :
         {high - low, std::abs(high - previousClose), std::abs(previousClose - low)}) {
        if (candidate > range)
            range = candidate;
    }
    return range;
}

}  // namespace indikon::kernels
