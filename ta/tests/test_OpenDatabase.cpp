#include <fstream>
#include <sstream>

#include "TestSupport.h"
#include "containers/Database.h"

namespace indikon::test {
namespace {

// data/prices.csv: a title line, a full line, a line of three commas, an empty line, a line separated
// by semicolons and another full line; LF line ends with one at the end.
const std::string kFixture = INDIKON_TEST_DATA "/prices.csv";

std::string readFixture() {
    std::ifstream in(kFixture, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string withLineEnds(std::string text, const std::string& end) {
    std::string out;
    for (char c : text)
        out += c == '\n' ? end : std::string(1, c);
    return out;
}

struct Loaded {
    com::ComPtr<_Database> database = com::makeComObject<Database>();
    com::HRESULT result = com::E_FAIL;

    Loaded(const std::filesystem::path& file, const char16_t* delimiter = u",") {
        result = database->OpenDatabase(com::Bstr::fromUtf8(file.string()), com::Bstr(delimiter));
    }
    std::vector<double> values(const std::u16string& name) const {
        return valuesOf(fieldOf(database.get(), name).get());
    }
    std::u16string date(com::SHORT row) const {
        com::Bstr text;
        fieldOf(database.get(), u"Date")->getStrValue(row, &text);
        return text.text();
    }
};

TEST(OpenDatabase, ReadsEveryLineAsOneRecord) {
    Loaded loaded(kFixture);
    ASSERT_EQ(loaded.result, com::S_OK);
    EXPECT_EQ(recordCount(loaded.database.get()), 6);
    EXPECT_EQ(position(loaded.database.get()), 1);
    com::ComPtr<_RecordSet> records;
    loaded.database->getRecordset(records.put());
    ASSERT_EQ(fieldCount(records.get()), 6);
    const char16_t* names[] = {u"Date", u"Open", u"High", u"Low", u"Close", u"Volume"};
    for (com::SHORT i = 1; i <= 6; ++i) {
        com::Bstr name;
        records->getName(i, &name);
        EXPECT_EQ(name.view(), names[i - 1]);
    }
    EXPECT_EQ(loaded.date(1), u"Date");
    EXPECT_EQ(loaded.date(2), u"2001-05-03");
    EXPECT_EQ(loaded.date(3), u"2001-05-04");
    EXPECT_EQ(loaded.date(4), u"");
    EXPECT_EQ(loaded.date(5), u"");
    EXPECT_EQ(loaded.values(u"Open"), (std::vector<double>{0, 10.5, 1, 0, 0, 12}));
    EXPECT_EQ(loaded.values(u"High"), (std::vector<double>{0, 11, 2, 0, 0, 13}));
    EXPECT_EQ(loaded.values(u"Low"), (std::vector<double>{0, 10, 0, 0, 0, 11.5}));
    EXPECT_EQ(loaded.values(u"Close"), (std::vector<double>{0, 10.75, 0, 0, 0, 12.5}));
    // The short line leaves its last number for Volume; the semicolon line gives Volume 0 (it starts
    // with a letter).
    EXPECT_EQ(loaded.values(u"Volume"), (std::vector<double>{0, 900, 3, 0, 0, 1000}));
}

TEST(OpenDatabase, EveryLineEndGivesTheSameRecords) {
    TempFolder folder;
    const std::string text = readFixture();
    const Loaded reference(kFixture);
    const std::string variants[][2] = {
        {"crlf.csv", withLineEnds(text, "\r\n")},
        {"cr.csv", withLineEnds(text, "\r")},
        {"no-final-end.csv", text.substr(0, text.size() - 1)},
        {"crlf-no-final-end.csv", withLineEnds(text.substr(0, text.size() - 1), "\r\n")},
    };
    for (const auto& [name, bytes] : variants) {
        SCOPED_TRACE(name);
        Loaded loaded(folder.write(name, bytes));
        ASSERT_EQ(loaded.result, com::S_OK);
        EXPECT_EQ(recordCount(loaded.database.get()), 6);
        for (const char16_t* field : {u"Open", u"Close", u"Volume"})
            EXPECT_EQ(loaded.values(field), reference.values(field));
        EXPECT_EQ(loaded.date(6), u"2001-05-08");
    }
}

TEST(OpenDatabase, SemicolonsReadWithTheirOwnDelimiter) {
    TempFolder folder;
    Loaded loaded(folder.write("semi.csv", "2001-05-03;1;2;3;4;5\n"), u";");
    ASSERT_EQ(loaded.result, com::S_OK);
    EXPECT_EQ(loaded.values(u"Close"), (std::vector<double>{4}));
    EXPECT_EQ(loaded.values(u"Volume"), (std::vector<double>{5}));
}

TEST(OpenDatabase, MultiCharacterDelimiterLeavesNothingInTheNextColumn) {
    TempFolder folder;
    Loaded loaded(folder.write("tab.csv", "2001-05-03, 1.5, -2, 3, 4, 5\n"), u", ");
    ASSERT_EQ(loaded.result, com::S_OK);
    EXPECT_EQ(loaded.date(1), u"2001-05-03");
    EXPECT_EQ(loaded.values(u"Open"), (std::vector<double>{1.5}));
    EXPECT_EQ(loaded.values(u"High"), (std::vector<double>{-2}));
    EXPECT_EQ(loaded.values(u"Volume"), (std::vector<double>{5}));
}

TEST(OpenDatabase, LargestFileLoadsAndOneLineMoreOverflows) {
    TempFolder folder;
    std::string lines;
    for (int i = 1; i <= 32767; ++i)
        lines += "d," + std::to_string(i) + ",0,0,0,0\n";
    Loaded largest(folder.write("largest.csv", lines));
    ASSERT_EQ(largest.result, com::S_OK);
    EXPECT_EQ(recordCount(largest.database.get()), 32767);
    double last = 0;
    fieldOf(largest.database.get(), u"Open")->getValue(32767, &last);
    EXPECT_EQ(last, 32767);

    Loaded tooLarge(folder.write("too-large.csv", lines + "d,0,0,0,0,0\n"));
    EXPECT_TRUE(failedWith(tooLarge.result, {1012, "OpenDatabase", "Overflow"}));
}

TEST(OpenDatabase, FailuresCarryTheDescriptionUnderneath) {
    TempFolder folder;
    EXPECT_TRUE(failedWith(Loaded(folder.write("empty.csv", "")).result,
                           {1012, "OpenDatabase", "Subscript out of range"}));
    EXPECT_TRUE(failedWith(Loaded(folder.path()).result, {1012, "OpenDatabase", "Path/File access error"}));
    EXPECT_TRUE(
        failedWith(Loaded(folder.path() / "missing.csv").result, {1012, "OpenDatabase", "File not found"}));
}

TEST(OpenDatabase, FailedLoadKeepsThePositionAndLeavesNoFieldsInTheSet) {
    Loaded loaded(kFixture);
    loaded.database->setPosition(4);
    EXPECT_NE(loaded.database->OpenDatabase(com::Bstr(u"/nonexistent"), com::Bstr(u",")), com::S_OK);
    com::clearErrorInfo();
    EXPECT_EQ(position(loaded.database.get()), 4);
    com::ComPtr<_RecordSet> records;
    loaded.database->getRecordset(records.put());
    ASSERT_NE(records, nullptr);
    EXPECT_EQ(fieldCount(records.get()), 0);
}

TEST(OpenDatabase, ReloadReplacesFieldsAndEarlierFieldsKeepTheirValues) {
    TempFolder folder;
    Loaded loaded(folder.write("one.csv", "a,1,1,1,1,1\n"));
    com::ComPtr<_Field> earlier = fieldOf(loaded.database.get(), u"Close");
    ASSERT_EQ(loaded.database->OpenDatabase(
                  com::Bstr::fromUtf8(folder.write("two.csv", "b,2,2,2,2,2\nc,3,3,3,3,3\n").string()),
                  com::Bstr(u",")),
              com::S_OK);
    EXPECT_EQ(valuesOf(earlier.get()), (std::vector<double>{1}));
    EXPECT_EQ(valuesOf(fieldOf(loaded.database.get(), u"Close").get()), (std::vector<double>{2, 3}));
}

}  // namespace
}  // namespace indikon::test
