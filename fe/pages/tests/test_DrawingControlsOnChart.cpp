// The Add dialog and the Draw page over a chart whose points carry dates, the analytical chart active
// and its points shown as they are: the anchors read as the dates of their points, and the closed
// colour, style and width lists show what their open rows show.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>

#include "DrawingFixture.h"
#include "dravik/Commands.h"
#include "pages/CAddDrawingDialog.h"
#include "pages/CDrawPage.h"

namespace dravik::test {
namespace {

// Two trading weeks: Monday 1 to Friday 5 and Monday 8 to Friday 12 January 2024 (OLE dates).
constexpr double kTradingDays[] = {45292, 45293, 45294, 45295, 45296, 45299, 45300, 45301, 45302, 45303};

class DrawingControlsOnChart : public DrawingFixture {
protected:
    void SetUp() override {
        DrawingFixture::SetUp();
        korvel::KvlChartModel& model = chart->model();
        model.resize(4, 10);
        for (com::LONG s = 0; s < 4; ++s) {
            for (com::LONG p = 0; p < 10; ++p)
                model.setValue(1, s, p, 100.0 + s + p);
        }
        for (com::LONG p = 0; p < 10; ++p)
            model.setXValue(p, kTradingDays[p]);
        model.autoScale();
        ASSERT_EQ(charts->ActivateGallery(FINANCIAL_ANALYTICAL, 1, -1), com::S_OK);
        ASSERT_EQ(charts->settings().dateScale.GetLevel(), 5) << "the points as they are";
    }
    void TearDown() override {
        page.deactivate();
        DrawingFixture::TearDown();
    }
    ui::Dialog& openPage() {
        com::IUnknown* objects[] = {chart->identity()};
        EXPECT_EQ(page.setObjects(objects), com::S_OK);
        page.activate(&parent);
        return *page.dialog();
    }
    int begin(int kind) {
        int index = -1;
        EXPECT_EQ(
            charts->drawingList().Add(kind, charts->drawingList().FreeItemCommand(kind), true, -1, &index),
            com::S_OK);
        return index;
    }

    QWidget parent;
    CDrawPage page;
};

// The longest run of pixels of exactly `colour` (0xRRGGBB) on one row of a closed list's picture.
int longestRun(const ui::Dialog& dialog, int id, QRgb colour) {
    auto* box = qobject_cast<QComboBox*>(dialog.item(id));
    if (!box)
        return -1;
    const QImage image = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = (image.pixel(x, y) & 0xFFFFFF) == colour ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

TEST_F(DrawingControlsOnChart, TheAddDialogShowsAndNamesTheDatesOfThePointsPlaced) {
    const int index = begin(DF_TREND_LINE);
    // Placed between points: 2.4 lies nearest point 2 (2 January), 5.6 nearest point 6 (8 January).
    const DrawingPlacement placement{2.4, 101.5, 5.6, 104.25};
    CAddDrawingDialog dialog(*charts, index, placement, {});
    ui::Dialog* window = dialog.Open(nullptr);
    EXPECT_EQ(window->itemText(IDC_DRAW_FROM), "2024-01-02");
    EXPECT_EQ(window->itemText(IDC_DRAW_TO), "2024-01-08");
    EXPECT_EQ(window->itemText(IDC_DRAW_NAME), "2024-01-02-2024-01-08");
    window->clickButton(1);

    ASSERT_TRUE(dialog.confirmed());
    EXPECT_EQ(record(index).Name(), "2024-01-02-2024-01-08");
    // Dates left as shown put the anchors on the points of those dates, where the drawing's texts and
    // what is stored of it put them too.
    EXPECT_EQ(record(index).from, 2.0);
    EXPECT_EQ(record(index).to, 6.0);
    EXPECT_EQ(record(index).xFrom, 2.0);
    EXPECT_EQ(record(index).xTo, 6.0);
}

TEST_F(DrawingControlsOnChart, TheDrawPageShowsTheDatesOfTheAnchorsAndTakesATypedDate) {
    const int index = drawing(DF_TREND_LINE);
    record(index).from = record(index).xFrom = 3.0;
    record(index).to = record(index).xTo = 7.5;  // nearest point 8: 10 January
    ui::Dialog& dialog = openPage();
    EXPECT_EQ(dialog.itemText(IDC_DRAW_FROM), "2024-01-03");
    EXPECT_EQ(dialog.itemText(IDC_DRAW_TO), "2024-01-10");
    com::Bstr from;
    ASSERT_EQ(feature(index)->get_From(&from), com::S_OK);
    EXPECT_EQ(from.toUtf8(), "2024-01-03");

    // Saturday 6 January: the first point not earlier is Monday 8 January, point 6.
    dialog.setItemText(IDC_DRAW_FROM, "2024-01-06");
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(record(index).from, 6.0);
    EXPECT_EQ(record(index).to, 7.5) << "the date left as shown keeps its anchor";
    EXPECT_EQ(feature(index)->put_To(com::Bstr::fromUtf8("2024-01-12")), com::S_OK);
    EXPECT_EQ(record(index).to, 10.0);
}

TEST_F(DrawingControlsOnChart, TheClosedListsShowTheColourSwatchAndTheLines) {
    const int index = drawing(DF_TREND_LINE);
    record(index).color = 0x0000FF;  // COLORREF of pure red
    record(index).lineWidth = 3;
    record(index).lineStyle = 0;
    const std::vector<gdi::COLORREF> colours{0x0000FF, 0x00FF00};
    CAddDrawingDialog dialog(*charts, index, {1, 101, 4, 103}, colours);
    ui::Dialog* window = dialog.Open(nullptr);
    ASSERT_EQ(window->itemData(IDC_DRAW_COLOR, window->curSel(IDC_DRAW_COLOR)), 0x0000FF);
    ASSERT_EQ(window->curSel(IDC_DRAW_WIDTH), 2);
    ASSERT_EQ(window->curSel(IDC_DRAW_STYLE), 0);
    // The lists are 170 pixels wide: the swatch and the lines cross most of the closed field.
    EXPECT_GE(longestRun(*window, IDC_DRAW_COLOR, 0xFF0000), 100);
    EXPECT_GE(longestRun(*window, IDC_DRAW_WIDTH, 0xFF0000), 100);
    EXPECT_GE(longestRun(*window, IDC_DRAW_STYLE, 0xFF0000), 100);

    // Another colour repaints the closed lists in it.
    window->setCurSel(IDC_DRAW_COLOR, 1);
    EXPECT_EQ(longestRun(*window, IDC_DRAW_COLOR, 0xFF0000), 0);
    EXPECT_GE(longestRun(*window, IDC_DRAW_COLOR, 0x00FF00), 100);
    EXPECT_GE(longestRun(*window, IDC_DRAW_WIDTH, 0x00FF00), 100);
    // A dashed style breaks the line into dashes.
    window->setCurSel(IDC_DRAW_STYLE, 1);
    const int dash = longestRun(*window, IDC_DRAW_STYLE, 0x00FF00);
    EXPECT_GT(dash, 3);
    EXPECT_LT(dash, 40);
}

}  // namespace
}  // namespace dravik::test
