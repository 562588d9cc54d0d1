#include "PriceSet.h"
#include "indicators/Index.h"

namespace indikon::test {
namespace {

// Record 2: the high's distance from the previous close is largest (R = 2 - 0.5 * 0.5 = 1.75, K = 2,
// move = 1.5 + 0.5 * 1 = 2). Record 3: the low's distance ties the range, so R stays 1.75 (K = 2.5,
// move = -2 - 0.75 + 0.25). Record 4: the range is largest (R = 2 + 0.25 * 1.5, K = 1.5,
// move = -1 - 0.5 - 0.375). Record 5: the low's distance is largest (R = 2 - 0.5 + 0.25, K = 2,
// move = -1.5 - 0.25). Limit move 4.
const std::vector<Candle> kCandles{
    {10, 11, 9, 10}, {10.5, 12, 10.5, 11.5}, {11, 11.5, 9, 9.5}, {9.5, 10, 8, 8.5}, {7, 7.5, 6.5, 7}};
const std::vector<double> kSwings{0, 50 * 2 / 1.75 * 2 / 4, 50 * -2.5 / 1.75 * 2.5 / 4,
                                  50 * -1.875 / 2.375 * 1.5 / 4, 50 * -1.75 / 1.75 * 2 / 4};

enum class Method { Swing, Accumulative };

struct SwingRun {
    explicit SwingRun(com::ComPtr<_Database> db) : database(std::move(db)) {}

    com::ComPtr<_Database> database;
    com::ComPtr<_RecordSet> result;
    com::HRESULT status = com::E_FAIL;
    com::Bstr alias{u""};
};

SwingRun run(Method method, const std::vector<Candle>& candles, double limitMove) {
    SwingRun r(makeDatabase(std::vector<double>(candles.size(), 1.0)));
    const com::ComPtr<_RecordSet> prices = makePriceSet(candles);
    const com::ComPtr<_Index> index = com::makeComObject<Index>();
    r.status = method == Method::Swing
                   ? index->SwingIndex(r.database.get(), prices.get(), limitMove, &r.alias, r.result.put())
                   : index->AccumulativeSwingIndex(r.database.get(), prices.get(), limitMove, &r.alias,
                                                   r.result.put());
    return r;
}

TEST(SwingIndex, HandComputedSeries) {
    const SwingRun r = run(Method::Swing, kCandles, 4);
    ASSERT_EQ(r.status, com::S_OK);
    expectValues(onlyFieldOf(r.result.get()), kSwings);
    EXPECT_EQ(r.alias.view(), u"SwingIndex");
    EXPECT_EQ(position(r.database.get()), 1);
}

TEST(SwingIndex, AccumulativeIsTheRunningSumFromRecordTwo) {
    const SwingRun r = run(Method::Accumulative, kCandles, 4);
    ASSERT_EQ(r.status, com::S_OK);
    std::vector<double> sums{0};
    for (std::size_t i = 1; i < kSwings.size(); ++i)
        sums.push_back(sums.back() + kSwings[i]);
    expectValues(onlyFieldOf(r.result.get()), sums);
    EXPECT_EQ(r.alias.view(), u"AccumulativeSwingIndex");
    EXPECT_EQ(position(r.database.get()), 1);
}

TEST(SwingIndex, AliasOfTheInnerSwingsDoesNotClash) {
    SwingRun r(makeDatabase({1, 1, 1}));
    r.alias = com::Bstr(u"SI");
    ASSERT_EQ(com::makeComObject<Index>()->AccumulativeSwingIndex(
                  r.database.get(), makePriceSet({kCandles.begin(), kCandles.begin() + 3}).get(), 4, &r.alias,
                  r.result.put()),
              com::S_OK);
    expectValues(valuesOf(fieldOf(r.result.get(), u"SI").get()), {0, kSwings[1], kSwings[1] + kSwings[2]});
}

TEST(SwingIndex, ErrorsAndTheirLayering) {
    // A first record with H = L = Cp and Op = Cp has no strictly largest range term: R is still 0.
    const std::vector<Candle> flat{{10, 10, 10, 10}, {10, 10, 10, 10.5}};
    const struct {
        const char* name;
        Method method;
        std::vector<Candle> candles;
        double limitMove;
        ExpectedError expected;
    } cases[] = {
        {"negative limit move",
         Method::Swing,
         kCandles,
         -0.5,
         {1108, "Index.SwingIndex", "Invalid LimitMoveValue"}},
        {"negative limit move, accumulative",
         Method::Accumulative,
         kCandles,
         -1,
         {1108, "Index.AccumulativeSwingIndex", "Invalid LimitMoveValue"}},
        {"limit move 0", Method::Swing, kCandles, 0, {1105, "Index.SwingIndex.UnexpectedError", kUnexpected}},
        {"no range term on the first record",
         Method::Swing,
         flat,
         4,
         {1105, "Index.SwingIndex.UnexpectedError", kUnexpected}},
        // The inner swing index fails before this method's own handler is installed.
        {"limit move 0, accumulative",
         Method::Accumulative,
         kCandles,
         0,
         {1105, "Index.SwingIndex.UnexpectedError", kUnexpected}},
        {"no range term, accumulative",
         Method::Accumulative,
         flat,
         4,
         {1105, "Index.SwingIndex.UnexpectedError", kUnexpected}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SwingRun r = run(c.method, c.candles, c.limitMove);
        EXPECT_TRUE(failedWith(r.status, c.expected));
        EXPECT_EQ(r.result, nullptr);
    }
}

TEST(SwingIndex, NegativeLimitMoveIsRejectedBeforeAnythingIsRead) {
    com::ComPtr<_RecordSet> result;
    EXPECT_TRUE(
        failedWith(com::makeComObject<Index>()->SwingIndex(nullptr, nullptr, -1, nullptr, result.put()),
                   {1108, "Index.SwingIndex", "Invalid LimitMoveValue"}));
}

TEST(SwingIndex, MissingOhlcvFieldIsUnexpected) {
    const com::ComPtr<_Database> database = makeDatabase({1, 2});
    const com::ComPtr<_RecordSet> prices = makePriceSet({{1, 2, 0.5, 1.5}, {1.5, 3, 1, 2}});
    prices->removeField(com::Bstr(u"Open"));
    com::ComPtr<_RecordSet> result;
    EXPECT_TRUE(failedWith(
        com::makeComObject<Index>()->SwingIndex(database.get(), prices.get(), 4, nullptr, result.put()),
        {1105, "Index.SwingIndex.UnexpectedError", kUnexpected}));
}

}  // namespace
}  // namespace indikon::test
