#include <gtest/gtest.h>

#include "TestLocales.h"
#include "format/FormatPicture.h"
#include "format/LocaleFormats.h"
#include "format/ValueFormat.h"
#include "locale/LocaleRegistry.h"

namespace dravik {
namespace {

class FormatPictureTest : public ::testing::Test {
protected:
    void SetUp() override { test::useLocale(test::englishLocale()); }
    void TearDown() override { loc::LocaleRegistry::reset(); }
};

TEST_F(FormatPictureTest, NumberPictureOfTheExample) {
    PreparedFormat format;
    std::int32_t digits = -1;
    EXPECT_EQ(ParseFormatString("#,##0.00;(#,##0.00)", format, digits, 0x400), 0x8001);
    EXPECT_EQ(digits, 2);
    EXPECT_EQ(format.number.digits, 2);
    EXPECT_EQ(format.number.grouping, 3);
    EXPECT_EQ(format.number.leadingZero, 1);
    EXPECT_EQ(format.number.negativeOrder, 0);
    EXPECT_EQ(formatValueText(-1234.567, 0x8001, 2, format, 0x400), "(1,234.57)");
}

TEST_F(FormatPictureTest, DatePictures) {
    struct Case {
        const char* text;
        FormatCode code;
        const char* picture;
    };
    const Case cases[] = {
        {"Ddd/MM/yyyy", 0x8005, "dd/MM/yyyy"},
        {"lMMMM yyyy", 0x8006, "MMMM yyyy"},
        {"THH:mm", 0x8007, "HH:mm"},
        {"xdd.MM.yy HH:mm", 0x8008, "dd.MM.yy HH:mm"},
        {"d", 0x8005, ""},
    };
    for (const Case& c : cases) {
        PreparedFormat format;
        std::int32_t digits = 4;
        EXPECT_EQ(ParseFormatString(c.text, format, digits, 0x400), c.code) << c.text;
        EXPECT_EQ(format.pictureText(), c.picture) << c.text;
        EXPECT_EQ(digits, 4) << c.text;
    }
}

TEST_F(FormatPictureTest, NegativeOrdersOfNumberPictures) {
    const std::pair<const char*, int> cases[] = {
        {"0.0;(0.0)", 0}, {"0.0;-0.0", 1}, {"0.0;- 0.0", 2}, {"0.0;0.0-", 3},
        {"0.0;0.0 -", 4}, {"0.0", 0},      {"0.0;", 0},      {"0.0;0.0)", 0},
    };
    for (const auto& [text, order] : cases) {
        PreparedFormat format;
        std::int32_t digits = 0;
        EXPECT_EQ(ParseFormatString(text, format, digits, 0x400), 0x8001) << text;
        EXPECT_EQ(format.number.negativeOrder, order) << text;
    }
}

TEST_F(FormatPictureTest, CurrencyPicturesGiveAllSixteenNegativeOrders) {
    const char* negatives[] = {"($#,##0.00)", "-$#,##0.00",  "$-#,##0.00",   "$#,##0.00-",
                               "(#,##0.00$)", "-#,##0.00$",  "#,##0.00-$",   "#,##0.00$-",
                               "-#,##0.00 $", "-$ #,##0.00", "#,##0.00 $-",  "$ #,##0.00-",
                               "$ -#,##0.00", "#,##0.00- $", "($ #,##0.00)", "(#,##0.00 $)"};
    for (int order = 0; order < 16; ++order) {
        PreparedFormat format;
        std::int32_t digits = 0;
        const std::string picture = std::string("$#,##0.00;") + negatives[order];
        EXPECT_EQ(ParseFormatString(picture, format, digits, 0x400), 0x8002) << picture;
        EXPECT_EQ(format.number.negativeOrder, order) << picture;
    }
}

TEST_F(FormatPictureTest, CurrencyPositionsAndFormatting) {
    const std::pair<const char*, int> cases[] = {
        {"$#,##0.00", 0}, {"#,##0.00$", 1}, {"$ #,##0.00", 2}, {"#,##0.00 $", 3}, {"$  #,##0.00", 2}};
    for (const auto& [text, position] : cases) {
        PreparedFormat format;
        std::int32_t digits = 0;
        EXPECT_EQ(ParseFormatString(text, format, digits, 0x400), 0x8002) << text;
        EXPECT_EQ(format.number.positiveOrder, position) << text;
    }
    PreparedFormat format;
    std::int32_t digits = 0;
    ParseFormatString("#,##0.0 $;-#,##0.0 $", format, digits, 0x400);
    EXPECT_EQ(formatValueText(-1234.56, format.number.positiveOrder == 3 ? 0x8002 : 0, 1, format, 0x400),
              "-1,234.6 $");
    EXPECT_EQ(formatValueText(1234.56, 0x8002, 1, format, 0x400), "1,234.6 $");
}

TEST_F(FormatPictureTest, GroupSizes) {
    const std::pair<const char*, int> cases[] = {
        {"#,##0", 3}, {"#,#0.0", 2}, {"0.00", 0}, {"#,##########0", 9}};
    for (const auto& [text, grouping] : cases) {
        PreparedFormat format;
        std::int32_t digits = 0;
        ParseFormatString(text, format, digits, 0x400);
        EXPECT_EQ(format.number.grouping, grouping) << text;
    }
}

TEST_F(FormatPictureTest, PrepareNumberFormatByLocale) {
    test::useLocale(test::commaLocale());
    loc::LocaleRegistry::add(0x409, test::englishLocale());
    NumberFormatRecord record;
    PrepareNumberFormat(record, FC_NUMBER, 4, 0x400);
    EXPECT_EQ(record.digits, 4);
    EXPECT_EQ(record.decimal(), ",");
    EXPECT_EQ(record.negativeOrder, 1);
    EXPECT_EQ(record.symbol(), "€");
    PrepareNumberFormat(record, FC_CURRENCY, 12, 0x400, "SAR");
    EXPECT_EQ(record.digits, 9);
    EXPECT_EQ(record.symbol(), "SAR");
    EXPECT_EQ(record.positiveOrder, 3);
    EXPECT_EQ(record.negativeOrder, 8);
    PrepareNumberFormat(record, FC_CURRENCY, 2, 0x409);
    EXPECT_EQ(record.decimal(), ".");
    EXPECT_EQ(record.symbol(), "SAR");  // a symbol already set is kept
    EXPECT_EQ(record.negativeOrder, 0);
    const NumberFormatRecord before = record;
    PrepareNumberFormat(record, FC_DATE, 2, 0x400);
    PrepareNumberFormat(record, FC_PICTURE | FC_NUMBER, 2, 0x400);
    EXPECT_EQ(record, before);
}

TEST_F(FormatPictureTest, FormatFromVariant) {
    PreparedFormat format;
    std::int32_t digits = 3;
    FormatCode code = -1;
    EXPECT_TRUE(FormatFromVariant(com::Variant(std::int32_t{2}), format, digits, code, 0x400));
    EXPECT_EQ(code, 2);
    EXPECT_EQ(format.number.digits, 3);
    EXPECT_EQ(format.number.symbol(), "$");
    EXPECT_TRUE(
        FormatFromVariant(com::Variant(static_cast<std::int16_t>(0x8005)), format, digits, code, 0x400));
    EXPECT_EQ(code, 0x8005);
    EXPECT_TRUE(FormatFromVariant(com::Variant::utf8("#,##0.0"), format, digits, code, 0x400));
    EXPECT_EQ(code, 0x8001);
    EXPECT_EQ(digits, 1);
    code = 7;
    EXPECT_FALSE(FormatFromVariant(com::Variant(1.5), format, digits, code, 0x400));
    EXPECT_FALSE(FormatFromVariant(com::Variant(std::int32_t{0x10000}), format, digits, code, 0x400));
    EXPECT_FALSE(FormatFromVariant(com::Variant(), format, digits, code, 0x400));
    EXPECT_EQ(code, 7);
}

TEST(LocaleFormats, RecordsFromEachLocale) {
    test::useLocale(test::englishLocale());
    EXPECT_EQ(DefaultNumberRecord().decimal(), ".");
    EXPECT_EQ(DefaultNumberRecord().grouping, 3);
    EXPECT_EQ(DefaultCurrencyRecord().symbol(), "$");
    EXPECT_EQ(DefaultCurrencyRecord().negativeOrder, 0);
    EXPECT_EQ(DefaultDateOrder(), 0);
    test::useLocale(test::commaLocale());
    EXPECT_EQ(DefaultNumberRecord().decimal(), ",");
    EXPECT_EQ(DefaultNumberRecord().thousand(), ".");
    EXPECT_EQ(DefaultCurrencyRecord().positiveOrder, 3);
    EXPECT_EQ(DefaultCurrencyRecord().negativeOrder, 8);
    EXPECT_EQ(DefaultDateOrder(), 1);

    loc::LocaleInfo odd = test::englishLocale();
    odd.grouping = "3;2;0";     // only the leading size is read
    odd.monetaryGrouping = "";  // none: the default 3
    odd.currencySymbol =
        "\xD8\xB1.\xD8\xB3.\xE2\x80\x8F\xE2\x80\x8F\xE2\x80\x8F\xE2\x80\x8F\xE2\x80\x8F\xE2\x80\x8F";
    test::useLocale(odd);
    EXPECT_EQ(DefaultNumberRecord().grouping, 3);
    EXPECT_EQ(DefaultCurrencyRecord().grouping, 3);
    // A symbol too long for its field is cut at a character boundary.
    const std::string symbol = DefaultCurrencyRecord().symbol();
    EXPECT_LT(symbol.size(), kCurrencySymbolBytes);
    EXPECT_EQ(symbol.size() % 3, 0u);  // 2 + 1 + 2 + 1 bytes, then whole three-byte marks
    loc::LocaleRegistry::reset();
}

}  // namespace
}  // namespace dravik
