#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "StudyTestSupport.h"
#include "studies/StudyDescriptor.h"

namespace dravik {
namespace {

using testing::IsSeeds;
using testing::kE;
using testing::Row;
using testing::RowsMatch;

TEST(StudyDescriptor, TableIsIndexedByStudyNumber) {
    const auto studies = BuiltInStudies();
    int withRoutine = 0;
    for (int n = 0; n < kBuiltInStudyKinds; ++n) {
        const StudyDescriptor& study = studies[n];
        EXPECT_EQ(study.number, n);
        EXPECT_EQ(FindStudyDescriptor(n), &study);
        EXPECT_EQ(study.priceIndicator, n <= 11) << n;
        EXPECT_EQ(study.startInZero, n == kVolumeStudy) << n;
        EXPECT_EQ(study.compute == nullptr, n == kVolumeStudy) << n;
        ASSERT_GE(study.outputCount, 1);
        ASSERT_LE(study.outputCount, 3);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(study.outputNames[k] != nullptr, k < study.outputCount) << n << " " << k;
        withRoutine += study.compute != nullptr;
    }
    EXPECT_EQ(withRoutine, 37);
    EXPECT_EQ(FindStudyDescriptor(-1), nullptr);
    EXPECT_EQ(FindStudyDescriptor(38), nullptr);
}

TEST(StudyDescriptor, NamesDefaultsAndOutputs) {
    struct Case {
        int number;
        const char* enumerator;
        const char* name;
        int periods, signal, longPeriod, shortPeriod;
        double value;
        std::uint8_t inputs;
        const char* lastOutput;
    };
    const Case cases[] = {
        {2, "SIMPLE_MOVINGAVG200", "200 periods  Simple M.A.", 200, 0, 0, 0, 0, kStudyInputWork,
         "Moving Average"},
        {6, "WEIGHTED_MOVINGAVG", "Weighted Moving Average", 10, 0, 0, 0, 0, kStudyInputWork, "Weigted MA"},
        {7, "BOLLINGER_BAND", "Bollinger Bands", 10, 0, 0, 0, 2.0, kStudyInputWork, "Lower Band"},
        {8, "ENVELOPES", "Envelopes", 10, 0, 0, 0, 6.0, kStudyInputWork, "Lower Env"},
        {14, "NVI", "Negative Volume Index", 10, 0, 0, 0, 1000.0, kStudyInputClose | kStudyInputVolume,
         "MA od Nvi"},
        {19, "CHAIKIN", "Chaikin Oscillator", 0, 0, 10, 3, 0, kStudyInputPrices, "Chaikin"},
        {22, "STOCHASTICS", "Lanes Stochastics - %D and %K", 10, 10, 0, 0, 0,
         kStudyInputHigh | kStudyInputLow | kStudyInputClose, "%D"},
        {24, "MACD", "M.A. Convergence/Divergence", 0, 9, 26, 12, 0, kStudyInputWork, "Macd Signal"},
        {32, "EASE_OF_MOVE", "Ease Of Movement", 14, 9, 0, 0, 0,
         kStudyInputHigh | kStudyInputLow | kStudyInputVolume, "EoM MA"},
        {33, "MASS", "Mass Index", 25, 9, 0, 0, 0, kStudyInputHigh | kStudyInputLow, "Mass"},
        {36, "VOLUME_OSCILLATOR", "Volume Oscillator", 0, 0, 10, 5, 0, kStudyInputVolume, "Volume Osc"},
        {37, "VOLATILITY_CHAIKINS", "Chaikin's Volatility", 10, 10, 0, 0, 0, kStudyInputHigh | kStudyInputLow,
         "Chak.Volatility"},
    };
    for (const Case& c : cases) {
        const StudyDescriptor& study = *FindStudyDescriptor(c.number);
        EXPECT_STREQ(study.enumerator, c.enumerator);
        EXPECT_STREQ(study.name, c.name);
        EXPECT_EQ(study.defaults.periods, c.periods) << c.number;
        EXPECT_EQ(study.defaults.signal, c.signal) << c.number;
        EXPECT_EQ(study.defaults.longPeriod, c.longPeriod) << c.number;
        EXPECT_EQ(study.defaults.shortPeriod, c.shortPeriod) << c.number;
        EXPECT_EQ(study.defaults.value, c.value) << c.number;
        EXPECT_EQ(study.inputs, c.inputs) << c.number;
        EXPECT_STREQ(study.outputNames[study.outputCount - 1], c.lastOutput);
    }
    EXPECT_EQ(FindStudyDescriptor(24)->defaultOutput, 1);
    EXPECT_EQ(FindStudyDescriptor(24)->outputCount, 3);
}

TEST(ComputeBuiltInStudy, RunsTheRoutineWithTheDefaults) {
    const Row close = {10, 11, 12, 11, 13, 14, 13, 15, 16, 15, 17, 18};
    Row out(close.size());
    StudyInputs inputs;
    inputs.work = close;
    StudyRange range;
    const StudyDescriptor& ema = *FindStudyDescriptor(4);
    EXPECT_EQ(ComputeBuiltInStudy(4, inputs, ema.defaults, {{out}}, false, range),
              StudyComputeResult::Computed);
    EXPECT_NEAR(out[11], 14.78206, 5e-6);
    EXPECT_TRUE(RowsMatch(Row(out.begin(), out.begin() + 9), Row(9, kE)));
}

TEST(ComputeBuiltInStudy, ParametersReachTheRightArguments) {
    // Stochastics: the first 16-bit value is the %K length, the periods the %D length.
    const Row high = {10, 12, 11, 14, 13};
    const Row low = {8, 9, 7, 10, 12};
    const Row close = {9, 11, 8, 13, 12};
    StudyInputs inputs;
    inputs.high = high;
    inputs.low = low;
    inputs.close = close;
    Row k(5), d(5);
    StudyArguments parameters;
    parameters.signal = 1;
    parameters.periods = 3;
    StudyRange range;
    ComputeBuiltInStudy(22, inputs, parameters, {{k, d}}, false, range);
    // One-point %K: (C - L) / (H - L) x 100 at each point; %D its 3-point average.
    EXPECT_TRUE(RowsMatch(k, {50, 200.0 / 3.0, 25, 75, 0}));
    EXPECT_TRUE(
        RowsMatch(d, {kE, kE, (50 + 200.0 / 3.0 + 25) / 3, (200.0 / 3.0 + 25 + 75) / 3, 100.0 / 3.0}));

    // MACD: the signal period comes first, then the long and short periods.
    const Row values = {2, 4, 8};
    inputs.work = values;
    Row divergence(3), line(3), signal(3);
    parameters = {};
    parameters.signal = 2;
    parameters.longPeriod = 3;
    parameters.shortPeriod = 1;
    ComputeBuiltInStudy(24, inputs, parameters, {{divergence, line, signal}}, true, range);
    EXPECT_TRUE(RowsMatch(line, {0, 1, 2.5}));
    EXPECT_TRUE(RowsMatch(signal, {0, 2.0 / 3.0, 17.0 / 9.0}));
}

TEST(ComputeBuiltInStudy, MissingPriceSeriesGivesZeroToHundred) {
    const Row close = {1, 2, 3};
    Row out = {7, 7, 7};
    StudyInputs inputs;
    inputs.close = close;  // no volume
    StudyRange range;
    EXPECT_EQ(ComputeBuiltInStudy(15, inputs, {}, {{out}}, true, range),
              StudyComputeResult::MissingPriceSeries);
    EXPECT_EQ(range.min, 0);
    EXPECT_EQ(range.max, 100);
    EXPECT_TRUE(RowsMatch(out, {7, 7, 7}));  // the series keep their values

    // A missing work row is the routine's own: it empties its output.
    range = {};
    EXPECT_EQ(ComputeBuiltInStudy(0, inputs, FindStudyDescriptor(0)->defaults, {{out}}, true, range),
              StudyComputeResult::Computed);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE}));
    EXPECT_TRUE(IsSeeds(range));
}

TEST(ComputeBuiltInStudy, VolumeAndUnknownKindsComputeNothing) {
    const Row volume = {1, 2, 3};
    Row out = {7, 7, 7};
    StudyInputs inputs;
    inputs.volume = volume;
    StudyRange range;
    for (int kind : {kVolumeStudy, -1, 38, 57}) {
        EXPECT_EQ(ComputeBuiltInStudy(kind, inputs, {}, {{out}}, true, range),
                  StudyComputeResult::NotComputed);
        EXPECT_TRUE(RowsMatch(out, {7, 7, 7}));
        EXPECT_TRUE(IsSeeds(range));
    }
}

}  // namespace
}  // namespace dravik
