// The language table as compiled into the program: complete, exact English texts, a full Arabic half.
#include <gtest/gtest.h>

#include <QString>

#include <set>
#include <utility>
#include <vector>

#include "ArabicLetters.h"
#include "frame/LanguageTable.h"
#include "frame/RunTimeError.h"

namespace {

// The English texts every window and message relies on, character for character (typos and blanks
// included). Rows 3, 4 and 107 are free legal texts and are checked separately.
const std::vector<std::pair<int, const char*>> kEnglishRows = {
    {0, "About Tarnwick"},
    {1, "Tarnwick"},
    {2, "Version"},
    {5, "OK"},
    {14, "Cancel"},
    {24, "Connection Problem"},
    {26, "Data Update"},
    {27, "Operation has been canceled"},
    {28, "Connecting to Tarnwick Data Server "},
    {29, "Please wait..."},
    {30, "Connected to Tarnwick Data Server "},
    {31, "Requesting data..."},
    {32, "Waiting for data..."},
    {33, "Receiving data..."},
    {34, "Downloading "},
    {35, " KB of "},
    {36, " KB"},
    {37, "No new data. Data is already up-to-date."},
    {38, "Data is successfully received."},
    {39, "Invalid data received, please try again."},
    {40, "Processing data..."},
    {41, "Data is successfully updated."},
    {42, "Periods"},
    {43, "Template"},
    {44, "Comparison"},
    {45, "Chart Settings"},
    {46, "Period:"},
    {47, "Interval:"},
    {48, "Adjust data"},
    {49, "Symbol:"},
    {50, "Jump"},
    {51, "Search"},
    {52, "Chart Template:"},
    {53, "Compare with Sector Index"},
    {54, "Compare with General Index"},
    {55, "1 Month"},
    {56, "3 Months"},
    {57, "6 Month"},
    {58, "Year-to-Date"},
    {59, "1 Year"},
    {60, "2 Years"},
    {61, "3 Years"},
    {62, "5 Years"},
    {63, "10 Years"},
    {64, "All"},
    {65, "Daily"},
    {66, "Weekly"},
    {67, "Monthly"},
    {68, "Save Chart as Image"},
    {69, "Save to Selected Chart Template"},
    {70, "Save as New Chart Template"},
    {71, "Delete Selected Chart Template"},
    {72, "Rename Selected Chart Template"},
    {73, "Update Data via Internet"},
    {77, "Compnay name:"},
    {78, "Market:"},
    {79, "Sector:"},
    {80, "Search for Indices only"},
    {81, "Search"},
    {82, "Add Company"},
    {83, "Enter Symbol:"},
    {84, "Add >"},
    {85, "Chart Values"},
    {86, "Date"},
    {87, "Price"},
    {88, "Open"},
    {89, "High"},
    {90, "Low"},
    {91, "Close"},
    {92, "Symbol"},
    {93, "Name"},
    {94, "Market"},
    {95, "Sector"},
    {96, "WatchList"},
    {97, "Index"},
    {98, "New"},
    {99, "Note"},
    {100, "Market Commentary - All Notes"},
    {101, "Show for selected company"},
    {102, "Show all"},
    {103, "Market Commentary - "},
    {104, "Commentary"},
    {105, "Disclaimer..."},
    {106, "Disclaimer"},
    {108, "Do not show this disclaimer again."},
    {109, "&File"},
    {110, "&View"},
    {111, "&Chart Template"},
    {112, "&WatchList"},
    {113, "&Databank"},
    {114, "&Help"},
    {115, "Create New WatchList"},
    {116, "Rename Selected WatchList"},
    {117, "Delete Selected WatchList"},
    {118, "Add Company to Selected WatchList"},
    {119, "Remove Company from Selected WatchList"},
    {120, "Print Chart..."},
    {121, "Print Preview..."},
    {122, "E&xit"},
    {123, "Market Commentary"},
    {124, "Content"},
    {125, "Frequently Asked Questions"},
    {126, "Tarnwick Support"},
    {127, "Add New WatchList"},
    {128, "Name:"},
    {129, "Rename WatchList"},
    {130, "Are you sure you want to delete this Chart Template '"},
    {131, "'?"},
    {132, "Are you sure you want to delete this WatchList '"},
    {133, "Incompatible data, cannot open Tarnwick."},
    {134, "Name is missing"},
    {135, "No such symbol."},
    {136, "No company selected."},
    {137, "Message from Tarnwick"},
    {138, "Show Price As"},
    {139, "Line"},
    {140, "High-Low-Close"},
    {141, "Open-High-Low-Close"},
    {142, "Candlestick"},
    {143, "Moving Averages"},
    {144, "Studies"},
    {145, "Other Technical Studies"},
    {146, "Technical Drawing"},
    {147, "Color"},
    {148, "Zoom In"},
    {149, "Data Editor"},
    {150, "Legend Box"},
    {151, "Font..."},
    {152, "Properties..."},
    {153, "Edit Title"},
    {154, "Copy to Clipboard"},
    {155, "As a Bitmap"},
    {156, "As a Metafile"},
    {157, "Vertical Grid"},
    {158, "Horizontal Grid"},
    {159, "Print Preview"},
    {160, "Print"},
    {161, "Grid"},
    {162, "Rectangle"},
    {163, "Arrow/Line"},
    {164, "Circle"},
    {165, "Text Box"},
    {166, "Picture"},
    {167, "Baloon with text"},
    {168, "Arc"},
    {169, "Background Color"},
    {170, "Foreground (Border) Color"},
    {171, "Pointer"},
    {172, "Copy"},
    {173, "Paste"},
    {174, "Bring to front"},
    {175, "Send to back"},
    {176, "Cut"},
    {177, "Delete"},
    {178, "Group"},
    {179, "Ungroup"},
    {180, "Flip Vertical"},
    {181, "Flip Horizontal"},
    {182, "Rotate Left"},
    {183, "Rotate Right"},
    {184, "Rotate/Flip"},
    {185, "Data Adjustment"},
    {186, "<No Selected Template>"},
    {187, "Switch Language to Arabic"},
    {188, "Language will be switched the next time you open Tarnwick."},
    {189, "All"},
    {190, "Add Company..."},
    {191, "Remove Company..."},
    {192, "Zoom Out"},
    {193, "Add"},
    {194, "Remove All"},
    {195, "Volume"},
    {196, "Internet Connection Settings"},
    {197, "Internet Connection Settings..."},
    {198, "I use proxy server."},
    {199, "Server:"},
    {200, "Port:"},
    {201, "User name:"},
    {202, "Password:"},
    {203,
     "Your Internet connection will automatically be detected. Change these settings only if you have "
     "trouble with the default connection settings."},
    {204, "Import Data from File"},
    {205, "Updating data..."},
    {206, "Data is successfuly updated."},
    {207, "Invalid value."},
    {208, "Invalid Data"},
};

const std::set<int> kEmptyRows = {6,  7,  8,  9,  10, 11, 12, 13, 15, 16,  17,
                                  18, 19, 20, 21, 22, 25, 74, 75, 76, 209, 210};

QString english(int row) {
    return gLangStrings[static_cast<size_t>(frame::langStringIndex(row, false))];
}

QString arabic(int row) {
    return gLangStrings[static_cast<size_t>(frame::langStringIndex(row, true))];
}

using frame::test::hasArabicLetters;

class LanguageTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        gArabic = false;
        LoadLanguageStrings();
    }
    void TearDown() override { gArabic = false; }
};

TEST_F(LanguageTableTest, HoldsTwoHalvesOf211Rows) {
    EXPECT_EQ(gLangStrings.size(), 422u);
    for (int row = 0; row < frame::kLangRowCount; ++row) {
        SCOPED_TRACE(row);
        const bool empty = kEmptyRows.count(row) > 0;
        EXPECT_EQ(english(row).isEmpty(), empty);
        EXPECT_EQ(arabic(row).isEmpty(), empty);
    }
}

TEST_F(LanguageTableTest, KeepsTheEnglishTextsExactly) {
    for (const auto& [row, text] : kEnglishRows) {
        SCOPED_TRACE(row);
        EXPECT_EQ(english(row), QString::fromUtf8(text));
    }
    EXPECT_EQ(
        english(23),
        QStringLiteral(
            "Unable to connect to Tarnwick Server.\r\nPlease check your Internet connection and try again."));
}

TEST_F(LanguageTableTest, LegalTextsAreWritten) {
    EXPECT_TRUE(english(3).contains(QStringLiteral("Velbrook")));
    EXPECT_TRUE(arabic(3).contains(QStringLiteral("Velbrook")));
    EXPECT_GT(english(4).size(), 100);
    // The disclaimer is two paragraphs in both languages.
    EXPECT_EQ(english(107).count(QStringLiteral("\r\n")), 1);
    EXPECT_EQ(arabic(107).count(QStringLiteral("\r\n")), 1);
    EXPECT_TRUE(english(107).contains(QStringLiteral("\"as is\"")));
    EXPECT_EQ(english(107).count(QLatin1Char('\n')), 1);
}

TEST_F(LanguageTableTest, FixedArabicRows) {
    EXPECT_EQ(arabic(5), QStringLiteral("موافق"));
    EXPECT_EQ(arabic(187), QStringLiteral("تغيير  الى اللغة الانجليزية"));
    EXPECT_EQ(arabic(206), arabic(41));
    EXPECT_EQ(arabic(1), QStringLiteral("Tarnwick"));
    EXPECT_EQ(arabic(23).count(QStringLiteral("\r\n")), 1);
}

TEST_F(LanguageTableTest, ArabicHalfIsArabic) {
    for (int row = 0; row < frame::kLangRowCount; ++row) {
        SCOPED_TRACE(row);
        EXPECT_FALSE(hasArabicLetters(english(row)));
        if (row != 1 && !arabic(row).isEmpty()) {
            EXPECT_TRUE(hasArabicLetters(arabic(row)));
        }
    }
}

// What code appends to, shows as an accelerator or names must survive translation.
TEST_F(LanguageTableTest, ArabicRowsKeepBlanksAcceleratorsAndNames) {
    for (int row = 0; row < frame::kLangRowCount; ++row) {
        SCOPED_TRACE(row);
        const QString en = english(row), ar = arabic(row);
        EXPECT_EQ(en.endsWith(QLatin1Char(' ')), ar.endsWith(QLatin1Char(' ')));
        EXPECT_EQ(en.startsWith(QLatin1Char(' ')), ar.startsWith(QLatin1Char(' ')));
        EXPECT_EQ(en.count(QLatin1Char('&')), ar.count(QLatin1Char('&')));
        EXPECT_EQ(en.count(QStringLiteral("\r\n")), ar.count(QStringLiteral("\r\n")));
        EXPECT_EQ(en.contains(QStringLiteral("Tarnwick")), ar.contains(QStringLiteral("Tarnwick")));
    }
    for (const int row : {28, 30, 34, 35, 103})
        EXPECT_TRUE(english(row).endsWith(QLatin1Char(' '))) << row;
}

TEST_F(LanguageTableTest, GetLangStringFollowsTheLanguageFlag) {
    EXPECT_EQ(GetLangString(0), QStringLiteral("About Tarnwick"));
    EXPECT_EQ(GetLangString(28), QStringLiteral("Connecting to Tarnwick Data Server "));
    gArabic = true;
    EXPECT_EQ(GetLangString(0), gLangStrings[211]);
    EXPECT_EQ(GetLangString(5), QStringLiteral("موافق"));
    for (const bool language : {false, true}) {
        gArabic = language;
        EXPECT_TRUE(GetLangString(209).isEmpty());
        EXPECT_TRUE(GetLangString(210).isEmpty());
    }
}

TEST_F(LanguageTableTest, GetLangStringRejectsRowsOutsideTheTable) {
    for (const int32_t index : {211, -1, 421, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(index);
        try {
            GetLangString(index);
            ADD_FAILURE() << "no error";
        } catch (const frame::RunTimeError& e) {
            EXPECT_EQ(e.number(), 9);
        }
    }
}

}  // namespace

namespace {

// The message rows after the table: the English texts word for word, Arabic texts of their own with
// the same number place, and no row of the table reachable through them.
TEST_F(LanguageTableTest, GetLangMessageReadsTheMessageRowsInTheCurrentLanguage) {
    const std::pair<int32_t, const char*> messages[] = {
        {211,
         "%1 row(s) of the file could not be stored (see the error log). The update tags of the markets "
         "concerned are unchanged, so that their data is asked for again."},
        {212,
         "The imported data could not be stored (is the disk full?); nothing of the file was kept. Import it "
         "again when the problem is solved."},
    };
    for (const auto& [row, text] : messages) {
        SCOPED_TRACE(row);
        gArabic = false;
        const QString en = GetLangMessage(row);
        EXPECT_EQ(en, QString::fromUtf8(text));
        gArabic = true;
        const QString ar = GetLangMessage(row);
        EXPECT_TRUE(hasArabicLetters(ar)) << ar.toStdString();
        EXPECT_EQ(ar.count(QStringLiteral("%1")), en.count(QStringLiteral("%1")));
    }
    for (const int32_t row : {210, 213, 0, -1, INT32_MIN}) {
        SCOPED_TRACE(row);
        try {
            GetLangMessage(row);
            ADD_FAILURE() << "no error";
        } catch (const frame::RunTimeError& e) {
            EXPECT_EQ(e.number(), 9);
        }
    }
}

}  // namespace
