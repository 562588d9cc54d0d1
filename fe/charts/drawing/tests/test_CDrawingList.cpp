#include <gtest/gtest.h>

#include "drawing/CDrawingList.h"
#include "drawing/tests/DrawingKindNumbers.h"

namespace dravik {
namespace {

using test::kGann;
using test::kTrend;

TEST(CDrawingList, APositionAtTheCountAddsADrawingUntilSixAreThere) {
    CDrawingList list;
    int index = -2;
    for (int position = 0; position < 6; ++position) {
        ASSERT_EQ(list.DrawingOfKind(kGann, position, &index), com::S_OK) << position;
        EXPECT_EQ(index, position);
        EXPECT_EQ(list.At(index)->toolCommand, 90 + position);
        EXPECT_EQ(list.At(index)->extraBytes.size(), 72u);
    }
    // Asking again for an existing position hands out that drawing and adds nothing.
    ASSERT_EQ(list.DrawingOfKind(kGann, 2, &index), com::S_OK);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(list.Count(), 6);
    // The seventh is refused, whichever way it is asked for.
    EXPECT_EQ(list.DrawingOfKind(kGann, 6, &index), com::E_INVALIDARG);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(list.Add(kGann, 95, false, -1, &index), com::E_INVALIDARG);
    EXPECT_EQ(list.Count(), 6);
    // Other kinds still have room.
    ASSERT_EQ(list.DrawingOfKind(kTrend, 0, &index), com::S_OK);
    EXPECT_EQ(index, 6);
    EXPECT_EQ(list.At(6)->toolCommand, 162);
}

TEST(CDrawingList, APositionBeyondTheCountAddsTheNextDrawing) {
    CDrawingList list;
    int index = -1;
    ASSERT_EQ(list.DrawingOfKind(kTrend, 4, &index), com::S_OK);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(list.CountOfKind(kTrend), 1);
    EXPECT_EQ(list.DrawingOfKind(kTrend, -1, &index), com::E_INVALIDARG);
    EXPECT_EQ(list.DrawingOfKind(10, 0, &index), com::E_INVALIDARG);
    EXPECT_EQ(list.DrawingOfKind(-1, 0, &index), com::E_INVALIDARG);
    EXPECT_EQ(list.Count(), 1);
}

TEST(CDrawingList, AddChecksKindAndItemCommand) {
    CDrawingList list;
    int index = -1;
    EXPECT_EQ(list.Add(kTrend, 164, true, 2, &index), com::S_OK);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(list.Add(kTrend, 164, true, 2, &index), com::E_INVALIDARG);  // item in use
    EXPECT_EQ(list.Add(kTrend, 168, true, 2, &index), com::E_INVALIDARG);  // not an item of the kind
    EXPECT_EQ(list.Add(kTrend, 90, true, 2, &index), com::E_INVALIDARG);   // an item of the Gann fan
    EXPECT_EQ(list.Add(10, 170, true, 2, &index), com::E_INVALIDARG);
    EXPECT_EQ(index, -1);
    // The lowest free item is taken next: 162, then 163.
    EXPECT_EQ(list.FreeItemCommand(kTrend), 162);
    ASSERT_EQ(list.Add(kTrend, 162, false, -1, &index), com::S_OK);
    EXPECT_EQ(list.FreeItemCommand(kTrend), 163);
    EXPECT_EQ(list.FreeItemCommand(kGann), 90);
    EXPECT_EQ(list.FreeItemCommand(12), -1);
}

TEST(CDrawingList, RemovingClosesTheGapAndFreesTheItem) {
    CDrawingList list;
    int index = -1;
    for (int position = 0; position < 3; ++position)
        ASSERT_EQ(list.DrawingOfKind(kGann, position, &index), com::S_OK);
    ASSERT_EQ(list.DrawingOfKind(kTrend, 0, &index), com::S_OK);
    ASSERT_EQ(list.RemoveAt(1), com::S_OK);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.At(1)->toolCommand, 92);
    EXPECT_EQ(list.At(2)->kind, kTrend);
    EXPECT_EQ(list.IndexOfKind(kGann, 1), 1);
    EXPECT_EQ(list.IndexOfKind(kGann, 2), -1);
    EXPECT_EQ(list.FreeItemCommand(kGann), 91);
    EXPECT_EQ(list.RemoveAt(3), com::E_INVALIDARG);
    EXPECT_EQ(list.RemoveAt(-1), com::E_INVALIDARG);
    ASSERT_EQ(list.DrawingOfKind(kTrend, 1, &index), com::S_OK);
    EXPECT_EQ(list.RemoveAllOfKind(10), com::E_INVALIDARG);
    EXPECT_EQ(list.RemoveAllOfKind(-2), com::E_INVALIDARG);
    ASSERT_EQ(list.RemoveAllOfKind(kTrend), com::S_OK);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.CountOfKind(kGann), 2);
    EXPECT_EQ(list.FreeItemCommand(kTrend), 162);
    ASSERT_EQ(list.RemoveAllOfKind(-1), com::S_OK);
    EXPECT_EQ(list.Count(), 0);
}

TEST(CDrawingList, TypeAndOrdinal) {
    CDrawingList list;
    int index = -1;
    ASSERT_EQ(list.DrawingOfKind(kTrend, 0, &index), com::S_OK);
    ASSERT_EQ(list.DrawingOfKind(kGann, 0, &index), com::S_OK);
    ASSERT_EQ(list.DrawingOfKind(kTrend, 1, &index), com::S_OK);
    std::int16_t kind = -5;
    std::int16_t ordinal = -5;
    ASSERT_TRUE(list.GetTypeAndOrdinal(2, &kind, &ordinal));
    EXPECT_EQ(kind, kTrend);
    EXPECT_EQ(ordinal, 1);
    ASSERT_TRUE(list.GetTypeAndOrdinal(1, &kind, &ordinal));
    EXPECT_EQ(kind, kGann);
    EXPECT_EQ(ordinal, 0);
    ASSERT_TRUE(list.GetTypeAndOrdinal(0x8000 | 2, &kind, &ordinal));
    EXPECT_EQ(kind, kTrend);
    EXPECT_EQ(ordinal, -1);
    EXPECT_FALSE(list.GetTypeAndOrdinal(3, &kind, &ordinal));
}

TEST(CDrawingList, GrowMakesExactlyThatManyRecords) {
    CDrawingList list;
    list.Grow(3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_TRUE(list.At(2)->extraBytes.empty());
    EXPECT_EQ(list.At(2)->Name(), "..Usr..");
    list.Grow(1);
    EXPECT_EQ(list.Count(), 1);
    list.Grow(-4);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.At(0), nullptr);
}

}  // namespace
}  // namespace dravik
