#include "studies/Oscillators.h"

#include <vector>

#include "studies/MovingAverages.h"
#include "studies/PriceCombinations.h"

namespace dravik {

using studies::Prepare;
using studies::Put;
using studies::ValidPositions;

namespace {

// A range that started at 0..0 and took nothing else reports the seeds.
void SeedsWhenZero(StudyRange& range) {
    if (range.min == 0.0 && range.max == 0.0)
        range = StudyRange{};
}

// (value - earlier) / earlier x scale, earlier being `periods` valid points back; in the lead-in
// relative to the first valid non-zero value (a zero is never a base).
void CalcRelativeChange(InRow values, OutRow out, int periods, double scale, StudyRange& range, bool full) {
    const std::size_t period = static_cast<std::size_t>(periods);
    double base = 0.0;
    studies::ForEachValidPoint(values, out, [&](std::size_t i, const ValidPositions& seen) {
        if (base == 0.0)
            base = values[i];
        const double earlier = seen.Count() > period ? values[seen.Back(period)] : (full ? base : 0.0);
        if (earlier != 0.0)
            Put(out, i, (values[i] - earlier) / earlier * scale, range);
    });
}

// H - L where both are valid.
std::vector<double> HighLowRange(InRow high, InRow low, std::size_t points) {
    std::vector<double> range(points, kEmptyValue);
    for (std::size_t i = 0; i < points; ++i)
        if (IsValidPoint(high[i]) && IsValidPoint(low[i]))
            range[i] = high[i] - low[i];
    return range;
}

// Calls show(i, highest high, lowest low) at each point where high, low and close are valid, over the
// last `periods` such points (fewer in the lead-in, only when `full`).
template <typename Show>
void ForEachHighLowWindow(InRow high, InRow low, InRow close, std::size_t points, int periods, bool full,
                          Show show) {
    const std::size_t period = static_cast<std::size_t>(periods);
    ValidPositions seen(points);
    for (std::size_t i = 0; i < points; ++i) {
        if (!IsValidPoint(high[i]) || !IsValidPoint(low[i]) || !IsValidPoint(close[i]))
            continue;
        seen.Add(i);
        const auto window = seen.Last(period);
        if (window.size() < period && !full)
            continue;
        double highest = high[i], lowest = low[i];
        for (std::size_t k : window) {
            highest = std::max(highest, high[k]);
            lowest = std::min(lowest, low[k]);
        }
        show(i, highest, lowest);
    }
}

}  // namespace

void CalcRateOfChange(InRow values, OutRow out, int periods, StudyRange& range, bool full) {
    if (!Prepare({values}, {out}, {periods}))
        return;
    range.min = range.max = 0.0;
    const std::size_t period = static_cast<std::size_t>(periods);
    studies::ForEachValidPoint(values, out, [&](std::size_t i, const ValidPositions& seen) {
        if (seen.Count() > period)
            Put(out, i, values[i] - values[seen.Back(period)], range);
        else if (full)
            Put(out, i, values[i] - values[seen.Back(seen.Count() - 1)], range);
    });
    SeedsWhenZero(range);
}

void CalcRateOfChangePercent(InRow values, OutRow out, int periods, StudyRange& range, bool full) {
    if (!Prepare({values}, {out}, {periods}))
        return;
    range.min = range.max = 0.0;
    CalcRelativeChange(values, out, periods, 1.0, range, full);
    SeedsWhenZero(range);
}

void CalcMomentum(InRow values, OutRow out, int periods, StudyRange& range) {
    if (!Prepare({values}, {out}, {periods}))
        return;
    const std::size_t period = static_cast<std::size_t>(periods);
    studies::ForEachValidPoint(values, out, [&](std::size_t i, const ValidPositions& seen) {
        const double earlier = seen.Count() > period ? values[seen.Back(period)] : 0.0;
        if (earlier != 0.0)
            Put(out, i, values[i] / earlier * 100.0, range);
    });
}

void CalcRsi(InRow values, OutRow out, int periods, StudyRange& range, bool full) {
    if (!Prepare({values}, {out}, {periods}))
        return;
    range.min = 0.0;
    range.max = 100.0;
    const std::size_t period = static_cast<std::size_t>(periods);
    std::vector<double> changes;
    changes.reserve(out.size());
    bool started = false;
    double previous = 0.0, gains = 0.0, losses = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = kEmptyValue;
        if (!IsValidPoint(values[i]))
            continue;
        const bool first = !started;
        started = true;
        const double change = values[i] - previous;
        previous = values[i];
        if (first)
            continue;
        changes.push_back(change);
        gains += change > 0.0 ? change : 0.0;
        losses += change < 0.0 ? -change : 0.0;
        if (changes.size() > period) {
            const double leaving = changes[changes.size() - 1 - period];
            gains -= leaving > 0.0 ? leaving : 0.0;
            losses -= leaving < 0.0 ? -leaving : 0.0;
        }
        if (changes.size() < period && !full)
            continue;
        Put(out, i, losses == 0.0 ? 100.0 : 100.0 - 100.0 / (gains / losses + 1.0), range);
    }
}

void CalcStochastics(InRow high, InRow low, InRow close, OutRow percentK, OutRow percentD, int kPeriods,
                     int dPeriods, StudyRange& range, bool full) {
    if (!Prepare({high, low, close}, {percentK, percentD}, {kPeriods, dPeriods}))
        return;
    studies::FillEmpty(percentK);
    ForEachHighLowWindow(high, low, close, percentK.size(), kPeriods, full,
                         [&](std::size_t i, double highest, double lowest) {
                             if (highest != lowest)
                                 Put(percentK, i, (close[i] - lowest) / (highest - lowest) * 100.0, range);
                         });
    CalcSimpleMovingAverage(percentK, percentD.first(percentK.size()), dPeriods, range, full);
    range.min = 0.0;
    range.max = 100.0;
}

void CalcWilliamsR(InRow high, InRow low, InRow close, OutRow out, int periods, StudyRange& range,
                   bool full) {
    if (!Prepare({high, low, close}, {out}, {periods}))
        return;
    studies::FillEmpty(out);
    ForEachHighLowWindow(high, low, close, out.size(), periods, full,
                         [&](std::size_t i, double highest, double lowest) {
                             if (highest != lowest)
                                 Put(out, i, (highest - close[i]) / (highest - lowest) * -100.0, range);
                         });
    range.min = -100.0;
    range.max = 0.0;
}

void CalcCommodityChannelIndex(InRow high, InRow low, InRow close, OutRow out, int periods, StudyRange& range,
                               bool full) {
    if (!Prepare({high, low, close}, {out}, {periods}))
        return;
    const std::size_t points = out.size();
    std::vector<double> typical(points), average(points);
    StudyRange discarded;
    CalcTypicalPrice(high, low, close, typical, discarded);
    CalcSimpleMovingAverage(typical, average, periods, discarded, full);
    range.min = -200.0;
    range.max = 200.0;
    // The mean deviation runs over the last `periods` points that have an average; without `full` the
    // average itself starts only once a whole window was seen.
    ValidPositions averaged(points);
    for (std::size_t i = 0; i < points; ++i) {
        out[i] = kEmptyValue;
        if (!IsValidPoint(average[i]))
            continue;
        averaged.Add(i);
        double deviationSum = 0.0;
        const auto window = averaged.Last(static_cast<std::size_t>(periods));
        for (std::size_t k : window)
            deviationSum += std::fabs(typical[k] - average[i]);
        const double meanDeviation = deviationSum / static_cast<double>(window.size());
        Put(out, i, meanDeviation == 0.0 ? 0.0 : (typical[i] - average[i]) / (meanDeviation * 0.015), range);
    }
}

void CalcDetrendedPriceOscillator(InRow values, OutRow out, int periods, StudyRange& range, bool full) {
    if (!Prepare({values}, {out}, {periods}))
        return;
    std::vector<double> average(out.size());
    StudyRange discarded;
    CalcSimpleMovingAverage(values, average, periods, discarded, full);
    const std::size_t shift = static_cast<std::size_t>(periods / 2 + 1);
    double firstAverage = kEmptyValue;
    studies::ForEachValidPoint(values, out, [&](std::size_t i, const ValidPositions& seen) {
        if (!IsValidPoint(average[i]))
            return;
        if (!IsValidPoint(firstAverage))
            firstAverage = average[i];
        const double earlier =
            seen.Count() > shift ? average[seen.Back(shift)] : (full ? firstAverage : kEmptyValue);
        if (IsValidPoint(earlier))
            Put(out, i, values[i] - earlier, range);
    });
}

void CalcMacd(InRow values, OutRow divergence, OutRow line, OutRow signal, int signalPeriod, int shortPeriod,
              int longPeriod, StudyRange& range, bool full) {
    if (!Prepare({values}, {divergence, line, signal}, {signalPeriod, shortPeriod, longPeriod}))
        return;
    const std::size_t points = divergence.size();
    std::vector<double> shortAverage(points), longAverage(points);
    StudyRange discarded;
    CalcExponentialMovingAverage(values, shortAverage, shortPeriod, discarded, full);
    CalcExponentialMovingAverage(values, longAverage, longPeriod, discarded, full);
    line = line.first(points);
    signal = signal.first(points);
    studies::Subtract(shortAverage, longAverage, line, range);
    CalcExponentialMovingAverage(line, signal, signalPeriod, discarded, full);
    range.TakeRow(signal);
    studies::Subtract(line, signal, divergence, range);
}

void CalcTrix(InRow values, OutRow trix, OutRow signal, int periods, int signalPeriod, StudyRange& range,
              bool full) {
    if (!Prepare({values}, {trix, signal}, {periods, signalPeriod}))
        return;
    const std::size_t points = trix.size();
    std::vector<double> first(points), second(points), third(points);
    StudyRange discarded;
    CalcExponentialMovingAverage(values, first, periods, discarded, full);
    CalcExponentialMovingAverage(first, second, periods, discarded, full);
    CalcExponentialMovingAverage(second, third, periods, discarded, full);
    CalcRateOfChange(third, trix, 1, discarded, full);
    CalcSimpleMovingAverage(trix, signal.first(points), signalPeriod, range, full);
    range.TakeRow(trix);
}

void CalcAverageTrueRange(InRow high, InRow low, InRow close, OutRow out, int periods, StudyRange& range,
                          bool full) {
    if (!Prepare({high, low, close}, {out}, {periods}))
        return;
    std::vector<double> trueRange(out.size(), kEmptyValue);
    bool started = false;
    double previousClose = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (!IsValidPoint(high[i]) || !IsValidPoint(low[i]) || !IsValidPoint(close[i]))
            continue;
        trueRange[i] = std::fabs(high[i] - low[i]);
        if (started)
            trueRange[i] = std::max(
                {trueRange[i], std::fabs(previousClose - high[i]), std::fabs(previousClose - low[i])});
        started = true;
        previousClose = close[i];
    }
    CalcSimpleMovingAverage(trueRange, out, periods, range, full);
}

void CalcEaseOfMovement(InRow high, InRow low, InRow volume, OutRow out, OutRow average, int periods,
                        int signalPeriod, StudyRange& range, bool full) {
    if (!Prepare({high, low, volume}, {out, average}, {periods, signalPeriod}))
        return;
    const std::size_t points = out.size();
    std::vector<double> raw(points, kEmptyValue);
    bool started = false;
    double previousMid = 0.0;
    for (std::size_t i = 0; i < points; ++i) {
        if (!IsValidPoint(high[i]) || !IsValidPoint(low[i]) || !IsValidPoint(volume[i]) || volume[i] == 0.0)
            continue;
        const double mid = (high[i] + low[i]) / 2.0;
        if (started)
            raw[i] = (mid - previousMid) * (high[i] - low[i]) * 10000.0 / volume[i];
        started = true;
        previousMid = mid;
    }
    CalcSimpleMovingAverage(raw, out, periods, range, full);
    CalcSimpleMovingAverage(out.first(points), average.first(points), signalPeriod, range, full);
}

void CalcMassIndex(InRow high, InRow low, OutRow out, int periods, int averagePeriod, StudyRange& range,
                   bool full) {
    if (!Prepare({high, low}, {out}, {periods, averagePeriod}))
        return;
    const std::size_t points = out.size();
    const std::vector<double> spread = HighLowRange(high, low, points);
    std::vector<double> first(points), second(points);
    StudyRange discarded;
    CalcExponentialMovingAverage(spread, first, averagePeriod, discarded, full);
    CalcExponentialMovingAverage(first, second, averagePeriod, discarded, full);
    const std::size_t period = static_cast<std::size_t>(periods);
    ValidPositions seen(points);
    for (std::size_t i = 0; i < points; ++i) {
        out[i] = kEmptyValue;
        if (!IsValidPoint(first[i]) || !IsValidPoint(second[i]) || second[i] == 0.0)
            continue;
        seen.Add(i);
        const auto window = seen.Last(period);
        if (window.size() < period && !full)
            continue;
        double sum = 0.0;
        for (std::size_t k : window)
            sum += first[k] / second[k];
        Put(out, i, sum, range);
    }
}

void CalcPerformance(InRow values, OutRow out, StudyRange& range) {
    if (!Prepare({values}, {out}, {}))
        return;
    double base = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = kEmptyValue;
        if (!IsValidPoint(values[i]))
            continue;
        if (base == 0.0)
            base = values[i];
        if (base != 0.0)
            Put(out, i, (values[i] - base) / base * 100.0, range);
    }
}

void CalcVerticalHorizontalFilter(InRow values, OutRow out, int periods, StudyRange& range, bool full) {
    if (!Prepare({values}, {out}, {periods}))
        return;
    const std::size_t period = static_cast<std::size_t>(periods);
    studies::ForEachValidPoint(values, out, [&](std::size_t i, const ValidPositions& seen) {
        // Each window value's change from the valid value before it, which may lie outside the window.
        const std::size_t windowSize = std::min(period, seen.Count());
        double highest = values[i], lowest = values[i], changes = 0.0;
        for (std::size_t back = 0; back < windowSize; ++back) {
            const double value = values[seen.Back(back)];
            highest = std::max(highest, value);
            lowest = std::min(lowest, value);
            if (back + 1 < seen.Count())
                changes += std::fabs(value - values[seen.Back(back + 1)]);
        }
        if (changes != 0.0 && (windowSize == period || full))
            Put(out, i, std::fabs(highest - lowest) / changes, range);
    });
}

void CalcChaikinVolatility(InRow high, InRow low, OutRow out, int periods, int averagePeriod,
                           StudyRange& range, bool full) {
    if (!Prepare({high, low}, {out}, {periods, averagePeriod}))
        return;
    const std::vector<double> spread = HighLowRange(high, low, out.size());
    std::vector<double> average(out.size());
    StudyRange discarded;
    CalcExponentialMovingAverage(spread, average, averagePeriod, discarded, full);
    CalcRelativeChange(average, out, periods, 100.0, range, full);
}

}  // namespace dravik
