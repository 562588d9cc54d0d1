// Expected figures of the builder tests, written out element by element.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "special/SpecialFigure.h"

namespace dravik::test {

// No value at this point of the price series.
inline constexpr double kNone = 1e308;

struct Element {
    double start;
    double end;
    std::int32_t point;
    std::int32_t signal = 0;
};

// The figure holds exactly `expected`; values compared exactly, unless `tolerance` is given.
inline void expectFigure(const SpecialFigure& figure, std::initializer_list<Element> expected,
                         double tolerance = 0) {
    ASSERT_EQ(figure.count(), static_cast<std::int32_t>(expected.size()));
    ASSERT_EQ(figure.startValues.size(), expected.size());
    ASSERT_EQ(figure.sourcePoint.size(), expected.size());
    ASSERT_EQ(figure.signal.size(), expected.size());
    std::size_t i = 0;
    for (const Element& e : expected) {
        if (tolerance == 0) {
            EXPECT_EQ(figure.startValues[i], e.start) << "start of element " << i;
            EXPECT_EQ(figure.endValues[i], e.end) << "end of element " << i;
        } else {
            EXPECT_NEAR(figure.startValues[i], e.start, tolerance) << "start of element " << i;
            EXPECT_NEAR(figure.endValues[i], e.end, tolerance) << "end of element " << i;
        }
        EXPECT_EQ(figure.sourcePoint[i], e.point) << "source point of element " << i;
        EXPECT_EQ(figure.signal[i], e.signal) << "signal of element " << i;
        ++i;
    }
}

}  // namespace dravik::test
