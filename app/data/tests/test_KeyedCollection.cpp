#include <gtest/gtest.h>

#include "appdata/KeyedCollection.h"
#include "appdata/RecordLine.h"

using namespace tarnwick;
using namespace std::chrono;

namespace {

struct Thing {
    int value = 0;
};

std::int32_t errorNumber(const std::function<void()>& body) {
    try {
        body();
    } catch (const AppError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(RecordKey, DecimalWithSign) {
    EXPECT_EQ(RecordKey(17), "ID_17");
    EXPECT_EQ(RecordKey(0), "ID_0");
    EXPECT_EQ(RecordKey(-12), "ID_-12");
}

TEST(KeyedCollection, KeepsInsertionOrderAndSharesItems) {
    KeyedCollection<Thing> things;
    things.add(Thing{3}, "ID_3");
    things.add(Thing{1}, "ID_1");
    things.add(Thing{9});  // without a key
    ASSERT_EQ(things.count(), 3u);
    EXPECT_EQ(things.at(0).value, 3);
    EXPECT_EQ(things.at(2).value, 9);

    things.item("id_1").value = 5;  // keys ignore case; the item is changed in place
    EXPECT_EQ(things.at(1).value, 5);
    auto held = things.shared("ID_3");
    things.remove("ID_3");
    EXPECT_EQ(held->value, 3);
    EXPECT_EQ(things.count(), 2u);
    EXPECT_EQ(things.at(0).value, 5);
}

TEST(KeyedCollection, ErrorsOfTheCollection) {
    KeyedCollection<Thing> things;
    things.add(Thing{1}, "ID_1");
    EXPECT_EQ(errorNumber([&] { things.add(Thing{2}, "ID_1"); }), 457);
    EXPECT_EQ(things.count(), 1u);
    EXPECT_EQ(errorNumber([&] { things.item("ID_2"); }), 5);
    EXPECT_EQ(errorNumber([&] { things.remove("ID_2"); }), 5);
    EXPECT_EQ(errorNumber([&] { things.at(1); }), 9);
}

TEST(KeyedCollection, ExistsInCollection) {
    KeyedCollection<Thing> things;
    things.add(Thing{1}, "ID_-3");
    EXPECT_TRUE(ExistsInCollection("ID_-3", things));
    EXPECT_TRUE(ExistsInCollection("id_-3", &things));
    EXPECT_FALSE(ExistsInCollection("ID_3", things));
    EXPECT_FALSE(ExistsInCollection("", things));
    EXPECT_FALSE(ExistsInCollection<Thing>("ID_-3", nullptr));
}

TEST(RecordLine, FieldsAndConversions) {
    const RecordLine line("2005-3-9| 42 |1.5e3|-0.25|NO||yes");
    ASSERT_EQ(line.size(), 7u);
    EXPECT_EQ(line.date(0), (year_month_day{2005y, March, 9d}));
    EXPECT_EQ(line.int32(1), 42);
    EXPECT_DOUBLE_EQ(line.real(2), 1500.0);
    EXPECT_DOUBLE_EQ(line.real(3), -0.25);
    EXPECT_FALSE(line.flag(4));
    EXPECT_TRUE(line.flag(5));  // empty is not "NO"
    EXPECT_TRUE(line.flag(6));
    EXPECT_EQ(RecordLine("5-3-9|99-12-31|100-1-1").date(0), (year_month_day{2005y, March, 9d}));
    EXPECT_EQ(RecordLine("5-3-9|99-12-31|100-1-1").date(1), (year_month_day{1999y, December, 31d}));
    EXPECT_EQ(RecordLine("5-3-9|99-12-31|100-1-1").date(2), (year_month_day{year(100), January, 1d}));
    EXPECT_EQ(RecordLine("").size(), 0u);
    EXPECT_EQ(RecordLine("a||").size(), 3u);
    EXPECT_EQ(RecordLine("no bar").size(), 1u);
}

TEST(RecordLine, MalformedFieldsRaise) {
    const RecordLine line("x|2147483648|1,5|inf|2005-02-29|2005/03/09|05-3|no|2005-13-01|-5-1-1");
    struct Case {
        std::function<void()> read;
        std::int32_t number;
    };
    const Case cases[] = {
        {[&] { line.int32(0); }, 13}, {[&] { line.int32(1); }, 6}, {[&] { line.real(2); }, 13},
        {[&] { line.real(3); }, 13},  {[&] { line.date(4); }, 13}, {[&] { line.date(5); }, 13},
        {[&] { line.date(6); }, 13},  {[&] { line.text(10); }, 9}, {[&] { line.require(11); }, 9},
        {[&] { line.date(8); }, 13},  {[&] { line.date(9); }, 13}, {[&] { line.int32(0x7fff); }, 9},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(errorNumber(cases[i].read), cases[i].number) << i;
    }
    EXPECT_TRUE(line.flag(7));  // "no" is not exactly "NO"
}
