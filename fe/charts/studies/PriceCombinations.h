// Point-by-point combinations of the high, low and close prices. A point with any input empty gets an
// empty output; a missing input row empties the whole output.
#pragma once

#include "studies/StudyRange.h"

namespace dravik {

// (H + L) x 0.5
void CalcMedianPrice(InRow high, InRow low, OutRow out, StudyRange& range);
// (H + (L + C)) x 0.3333333333333333: a multiplication, not a division by 3, so the last bit may differ
void CalcTypicalPrice(InRow high, InRow low, InRow close, OutRow out, StudyRange& range);
// (L + (H + 2 x C)) x 0.25
void CalcWeightedClose(InRow high, InRow low, InRow close, OutRow out, StudyRange& range);

namespace studies {
inline constexpr double kOneThird = 0.3333333333333333;
inline double TypicalPrice(double high, double low, double close) {
    return (high + (low + close)) * kOneThird;
}
}  // namespace studies

}  // namespace dravik
