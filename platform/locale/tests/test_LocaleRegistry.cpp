#include <gtest/gtest.h>

#include "locale/LocaleFormat.h"
#include "locale/LocaleRegistry.h"

namespace loc {
namespace {

class RegistryTest : public ::testing::Test {
protected:
    void TearDown() override { LocaleRegistry::reset(); }
};

TEST_F(RegistryTest, UnknownIdsReadTheUserDefault) {
    LocaleInfo comma;
    comma.decimalSeparator = ",";
    LocaleRegistry::setUserDefault(comma);
    EXPECT_EQ(LocaleRegistry::find(0x409).decimalSeparator, ",");
    EXPECT_EQ(getLocaleInfo(LOCALE_SYSTEM_DEFAULT, LocaleItem::SDECIMAL), ",");
    EXPECT_FALSE(LocaleRegistry::isKnown(0x409));
    LocaleRegistry::add(0x409, LocaleInfo::english());
    EXPECT_TRUE(LocaleRegistry::isKnown(0x409));
    EXPECT_EQ(getLocaleInfo(0x409, LocaleItem::SDECIMAL), ".");
}

TEST_F(RegistryTest, ItemsAsText) {
    LocaleInfo info;
    info.negativeCurrencyOrder = 8;
    info.dateOrder = DateOrder::DayMonthYear;
    LocaleRegistry::setUserDefault(info);
    EXPECT_EQ(getLocaleInfo(LOCALE_USER_DEFAULT, LocaleItem::INEGCURR), "8");
    EXPECT_EQ(getLocaleInfo(LOCALE_USER_DEFAULT, LocaleItem::IDATE), "1");
    EXPECT_EQ(getLocaleInfo(LOCALE_USER_DEFAULT, LocaleItem::SGROUPING), "3;0");
    EXPECT_EQ(getLocaleInfo(LOCALE_USER_DEFAULT, LocaleItem::S2359), "PM");
}

TEST(PatternFromQt, RewritesQtLetters) {
    EXPECT_EQ(patternFromQt("h:mm:ss AP t"), "h:mm:ss tt");
    EXPECT_EQ(patternFromQt("HH:mm:ss t"), "HH:mm:ss");
    EXPECT_EQ(patternFromQt("h:mm:ss"), "H:mm:ss");
    EXPECT_EQ(patternFromQt("hh:mm:ss.zzz"), "HH:mm:ss");
    EXPECT_EQ(patternFromQt("dddd, d 'de' MMMM yyyy"), "dddd, d 'de' MMMM yyyy");
}

TEST(DateOrderOfPattern, FirstFieldDecides) {
    EXPECT_EQ(dateOrderOfPattern("M/d/yyyy"), DateOrder::MonthDayYear);
    EXPECT_EQ(dateOrderOfPattern("dd.MM.yyyy"), DateOrder::DayMonthYear);
    EXPECT_EQ(dateOrderOfPattern("yyyy-MM-dd"), DateOrder::YearMonthDay);
    EXPECT_EQ(dateOrderOfPattern("'d' yyyy-MM-dd"), DateOrder::YearMonthDay);
}

struct QtCase {
    const char* name;
    const char* decimal;
    const char* grouping;
    int positiveOrder;
    int negativeOrder;
    DateOrder dateOrder;
};

TEST(FromQLocale, SeparatorsOrdersAndDateOrder) {
    const QtCase cases[] = {
        {"en_US", ".", "3;0", 0, 0, DateOrder::MonthDayYear},
        {"de_DE", ",", "3;0", 3, 8, DateOrder::DayMonthYear},
        {"hi_IN", ".", "3;2;0", 0, 2, DateOrder::DayMonthYear},
        {"fr_FR", ",", "3;0", 3, 15, DateOrder::DayMonthYear},
        {"nl_NL", ",", "3;0", 2, 14, DateOrder::DayMonthYear},
        {"ar_SA", "\xD9\xAB", "3;0", 3, 8, DateOrder::DayMonthYear},
    };
    for (const QtCase& c : cases) {
        const LocaleInfo info = LocaleRegistry::fromQLocale(QLocale(QString::fromLatin1(c.name)));
        EXPECT_EQ(info.decimalSeparator, c.decimal) << c.name;
        EXPECT_EQ(info.grouping, c.grouping) << c.name;
        EXPECT_EQ(info.positiveCurrencyOrder, c.positiveOrder) << c.name;
        EXPECT_EQ(info.negativeCurrencyOrder, c.negativeOrder) << c.name;
        EXPECT_EQ(info.dateOrder, c.dateOrder) << c.name;
        EXPECT_EQ(info.currencyDigits, 2) << c.name;
    }
    const LocaleInfo us = LocaleRegistry::fromQLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.currencySymbol, "$");
    EXPECT_EQ(us.dayNames[0], "Sunday");
    EXPECT_EQ(us.abbreviatedMonthNames[11], "Dec");
    EXPECT_EQ(us.amDesignator, "AM");
}

}  // namespace
}  // namespace loc
