// What every method leaves behind when it fails: the caller's cursor where it stood and no result;
// and the rule that no NaN or infinity is ever handed out, over prices near the top of the double range.
#include <cmath>
#include <set>
#include <string>

#include "MethodCatalogue.h"
#include "PriceSet.h"
#include "indicators/General.h"
#include "indicators/Index.h"
#include "indicators/MovingAverage.h"
#include "indicators/Oscillator.h"

namespace indikon::test {
namespace {

TEST(FailurePaths, EveryFailingMethodLeavesTheCursorWhereItWas) {
    std::set<std::string> failing;
    for (const NamedSeries& series : edgeSeries()) {
        const Market market = makeMarket(series.prices, series.periods);
        const com::SHORT start = recordCount(market.database.get()) >= 2 ? 2 : 1;
        for (const CatalogueEntry& entry : methodCatalogue()) {
            SCOPED_TRACE(std::string(series.name) + ": " + entry.name);
            ASSERT_EQ(market.database->setPosition(start), com::S_OK);
            const Outcome outcome = entry.run(market);
            if (outcome.status == com::S_OK)
                continue;
            failing.insert(entry.name);
            EXPECT_NE(outcome.errorNumber, 0);
            EXPECT_TRUE(outcome.outputs.empty());
            EXPECT_EQ(outcome.positionAfter, start);
        }
    }
    // The table reaches the failure paths of most methods, those named below among them.
    EXPECT_GE(failing.size(), 45u);
    for (const char* name :
         {"WilliamsPctR", "UltimateOscillator", "VerticalHorizontalFilter", "EaseOfMovement",
          "StochasticMomentumIndex", "DirectionalMovementSystem", "BollingerBands", "CommodityChannelIndex",
          "ComparativeRelativeStrength", "NeuralIndicator"})
        EXPECT_EQ(failing.count(name), 1u) << name;
}

TEST(FailurePaths, AFailedMethodDoesNotSpoilTheNextCall) {
    com::ComPtr<_Database> database = makeDatabase({10, 11, 12, 12, 12, 12, 13});
    com::ComPtr<_RecordSet> prices;
    database->getRecordset(prices.put());
    com::ComPtr<_RecordSet> result;
    com::Bstr alias;
    EXPECT_TRUE(failedWith(
        com::makeComObject<Oscillator>()->WilliamsPctR(database.get(), prices.get(), 2, &alias, result.put()),
        unexpectedIn("Oscillator.WilliamsPctR")));
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(position(database.get()), 1);

    com::Bstr strengthAlias;
    ASSERT_EQ(com::makeComObject<Index>()->ComparativeRelativeStrength(
                  database.get(), fieldOf(database.get(), u"Close").get(),
                  fieldOf(database.get(), u"Open").get(), &strengthAlias, result.put()),
              com::S_OK);
    expectValues(onlyFieldOf(result.get()), {1, 1, 1, 1, 1, 1, 1});
}

TEST(FailurePaths, NestedFailureRestoresTheCursorOnce) {
    // AccumulativeSwingIndex runs SwingIndex inside; its failure reaches the caller as SwingIndex
    // reported it, and the cursor stands where the caller left it.
    com::ComPtr<_Database> database = makeDatabase({10, 11, 12});
    ASSERT_EQ(database->setPosition(3), com::S_OK);
    com::ComPtr<_RecordSet> prices;
    database->getRecordset(prices.put());
    com::ComPtr<_RecordSet> result;
    com::Bstr alias;
    EXPECT_TRUE(failedWith(com::makeComObject<Index>()->AccumulativeSwingIndex(database.get(), prices.get(),
                                                                               3, &alias, result.put()),
                           unexpectedIn("Index.SwingIndex")));
    EXPECT_EQ(position(database.get()), 3);
}

// A generated series scaled so that its prices lie near 1e308, where sums and products overflow.
PriceColumns hugePrices() {
    PriceColumns prices = generatedPrices(60);
    for (std::vector<double>* column :
         {&prices.open, &prices.high, &prices.low, &prices.close, &prices.volume}) {
        for (double& value : *column)
            value *= 1e306;
    }
    return prices;
}

TEST(NonFiniteResults, NoMethodHandsOutAnInfinityOrANaN) {
    const Market ordinary = makeMarket(generatedPrices(60), 5);
    const Market market = makeMarket(hugePrices(), 5);
    int failures = 0;
    for (const CatalogueEntry& entry : methodCatalogue()) {
        SCOPED_TRACE(entry.name);
        const Outcome usual = entry.run(ordinary);
        ASSERT_EQ(market.database->setPosition(2), com::S_OK);
        const Outcome outcome = entry.run(market);
        if (outcome.status != com::S_OK) {
            ++failures;
            EXPECT_EQ(outcome.positionAfter, 2);
            if (usual.status != com::S_OK) {
                // A parameter check fails alike on any prices.
                EXPECT_EQ(outcome.errorNumber, usual.errorNumber);
                EXPECT_EQ(outcome.errorSource, usual.errorSource);
            } else {
                EXPECT_EQ(outcome.errorNumber, 1105) << outcome.errorSource;
                EXPECT_TRUE(outcome.errorSource.ends_with(".UnexpectedError")) << outcome.errorSource;
            }
            continue;
        }
        for (const Output& output : outcome.outputs) {
            for (const double value : output.values)
                ASSERT_TRUE(std::isfinite(value)) << output.name;
        }
    }
    // Most methods sum or multiply prices; a few only compare or copy them.
    EXPECT_GE(failures, 30);
}

TEST(NonFiniteResults, AnOverflowingResultFailsWithTheMethodsUnexpectedError) {
    com::ComPtr<_Database> database = makeDatabase({1e308, 1e308, 1e308});
    com::ComPtr<_RecordSet> result;
    com::Bstr alias;
    EXPECT_TRUE(
        failedWith(com::makeComObject<MovingAverage>()->SimpleMovingAverage(
                       database.get(), fieldOf(database.get(), u"Close").get(), 2, &alias, result.put()),
                   unexpectedIn("MovingAverage.SimpleMovingAverage")));
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(position(database.get()), 1);

    com::ComPtr<_Database> wide = makeDatabase({1.5e308, 1.5e308}, {1.5e308, 1.5e308}, {1.5e308, 1.5e308});
    com::ComPtr<_RecordSet> prices;
    wide->getRecordset(prices.put());
    ASSERT_EQ(wide->setPosition(2), com::S_OK);
    EXPECT_TRUE(
        failedWith(com::makeComObject<General>()->MedianPrice(wide.get(), prices.get(), &alias, result.put()),
                   unexpectedIn("General.MedianPrice")));
    EXPECT_EQ(position(wide.get()), 2);

    // Values that stay below the limit are kept: (1e308 + 1e308) / 2 overflows, 5e307 twice does not.
    com::ComPtr<_Database> high = makeDatabase({5e307, 5e307, 5e307});
    com::Bstr highAlias;
    ASSERT_EQ(com::makeComObject<MovingAverage>()->SimpleMovingAverage(
                  high.get(), fieldOf(high.get(), u"Close").get(), 2, &highAlias, result.put()),
              com::S_OK);
    expectValues(onlyFieldOf(result.get()), {0, 0, 5e307});
}

}  // namespace
}  // namespace indikon::test
