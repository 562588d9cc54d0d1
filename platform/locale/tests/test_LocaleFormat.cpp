#include <gtest/gtest.h>

#include "locale/LocaleFormat.h"
#include "locale/LocaleRegistry.h"

namespace loc {
namespace {

NumberFormat numberFormat(std::uint32_t digits, std::uint32_t grouping, std::uint32_t negativeOrder,
                          std::uint32_t leadingZero = 1) {
    NumberFormat f;
    f.digits = digits;
    f.grouping = grouping;
    f.negativeOrder = negativeOrder;
    f.leadingZero = leadingZero;
    return f;
}

struct NumberCase {
    const char* value;
    NumberFormat format;
    const char* expected;
};

TEST(FormatNumber, RoundsHalfAwayGroupsAndOrdersNegatives) {
    const NumberCase cases[] = {
        {"0.125", numberFormat(2, 3, 1), "0.13"},
        {"-0.125", numberFormat(2, 3, 1), "-0.13"},
        {"0.124999", numberFormat(2, 3, 1), "0.12"},
        {"9.995", numberFormat(2, 3, 1), "10.00"},
        {"999.5", numberFormat(0, 3, 1), "1,000"},
        {"1234567.891", numberFormat(2, 3, 1), "1,234,567.89"},
        {"1234567", numberFormat(0, 32, 1), "12,34,567"},
        {"1234567", numberFormat(0, 30, 1), "1234,567"},
        {"1234567", numberFormat(0, 0, 1), "1234567"},
        {"123", numberFormat(1, 3, 1), "123.0"},
        {"0.5", numberFormat(2, 3, 1, 0), ".50"},
        {"0", numberFormat(0, 3, 1, 0), "0"},
        {"-0.001", numberFormat(2, 3, 1), "0.00"},
        {"-1.5", numberFormat(1, 3, 0), "(1.5)"},
        {"-1.5", numberFormat(1, 3, 2), "- 1.5"},
        {"-1.5", numberFormat(1, 3, 3), "1.5-"},
        {"-1.5", numberFormat(1, 3, 4), "1.5 -"},
        {".5", numberFormat(1, 3, 1), "0.5"},
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(formatNumber(LOCALE_USER_DEFAULT, c.value, &c.format), c.expected) << c.value;
}

TEST(FormatNumber, RefusesWhatThePlatformRefuses) {
    const NumberFormat good = numberFormat(2, 3, 1);
    for (const char* bad : {"", "-", ".", "1,5", "inf", "nan", "1e5", " 1", "1.2.3", "--1"})
        EXPECT_FALSE(formatNumber(LOCALE_USER_DEFAULT, bad, &good)) << bad;
    for (const NumberFormat& f :
         {numberFormat(10, 3, 1), numberFormat(2, 3, 5), numberFormat(2, 1000, 1), numberFormat(2, 303, 1)})
        EXPECT_FALSE(formatNumber(LOCALE_USER_DEFAULT, "1", &f));
}

TEST(FormatNumber, SeparatorsOfSeveralBytes) {
    NumberFormat f = numberFormat(2, 3, 1);
    f.decimalSeparator = "\xD9\xAB";       // Arabic decimal separator
    f.thousandSeparator = "\xE2\x80\xAF";  // narrow no-break space
    EXPECT_EQ(formatNumber(LOCALE_USER_DEFAULT, "-12345.6", &f),
              "-12\xE2\x80\xAF"
              "345\xD9\xAB"
              "60");
}

TEST(FormatCurrency, AllSixteenNegativeOrdersAndFourPositive) {
    const char* negatives[] = {"(€1.50)", "-€1.50",  "€-1.50",   "€1.50-",  "(1.50€)", "-1.50€",
                               "1.50-€",  "1.50€-",  "-1.50 €",  "-€ 1.50", "1.50 €-", "€ 1.50-",
                               "€ -1.50", "1.50- €", "(€ 1.50)", "(1.50 €)"};
    CurrencyFormat f;
    f.currencySymbol = "€";
    for (std::uint32_t order = 0; order < 16; ++order) {
        f.negativeOrder = order;
        EXPECT_EQ(formatCurrency(LOCALE_USER_DEFAULT, "-1.5", &f), negatives[order]) << order;
    }
    const char* positives[] = {"€1,234.50", "1,234.50€", "€ 1,234.50", "1,234.50 €"};
    for (std::uint32_t order = 0; order < 4; ++order) {
        f.positiveOrder = order;
        EXPECT_EQ(formatCurrency(LOCALE_USER_DEFAULT, "1234.5", &f), positives[order]) << order;
    }
    f.negativeOrder = 16;
    EXPECT_FALSE(formatCurrency(LOCALE_USER_DEFAULT, "-1", &f));
}

TEST(Grouping, TextToRecordValue) {
    EXPECT_EQ(groupingValue("3;0"), 3u);
    EXPECT_EQ(groupingValue("3;2;0"), 32u);
    EXPECT_EQ(groupingValue("3"), 30u);
    EXPECT_EQ(groupingValue("0"), 0u);
    EXPECT_EQ(groupingValue(""), 0u);
}

class DateFormatTest : public ::testing::Test {
protected:
    void SetUp() override {
        LocaleInfo german;
        german.shortDate = "dd.MM.yyyy";
        german.longDate = "dddd, d. MMMM yyyy";
        german.timeFormat = "HH:mm:ss";
        german.dayNames[3] = "Mittwoch";
        german.monthNames[2] = "März";
        german.abbreviatedMonthNames[2] = "Mär";
        LocaleRegistry::setUserDefault(LocaleInfo::english());
        LocaleRegistry::add(0x407, german);
    }
    void TearDown() override { LocaleRegistry::reset(); }

    // Wednesday 2024-03-06 14:05:09.
    SystemTime time_{2024, 3, 0, 6, 14, 5, 9, 0};
};

TEST_F(DateFormatTest, DefaultPatternsOfEachLocale) {
    EXPECT_EQ(formatDate(LOCALE_USER_DEFAULT, DateForm::Short, time_, std::nullopt), "3/6/2024");
    EXPECT_EQ(formatDate(LOCALE_USER_DEFAULT, DateForm::Long, time_, std::nullopt),
              "Wednesday, March 6, 2024");
    EXPECT_EQ(formatTime(LOCALE_USER_DEFAULT, time_, std::nullopt), "2:05:09 PM");
    EXPECT_EQ(formatDate(0x407, DateForm::Short, time_, std::nullopt), "06.03.2024");
    EXPECT_EQ(formatDate(0x407, DateForm::Long, time_, std::nullopt), "Mittwoch, 6. März 2024");
    EXPECT_EQ(formatTime(0x407, time_, std::nullopt), "14:05:09");
}

TEST_F(DateFormatTest, PicturesQuotesAndLettersOfTheOtherKind) {
    struct Case {
        const char* picture;
        const char* date;
        const char* time;
    };
    const Case cases[] = {
        {"yyyy-MM-dd", "2024-03-06", "yyyy-MM-dd"},
        {"MMM yy", "Mar 24", "MMM yy"},
        {"d/M/y", "6/3/24", "d/M/y"},
        {"ddd", "Wed", "ddd"},
        {"'day' d ''x''", "day 6 'x'", "day d 'x'"},
        {"hh:mm tt", "hh:mm tt", "02:05 PM"},
        {"H' h' m t", "H h m t", "14 h 5 P"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatDate(LOCALE_USER_DEFAULT, DateForm::Short, time_, std::string_view(c.picture)),
                  c.date)
            << c.picture;
        EXPECT_EQ(formatTime(LOCALE_USER_DEFAULT, time_, std::string_view(c.picture)), c.time) << c.picture;
    }
}

TEST_F(DateFormatTest, MidnightAndNoonAndInvalidTimes) {
    SystemTime t = time_;
    t.hour = 0;
    EXPECT_EQ(formatTime(LOCALE_USER_DEFAULT, t, std::string_view("h tt")), "12 AM");
    t.hour = 12;
    EXPECT_EQ(formatTime(LOCALE_USER_DEFAULT, t, std::string_view("h tt")), "12 PM");
    t.hour = 24;
    EXPECT_FALSE(formatTime(LOCALE_USER_DEFAULT, t, std::nullopt));
    SystemTime d = time_;
    d.month = 2;
    d.day = 30;
    EXPECT_FALSE(formatDate(LOCALE_USER_DEFAULT, DateForm::Short, d, std::nullopt));
    d.month = 13;
    d.day = 1;
    EXPECT_FALSE(formatDate(LOCALE_USER_DEFAULT, DateForm::Short, d, std::nullopt));
}

}  // namespace
}  // namespace loc
