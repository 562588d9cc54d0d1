#include "indicators/kernels/Window.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <span>

namespace indikon::kernels {
namespace {

// The window newest - count + 1 .. newest as one block; empty when it is empty or not wholly inside a
// field of the library's own, and then the kernels read value by value, failing as the field reports.
std::span<const double> windowBlock(const Series& source, int newest, int count) {
    return count > 0 ? source.block(newest - count + 1, newest) : std::span<const double>();
}

// Scans the window from the newest value back and keeps a value that `better` prefers.
template <typename Better>
double windowExtreme(const Series& source, int newest, int count, Better better) {
    if (const std::span<const double> block = windowBlock(source, newest, count); !block.empty()) {
        double held = block.back();
        for (std::size_t i = block.size() - 1; i-- > 0;) {
            if (better(block[i], held))
                held = block[i];
        }
        return held;
    }
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
    if (const std::span<const double> block = windowBlock(source, newest, count); !block.empty()) {
        for (std::size_t i = block.size(); i-- > 0;)
            sum += block[i];
        return sum;
    }
    for (int position = newest; position > newest - count; --position)
        sum += source.at(position);
    return sum;
}

double weightedWindowSum(const Series& source, int newest, int count) {
    double sum = 0;
    if (const std::span<const double> block = windowBlock(source, newest, count); !block.empty()) {
        // block[i] weighs i + 1: the newest `count`, the oldest 1.
        for (std::size_t i = block.size(); i-- > 0;)
            sum += static_cast<int>(i + 1) * block[i];
        return sum;
    }
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
    if (const std::span<const double> block = windowBlock(source, newest, count); !block.empty()) {
        for (std::size_t i = block.size(); i-- > 0;) {
            const double deviation = block[i] - mean;
            sum += deviation * deviation;
        }
        return sum;
    }
    for (int position = newest; position > newest - count; --position) {
        const double deviation = source.at(position) - mean;
        sum += deviation * deviation;
    }
    return sum;
}

double absoluteChangeSum(const Series& source, int newest, int count) {
    double sum = 0;
    // The window and the record before it.
    if (const std::span<const double> block =
            count > 0 ? source.block(newest - count, newest) : std::span<const double>();
        !block.empty()) {
        for (std::size_t i = block.size() - 1; i > 0; --i)
            sum += std::abs(block[i] - block[i - 1]);
        return sum;
    }
    for (int position = newest; position > newest - count; --position)
        sum += std::abs(source.at(position) - source.at(position - 1));
    return sum;
}

// Eight values at a time, two per vector compare, without branching inside a block; the block that
// holds a match is then searched value by value. The cycle analysis runs this over the rest of the
// series from every record.
std::size_t firstStrictlyBetween(std::span<const double> values, double low, double high) {
    using Pair = double __attribute__((vector_size(16)));
    const Pair lows = {low, low};
    const Pair highs = {high, high};
    const auto between = [&](std::size_t at) {
        Pair pair;
        std::memcpy(&pair, values.data() + at, sizeof pair);
        return (lows < pair) & (pair < highs);
    };
    std::size_t i = 0;
    for (; i + 8 <= values.size(); i += 8) {
        const auto hits = between(i) | between(i + 2) | between(i + 4) | between(i + 6);
        if ((hits[0] | hits[1]) != 0)
            break;
    }
    for (; i < values.size(); ++i) {
        if (low < values[i] && values[i] < high)
            return i;
    }
    return values.size();
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
