#include <gtest/gtest.h>

#include "StateTestSupport.h"
#include "series/SeriesAttributeExchange.h"
#include "state/ExchangeKeys.h"

namespace dravik {
namespace {

using test::Bytes;
using test::ByteWriter;

Bytes store(SeriesAttributeRecord& record, std::uint32_t version, std::uint32_t flags = EXCHANGE_TOOLBAR,
            bool keep = true) {
    const SeriesAttributeRecord defaults;
    return test::storeWith([&](CPropertyArchive& archive) {
        return ExchangeSeriesAttributes(record, archive, "PriceSeries(0).", version, flags, defaults, keep);
    });
}

com::HRESULT load(const Bytes& bytes, SeriesAttributeRecord& record, std::uint32_t version,
                  std::uint32_t flags = EXCHANGE_TOOLBAR, bool keep = true) {
    const SeriesAttributeRecord defaults;
    return test::loadWith(bytes, [&](CPropertyArchive& archive) {
        return ExchangeSeriesAttributes(record, archive, "PriceSeries(0).", version, flags, defaults, keep);
    });
}

SeriesAttributeRecord sampleRecord() {
    SeriesAttributeRecord record;
    record.setMask = SA_GALLERY | SA_XAXIS | SA_BORDER | SA_LINEWIDTH | SA_LEGEND;
    record.gallery = 3;
    record.xAxis = 1;
    record.border = 1;
    record.lineWidth = {2, 5};
    record.legend.SetText("Ab", nullptr);
    return record;
}

ByteWriter& sampleLegend(ByteWriter& writer) {
    return writer.i16(40).fixed("Ab", 40);
}

TEST(SeriesAttributeExchange, ByteImageAtVersion33) {
    SeriesAttributeRecord record = sampleRecord();
    ByteWriter expected;
    expected.u32(0x211012).i16(3).u8(1);  // no "XAxis" from version 19 on
    sampleLegend(expected).i16(2).i16(5);
    EXPECT_EQ(store(record, 33), expected.bytes());
}

TEST(SeriesAttributeExchange, Version18CarriesTheXAxisAndVersion14ShortBooleans) {
    SeriesAttributeRecord record = sampleRecord();
    ByteWriter v18;
    v18.u32(0x211012).i16(3).i16(1).u8(1);
    sampleLegend(v18).i16(2).i16(5);
    EXPECT_EQ(store(record, 18), v18.bytes());

    ByteWriter v14;
    v14.u32(0x211012).i16(3).i16(1).i16(1);
    sampleLegend(v14).i16(2).i16(5);
    EXPECT_EQ(store(record, 14), v14.bytes());

    SeriesAttributeRecord loaded;
    ASSERT_EQ(load(v14.bytes(), loaded, 14), com::S_OK);
    EXPECT_EQ(loaded.xAxis, 1);
    EXPECT_EQ(loaded.border, 1);
    EXPECT_STREQ(loaded.legend.GetText(nullptr), "Ab");
}

TEST(SeriesAttributeExchange, EmptySetMaskSavesOnlyItself) {
    SeriesAttributeRecord record;
    record.gallery = 7;  // not set by the user: not saved
    EXPECT_EQ(store(record, 33), ByteWriter().u32(0).bytes());
}

TEST(SeriesAttributeExchange, EveryFieldSurvivesARoundTrip) {
    SeriesAttributeRecord record;
    record.setMask = SA_ALL;
    record.typeMask = 0x12345678;
    record.gallery = 2;
    record.pointLabelAlign = 3;
    record.yAxis = 1;
    record.xAxis = 1;
    record.lineStyle = 4;
    record.pointType = 5;
    record.cylSides = 6;
    record.markerSize = 7;
    record.volume = 8;
    record.markerStep = 9;
    record.pointLabelAngle = 45;
    record.border = 1;
    record.pointLabels = 1;
    record.stacked = 1;
    record.visible = 1;
    record.borderColor = 0x123456;
    record.legend.SetText("Close price", nullptr);
    record.lineWidth = {3, 4};
    record.pattern = {5, 6};
    record.color = {0xFF, 0xFF00};
    record.bkColor = {0xFF0000, 0x808080};
    const Bytes saved = store(record, kFormatVersion);

    SeriesAttributeRecord loaded;
    ASSERT_EQ(load(saved, loaded, kFormatVersion), com::S_OK);
    EXPECT_EQ(loaded.setMask, SA_ALL);
    EXPECT_EQ(loaded.typeMask, 0x12345678);
    EXPECT_EQ(loaded.gallery, 2);
    EXPECT_EQ(loaded.pointLabelAlign, 3);
    EXPECT_EQ(loaded.yAxis, 1);
    EXPECT_EQ(loaded.xAxis, 0);  // not carried from version 19 on
    EXPECT_EQ(loaded.lineStyle, 4);
    EXPECT_EQ(loaded.pointType, 5);
    EXPECT_EQ(loaded.cylSides, 6);
    EXPECT_EQ(loaded.markerSize, 7);
    EXPECT_EQ(loaded.volume, 8);
    EXPECT_EQ(loaded.markerStep, 9);
    EXPECT_EQ(loaded.pointLabelAngle, 45);
    EXPECT_EQ(loaded.border, 1);
    EXPECT_EQ(loaded.pointLabels, 1);
    EXPECT_EQ(loaded.stacked, 1);
    EXPECT_EQ(loaded.visible, 1);
    EXPECT_EQ(loaded.borderColor, 0x123456u);
    EXPECT_STREQ(loaded.legend.GetText(nullptr), "Close price");
    EXPECT_EQ(loaded.lineWidth, record.lineWidth);
    EXPECT_EQ(loaded.pattern, record.pattern);
    EXPECT_EQ(loaded.color, record.color);
    EXPECT_EQ(loaded.bkColor, record.bkColor);
    EXPECT_EQ(store(loaded, kFormatVersion), saved);

    // At version 18 the X axis survives too.
    SeriesAttributeRecord old;
    ASSERT_EQ(load(store(record, 18), old, 18), com::S_OK);
    EXPECT_EQ(old.xAxis, 1);
}

TEST(SeriesAttributeExchange, BodyOnlyKeepsTheShapeOnlyWhenAsked) {
    SeriesAttributeRecord record;
    record.setMask = SA_TYPEMASK | SA_LINESTYLE | SA_VOLUME | SA_COLOR;
    record.typeMask = 0x100;
    record.lineStyle = 2;
    record.volume = 50;
    record.color = {0xAA, 0xBB};
    // No "_UsedFields"; only index 0 of the colour, under its plain name.
    EXPECT_EQ(store(record, 33, EXCHANGE_BODY_ONLY, false), ByteWriter().i16(2).u32(0xAA).bytes());
    EXPECT_EQ(store(record, 33, EXCHANGE_BODY_ONLY, true),
              ByteWriter().i32(0x100).i16(2).i16(50).u32(0xAA).bytes());
}

TEST(SeriesAttributeExchange, TruncatedSavesFail) {
    SeriesAttributeRecord record = sampleRecord();
    const Bytes saved = store(record, 33);
    test::expectEveryTruncationFails(
        saved,
        [](CPropertyArchive& archive) {
            SeriesAttributeRecord target;
            return ExchangeSeriesAttributes(target, archive, "P.", 33, EXCHANGE_TOOLBAR,
                                            SeriesAttributeRecord{}, true);
        },
        [] { return true; });
}

}  // namespace
}  // namespace dravik
