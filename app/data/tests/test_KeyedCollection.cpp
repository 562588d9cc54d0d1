#include <gtest/gtest.h>

#include "ErrorNumber.h"
#include "appdata/KeyedCollection.h"

using namespace tarnwick;

namespace {

using tarnwick::test::errorNumber;

struct Thing {
    int value = 0;
};

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
