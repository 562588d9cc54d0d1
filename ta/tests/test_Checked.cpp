// The shared helpers every indicator builds on: checked arithmetic, 16-bit counts, the numeric helpers,
// the yield gate and the reading of numbers and columns from text.
#include <cmath>
#include <limits>
#include <vector>

#include "TestSupport.h"
#include "core/Checked.h"
#include "core/Failure.h"
#include "core/YieldGate.h"
#include "indicators/MovingAverage.h"
#include "loading/PriceTextFile.h"

namespace indikon::test {
namespace {

template <typename Call>
std::int32_t errorNumberOf(Call&& call) {
    try {
        call();
    } catch (const Failure& failure) {
        return failure.number();
    }
    return 0;
}

TEST(Checked, FailuresCarryTheLanguageErrorNumbers) {
    EXPECT_EQ(errorNumberOf([] { divide(1, 0); }), 11);
    EXPECT_EQ(errorNumberOf([] { divide(0, 0); }), 11);
    EXPECT_EQ(errorNumberOf([] { divide(1e308, 1e-308); }), 6);
    EXPECT_EQ(errorNumberOf([] { exponential(710); }), 6);
    EXPECT_EQ(errorNumberOf([] { toInteger(32768); }), 6);
    EXPECT_EQ(errorNumberOf([] { toInteger(-32769); }), 6);
    EXPECT_EQ(errorNumberOf([] { roundToInteger(32767.5); }), 6);
    EXPECT_EQ(errorNumberOf([] { rangeRatio(2, 1, 1e308); }), 0);
}

TEST(Checked, ValuesAndHalvesToEven) {
    EXPECT_EQ(divide(1, 4), 0.25);
    // A quotient is refused only when finite values overflow; an infinite or NaN operand passes on.
    EXPECT_EQ(errorNumberOf([] { divide(-1e308, 0.5); }), 6);
    EXPECT_EQ(divide(std::numeric_limits<double>::infinity(), 2), std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(divide(1, std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(toInteger(-32768), -32768);
    EXPECT_EQ(roundToInteger(2.5), 2);
    EXPECT_EQ(roundToInteger(3.5), 4);
    EXPECT_EQ(roundToInteger(-2.5), -2);
    EXPECT_EQ(roundToLong(100000.5), 100000);
    EXPECT_EQ(greaterOf(5, 5), 5);
    EXPECT_EQ(lesserOf(-1, 3), -1);
    EXPECT_EQ(rangeRatio(4, 4, 9), 0);
    EXPECT_EQ(rangeRatio(10, 0, 2.5), 0.25);
}

TEST(YieldGate, RunsTheHookAtMostOncePerInterval) {
    int runs = 0;
    const YieldHook previous = setYieldHook([&] { ++runs; });
    yieldToMessageLoop();
    yieldToMessageLoop();
    yieldToMessageLoop();
    setYieldHook(previous);
    EXPECT_EQ(runs, 1);
    yieldToMessageLoop();
    EXPECT_EQ(runs, 1) << "a removed hook is not called";
}

TEST(YieldGate, ALongIndicatorLetsTheProgramRun) {
    std::vector<double> closes;
    for (int i = 0; i < 5000; ++i)
        closes.push_back(100 + i % 7);
    const com::ComPtr<_Database> database = makeDatabase(closes);
    int runs = 0;
    const YieldHook previous = setYieldHook([&] { ++runs; });
    com::ComPtr<_RecordSet> result;
    com::Bstr alias;
    const com::HRESULT status = com::makeComObject<MovingAverage>()->SimpleMovingAverage(
        database.get(), fieldOf(database.get(), u"Close").get(), 14, &alias, result.put());
    setYieldHook(previous);
    EXPECT_EQ(status, com::S_OK);
    EXPECT_GE(runs, 1);
}

TEST(LeadingNumber, ReadsAsFarAsTheNumberGoes) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"10.75", 10.75}, {"  900", 900}, {"1 615 198", 1615198},
        {"-3.5x", -3.5},  {"+2", 2},      {"1e3", 1000},
        {"2D2", 200},     {"1e", 1},      {".5", 0.5},
        {"Date", 0},      {"", 0},        {"12abc34", 12},
        {"1.2.3", 1.2},   {"-", 0},       {"1e-400", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leadingNumber(c.text), c.value) << c.text;
    EXPECT_EQ(errorNumberOf([] { leadingNumber("1e400"); }), 6);
}

TEST(PriceLine, SplitsOnWholeDelimitersOnly) {
    const PriceLine multi = splitPriceLine("2001-05-03::10::11::9::10.5::700", "::");
    EXPECT_EQ(multi.columns[0], "2001-05-03");
    EXPECT_EQ(multi.columns[1], "10");
    EXPECT_EQ(multi.columns[4], "10.5");
    EXPECT_EQ(multi.volume, "700");

    const PriceLine empty = splitPriceLine("2001-05-03,1,2", "");
    for (const auto& column : empty.columns)
        EXPECT_FALSE(column.has_value());
    EXPECT_EQ(empty.volume, "2001-05-03,1,2");
}

}  // namespace
}  // namespace indikon::test
