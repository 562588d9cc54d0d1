#include <gtest/gtest.h>

#include "format/DefaultRecords.h"
#include "format/LocaleFormats.h"

namespace dravik {
namespace {

struct SeriesDefaultCase {
    DefaultSeriesIndex index;
    std::uint32_t setMask;
    std::int16_t gallery, lineStyle, pointType, volume;
    std::uint8_t border;
    std::uint32_t borderColor;
    std::array<std::int16_t, 2> lineWidth;
    std::array<std::uint32_t, 2> color, bkColor;
};

TEST(DefaultRecords, SeriesDefaultsAndTheirSetMasks) {
    const SeriesDefaultCase cases[] = {
        {DSR_POINTFIGURE, 0x51220, 0, 0, 0, 100, 0, 0, {2, 1}, {0, 0}, {0, 0}},
        {DSR_KAGI, 0x51220, 0, 0, 0, 100, 0, 0, {3, 1}, {0, 0}, {0, 0}},
        {DSR_BOXCHART, 0x1D1200, 0, 0, 0, 100, 1, 0, {1, 1}, {0, 0xFFFFFF}, {0xC0C0C0, 0xC0C0C0}},
        {static_cast<DefaultSeriesIndex>(3), 0x11060, 0, 0, 0, 0, 0, 0, {1, 1}, {0, 0}, {0, 0}},
        {static_cast<DefaultSeriesIndex>(4), 0x11262, 1, 0, 0, 10, 0, 0, {1, 1}, {0, 0}, {0, 0}},
        {static_cast<DefaultSeriesIndex>(5), 0x11262, -1, 4, 0, 100, 0, 0, {1, 1}, {0, 0}, {0, 0}},
        {static_cast<DefaultSeriesIndex>(6), 0x11262, 1, 4, 0, 100, 0, 0, {1, 1}, {0, 0}, {0, 0}},
    };
    InitDefaultRecords();
    for (const SeriesDefaultCase& c : cases) {
        SCOPED_TRACE(c.index);
        const SeriesAttributeRecord& r = DefaultSeriesRecord(c.index);
        EXPECT_EQ(r.setMask, c.setMask);
        EXPECT_EQ(r.gallery, c.gallery);
        EXPECT_EQ(r.lineStyle, c.lineStyle);
        EXPECT_EQ(r.pointType, c.pointType);
        EXPECT_EQ(r.volume, c.volume);
        EXPECT_EQ(r.border, c.border);
        EXPECT_EQ(r.borderColor, c.borderColor);
        EXPECT_EQ(r.lineWidth, c.lineWidth);
        EXPECT_EQ(r.color, c.color);
        EXPECT_EQ(r.bkColor, c.bkColor);
        // Everything not named is 0.
        EXPECT_EQ(r.typeMask, 0);
        EXPECT_EQ(r.pointLabelAlign, 0);
        EXPECT_EQ(r.yAxis, 0);
        EXPECT_EQ(r.cylSides, 0);
        EXPECT_EQ(r.markerStep, 0);
        EXPECT_EQ(r.visible, 0);
        EXPECT_EQ(r.pattern, (std::array<std::int16_t, 2>{0, 0}));
    }
    EXPECT_EQ(&DefaultPriceSeriesRecord(2), &DefaultSeriesRecord(static_cast<DefaultSeriesIndex>(5)));
}

TEST(DefaultRecords, AxisDefaultsWithUsedMasksAndPreparedFormats) {
    struct Case {
        std::uint32_t used;
        FormatCode format;
        std::int16_t decimals;
        bool noDigits;
    };
    const Case cases[kDefaultAxisCount] = {
        {0x4440, 1, 2, false}, {0x44C0, 1, 0, true}, {0x40, 2, 2, false},
        {0x40, 1, 2, false},   {0x45C0, 4, 0, true}, {0x4440, 2, 2, false},
    };
    InitDefaultRecords();
    for (std::size_t i = 0; i < kDefaultAxisCount; ++i) {
        SCOPED_TRACE(i);
        const AxisSettingsRecord& r = DefaultAxisRecord(i);
        EXPECT_EQ(r.usedFields, cases[i].used);
        EXPECT_EQ(r.format, cases[i].format);
        EXPECT_EQ(r.decimals, cases[i].decimals);
        EXPECT_EQ(r.step, -1.0);
        EXPECT_EQ(r.minorStep, -1.0);
        EXPECT_EQ(r.min, 0.0);
        EXPECT_EQ(r.max, 0.0);
        EXPECT_EQ(r.textColor, 0u);
        EXPECT_EQ(r.scaleUnit, 1.0);
        EXPECT_EQ(r.locale, 0x400u);
        EXPECT_EQ(r.tickStyle, 0);
        EXPECT_EQ(r.minorTickStyle, 0);
        EXPECT_EQ(r.style, 0u);
        EXPECT_EQ(r.titleText(), "");
        // The prepared format is the process-wide currency record, with 0 digits where named.
        NumberFormatRecord expected = DefaultCurrencyRecord();
        if (cases[i].noDigits)
            expected.digits = 0;
        EXPECT_EQ(r.prepared.number, expected);
    }
}

TEST(DefaultRecords, DateLabelFormats) {
    const DefaultRecords& records = GetDefaultRecords();
    EXPECT_EQ(records.dateCodes[FI_YEAR], 0x8005);
    EXPECT_EQ(records.dateFormats[FI_FIRSTSEMESTER].pictureText(), "#S#K yy");
    EXPECT_EQ(records.dateFormats[FI_MONTH].pictureText(), "MMM");
    EXPECT_EQ(records.dateCodes[FI_INTRADAY], 7);
    EXPECT_EQ(records.dateCodes[FI_FIRSTINDAY], 7);
    EXPECT_EQ(records.dateFormats[FI_WEEK].pictureText(), "");
}

TEST(DefaultRecords, FillingAgainKeepsReferencesValid) {
    const SeriesAttributeRecord* before = &DefaultSeriesRecord(DSR_KAGI);
    InitDefaultRecords();
    EXPECT_EQ(before, &DefaultSeriesRecord(DSR_KAGI));
    EXPECT_EQ(before->lineWidth[0], 3);
}

}  // namespace
}  // namespace dravik
