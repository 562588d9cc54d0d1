#include <gtest/gtest.h>

#include "StateTestSupport.h"
#include "format/DefaultRecords.h"
#include "state/AxisSettingsExchange.h"
#include "state/ExchangeKeys.h"

namespace dravik {
namespace {

using test::Bytes;
using test::ByteWriter;

Bytes store(AxisSettingsRecord& record, std::uint32_t version, std::uint32_t flags = EXCHANGE_TOOLBAR) {
    const AxisSettingsRecord defaults;
    return test::storeWith([&](CPropertyArchive& archive) {
        return ExchangeAxisSettings(record, archive, "PricesAxis.", version, flags, defaults);
    });
}

com::HRESULT load(const Bytes& bytes, AxisSettingsRecord& record, std::uint32_t version) {
    const AxisSettingsRecord defaults;
    return test::loadWith(bytes, [&](CPropertyArchive& archive) {
        return ExchangeAxisSettings(record, archive, "PricesAxis.", version, EXCHANGE_TOOLBAR, defaults);
    });
}

AxisSettingsRecord sampleAxis() {
    AxisSettingsRecord record;
    record.usedFields =
        AUF_MIN | AUF_DECIMALS | AUF_FORMAT | AUF_TITLE | AUF_GRIDCOLOR | AUF_LOCALE | AUF_CURRENCYSYMBOL;
    record.min = 1.5;
    record.decimals = 3;
    record.format = FC_PICTURE | FC_NUMBER;
    record.prepared.setPicture("#,##0.000");
    record.setTitle("Price");
    record.gridColor = 0xFF;
    record.locale = 1024;
    record.setSymbol("SAR");
    return record;
}

TEST(AxisSettingsExchange, ByteImageAtVersion33) {
    AxisSettingsRecord record = sampleAxis();
    ByteWriter expected;
    expected.u32(0x18420C1).f64(1.5).i16(3).i32(0x8001).fixed("Price", 252);
    expected.u32(0xFF);                  // only the used grid entry
    expected.fixed("#,##0.000", 32);     // the custom picture
    expected.u32(1024).fixed("SAR", 8);  // locale and currency symbol
    EXPECT_EQ(store(record, 33), expected.bytes());
}

TEST(AxisSettingsExchange, OlderLayouts) {
    AxisSettingsRecord record = sampleAxis();
    record.gridWidth = 2;
    // Version 22: no locale and no currency symbol.
    ByteWriter v22;
    v22.u32(0x18420C1).f64(1.5).i16(3).i32(0x8001).fixed("Price", 252).u32(0xFF).fixed("#,##0.000", 32);
    EXPECT_EQ(store(record, 22), v22.bytes());
    // Version 15: every grid entry whatever the used bits, and no picture before version 18.
    ByteWriter v15;
    v15.u32(0x18420C1).f64(1.5).i16(3).i32(0x8001).fixed("Price", 252);
    v15.i16(2).i16(0).u32(0xFF).i16(0).i16(0).u32(0);
    EXPECT_EQ(store(record, 15), v15.bytes());

    AxisSettingsRecord loaded;
    loaded.setSymbol("EUR");
    loaded.locale = 7;
    ASSERT_EQ(load(v15.bytes(), loaded, 15), com::S_OK);
    EXPECT_EQ(loaded.gridWidth, 2);
    EXPECT_EQ(loaded.gridColor, 0xFFu);
    EXPECT_EQ(loaded.titleText(), "Price");
    EXPECT_EQ(loaded.symbol(), "EUR");  // older saves leave what they do not carry
}

TEST(AxisSettingsExchange, EveryFieldSurvivesARoundTrip) {
    AxisSettingsRecord record;
    record.usedFields = 0x1FFFFFF;
    record.style = 0x1002;
    record.min = -3.25;
    record.max = 99.5;
    record.step = 5;
    record.minorStep = 1;
    record.textColor = 0x112233;
    record.scaleUnit = 1000;
    record.decimals = 4;
    record.savedDecimals = 4;  // loading takes the saved decimals as the user's
    record.format = FC_CURRENCY;
    record.gridWidth = 2;
    record.gridStyle = 3;
    record.gridColor = 0x445566;
    record.minorGridWidth = 1;
    record.minorGridStyle = 2;
    record.minorGridColor = 0x778899;
    record.tickStyle = static_cast<std::int16_t>(0x8003);
    record.minorTickStyle = 2;
    record.titleColor = 0xABCDEF;
    record.setTitle(std::string(260, 'T'));  // cut to 251 bytes and its terminator
    record.locale = 1024;
    record.setSymbol("LONGSYMBOL");  // cut to 7 bytes
    PrepareAxisFormat(record);
    const Bytes saved = store(record, kFormatVersion);

    AxisSettingsRecord loaded;
    ASSERT_EQ(load(saved, loaded, kFormatVersion), com::S_OK);
    EXPECT_EQ(loaded.titleText(), std::string(251, 'T'));
    EXPECT_EQ(loaded.symbol(), "LONGSYM");
    EXPECT_TRUE(loaded == record);
    EXPECT_EQ(store(loaded, kFormatVersion), saved);
}

TEST(AxisSettingsExchange, TextFieldsAreZeroFilledAfterTheirTerminator) {
    AxisSettingsRecord record;
    record.usedFields = AUF_TITLE;
    record.setTitle("A much longer title than the next one");
    const Bytes longer = store(record, 33);
    // Text left behind the terminator by hand is never saved.
    record.title.fill('x');
    record.title[0] = 'B';
    record.title[1] = '\0';
    EXPECT_EQ(store(record, 33), ByteWriter().u32(AUF_TITLE).fixed("B", 252).bytes());
    EXPECT_EQ(longer.size(), 4u + 252u);
}

TEST(AxisSettingsExchange, BodyOnlySplitsTheTickStyles) {
    AxisSettingsRecord record;
    record.usedFields = AUF_TICKSTYLE;
    record.tickStyle = static_cast<std::int16_t>(0x8002);
    EXPECT_EQ(store(record, 33, EXCHANGE_BODY_ONLY), ByteWriter().i16(2).u8(1).bytes());
}

TEST(AxisSettingsExchange, LoadingPreparesTheFormatAgain) {
    AxisSettingsRecord record = DefaultAxisRecord(1);
    AxisSettingsRecord loaded;
    loaded.prepared.number.digits = 7;
    ASSERT_EQ(load(store(record, 33), loaded, 33), com::S_OK);
    EXPECT_EQ(loaded.format, FC_NUMBER);
    EXPECT_EQ(loaded.decimals, 0);
    EXPECT_EQ(loaded.prepared.number.digits, 0);
}

TEST(AxisSettingsExchange, TruncatedSavesFail) {
    AxisSettingsRecord record = sampleAxis();
    test::expectEveryTruncationFails(
        store(record, 33),
        [](CPropertyArchive& archive) {
            AxisSettingsRecord target;
            return ExchangeAxisSettings(target, archive, "A.", 33, EXCHANGE_TOOLBAR, AxisSettingsRecord{});
        },
        [] { return true; });
}

}  // namespace
}  // namespace dravik
