#include <gtest/gtest.h>

#include <string>

#include "AxisTestOwner.h"
#include "axes/AxisPropertyCodes.h"
#include "axes/CAxisBase.h"
#include "com/ComPtr.h"
#include "dravik/AxisInterfaces.h"

namespace dravik {
namespace {

using test::AxisTestOwner;

// An axis bound to a fresh record and to chart axis 0 of an attached owner. A fresh chart axis holds
// min 0, max 100, step 10, decimals 2, style 0x1000 (automatic scale), locale 1024.
struct BoundAxis {
    BoundAxis() {
        axis.Bind(owner.get(), nullptr, &record);
        axis.SetAxis(0, 0);
    }
    com::ComPtr<AxisTestOwner> owner = com::makeComObject<AxisTestOwner>();
    AxisSettingsRecord record;
    CAxisBase axis;
};

TEST(CAxisBase, PutsWriteTheirCodeAndMarkTheirBit) {
    struct Case {
        const char* name;
        void (*put)(CAxisBase&);
        com::LONG code;
        double chartValue;
        std::uint32_t bit;
    };
    const Case cases[] = {
        {"Step", [](CAxisBase& a) { a.put_Step(2.5); }, 2, 2.5, 0x4},
        {"MinorStep", [](CAxisBase& a) { a.put_MinorStep(0.5); }, 9, 0.5, 0x8},
        {"ScaleUnit", [](CAxisBase& a) { a.put_ScaleUnit(1000); }, 4, 1000, 0x100},
        {"Decimals", [](CAxisBase& a) { a.put_Decimals(3); }, 5, 3, 0x80},
        // Decimals travel as an unsigned 16-bit number.
        {"Decimals-1", [](CAxisBase& a) { a.put_Decimals(-1); }, 5, 65535, 0x80},
        {"TextColor", [](CAxisBase& a) { a.put_TextColor(0x0000FF); }, 11, 255, 0x200},
        // A system colour stays negative on the chart.
        {"SysColor", [](CAxisBase& a) { a.put_TextColor(static_cast<com::LONG>(0x80000005)); }, 11,
         -2147483643.0, 0x200},
        {"Grid", [](CAxisBase& a) { a.put_Grid(com::VARIANT_TRUE); }, 12, 32768, 0x400},
        {"GridWidth", [](CAxisBase& a) { a.put_GridWidth(3); }, 13, 3, 0x800},
        {"GridStyle", [](CAxisBase& a) { a.put_GridStyle(2); }, 14, 2, 0x1000},
        {"GridColor", [](CAxisBase& a) { a.put_GridColor(0x00FF00); }, 15, 65280, 0x2000},
        {"MinorGrid", [](CAxisBase& a) { a.put_MinorGrid(1); }, 16, 32768, 0x4000},
        {"MinorGridWidth", [](CAxisBase& a) { a.put_MinorGridWidth(2); }, 17, 2, 0x8000},
        {"MinorGridStyle", [](CAxisBase& a) { a.put_MinorGridStyle(4); }, 18, 4, 0x10000},
        {"MinorGridColor", [](CAxisBase& a) { a.put_MinorGridColor(0x123456); }, 19, 0x123456, 0x20000},
        {"TitleColor", [](CAxisBase& a) { a.put_TitleColor(0xFF0000); }, 20, 0xFF0000, 0x80000},
        // Tick marks go without the grid bit.
        {"TickMark", [](CAxisBase& a) { a.put_TickMark(static_cast<com::SHORT>(0x8003)); }, 21, 3, 0x100000},
        {"MinorTickMark", [](CAxisBase& a) { a.put_MinorTickMark(2); }, 22, 2, 0x200000},
        {"Locale", [](CAxisBase& a) { a.put_Locale(1025); }, 23, 1025, 0x800000},
        {"Style", [](CAxisBase& a) { a.put_Style(0x44); }, 8, 0x44, 0x20},
        {"Min", [](CAxisBase& a) { a.put_Min(-5); }, 0, -5, 0x11},
        {"Max", [](CAxisBase& a) { a.put_Max(55); }, 1, 55, 0x12},
    };
    for (const Case& c : cases) {
        BoundAxis f;
        c.put(f.axis);
        EXPECT_EQ(f.owner->chartValue(0, c.code), c.chartValue) << c.name;
        EXPECT_EQ(f.record.usedFields, c.bit) << c.name;
    }
}

TEST(CAxisBase, RecordKeepsWordsAsTheInterfaceGivesThem) {
    BoundAxis f;
    f.axis.put_Grid(com::VARIANT_TRUE);
    f.axis.put_TickMark(3);
    EXPECT_EQ(f.record.tickStyle, static_cast<std::int16_t>(0x8003));
    f.axis.put_Grid(com::VARIANT_FALSE);
    EXPECT_EQ(f.record.tickStyle, 3);
    f.axis.put_Decimals(4);
    EXPECT_EQ(f.record.decimals, 4);
    EXPECT_EQ(f.record.savedDecimals, 4);
}

TEST(CAxisBase, GetsReadTheChartAndCacheIt) {
    BoundAxis f;
    f.owner->chartAxis(0).properties[13] = 4;      // grid width
    f.owner->chartAxis(0).properties[12] = 32768;  // grid shown
    f.owner->chartAxis(0).properties[21] = 2;      // tick kind
    com::SHORT width = 0;
    com::VARIANT_BOOL grid = 0;
    com::SHORT tick = 0;
    ASSERT_EQ(f.axis.get_GridWidth(&width), com::S_OK);
    ASSERT_EQ(f.axis.get_Grid(&grid), com::S_OK);
    ASSERT_EQ(f.axis.get_TickMark(&tick), com::S_OK);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(grid, com::VARIANT_TRUE);
    EXPECT_EQ(tick, 2);
    EXPECT_EQ(f.record.gridWidth, 4);
    EXPECT_EQ(f.record.tickStyle, static_cast<std::int16_t>(0x8002));
    EXPECT_EQ(f.record.usedFields, 0u);  // reading sets nothing
    com::VARIANT_BOOL autoScale = 0;
    ASSERT_EQ(f.axis.get_AutoScale(&autoScale), com::S_OK);
    EXPECT_EQ(autoScale, com::VARIANT_TRUE);
    EXPECT_EQ(f.axis.get_Min(nullptr), com::E_POINTER);
}

TEST(CAxisBase, UserSetPropertySurvivesRefreshOthersFollowTheChart) {
    BoundAxis f;
    f.axis.put_Max(50);
    f.axis.put_GridColor(0x0000FF);
    f.axis.put_Title(com::Bstr(u"Price"));
    // The chart changes on its own (a new figure, the user's own control settings).
    auto& chartAxis = f.owner->chartAxis(0);
    chartAxis.properties[1] = 80;         // max
    chartAxis.properties[2] = 20;         // step
    chartAxis.properties[15] = 0x00FF00;  // grid colour
    chartAxis.properties[17] = 2;         // minor grid width
    f.owner->chart->model().axisTitles()[0] = "Chart's own";
    f.axis.Refresh(kAllAxisProperties);
    EXPECT_EQ(f.record.max, 50);
    EXPECT_EQ(f.record.gridColor, 0x0000FFu);
    EXPECT_EQ(f.record.titleText(), "Price");
    EXPECT_EQ(f.record.step, 20);
    EXPECT_EQ(f.record.minorGridWidth, 2);
    // Setting Max also marked the scale: the chart's style word is not taken back.
    EXPECT_EQ(f.record.style & AS_AUTOSCALE, 0u);

    // Only the bits of the mask are refreshed.
    chartAxis.properties[2] = 25;
    f.axis.Refresh(AUF_MINORGRIDWIDTH);
    EXPECT_EQ(f.record.step, 20);
}

TEST(CAxisBase, RefreshTakesUntouchedTitleFormatAndSymbolFromTheChart) {
    BoundAxis f;
    f.owner->chart->model().axisTitles()[0] = "Close";
    f.owner->chartAxis(0).format = com::Variant(std::int32_t{2});
    f.owner->chartAxis(0).text = "SAR";
    f.axis.Refresh(kAllAxisProperties);
    EXPECT_EQ(f.record.titleText(), "Close");
    EXPECT_EQ(f.record.format, 2);
    EXPECT_EQ(f.record.symbol(), "SAR");
    // The chart's format does not become the user's.
    EXPECT_EQ(f.record.usedFields & AUF_FORMAT, 0u);
}

TEST(CAxisBase, DecimalsSetByTheUserSurviveRefresh) {
    BoundAxis f;
    f.axis.put_Decimals(3);
    f.owner->chartAxis(0).properties[5] = 5;
    f.record.decimals = 5;  // as a get would have cached it
    f.axis.Refresh(AUF_DECIMALS);
    EXPECT_EQ(f.record.decimals, 3);
}

TEST(CAxisBase, ApplyWritesOnlyUserSetProperties) {
    BoundAxis f;
    f.record.gridStyle = 2;
    f.record.gridWidth = 3;
    f.record.minorGridColor = 0x445566;
    f.record.setTitle("Volume");
    f.record.min = 7;
    f.record.usedFields = AUF_GRIDSTYLE | AUF_TITLE | AUF_MINORGRIDCOLOR;
    f.axis.Apply(AUF_GRIDSTYLE | AUF_GRIDWIDTH | AUF_TITLE | AUF_MIN);
    EXPECT_EQ(f.owner->chartValue(0, 14), 2);  // grid style: set and asked for
    EXPECT_EQ(f.owner->chartValue(0, 13), 0);  // grid width: not set by the user
    EXPECT_EQ(f.owner->chartValue(0, 19), 0);  // minor grid colour: set, but not in the mask
    EXPECT_EQ(f.owner->chartValue(0, 0), 0);   // min: not set by the user
    EXPECT_EQ(f.owner->chart->model().axisTitles()[0], "Volume");
}

TEST(CAxisBase, MinTurnsAutoScaleOffWithoutRepaint) {
    BoundAxis f;
    f.record.style = AS_AUTOSCALE;
    f.axis.SetAxis(-1, 0);
    ASSERT_EQ(f.axis.put_Min(5), com::S_OK);
    com::VARIANT_BOOL autoScale = -1;
    ASSERT_EQ(f.axis.get_AutoScale(&autoScale), com::S_OK);
    EXPECT_EQ(autoScale, 0);
    EXPECT_EQ(f.owner->chartValue(0, 0), 0);  // an unbound axis writes nothing
    EXPECT_EQ(f.owner->repaints, 0);

    BoundAxis bound;
    bound.axis.put_Max(10);
    EXPECT_EQ(bound.owner->repaints, 0);
    bound.axis.put_GridStyle(1);
    EXPECT_EQ(bound.owner->repaints, 1);
}

TEST(CAxisBase, AutoScaleCountsOnlyTrue) {
    BoundAxis f;
    f.record.style = 0x40;
    f.axis.put_AutoScale(1);
    EXPECT_EQ(f.record.style, 0x40u);
    EXPECT_EQ(f.owner->chartValue(0, 8), 0x40);
    f.axis.put_AutoScale(com::VARIANT_TRUE);
    EXPECT_EQ(f.record.style, 0x1040u);
    EXPECT_EQ(f.owner->chartValue(0, 8), 0x1040);
    EXPECT_EQ(f.record.usedFields, AUF_SCALE);
}

TEST(CAxisBase, FormatCodesAndPictures) {
    BoundAxis f;
    ASSERT_EQ(f.axis.put_Format(com::Variant(std::int32_t{2})), com::S_OK);
    EXPECT_EQ(f.record.format, 2);
    EXPECT_EQ(f.record.usedFields, AUF_FORMAT);
    EXPECT_EQ(f.owner->chartAxis(0).format, com::Variant(std::int32_t{2}));

    ASSERT_EQ(f.axis.put_Format(com::Variant::utf8("#,##0.000")), com::S_OK);
    EXPECT_EQ(f.record.format, 0x8001);
    EXPECT_EQ(f.record.decimals, 3);
    // The picture's decimals are the user's: saved with it, kept by a refresh.
    EXPECT_EQ(f.record.savedDecimals, 3);
    EXPECT_EQ(f.record.usedFields, AUF_FORMAT | AUF_DECIMALS);
    EXPECT_EQ(f.owner->chartAxis(0).format, com::Variant::utf8("#,##0.000"));

    // The get answers the record's code, whatever the chart holds.
    com::Variant format;
    ASSERT_EQ(f.axis.get_Format(&format), com::S_OK);
    EXPECT_EQ(format, com::Variant(std::int32_t{0x8001}));

    // A value that is no format changes nothing.
    const AxisSettingsRecord before = f.record;
    EXPECT_EQ(f.axis.put_Format(com::Variant(2.5)), com::E_FAIL);
    EXPECT_EQ(f.axis.put_Format(com::Variant(std::int32_t{0x10000})), com::E_FAIL);
    EXPECT_TRUE(f.record == before);
    EXPECT_EQ(f.owner->chartAxis(0).format, com::Variant::utf8("#,##0.000"));
}

TEST(CAxisBase, StoredFormatLeavesTheChartAlone) {
    BoundAxis f;
    ASSERT_EQ(f.axis.SetStoredFormat(com::Variant(std::int16_t{4})), com::S_OK);
    EXPECT_EQ(f.record.format, 4);
    EXPECT_EQ(f.record.usedFields, AUF_FORMAT);
    EXPECT_TRUE(f.owner->chartAxis(0).format.isEmpty());
    com::Variant code;
    ASSERT_EQ(f.axis.GetStoredFormat(&code), com::S_OK);
    EXPECT_EQ(code, com::Variant(std::int32_t{4}));
}

TEST(CAxisBase, TextsKeepTheirTerminator) {
    BoundAxis f;
    ASSERT_EQ(f.axis.put_Title(com::Bstr(std::u16string(300, u'T'))), com::S_OK);
    EXPECT_EQ(f.record.titleText(), std::string(251, 'T'));
    EXPECT_EQ(f.record.title[251], '\0');
    EXPECT_EQ(f.owner->chart->model().axisTitles()[0], std::string(251, 'T'));
    EXPECT_EQ(f.axis.get_Title(nullptr), com::E_INVALIDARG);

    ASSERT_EQ(f.axis.put_CurrencySymbol(com::Bstr(u"LONGSYMBOL")), com::S_OK);
    EXPECT_EQ(f.record.symbol(), "LONGSYM");
    EXPECT_EQ(f.record.currencySymbol[7], '\0');
    EXPECT_EQ(f.owner->chartAxis(0).text, "LONGSYM");
    EXPECT_EQ(f.record.usedFields, AUF_TITLE | AUF_CURRENCYSYMBOL);
}

TEST(CAxisBase, TextsReadFromTheChartAreBounded) {
    BoundAxis f;
    f.owner->chart->model().axisTitles()[0] = std::string(400, 'x');
    f.owner->chartAxis(0).text = "CURRENCY";
    com::Bstr text;
    ASSERT_EQ(f.axis.get_Title(&text), com::S_OK);
    EXPECT_EQ(text.length(), 251u);
    EXPECT_EQ(f.record.title[251], '\0');
    ASSERT_EQ(f.axis.get_CurrencySymbol(&text), com::S_OK);
    EXPECT_EQ(text, com::Bstr(u"CURRENC"));
    EXPECT_EQ(f.record.currencySymbol[7], '\0');
}

TEST(CAxisBase, UnboundAxisRefreshesNothing) {
    BoundAxis f;
    f.axis.SetAxis(-1, 0);
    f.owner->chartAxis(0).properties[15] = 0xABCDEF;
    f.axis.Refresh(kAllAxisProperties);
    EXPECT_EQ(f.record.gridColor, 0u);
    com::LONG color = -1;
    ASSERT_EQ(f.axis.get_GridColor(&color), com::S_OK);
    EXPECT_EQ(color, 0);
}

TEST(CAxisBase, FormatLabel) {
    AxisSettingsRecord record;
    record.format = FC_PLAIN;
    record.decimals = 2;
    record.scaleUnit = 1000;
    record.prepared.number.setDecimal(",");
    CAxisBase axis;
    axis.Bind(nullptr, nullptr, &record);
    char text[32];
    double value = 2500;
    EXPECT_EQ(axis.FormatLabel(&value, text, sizeof text), 1);
    EXPECT_EQ(value, 2.5);
    EXPECT_STREQ(text, "2,50");

    record.scaleUnit = 0;  // counts as 1
    value = 7;
    axis.FormatLabel(&value, text, sizeof text);
    EXPECT_EQ(value, 7);
    EXPECT_STREQ(text, "7,00");

    record.style = AS_HIDE;
    value = 12;
    EXPECT_EQ(axis.FormatLabel(&value, text, sizeof text), 1);
    EXPECT_STREQ(text, " ");

    CAxisBase unbound;
    value = 3;
    EXPECT_EQ(unbound.FormatLabel(&value, text, sizeof text), 0);
    EXPECT_STREQ(text, "");
}

TEST(CAxisBase, NoRecordFailsCleanly) {
    CAxisBase axis;
    double value = 9;
    EXPECT_EQ(axis.get_Min(&value), com::E_FAIL);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(axis.put_Max(1), com::E_FAIL);
    EXPECT_EQ(axis.put_Format(com::Variant(std::int32_t{1})), com::E_FAIL);
    axis.Refresh(kAllAxisProperties);
    axis.Apply(kAllAxisProperties);
}

}  // namespace
}  // namespace dravik
