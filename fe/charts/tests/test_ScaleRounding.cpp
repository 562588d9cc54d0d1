#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "format/ScaleRounding.h"

namespace dravik {
namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(RoundStepToPowerOfTen, ExamplesAndDegenerateRanges) {
    struct Case {
        double value, range, expected;
    };
    const Case cases[] = {
        {23, 100, 30},   {23, 50, 23},         {0.37, 0.5, 0.4},     {7, 100, 10},
        {-23, 100, -20}, {2.3e-9, 1e-8, 3e-9}, {2.3e12, 1e13, 3e12}, {5, 0, 5},
        {5, -3, 5},      {5, kInf, 5},         {5, kNaN, 5},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(RoundStepToPowerOfTen(c.value, c.range), c.expected,
                    std::fabs(c.expected) * 1e-12 + 1e-300)
            << c.value << " " << c.range;
    EXPECT_TRUE(std::isnan(RoundStepToPowerOfTen(kNaN, 10)));
}

TEST(RoundRangeToStep, WidensOutwardsOnTidySteps) {
    struct Case {
        double min, max, expectedMin, expectedMax;
    };
    const Case cases[] = {
        {0.123, 0.987, 0.12, 0.99},
        {-153.7, -12.2, -154, -12},  // nearly a whole number of tens: steps of one
        {0, 987, 0, 990},            // a minimum of 0 stays
        {3, 97, 3, 97},
        {1.0000001e-9, 2.98e-9, 1e-9, 2.98e-9},  // nearly 20 steps: finer steps
        {1e300, 4.95e300, 1e300, 4.95e300},
        {1.2e300, 4.95e300, 1.2e300, 4.95e300},
        {-7.5e6, 2.5e6, -8e6, 3e6},  // a range of exactly 10^7: steps of 10^6
    };
    for (const Case& c : cases) {
        double min = c.min, max = c.max;
        RoundRangeToStep(min, max);
        EXPECT_NEAR(min, c.expectedMin, std::fabs(c.expectedMin) * 1e-12) << c.min << ".." << c.max;
        EXPECT_NEAR(max, c.expectedMax, std::fabs(c.expectedMax) * 1e-12) << c.min << ".." << c.max;
    }
    for (const auto& [min0, max0] : {std::pair{5.0, 5.0}, std::pair{-kInf, 3.0}, std::pair{kNaN, 1.0}}) {
        double min = min0, max = max0;
        RoundRangeToStep(min, max);
        EXPECT_TRUE(min == min0 || (std::isnan(min) && std::isnan(min0)));
        EXPECT_EQ(max, max0);
    }
}

TEST(NormaliseRange, SeedsEmptyAndProperRanges) {
    struct Case {
        double min, max;
        int decimals;
        int result;
        double expectedMin, expectedMax;
    };
    const Case cases[] = {
        {kRangeSeedMin, 7, 2, 2, 0, 1},
        {3, kRangeSeedMax, 2, 2, 0, 1},
        {3.4028235e38, -3.4028235e38, 2, 2, 0, 1},
        {5, 5, 2, 0, 4.95, 5.05},
        {5, 5, 0, 0, 4.95, 5.05},
        {-5, -5, 4, 0, -5.0005, -4.9995},
        {5, 5, -1, 1, 5, 5},
        {0, 0, 3, 0, 0, 0.001},
        {0, 0, 0, 0, 0, 0.1},
        {1, 2, 2, 0, 1, 2},
    };
    for (const Case& c : cases) {
        double min = c.min, max = c.max;
        EXPECT_EQ(NormaliseRange(min, max, c.decimals), c.result) << c.min << " " << c.max;
        EXPECT_DOUBLE_EQ(min, c.expectedMin) << c.min << " " << c.max;
        EXPECT_DOUBLE_EQ(max, c.expectedMax) << c.min << " " << c.max;
    }
}

TEST(CountStepsAndDecimals, EndForAnyInput) {
    EXPECT_EQ(CountSteps(0, 100, 10), 0);
    EXPECT_EQ(CountSteps(0, 1, 0.25), 1);
    EXPECT_EQ(CountSteps(100, 0, 25), 1);
    EXPECT_EQ(CountSteps(0, 3e-300, 1), 301);
    EXPECT_EQ(CountSteps(0, 0, 1), 0);
    EXPECT_EQ(CountSteps(0, 1, 0), 0);
    EXPECT_EQ(CountSteps(0, kNaN, 1), 0);
    EXPECT_EQ(CountSteps(0, kInf, 1), 0);

    EXPECT_EQ(CountDecimals(0.05, 0, 0), 3);
    EXPECT_EQ(CountDecimals(0.05, 4, 0), 3);
    EXPECT_EQ(CountDecimals(0.05, 0x8004, 0), 3);
    EXPECT_EQ(CountDecimals(123, 0, 2), 2);
    EXPECT_EQ(CountDecimals(-0.5, 0, 0), 2);
    EXPECT_EQ(CountDecimals(0, 4, 1), 3);
    EXPECT_EQ(CountDecimals(kInf, 0, 1), 1);
    EXPECT_EQ(CountDecimals(kNaN, 0, 1), 1);
    EXPECT_EQ(CountDecimals(5e-324, 0, 0), 325);  // the smallest double, 4.94e-324
    EXPECT_EQ(CountDecimals(1e300, 0, 0), 0);
    EXPECT_EQ(CountDecimals(1e300, 0, -2), -2);
    EXPECT_EQ(CountDecimals(0.001, 0, 5), 5);
}

}  // namespace
}  // namespace dravik
