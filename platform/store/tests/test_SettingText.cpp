#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <optional>

#include <QString>

#include "store/SettingText.h"

using namespace store;

TEST(SettingText, Int32ConvertsNumbersAndRejectsTheRest) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {"199", 199},
        {" -2 ", -2},
        {"+8080", 8080},
        {"2.5", 2},
        {"3.5", 4},
        {"-100.5", -100},
        {"1e3", 1000},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"2147483648", std::nullopt},
        {"+-1", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1,5", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseInt32(QString::fromUtf8(c.text)), c.expected) << c.text;
    }
    EXPECT_EQ(parseInt16("32767"), std::optional<std::int16_t>(32767));
    EXPECT_EQ(parseInt16("32767.5"), std::nullopt);
    EXPECT_EQ(parseInt16("-1"), std::optional<std::int16_t>(-1));
}

TEST(SettingText, SingleRoundTripsAndIgnoresTheProcessLocale) {
    // A locale with a decimal comma (where the machine has one) must not change what is written or read.
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    for (const float value : {12160.0f, -100.0f, 0.1f, 3.4028235e38f, -1.5e-7f}) {
        const QString text = formatSingle(value);
        EXPECT_FALSE(text.contains(QLatin1Char(','))) << text.toStdString();
        EXPECT_EQ(parseSingle(text), value) << text.toStdString();
    }
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(formatSingle(12160.0f), "12160");
    EXPECT_EQ(formatSingle(-60.0f), "-60");
    EXPECT_EQ(parseSingle("1e39"), std::nullopt);
    EXPECT_EQ(parseSingle("12,5"), std::nullopt);
}

TEST(SettingText, BooleanWordsAndNumbers) {
    EXPECT_EQ(formatBool(true), "True");
    EXPECT_EQ(formatBool(false), "False");
    struct Case {
        const char* text;
        std::optional<bool> expected;
    };
    const Case cases[] = {{"True", true},        {"false", false},   {" TRUE ", true},
                          {"-1", true},          {"0", false},       {"1", true},
                          {"yes", std::nullopt}, {"", std::nullopt}, {"Tru", std::nullopt}};
    for (const auto& c : cases) {
        EXPECT_EQ(parseBool(QString::fromUtf8(c.text)), c.expected) << c.text;
    }
}
