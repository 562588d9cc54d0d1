#include <gtest/gtest.h>

#include "appdata/ArabicText.h"

using namespace tarnwick;

namespace {

std::string bytes(std::initializer_list<int> codes) {
    std::string out;
    for (int c : codes) {
        out += static_cast<char>(c);
    }
    return out;
}

}  // namespace

TEST(ArabicLetterTable, LettersWhereTheTableHasThemAndBlanksElsewhere) {
    const auto& table = ArabicLetterTable();
    ASSERT_EQ(table.size(), 96u);
    EXPECT_EQ(table[33], "\u0621");
    EXPECT_EQ(table[58], "\u063A");
    EXPECT_EQ(table[64], "\u0640");
    EXPECT_EQ(table[82], "\u0652");
    for (std::size_t k : {0u, 32u, 59u, 63u, 83u, 95u}) {
        EXPECT_EQ(table[k], " ") << k;
    }
}

TEST(ConvertArabicText, BytePairs) {
    struct Case {
        const char* name;
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"first letter", bytes({216, 161}), "\u0621"},
        {"last low letter", bytes({216, 186}), "\u063A"},
        {"alef", bytes({216, 167}), "\u0627"},
        {"meem", bytes({217, 133}), "\u0645"},
        {"tatweel", bytes({217, 128}), "\u0640"},
        {"sukun", bytes({217, 146}), "\u0652"},
        {"gap in the low half", bytes({216, 160}), " "},
        {"gap after ghain", bytes({216, 187}), " "},
        {"gap after sukun", bytes({217, 147}), " "},
        {"lead before 224 and up is dropped", bytes({217, 224, 'a'}), bytes({224, 'a'})},
        {"dropped lead, then a pair", bytes({216, 230, 216, 167}), bytes({230}) + "\u0627"},
        {"valid pair past the table is kept", bytes({217, 160}), "\u0660"},
        {"Arabic-Indic nine", bytes({217, 169}), "\u0669"},
        {"lead then ASCII below the table is dropped", bytes({216, 'A'}), "A"},
        {"lead then a lead past the table", bytes({217, 216, 167}), "\u0627"},
        {"lone 216 at the end", bytes({'x', 216}), "x"},
        {"lone 217 alone", bytes({217}), ""},
        {"plain text unchanged", "AAPL|Apple Inc.|1|NO", "AAPL|Apple Inc.|1|NO"},
        {"other high bytes unchanged", bytes({195, 169, 200}), bytes({195, 169, 200})},
        {"empty", "", ""},
    };
    for (const Case& tc : cases) {
        EXPECT_EQ(ConvertArabicText(tc.in), tc.out) << tc.name;
    }
}

TEST(ConvertArabicText, AWordBetweenFieldSeparators) {
    // "مصر" (Egypt) as the server sends it: the UTF-8 bytes of each letter.
    const std::string line = "3|Egypt|" + bytes({217, 133, 216, 181, 216, 177}) + "|EG|NO";
    EXPECT_EQ(ConvertArabicText(line), "3|Egypt|\u0645\u0635\u0631|EG|NO");
}
