#include <algorithm>
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

// An independent model of the VIDYA average: record i (from 2 on) blends the values of records i - 1
// and i by k = R-squared * scale, where R-squared is that of the least-squares line through the
// `periods` values ending at i (centred sums), 0 before the first full window and carried over a
// window without one (a flat window).
std::vector<double> modelVidya(const std::vector<double>& values, int periods, double scale) {
    const std::size_t n = values.size();
    std::vector<double> result(n, 0.0);
    double rSquared = 0;
    for (std::size_t i = 1; i < n; ++i) {
        if (i + 1 >= static_cast<std::size_t>(periods)) {
            double meanX = 0;
            double meanY = 0;
            for (int x = 1; x <= periods; ++x) {
                meanX += x;
                meanY += values[i + 1 - static_cast<std::size_t>(periods) + static_cast<std::size_t>(x) - 1];
            }
            meanX /= periods;
            meanY /= periods;
            double sxy = 0;
            double sxx = 0;
            double syy = 0;
            for (int x = 1; x <= periods; ++x) {
                const double y =
                    values[i + 1 - static_cast<std::size_t>(periods) + static_cast<std::size_t>(x) - 1];
                sxy += (x - meanX) * (y - meanY);
                sxx += (x - meanX) * (x - meanX);
                syy += (y - meanY) * (y - meanY);
            }
            if (sxy != 0 && syy != 0)
                rSquared = sxy * sxy / (sxx * syy);
        }
        const double k = rSquared * scale;
        result[i] = (1 - k) * values[i - 1] + k * values[i];
    }
    return result;
}

// An independent model of the average true range: the greatest of high - low and the distances of
// the previous close from the high and the low, from record 2 on, averaged over `periods` records
// from record periods + 1 on.
std::vector<double> modelAverageTrueRange(const std::vector<double>& highs, const std::vector<double>& lows,
                                          const std::vector<double>& closes, int periods) {
    const std::size_t n = closes.size();
    std::vector<double> range(n, 0.0);
    for (std::size_t i = 1; i < n; ++i)
        range[i] = std::max(
            {highs[i] - lows[i], std::abs(highs[i] - closes[i - 1]), std::abs(closes[i - 1] - lows[i])});
    std::vector<double> average(n, 0.0);
    for (std::size_t i = static_cast<std::size_t>(periods); i < n; ++i) {
        double sum = 0;
        for (std::size_t j = i + 1 - static_cast<std::size_t>(periods); j <= i; ++j)
            sum += range[j];
        average[i] = sum / periods;
    }
    return average;
}

double largestDifference(const std::vector<double>& a, const std::vector<double>& b) {
    double largest = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
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
    const std::vector<double> closes = wandering(30);
    const std::vector<double> highs = valuesOf(fieldOf(run.database.get(), u"High").get());
    const std::vector<double> lows = valuesOf(fieldOf(run.database.get(), u"Low").get());
    expectValues(run.field(u"HighLowBandsTop"), modelVidya(highs, 9, 0.8));
    expectValues(run.field(u"HighLowBandsBottom"), modelVidya(lows, 9, 0.8));
    expectValues(run.field(u"HighLowBandsMedian"), modelVidya(closes, 4, 0.8));
    EXPECT_GT(largestDifference(run.field(u"HighLowBandsMedian"), modelVidya(closes, 5, 0.8)), 1e-3);
    EXPECT_GT(largestDifference(run.field(u"HighLowBandsTop"), modelVidya(highs, 9, 0.65)), 1e-3);
    EXPECT_EQ(position(run.database.get()), 1);
    // Records 1 and 2 of the top band by hand: 0, then the high of record 1 (no full window yet).
    EXPECT_EQ(run.field(u"HighLowBandsTop")[0], 0);
    EXPECT_EQ(run.field(u"HighLowBandsTop")[1], 51.5 + 1);

    // 11 / 2 = 5.5 rounds to 6.
    const IndicatorRun eleven = highLow(closes, 11);
    expectValues(eleven.field(u"HighLowBandsMedian"), modelVidya(closes, 6, 0.8));
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
    const std::vector<double> closes = wandering(12);
    const std::vector<double> median = modelVidya(closes, 4, 0.65);
    const std::vector<double> range =
        modelAverageTrueRange(valuesOf(fieldOf(run.database.get(), u"High").get()),
                              valuesOf(fieldOf(run.database.get(), u"Low").get()), closes, 4);

    expectValues(run.field(u"Keltner Median"), median);
    const std::vector<double> top = run.field(u"Keltner Top");
    const std::vector<double> bottom = run.field(u"Keltner Bottom");
    ASSERT_EQ(top.size(), 12u);
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(top[p - 1], 0) << "record " << p;
        EXPECT_EQ(bottom[p - 1], 0) << "record " << p;
    }
    // Record 4, one before the true-range average starts, is the median itself.
    EXPECT_NE(median[3], 0);
    EXPECT_NEAR(top[3], median[3], 1e-9);
    for (int p = 5; p <= 12; ++p) {
        EXPECT_NEAR(top[p - 1], median[p - 1] + 2 * range[p - 1], 1e-9) << "record " << p;
        EXPECT_NEAR(bottom[p - 1], median[p - 1] - 2 * range[p - 1], 1e-9) << "record " << p;
    }
    // Record 5 by hand: closes 51.5, 55, 60.5, 55, 64.5 with highs 1, 2, 3, 1, 2 above and lows 1 below
    // give true ranges 5.5, 8.5, 6.5 and 11.5 for records 2..5 (gaps from the previous close), so
    // the average true range is 8 and the top band lies 16 above the median.
    EXPECT_EQ(range[4], 8);
    EXPECT_NEAR(top[4], median[4] + 16, 1e-9);
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
