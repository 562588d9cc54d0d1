// The Draw page over the real extension's drawings: what it lists and shows, Apply and its
// DrawPageCommit event, choosing another drawing, Remove and the page with no drawings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include "DrawingFixture.h"
#include "datescale/DateScale.h"
#include "pages/CDrawPage.h"
#include "pages/CDrawingDialogs.h"

namespace dravik::test {
namespace {

class DrawPage : public DrawingFixture {
protected:
    void TearDown() override {
        page.deactivate();
        DrawingFixture::TearDown();
    }
    // Binds the page to the chart and opens its window.
    ui::Dialog& open() {
        com::IUnknown* objects[] = {chart->identity()};
        EXPECT_EQ(page.setObjects(objects), com::S_OK);
        page.activate(&parent);
        return *page.dialog();
    }
    // The user picks item `index` of a list.
    static void choose(ui::Dialog& dialog, int id, int index) {
        auto* box = qobject_cast<QComboBox*>(dialog.item(id));
        ASSERT_NE(box, nullptr);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    QWidget parent;
    CDrawPage page;
};

TEST_F(DrawPage, ListsEveryDrawingByNameAndShowsTheFirst) {
    record(drawing(DF_TREND_LINE)).SetName("Trend");
    record(drawing(DF_GANN_FAN)).SetName("Fan");
    record(1).lineWidth = 4;
    record(0).lineWidth = 2;
    record(0).lineStyle = 1;
    ui::Dialog& dialog = open();
    EXPECT_EQ(page.title(), "Draws");
    ASSERT_EQ(dialog.count(IDC_DRAW_LIST), 2);
    EXPECT_EQ(dialog.listText(IDC_DRAW_LIST, 0), "Trend");
    EXPECT_EQ(dialog.listText(IDC_DRAW_LIST, 1), "Fan");
    EXPECT_EQ(dialog.curSel(IDC_DRAW_LIST), 0);
    EXPECT_EQ(page.currentDrawing(), 0);
    EXPECT_EQ(dialog.count(IDC_DRAW_WIDTH), 6);
    EXPECT_EQ(dialog.count(IDC_DRAW_STYLE), 5);
    EXPECT_EQ(dialog.curSel(IDC_DRAW_WIDTH), 1);
    EXPECT_EQ(dialog.curSel(IDC_DRAW_STYLE), 1);
    EXPECT_FALSE(page.isDirty()) << "showing a drawing is no edit";
}

TEST_F(DrawPage, ApplyWritesTheDrawingAndRaisesDrawPageCommit) {
    drawing(DF_TREND_LINE);
    drawing(DF_GANN_FAN, 0);
    const int second = drawing(DF_GANN_FAN, 1);
    ui::Dialog& dialog = open();
    choose(dialog, IDC_DRAW_LIST, second);
    ASSERT_EQ(page.currentDrawing(), second);
    choose(dialog, IDC_DRAW_WIDTH, 3);
    choose(dialog, IDC_DRAW_STYLE, 4);
    dialog.clickButton(IDC_DRAW_FREE);
    ASSERT_TRUE(page.isDirty());

    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(record(second).lineWidth, 4);
    EXPECT_EQ(record(second).lineStyle, 4);
    EXPECT_EQ(record(second).freeDraw, 1);
    EXPECT_EQ(events, (std::vector<SeenDrawingEvent>{{kEventDrawPageCommit, DF_GANN_FAN, 1}}));
    EXPECT_FALSE(page.isDirty());
    EXPECT_EQ(page.apply(), com::S_FALSE) << "a clean page applies nothing";
    EXPECT_EQ(events.size(), 1u);
}

TEST_F(DrawPage, ChoosingAnotherDrawingAppliesThePendingChangesFirst) {
    const int first = drawing(DF_TREND_LINE);
    const int second = drawing(DF_QUADRANT_LINES);
    record(first).lineWidth = 1;
    ui::Dialog& dialog = open();
    choose(dialog, IDC_DRAW_WIDTH, 5);
    choose(dialog, IDC_DRAW_LIST, second);
    EXPECT_EQ(record(first).lineWidth, 6);
    EXPECT_EQ(page.currentDrawing(), second);
    EXPECT_FALSE(page.isDirty());
    EXPECT_EQ(events, (std::vector<SeenDrawingEvent>{{kEventDrawPageCommit, DF_TREND_LINE, 0}}));
}

TEST_F(DrawPage, RemovingTheLastDrawingLeavesNoSelection) {
    drawing(DF_MEAN_TIRONE_LEVELS);
    ui::Dialog& dialog = open();
    choose(dialog, IDC_DRAW_WIDTH, 2);  // pending changes go with the drawing
    dialog.clickButton(IDC_DRAW_REMOVE);

    EXPECT_EQ(charts->drawingList().Count(), 0);
    EXPECT_EQ(dialog.count(IDC_DRAW_LIST), 0);
    EXPECT_EQ(dialog.curSel(IDC_DRAW_LIST), -1);
    EXPECT_EQ(page.currentDrawing(), -1);
    EXPECT_FALSE(dialog.isItemEnabled(IDC_DRAW_FROM));
    EXPECT_FALSE(dialog.isItemEnabled(IDC_DRAW_REMOVE));
    EXPECT_EQ(events, (std::vector<SeenDrawingEvent>{{kEventDeletingDrawing, DF_MEAN_TIRONE_LEVELS, 0}}));
    EXPECT_EQ(page.apply(), com::S_FALSE);
    EXPECT_EQ(events.size(), 1u);
}

TEST_F(DrawPage, RemovingADrawingSelectsTheFirstRemainingOne) {
    drawing(DF_TREND_LINE, 0);
    const int second = drawing(DF_TREND_LINE, 1);
    record(second).SetName("Second");
    drawing(DF_FIBONACCI_ARCS);
    ui::Dialog& dialog = open();
    choose(dialog, IDC_DRAW_LIST, second);
    dialog.clickButton(IDC_DRAW_REMOVE);
    ASSERT_EQ(dialog.count(IDC_DRAW_LIST), 2);
    EXPECT_EQ(dialog.curSel(IDC_DRAW_LIST), 0);
    EXPECT_EQ(page.currentDrawing(), 0);
    EXPECT_EQ(events, (std::vector<SeenDrawingEvent>{{kEventDeletingDrawing, DF_TREND_LINE, 1}}));
}

TEST_F(DrawPage, WithNoDrawingsTheListIsEmptyAndApplyDoesNothing) {
    ui::Dialog& dialog = open();
    EXPECT_EQ(dialog.count(IDC_DRAW_LIST), 0);
    EXPECT_EQ(page.currentDrawing(), -1);
    page.MarkChanged1();
    EXPECT_EQ(page.apply(), com::S_OK);
    EXPECT_TRUE(events.empty());
}

TEST_F(DrawPage, ADisabledDrawingShowsItsValuesWithEveryEditingControlDisabled) {
    const int index = drawing(DF_SPEED_RESISTANCE_LINES);
    record(index).lineWidth = 5;
    ASSERT_EQ(feature(index)->put_Enable(com::VARIANT_FALSE), com::S_OK);
    ui::Dialog& dialog = open();
    EXPECT_EQ(dialog.curSel(IDC_DRAW_WIDTH), 4);
    EXPECT_TRUE(dialog.isItemEnabled(IDC_DRAW_LIST));
    for (const int id : {IDC_DRAW_FROM, IDC_DRAW_TO, IDC_DRAW_FREE, IDC_DRAW_ON_SERIES, IDC_DRAW_SERIES,
                         IDC_DRAW_COLOR, IDC_DRAW_WIDTH, IDC_DRAW_STYLE})
        EXPECT_FALSE(dialog.isItemEnabled(id)) << id;
}

TEST_F(DrawPage, AWidthOutsideTheListIsKeptByApply) {
    const int index = drawing(DF_TREND_LINE);
    record(index).lineWidth = 9;
    record(index).color = 0x123456;
    ui::Dialog& dialog = open();
    EXPECT_EQ(dialog.curSel(IDC_DRAW_WIDTH), -1);
    choose(dialog, IDC_DRAW_STYLE, 2);
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(record(index).lineWidth, 9);
    EXPECT_EQ(record(index).color, 0x123456u) << "a colour the chart does not list stays the drawing's";
    EXPECT_EQ(record(index).lineStyle, 2);
}

TEST_F(DrawPage, TheWorkSeriesListOffersTheBoundPricesAndAppliesTheChosenOne) {
    ASSERT_EQ(financial->put_OpenSeries(0), com::S_OK);
    ASSERT_EQ(financial->put_HighSeries(1), com::S_OK);
    ASSERT_EQ(financial->put_LowSeries(2), com::S_OK);
    ASSERT_EQ(financial->put_CloseSeries(3), com::S_OK);
    const int index = drawing(DF_TREND_LINE);
    record(index).workSeries = -1;  // the close
    ui::Dialog& dialog = open();
    ASSERT_EQ(dialog.count(IDC_DRAW_SERIES), 4);
    EXPECT_EQ(dialog.listText(IDC_DRAW_SERIES, 0), "Open Price");
    EXPECT_EQ(dialog.listText(IDC_DRAW_SERIES, 3), "Close Price");
    EXPECT_EQ(dialog.curSel(IDC_DRAW_SERIES), 3);
    choose(dialog, IDC_DRAW_SERIES, 1);
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(record(index).workSeries, -3) << "the high series is kept as the high code";
}

TEST_F(DrawPage, ATypedDateMovesItsAnchorAndADateLeftAsShownKeepsIt) {
    // This chart has no dates: an anchor's text is its x value as a number.
    const int index = drawing(DF_TREND_LINE);
    record(index).from = record(index).xFrom = 2.5;
    record(index).to = record(index).xTo = 4.0;
    ui::Dialog& dialog = open();
    EXPECT_EQ(dialog.itemText(IDC_DRAW_FROM), "      2.50");
    dialog.setItemText(IDC_DRAW_TO, "7");
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(record(index).from, 2.5);
    EXPECT_EQ(record(index).to, 7.0);
    EXPECT_EQ(record(index).xTo, 7.0);

    dialog.setItemText(IDC_DRAW_TO, "no date");
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(record(index).to, 7.0) << "a text that is no date keeps the anchor";
}

TEST_F(DrawPage, ADateAfterTheDataIsTakenAsTheLastPeriod) {
    // Five days, Monday 1 to Friday 5 January 2024 (OLE dates 45292-45296), shown day by day.
    const double dates[] = {45292, 45293, 45294, 45295, 45296};
    const double values[] = {1, 2, 3, 4, 5};
    CDateScale& scale = charts->settings().dateScale;
    scale.Build(1, 5, values, dates, {});
    scale.SetLevel(4);
    const int index = drawing(DF_TREND_LINE);
    record(index).from = 2.0;
    record(index).xFrom = 45293;
    record(index).to = 3.0;
    record(index).xTo = 45294;
    ui::Dialog& dialog = open();
    EXPECT_EQ(dialog.itemText(IDC_DRAW_TO), "2024-01-03");
    // 12 December 2024 lies after the data.
    dialog.setItemText(IDC_DRAW_TO, "2024-12-12");
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(record(index).to, 5.0);
    EXPECT_EQ(record(index).xTo, 45296.0);
    EXPECT_EQ(record(index).from, 2.0);
}

TEST_F(DrawPage, AnEditedDateIsAppliedAndTheShownTextReadsBack) {
    const double dates[] = {45292, 45293, 45294, 45295, 45296};
    const double values[] = {1, 2, 3, 4, 5};
    CDateScale& scale = charts->settings().dateScale;
    scale.Build(1, 5, values, dates, {});
    scale.SetLevel(4);
    const int index = drawing(DF_TREND_LINE);
    record(index).from = 1.0;
    record(index).xFrom = 45292;
    record(index).to = 2.0;
    record(index).xTo = 45293;
    ui::Dialog& dialog = open();
    EXPECT_EQ(dialog.itemText(IDC_DRAW_FROM), "2024-01-01");
    dialog.setItemText(IDC_DRAW_FROM, "2024-01-04");
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(record(index).from, 4.0);
    EXPECT_EQ(record(index).xFrom, 45295.0);
    // The drawing object returns the same text, and takes it back.
    com::ComPtr<IDrawFeature> object = feature(index);
    com::Bstr from;
    ASSERT_EQ(object->get_From(&from), com::S_OK);
    EXPECT_EQ(from.toUtf8(), "2024-01-04");
    EXPECT_EQ(object->put_From(from), com::S_OK);
    EXPECT_EQ(record(index).from, 4.0);
}

TEST_F(DrawPage, ConfigureRaisesDrawPrivateBytesCommitWhenTheParametersChanged) {
    CDrawingDialogs dialogs;
    IDrawingDialogs* previous = SetDrawingDialogs(&dialogs);
    ASSERT_EQ(financial->put_Options(kOptionConfigureDrawings), com::S_OK);
    drawing(DF_TREND_LINE);
    const int fan = drawing(DF_FIBONACCI_FAN);
    ui::Dialog& dialog = open();
    choose(dialog, IDC_DRAW_LIST, fan);
    ASSERT_FALSE(dialog.item(IDC_DRAW_CONFIGURE)->isHidden());

    QTimer::singleShot(0, [] {
        auto* parameters = qobject_cast<ui::Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(parameters, nullptr);
        parameters->setItemText(572, "20");
        parameters->clickButton(1);
    });
    dialog.clickButton(IDC_DRAW_CONFIGURE);
    EXPECT_EQ(ratio(fan, 0), 0.2);
    EXPECT_EQ(events, (std::vector<SeenDrawingEvent>{{kEventDrawPrivateBytesCommit, DF_FIBONACCI_FAN, 0}}));
    EXPECT_FALSE(page.isDirty()) << "the parameters are written by their dialog, not by Apply";
    SetDrawingDialogs(previous);
}

TEST_F(DrawPage, WidthItemsAreLinesOfTheirWidthInTheChosenColour) {
    drawing(DF_TREND_LINE);
    ui::Dialog& dialog = open();
    const int blue = dialog.addString(IDC_DRAW_COLOR, "#0000ff", 0xFF0000);  // COLORREF of pure blue
    dialog.setCurSel(IDC_DRAW_COLOR, blue);
    const auto dc = gdi::createImageDC(60, 16);
    ui::DrawItem item;
    item.controlId = IDC_DRAW_WIDTH;
    item.itemIndex = 2;  // width 3: rows 7 to 9 around the middle
    item.dc = dc.get();
    item.rect = {0, 0, 60, 16};
    ASSERT_TRUE(DrawDrawingValueItem(dialog, *CFinancialPropertyPage::textModule(), item));
    EXPECT_EQ(dc->getPixel(30, 8), 0xFF0000u);
    EXPECT_EQ(dc->getPixel(30, 7), 0xFF0000u);
    EXPECT_EQ(dc->getPixel(30, 5), 0xFFFFFFu);

    item.controlId = IDC_DRAW_LIST;
    EXPECT_FALSE(DrawDrawingValueItem(dialog, *CFinancialPropertyPage::textModule(), item));
}

}  // namespace
}  // namespace dravik::test
