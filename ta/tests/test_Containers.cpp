#include <utility>

#include "PriceSet.h"
#include "TestSupport.h"
#include "containers/Database.h"
#include "containers/Field.h"
#include "containers/Note.h"
#include "containers/RecordSet.h"

namespace indikon::test {
namespace {

TEST(DatabaseCursor, AcceptsOneToJustPastTheLastRecord) {
    com::ComPtr<_Database> database = makeDatabase({1, 2, 3});
    EXPECT_EQ(database->setPosition(4), com::S_OK);
    EXPECT_EQ(position(database.get()), 4);
    EXPECT_TRUE(failedWith(database->setPosition(5), {1001, "setPosition", "EOF"}));
    EXPECT_EQ(position(database.get()), 4) << "a refused move leaves the cursor";
    EXPECT_EQ(database->setPosition(3), com::S_OK);
    EXPECT_EQ(database->MoveNext(), com::S_OK);
    EXPECT_EQ(position(database.get()), 4);
    EXPECT_TRUE(failedWith(database->MoveNext(), {1001, "setPosition", "EOF"}));
    EXPECT_EQ(database->MoveLast(), com::S_OK);
    EXPECT_EQ(position(database.get()), 3);
}

TEST(DatabaseCursor, NewDatabaseIsEmptyAndStillMovesFirst) {
    com::ComPtr<_Database> database = com::makeComObject<Database>();
    EXPECT_EQ(recordCount(database.get()), 0);
    EXPECT_EQ(position(database.get()), 0);
    EXPECT_EQ(database->MoveFirst(), com::S_OK);
    EXPECT_EQ(position(database.get()), 1);
    EXPECT_TRUE(failedWith(database->setPosition(2), {1001, "setPosition", "EOF"}));
}

TEST(DatabaseCursor, MovingPastTheLargestPositionOverflows) {
    std::vector<double> closes(32767, 1.0);
    com::ComPtr<_Database> database = makeDatabase(closes);
    EXPECT_EQ(recordCount(database.get()), 32767);
    EXPECT_EQ(database->MoveLast(), com::S_OK);
    EXPECT_TRUE(failedWith(database->MoveNext(), {6, "Indikon", "Overflow"}));
    EXPECT_EQ(position(database.get()), 32767);
}

TEST(DatabaseCursor, CloseDatabaseDropsTheRecordSet) {
    com::ComPtr<_Database> database = makeDatabase({1, 2});
    EXPECT_EQ(database->CloseDatabase(), com::S_OK);
    EXPECT_EQ(recordCount(database.get()), -1);
    EXPECT_EQ(position(database.get()), -1);
    com::ComPtr<_RecordSet> records;
    EXPECT_EQ(database->getRecordset(records.put()), com::S_OK);
    EXPECT_EQ(records, nullptr);
}

TEST(DatabaseCursor, RecordsetCacheTakesTheCountOfOpenAndKeepsThePosition) {
    com::ComPtr<_Database> database = makeDatabase({1, 2, 3});
    database->setPosition(3);
    com::ComPtr<_RecordSet> records;
    database->getRecordset(records.put());
    com::ComPtr<_Database> other = makeDatabase({5, 6});
    EXPECT_EQ(other->setPosition(2), com::S_OK);
    EXPECT_EQ(other->putref_RecordsetCache(records.get()), com::S_OK);
    EXPECT_EQ(recordCount(other.get()), 3);
    EXPECT_EQ(position(other.get()), 2);
}

TEST(RecordSet, FindsNamesWithoutCaseAndTheFirstOfTwins) {
    com::ComPtr<_RecordSet> records = com::makeComObject<RecordSet>();
    records->addField(makeField({1}, u"Close").get());
    records->addField(makeField({7}, u"MA").get());
    records->addField(makeField({9}, u"MA").get());
    com::SHORT index = 0;
    EXPECT_EQ(records->getIndex(com::Bstr(u"close"), &index), com::S_OK);
    EXPECT_EQ(index, 1);
    double value = 0;
    EXPECT_EQ(records->getValue(com::Bstr(u"ma"), 1, &value), com::S_OK);
    EXPECT_EQ(value, 7);
    com::VARIANT_BOOL valid = 0;
    records->isValidField(com::Bstr(u"CLOSE"), &valid);
    EXPECT_EQ(valid, com::VARIANT_TRUE);
}

TEST(RecordSet, HoldsFieldsByReference) {
    com::ComPtr<_Field> shared = makeField({1, 2}, u"Shared");
    com::ComPtr<_RecordSet> first = com::makeComObject<RecordSet>();
    com::ComPtr<_RecordSet> second = com::makeComObject<RecordSet>();
    first->addField(shared.get());
    second->addField(shared.get());
    EXPECT_EQ(first->setValue(com::Bstr(u"Shared"), 2, 42), com::S_OK);
    double value = 0;
    second->getValue(com::Bstr(u"Shared"), 2, &value);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(fieldOf(second.get(), u"Shared").get(), shared.get());
}

TEST(RecordSet, RemoveFieldClosesTheGapAndEmptiesOnTheLast) {
    com::ComPtr<_RecordSet> records = com::makeComObject<RecordSet>();
    for (const char16_t* name : {u"A", u"B", u"C"})
        records->addField(makeField({1}, name).get());
    EXPECT_EQ(records->removeField(com::Bstr(u"b")), com::S_OK);
    com::Bstr name;
    records->getName(2, &name);
    EXPECT_EQ(name.view(), u"C");
    EXPECT_TRUE(failedWith(
        records->removeField(com::Bstr(u"B")),
        {1105, "Recordset.removeFields.ArrayOutOfBounds", "An unexpected out of bounds error has occured"}));
    EXPECT_EQ(fieldCount(records.get()), 2);
    records->removeField(com::Bstr(u"A"));
    records->removeField(com::Bstr(u"C"));
    EXPECT_EQ(fieldCount(records.get()), 0);
    com::VARIANT_BOOL valid = -1;
    EXPECT_EQ(records->isValidField(com::Bstr(u"A"), &valid), com::S_OK);
    EXPECT_EQ(valid, com::VARIANT_FALSE);
}

TEST(Field, InitializeAgainStartsAfreshWithANewNote) {
    com::ComPtr<_Field> field = makeField({3, 4, 5}, u"F");
    com::ComPtr<_Note> oldNote;
    field->getNote(oldNote.put());
    oldNote->setPeriod(7);
    field->setStrValue(1, com::Bstr(u"x"));
    EXPECT_EQ(field->initialize(2, com::Bstr(u"G")), com::S_OK);
    EXPECT_EQ(valuesOf(field.get()), (std::vector<double>{0, 0}));
    com::Bstr text(u"not read");
    field->getStrValue(1, &text);
    EXPECT_EQ(text.view(), u"");
    com::ComPtr<_Note> newNote;
    field->getNote(newNote.put());
    EXPECT_NE(newNote.get(), oldNote.get());
    com::SHORT period = -1;
    newNote->getPeriod(&period);
    EXPECT_EQ(period, 0);
}

TEST(Field, TextsAndNoteAreThereBeforeTheyAreWritten) {
    com::ComPtr<_Field> field = makeField({3, 4, 5}, u"F");
    com::Bstr text;
    EXPECT_EQ(field->getStrValue(3, &text), com::S_OK);
    EXPECT_FALSE(text.isNull());
    EXPECT_EQ(text.view(), u"");
    EXPECT_EQ(field->setStrValue(2, com::Bstr(u"y")), com::S_OK);
    for (const auto& [row, expected] : {std::pair{1, u""}, {2, u"y"}, {3, u""}}) {
        field->getStrValue(static_cast<com::SHORT>(row), &text);
        EXPECT_EQ(text.view(), expected) << row;
    }
    EXPECT_TRUE(
        failedWith(field->getStrValue(4, &text), {1105, "Field.getStrValue.ArrayOutOfBounds", kOutOfBounds}));

    // The note asked for twice is one note; a note set replaces it.
    com::ComPtr<_Note> first;
    com::ComPtr<_Note> second;
    field->getNote(first.put());
    field->getNote(second.put());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first.get(), second.get());
    com::ComPtr<_Note> own = com::makeComObject<Note>();
    field->setNote(own.get());
    com::ComPtr<_Note> third;
    field->getNote(third.put());
    EXPECT_EQ(third.get(), own.get());
}

TEST(Field, NoRecordsCannotBeAllocated) {
    com::ComPtr<_Field> field = com::makeComObject<Field>();
    EXPECT_TRUE(failedWith(field->initialize(0, com::Bstr(u"F")), {9, "Indikon", "Subscript out of range"}));
}

TEST(Field, DestroyKeepsTheCountButNotTheValues) {
    com::ComPtr<_Field> field = makeField({1, 2}, u"F");
    field->destroy();
    com::SHORT count = 0;
    field->getRecordCount(&count);
    EXPECT_EQ(count, 2);
    double value = 0;
    EXPECT_NE(field->getValue(1, &value), com::S_OK);
    com::clearErrorInfo();
}

}  // namespace
}  // namespace indikon::test
