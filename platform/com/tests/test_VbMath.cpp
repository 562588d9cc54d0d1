#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "com/VbMath.h"

namespace vb = com::vb;
using vb::MathError;

TEST(VbMath, RoundHalfEvenToInteger) {
    struct Case {
        double value;
        double expected;
    };
    const Case cases[] = {{0.5, 0},
                          {1.5, 2},
                          {2.5, 2},
                          {3.5, 4},
                          {-0.5, 0},
                          {-1.5, -2},
                          {-2.5, -2},
                          {2.4999999, 2},
                          {2.5000001, 3},
                          {-2.6, -3},
                          {1e300, 1e300},
                          {7, 7},
                          {4503599627370495.5, 4503599627370496}};
    for (const auto& c : cases) {
        EXPECT_EQ(vb::roundHalfEven(c.value), c.expected) << c.value;
    }
    EXPECT_TRUE(std::isnan(vb::roundHalfEven(std::nan(""))));
}

TEST(VbMath, ToInt16AndInt32ReportOverflow) {
    struct Case {
        double value;
        MathError error;
        std::int16_t expected;
    };
    const Case cases[] = {
        {32767.4, MathError::None, 32767},
        {32767.5, MathError::Overflow, 0},
        {-32768.5, MathError::None, -32768},
        {-32769.0, MathError::Overflow, 0},
        {-1.5, MathError::None, -2},
        {0.5, MathError::None, 0},
        {std::nan(""), MathError::Overflow, 0},
        {std::numeric_limits<double>::infinity(), MathError::Overflow, 0},
    };
    for (const auto& c : cases) {
        const auto result = vb::toInt16(c.value);
        EXPECT_EQ(result.error(), c.error) << c.value;
        EXPECT_EQ(result.value(), c.expected) << c.value;
    }
    EXPECT_EQ(vb::toInt32(2147483647.49).value(), 2147483647);
    EXPECT_EQ(vb::toInt32(2147483647.5).error(), MathError::Overflow);
    EXPECT_EQ(vb::toInt32(-2147483648.5).value(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(vb::toInt32(-2147483649.0).error(), MathError::Overflow);
    EXPECT_EQ(vb::toInt32(40000.5).value(), 40000);
}

TEST(VbMath, RoundDecimalsHalvesToEvenOnTheTypedDecimal) {
    struct Case {
        double value;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        {2.675, 2, 2.68},  // the double is 2.67499999999999982236431605997495353221893310546875
        {2.665, 2, 2.66},      {2.685, 2, 2.68},  {-2.675, 2, -2.68}, {1.005, 2, 1.0},
        {0.125, 2, 0.12},      {0.375, 2, 0.38},  {0.5, 0, 0.0},      {1.5, 0, 2.0},
        {2.5, 0, 2.0},         {-2.5, 0, -2.0},   {9.995, 2, 10.0},   {99.5, 0, 100.0},
        {0.0004, 2, 0.0},      {0.005, 2, 0.0},   {0.0051, 2, 0.01},  {0.015, 2, 0.02},
        {123.456, 5, 123.456}, {1e300, 2, 1e300}, {1e-300, 2, 0.0},   {12345.678, 1, 12345.7},
    };
    for (const auto& c : cases) {
        const auto result = vb::roundDecimals(c.value, c.decimals);
        ASSERT_TRUE(result) << c.value;
        EXPECT_EQ(result.value(), c.expected) << c.value << " to " << c.decimals;
    }
    EXPECT_EQ(vb::roundDecimals(1.5, -1).error(), MathError::InvalidArgument);
}

TEST(VbMath, DivisionReportsZeroDivisorAndOverflow) {
    EXPECT_EQ(vb::divide(1.0, 0.0).error(), MathError::DivisionByZero);
    EXPECT_EQ(vb::divide(0.0, 0.0).error(), MathError::DivisionByZero);
    EXPECT_EQ(vb::divide(-3.0, -0.0).error(), MathError::DivisionByZero);
    EXPECT_EQ(vb::divide(1e308, 1e-10).error(), MathError::Overflow);
    EXPECT_EQ(vb::divide(7.0, 2.0).value(), 3.5);
    EXPECT_EQ(vb::divide(1.0, 0.0).valueOr(-1.0), -1.0);
}

TEST(VbMath, CheckedExpAndNarrowing) {
    EXPECT_EQ(vb::exp(709.0).error(), MathError::None);
    EXPECT_EQ(vb::exp(710.0).error(), MathError::Overflow);
    EXPECT_EQ(vb::exp(-1000.0).value(), 0.0);
    EXPECT_EQ(vb::narrowToInt16(32767).value(), 32767);
    EXPECT_EQ(vb::narrowToInt16(32768).error(), MathError::Overflow);
    EXPECT_EQ(vb::narrowToInt16(std::int64_t{-32768}).value(), -32768);
    EXPECT_EQ(vb::narrowToInt16(std::int64_t{-32769}).error(), MathError::Overflow);
    EXPECT_EQ(vb::narrowToInt16(std::uint32_t{4294967295u}).error(), MathError::Overflow);
}

TEST(VbMath, ErrorNumbersAndDescriptions) {
    EXPECT_EQ(static_cast<int>(MathError::DivisionByZero), 11);
    EXPECT_EQ(static_cast<int>(MathError::Overflow), 6);
    EXPECT_EQ(vb::errorDescription(MathError::DivisionByZero), "Division by zero");
    EXPECT_EQ(vb::errorDescription(MathError::Overflow), "Overflow");
}
