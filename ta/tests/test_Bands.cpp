#include <cmath>
#include <limits>

#include "PriceSet.h"
#include "indicators/Bands.h"
#include "indicators/MovingAverage.h"
#include "indicators/Oscillator.h"

namespace indikon::test {
namespace {

IndicatorRun bollinger(const std::vector<double>& source, int periods, int deviations, int maType) {
    IndicatorRun run;
    run.database = makeDatabase(source);
    run.status = com::makeComObject<Bands>()->BollingerBands(
        run.database.get(), fieldOf(run.database.get(), u"Close").get(), s(periods), s(deviations), s(maType),
        run.result.put());
    return run;
}

IndicatorRun envelope(const std::vector<double>& source, int periods, int maType, double shift) {
    IndicatorRun run;
    run.database = makeDatabase(source);
    run.status = com::makeComObject<Bands>()->MovingAverageEnvelope(
        run.database.get(), fieldOf(run.database.get(), u"Close").get(), s(periods), s(maType), shift,
        run.result.put());
    return run;
}

// Highs one above and lows one below the source.
IndicatorRun highLow(const std::vector<double>& source, int periods) {
    std::vector<double> highs;
    std::vector<double> lows;
    for (double value : source) {
        highs.push_back(value + 1);
        lows.push_back(value - 1);
    }
    IndicatorRun run;
    run.database = makeDatabase(source, highs, lows);
    _Database* data = run.database.get();
    run.status = com::makeComObject<Bands>()->HighLowBands(
        data, fieldOf(data, u"High").get(), fieldOf(data, u"Low").get(), fieldOf(data, u"Close").get(),
        s(periods), run.result.put());
    return run;
}

std::vector<double> vidya(_Database* data, const std::u16string& field, int periods, double scale) {
    com::ComPtr<_RecordSet> result;
    com::Bstr alias(u"V");
    EXPECT_EQ(com::makeComObject<MovingAverage>()->VIDYA(data, fieldOf(data, field).get(), s(periods), scale,
                                                         &alias, result.put()),
              com::S_OK);
    return valuesOf(fieldOf(result.get(), u"V").get());
}

std::vector<double> wandering(int count) {
    std::vector<double> values;
    for (int i = 1; i <= count; ++i)
        values.push_back(50 + (i * i) % 13 + i / 2.0);
    return values;
}

ExpectedError bandError(std::int32_t number, const std::string& source, const std::string& description) {
    return {number, source, description};
}

TEST(BollingerBands, PopulationDeviationAroundTheCurrentMedian) {
    const IndicatorRun run = bollinger({1, 2, 3, 4, 5}, 2, 1, 1);
    EXPECT_EQ(run.names(), (std::vector<std::u16string>{u"BollingerBandsMedian", u"BollingerBandsTop",
                                                        u"BollingerBandsBottom"}));
    expectValues(run.field(u"BollingerBandsMedian"), {0, 0, 2.5, 3.5, 4.5});
    expectValues(run.field(u"BollingerBandsTop"), {0, 0, 3, 4, 5});
    expectValues(run.field(u"BollingerBandsBottom"), {0, 0, 2, 3, 4});
    EXPECT_EQ(position(run.database.get()), 1);

    // Record 4 of 1, 2, 4, 8: both 4 and 8 are measured from the median 6 there, sqrt((4 + 4) / 2) = 2.
    const IndicatorRun doubling = bollinger({1, 2, 4, 8}, 2, 2, 1);
    expectValues(doubling.field(u"BollingerBandsTop"), {0, 0, 5, 10});
    expectValues(doubling.field(u"BollingerBandsBottom"), {0, 0, 1, 2});
}

TEST(BollingerBands, ZeroDeviationsAndTheLongestPeriod) {
    const IndicatorRun flat = bollinger({1, 2, 3, 4, 5}, 2, 0, 1);
    EXPECT_EQ(flat.field(u"BollingerBandsTop"), flat.field(u"BollingerBandsMedian"));
    EXPECT_EQ(flat.field(u"BollingerBandsBottom"), flat.field(u"BollingerBandsMedian"));
    // Periods = record count is valid and leaves nothing to fill.
    EXPECT_EQ(bollinger({1, 2, 3, 4, 5}, 5, 2, 1).field(u"BollingerBandsTop"), std::vector<double>(5, 0.0));
}

TEST(BollingerBands, ChecksKindThenPeriodsThenDeviations) {
    const std::string source = "Bands.BollingerBands";
    const ExpectedError kind = bandError(1100, source, "Invalid Moving Average Type");
    const ExpectedError periods = bandError(1101, source, "Invalid Periods");
    const ExpectedError deviations = bandError(1102, source, "Invalid Standard Deviations");
    const struct {
        int maType, periods, deviations;
        ExpectedError expected;
    } cases[] = {
        {0, 0, -1, kind},    {8, 3, 2, kind},        {1, 0, -1, periods},     {7, 6, 101, periods},
        {1, -3, 2, periods}, {1, 5, -1, deviations}, {2, 3, 101, deviations},
    };
    for (const auto& c : cases) {
        const IndicatorRun run = bollinger({1, 2, 3, 4, 5}, c.periods, c.deviations, c.maType);
        EXPECT_TRUE(failedWith(run.status, c.expected))
            << c.maType << " " << c.periods << " " << c.deviations;
        EXPECT_EQ(run.result.get(), nullptr);
    }
    EXPECT_EQ(bollinger({1, 2, 3, 4, 5}, 5, 100, 1).status, com::S_OK);
}

TEST(BollingerBands, FailingAverageIsReportedAsAverageError) {
    const ExpectedError maError =
        bandError(1104, "Bands.BollingerBands.MAError", "Error calculating moving average");
    // The regression under the VIDYA average cannot take 182 records.
    EXPECT_TRUE(failedWith(bollinger(wandering(200), 182, 2, 7).status, maError));
    // A source shorter than the records.
    const com::ComPtr<_Database> database = makeDatabase({1, 2, 3, 4, 5});
    com::ComPtr<_RecordSet> result;
    EXPECT_TRUE(failedWith(com::makeComObject<Bands>()->BollingerBands(
                               database.get(), makeField({1, 2, 3}, u"Short").get(), 2, 2, 1, result.put()),
                           maError));
}

TEST(MovingAverageEnvelope, ShiftIsAFractionOfTheAverage) {
    const IndicatorRun run = envelope({10, 20, 30, 40}, 1, 1, 0.1);
    EXPECT_EQ(run.names(), (std::vector<std::u16string>{u"EnvelopeTop", u"EnvelopeBottom"}));
    expectValues(run.field(u"EnvelopeTop"), {0, 22, 33, 44});
    expectValues(run.field(u"EnvelopeBottom"), {0, 18, 27, 36});
    EXPECT_EQ(position(run.database.get()), 1);

    const IndicatorRun none = envelope({10, 20, 30, 40}, 1, 1, 0);
    expectValues(none.field(u"EnvelopeTop"), {0, 20, 30, 40});
    expectValues(none.field(u"EnvelopeBottom"), {0, 20, 30, 40});
}

TEST(MovingAverageEnvelope, ChecksKindThenPeriodsThenShift) {
    const std::string source = "Bands.MovingAverageEnvelope";
    const ExpectedError kind = bandError(1100, source, "Invalid Moving Average Type");
    const ExpectedError periods = bandError(1101, source, "Invalid Periods");
    const ExpectedError shift = bandError(1102, source, "Invalid Shift");
    const struct {
        int maType, periods;
        double shift;
        ExpectedError expected;
    } cases[] = {
        {0, 0, 200, kind},    {1, 0, 200, periods}, {1, 5, 0.1, periods},
        {1, 2, 100.5, shift}, {1, 2, -0.1, shift},  {1, 2, std::numeric_limits<double>::quiet_NaN(), shift},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(failedWith(envelope({10, 20, 30, 40}, c.periods, c.maType, c.shift).status, c.expected))
            << c.maType << " " << c.periods << " " << c.shift;
    EXPECT_EQ(envelope({10, 20, 30, 40}, 2, 1, 100).status, com::S_OK);
}

TEST(HighLowBands, VidyaOfHighsLowsAndCloses) {
    // The median averages the closes over 9 / 2 = 4.5, rounded to the even 4.
    const IndicatorRun run = highLow(wandering(30), 9);
    EXPECT_EQ(run.names(), (std::vector<std::u16string>{u"HighLowBandsTop", u"HighLowBandsMedian",
                                                        u"HighLowBandsBottom"}));
    _Database* data = run.database.get();
    EXPECT_EQ(run.field(u"HighLowBandsTop"), vidya(data, u"High", 9, 0.8));
    EXPECT_EQ(run.field(u"HighLowBandsBottom"), vidya(data, u"Low", 9, 0.8));
    EXPECT_EQ(run.field(u"HighLowBandsMedian"), vidya(data, u"Close", 4, 0.8));
    EXPECT_NE(run.field(u"HighLowBandsMedian"), vidya(data, u"Close", 5, 0.8));
    EXPECT_NE(run.field(u"HighLowBandsTop"), vidya(data, u"High", 9, 0.65));
    EXPECT_EQ(position(data), 1);

    // 11 / 2 = 5.5 rounds to 6.
    const IndicatorRun eleven = highLow(wandering(30), 11);
    EXPECT_EQ(eleven.field(u"HighLowBandsMedian"), vidya(eleven.database.get(), u"Close", 6, 0.8));
}

TEST(HighLowBands, PeriodsFromSixToTheRecordCount) {
    const ExpectedError invalid = bandError(1102, "Bands.HighLowBands", "Invalid Periods");
    EXPECT_TRUE(failedWith(highLow(wandering(30), 5).status, invalid));
    EXPECT_TRUE(failedWith(highLow(wandering(30), 31).status, invalid));
    EXPECT_EQ(highLow(wandering(30), 6).status, com::S_OK);
    EXPECT_EQ(highLow(wandering(30), 30).status, com::S_OK);
    EXPECT_TRUE(
        failedWith(highLow(wandering(200), 182).status,
                   bandError(1104, "Bands.HighLowBands.MAError", "Error calculating moving average")));
}

IndicatorRun keltner(const std::vector<double>& closes, int periods, double factor) {
    std::vector<double> highs;
    std::vector<double> lows;
    for (std::size_t i = 0; i < closes.size(); ++i) {
        highs.push_back(closes[i] + 1 + static_cast<double>(i % 3));
        lows.push_back(closes[i] - 1);
    }
    IndicatorRun run;
    run.database = makeDatabase(closes, highs, lows);
    com::ComPtr<_RecordSet> prices;
    run.database->getRecordset(prices.put());
    run.status = com::makeComObject<Bands>()->Keltner(run.database.get(), prices.get(), s(periods), factor,
                                                      run.result.put());
    return run;
}

TEST(Keltner, MedianPlusAndMinusTheAverageTrueRangeFromPeriods) {
    const IndicatorRun run = keltner(wandering(12), 4, 2);
    EXPECT_EQ(run.names(),
              (std::vector<std::u16string>{u"Keltner Median", u"Keltner Top", u"Keltner Bottom"}));
    _Database* data = run.database.get();
    const std::vector<double> median = vidya(data, u"Close", 4, 0.65);
    com::ComPtr<_RecordSet> prices;
    data->getRecordset(prices.put());
    com::ComPtr<_RecordSet> ranges;
    com::Bstr alias(u"R");
    ASSERT_EQ(com::makeComObject<Oscillator>()->AverageTrueRange(data, prices.get(), 4, &alias, ranges.put()),
              com::S_OK);
    const std::vector<double> range = valuesOf(fieldOf(ranges.get(), u"R").get());

    EXPECT_EQ(run.field(u"Keltner Median"), median);
    const std::vector<double> top = run.field(u"Keltner Top");
    const std::vector<double> bottom = run.field(u"Keltner Bottom");
    ASSERT_EQ(top.size(), 12u);
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(top[p - 1], 0) << "record " << p;
        EXPECT_EQ(bottom[p - 1], 0) << "record " << p;
    }
    // Record 4, one before the true-range average starts, is the median itself.
    EXPECT_NE(median[3], 0);
    EXPECT_DOUBLE_EQ(top[3], median[3]);
    for (int p = 5; p <= 12; ++p) {
        EXPECT_DOUBLE_EQ(top[p - 1], median[p - 1] + 2 * range[p - 1]) << "record " << p;
        EXPECT_DOUBLE_EQ(bottom[p - 1], median[p - 1] - 2 * range[p - 1]) << "record " << p;
    }
}

TEST(Keltner, EveryFailureIsUnexpected) {
    const ExpectedError unexpected =
        bandError(1105, "Bands.Keltner.UnexpectedError", "An unexpected error has occured");
    EXPECT_TRUE(failedWith(keltner(wandering(12), 0, 2).status, unexpected));
    EXPECT_TRUE(failedWith(keltner(wandering(12), 13, 2).status, unexpected));
    EXPECT_TRUE(failedWith(keltner(wandering(200), 182, 2).status, unexpected));
    // A factor that makes the bands infinite is refused rather than stored.
    EXPECT_TRUE(
        failedWith(keltner(wandering(12), 4, std::numeric_limits<double>::infinity()).status, unexpected));
}

}  // namespace
}  // namespace indikon::test
