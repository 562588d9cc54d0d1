#include <gtest/gtest.h>

#include "com/Bstr.h"
#include "com/Text.h"

using com::Bstr;
using com::utf16ToUtf8;
using com::utf8ToUtf16;

TEST(Text, RoundTripsEveryEncodingLength) {
    // 1, 2, 3 and 4 byte sequences: 'A', e-acute, Arabic alef, U+1F600 (a surrogate pair in UTF-16).
    const std::string utf8 = "A\xC3\xA9\xD8\xA7\xE2\x82\xAC\xF0\x9F\x98\x80";
    const std::u16string utf16 = u"A\u00E9\u0627\u20AC\U0001F600";
    EXPECT_EQ(utf8ToUtf16(utf8), utf16);
    EXPECT_EQ(utf16ToUtf8(utf16), utf8);
    EXPECT_EQ(utf8ToUtf16(utf8).size(), 6u);
}

TEST(Text, MalformedUtf8BecomesReplacementCharacters) {
    struct Case {
        const char* name;
        std::string input;
        std::u16string expected;
    };
    const Case cases[] = {
        {"stray continuation", "a\x80z", u"a\uFFFDz"},
        {"truncated at end", "a\xE2\x82", u"a\uFFFD"},
        {"truncated before ASCII", "\xE2\x82z", u"\uFFFDz"},
        {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"overlong three bytes", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"invalid lead FF", "\xFF", u"\uFFFD"},
        {"NUL kept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8ToUtf16(c.input), c.expected) << c.name;
}

TEST(Text, UnpairedSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(utf16ToUtf8(u"a\xD800z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(utf16ToUtf8(u"\xDC00"), "\xEF\xBF\xBD");
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xD83D')), "\xEF\xBF\xBD");  // high surrogate at the end
}

TEST(Bstr, NullIsDistinctFromEmpty) {
    const Bstr null;
    const Bstr empty(u"");
    EXPECT_TRUE(null.isNull());
    EXPECT_FALSE(empty.isNull());
    EXPECT_TRUE(null.isEmpty());
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(null.length(), 0u);
    EXPECT_NE(null, empty);
    EXPECT_LT(null, empty);
    EXPECT_EQ(null.view(), empty.view());
    EXPECT_EQ(null.toUtf8(), "");
    EXPECT_TRUE(Bstr(static_cast<const char16_t*>(nullptr)).isNull());
    EXPECT_FALSE(Bstr::fromUtf8("").isNull());
}

TEST(Bstr, Utf8RoundTripLengthAndOrder) {
    const Bstr arabic = Bstr::fromUtf8("\xD8\xB3\xD9\x87\xD9\x85");  // three Arabic letters
    EXPECT_EQ(arabic.length(), 3u);
    EXPECT_EQ(arabic.toUtf8(), "\xD8\xB3\xD9\x87\xD9\x85");
    EXPECT_EQ(Bstr(u"abc"), Bstr::fromUtf8("abc"));
    EXPECT_LT(Bstr(u"abc"), Bstr(u"abd"));
    EXPECT_LT(Bstr(u"ab"), Bstr(u"abc"));
}
