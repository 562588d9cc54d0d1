// The five-record fractal test: a record whose high stands above the two records before it and at
// least as high as the two after it (a fractal high), or whose low stands likewise below (a fractal
// low). The test is made two records late, at the position of the newest of the five records, from the
// record's lagged copies: before position 5 the copies read 0, so positions below 5 never qualify.
#pragma once

#include "core/Indicator.h"

namespace indikon::kernels {

class FractalWindow {
public:
    FractalWindow(const Series& high, const Series& low) : high_(high), low_(low) {}

    // The high (low) `lag` records before `position` as the lagged copy holds it: 0 below position 5.
    double laggedHigh(int position, int lag) const;
    double laggedLow(int position, int lag) const;

    // Whether the record two before `position` is a fractal high (low).
    bool isHigh(int position) const;
    bool isLow(int position) const;

private:
    Series high_;
    Series low_;
};

}  // namespace indikon::kernels
