#include <gtest/gtest.h>

#include "SeriesTestChart.h"
#include "series/CSeriesAttributes.h"

namespace dravik {
namespace {

using com::Variant;
using test::SeriesTestChart;
using test::SeriesTestOwner;

struct Binding {
    Binding() { attributes.Bind(&owner, &chart, &record); }
    SeriesTestChart chart;
    SeriesTestOwner owner;
    SeriesAttributeRecord record;
    CSeriesAttributes attributes;
};

const Variant kNoIndex = Variant::missing();

TEST(CSeriesAttributes, UnboundPutsApplyInOrderOnceBound) {
    Binding b;
    EXPECT_EQ(b.attributes.put_Visible(com::VARIANT_TRUE), com::S_OK);
    EXPECT_EQ(b.attributes.put_LineWidth(Variant(std::int16_t{1}), 4), com::S_OK);
    EXPECT_EQ(b.attributes.put_Gallery(3), com::S_OK);
    EXPECT_EQ(b.attributes.put_Color(kNoIndex, 0xFF), com::S_OK);
    EXPECT_EQ(b.attributes.put_Legend(com::Bstr(u"Close")), com::S_OK);
    EXPECT_TRUE(b.chart.writes.empty());
    EXPECT_EQ(b.record.setMask, SA_VISIBLE | SA_LINEWIDTH | SA_GALLERY | SA_COLOR | SA_LEGEND);

    b.attributes.SetSeriesIndex(2);
    b.attributes.ApplyToSeries(SA_ALL);
    // Legend, gallery, visible, colour 0 and 1 (the next series), line width 0 (index 1 stays in the
    // record).
    EXPECT_EQ(b.chart.writes, (std::vector<std::string>{"s2 legend=Close", "s2 id5=3", "s2 id10=1",
                                                        "s2 id2=255", "s3 id2=0", "s2 id8=0"}));
}

TEST(CSeriesAttributes, ApplyHonoursTheMaskAndTheSetMask) {
    Binding b;
    b.record.setMask = SA_VOLUME | SA_BORDER;
    b.record.volume = 40;
    b.record.cylSides = 9;  // not set: never applied
    b.attributes.SetSeriesIndex(0);
    b.attributes.ApplyToSeries(SA_BORDER | SA_CYLSIDES);
    EXPECT_EQ(b.chart.writes, (std::vector<std::string>{"s0 id7=0"}));
}

TEST(CSeriesAttributes, BoundGetsReadTheChart) {
    Binding b;
    b.attributes.SetSeriesIndex(1);
    b.chart.attributes[{1, SAID_MARKERSIZE}] = 6;
    b.chart.attributes[{1, SAID_POINTLABELS}] = 1;
    b.chart.legends[1] = "Volume";
    com::SHORT size = 0;
    EXPECT_EQ(b.attributes.get_MarkerSize(&size), com::S_OK);
    EXPECT_EQ(size, 6);
    EXPECT_EQ(b.record.markerSize, 6);
    com::VARIANT_BOOL labels = 0;
    EXPECT_EQ(b.attributes.get_PointLabels(&labels), com::S_OK);
    EXPECT_EQ(labels, com::VARIANT_TRUE);
    com::Bstr legend;
    EXPECT_EQ(b.attributes.get_Legend(&legend), com::S_OK);
    EXPECT_EQ(legend.toUtf8(), "Volume");
    EXPECT_EQ(b.record.setMask, 0u);  // reading marks nothing
}

TEST(CSeriesAttributes, OnlyVariantTrueIsTrue) {
    Binding b;
    b.attributes.put_Border(1);
    EXPECT_EQ(b.record.border, 0);
    b.attributes.put_Border(com::VARIANT_TRUE);
    EXPECT_EQ(b.record.border, 1);
}

TEST(CSeriesAttributes, TypeMaskKeepsTheSeriesLowByte) {
    Binding b;
    b.attributes.SetSeriesIndex(0);
    b.chart.attributes[{0, SAID_TYPEMASK}] = 0x12;
    EXPECT_EQ(b.attributes.put_TypeMask(0x7700FF), com::S_OK);
    EXPECT_EQ(b.chart.GetAttribute(0, SAID_TYPEMASK), 0x770012);
    EXPECT_EQ(b.record.typeMask, 0x770012);

    Binding unbound;
    unbound.record.typeMask = 0x34;
    unbound.attributes.put_TypeMask(0x100);
    EXPECT_EQ(unbound.record.typeMask, 0x134);
}

TEST(CSeriesAttributes, IndexedAttributes) {
    Binding b;
    b.attributes.SetSeriesIndex(4);
    EXPECT_EQ(b.attributes.put_Color(Variant(std::int32_t{1}), 0xABCDEF), com::S_OK);
    EXPECT_EQ(b.chart.GetAttribute(5, SAID_COLOR), 0xABCDEF);
    EXPECT_EQ(b.owner.repaints, 1);
    const auto writes = b.chart.writes;
    EXPECT_EQ(b.attributes.put_Color(Variant(std::int16_t{2}), 1), com::E_INVALIDARG);
    EXPECT_EQ(b.chart.writes, writes);
    EXPECT_EQ(b.record.color[1], 0xABCDEFu);
    EXPECT_EQ(b.attributes.put_Pattern(Variant(u"x"), 1), com::E_INVALIDARG);

    b.chart.attributes[{5, SAID_BKCOLOR}] = 0x404040;
    com::LONG colour = 0;
    EXPECT_EQ(b.attributes.get_BkColor(Variant(std::int16_t{1}), &colour), com::S_OK);
    EXPECT_EQ(colour, 0x404040);
    com::SHORT width = 0;
    b.record.lineWidth[1] = 7;
    b.chart.attributes[{4, SAID_LINEWIDTH}] = 2;
    EXPECT_EQ(b.attributes.get_LineWidth(Variant(std::int16_t{1}), &width), com::S_OK);
    EXPECT_EQ(width, 7);  // index 1 lives in the record
    EXPECT_EQ(b.attributes.get_LineWidth(kNoIndex, &width), com::S_OK);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(b.attributes.get_LineWidth(Variant(std::int16_t{-1}), &width), com::E_INVALIDARG);
    EXPECT_EQ(width, 0);
}

TEST(CSeriesAttributes, ReadFromSeriesOnlyUnsetLeavesUserValues) {
    Binding b;
    b.attributes.put_LineStyle(3);
    b.attributes.SetSeriesIndex(0);
    b.chart.attributes[{0, SAID_LINESTYLE}] = 1;
    b.chart.attributes[{0, SAID_VOLUME}] = 20;
    b.chart.attributes[{0, SAID_YAXIS}] = 1;
    b.chart.attributes[{0, SAID_TYPEMASK}] = 0x1234;
    b.attributes.ReadFromSeries(SA_LINESTYLE | SA_VOLUME | SA_YAXIS | SA_TYPEMASK, true, true, false);
    EXPECT_EQ(b.record.lineStyle, 3);
    EXPECT_EQ(b.record.volume, 20);
    EXPECT_EQ(b.record.yAxis, 1);
    EXPECT_EQ(b.record.typeMask, 0x1200);
    EXPECT_EQ(b.record.setMask, SA_LINESTYLE | SA_VOLUME | SA_TYPEMASK);  // the Y axis is never marked
}

TEST(CSeriesAttributes, ReadFromSeriesMarksOnlyWhatChanged) {
    Binding b;
    b.attributes.SetSeriesIndex(0);
    b.record.markerStep = 5;
    b.record.color = {0x10, 0x20};
    b.chart.attributes[{0, SAID_MARKERSTEP}] = 5;
    b.chart.attributes[{0, SAID_MARKERSIZE}] = 8;
    b.chart.attributes[{0, SAID_COLOR}] = 0x10;
    b.chart.attributes[{1, SAID_COLOR}] = 0x30;
    b.attributes.ReadFromSeries(SA_MARKERSTEP | SA_MARKERSIZE | SA_COLOR, false, true, true);
    EXPECT_EQ(b.record.setMask, SA_MARKERSIZE | SA_COLOR);
    EXPECT_EQ(b.record.color[1], 0x30u);
}

}  // namespace
}  // namespace dravik
