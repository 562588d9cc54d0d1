#include <gtest/gtest.h>

#include <vector>

#include "FigureTestSupport.h"
#include "special/KagiBuilder.h"

namespace dravik {
namespace {

using test::expectFigure;
using test::kNone;
using Kinds = std::vector<std::int16_t>;

KagiSettings fixedReversal(double reversal) {
    KagiSettings settings;
    settings.reversalAmount = reversal;
    settings.percentual = 0;
    return settings;
}

struct KagiBuilt {
    FigureBuild build;
    SpecialFigure figure;
    Kinds kinds;
};

KagiBuilt build(const std::vector<double>& values, const KagiSettings& settings) {
    KagiBuilt built;
    built.build = BuildKagiFigure(values, settings, built.figure, built.kinds);
    MarkKagiSignals(built.figure, built.kinds);
    return built;
}

TEST(KagiBuilder, SmallFallsAreIgnoredAndARiseExtendsTheLine) {
    // Reversal 2: 13 starts the rise, 12 is a fall of less than 2, 15 extends the rise, 11 turns the
    // line. The fall ends above 10, the start of the rise: it stays yang.
    const KagiBuilt b = build({10, 13, 12, 15, 11}, fixedReversal(2));
    EXPECT_EQ(b.build.status, com::S_OK);
    EXPECT_EQ(b.build.count, 2);
    EXPECT_EQ(b.build.min, 8);   // 10 - 2
    EXPECT_EQ(b.build.max, 17);  // 15 + 2
    expectFigure(b.figure, {{10, 15, 3}, {15, 11, 4}});
    EXPECT_EQ(b.kinds, (Kinds{KAGI_YANG, KAGI_YANG}));
}

TEST(KagiBuilder, BreakingAWaistOrAShoulderChangesTheLineAndSignals) {
    // 9 falls below 10 (the last low waist): yang turning yin, a sell signal; 16 rises above 15 (the
    // last high shoulder): yin turning yang, a buy signal.
    const KagiBuilt b = build({10, 15, 9, 16}, fixedReversal(2));
    EXPECT_EQ(b.build.count, 3);
    EXPECT_EQ(b.build.min, 7);
    EXPECT_EQ(b.build.max, 18);
    expectFigure(b.figure, {{10, 15, 1}, {15, 9, 2, -1}, {9, 16, 3, 1}});
    EXPECT_EQ(b.kinds, (Kinds{KAGI_YANG, KAGI_YANG_TO_YIN, KAGI_YIN_TO_YANG}));
}

TEST(KagiBuilder, AFirstFallIsYinUntilAShoulderIsBroken) {
    // 15 starts a fall, 17.5 turns it (1.25 reversals), 14 turns again; none passes 20 or 15 the wrong
    // way, so all stay yin; 21 rises above 17.5 and turns the line yang with the first buy signal.
    const KagiBuilt b = build({20, 15, 17.5, 14, 21}, fixedReversal(2));
    EXPECT_EQ(b.build.min, 12);
    EXPECT_EQ(b.build.max, 23);
    expectFigure(b.figure, {{20, 15, 1}, {15, 17.5, 2}, {17.5, 14, 3}, {14, 21, 4, 1}});
    EXPECT_EQ(b.kinds, (Kinds{KAGI_YIN, KAGI_YIN, KAGI_YIN, KAGI_YIN_TO_YANG}));
}

TEST(KagiBuilder, ARiseExactlyToTheLastShoulderStaysThin) {
    // 20 falls to 15, 20 rises back to the shoulder it fell from without passing it: still yin, no
    // signal. Its mirror: a fall exactly to the last waist stays yang.
    KagiBuilt b = build({20, 15, 20}, fixedReversal(2));
    expectFigure(b.figure, {{20, 15, 1}, {15, 20, 2}});
    EXPECT_EQ(b.kinds, (Kinds{KAGI_YIN, KAGI_YIN}));
    b = build({10, 15, 10}, fixedReversal(2));
    expectFigure(b.figure, {{10, 15, 1}, {15, 10, 2}});
    EXPECT_EQ(b.kinds, (Kinds{KAGI_YANG, KAGI_YANG}));
}

TEST(KagiBuilder, TheRangeOfHugePricesStartsFromTheFirstPrice) {
    // A reversal of 5 % of 1e300 is 5e298: the range is 1e300 - 5e298 .. 2e300 + 5e298, never below 0.
    const KagiBuilt b = build({1e300, 2e300}, KagiSettings{});
    EXPECT_EQ(b.build.count, 1);
    EXPECT_DOUBLE_EQ(b.build.min, 9.5e299);
    EXPECT_DOUBLE_EQ(b.build.max, 2.05e300);
}

TEST(KagiBuilder, DefaultReversalIsFivePercentOfTheFirstPrice) {
    // Reversal 5: 104 is no move, 106 starts the rise, 100 turns it and ends on the start of the rise,
    // which is not below it: yang.
    const KagiBuilt b = build({kNone, 100, 104, kNone, 106, 100}, KagiSettings{});
    EXPECT_EQ(b.build.min, 95);
    EXPECT_EQ(b.build.max, 111);
    expectFigure(b.figure, {{100, 106, 4}, {106, 100, 5}});
    EXPECT_EQ(b.kinds, (Kinds{KAGI_YANG, KAGI_YANG}));
}

TEST(KagiBuilder, NoMoveOfTheReversalAmountGivesAnEmptyFigure) {
    KagiBuilt b = build({10, 11, 9.5, 11.9}, fixedReversal(2));
    EXPECT_EQ(b.build.status, com::S_OK);
    EXPECT_EQ(b.build.count, 0);
    EXPECT_TRUE(b.figure.empty());
    EXPECT_TRUE(b.kinds.empty());
    b = build({}, fixedReversal(2));
    EXPECT_EQ(b.build.count, 0);
}

TEST(KagiBuilder, RefusesReversalsThatCannotMakeAFigure) {
    struct Case {
        const char* what;
        std::vector<double> values;
        KagiSettings settings;
    };
    const Case cases[] = {
        {"reversal 0", {10, 20}, fixedReversal(0)},
        {"negative reversal", {10, 20}, fixedReversal(-2)},
        {"percentage of price 0", {0, 20}, KagiSettings{}},
        {"percentage of a negative price", {-3, 20}, KagiSettings{}},
    };
    for (const Case& c : cases) {
        KagiBuilt b;
        b.figure.Allocate(2);
        b.kinds = {KAGI_YIN};
        b.build = BuildKagiFigure(c.values, c.settings, b.figure, b.kinds);
        EXPECT_EQ(b.build.status, com::E_INVALIDARG) << c.what;
        EXPECT_TRUE(b.figure.empty()) << c.what;
        EXPECT_TRUE(b.kinds.empty()) << c.what;
    }
}

}  // namespace
}  // namespace dravik
