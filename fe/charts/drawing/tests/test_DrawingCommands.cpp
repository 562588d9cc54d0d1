#include <gtest/gtest.h>

#include <cstring>

#include "drawing/DrawingCommands.h"
#include "drawing/DrawingRecord.h"

namespace dravik {
namespace {

using CommandRole = DrawingCommandRole;

TEST(DrawingCommands, IdsOfTheDrawingBlocks) {
    struct Case {
        int id;
        CommandRole role;
        DrawingKind kind;
        int item;
    };
    const Case cases[] = {
        {68, CommandRole::New, DrawingKind::GannFan, -1},
        {73, CommandRole::New, DrawingKind::MidPointTironeLevels, -1},
        {77, CommandRole::New, DrawingKind::TrendLine, -1},
        {88, CommandRole::Menu, DrawingKind::GannFan, -1},
        {89, CommandRole::DeleteAll, DrawingKind::GannFan, -1},
        {90, CommandRole::Item, DrawingKind::GannFan, 0},
        {95, CommandRole::Item, DrawingKind::GannFan, 5},
        {96, CommandRole::Menu, DrawingKind::FibonacciArcs, -1},
        {103, CommandRole::Item, DrawingKind::FibonacciArcs, 5},
        {113, CommandRole::DeleteAll, DrawingKind::FibonacciRetracements, -1},
        {130, CommandRole::Item, DrawingKind::MidPointTironeLevels, 0},
        {152, CommandRole::Menu, DrawingKind::QuadrantLines, -1},
        {160, CommandRole::Menu, DrawingKind::TrendLine, -1},
        {161, CommandRole::DeleteAll, DrawingKind::TrendLine, -1},
        {162, CommandRole::Item, DrawingKind::TrendLine, 0},
        {167, CommandRole::Item, DrawingKind::TrendLine, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const auto command = ClassifyDrawingCommand(c.id);
        ASSERT_TRUE(command.has_value());
        EXPECT_EQ(*command, (DrawingCommand{c.role, c.kind, static_cast<std::int16_t>(c.item)}));
    }
    for (const int other : {-1, 0, 67, 78, 81, 86, 87, 168, 32767})
        EXPECT_FALSE(ClassifyDrawingCommand(other).has_value()) << other;
}

TEST(DrawingCommands, ItemsLeadToTheirKindsMenuAndNewCommand) {
    EXPECT_EQ(ItemToKind(90), (DrawingItemOwner{88, 68}));
    EXPECT_EQ(ItemToKind(95), (DrawingItemOwner{88, 68}));
    EXPECT_EQ(ItemToKind(98), (DrawingItemOwner{96, 69}));
    EXPECT_EQ(ItemToKind(103), (DrawingItemOwner{96, 69}));
    EXPECT_EQ(ItemToKind(162), (DrawingItemOwner{160, 77}));
    EXPECT_EQ(ItemToKind(167), (DrawingItemOwner{160, 77}));
    for (const int notAnItem : {68, 88, 89, 96, 97, 161, 168})
        EXPECT_FALSE(ItemToKind(notAnItem).has_value()) << notAnItem;
}

TEST(DrawingKinds, KeyPrefixesAndExtraByteCounts) {
    EXPECT_EQ(DrawingKeyPrefix(0, 0), "GannFan(0).");
    EXPECT_EQ(DrawingKeyPrefix(3, 2), "FibonacciRetracements(2).");
    EXPECT_EQ(DrawingKeyPrefix(5, 5), "MidPointTironeLevels(5).");
    EXPECT_EQ(DrawingKeyPrefix(9, 1), "TrendLine(1).");
    EXPECT_EQ(DrawingKeyPrefix(10, 3), "Error(3).");
    const std::int16_t counts[] = {72, 24, 24, 144, 0, 0, 0, 0, 0, 0};
    for (int kind = 0; kind < 10; ++kind)
        EXPECT_EQ(DrawingExtraByteCount(kind), counts[kind]) << kind;
    EXPECT_EQ(DrawingExtraByteCount(-1), 0);
    EXPECT_EQ(DrawingExtraByteCount(10), 0);
}

TEST(DrawingKinds, NewDrawingsTakeTheirKindsDefaults) {
    const DrawingRecord retracement = DrawingRecord::New(DrawingKind::FibonacciRetracements, 114, false, 3);
    EXPECT_EQ(retracement.lineStyle, 2);
    EXPECT_EQ(retracement.signalLineStyle, 0);
    ASSERT_EQ(retracement.extraBytes.size(), 144u);
    // Second level: 0.236 (3F CE 35 3F 7C ED 91 68 as stored) and "23.6%" in 16 bytes.
    const std::uint8_t level1[24] = {0x68, 0x91, 0xED, 0x7C, 0x3F, 0x35, 0xCE, 0x3F, '2', '3', '.', '6',
                                     '%',  0,    0,    0,    0,    0,    0,    0,    0,   0,   0,   0};
    EXPECT_EQ(std::memcmp(retracement.extraBytes.data() + 24, level1, 24), 0);
    EXPECT_EQ(retracement.Name(), "..Usr..");
    EXPECT_EQ(retracement.workSeries, 3);
    EXPECT_EQ(retracement.state, kDrawingHidden);
    EXPECT_EQ(retracement.color, 0xFF0000u);
    EXPECT_EQ(retracement.from, -1.0);

    const DrawingRecord trend = DrawingRecord::New(DrawingKind::TrendLine, 162, true, -1);
    EXPECT_TRUE(trend.extraBytes.empty());
    EXPECT_EQ(trend.lineStyle, 0);
    EXPECT_EQ(trend.signalLineStyle, 2);
    EXPECT_EQ(trend.freeDraw, 1);

    const DrawingRecord gann = DrawingRecord::New(DrawingKind::GannFan, 90, false, -1);
    ASSERT_EQ(gann.extraBytes.size(), 72u);
    double last = 0;
    std::memcpy(&last, gann.extraBytes.data() + 64, 8);
    EXPECT_EQ(last, 7.595754112725);
}

TEST(DrawingKinds, ExtraBytesByPosition) {
    DrawingRecord arcs = DrawingRecord::New(DrawingKind::FibonacciArcs, 98, false, -1);
    std::uint8_t value = 7;
    EXPECT_EQ(arcs.GetExtraByte(23, &value), com::S_OK);
    EXPECT_EQ(value, 0x3F);  // last byte of 0.618
    EXPECT_EQ(arcs.SetExtraByte(23, 0x40), com::S_OK);
    EXPECT_EQ(arcs.extraBytes[23], 0x40);
    EXPECT_EQ(arcs.GetExtraByte(24, &value), com::E_INVALIDARG);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(arcs.GetExtraByte(-1, &value), com::E_INVALIDARG);
    EXPECT_EQ(arcs.SetExtraByte(24, 1), com::E_INVALIDARG);
    EXPECT_EQ(arcs.extraBytes.size(), 24u);
    const DrawingRecord trend = DrawingRecord::New(DrawingKind::TrendLine, 162, false, -1);
    EXPECT_EQ(trend.GetExtraByte(0, &value), com::E_INVALIDARG);
    EXPECT_EQ(trend.GetExtraByte(0, nullptr), com::E_POINTER);
}

TEST(DrawingKinds, PensFollowThePenSettings) {
    DrawingRecord record = DrawingRecord::New(DrawingKind::TrendLine, 162, false, -1);
    record.lineWidth = 3;
    record.lineStyle = 4;
    record.color = 0x00FF00;
    DrawingPens pens = record.Pens();
    EXPECT_EQ(pens.main, (DrawingPen{gdi::PS_DASHDOTDOT, 3, 0x00FF00}));
    EXPECT_EQ(pens.wideMain, (DrawingPen{gdi::PS_DASHDOTDOT, 5, 0}));
    // A styled signal line is one pixel wide (its wide pen three).
    EXPECT_EQ(pens.signal, (DrawingPen{gdi::PS_DOT, 1, 0x00FF00}));
    EXPECT_EQ(pens.wideSignal, (DrawingPen{gdi::PS_DOT, 3, 0}));
    record.signalLineStyle = 0;
    record.lineStyle = 5;
    pens = record.Pens();
    EXPECT_EQ(pens.main.style, gdi::PS_SOLID);
    EXPECT_EQ(pens.signal, (DrawingPen{gdi::PS_SOLID, 3, 0x00FF00}));
    EXPECT_EQ(pens.wideSignal, (DrawingPen{gdi::PS_SOLID, 5, 0}));
    // Styles outside the table draw solid rather than reading past it.
    record.lineStyle = 6;
    record.signalLineStyle = -1;
    pens = record.Pens();
    EXPECT_EQ(pens.main.style, gdi::PS_SOLID);
    EXPECT_EQ(pens.signal, (DrawingPen{gdi::PS_SOLID, 1, 0x00FF00}));
}

TEST(DrawingKinds, LongTextsAreCutAtACharacterBoundary) {
    DrawingRecord record;
    record.SetName(std::string(58, 'a') + "\xC3\xA9" + "b");  // 'é' would end on byte 60
    EXPECT_EQ(record.Name(), std::string(58, 'a'));
    record.SetUserData(std::string(300, 'u'));
    EXPECT_EQ(record.UserData(), std::string(255, 'u'));
}

}  // namespace
}  // namespace dravik
