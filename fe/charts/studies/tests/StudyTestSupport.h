// Helpers of the study tests: rows written out with kE for an empty point, compared point by point.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "studies/StudyRange.h"

namespace dravik::testing {

inline constexpr double kE = kEmptyValue;
using Row = std::vector<double>;

// Empty points must match exactly; values within a relative 1e-12 (the expected values are worked out
// by hand or with a separate model of the rule, written out to 16 or 17 digits).
inline ::testing::AssertionResult RowsMatch(const Row& actual, const Row& expected,
                                            double tolerance = 1e-12) {
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size " << actual.size() << " != " << expected.size();
    for (std::size_t i = 0; i < actual.size(); ++i) {
        const bool emptyA = actual[i] == kE, emptyE = expected[i] == kE;
        const bool same =
            emptyA == emptyE && (emptyA || std::fabs(actual[i] - expected[i]) <=
                                               tolerance * std::max(1.0, std::fabs(expected[i])));
        if (!same)
            return ::testing::AssertionFailure()
                   << "point " << i << ": " << (emptyA ? std::string("empty") : std::to_string(actual[i]))
                   << " != " << (emptyE ? std::string("empty") : std::to_string(expected[i]));
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult AllEmpty(const Row& actual) {
    return RowsMatch(actual, Row(actual.size(), kE));
}

inline bool IsSeeds(const StudyRange& range) {
    return range.min == 3.4028234663852886e38 && range.max == -3.4028234663852886e38;
}

}  // namespace dravik::testing
