#include "studies/VolumeStudies.h"

#include <vector>

#include "studies/MovingAverages.h"
#include "studies/PriceCombinations.h"

namespace dravik {

using studies::Prepare;
using studies::Put;

namespace {

bool AllValid(std::initializer_list<InRow> rows, std::size_t i) {
    for (InRow row : rows)
        if (!IsValidPoint(row[i]))
            return false;
    return true;
}

// The negative and positive volume indices: the index follows the close only where the volume moved
// the way `onRise` names.
void CalcVolumeIndex(InRow close, InRow volume, OutRow index, OutRow average, double startValue, int periods,
                     StudyRange& range, bool full, bool onRise) {
    if (!Prepare({close, volume}, {index, average}, {periods}))
        return;
    bool started = false;
    double value = startValue;
    double previousClose = 0.0;
    double previousVolume = 0.0;
    for (std::size_t i = 0; i < index.size(); ++i) {
        index[i] = kEmptyValue;
        if (!AllValid({close, volume}, i) || (started && onRise && volume[i] == 0.0))
            continue;
        if (started && (onRise ? volume[i] > previousVolume : volume[i] < previousVolume)) {
            const double next = value + value * (close[i] - previousClose) / previousClose;
            previousClose = close[i];
            previousVolume = volume[i];
            if (!IsValidPoint(next))  // also a previous close of 0
                continue;
            value = next;
        }
        started = true;
        previousClose = close[i];
        previousVolume = volume[i];
        Put(index, i, value, range);
    }
    CalcSimpleMovingAverage(index, average.first(index.size()), periods, range, full);
}

}  // namespace

void CalcPriceVolumeTrend(InRow close, InRow volume, OutRow out, StudyRange& range) {
    if (!Prepare({close, volume}, {out}, {}))
        return;
    bool started = false;
    double trend = 0.0;
    double previousClose = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = kEmptyValue;
        if (!AllValid({close, volume}, i))
            continue;
        const double change = started ? volume[i] * (close[i] - previousClose) / previousClose : kEmptyValue;
        started = true;
        previousClose = close[i];
        if (!IsValidPoint(change) || !IsValidPoint(trend + change))
            continue;
        trend = trend + change;
        Put(out, i, trend, range);
    }
}

void CalcNegativeVolumeIndex(InRow close, InRow volume, OutRow index, OutRow average, double startValue,
                             int periods, StudyRange& range, bool full) {
    CalcVolumeIndex(close, volume, index, average, startValue, periods, range, full, false);
}

void CalcPositiveVolumeIndex(InRow close, InRow volume, OutRow index, OutRow average, double startValue,
                             int periods, StudyRange& range, bool full) {
    CalcVolumeIndex(close, volume, index, average, startValue, periods, range, full, true);
}

void CalcOnBalanceVolume(InRow close, InRow volume, OutRow out, StudyRange& range) {
    if (!Prepare({close, volume}, {out}, {}))
        return;
    bool started = false;
    double balance = 0.0;
    double previousClose = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = kEmptyValue;
        if (!AllValid({close, volume}, i))
            continue;
        const bool first = !started;
        started = true;
        if (!first && close[i] > previousClose)
            balance += volume[i];
        else if (!first && close[i] < previousClose)
            balance -= volume[i];
        previousClose = close[i];
        if (!first)
            Put(out, i, balance, range);
    }
}

void CalcAccumulationDistribution(InRow high, InRow low, InRow close, InRow volume, OutRow out,
                                  StudyRange& range) {
    if (!Prepare({high, low, close, volume}, {out}, {}) || out.empty())
        return;
    range.min = range.max = 0.0;
    out[0] = 0.0;
    double line = 0.0;
    for (std::size_t i = 1; i < out.size(); ++i) {
        out[i] = kEmptyValue;
        if (!AllValid({high, low, close, volume}, i))
            continue;
        if (high[i] != low[i]) {
            const double next =
                line + volume[i] * ((close[i] - low[i]) - (high[i] - close[i])) / (high[i] - low[i]);
            if (IsValidPoint(next))
                line = next;
        }
        Put(out, i, line, range);
    }
}

void CalcChaikinOscillator(InRow high, InRow low, InRow close, InRow volume, OutRow out, int shortPeriod,
                           int longPeriod, StudyRange& range, bool full) {
    if (!Prepare({high, low, close, volume}, {out}, {shortPeriod, longPeriod}))
        return;
    const std::size_t points = out.size();
    std::vector<double> line(points), shortAverage(points), longAverage(points);
    StudyRange discarded;
    CalcAccumulationDistribution(high, low, close, volume, line, discarded);
    CalcExponentialMovingAverage(line, shortAverage, shortPeriod, discarded, full);
    CalcExponentialMovingAverage(line, longAverage, longPeriod, discarded, full);
    studies::Subtract(shortAverage, longAverage, out, range);
}

void CalcMoneyFlowIndex(InRow high, InRow low, InRow close, InRow volume, OutRow out, int periods,
                        StudyRange& range, bool full) {
    if (!Prepare({high, low, close, volume}, {out}, {periods}))
        return;
    const std::size_t period = static_cast<std::size_t>(periods);
    // One flow per valid point, the first point's flow being 0 in both directions.
    std::vector<double> positiveFlow, negativeFlow;
    positiveFlow.reserve(out.size());
    negativeFlow.reserve(out.size());
    double positiveSum = 0.0, negativeSum = 0.0, previousTypical = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = kEmptyValue;
        if (!AllValid({high, low, close, volume}, i))
            continue;
        const double typical = studies::TypicalPrice(high[i], low[i], close[i]);
        const bool first = positiveFlow.empty();
        const double flow = volume[i] * typical;
        positiveFlow.push_back(!first && typical > previousTypical ? flow : 0.0);
        negativeFlow.push_back(!first && typical < previousTypical ? flow : 0.0);
        previousTypical = typical;
        positiveSum += positiveFlow.back();
        negativeSum += negativeFlow.back();
        const std::size_t count = positiveFlow.size();
        if (count > period) {
            positiveSum -= positiveFlow[count - 1 - period];
            negativeSum -= negativeFlow[count - 1 - period];
        }
        if ((count < period && !full) || negativeSum == 0.0)
            continue;
        const double ratio = positiveSum / negativeSum;
        if (ratio != -1.0)
            Put(out, i, 100.0 - 100.0 / (ratio + 1.0), range);
    }
}

void CalcVolumeOscillator(InRow volume, OutRow out, int shortPeriod, int longPeriod, StudyRange& range,
                          bool full) {
    if (!Prepare({volume}, {out}, {shortPeriod, longPeriod}))
        return;
    const std::size_t points = out.size();
    std::vector<double> shortAverage(points), longAverage(points);
    StudyRange discarded;
    CalcSimpleMovingAverage(volume, shortAverage, shortPeriod, discarded, full);
    CalcSimpleMovingAverage(volume, longAverage, longPeriod, range, full);
    // Both averages are empty wherever the volume is.
    studies::Subtract(shortAverage, longAverage, out, range);
}

}  // namespace dravik
