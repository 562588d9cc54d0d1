#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "TestLocales.h"
#include "format/NumberText.h"

namespace dravik {
namespace {

TEST(ProcessLocale, TestsRunUnderADecimalCommaCLocale) {
    // Every other test in this program runs under this C locale; without it they would prove nothing
    // about independence from it.
    EXPECT_TRUE(test::processLocaleHasDecimalComma());
}

struct DoubleCase {
    double value;
    int decimals;
    const char* separator;
    bool scientific;
    const char* expected;
};

TEST(FormatDouble, FixedAndScientificWithTiesAwayFromZero) {
    const double inf = std::numeric_limits<double>::infinity();
    const DoubleCase cases[] = {
        {0.125, 2, ".", false, "0.13"},  // exact tie: away from zero
        {-0.125, 2, ".", false, "-0.13"},
        {2.5, 0, ".", false, "3"},
        {-2.5, 0, ".", false, "-3"},
        {0.5, 0, ".", false, "1"},
        {2.675, 2, ".", false, "2.67"},   // the double lies below 2.675
        {9.995, 2, ".", false, "9.99"},   // likewise below 9.995
        {99.95, 1, ".", false, "100.0"},  // 99.9500000000000028: up, with a carry into a new digit
        {123.456, 1, ",", false, "123,5"},
        {1234.5, 2, "\xD9\xAB", false,
         "1234\xD9\xAB"
         "50"},
        {1e-7, 2, ".", false, "0.00"},
        {-0.001, 2, ".", false, "-0.00"},   // printf keeps the sign
        {1.0, -1, ".", false, "1.000000"},  // negative decimals: the C default of 6
        {1e21, 0, ".", false, "1000000000000000000000"},
        {12345.678, 2, ".", true, "1.23e+04"},
        {0.125, 1, ",", true, "1,3e-01"},
        {9.96, 1, ".", true, "1.0e+01"},
        {0.0, 2, ".", true, "0.00e+00"},
        {1e300, 1, ".", true, "1.0e+300"},
        {-5e-324, 0, ".", true, "-5e-324"},
        {inf, 2, ".", false, "inf"},
        {-inf, 2, ".", true, "-inf"},
        {std::nan(""), 2, ".", false, "nan"},
    };
    for (const DoubleCase& c : cases) {
        EXPECT_EQ(formatDoubleText(c.value, c.decimals, c.separator, c.scientific), c.expected)
            << c.value << " " << c.decimals;
    }
}

TEST(FormatDouble, BoundedByTheBuffer) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(FormatDouble(buffer, 5, 2, 123.456, ".", false), 4);
    EXPECT_STREQ(buffer, "123.");
    EXPECT_EQ(buffer[5], 'x');
    EXPECT_EQ(FormatDouble(buffer, 0, 2, 1.0, ".", false), 0);
    EXPECT_EQ(buffer[0], '1');  // untouched
    // A separator of two bytes is not cut in half.
    EXPECT_EQ(FormatDouble(buffer, 3, 1, 1.5, "\xD9\xAB", false), 1);
    EXPECT_STREQ(buffer, "1");
    EXPECT_EQ(FormatItemNumber(1.0 / 3.0, 100).size(), 39u);
    EXPECT_EQ(FormatDouble(buffer, sizeof buffer, 2147483647, 0.5, ".", false), 7);
    EXPECT_STREQ(buffer, "0.50000");
    EXPECT_EQ(formatDoubleText(0.5, 5000, ".", false).size(), 1102u);
}

struct ParseCase {
    const char* text;
    const char* separator;
    double expected;
};

TEST(ParseNumber, ReadsAsAtofWithTheGivenSeparator) {
    const ParseCase cases[] = {
        {"1,5", ",", 1.5},
        {"1.5", ",", 1.5},  // no comma to replace: the point still reads
        {"1.234,5", ",", 1.234},
        {"  -1.5e3xyz", ".", -1500.0},
        {"+2", ".", 2.0},
        {"3\xD9\xAB"
         "25",
         "\xD9\xAB", 3.25},
        {"abc", ".", 0.0},
        {"", ".", 0.0},
        {"-", ".", 0.0},
        {".5", ".", 0.5},
        {"5.", ".", 5.0},
        {"1e", ".", 1.0},
        {"1e-400", ".", 0.0},
        {"0.0000e999", ".", 0.0},
    };
    for (const ParseCase& c : cases)
        EXPECT_DOUBLE_EQ(ParseNumber(c.text, c.separator), c.expected) << c.text;
    EXPECT_EQ(ParseNumber("1e400", "."), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseNumber("-1e400", "."), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseNumber("inf", "."), std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(ParseNumber("nan", ".")));
    EXPECT_DOUBLE_EQ(ReadItemNumber("12345678901234567890123"), 12345678901234567890.0);
}

TEST(ParseUnsigned, StopsAtTheEndOfTheText) {
    unsigned n = 99;
    EXPECT_EQ(ParseUnsigned("12/3", n), "3");
    EXPECT_EQ(n, 12u);
    EXPECT_EQ(ParseUnsigned("  7", n), "");
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(ParseUnsigned("", n), "");
    EXPECT_EQ(n, 0u);
    // No digits: the character stays for the next reader (an AM/PM designator, say).
    EXPECT_EQ(ParseUnsigned(" PM", n), "PM");
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(ParseUnsigned("99999999999:", n), "");
    EXPECT_EQ(n, 4294967295u);
    // A view that ends before a longer buffer never reads beyond its end.
    const char text[] = "12345";
    EXPECT_EQ(ParseUnsigned(std::string_view(text, 2), n), "");
    EXPECT_EQ(n, 12u);
}

}  // namespace
}  // namespace dravik
