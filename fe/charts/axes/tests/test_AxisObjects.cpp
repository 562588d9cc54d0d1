#include <gtest/gtest.h>

#include <array>

#include "AxisTestOwner.h"
#include "axes/AxisObjectFactory.h"
#include "com/ComPtr.h"
#include "com/ModuleLock.h"
#include "dravik/AxisInterfaces.h"

namespace dravik {
namespace {

using test::AnalyticalTestChart;
using test::AxisTestOwner;
using test::pricesAxis;

com::ComPtr<ILomexDateAxis> dateAxis(AxisTestOwner& owner) {
    ILomexDateAxis* axis = nullptr;
    EXPECT_EQ(CreateDateAxisObject(owner, &axis), com::S_OK);
    return com::ComPtr<ILomexDateAxis>::attach(axis);
}

// The way the chart window sets up its axes: PricesAxis Format = 1, Grid = True, GridStyle = 2 and
// ScaleUnit = 1.0; DateAxis Grid = True, GridStyle = 2; it reads PricesAxis Min and Max.
TEST(AxisObjects, PricesAxisAsTheChartWindowUsesIt) {
    auto owner = com::makeComObject<AxisTestOwner>();
    owner->chartAxis(0).properties[0] = 12.5;
    owner->chartAxis(0).properties[1] = 48.25;
    auto axis = pricesAxis(*owner);
    double min = 0, max = 0;
    ASSERT_EQ(axis->get_Min(&min), com::S_OK);
    ASSERT_EQ(axis->get_Max(&max), com::S_OK);
    EXPECT_EQ(min, 12.5);
    EXPECT_EQ(max, 48.25);

    ASSERT_EQ(axis->put_Format(com::Variant(std::int16_t{1})), com::S_OK);
    ASSERT_EQ(axis->put_Grid(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(axis->put_GridStyle(2), com::S_OK);
    ASSERT_EQ(axis->put_ScaleUnit(1.0), com::S_OK);
    EXPECT_EQ(owner->chartAxis(0).format, com::Variant(std::int16_t{1}));
    EXPECT_EQ(owner->chartValue(0, 12), 32768);
    EXPECT_EQ(owner->chartValue(0, 14), 2);
    EXPECT_EQ(owner->chartValue(0, 4), 1);
    const AxisSettingsRecord& record = owner->settings.priceAxis;
    EXPECT_EQ(record.format, 1);
    EXPECT_EQ(record.gridStyle, 2);
    EXPECT_EQ(record.tickStyle & static_cast<std::int16_t>(0x8000), static_cast<std::int16_t>(0x8000));
    EXPECT_EQ(record.usedFields & (0x40u | 0x400u | 0x1000u | 0x100u), 0x40u | 0x400u | 0x1000u | 0x100u);
    EXPECT_EQ(owner->repaints, 4);
}

TEST(AxisObjects, DateAxisGridGoesToTheXAxis) {
    auto owner = com::makeComObject<AxisTestOwner>();
    auto axis = dateAxis(*owner);
    ASSERT_EQ(axis->put_Grid(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(axis->put_GridStyle(2), com::S_OK);
    EXPECT_EQ(owner->chartValue(2, 12), 32768);
    EXPECT_EQ(owner->chartValue(2, 14), 2);
    EXPECT_EQ(owner->chartValue(0, 14), 0);
    EXPECT_EQ(owner->settings.dateAxis.gridStyle, 2);
    com::VARIANT_BOOL grid = 0;
    ASSERT_EQ(axis->get_Grid(&grid), com::S_OK);
    EXPECT_EQ(grid, com::VARIANT_TRUE);
}

TEST(AxisObjects, StudyAxisAsTheChartWindowUsesIt) {
    auto owner = com::makeComObject<AxisTestOwner>();
    AnalyticalTestChart chart;
    chart.scales[0] = {0, 1.5e6, 5e5, 1e5};
    AxisSettingsRecord volumeAxis;
    ILomexAxis* axis = nullptr;
    ASSERT_EQ(CreateAnalyticalAxisObject(*owner, chart, 0, volumeAxis, 0, &axis), com::S_OK);
    double max = 0;
    ASSERT_EQ(axis->get_Max(&max), com::S_OK);
    EXPECT_EQ(max, 1.5e6);
    ASSERT_EQ(axis->put_ScaleUnit(1.0), com::S_OK);
    ASSERT_EQ(axis->put_Grid(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(axis->put_GridStyle(2), com::S_OK);
    EXPECT_EQ(volumeAxis.scaleUnit, 1.0);
    EXPECT_EQ(volumeAxis.gridStyle, 2);
    EXPECT_EQ(volumeAxis.tickStyle, static_cast<std::int16_t>(0x8000));
    // The panes draw their grid themselves: the shared chart axis is left alone.
    EXPECT_EQ(owner->chartValue(0, 14), 0);
    EXPECT_EQ(owner->repaints, 3);
    axis->Release();
}

TEST(AxisObjects, ObjectsAnswerTheirOwnInterface) {
    auto owner = com::makeComObject<AxisTestOwner>();
    auto value = pricesAxis(*owner);
    auto date = dateAxis(*owner);
    void* found = nullptr;
    EXPECT_EQ(value->QueryInterface(IID_ILomexAxis, &found), com::S_OK);
    static_cast<ILomexAxis*>(found)->Release();
    EXPECT_EQ(value->QueryInterface(IID_ILomexDateAxis, &found), com::E_NOINTERFACE);
    EXPECT_EQ(date->QueryInterface(IID_ILomexDateAxis, &found), com::S_OK);
    static_cast<ILomexDateAxis*>(found)->Release();
    EXPECT_EQ(date->QueryInterface(IID_ILomexAxis, &found), com::E_NOINTERFACE);
    EXPECT_EQ(CreateChartAxisObject(*owner, owner->settings.priceAxis, 0, nullptr), com::E_POINTER);
}

TEST(AxisObjects, EveryLiveObjectLocksTheModule) {
    auto owner = com::makeComObject<AxisTestOwner>();
    const com::LONG before = com::moduleLocks();
    auto value = pricesAxis(*owner);
    auto date = dateAxis(*owner);
    EXPECT_EQ(com::moduleLocks(), before + 2);
    value = nullptr;
    date = nullptr;
    EXPECT_EQ(com::moduleLocks(), before);
}

TEST(AxisObjects, DateFormatsByLevel) {
    auto owner = com::makeComObject<AxisTestOwner>();
    auto axis = dateAxis(*owner);
    com::Variant format(std::int32_t{77});
    EXPECT_EQ(axis->get_Format(13, &format), com::E_INVALIDARG);
    EXPECT_TRUE(format.isEmpty());
    EXPECT_EQ(axis->get_Format(-1, &format), com::E_INVALIDARG);
    ASSERT_EQ(axis->get_Format(0, &format), com::S_OK);
    EXPECT_EQ(format, com::Variant(std::int32_t{0x8005}));  // FI_YEAR: "yyyy"
    ASSERT_EQ(axis->get_Format(9, &format), com::S_OK);
    EXPECT_EQ(format, com::Variant(std::int32_t{7}));  // FI_INTRADAY: time

    ASSERT_EQ(axis->put_Format(5, com::Variant::utf8("DMMMM yyyy")), com::S_OK);
    EXPECT_EQ(owner->settings.dateFormatCodes[5], 0x8005);
    EXPECT_EQ(owner->settings.dateFormats[5].pictureText(), "MMMM yyyy");
    EXPECT_EQ(owner->repaints, 1);
    EXPECT_EQ(axis->put_Format(13, com::Variant(std::int32_t{5})), com::E_INVALIDARG);
    EXPECT_EQ(axis->put_Format(6, com::Variant(2.5)), com::E_FAIL);
    EXPECT_EQ(owner->settings.dateFormatCodes[6], 0x8005);
    EXPECT_EQ(owner->settings.dateFormats[6].pictureText(), "MMM");
    EXPECT_EQ(owner->repaints, 1);
}

TEST(AxisObjects, DateStepsAreChecked) {
    auto owner = com::makeComObject<AxisTestOwner>();
    auto axis = dateAxis(*owner);
    struct Case {
        com::HRESULT (ILomexDateAxis::*put)(com::SHORT);
        com::SHORT value;
        com::HRESULT expected;
    };
    const Case cases[] = {
        {&ILomexDateAxis::put_DateStep, 7, com::E_INVALIDARG},
        {&ILomexDateAxis::put_DateStep, -2, com::E_INVALIDARG},
        {&ILomexDateAxis::put_DateStep, 0, com::S_OK},
        {&ILomexDateAxis::put_DateStep, -1, com::S_OK},
        {&ILomexDateAxis::put_DateMinorStep, 6, com::S_OK},
        {&ILomexDateAxis::put_DateMinorStep, 8, com::E_INVALIDARG},
        {&ILomexDateAxis::put_DateStepEvery, 0, com::E_INVALIDARG},
        {&ILomexDateAxis::put_DateStepEvery, -3, com::E_INVALIDARG},
        {&ILomexDateAxis::put_DateStepEvery, 3, com::S_OK},
        {&ILomexDateAxis::put_DateMinorStepEvery, 0, com::E_INVALIDARG},
        {&ILomexDateAxis::put_DateMinorStepEvery, 2, com::S_OK},
    };
    for (const Case& c : cases)
        EXPECT_EQ(((*axis).*c.put)(c.value), c.expected) << c.value;
    const ExtensionSettings& s = owner->settings;
    EXPECT_EQ(s.dateStep, -1);
    EXPECT_EQ(s.dateMinorStep, 6);
    EXPECT_EQ(s.dateStepEvery, 3);
    EXPECT_EQ(s.dateMinorStepEvery, 2);
    // DateStep 0 then -1, minor step, both counts: five changes repaint.
    EXPECT_EQ(owner->repaints, 5);
    axis->put_DateStepEvery(3);  // unchanged: no repaint
    EXPECT_EQ(owner->repaints, 5);

    EXPECT_EQ(axis->get_DateStep(nullptr), com::E_INVALIDARG);
    com::SHORT every = 0;
    ASSERT_EQ(axis->get_DateStepEvery(&every), com::S_OK);
    EXPECT_EQ(every, 3);

    ASSERT_EQ(axis->DateStepRefresh(), com::S_OK);
    ASSERT_EQ(owner->appliedSteps.size(), 1u);
    EXPECT_EQ(owner->appliedSteps[0], (std::array<com::SHORT, 4>{-1, 3, 6, 2}));
}

TEST(AxisObjects, AxisKeepsItsExtensionAliveAndFailsCleanlyWhenDetached) {
    bool destroyed = false;
    com::ComPtr<ILomexAxis> axis;
    com::ComPtr<ILomexDateAxis> date;
    {
        auto owner = com::makeComObject<AxisTestOwner>(&destroyed);
        axis = pricesAxis(*owner);
        date = dateAxis(*owner);
        ASSERT_EQ(axis->put_Max(40), com::S_OK);
        // The chart lets the extension go: it detaches, and its last outside reference goes.
        owner->detach();
    }
    EXPECT_FALSE(destroyed);
    // Without a chart the objects answer from their records and write nowhere.
    double max = 0;
    ASSERT_EQ(axis->get_Max(&max), com::S_OK);
    EXPECT_EQ(max, 40);
    EXPECT_EQ(axis->put_GridStyle(3), com::S_OK);
    com::SHORT style = 0;
    ASSERT_EQ(axis->get_GridStyle(&style), com::S_OK);
    EXPECT_EQ(style, 3);
    com::Bstr title;
    EXPECT_EQ(axis->get_Title(&title), com::S_OK);
    EXPECT_EQ(date->put_DateStep(2), com::S_OK);
    EXPECT_EQ(date->DateStepRefresh(), com::S_OK);
    axis = nullptr;
    EXPECT_FALSE(destroyed);
    date = nullptr;
    EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace dravik
