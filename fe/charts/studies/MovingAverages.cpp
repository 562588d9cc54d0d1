#include "studies/MovingAverages.h"

#include <vector>

namespace dravik {

using studies::Prepare;
using studies::Put;
using studies::ValidPositions;

void CalcSimpleMovingAverage(InRow values, OutRow out, int periods, StudyRange& range, bool full) {
    if (!Prepare({values}, {out}, {periods}))
        return;
    const std::size_t period = static_cast<std::size_t>(periods);
    double sum = 0.0;
    std::size_t count = 0;
    std::size_t oldest = 0;  // no valid point before this one is still in the sum
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (!IsValidPoint(values[i])) {
            out[i] = kEmptyValue;
            continue;
        }
        sum += values[i];
        if (++count > period) {
            while (!IsValidPoint(values[oldest]))
                ++oldest;
            sum -= values[oldest++];
        }
        if (count >= period)
            Put(out, i, sum / static_cast<double>(period), range);
        else if (full)
            Put(out, i, sum / static_cast<double>(count), range);
        else
            out[i] = kEmptyValue;
    }
}

void ExponentialSmooth(InRow values, OutRow out, int periods, double percent, StudyRange& range, bool full) {
    if (!Prepare({values}, {out}, {periods}) || !std::isfinite(percent)) {
        studies::FillEmpty(out);
        return;
    }
    const std::size_t points = out.size();
    std::size_t first = 0;
    while (first < points && !IsValidPoint(values[first]))
        out[first++] = kEmptyValue;
    if (first == points)
        return;

    const double weight = percent * 0.01;
    const bool hideLeadIn = !full && periods > 1;
    double previous = values[first];
    out[first] = hideLeadIn ? kEmptyValue : previous;
    if (hideLeadIn)
        range.Take(previous);
    std::size_t count = 1;
    for (std::size_t i = first + 1; i < points; ++i) {
        if (!IsValidPoint(values[i])) {
            out[i] = kEmptyValue;
            continue;
        }
        previous = weight * values[i] + (1.0 - weight) * previous;
        ++count;
        Put(out, i, previous, range);
        if (!full && count < static_cast<std::size_t>(periods))
            out[i] = kEmptyValue;
    }
}

void CalcExponentialMovingAverage(InRow values, OutRow out, int periods, StudyRange& range, bool full) {
    if (periods <= 0) {
        studies::FillEmpty(out);
        return;
    }
    ExponentialSmooth(values, out, periods, 200.0 / (static_cast<double>(periods) + 1.0), range, full);
}

void CalcTriangularMovingAverage(InRow values, OutRow out, int periods, StudyRange& range, bool full) {
    if (!Prepare({values}, {out}, {periods}))
        return;
    std::vector<double> first(out.size());
    StudyRange discarded;
    CalcSimpleMovingAverage(values, first, (periods + 1) / 2, discarded, full);
    CalcSimpleMovingAverage(first, out, periods / 2 + 1, range, full);
}

void CalcWeightedMovingAverage(InRow values, OutRow out, int periods, std::span<const std::int16_t> weights,
                               StudyRange& range, bool full) {
    if (!Prepare({values}, {out}, {periods}))
        return;
    const std::size_t period = static_cast<std::size_t>(periods);
    auto weightAt = [&](std::size_t k) {
        return static_cast<double>(k < weights.size() ? weights[k] : static_cast<std::int64_t>(k) + 1);
    };
    double weightSum = 0.0;
    for (std::size_t k = 0; k < period; ++k)
        weightSum += weightAt(k);

    double leadInSum = 0.0;
    studies::ForEachValidPoint(values, out, [&](std::size_t i, const ValidPositions& seen) {
        if (seen.Count() < period) {
            leadInSum += values[i];
            if (full)
                Put(out, i, leadInSum / static_cast<double>(seen.Count()), range);
            return;
        }
        if (weightSum == 0.0)
            return;
        double sum = 0.0;
        for (std::size_t back = 0; back < period; ++back)
            sum += weightAt(period - 1 - back) * values[seen.Back(back)];
        Put(out, i, sum / weightSum, range);
    });
}

void CalcStandardDeviation(InRow values, OutRow out, int periods, StudyRange& range, bool full,
                           InRow average) {
    if (!Prepare({values}, {out}, {periods}))
        return;
    std::vector<double> ownAverage;
    if (!studies::HasRow(average, out.size())) {
        ownAverage.resize(out.size());
        StudyRange discarded;
        CalcSimpleMovingAverage(values, ownAverage, periods, discarded, full);
        average = ownAverage;
    }
    const std::size_t period = static_cast<std::size_t>(periods);
    studies::ForEachValidPoint(values, out, [&](std::size_t i, const ValidPositions& seen) {
        if (!IsValidPoint(average[i]))
            return;
        const auto window = seen.Last(period);
        if (window.size() < period && !full)
            return;
        double sum = 0.0;
        for (std::size_t k = window.size(); k-- > 0;) {
            const double difference = values[window[k]] - average[i];
            sum += difference * difference;
        }
        Put(out, i, std::sqrt(sum / static_cast<double>(window.size())), range);
    });
}

void CalcBollingerBands(InRow values, OutRow upper, OutRow lower, int periods, double deviations,
                        StudyRange& range, bool full) {
    if (!Prepare({values}, {upper, lower}, {periods}))
        return;
    const std::size_t points = upper.size();
    std::vector<double> average(points);
    std::vector<double> deviation(points);
    CalcSimpleMovingAverage(values, average, periods, range, full);
    StudyRange discarded;
    CalcStandardDeviation(values, deviation, periods, discarded, full, average);
    for (std::size_t i = 0; i < points; ++i) {
        if (!IsValidPoint(values[i]) || !IsValidPoint(average[i]) || !IsValidPoint(deviation[i])) {
            upper[i] = lower[i] = kEmptyValue;
            continue;
        }
        Put(upper, i, average[i] + deviations * deviation[i], range);
        Put(lower, i, average[i] - deviations * deviation[i], range);
    }
}

void CalcEnvelopes(InRow values, OutRow upper, OutRow lower, int periods, double percent, StudyRange& range,
                   bool full) {
    if (!Prepare({values}, {upper, lower}, {periods}))
        return;
    const std::size_t points = upper.size();
    std::vector<double> average(points);
    CalcExponentialMovingAverage(values, average, periods, range, full);
    for (std::size_t i = 0; i < points; ++i) {
        if (!IsValidPoint(average[i])) {
            upper[i] = lower[i] = kEmptyValue;
            continue;
        }
        Put(upper, i, (1.0 + percent * 0.01) * average[i], range);
        Put(lower, i, (1.0 - percent * 0.01) * average[i], range);
    }
}

}  // namespace dravik
