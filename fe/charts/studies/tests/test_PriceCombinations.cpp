#include <gtest/gtest.h>

#include "StudyTestSupport.h"
#include "studies/PriceCombinations.h"

namespace dravik {
namespace {

using testing::AllEmpty;
using testing::IsSeeds;
using testing::kE;
using testing::Row;
using testing::RowsMatch;

TEST(PriceCombinations, PointByPointWithEmptyPoints) {
    const Row high = {10, 12, kE, 4};
    const Row low = {8, 9, 5, 3};
    const Row close = {9, 11, 6, 3};
    Row out(4);
    StudyRange range;
    CalcMedianPrice(high, low, out, range);
    EXPECT_TRUE(RowsMatch(out, {9, 10.5, kE, 3.5}));
    EXPECT_EQ(range.min, 3.5);
    EXPECT_EQ(range.max, 10.5);

    range = {};
    CalcWeightedClose(high, low, close, out, range);
    EXPECT_TRUE(RowsMatch(out, {9, 10.75, kE, 3.25}));  // (L + (H + 2C)) / 4

    range = {};
    CalcTypicalPrice(high, low, close, out, range);
    EXPECT_TRUE(RowsMatch(out, {9, 32.0 / 3.0, kE, 10.0 / 3.0}));
    EXPECT_EQ(range.max, out[1]);
}

TEST(PriceCombinations, TypicalPriceMultipliesByAThird) {
    Row out(1);
    StudyRange range;
    CalcTypicalPrice(Row{4}, Row{3}, Row{3}, out, range);
    EXPECT_EQ(out[0], 3.333333333333333);  // 10 / 3 would be 3.3333333333333335
    EXPECT_NE(out[0], 10.0 / 3.0);
}

TEST(PriceCombinations, MissingRowEmptiesTheOutput) {
    Row out(2, 1.0);
    StudyRange range;
    CalcTypicalPrice(Row{1, 2}, {}, Row{1, 2}, out, range);
    EXPECT_TRUE(AllEmpty(out));
    EXPECT_TRUE(IsSeeds(range));
}

}  // namespace
}  // namespace dravik
