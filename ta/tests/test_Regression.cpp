#include <limits>
#include <vector>

#include "PriceSet.h"
#include "indicators/Cycle.h"
#include "indicators/LinearRegression.h"
#include "indicators/kernels/Window.h"

namespace indikon::test {
namespace {

struct Fit {
    std::vector<double> slope;
    std::vector<double> intercept;
    std::vector<double> forecast;
    std::vector<double> rSquared;
};

com::HRESULT regress(const std::vector<double>& values, int periods, com::ComPtr<_RecordSet>& result,
                     com::ComPtr<_Database>* keep = nullptr) {
    com::ComPtr<_Database> database = makeDatabase(values);
    const com::HRESULT status = com::makeComObject<LinearRegression>()->Regression(
        database.get(), fieldOf(database.get(), u"Close").get(), static_cast<com::SHORT>(periods),
        result.put());
    if (keep)
        *keep = database;
    return status;
}

Fit fit(const std::vector<double>& values, int periods) {
    com::ComPtr<_RecordSet> result;
    com::ComPtr<_Database> database;
    EXPECT_EQ(regress(values, periods, result, &database), com::S_OK);
    if (!result)
        return {};
    EXPECT_EQ(position(database.get()), 1);
    return {valuesOf(fieldOf(result.get(), u"Slope").get()),
            valuesOf(fieldOf(result.get(), u"Intercept").get()),
            valuesOf(fieldOf(result.get(), u"Forecast").get()),
            valuesOf(fieldOf(result.get(), u"RSquared").get())};
}

TEST(Regression, FieldsInOrderAndStraightLine) {
    com::ComPtr<_RecordSet> result;
    ASSERT_EQ(regress({1, 2, 3, 4, 5}, 3, result), com::S_OK);
    ASSERT_EQ(fieldCount(result.get()), 4);
    const char16_t* names[] = {u"Slope", u"Intercept", u"Forecast", u"RSquared"};
    for (com::SHORT i = 1; i <= 4; ++i) {
        com::Bstr name;
        result->getName(i, &name);
        EXPECT_EQ(name.view(), names[i - 1]);
    }
    // Window 1, 2, 3: slope 1, intercept 2 - 2 * 1 = 0 about x = 2, forecast 3.
    const Fit line = fit({1, 2, 3, 4, 5}, 3);
    expectNear(line.slope, {0, 0, 1, 1, 1});
    expectNear(line.intercept, {0, 0, 0, 1, 2});
    expectNear(line.forecast, {0, 0, 3, 4, 5});
    expectNear(line.rSquared, {0, 0, 1, 1, 1});
}

TEST(Regression, InterceptIsTakenAboutTheMiddleRoundedHalvesToEven) {
    // y = 2x over five records: middle 2.5 rounds to 2, so the intercept is 6 - 2 * 2 = 2 and the
    // forecast 5 * 2 + 2 = 12 (rounding 2.5 up would give 0 and 10).
    const Fit five = fit({2, 4, 6, 8, 10}, 5);
    EXPECT_NEAR(five.intercept[4], 2, 1e-12);
    EXPECT_NEAR(five.forecast[4], 12, 1e-12);
    // Seven records: 3.5 rounds to 4, intercept 4 - 4 = 0. Three records: 1.5 rounds to 2.
    EXPECT_NEAR(fit({1, 2, 3, 4, 5, 6, 7}, 7).intercept[6], 0, 1e-12);
    EXPECT_NEAR(fit({1, 3, 2}, 3).intercept[2], 1, 1e-12);
}

TEST(Regression, HandComputedWindowsAndFlatRepeat) {
    // 1, 3, 2: Sxy = 1, Sxx = 2, Syy = 2: slope 0.5, intercept 2 - 2 * 0.5 = 1, forecast 2.5, R2 0.25.
    const Fit bent = fit({1, 3, 2}, 3);
    EXPECT_NEAR(bent.slope[2], 0.5, 1e-12);
    EXPECT_NEAR(bent.forecast[2], 2.5, 1e-12);
    EXPECT_NEAR(bent.rSquared[2], 0.25, 1e-12);
    // Windows 2,3,7 (R2 25/28) and 3,7,7 (Sxy 4, Syy 32/3: R2 0.75); the flat 7,7,7 repeats 0.75 and
    // lies on the level line.
    const Fit flat = fit({1, 2, 3, 7, 7, 7}, 3);
    expectNear(flat.rSquared, {0, 0, 1, 25.0 / 28, 0.75, 0.75});
    EXPECT_NEAR(flat.slope[5], 0, 1e-12);
    EXPECT_NEAR(flat.intercept[5], 7, 1e-12);
    EXPECT_NEAR(flat.forecast[5], 7, 1e-12);
}

TEST(Regression, PeriodsTheDataCannotFitFail) {
    const ExpectedError unexpected{1105, "LinearRegression.UnexpectedError",
                                   "An unexpected error has occured"};
    com::ComPtr<_RecordSet> result;
    for (int periods : {1, 0, -2})
        EXPECT_TRUE(failedWith(regress({1, 2, 3, 4}, periods, result), unexpected)) << periods;
    // x * x is an Integer product: 182 * 182 overflows, 181 * 181 does not.
    std::vector<double> many(182);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i] = double(i % 5);
    EXPECT_TRUE(failedWith(regress(many, 182, result), unexpected));
    EXPECT_EQ(regress(many, 181, result), com::S_OK);
}

TEST(Regression, PeriodsBeyondTheRecordsComputeNothing) {
    for (int periods : {4, 5, 30}) {
        const Fit none = fit({1, 2, 3}, periods);
        expectNear(none.forecast, {0, 0, 0});
        expectNear(none.rSquared, {0, 0, 0});
    }
}

TEST(TimeSeriesForecast, ForecastAloneUnderTheAlias) {
    com::ComPtr<_Database> database = makeDatabase({1, 2, 3, 4, 5});
    com::ComPtr<_RecordSet> result;
    com::Bstr alias(u"");
    const com::ComPtr<LinearRegression> regression = com::makeComObject<LinearRegression>();
    ASSERT_EQ(regression->TimeSeriesForecast(database.get(), fieldOf(database.get(), u"Close").get(), 3,
                                             &alias, result.put()),
              com::S_OK);
    EXPECT_EQ(alias.view(), u"TimeSeriesForecast");
    ASSERT_EQ(fieldCount(result.get()), 1);
    expectNear(valuesOf(fieldOf(result.get(), u"TimeSeriesForecast").get()), {0, 0, 3, 4, 5});
    EXPECT_EQ(position(database.get()), 1);

    EXPECT_TRUE(failedWith(
        regression->TimeSeriesForecast(database.get(), fieldOf(database.get(), u"Close").get(), 1, &alias,
                                       result.put()),
        {1105, "LinearRegression.TimeSeriesForecast.UnexpectedError", "An unexpected error has occured"}));
}

TEST(CycleAnalyze, MeanDistanceRoundedHalvesToEven) {
    const struct {
        std::vector<double> values;
        com::SHORT expected;
    } cases[] = {
        {{1, 2, 3, 4, 5, 6}, 0},  // no falling neighbours
        {{5, 4, 3, 3.5, 2}, 0},   // one return of 1 over three points
        {{1, 3, 1, 1, 1, 2}, 0},  // 2 / 4 = 0.5, down to the even 0
        {{3, 3, 1, 0, 0, 2}, 2},  // 3 + 2 + 0 + 1 (previous exactly 0, no return) = 6; 1.5 up to 2
        {{7}, 0},                 // fewer than two records
    };
    for (const auto& c : cases) {
        com::SHORT length = -1;
        EXPECT_EQ(com::makeComObject<Cycle>()->Analyze(makeField(c.values, u"S").get(), &length), com::S_OK);
        EXPECT_EQ(length, c.expected) << ::testing::PrintToString(c.values);
    }
}

TEST(CycleAnalyze, LongSeriesTotalsBeyondSixteenBits) {
    // 300 zeros: each i adds n - i, so the total is 298 + 297 + ... + 1 = 44,551 (beyond a 16-bit
    // total) and the mean 44,551 / 298 = 149.5 rounds to even: 150.
    com::SHORT length = -1;
    EXPECT_EQ(com::makeComObject<Cycle>()->Analyze(makeField(std::vector<double>(300), u"S").get(), &length),
              com::S_OK);
    EXPECT_EQ(length, 150);
    // 255 zeros: 253 * 254 / 2 = 32,131; the mean 32131 / 253 = 127.
    EXPECT_EQ(com::makeComObject<Cycle>()->Analyze(makeField(std::vector<double>(255), u"S").get(), &length),
              com::S_OK);
    EXPECT_EQ(length, 127);
}

TEST(CycleAnalyze, TheSearchFindsTheFirstValueStrictlyBetweenAtAnyPlace) {
    // The search tests blocks of values at a time: a match at every place of series up to 20 long,
    // behind values on the bounds themselves (not strictly between) and NaN, and before a second match.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> fillers{5, 10, 20, 25, nan};
    for (std::size_t length = 0; length <= 20; ++length) {
        for (std::size_t match = 0; match <= length; ++match) {
            std::vector<double> values;
            for (std::size_t i = 0; i < length; ++i)
                values.push_back(i == match ? 15 : fillers[i % fillers.size()]);
            if (match + 3 < length)
                values[match + 3] = 11;
            const std::size_t expected = match < length ? match : length;
            EXPECT_EQ(kernels::firstStrictlyBetween(values, 10, 20), expected) << length << " " << match;
        }
    }
    EXPECT_EQ(kernels::firstStrictlyBetween({}, 0, 1), 0u);
}

TEST(CycleAnalyze, TwoRecordsDivideZeroByZero) {
    com::SHORT length = -1;
    EXPECT_TRUE(failedWith(com::makeComObject<Cycle>()->Analyze(makeField({1, 2}, u"S").get(), &length),
                           {1105, "Cycle.Analyze.UnexpectedError", "An unexpected error has occured"}));
    EXPECT_EQ(length, 0);
}

}  // namespace
}  // namespace indikon::test
