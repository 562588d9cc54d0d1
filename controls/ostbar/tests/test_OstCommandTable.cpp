#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "ostbar/OstCommandTable.h"

namespace ostbar {
namespace {

using Ids = std::vector<SHORT>;

TEST(OstCommandTable, AddFindAndRemove) {
    OstCommandTable table;
    EXPECT_EQ(table.add(-1), nullptr);
    OstCommandData* first = table.add(7);
    ASSERT_NE(first, nullptr);
    first->text = u"Zoom";
    // Adding an id again answers the same command, untouched.
    EXPECT_EQ(table.add(7), first);
    EXPECT_EQ(table.find(7)->text, u"Zoom");
    EXPECT_EQ(table.find(8), nullptr);
    EXPECT_TRUE(table.remove(7));
    EXPECT_FALSE(table.remove(7));
    EXPECT_EQ(table.commandCount(), 0u);
}

TEST(OstCommandTable, RemovingACommandTakesEverySlotThatNamesIt) {
    // Neighbouring entries of the same id are where a loop that erases and steps on skips one.
    OstCommandTable table;
    for (SHORT id : {1, 2, 5})
        table.add(id);
    *table.container(kToolbarContainer) = {5, 5, 2, 5, 5};
    table.find(1)->subCommands = {5, 5, -1, 5, 2};
    ASSERT_TRUE(table.remove(5));
    EXPECT_EQ(table.row(), (Ids{2}));
    EXPECT_EQ(table.find(1)->subCommands, (Ids{-1, 2}));
}

TEST(OstCommandTable, RemovingByPositionWhileWalkingForward) {
    // The pattern of a caller that drops the entries after the first n of a menu.
    OstCommandTable table;
    table.add(2)->subCommands = {10, 11, 12, 13, 14, 15};
    const std::size_t keep = 2;
    for (std::size_t position = keep; position < table.container(2)->size();) {
        ASSERT_TRUE(table.removeAt(2, position));
    }
    EXPECT_EQ(table.find(2)->subCommands, (Ids{10, 11}));
    EXPECT_FALSE(table.removeAt(2, 2));
}

TEST(OstCommandTable, InsertAtChecksThePosition) {
    OstCommandTable table;
    EXPECT_TRUE(table.insertAt(kToolbarContainer, 0, 4));
    EXPECT_TRUE(table.insertAt(kToolbarContainer, 1, 6));
    EXPECT_TRUE(table.insertAt(kToolbarContainer, 1, 5));
    EXPECT_FALSE(table.insertAt(kToolbarContainer, 4, 9));
    EXPECT_EQ(table.row(), (Ids{4, 5, 6}));
    // A drop-down exists only for a command the table has.
    EXPECT_FALSE(table.insertAt(33, 0, 4));
    EXPECT_EQ(table.container(33), nullptr);
}

TEST(OstCommandTable, RenumberMovesTheCommandAndItsSlots) {
    OstCommandTable table;
    table.add(30000)->text = u"Renko";
    table.add(30001);
    table.add(4)->subCommands = {30000, 77};
    *table.container(kToolbarContainer) = {30000, 30001};

    EXPECT_TRUE(table.renumber(30000, 31000));
    EXPECT_EQ(table.find(30000), nullptr);
    ASSERT_NE(table.find(31000), nullptr);
    EXPECT_EQ(table.find(31000)->id, 31000);
    EXPECT_EQ(table.find(31000)->text, u"Renko");
    EXPECT_EQ(table.row(), (Ids{31000, 30001}));
    EXPECT_EQ(table.find(4)->subCommands, (Ids{31000, 77}));

    EXPECT_FALSE(table.renumber(31000, 30001));  // taken
    EXPECT_FALSE(table.renumber(31000, -1));
    EXPECT_FALSE(table.renumber(12, 13));  // unknown
    EXPECT_TRUE(table.renumber(31000, 31000));
}

TEST(OstCommandTable, FreeIdComesFromTheTop) {
    OstCommandTable table;
    EXPECT_EQ(table.freeId(), 32767);
    table.add(32767);
    table.add(32766);
    EXPECT_EQ(table.freeId(), 32765);
}

TEST(OstCommandTable, StripIsCutIntoImagesWithTheMaskTransparent) {
    QImage strip(40, 16, QImage::Format_RGB32);
    strip.fill(QColor(0xC0, 0xC0, 0xC0));
    strip.setPixel(17, 3, qRgb(255, 0, 0));
    OstCommandTable table;
    EXPECT_EQ(table.addImages(strip, 16, 0xC0C0C0), 0);
    // 40 pixels give two whole images of 16; the 8 left over are no image.
    ASSERT_EQ(table.images().size(), 2u);
    EXPECT_EQ(qAlpha(table.images()[0].pixel(0, 0)), 0);
    EXPECT_EQ(table.images()[1].pixel(1, 3), qRgb(255, 0, 0));
    // The same strip again (its owner attached anew) adds nothing; another strip is appended.
    EXPECT_EQ(table.addImages(strip, 16, 0xC0C0C0), 0);
    EXPECT_EQ(table.images().size(), 2u);
    QImage other = strip;
    other.setPixel(1, 1, qRgb(0, 0, 255));
    EXPECT_EQ(table.addImages(other, 16, 0xC0C0C0), 2);
    EXPECT_EQ(table.images().size(), 4u);
    EXPECT_EQ(table.addImages(strip.copy(16, 0, 16, 16), 16, 0xC0C0C0), 1) << "images held in that order";
    EXPECT_EQ(table.addImages(strip, 0, 0), -1);
    EXPECT_EQ(table.addImages(QImage(), 16, 0), -1);
}

TEST(OstCommandTable, ListenersMayUnsubscribeWhileBeingCalled) {
    OstCommandTable table;
    std::vector<int> calls;
    int second = 0;
    const int first = table.subscribe([&] {
        calls.push_back(1);
        table.unsubscribe(first);
    });
    second = table.subscribe([&] { calls.push_back(2); });
    table.subscribe([&] {
        calls.push_back(3);
        table.unsubscribe(second);
    });
    table.changed();
    // Nobody is skipped in the pass during which the first listener left.
    EXPECT_EQ(calls, (std::vector<int>{1, 2, 3}));
    calls.clear();
    table.changed();
    EXPECT_EQ(calls, (std::vector<int>{3}));
}

TEST(OstCommandTable, StateChangesAreHeard) {
    OstCommandTable table;
    int heard = 0;
    table.subscribe([&] { ++heard; });
    table.setState(kStateShown);
    table.setState(kStateShown);
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(table.state(), kStateShown);
}

}  // namespace
}  // namespace ostbar
