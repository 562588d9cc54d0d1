// The custom studies computed by the indicator library (the built server, registered in a class
// registry of the test's own) over a chart in memory.
#include <gtest/gtest.h>

#include "FakeChart.h"
#include "IndicatorRegistry.h"
#include "NoValue.h"
#include "appchart/fill/FillPeriod.h"
#include "appchart/studies/CustomStudies.h"
#include "appdata/Globals.h"

namespace tarnwick::chart::test {
namespace {

class CustomStudiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        gSpecial = false;
        // Five points; the last has no close.
        const double high[] = {11, 12, 11, 13, 14};
        const double low[] = {9, 10, 10.5, 11, 12};
        const double close[] = {10, 11, 10.5, 12, N};
        for (int p = 0; p < 5; ++p) {
            chart.data.addPoint(OleDay(db::Date{std::chrono::year{2005}, std::chrono::March,
                                                std::chrono::day{static_cast<unsigned>(p + 1)}}),
                                "");
            chart.data.values[kHighColumn][p] = high[p];
            chart.data.values[kLowColumn][p] = low[p];
            chart.data.values[kOpenColumn][p] = close[p];
            chart.data.values[kCloseColumn][p] = close[p];
            chart.data.values[kVolumeColumn][p] = 100;
        }
        chart.studySeries[kSarSeries].assign(5, N);
        chart.studySeries[kRsiSeries].assign(5, N);
    }
    void TearDown() override { gSpecial = true; }

    static void registerIndicatorLibrary() { IndicatorRegistry::registerIndicatorLibrary(); }

    std::vector<double> series(int number) const { return chart.studySeries.at(number); }

    IndicatorRegistry registry_;
    FakeChart chart;
};

// Worked by hand. SAR with step 0.02, maximum 0.2, long from the first low 9: 9 + 0.02 (11 - 9) = 9.04;
// 9.04 + 0.04 (12 - 9.04) = 9.1584; 9.1584 + 0.04 (12 - 9.1584) = 9.272064 (the step and the extreme
// as they stood before the record). RSI over 2 periods of the highs (an overflowing close of 1e308
// would end the library's RSI): seed gains 1, losses 1 -> 0.5 / 0.5, no value at the seed; then
// (0.5 + 2) / 2 = 1.25 and 0.5 / 2 = 0.25, RS 5, RSI 100 - 100 / 6.
TEST_F(CustomStudiesTest, WritesValuesOnlyWhereTheCloseIsRealAndTheValueNotZero) {
    registerIndicatorLibrary();
    chart.settings.rsiWorkSeries = -3;
    CalculateCustomStudies(chart, 0);
    const std::vector<double> sar = series(kSarSeries);
    EXPECT_EQ(sar[0], N);  // the SAR starts at the second record
    EXPECT_NEAR(sar[1], 9.04, 1e-12);
    EXPECT_NEAR(sar[2], 9.1584, 1e-12);
    EXPECT_NEAR(sar[3], 9.272064, 1e-12);
    EXPECT_EQ(sar[4], N);  // no close
    const std::vector<double> rsi = series(kRsiSeries);
    EXPECT_EQ(rsi[0], N);
    EXPECT_EQ(rsi[1], N);
    EXPECT_EQ(rsi[2], N);
    EXPECT_NEAR(rsi[3], 100 - 100.0 / 6, 1e-12);
    EXPECT_EQ(rsi[4], N);  // 100 - 100 / 17 computed, but no close
}

TEST_F(CustomStudiesTest, StudySettingsChooseStepAndSource) {
    registerIndicatorLibrary();
    chart.data.values[kCloseColumn][4] = 12.5;
    chart.settings.sarPeriods = 10;  // step 0.1
    CalculateCustomStudies(chart, 0);
    const std::vector<double> sar = series(kSarSeries);
    // 9 + 0.1 (11 - 9) = 9.2; the factor reaches 0.2 and stops: 9.2 + 0.2 (12 - 9.2) = 9.76;
    // 9.76 + 0.2 (12 - 9.76) = 10.208; 10.208 + 0.2 (13 - 10.208) = 10.7664.
    EXPECT_NEAR(sar[1], 9.2, 1e-12);
    EXPECT_NEAR(sar[2], 9.76, 1e-12);
    EXPECT_NEAR(sar[3], 10.208, 1e-12);
    EXPECT_NEAR(sar[4], 10.7664, 1e-12);
    // Closes 10, 11, 10.5, 12, 12.5: seed 0.5 / 0.25; (0.5 + 1.5) / 2 = 1 and 0.125: RS 8;
    // (1 + 0.5) / 2 = 0.75 and 0.0625: RS 12.
    const std::vector<double> rsi = series(kRsiSeries);
    EXPECT_NEAR(rsi[3], 100 - 100.0 / 9, 1e-12);
    EXPECT_NEAR(rsi[4], 100 - 100.0 / 13, 1e-12);
}

TEST_F(CustomStudiesTest, TrailingPointsAreLeftOutWithEmptyDays) {
    registerIndicatorLibrary();
    gSpecial = true;
    CalculateCustomStudies(chart, 2);
    const std::vector<double> sar = series(kSarSeries);
    EXPECT_NEAR(sar[1], 9.04, 1e-12);
    EXPECT_NEAR(sar[2], 9.1584, 1e-12);
    EXPECT_EQ(sar[3], N);
    // A trim of 0 means the 30 empty days: more than the chart has, so nothing is written.
    chart.studySeries[kSarSeries].assign(5, N);
    CalculateCustomStudies(chart, 0);
    EXPECT_EQ(series(kSarSeries), std::vector<double>(5, N));
    EXPECT_EQ(series(kRsiSeries)[3], N);
}

TEST_F(CustomStudiesTest, NothingIsComputedForFewerThanTwoPoints) {
    registerIndicatorLibrary();
    chart.data = ChartDataSet{};
    chart.data.addPoint(38412, "");
    chart.data.values[kCloseColumn][0] = 10;
    chart.studySeries[kSarSeries].assign(1, 7);
    CalculateCustomStudies(chart, 0);
    EXPECT_EQ(series(kSarSeries)[0], 7);
}

TEST_F(CustomStudiesTest, WithoutTheIndicatorLibraryTheSeriesStayAsTheyWere) {
    chart.studySeries[kSarSeries].assign(5, 3.5);
    CalculateCustomStudies(chart, 0);
    EXPECT_EQ(series(kSarSeries), std::vector<double>(5, 3.5));
    EXPECT_EQ(series(kRsiSeries), std::vector<double>(5, N));
}

TEST_F(CustomStudiesTest, AFailingStudyObjectLeavesTheSeriesAlone) {
    registerIndicatorLibrary();
    chart.failOn = "studySettings";
    CalculateCustomStudies(chart, 0);
    EXPECT_EQ(series(kSarSeries), std::vector<double>(5, N));
    EXPECT_EQ(series(kRsiSeries), std::vector<double>(5, N));
}

}  // namespace
}  // namespace tarnwick::chart::test
