#include "studies/PriceCombinations.h"

namespace dravik {
namespace {

template <typename Combine>
void CombinePoints(std::initializer_list<InRow> inputs, OutRow out, StudyRange& range, Combine combine) {
    if (!studies::Prepare(inputs, {out}, {}))
        return;
    for (std::size_t i = 0; i < out.size(); ++i) {
        bool valid = true;
        for (InRow row : inputs)
            valid = valid && IsValidPoint(row[i]);
        if (valid)
            studies::Put(out, i, combine(i), range);
        else
            out[i] = kEmptyValue;
    }
}

}  // namespace

void CalcMedianPrice(InRow high, InRow low, OutRow out, StudyRange& range) {
    CombinePoints({high, low}, out, range, [&](std::size_t i) { return (high[i] + low[i]) * 0.5; });
}

void CalcTypicalPrice(InRow high, InRow low, InRow close, OutRow out, StudyRange& range) {
    CombinePoints({high, low, close}, out, range,
                  [&](std::size_t i) { return studies::TypicalPrice(high[i], low[i], close[i]); });
}

void CalcWeightedClose(InRow high, InRow low, InRow close, OutRow out, StudyRange& range) {
    CombinePoints({high, low, close}, out, range,
                  [&](std::size_t i) { return (low[i] + (high[i] + 2.0 * close[i])) * 0.25; });
}

}  // namespace dravik
