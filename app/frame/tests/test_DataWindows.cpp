// The data editor and the chart values window in the assembled frame: the real chart control with the
// real financial extension, filled from a real market database.

#include <QHeaderView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "ChartWindowFixture.h"
#include "VisualOrder.h"
#include "frame/chart/DrawingHandles.h"
#include "frame/data/ChartPointText.h"
#include "frame/data/DataWindowsWiring.h"
#include "frame/data/frmData.h"
#include "frame/data/frmDataEditor.h"
#include "korvel/IKvlControl.h"

namespace {

using frame::DataColumn;

TEST(ChartPointText, ValuesAreRoundedToThreeDecimalsHalvesToEvenAndNoValueIsEmpty) {
    EXPECT_EQ(frame::PointValueText(1e308).toStdString(), "");
    EXPECT_EQ(frame::PointValueText(2.0005).toStdString(), "2");
    EXPECT_EQ(frame::PointValueText(2.0015).toStdString(), "2.002");
    EXPECT_EQ(frame::PointValueText(-0.0125).toStdString(), "-0.012");
    // Large volumes and index amounts are values, not the empty mark.
    EXPECT_EQ(frame::PointValueText(25000000000.0).toStdString(), "25000000000");
    EXPECT_EQ(frame::PointValueText(0).toStdString(), "0");
}

TEST(ChartPointText, SortingDateIsYearMonthDayWithLeadingZeros) {
    EXPECT_EQ(frame::PointSortingDate(46328).toStdString(), "20261102");
    EXPECT_EQ(frame::PointSortingDate(46328.75).toStdString(), "20261102");
    EXPECT_EQ(frame::PointSortingDate(-657434).toStdString(), "01000101");
    EXPECT_EQ(frame::PointSortingDate(1e9).toStdString(), "");
}

class DataWindowsTest : public ChartWindowTest {
protected:
    void TearDown() override {
        ChartWindowTest::TearDown();
        tarnwick::gSpecial = true;
    }

    // The default company trades two more days: Monday 9th with a close of 9.25, and Tuesday 10th
    // without a volume.
    void seedMarket() override {
        ChartWindowTest::seedMarket();
        tarnwick::gConnection.execute(
            R"(INSERT INTO "MARKETDAILY1" ("DATE", "COMPANYID", "TotalShares", "TotalAmount", "OpeningPrice",)"
            R"( "MaxPrice", "MinPrice", "ClosingPrice") VALUES ('2026-11-09', ?, 200, 2000, 9, 9.5, 9, 9.25))",
            {kDefaultCompany});
        tarnwick::gConnection.execute(
            R"(INSERT INTO "MARKETDAILY1" ("DATE", "COMPANYID", "TotalShares", "TotalAmount", "OpeningPrice",)"
            R"( "MaxPrice", "MinPrice", "ClosingPrice") VALUES ('2026-11-10', ?, NULL, NULL, 9.25, 9.8765, 9.1, 9.6))",
            {kDefaultCompany});
    }

    void addWindows(frame::FrameHooks& hooks) override {
        hooks.chartPeers.fillDataEditor = nullptr;  // the real data editor, not the fixture's counter
        frame::ConnectDataWindows(hooks, [this] { return m_frame.get(); });
    }

    frame::frmDataEditor& editor() { return *frame::DataEditorOf(m_frame.get()); }
    frame::frmData& values() { return *frame::ChartValuesOf(m_frame.get()); }

    std::vector<std::string> column(DataColumn c) {
        std::vector<std::string> out;
        for (const frame::DataEditorRow& row : editor().dataModel().rows())
            out.push_back(row[static_cast<std::size_t>(c)].toStdString());
        return out;
    }
    std::vector<std::string> shownColumn(DataColumn c) {
        std::vector<std::string> out;
        QTreeWidget* list = editor().lsvData();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out.push_back(list->topLevelItem(i)->text(static_cast<int>(c)).toStdString());
        return out;
    }

    void chartAgain(std::int16_t interval) {
        window().chartChoices().interval = interval;
        window().chartCurrentCompany();
    }

    // Moves the mouse over the chart to the 1-based point position and the price value.
    void moveTo(double position, double price) {
        com::LONG px = 0;
        com::LONG py = 0;
        ASSERT_EQ(chart().ValueToPixel(position, price, &px, &py, 0), com::S_OK);
        window().drawingHandles()->Korvel1_MouseMoving(static_cast<std::int16_t>(px),
                                                       static_cast<std::int16_t>(py));
    }
    std::string name(int row) { return values().lsvDataList()->topLevelItem(row)->text(0).toStdString(); }
    std::string value(int row) { return values().lsvDataList()->topLevelItem(row)->text(1).toStdString(); }
    std::vector<std::string> seriesNames() {
        std::vector<std::string> out;
        for (int row = frame::kFixedChartValueRows; row < frame::kChartValueRowCount; ++row)
            out.push_back(name(row));
        return out;
    }
};

TEST_F(DataWindowsTest, EditorListsTheTradingDaysOfEveryFillButNotTheEmptyDaysAfterThem) {
    loadFrame();
    ASSERT_EQ(frame::PointCountOf(chart()), 7 + 30) << "the chart carries 30 empty days";
    EXPECT_EQ(column(DataColumn::SortingDate),
              (std::vector<std::string>{"20261102", "20261103", "20261104", "20261105", "20261106",
                                        "20261109", "20261110"}));
    EXPECT_EQ(column(DataColumn::Date).front(), "2 Nov 2026");
    EXPECT_EQ(column(DataColumn::Open),
              (std::vector<std::string>{"10", "11", "12", "13", "14", "9", "9.25"}));
    EXPECT_EQ(column(DataColumn::High),
              (std::vector<std::string>{"11", "12", "13", "14", "15", "9.5", "9.876"}));
    EXPECT_EQ(column(DataColumn::Low), (std::vector<std::string>{"9", "10", "11", "12", "13", "9", "9.1"}));
    EXPECT_EQ(column(DataColumn::Close),
              (std::vector<std::string>{"10.5", "11.5", "12.5", "13.5", "14.5", "9.25", "9.6"}));
    // A day without volume has an empty cell.
    EXPECT_EQ(column(DataColumn::Volume),
              (std::vector<std::string>{"100", "100", "100", "100", "100", "200", ""}));
    EXPECT_EQ(shownColumn(DataColumn::Close), column(DataColumn::Close));
    EXPECT_TRUE(editor().lsvData()->isColumnHidden(static_cast<int>(DataColumn::SortingDate)));

    // Another company refills the list from scratch.
    window().chartFill()->CompanyID = kOtherCompany;
    window().chartCurrentCompany();
    EXPECT_EQ(column(DataColumn::Close), (std::vector<std::string>{"10.5", "11.5", "12.5", "13.5", "14.5"}));
}

TEST_F(DataWindowsTest, EditorLeavesOutTheEmptyWeeksAndListsEveryDayWithoutEmptyDays) {
    loadFrame();
    chartAgain(1);
    // Two trading weeks, dated on their Thursdays; the empty days fall into later weeks.
    ASSERT_GT(frame::PointCountOf(chart()), 2);
    EXPECT_EQ(column(DataColumn::SortingDate), (std::vector<std::string>{"20261105", "20261112"}));
    EXPECT_EQ(column(DataColumn::Close), (std::vector<std::string>{"14.5", "9.6"}));
    EXPECT_EQ(column(DataColumn::Volume), (std::vector<std::string>{"500", "200"}));

    tarnwick::gSpecial = false;
    chartAgain(0);
    EXPECT_EQ(frame::PointCountOf(chart()), 7);
    EXPECT_EQ(column(DataColumn::Close).size(), 7u);
}

TEST_F(DataWindowsTest, HeaderClicksSortByTheDateKeyAndByTheTextOfOtherColumnsFlippingEachTime) {
    loadFrame();
    QHeaderView* header = editor().lsvData()->header();
    header->sectionClicked(static_cast<int>(DataColumn::Date));
    // "11/10/2026" comes after "11/9/2026" although its text sorts before it.
    EXPECT_EQ(column(DataColumn::SortingDate),
              (std::vector<std::string>{"20261102", "20261103", "20261104", "20261105", "20261106",
                                        "20261109", "20261110"}));
    header->sectionClicked(static_cast<int>(DataColumn::Date));
    EXPECT_EQ(column(DataColumn::SortingDate).front(), "20261110");
    EXPECT_EQ(column(DataColumn::SortingDate).back(), "20261102");
    EXPECT_EQ(header->sortIndicatorSection(), static_cast<int>(DataColumn::Date));

    // The third click goes ascending again, now by the close's text: 10.5 before 9.25.
    header->sectionClicked(static_cast<int>(DataColumn::Close));
    EXPECT_EQ(shownColumn(DataColumn::Close),
              (std::vector<std::string>{"10.5", "11.5", "12.5", "13.5", "14.5", "9.25", "9.6"}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);

    // A new fill stays sorted.
    window().chartCurrentCompany();
    EXPECT_EQ(shownColumn(DataColumn::Close).front(), "10.5");
}

TEST_F(DataWindowsTest, ValuesWindowShowsThePointUnderTheMouse) {
    loadFrame();
    EXPECT_EQ(values().windowTitle().toStdString(), "Chart Values");
    EXPECT_EQ(values().lsvDataList()->topLevelItemCount(), 30);
    EXPECT_EQ(name(0), "Date");
    EXPECT_EQ(name(1), "Price");
    EXPECT_EQ(name(5), "Close");
    EXPECT_EQ(value(0), "");

    moveTo(2.2, 12);
    EXPECT_EQ(value(0), "3 Nov 2026");
    EXPECT_EQ(value(2), "11");
    EXPECT_EQ(value(3), "12");
    EXPECT_EQ(value(4), "10");
    EXPECT_EQ(value(5), "11.5");
    EXPECT_FALSE(value(1).empty());
    EXPECT_EQ(name(6), "Parabolic SAR");
    EXPECT_EQ(value(7), "11");  // the 20-day average of the first two closes

    // Outside the points the list keeps what it shows.
    moveTo(0.4, 12);
    EXPECT_EQ(value(0), "3 Nov 2026");
    moveTo(frame::PointCountOf(chart()) + 0.6, 12);
    EXPECT_EQ(value(0), "3 Nov 2026");

    // An empty day after the last trading day: a date and a price level, no values.
    moveTo(9, 12);
    EXPECT_FALSE(value(0).empty());
    EXPECT_NE(value(0), "3 Nov 2026");
    EXPECT_FALSE(value(1).empty());
    for (int row = 2; row < 6; ++row)
        EXPECT_EQ(value(row), "") << row;
    EXPECT_EQ(value(6), "");
}

TEST_F(DataWindowsTest, ValuesWindowListsOnlyShownSeriesAndNeverTheSplitSeries) {
    loadFrame();
    moveTo(3, 12);
    // The price series are the fixed rows; volume and the index overlays are not shown on this chart.
    EXPECT_EQ(seriesNames(), (std::vector<std::string>{"Parabolic SAR",
                                                       "20 Simple M.A.",
                                                       "35 Simple M.A.",
                                                       "100 Simple M.A.",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       ""}));
    EXPECT_EQ(value(8), "11.5");

    // A study switched off is left out; the series below it move up and the freed row is blanked.
    // The split markers and ratios stay unlisted even when shown.
    com::ComPtr<korvel::IKvlCollection> list;
    ASSERT_EQ(chart().get_Series(list.put()), com::S_OK);
    for (const com::SHORT index : {com::SHORT{5}, com::SHORT{8}, com::SHORT{10}}) {
        com::ComPtr<com::IUnknown> item;
        ASSERT_EQ(list->Item(index, item.put()), com::S_OK);
        const auto series = item.as<korvel::IKvlSeries>();
        com::Bstr legend;
        series->get_Legend(&legend);
        if (index == 10) {
            ASSERT_EQ(legend.toUtf8(), "20 Simple M.A.");
        }
        ASSERT_EQ(series->put_Visible(index == 10 ? com::VARIANT_FALSE : com::VARIANT_TRUE), com::S_OK);
    }
    moveTo(3, 12);
    EXPECT_EQ(name(7), "35 Simple M.A.");
    EXPECT_EQ(name(8), "100 Simple M.A.");
    EXPECT_EQ(name(9), "");
    EXPECT_EQ(value(9), "");
}

// Both windows read right to left in Arabic; a date in them still reads day, month, year from left to
// right, and a value keeps its digits in order.
TEST_F(DataWindowsTest, ArabicWindowsShowDatesInTheirOwnReadingOrder) {
    gArabic = true;
    loadFrame();
    QTreeWidget* valuesList = values().lsvDataList();
    ASSERT_EQ(valuesList->layoutDirection(), Qt::RightToLeft);
    moveTo(2.2, 12);
    EXPECT_EQ(frame::test::visualLeftToRight(valuesList->topLevelItem(0)->text(1), Qt::RightToLeft),
              QStringLiteral("3 Nov 2026"));
    EXPECT_EQ(frame::test::visualLeftToRight(valuesList->topLevelItem(5)->text(1), Qt::RightToLeft),
              QStringLiteral("11.5"));

    QTreeWidget* editorList = editor().lsvData();
    ASSERT_EQ(editorList->layoutDirection(), Qt::RightToLeft);
    const int dateColumn = static_cast<int>(DataColumn::Date);
    EXPECT_EQ(frame::test::visualLeftToRight(editorList->topLevelItem(0)->text(dateColumn), Qt::RightToLeft),
              QStringLiteral("2 Nov 2026"));
    EXPECT_EQ(frame::test::visualLeftToRight(editorList->topLevelItem(6)->text(dateColumn), Qt::RightToLeft),
              QStringLiteral("10 Nov 2026"));

    // An empty cell stays empty: no isolate marks around nothing, which a copy of the cell would carry.
    EXPECT_EQ(editorList->topLevelItem(6)->text(static_cast<int>(DataColumn::Volume)), QString());
    moveTo(9, 12);  // an empty day after the last trading day
    for (int row = 2; row < 7; ++row)
        EXPECT_EQ(value(row), "") << row;
    EXPECT_EQ(name(frame::kChartValueRowCount - 1), "");
}

}  // namespace
