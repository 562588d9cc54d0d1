#include <gtest/gtest.h>

#include <vector>

#include "studies/StudyRows.h"

namespace dravik {
namespace {

TEST(WorkSeriesRow, PriceSeriesChartSeriesAndOutOfRange) {
    BoundPriceSeries bound;
    bound.open = 1;
    bound.high = 2;
    bound.low = 9;  // past the buffer
    bound.close = 3;
    struct Case {
        int workSeries, expected;
    };
    const Case cases[] = {
        {-1, 3}, {-4, 1},     {-3, 2}, {-2, 0},  // low lies past the five rows
        {-5, 0}, {-32768, 0}, {4, 4},  {5, 0},  {0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WorkSeriesRow(c.workSeries, bound, 5), c.expected) << c.workSeries;
    EXPECT_EQ(WorkSeriesRow(-1, BoundPriceSeries{}, 5), 0);  // close not bound: series 0
    EXPECT_EQ(WorkSeriesRow(-1, bound, 0), 0);
}

TEST(BufferRow, RowsInsideTheBufferOnly) {
    std::vector<double> buffer = {0, 1, 2, 10, 11, 12};
    EXPECT_EQ(BufferRow(buffer, 3, 1).data(), buffer.data() + 3);
    EXPECT_EQ(BufferRow(buffer, 3, 1).size(), 3u);
    EXPECT_TRUE(BufferRow(buffer, 3, 2).empty());
    EXPECT_TRUE(BufferRow(buffer, 3, -1).empty());
    EXPECT_TRUE(BufferRow(buffer, 0, 0).empty());
    EXPECT_TRUE(BufferRow(buffer, 4, 1).empty());  // a partial row
    EXPECT_TRUE(BufferRow({}, 3, 0).empty());
}

TEST(StudyInputRows, UnboundAndOutsidePriceSeriesAreMissing) {
    std::vector<double> buffer(4 * 2);
    BoundPriceSeries bound;
    bound.close = 1;
    bound.high = 2;
    bound.low = 7;
    const StudyInputs rows = StudyInputRows(buffer, 2, 3, bound);
    EXPECT_EQ(rows.work.data(), buffer.data() + 6);
    EXPECT_EQ(rows.close.data(), buffer.data() + 2);
    EXPECT_EQ(rows.high.data(), buffer.data() + 4);
    EXPECT_TRUE(rows.low.empty());
    EXPECT_TRUE(rows.volume.empty());
    EXPECT_EQ(StudyInputRows(buffer, 2, 9, bound).work.data(), buffer.data());  // past the buffer: row 0
}

TEST(StudyOutputRows, RowsFromTheFirstSeriesInsideTheBuffer) {
    std::vector<double> buffer(4 * 2);
    const StudyOutputs rows = StudyOutputRows(buffer, 2, 2, 3);
    EXPECT_EQ(rows.rows[0].data(), buffer.data() + 4);
    EXPECT_EQ(rows.rows[1].data(), buffer.data() + 6);
    EXPECT_TRUE(rows.rows[2].empty());  // past the buffer
    EXPECT_TRUE(StudyOutputRows(buffer, 2, -1, 1).rows[0].empty());
    EXPECT_TRUE(StudyOutputRows(buffer, 2, 0, 9).rows[2].data() == buffer.data() + 4);  // at most three
}

}  // namespace
}  // namespace dravik
