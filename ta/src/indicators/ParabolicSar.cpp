#include "indicators/ParabolicSar.h"

#include <cmath>

#include "core/Indicator.h"

namespace indikon {
namespace {

// The trend state carried from one record to the next. `*Before` are the values as they stood before
// the current record: the stop of a record is stepped with those, not with the ones it just updated.
struct SarState {
    int trend = 1;  // +1 long, -1 short
    double af = 0;
    double afBefore = 0;
    double extremeHigh = 0;
    double extremeLow = 0;
    double extremeHighBefore = 0;
    double extremeLowBefore = 0;
    double sarBefore = 0;
};

SarState initialState(const Series& high, const Series& low, SarParameters parameters) {
    SarState state;
    const double h1 = high.at(1);
    const double l1 = low.at(1);
    const double risingHighs = high.at(2) - h1;
    const double risingLows = low.at(2) - l1;
    // Equal moves start long.
    state.trend = risingLows > risingHighs ? -1 : 1;
    state.sarBefore = state.trend < 0 ? h1 : l1;
    state.af = state.afBefore = parameters.minAF;
    state.extremeHigh = state.extremeHighBefore = h1;
    state.extremeLow = state.extremeLowBefore = l1;
    return state;
}

// The factor grows by one step on a new extreme while it is below the maximum, and is not cut back
// to it: a maximum that is not a whole number of steps is passed by the last step (0.03 up to 0.1
// ends at 0.12). A factor within a billionth of a step of the maximum has reached it, since ten steps
// of 0.02 add up to just under 0.2, where one more step would carry the usual factor to 0.22.
void accelerate(SarState& state, SarParameters parameters) {
    if (state.af + std::abs(parameters.minAF) * 1e-9 < parameters.maxAF)
        state.af = state.af + parameters.minAF;
}

double step(SarState& state, double h, double l, SarParameters parameters) {
    double sar = 0;
    if (state.trend > 0) {
        if (h > state.extremeHigh) {
            state.extremeHigh = h;
            accelerate(state, parameters);
        }
        sar = state.sarBefore + state.afBefore * (state.extremeHighBefore - state.sarBefore);
        if (l < sar) {
            state.trend = -1;
            state.af = parameters.minAF;
            sar = state.extremeHighBefore;
            state.extremeHigh = 0;
            state.extremeLow = l;
        }
    } else {
        if (l < state.extremeLow) {
            state.extremeLow = l;
            accelerate(state, parameters);
        }
        sar = state.sarBefore + state.afBefore * (state.extremeLowBefore - state.sarBefore);
        if (h > sar) {
            state.trend = 1;
            state.af = parameters.minAF;
            sar = state.extremeLowBefore;
            state.extremeLow = 0;
            state.extremeHigh = h;
        }
    }
    state.extremeHighBefore = state.extremeHigh;
    state.extremeLowBefore = state.extremeLow;
    state.sarBefore = sar;
    state.afBefore = state.af;
    return sar;
}

}  // namespace

com::ComPtr<_RecordSet> parabolicSar(_Database* data, _Field* high, _Field* low, SarParameters parameters,
                                     const com::Bstr& name) {
    Cursor cursor(data);
    const Series highs(high);
    const Series lows(low);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    cursor.setPosition(2);
    SarState state = initialState(highs, lows, parameters);
    walkRecords(cursor, 2, n, [&](int i) { out.set(i, step(state, highs.at(i), lows.at(i), parameters)); });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

}  // namespace indikon
