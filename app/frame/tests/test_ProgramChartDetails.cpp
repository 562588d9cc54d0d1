// The small things a user meets on the assembled program's chart: the grid and legend switches of the
// chart's tool bar as painted, the Data Editor button after its window's close box, and the price
// pane's range after an overlay on the prices goes off again.
#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QImage>

#include <QAbstractButton>

#include <algorithm>
#include <map>
#include <utility>

#include "AssembledProgramFixture.h"
#include "CommandActions.h"
#include "dravik/AxisInterfaces.h"
#include "dravik/Commands.h"
#include "dravik/IFinancialCharts.h"
#include "dravik/SeriesInterfaces.h"
#include "frame/ToolWindowHost.h"
#include "frame/chart/ChartEvents.h"
#include "korvel/KvlChartModel.h"
#include "korvel/KvlLabelLoop.h"
#include "ostbar/OstToolbarWidget.h"

namespace {

using com::LONG;

class ProgramChartDetailsTest : public AssembledProgramTest {
protected:
    void SetUp() override {
        AssembledProgramTest::SetUp();
        startProgramWithChartOf900x600();
    }

    // The button of the chart's own tool bar for command `id`.
    QAction* chartButton(LONG id) {
        QAction* action = chartWindow().Korvel1()->toolBar()->actionFor(static_cast<com::SHORT>(id));
        EXPECT_NE(action, nullptr) << id;
        return action;
    }
    void press(LONG id) {
        if (QAction* action = chartButton(id)) {
            action->trigger();
            processEvents();
        }
    }
    bool pressed(LONG id) {
        QAction* action = chartButton(id);
        return action != nullptr && action->isChecked();
    }
    // The financial tool bar's command `id`, as the user chooses it from the bar's menus (which are
    // made again after a command).
    void chooseFinancial(com::SHORT id) {
        if (ostbar::OstToolbarWidget* row = financialRow())
            if (QAction* action = findCommandAction(row->actions(), id)) {
                action->trigger();
                processEvents();
                return;
            }
        FAIL() << "no command " << id << " on the financial tool bar";
    }

    // The share of the plot's pixels on the lines through the major labels of the value axis (rows)
    // or of the date axis (columns) that are not the plot's colour: about half for a dashed grid line,
    // little where only the series cross.
    double gridShare(bool horizontal) {
        const QImage image = painted();
        const korvel::KvlRect plot = chartObject().model().plotRect();
        const QRgb background = plotColour(image, plot);
        int drawn = 0, all = 0;
        for (const korvel::KvlDrawnLabel& label : chartObject().drawnLabels()) {
            if (!label.major || (label.axis == korvel::kXAxis) == horizontal)
                continue;
            const LONG from = horizontal ? plot.top : plot.left;
            const LONG to = horizontal ? plot.bottom : plot.right;
            if (label.pixel <= from + 3 || label.pixel >= to - 3)
                continue;
            const LONG alongFrom = horizontal ? plot.left : plot.top;
            const LONG alongTo = horizontal ? plot.right : plot.bottom;
            for (LONG along = alongFrom + 2; along < alongTo - 2; ++along) {
                const QRgb pixel =
                    horizontal ? image.pixel(along, label.pixel) : image.pixel(label.pixel, along);
                drawn += pixel != background ? 1 : 0;
                ++all;
            }
        }
        EXPECT_GT(all, 0) << "no label inside the plot";
        return all > 0 ? static_cast<double>(drawn) / all : 0;
    }
    // Grid lines drawn: true or false when clearly so, a failure in between.
    void expectGrid(bool horizontal, bool shown, const char* when) {
        const double share = gridShare(horizontal);
        EXPECT_TRUE(shown ? share >= 0.35 : share <= 0.2)
            << when << ": " << (horizontal ? "horizontal" : "vertical") << " grid "
            << (shown ? "expected" : "not expected") << ", covered share " << share;
    }

    std::pair<double, double> priceRange() {
        com::ComPtr<dravik::ILomexAxis> axis;
        EXPECT_EQ(extension().get_PricesAxis(axis.put()), com::S_OK);
        double low = 0, high = 0;
        if (axis) {
            axis->get_Min(&low);
            axis->get_Max(&high);
        }
        return {low, high};
    }
    // The highest and lowest value the price pane's labels read.
    std::pair<double, double> labelledRange() {
        painted();
        double low = 1e300, high = -1e300;
        for (const korvel::KvlDrawnLabel& label : chartObject().drawnLabels())
            if (label.major && label.axis != korvel::kXAxis && !label.text.empty() && label.text != " ") {
                low = std::min(low, label.value);
                high = std::max(high, label.value);
            }
        return {low, high};
    }
};

}  // namespace

// Each grid button switches its lines on and off with its own pressed state, also after the chart is
// built again for another company and after the window changes size.
TEST_F(ProgramChartDetailsTest, EachGridButtonShowsItsLinesExactlyWhilePressed) {
    for (const LONG id : {korvel::kCommandHorizontalGrid, korvel::kCommandVerticalGrid}) {
        const bool horizontal = id == korvel::kCommandHorizontalGrid;
        SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
        const bool atStart = pressed(id);
        expectGrid(horizontal, atStart, "at start");
        press(id);
        ASSERT_NE(pressed(id), atStart);
        expectGrid(horizontal, !atStart, "after one press");
        press(id);
        ASSERT_EQ(pressed(id), atStart);
        expectGrid(horizontal, atStart, "after two presses");
        press(id);
        chartTicker("AMLB");
        ASSERT_EQ(chartWindow().chartFill()->CompanyID, 102);
        EXPECT_NE(pressed(id), atStart) << "the other company's chart keeps the choice";
        expectGrid(horizontal, !atStart, "another company");
        chartWindow().Korvel1()->resize(760, 480);
        processEvents();
        expectGrid(horizontal, !atStart, "a smaller window");
        press(id);
        EXPECT_EQ(pressed(id), atStart);
        expectGrid(horizontal, atStart, "pressed once more");
        chartTicker("NORB");
        chartWindow().Korvel1()->resize(900, 600);
        processEvents();
    }
    EXPECT_EQ(errorLog(), "");
}

// The Data Editor button shows its window; the window's close box hides it and lets the button up,
// and the button shows it again.
TEST_F(ProgramChartDetailsTest, TheDataEditorButtonShowsItsWindowInFrontAndComesUpWithTheCloseBox) {
    QDockWidget* dock = frameWindow().TabDock().dock(QStringLiteral("frmDataEditor"));
    ASSERT_NE(dock, nullptr);
    EXPECT_FALSE(dock->isVisible());
    EXPECT_FALSE(pressed(frame::chart::kCommandDataEditor));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        press(frame::chart::kCommandDataEditor);
        ASSERT_TRUE(dock->isVisible());
        EXPECT_TRUE(pressed(frame::chart::kCommandDataEditor));
        processEvents();
        EXPECT_TRUE(frameWindow().TabDock().isOnScreen(QStringLiteral("frmDataEditor")))
            << "the data editor comes in front of the chart values that share its tab row";
        auto* closeBox = dock->findChild<QAbstractButton*>(QStringLiteral("qt_dockwidget_closebutton"));
        ASSERT_NE(closeBox, nullptr);
        closeBox->click();
        processEvents();
        EXPECT_FALSE(dock->isVisible());
        EXPECT_FALSE(pressed(frame::chart::kCommandDataEditor));
        painted();  // the chart's own paint brings nothing back
        EXPECT_FALSE(pressed(frame::chart::kCommandDataEditor));
        chartTicker(round == 0 ? "AMLB" : "NORB");
        EXPECT_FALSE(pressed(frame::chart::kCommandDataEditor));
        EXPECT_FALSE(dock->isVisible());
    }
    EXPECT_EQ(errorLog(), "");
}

// An overlay on the prices widens the price pane to its values; when it goes off, the pane fits the
// prices again, as it was before the overlay, also after another company was charted meanwhile.
TEST_F(ProgramChartDetailsTest, ThePricePaneShrinksBackWhenAnOverlayGoesOff) {
    const std::pair<double, double> before = priceRange();
    const std::pair<double, double> labelledBefore = labelledRange();
    ASSERT_LT(before.first, before.second);

    chooseFinancial(dravik::StudyCommand(8));  // Envelopes
    const std::pair<double, double> withEnvelopes = priceRange();
    ASSERT_TRUE(withEnvelopes.first < before.first || withEnvelopes.second > before.second)
        << "the envelopes reach beyond the prices";
    chooseFinancial(dravik::StudyCommand(8));
    EXPECT_EQ(priceRange(), before);
    EXPECT_EQ(labelledRange(), labelledBefore);

    frame::Form* settings = frameWindow().toolWindow(QStringLiteral("frmChartSettings"));
    ASSERT_NE(settings, nullptr);
    for (const char* box : {"chkGeneralIndex", "chkCatIndex"}) {
        SCOPED_TRACE(box);
        auto* index = static_cast<QCheckBox*>(settings->controlWidget(QString::fromLatin1(box)));
        ASSERT_FALSE(index->isChecked());
        index->click();
        processEvents();
        ASSERT_NE(priceRange(), before) << "the index reaches beyond the prices";
        index->click();
        processEvents();
        EXPECT_EQ(priceRange(), before);
        EXPECT_EQ(labelledRange(), labelledBefore);
    }

    chooseFinancial(dravik::StudyCommand(8));
    chartTicker("AMLB");
    chooseFinancial(dravik::StudyCommand(8));
    chartTicker("NORB");
    EXPECT_EQ(priceRange(), before);
    EXPECT_EQ(errorLog(), "");
}

// The Legend Box lists each series the chart draws, each row with a swatch of its series' colour: the
// prices by the display's series (high-low-close bars draw no open), then the studies.
TEST_F(ProgramChartDetailsTest, TheLegendBoxShowsARowWithASwatchForEachPriceTheDisplayDraws) {
    press(korvel::kCommandLegendBox);
    ASSERT_TRUE(pressed(korvel::kCommandLegendBox));
    constexpr int kRow = 14;    // pixels a legend row takes
    constexpr int kSwatch = 8;  // side of a row's colour swatch
    const struct {
        com::SHORT command;
        std::vector<std::string> prices;
    } displays[] = {{dravik::ID_OPENHILOWCLOSE, {"Open", "Low", "Close", "High"}},
                    {dravik::ID_CANDLESTICK, {"Open", "Low", "Close", "High"}},
                    {dravik::ID_HILOWCLOSE, {"Low", "Close", "High"}}};
    for (const auto& display : displays) {
        SCOPED_TRACE(display.command);
        chooseFinancial(display.command);
        const QImage image = painted();
        const korvel::KvlRect box = chartObject().drawnLegend();
        ASSERT_GT(box.right - box.left, kSwatch);
        std::vector<const korvel::KvlSeriesState*> rows;
        for (LONG s = 0; s < chartObject().model().seriesCount(); ++s) {
            const korvel::KvlSeriesState* state = chartObject().model().series(s);
            if (state->attributes[korvel::kAttrVisible] != 0 && !state->legend.empty())
                rows.push_back(state);
        }
        ASSERT_GE(rows.size(), display.prices.size());
        EXPECT_EQ(box.bottom - box.top, static_cast<LONG>(rows.size()) * kRow + 4);
        const QRgb fill = image.pixel(box.right - 2, box.bottom - 2);
        for (std::size_t row = 0; row < display.prices.size(); ++row) {
            SCOPED_TRACE(row);
            EXPECT_EQ(rows[row]->legend, display.prices[row]);
            // The swatch: 8 x 8 pixels at the row's start, all of the series' colour.
            const QPoint corner(box.left + 3, box.top + 2 + static_cast<int>(row) * kRow + 3);
            const QRgb swatch = image.pixel(corner + QPoint(kSwatch / 2, kSwatch / 2));
            EXPECT_NE(swatch, fill);
            const auto colour =
                static_cast<std::uint32_t>(rows[row]->attributes[korvel::kAttrColor]) & 0xFFFFFF;
            EXPECT_EQ(swatch, qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
            for (int dy = 0; dy < kSwatch; ++dy)
                for (int dx = 0; dx < kSwatch; ++dx)
                    ASSERT_EQ(image.pixel(corner + QPoint(dx, dy)), swatch) << dx << "," << dy;
        }
    }
    chartTicker("AMLB");
    EXPECT_GT(chartObject().drawnLegend().right, chartObject().drawnLegend().left);
    EXPECT_EQ(errorLog(), "");
}

// The default chart's high-low-close bars run whole from each high to its low, although the
// extension gives its low and close series a dash-dot-dot line style: the chart draws a price
// figure's bars solid, the same as with every price series in the solid style.
TEST_F(ProgramChartDetailsTest, TheHighLowCloseBarsAreSolidWhateverTheLineStyleOfThePriceSeries) {
    const QImage styled = painted();
    int restyled = 0;
    for (const auto get :
         {&dravik::IFinancialCharts::get_HighSeries, &dravik::IFinancialCharts::get_LowSeries,
          &dravik::IFinancialCharts::get_CloseSeries}) {
        com::SHORT series = -1;
        ASSERT_EQ((extension().*get)(&series), com::S_OK);
        com::ComPtr<dravik::IIndexSeries> prices;
        ASSERT_EQ(extension().get_PriceSeries(series, prices.put()), com::S_OK);
        com::SHORT style = 0;
        ASSERT_EQ(prices->get_LineStyle(&style), com::S_OK);
        restyled += style != 0 ? 1 : 0;
        ASSERT_EQ(prices->put_LineStyle(0), com::S_OK);
    }
    ASSERT_GE(restyled, 2) << "the low and close series come with a line style of their own";
    EXPECT_EQ(painted(), styled);
}
