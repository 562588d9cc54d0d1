#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "TestLocales.h"
#include "com/OleDate.h"
#include "format/DateLabelFormats.h"
#include "format/FormatPicture.h"
#include "format/LocaleFormats.h"
#include "format/ValueFormat.h"
#include "locale/LocaleRegistry.h"

namespace dravik {
namespace {

// Expected texts under the English locale and under the decimal-comma locale.
struct LabelCase {
    double value;
    FormatCode code;
    int decimals;
    const char* english;
    const char* comma;
};

class ValueFormatTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { test::useLocale(comma() ? test::commaLocale() : test::englishLocale()); }
    void TearDown() override { loc::LocaleRegistry::reset(); }

    bool comma() const { return GetParam(); }
    const char* pick(const LabelCase& c) const { return comma() ? c.comma : c.english; }

    // A format prepared for `code` from the user's default locale, as an axis prepares its own.
    static PreparedFormat prepared(FormatCode code, int decimals) {
        PreparedFormat format;
        format.number = DefaultCurrencyRecord();
        PrepareNumberFormat(format.number, code, decimals, loc::LOCALE_USER_DEFAULT);
        return format;
    }

    static double sampleDate() {
        // Wednesday 2024-03-06 14:05:09.
        return *com::toOleDate({2024, 3, 6, 14, 5, 9});
    }
};

TEST_P(ValueFormatTest, NumberKinds) {
    const LabelCase cases[] = {
        {1234.5, FC_PLAIN, 2, "1234.50", "1234,50"},
        {1234.5, FC_NUMBER, 2, "1,234.50", "1.234,50"},
        {-1234.5, FC_NUMBER, 2, "-1,234.50", "-1.234,50"},
        {0.125, FC_NUMBER, 2, "0.13", "0,13"},
        {1234567.0, FC_NUMBER, 0, "1,234,567", "1.234.567"},
        {1234.5, FC_CURRENCY, 2, "$1,234.50", "1.234,50 €"},
        {-1234.5, FC_CURRENCY, 2, "($1,234.50)", "-1.234,50 €"},
        {-0.001, FC_CURRENCY, 2, "$0.00", "0,00 €"},
        {12345.678, FC_SCIENTIFIC, 2, "1.23e+04", "1,23e+04"},
        {0.125, FC_PERCENT, 1, "12.5%", "12,5%"},
        {-0.5, FC_PERCENT, 0, "-50%", "-50%"},
        {2.5, 9, 0, "3", "3"},
    };
    for (const LabelCase& c : cases) {
        const PreparedFormat format = prepared(c.code, c.decimals);
        EXPECT_EQ(formatValueText(c.value, c.code, c.decimals, format, loc::LOCALE_USER_DEFAULT), pick(c))
            << c.value << " code " << c.code;
    }
}

TEST_P(ValueFormatTest, DateKindsWithAndWithoutPictures) {
    struct DateCase {
        FormatCode code;
        const char* picture;
        const char* english;
        const char* comma;
    };
    const DateCase cases[] = {
        {FC_DATE, "", "3/6/2024", "06.03.2024"},
        {FC_LONGDATE, "", "Wednesday, March 6, 2024", "Mittwoch, 6. März 2024"},
        {FC_TIME, "", "2:05:09 PM", "14:05:09"},
        {FC_DATETIME, "", "3/6/2024 2:05:09 PM", "06.03.2024 14:05:09"},
        {FC_PICTURE | FC_DATE, "MMM yy", "Mar 24", "Mär 24"},
        {FC_PICTURE | FC_DATE, "yyyy", "2024", "2024"},
        {FC_PICTURE | FC_TIME, "HH'h'mm", "14h05", "14h05"},
        {FC_PICTURE | FC_DATETIME, "dd/MM/yyyy HH:mm", "06/03/2024 14:05", "06/03/2024 14:05"},
        {FC_PICTURE | FC_DATETIME, "hh:mm tt", "02:05 PM", "02:05 "},
        // The picture is used only with bit 15.
        {FC_DATE, "yyyy", "3/6/2024", "06.03.2024"},
    };
    for (const DateCase& c : cases) {
        PreparedFormat format;
        format.setPicture(c.picture);
        EXPECT_EQ(formatValueText(sampleDate(), c.code, 2, format, loc::LOCALE_USER_DEFAULT),
                  comma() ? c.comma : c.english)
            << c.code << " " << c.picture;
    }
}

TEST_P(ValueFormatTest, FailedFormattingGivesAnEmptyText) {
    const PreparedFormat number = prepared(FC_NUMBER, 2);
    const double inf = std::numeric_limits<double>::infinity();
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(FormatValue(buffer, sizeof buffer, inf, FC_NUMBER, 2, number, loc::LOCALE_USER_DEFAULT), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(FormatValue(buffer, sizeof buffer, 1e10, FC_DATE, 2, number, loc::LOCALE_USER_DEFAULT), 0);
    // A record no formatting call accepts.
    PreparedFormat broken = number;
    broken.number.negativeOrder = 77;
    EXPECT_EQ(FormatValue(buffer, sizeof buffer, -1.0, FC_NUMBER, 2, broken, loc::LOCALE_USER_DEFAULT), 0);
    broken.number.digits = -3;  // counts as 0 decimals
    broken.number.setDecimal("");
    broken.number.negativeOrder = 1;
    EXPECT_EQ(formatValueText(-1.5, FC_NUMBER, 2, broken, loc::LOCALE_USER_DEFAULT), "-2");
    EXPECT_EQ(formatValueText(1.25, FC_PLAIN, 1, broken, loc::LOCALE_USER_DEFAULT), "1.3");
}

TEST_P(ValueFormatTest, BufferBoundsAndLengths) {
    const PreparedFormat currency = prepared(FC_CURRENCY, 2);
    char buffer[6];
    const int length = FormatValue(buffer, sizeof buffer, 1234.5, FC_CURRENCY, 2, currency, 0x400);
    EXPECT_EQ(length, 5);
    EXPECT_EQ(std::strlen(buffer), 5u);
    EXPECT_EQ(FormatValue(nullptr, 0, 1.0, FC_NUMBER, 2, currency, 0x400), 0);
}

TEST_P(ValueFormatTest, AxisValues) {
    const LabelCase cases[] = {
        {1e308, FC_NUMBER, 2, "", ""},
        {1500.0, FC_NUMBER, 1, "1.5", "1.5"},  // scale unit 1000 below
        {1234.5, FC_SCIENTIFIC, 1, "1.2e+00", "1.2e+00"},
        {125.0, FC_PERCENT, 1, "12.5", "12.5"},
    };
    for (const LabelCase& c : cases)
        EXPECT_EQ(formatAxisValueText(c.value, c.decimals, c.code, 1000.0, 0x400), pick(c)) << c.value;
    EXPECT_EQ(formatAxisValueText(sampleDate(), 2, FC_LONGDATE, 1.0, 0x400),
              comma() ? "06.03.2024" : "3/6/2024");
    EXPECT_EQ(formatAxisValueText(sampleDate(), 2, FC_TIME, 1.0, 0x400), comma() ? "14:05:09" : "2:05:09 PM");
    EXPECT_EQ(formatAxisValueText(2.5, 0, FC_NUMBER, 0.0, 0x400), "3");  // a zero scale unit counts as 1
    char buffer[4];
    EXPECT_EQ(FormatAxisValue(buffer, sizeof buffer, 12345.0, 0, FC_NUMBER, 1.0, 0x400), 3);
    EXPECT_STREQ(buffer, "123");
}

INSTANTIATE_TEST_SUITE_P(Locales, ValueFormatTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "DecimalComma" : "English"; });

TEST(SystemTime, EmptyResultBecomesABlank) {
    test::useLocale(test::englishLocale());
    loc::SystemTime time{2024, 3, 0, 6, 0, 0, 0, 0};
    EXPECT_EQ(formatSystemTimeText(time, std::string_view("'"), FC_DATE, 0x400), " ");
    time.month = 13;
    EXPECT_EQ(formatSystemTimeText(time, std::nullopt, FC_DATE, 0x400), " ");
    char buffer[2];
    EXPECT_EQ(FormatSystemTime(time, std::nullopt, FC_DATE, buffer, sizeof buffer, 0x400), 1);
    loc::LocaleRegistry::reset();
}

TEST(SystemTime, OleDateConversions) {
    loc::SystemTime time;
    ASSERT_TRUE(VariantTimeToSystemTimeHelper(45357.5, time));  // 2024-03-06 12:00
    EXPECT_EQ(time, (loc::SystemTime{2024, 3, 3, 6, 12, 0, 0, 0}));
    com::DATE date = 0;
    ASSERT_TRUE(SystemTimeToVariantTimeHelper(time, date));
    EXPECT_DOUBLE_EQ(date, 45357.5);
    EXPECT_FALSE(VariantTimeToSystemTimeHelper(1e308, time));
    EXPECT_FALSE(SystemTimeToVariantTimeHelper(loc::SystemTime{2023, 2, 0, 29, 0, 0, 0, 0}, date));
    EXPECT_DOUBLE_EQ(date, 45357.5);  // untouched on failure
}

TEST(DateLabelFormats, DefaultsLabelTheirLevels) {
    test::useLocale(test::englishLocale());
    const double date = *com::toOleDate({2024, 3, 6, 14, 5, 9});
    const std::pair<lomexDateAxisFormatIndex, const char*> cases[] = {
        {FI_YEAR, "2024"},
        {FI_FIRSTMONTH, "Mar 24"},
        {FI_MONTH, "Mar"},
        {FI_WEEK, "3/6/2024"},
        {FI_DAY, "3/6/2024"},
        {FI_INTRADAY, "2:05:09 PM"},
        {FI_FIRSTINDAY, "2:05:09 PM"},
        // The step tokens stay for the chart types to expand.
        {FI_FIRSTQUARTER, "#Q#K 24"},
    };
    for (const auto& [index, expected] : cases) {
        const PreparedFormat format = defaultDateLabelFormat(index);
        EXPECT_EQ(formatValueText(date, kDefaultDateLabelFormats[index].code, 0, format, 0x400), expected)
            << index;
    }
    EXPECT_EQ(defaultDateLabelFormat(13).pictureText(), "");
    loc::LocaleRegistry::reset();
}

}  // namespace
}  // namespace dravik
