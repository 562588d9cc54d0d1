#include <gtest/gtest.h>

#include "TestLocales.h"
#include "com/OleDate.h"
#include "format/ValueFormat.h"
#include "format/ValueParse.h"
#include "locale/LocaleRegistry.h"

namespace dravik {
namespace {

class ValueParseTest : public ::testing::Test {
protected:
    void TearDown() override { loc::LocaleRegistry::reset(); }

    static double date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
        return *com::toOleDate({y, mo, d, h, mi, s});
    }
};

TEST_F(ValueParseTest, NumbersPercentAndScaleUnit) {
    test::useLocale(test::commaLocale());
    double value = 0;
    EXPECT_TRUE(ParseValueText("", FC_NUMBER, value, 1.0, 0));
    EXPECT_EQ(value, kEmptyValue);
    EXPECT_TRUE(ParseValueText("12.5", FC_PERCENT, value, 1.0, 0));
    EXPECT_DOUBLE_EQ(value, 0.125);
    EXPECT_TRUE(ParseValueText("1.5", FC_NUMBER, value, 1000.0, 0));
    EXPECT_DOUBLE_EQ(value, 1500.0);
    EXPECT_TRUE(ParseValueText("abc", FC_NUMBER, value, 1.0, 0));
    EXPECT_DOUBLE_EQ(value, 0.0);
}

struct DateCase {
    const char* text;
    FormatCode code;
    int order;
    double expected;  // 0 for a text that is not a date
};

TEST_F(ValueParseTest, DatesInEachOrderWithTimesAndDesignators) {
    test::useLocale(test::englishLocale());
    const DateCase cases[] = {
        {"3/6/2024", FC_DATE, 0, date(2024, 3, 6)},
        {"06.03.2024", FC_DATE, 1, date(2024, 3, 6)},
        {"2024-03-06 14:05", FC_DATETIME, 2, date(2024, 3, 6, 14, 5)},
        {"3/6/2024 2:05 PM", FC_DATETIME, 0, date(2024, 3, 6, 14, 5)},
        {"3/6/2024 2:05:09 pm", FC_DATETIME, 0, date(2024, 3, 6, 14, 5, 9)},
        {"3/6/2024 12:30 AM", FC_DATETIME, 0, date(2024, 3, 6, 0, 30)},
        {"3/6/2024 12:30 PM", FC_DATETIME, 0, date(2024, 3, 6, 12, 30)},
        {"3/6/24", FC_DATE, 0, date(2024, 3, 6)},
        {"3/6/95", FC_DATE, 0, date(1995, 3, 6)},
        {"14:05:09", FC_TIME, 0, date(1980, 1, 1, 14, 5, 9)},
        {"2/30/2024", FC_DATE, 0, 0},
        {"3/6", FC_DATE, 0, 0},
        {"3/6/2024 25:00", FC_DATETIME, 0, 0},
    };
    for (const DateCase& c : cases) {
        double value = -1;
        const bool ok = ParseValueText(c.text, c.code, value, 1.0, c.order);
        EXPECT_EQ(ok, c.expected != 0) << c.text;
        EXPECT_DOUBLE_EQ(value, c.expected != 0 ? c.expected : kEmptyValue) << c.text;
    }
}

TEST_F(ValueParseTest, LocaleWithoutDesignatorsReadsAmAndPm) {
    test::useLocale(test::commaLocale());
    const loc::SystemTime time = ParseDateText(0x400, "06.03.2024 2:05 PM", false, 1);
    EXPECT_EQ(time, (loc::SystemTime{2024, 3, 0, 6, 14, 5, 0, 0}));
    loc::LocaleInfo arabic = test::commaLocale();
    arabic.pmDesignator = "\xD9\x85";  // the Arabic PM designator
    test::useLocale(arabic);
    EXPECT_EQ(ParseDateText(0x400, "06.03.2024 2:05 \xD9\x85", false, 1).hour, 14);
    EXPECT_EQ(ParseDateText(0x400, "06.03.2024 2:05 PM", false, 1).hour, 2);
}

TEST_F(ValueParseTest, TimeOnlyAndTruncatedText) {
    test::useLocale(test::englishLocale());
    EXPECT_EQ(ParseDateText(0x400, "7", true, 0), (loc::SystemTime{1980, 1, 0, 1, 7, 0, 0, 0}));
    // The view ends in the middle of a longer text: nothing beyond it is read.
    const char text[] = "3/6/2024 11:45 PM";
    const loc::SystemTime cut = ParseDateText(0x400, std::string_view(text, 11), false, 0);
    EXPECT_EQ(cut, (loc::SystemTime{2024, 3, 0, 6, 11, 0, 0, 0}));
}

}  // namespace
}  // namespace dravik
