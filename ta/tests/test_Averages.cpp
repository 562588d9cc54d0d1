#include "TestSupport.h"
#include "indicators/Averages.h"
#include "indicators/MovingAverage.h"

namespace indikon::test {
namespace {

using AverageMethod = com::HRESULT (_MovingAverage::*)(_Database*, _Field*, com::SHORT, com::Bstr*,
                                                       _RecordSet**);

struct AverageRun {
    com::HRESULT status = com::E_FAIL;
    com::ComPtr<_RecordSet> result;
    com::ComPtr<_Database> database;
    com::Bstr alias;

    std::vector<double> values() const { return valuesOf(fieldOf(result.get(), alias.text()).get()); }
};

AverageRun average(AverageMethod method, const std::vector<double>& source, int periods,
                   std::u16string alias = u"") {
    AverageRun run;
    run.database = makeDatabase(source);
    run.alias = com::Bstr(alias);
    const com::ComPtr<_MovingAverage> averages = com::makeComObject<MovingAverage>();
    run.status = (averages.get()->*method)(run.database.get(), fieldOf(run.database.get(), u"Close").get(),
                                           static_cast<com::SHORT>(periods), &run.alias, run.result.put());
    return run;
}

AverageRun vidyaOf(const std::vector<double>& source, int periods, double scale, std::u16string alias = u"") {
    AverageRun run;
    run.database = makeDatabase(source);
    run.alias = com::Bstr(alias);
    run.status = com::makeComObject<MovingAverage>()->VIDYA(
        run.database.get(), fieldOf(run.database.get(), u"Close").get(), static_cast<com::SHORT>(periods),
        scale, &run.alias, run.result.put());
    return run;
}

AverageRun wilder(const std::vector<double>& source, int periods) {
    AverageRun run;
    run.alias = com::Bstr(u"");
    run.status = com::makeComObject<MovingAverage>()->WellesWilderSmoothing(
        makeField(source, u"S").get(), static_cast<com::SHORT>(periods), &run.alias, run.result.put());
    return run;
}

void expectAverage(const AverageRun& run, const std::vector<double>& expected) {
    ASSERT_EQ(run.status, com::S_OK);
    EXPECT_EQ(fieldCount(run.result.get()), 1) << "only the average is returned";
    if (run.database) {
        EXPECT_EQ(position(run.database.get()), 1);
    }
    const std::vector<double> actual = run.values();
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-12) << "record " << i + 1;
}

TEST(MovingAverage, HandComputedSeries) {
    const std::vector<double> oneToFive{1, 2, 3, 4, 5};
    const std::vector<double> oneToEight{1, 2, 3, 4, 5, 6, 7, 8};
    const struct {
        const char* what;
        AverageMethod method;
        std::vector<double> source;
        int periods;
        std::vector<double> expected;
    } cases[] = {
        {"simple", &_MovingAverage::SimpleMovingAverage, oneToFive, 2, {0, 0, 2.5, 3.5, 4.5}},
        {"weighted",
         &_MovingAverage::WeightedMovingAverage,
         oneToFive,
         2,
         {0, 0, 8.0 / 3, 11.0 / 3, 14.0 / 3}},
        {"exponential",
         &_MovingAverage::ExponentialMovingAverage,
         {10, 10, 10, 10, 20},
         3,
         {0, 0, 0, 10, 15}},
        // Leading zeros: each exactly-zero average restarts from the source before it.
        {"exponential from zeros",
         &_MovingAverage::ExponentialMovingAverage,
         {0, 0, 0, 0, 4, 4},
         3,
         {0, 0, 0, 0, 2, 3}},
        // 4 then -4 brings the average to exactly 0; record 6 starts again from -4, not from 0.
        {"exponential restart",
         &_MovingAverage::ExponentialMovingAverage,
         {4, 4, 4, 4, -4, 6, 10},
         3,
         {0, 0, 0, 4, 0, 1, 5.5}},
        // P = 4: means of 2 (4.5, 5.5, 6.5, 7.5 from record 5), then of 3 with the zeros before.
        {"triangular even",
         &_MovingAverage::TriangularMovingAverage,
         oneToEight,
         4,
         {0, 0, 0, 0, 1.5, 10.0 / 3, 5.5, 6.5}},
        // P = 5: means of 3 (5, 6, 7 from record 6), then of 3.
        {"triangular odd",
         &_MovingAverage::TriangularMovingAverage,
         oneToEight,
         5,
         {0, 0, 0, 0, 0, 5.0 / 3, 11.0 / 3, 6}},
        {"time series", &_MovingAverage::TimeSeriesMovingAverage, oneToFive, 3, {0, 0, 3, 4, 5}},
        // Nine rising records give CMO 100 from record 10: the average jumps to the source there.
        {"variable",
         &_MovingAverage::VariableMovingAverage,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
         3,
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 11}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectAverage(average(c.method, c.source, c.periods), c.expected);
    }
}

TEST(MovingAverage, VariableIgnoresItsPeriods) {
    const std::vector<double> prices{5, 7, 6, 8, 9, 7, 10, 12, 11, 13, 12, 15, 14};
    const std::vector<double> reference = average(&_MovingAverage::VariableMovingAverage, prices, 1).values();
    EXPECT_NE(reference.back(), 0);
    for (int periods : {0, 9, 200})
        EXPECT_EQ(average(&_MovingAverage::VariableMovingAverage, prices, periods).values(), reference);
}

TEST(MovingAverage, VidyaBlendsWithThePreviousSourceValue) {
    expectAverage(vidyaOf({3, 8, 1, 6, 2}, 3, 0), {0, 3, 8, 1, 6});
    // On a straight line R-squared is 1 from record 3: scale 1 gives the source, 0.5 the midpoint.
    expectAverage(vidyaOf({1, 2, 3, 4, 5}, 3, 1), {0, 1, 3, 4, 5});
    expectAverage(vidyaOf({1, 2, 3, 4, 5}, 3, 0.5), {0, 1, 2.5, 3.5, 4.5});
}

TEST(MovingAverage, ResultNamedLikeAHelperFieldSurvives) {
    // The helper fields are removed by name; the first of a name is the helper, not the result.
    const AverageRun named = vidyaOf({1, 2, 3, 4, 5}, 3, 1, u"Slope");
    expectAverage(named, {0, 1, 3, 4, 5});
    const AverageRun cmoNamed =
        average(&_MovingAverage::VariableMovingAverage, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 3, u"CMO");
    expectAverage(cmoNamed, {0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 11});
}

TEST(MovingAverage, WilderReadsTheFieldAlone) {
    expectAverage(wilder({8, 8, 8}, 4), {0, 2, 3.5});
    EXPECT_EQ(wilder({8, 8, 8}, 4).alias.view(), u"WellesWilderSmoothing");
    EXPECT_TRUE(failedWith(
        wilder({8, 8, 8}, 0).status,
        {1105, "MovingAverage.WellesWilderSmoothing.UnexpectedError", "An unexpected error has occured"}));
}

TEST(MovingAverage, AliasIsWrittenBackOrKept) {
    const struct {
        AverageMethod method;
        const char16_t* name;
    } methods[] = {
        {&_MovingAverage::SimpleMovingAverage, u"SimpleMovingAverage"},
        {&_MovingAverage::ExponentialMovingAverage, u"ExponentialMovingAverage"},
        {&_MovingAverage::TimeSeriesMovingAverage, u"TimeSeriesMovingAverage"},
        {&_MovingAverage::VariableMovingAverage, u"VariableMovingAverage"},
        {&_MovingAverage::TriangularMovingAverage, u"TriangularMovingAverage"},
        {&_MovingAverage::WeightedMovingAverage, u"WeightedMovingAverage"},
    };
    for (const auto& m : methods) {
        EXPECT_EQ(average(m.method, {1, 2, 3, 4}, 2).alias.view(), m.name);
        const AverageRun own = average(m.method, {1, 2, 3, 4}, 2, u"Mine");
        EXPECT_EQ(own.alias.view(), u"Mine");
        EXPECT_EQ(own.values().size(), 4u);
    }
    EXPECT_EQ(vidyaOf({1, 2, 3}, 2, 0.65).alias.view(), u"VIDYA");
}

TEST(MovingAverage, PeriodsTheDataCannotHoldFail) {
    const std::vector<double> four{1, 2, 3, 4};
    const struct {
        AverageMethod method;
        const char* source;
    } windowed[] = {
        {&_MovingAverage::SimpleMovingAverage, "MovingAverage.SimpleMovingAverage.UnexpectedError"},
        {&_MovingAverage::ExponentialMovingAverage, "MovingAverage.ExponentialMovingAverage.UnexpectedError"},
        {&_MovingAverage::WeightedMovingAverage, "MovingAverage.WeightedMovingAverage.UnexpectedError"},
        {&_MovingAverage::TriangularMovingAverage, "MovingAverage.TriangularMovingAverage.UnexpectedError"},
    };
    for (const auto& m : windowed) {
        SCOPED_TRACE(m.source);
        for (int periods : {0, -1, 5})
            EXPECT_TRUE(failedWith(average(m.method, four, periods).status,
                                   {1105, m.source, "An unexpected error has occured"}))
                << periods;
        expectAverage(average(m.method, four, 4), {0, 0, 0, 0});
    }
    std::vector<double> many(200, 1.0);
    for (std::size_t i = 0; i < many.size(); i += 2)
        many[i] = 2;
    EXPECT_TRUE(failedWith(
        average(&_MovingAverage::TimeSeriesMovingAverage, many, 182).status,
        {1105, "MovingAverage.TimeSeriesMovingAverage.UnexpectedError", "An unexpected error has occured"}));
    EXPECT_TRUE(failedWith(vidyaOf(many, 182, 0.65).status,
                           {1105, "MovingAverage.VIDYA.UnexpectedError", "An unexpected error has occured"}));
}

TEST(MovingAverageKinds, EveryCodeComputesItsMethod) {
    const std::vector<double> prices{5, 7, 6, 8, 9, 7, 10, 12, 11, 13, 12, 15};
    const AverageMethod methods[] = {
        &_MovingAverage::SimpleMovingAverage,     &_MovingAverage::ExponentialMovingAverage,
        &_MovingAverage::TimeSeriesMovingAverage, &_MovingAverage::VariableMovingAverage,
        &_MovingAverage::TriangularMovingAverage, &_MovingAverage::WeightedMovingAverage,
    };
    ASSERT_EQ(movingAverageKinds().size(), 7u);
    for (int code = 1; code <= 7; ++code) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(isMovingAverageType(code));
        const com::ComPtr<_Database> database = makeDatabase(prices);
        const com::ComPtr<_RecordSet> records = movingAverageOfType(
            code, database.get(), fieldOf(database.get(), u"Close").get(), 4, com::Bstr(u"MA"));
        ASSERT_TRUE(records);
        EXPECT_EQ(fieldCount(records.get()), 1);
        const std::vector<double> byKind = valuesOf(fieldOf(records.get(), u"MA").get());
        const std::vector<double> byMethod = code == 7 ? vidyaOf(prices, 4, kVidyaScale).values()
                                                       : average(methods[code - 1], prices, 4).values();
        EXPECT_EQ(byKind, byMethod);
    }
    for (int code : {0, 8, -1})
        EXPECT_FALSE(isMovingAverageType(code)) << code;
    const com::ComPtr<_Database> database = makeDatabase(prices);
    EXPECT_FALSE(
        movingAverageOfType(8, database.get(), fieldOf(database.get(), u"Close").get(), 4, com::Bstr(u"MA")));
}

TEST(MovingAverageKinds, FailuresCarryTheMethodsOwnSource) {
    const com::ComPtr<_Database> database = makeDatabase({1, 2, 3});
    try {
        movingAverageOfType(6, database.get(), fieldOf(database.get(), u"Close").get(), 9, com::Bstr(u"MA"));
        ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), 1105);
        EXPECT_EQ(failure.source(), "MovingAverage.WeightedMovingAverage.UnexpectedError");
    }
}

}  // namespace
}  // namespace indikon::test
