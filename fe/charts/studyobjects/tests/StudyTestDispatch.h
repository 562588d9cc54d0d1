// The analytical chart's dispatcher as the study-object tests model it: one study computed into the
// rows of a series buffer by the routine of its calculation kind. Apart from the test owner because
// the routines' parameter type and the study record's share a name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dravik::test {

struct DispatchedStudy {
    int kind = -1;
    int workSeries = -1;  // -1 close (the model binds the close price to row 0)
    int periods = 0;
    int signal = 0;
    int longPeriod = 0;
    int shortPeriod = 0;
    double d = 0;
    std::vector<std::int16_t> weights;
    int firstSeries = -1;
    int outputs = 0;
};

// Computes `study` over `buffer` (rows of `points` values; the close price in row 0). Returns false when
// the kind has no routine.
bool DispatchStudy(const DispatchedStudy& study, std::span<double> buffer, std::size_t points);

}  // namespace dravik::test
