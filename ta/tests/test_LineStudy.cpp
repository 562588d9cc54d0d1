#include <functional>

#include "PriceSet.h"
#include "indicators/LineStudy.h"

namespace indikon::test {
namespace {

// Records 2..6 range from the low 7 at record 4 to the high 15 at record 3; records 4..7 from the low
// 7 at record 4 to the high 16 at record 7, which is also the high of records 1..8.
const std::vector<double> kHighs{10, 12, 15, 14, 13, 11, 16, 12};
const std::vector<double> kLows{8, 9, 12, 7, 10, 9, 13, 11};

struct LineStudyRun {
    com::HRESULT status = com::E_FAIL;
    com::ComPtr<_RecordSet> result;
    com::SHORT position = 0;
};

using RangeCall =
    std::function<com::HRESULT(_LineStudy&, _Database*, _RecordSet*, com::SHORT, com::SHORT, _RecordSet**)>;

LineStudyRun callRange(const RangeCall& method, com::SHORT start, com::SHORT end) {
    const com::ComPtr<_Database> database = makeDatabase(kHighs, kHighs, kLows);
    com::ComPtr<_RecordSet> prices;
    database->getRecordset(prices.put());
    database->setPosition(5);
    LineStudyRun outcome;
    outcome.status = method(*com::makeComObject<LineStudy>(), database.get(), prices.get(), start, end,
                            outcome.result.put());
    outcome.position = position(database.get());
    return outcome;
}

const RangeCall kQuadrant = [](_LineStudy& s, _Database* d, _RecordSet* p, com::SHORT a, com::SHORT b,
                               _RecordSet** r) { return s.QuadrantLines(d, p, a, b, r); };
const RangeCall kTirone = [](_LineStudy& s, _Database* d, _RecordSet* p, com::SHORT a, com::SHORT b,
                             _RecordSet** r) { return s.TironeLevel(d, p, a, b, r); };
const RangeCall kSpeed = [](_LineStudy& s, _Database* d, _RecordSet* p, com::SHORT a, com::SHORT b,
                            _RecordSet** r) { return s.SpeedResistanceLines(d, p, &a, &b, r); };

// `value` at positions first..last of n, 0 elsewhere.
std::vector<double> within(int n, int first, int last, const std::function<double(int)>& value) {
    std::vector<double> values(static_cast<std::size_t>(n), 0.0);
    for (int i = first; i <= last; ++i)
        values[static_cast<std::size_t>(i - 1)] = value(i);
    return values;
}

std::vector<double> constantWithin(int first, int last, double value) {
    return within(8, first, last, [=](int) { return value; });
}

void expectFields(_RecordSet* result,
                  const std::vector<std::pair<std::u16string, std::vector<double>>>& fields) {
    ASSERT_EQ(fieldCount(result), static_cast<com::SHORT>(fields.size()));
    for (std::size_t k = 0; k < fields.size(); ++k) {
        com::Bstr name;
        result->getName(static_cast<com::SHORT>(k + 1), &name);
        EXPECT_EQ(name.view(), fields[k].first);
        SCOPED_TRACE(name.toUtf8());
        expectValues(valuesOf(fieldOf(result, fields[k].first).get()), fields[k].second);
    }
}

TEST(LineStudy, QuadrantLinesAndTironeLevelsFillTheirRangeOnly) {
    const LineStudyRun quadrant = callRange(kQuadrant, 2, 6);
    ASSERT_EQ(quadrant.status, com::S_OK);
    expectFields(quadrant.result.get(), {{u"QuadrantLines1", constantWithin(2, 6, 15)},
                                         {u"QuadrantLines2", constantWithin(2, 6, 13)},
                                         {u"QuadrantLines3", constantWithin(2, 6, 9)},
                                         {u"QuadrantLines4", constantWithin(2, 6, 7)}});
    EXPECT_EQ(quadrant.position, 1);

    const LineStudyRun tirone = callRange(kTirone, 2, 6);
    ASSERT_EQ(tirone.status, com::S_OK);
    expectFields(tirone.result.get(), {{u"TironeTop", constantWithin(2, 6, 15 - 8.0 / 3)},
                                       {u"TironeMedian", constantWithin(2, 6, 11)},
                                       {u"TironeBottom", constantWithin(2, 6, 7 + 8.0 / 3)}});
    EXPECT_EQ(tirone.position, 1);
}

TEST(LineStudy, RangesMayStartAtTheFirstRecord) {
    const LineStudyRun quadrant = callRange(kQuadrant, 1, 8);
    ASSERT_EQ(quadrant.status, com::S_OK);
    expectValues(valuesOf(fieldOf(quadrant.result.get(), u"QuadrantLines1").get()), constantWithin(1, 8, 16));
    const LineStudyRun tirone = callRange(kTirone, 1, 3);
    ASSERT_EQ(tirone.status, com::S_OK);
    expectValues(valuesOf(fieldOf(tirone.result.get(), u"TironeMedian").get()), constantWithin(1, 3, 11.5));
    EXPECT_EQ(callRange(kSpeed, 1, 8).status, com::S_OK);
}

TEST(LineStudy, RangesAreCheckedEndFirst) {
    const struct {
        const char* source;
        RangeCall method;
    } methods[] = {{"QuadrantLines", kQuadrant}, {"TironeLevel", kTirone}, {"SpeedResistanceLines", kSpeed}};
    const struct {
        com::SHORT start, end;
        const char* description;
    } ranges[] = {{1, 9, "Invalid end period"},
                  {0, 9, "Invalid end period"},
                  {0, 8, "Invalid start period"},
                  {-3, 4, "Invalid start period"}};
    for (const auto& m : methods) {
        for (const auto& r : ranges) {
            SCOPED_TRACE(std::string(m.source) + " " + std::to_string(r.start) + ".." +
                         std::to_string(r.end));
            const LineStudyRun outcome = callRange(m.method, r.start, r.end);
            EXPECT_TRUE(failedWith(outcome.status, {1010, m.source, r.description}));
            EXPECT_EQ(outcome.result, nullptr);
        }
    }
}

TEST(LineStudy, AStartAfterTheEndIsAnUnexpectedError) {
    const struct {
        const char* source;
        RangeCall method;
    } methods[] = {{"LineStuday.QuadrantLines.UnexpectedError", kQuadrant},
                   {"LineStudy.TironeLevel.UnexpectedError", kTirone},
                   {"LineStudy.SpeedResistanceLines.UnexpectedError", kSpeed}};
    for (const auto& m : methods) {
        SCOPED_TRACE(m.source);
        const LineStudyRun outcome = callRange(m.method, 5, 3);
        EXPECT_TRUE(failedWith(outcome.status, {1105, m.source, kUnexpected}));
        EXPECT_EQ(outcome.result, nullptr);
    }
}

struct SpeedOutcome : LineStudyRun {
    com::SHORT start = 0;
    com::SHORT end = 0;
};

SpeedOutcome speedLines(com::SHORT start, com::SHORT end) {
    SpeedOutcome outcome;
    outcome.start = start;
    outcome.end = end;
    static_cast<LineStudyRun&>(outcome) = callRange(
        [&](_LineStudy& s, _Database* d, _RecordSet* p, com::SHORT, com::SHORT, _RecordSet** r) {
            return s.SpeedResistanceLines(d, p, &outcome.start, &outcome.end, r);
        },
        start, end);
    return outcome;
}

TEST(LineStudy, SpeedResistanceLinesRunFromTheLowToTheHigh) {
    // Low 7 at record 4, high 16 at record 7: targets 10, 13 and 16 reached at record 7.
    const SpeedOutcome outcome = speedLines(4, 7);
    ASSERT_EQ(outcome.status, com::S_OK);
    expectFields(outcome.result.get(),
                 {{u"SpeedResistanceLineTop", within(8, 4, 7, [](int i) { return 7.0 + (i - 4); })},
                  {u"SpeedResistanceLineMedian", within(8, 4, 7, [](int i) { return 7.0 + 2 * (i - 4); })},
                  {u"SpeedResistanceLineBottom", within(8, 4, 7, [](int i) { return 7.0 + 3 * (i - 4); })}});
    EXPECT_EQ(outcome.start, 4);
    EXPECT_EQ(outcome.end, 7);
    EXPECT_EQ(outcome.position, 1);

    // The whole series: the same extremes, so the same lines, and the positions written back.
    const SpeedOutcome whole = speedLines(1, 8);
    ASSERT_EQ(whole.status, com::S_OK);
    EXPECT_EQ(whole.start, 4);
    EXPECT_EQ(whole.end, 7);
    expectValues(valuesOf(fieldOf(whole.result.get(), u"SpeedResistanceLineBottom").get()),
                 {0, 0, 0, 7, 10, 13, 16, 0});
}

TEST(LineStudy, SpeedResistanceLinesWithTheHighFirstDrawNothing) {
    const SpeedOutcome outcome = speedLines(2, 6);
    ASSERT_EQ(outcome.status, com::S_OK);
    expectFields(outcome.result.get(), {{u"SpeedResistanceLineTop", std::vector<double>(8, 0.0)},
                                        {u"SpeedResistanceLineMedian", std::vector<double>(8, 0.0)},
                                        {u"SpeedResistanceLineBottom", std::vector<double>(8, 0.0)}});
    EXPECT_EQ(outcome.start, 4);
    EXPECT_EQ(outcome.end, 3);

    // The high and the low on one record leave no run for a slope.
    const SpeedOutcome single = speedLines(7, 7);
    EXPECT_TRUE(
        failedWith(single.status, {1105, "LineStudy.SpeedResistanceLines.UnexpectedError", kUnexpected}));
    EXPECT_EQ(single.result, nullptr);
}

// ---- Fibonacci time marks and trend-line penetration

LineStudyRun fibonacci(int records, com::SHORT start, com::SHORT end, com::Bstr* alias) {
    const com::ComPtr<_Field> source =
        makeField(std::vector<double>(static_cast<std::size_t>(records), 1.0), u"S");
    LineStudyRun outcome;
    outcome.status =
        com::makeComObject<LineStudy>()->Fibonacci(source.get(), start, end, alias, outcome.result.put());
    return outcome;
}

TEST(LineStudy, FibonacciMarks) {
    const struct {
        com::SHORT start, end;
        std::vector<double> expected;
    } cases[] = {
        {3, 3, std::vector<double>(20, 0.0)},
        {3, 4, within(20, 3, 3, [](int) { return 1.0; })},
        // Offsets 0, 2 and 4.
        {3, 8, {0, 0, 1, 0, 2, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        // Offsets 0, 2, 4, 7, 11 and 17; the next, 21 at offset 27, lies past the end.
        {1, 20, {1, 0, 2, 0, 3, 0, 0, 5, 0, 0, 0, 8, 0, 0, 0, 0, 0, 13, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + ".." + std::to_string(c.end));
        com::Bstr alias(u"");
        const LineStudyRun outcome = fibonacci(20, c.start, c.end, &alias);
        ASSERT_EQ(outcome.status, com::S_OK);
        EXPECT_EQ(alias.view(), u"Fibonacci");
        expectValues(onlyFieldOf(outcome.result.get()), c.expected);
    }
    // A mark past the last record of the field.
    com::Bstr alias(u"Fib");
    EXPECT_TRUE(failedWith(fibonacci(5, 1, 10, &alias).status,
                           {1105, "LineStudy.Fibonacci.UnexpectedError", kUnexpected}));
}

const std::vector<double> kCrossing{5, 6, 7, 8, 7, 6, 5, 9.5, 7, 8};

LineStudyRun penetration(com::SHORT start, double startValue, com::SHORT end, double endValue,
                         com::Bstr* alias) {
    const com::ComPtr<_Field> source = makeField(kCrossing, u"Close");
    LineStudyRun outcome;
    outcome.status = com::makeComObject<LineStudy>()->TrendLinePenetration(
        source.get(), start, startValue, end, endValue, alias, outcome.result.put());
    return outcome;
}

TEST(LineStudy, TrendLinePenetration) {
    // Slope 0.5 from the source's own 6 at record 2 (the start value 0 is not used): the price falls
    // through the line at record 5 and rises through it at record 8; at record 3 it started on the line.
    com::Bstr alias(u"");
    const LineStudyRun outcome = penetration(2, 0, 8, 3, &alias);
    ASSERT_EQ(outcome.status, com::S_OK);
    EXPECT_EQ(alias.view(), u"TrendLinePenetration");
    expectFields(outcome.result.get(), {{u"Trend", {0, 6, 6.5, 7, 7.5, 8, 8.5, 9, 0, 0}},
                                        {u"TrendLinePenetration", {0, 0, 0, 0, -1, 0, 0, 1, 0, 0}}});
}

TEST(LineStudy, TrendLinePenetrationNeedsFiveRecordsWithinTheSource) {
    const struct {
        const char* name;
        com::SHORT start, end;
    } cases[] = {{"a span of 4", 2, 6},
                 {"an end past the source", 5, 11},
                 {"an end before the start", 8, 2},
                 {"a start before the first record", 0, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        com::Bstr alias(u"T");
        const LineStudyRun outcome = penetration(c.start, 1, c.end, 2, &alias);
        EXPECT_TRUE(failedWith(outcome.status,
                               {1105, "LineStudy.TrendLinePenetration.UnexpectedError", kUnexpected}));
        EXPECT_EQ(outcome.result, nullptr);
    }
    com::Bstr alias(u"T");
    EXPECT_EQ(penetration(5, 1, 10, 2, &alias).status, com::S_OK);
}

}  // namespace
}  // namespace indikon::test
