#include <gtest/gtest.h>

#include "AxisTestOwner.h"
#include "axes/AxisPropertyCodes.h"
#include "axes/CAnalyticalAxisBase.h"
#include "com/ComPtr.h"
#include "dravik/AxisInterfaces.h"
#include "gdi/PainterDC.h"

namespace dravik {
namespace {

using test::AnalyticalTestChart;
using test::AxisTestOwner;

// A study axis (axis number 1 of the analytical chart, chart axis 0 shared by the panes).
struct StudyAxis {
    StudyAxis() {
        chart.scales[1] = {10, 90, 20, 5};
        axis.Bind(owner.get(), nullptr, &record);
        axis.BindChart(&chart, 1);
        axis.SetAxis(0, 0);
    }
    com::ComPtr<AxisTestOwner> owner = com::makeComObject<AxisTestOwner>();
    AnalyticalTestChart chart;
    AxisSettingsRecord record;
    CAnalyticalAxisBase axis;
};

TEST(CAnalyticalAxisBase, ScaleComesFromTheChartUntilTheUserSetsIt) {
    StudyAxis f;
    double value = 0;
    ASSERT_EQ(f.axis.get_Min(&value), com::S_OK);
    EXPECT_EQ(value, 10);
    ASSERT_EQ(f.axis.get_MinorStep(&value), com::S_OK);
    EXPECT_EQ(value, 5);

    ASSERT_EQ(f.axis.put_Max(200), com::S_OK);
    EXPECT_EQ(f.chart.scales[1].max, 200);
    EXPECT_EQ(f.chart.recomputes, 1);
    EXPECT_EQ(f.owner->repaints, 1);
    EXPECT_EQ(f.record.usedFields, AUF_MAX | AUF_SCALE);
    f.chart.scales[1].max = 300;  // the chart's next computation
    ASSERT_EQ(f.axis.get_Max(&value), com::S_OK);
    EXPECT_EQ(value, 200);
    // Nothing of the scale goes to the shared chart axis.
    EXPECT_EQ(f.owner->chartValue(0, 1), 100);
}

TEST(CAnalyticalAxisBase, WritesWaitWhileTheChartIsNotCurrent) {
    StudyAxis f;
    f.chart.current = false;
    ASSERT_EQ(f.axis.put_Step(7), com::S_OK);
    ASSERT_EQ(f.axis.put_GridColor(0xFF), com::S_OK);
    EXPECT_EQ(f.chart.recomputes, 0);
    EXPECT_EQ(f.owner->repaints, 0);
    EXPECT_EQ(f.record.step, 7);

    f.chart.current = true;
    f.axis.Apply(kAllAxisProperties);
    EXPECT_EQ(f.chart.scales[1].step, 7);
    EXPECT_EQ(f.chart.scales[1].min, 10);  // not set by the user: left to the chart
    EXPECT_EQ(f.owner->repaints, 1);
}

TEST(CAnalyticalAxisBase, RefreshTakesTheScaleAndTheSharedAxis) {
    StudyAxis f;
    f.owner->chartAxis(0).properties[15] = 0x00FF00;  // grid colour of the shared axis
    f.owner->chartAxis(0).properties[1] = 555;        // its maximum is not this pane's
    f.axis.put_TextColor(0xFF);
    f.owner->chartAxis(0).properties[11] = 0x123;
    f.axis.Refresh(kAllAxisProperties);
    EXPECT_EQ(f.record.min, 10);
    EXPECT_EQ(f.record.max, 90);
    EXPECT_EQ(f.record.step, 20);
    EXPECT_EQ(f.record.style & AS_AUTOSCALE, static_cast<std::uint32_t>(AS_AUTOSCALE));
    EXPECT_EQ(f.record.gridColor, 0x00FF00u);
    EXPECT_EQ(f.record.textColor, 0xFFu);  // set by the user

    // A range set by the user ends the automatic scale for good.
    f.axis.put_Min(1);
    f.axis.Refresh(kAllAxisProperties);
    EXPECT_EQ(f.record.style & AS_AUTOSCALE, 0u);
    EXPECT_EQ(f.record.min, 1);
    EXPECT_EQ(f.record.max, 90);
}

TEST(CAnalyticalAxisBase, PropertiesLiveInTheRecord) {
    StudyAxis f;
    f.owner->chartAxis(0).format = com::Variant(std::int32_t{7});
    f.owner->chartAxis(0).properties[14] = 3;
    ASSERT_EQ(f.axis.put_Format(com::Variant(std::int32_t{4})), com::S_OK);
    com::Variant format;
    ASSERT_EQ(f.axis.get_Format(&format), com::S_OK);
    EXPECT_EQ(format, com::Variant(std::int32_t{4}));
    EXPECT_EQ(f.owner->chartAxis(0).format, com::Variant(std::int32_t{7}));
    EXPECT_EQ(f.axis.put_Format(com::Variant(1.5)), com::E_FAIL);

    ASSERT_EQ(f.axis.put_Grid(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(f.axis.put_GridStyle(2), com::S_OK);
    com::SHORT style = 0;
    ASSERT_EQ(f.axis.get_GridStyle(&style), com::S_OK);
    EXPECT_EQ(style, 2);
    EXPECT_EQ(f.owner->chartValue(0, 14), 3);
    EXPECT_EQ(f.owner->chartValue(0, 12), 0);
    EXPECT_EQ(f.record.tickStyle, static_cast<std::int16_t>(0x8000));
}

TEST(CAnalyticalAxisBase, GridPenOncePerPass) {
    StudyAxis f;
    gdi::MemoryDC dc;
    const gdi::HGDIOBJ nullPen = gdi::getStockObject(gdi::NULL_PEN);
    // Grid hidden: the null pen.
    f.axis.SelectGridPen(true, dc, false, false);
    EXPECT_EQ(dc.currentObject(gdi::ObjectType::Pen), nullPen);
    f.axis.ReleaseGridPen();

    f.record.tickStyle = static_cast<std::int16_t>(0x8000);
    f.record.gridStyle = gdi::PS_DOT;
    f.record.gridWidth = 1;
    f.record.gridColor = 0x0000FF;
    const std::size_t before = gdi::liveObjectCount();
    f.axis.SelectGridPen(true, dc, false, false);
    const gdi::HGDIOBJ pen = dc.currentObject(gdi::ObjectType::Pen);
    ASSERT_TRUE(gdi::getPen(pen).has_value());
    EXPECT_EQ(gdi::getPen(pen)->style & gdi::PS_STYLE_MASK, static_cast<std::uint32_t>(gdi::PS_DOT));
    EXPECT_EQ(gdi::getPen(pen)->color, 0x0000FFu);
    // Selected once until released.
    f.axis.SelectGridPen(true, dc, true, false);
    EXPECT_EQ(dc.currentObject(gdi::ObjectType::Pen), pen);
    f.axis.ReleaseGridPen();
    // The next selection replaces the pen this axis made, which goes.
    f.axis.SelectGridPen(true, dc, false, true);
    EXPECT_EQ(gdi::getPen(dc.currentObject(gdi::ObjectType::Pen))->color, 0u);
    EXPECT_EQ(gdi::liveObjectCount(), before + 1);
    f.axis.ReleaseGridPen();
    f.axis.SelectGridPen(true, dc, true, false);  // none: the null pen
    EXPECT_EQ(dc.currentObject(gdi::ObjectType::Pen), nullPen);
    EXPECT_EQ(gdi::liveObjectCount(), before);
}

TEST(CAnalyticalAxisBase, InterlaceBrushAndTextColour) {
    StudyAxis f;
    gdi::MemoryDC dc;
    f.record.tickStyle = static_cast<std::int16_t>(0x8000);
    f.record.gridColor = 0x00FF00;
    f.axis.SelectGridBrush(true, dc, false);
    EXPECT_EQ(dc.currentObject(gdi::ObjectType::Brush), gdi::getStockObject(gdi::NULL_BRUSH));
    f.axis.ReleaseGridBrush();
    f.record.style = AS_INTERLACED;
    f.axis.SelectGridBrush(true, dc, false);
    const auto brush = gdi::getBrush(dc.currentObject(gdi::ObjectType::Brush));
    ASSERT_TRUE(brush.has_value());
    EXPECT_EQ(brush->color, 0x00FF00u);

    dc.setTextColor(0x111111);
    f.axis.SelectTextColor(dc, false);  // not set by the user: the DC keeps its colour
    EXPECT_EQ(dc.textColor(), 0x111111u);
    f.axis.put_TextColor(0x0000FF);
    f.axis.SelectTextColor(dc, false);
    EXPECT_EQ(dc.textColor(), 0x0000FFu);
    f.axis.RestoreTextColor(dc);
    EXPECT_EQ(dc.textColor(), 0x111111u);
    f.axis.SelectTextColor(dc, true);
    EXPECT_EQ(dc.textColor(), 0u);
}

}  // namespace
}  // namespace dravik
