// The chart window's commands as a user reaches them: the financial tool bar below the chart's own bar
// with its studies, the chart types on the chart's bar, zooming in and out, the grid and legend
// switches, and the menus with their separators. Real chart control, real extension, real database.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include "ChartWindowFixture.h"
#include "CommandActions.h"
#include "dravik/Commands.h"
#include "korvel/KvlChart.h"
#include "ostbar/OstToolbarWidget.h"

namespace {

// The chart types of the extension in the order of their commands on the chart's bar.
constexpr com::LONG kPointAndFigureType = korvel::kFirstExtensionGalleryType;
constexpr com::LONG kAnalyticalType = korvel::kFirstExtensionGalleryType + 4;

void send(QWidget* to, QEvent::Type type, QPoint at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

class ChartCommandsTest : public ChartWindowTest {
protected:
    void SetUp() override {
        ChartWindowTest::SetUp();
        loadFrame();
        QApplication::processEvents();
    }

    korvel::KvlChartWidget& widget() { return *window().Korvel1(); }
    dravik::IFinancialCharts& ext() { return *window().financialExtension(); }

    // The row that shows the extension's bar.
    ostbar::OstToolbarWidget* financialRow() {
        com::ComPtr<ostbar::IOstToolbarObj> toolbar;
        EXPECT_EQ(ext().get_ToolBarObj(toolbar.put()), com::S_OK);
        const auto bar = ostbar::OstCommandBar::implementationOf(toolbar.get());
        for (ostbar::OstToolbarWidget* row : widget().hostedToolBars())
            if (bar && row->bar() == bar.get())
                return row;
        return nullptr;
    }
    QAction* chartAction(com::LONG id) { return widget().toolBar()->actionFor(static_cast<com::SHORT>(id)); }
    com::LONG chartType() {
        com::LONG type = -1;
        chart().get_ChartType(&type);
        return type;
    }
    bool studyVisible(com::HRESULT (dravik::IFinancialCharts::*getter)(dravik::IIndex**)) {
        com::ComPtr<dravik::IIndex> study;
        EXPECT_EQ((ext().*getter)(study.put()), com::S_OK);
        com::VARIANT_BOOL visible = com::VARIANT_FALSE;
        EXPECT_EQ(study->get_Visible(&visible), com::S_OK);
        return visible != com::VARIANT_FALSE;
    }
};

TEST_F(ChartCommandsTest, TheFinancialToolBarShowsItsButtonsBelowTheChartsBar) {
    ASSERT_EQ(chartType(), kAnalyticalType) << "the fill charts with the analytical chart";
    ostbar::OstToolbarWidget* row = financialRow();
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->isVisible());
    const std::pair<com::SHORT, const char*> buttons[] = {
        {dravik::ID_PRICESVIEW, "Show Price As"},  {dravik::ID_MOVING_AVERAGES, "Moving Averages"},
        {dravik::ID_STUDIES_MENU, "Studies"},      {dravik::ID_OTHERSTUDIES, "Other Technical Studies"},
        {dravik::ID_DRAWING, "Technical Drawing"},
    };
    for (const auto& [id, text] : buttons) {
        QAction* button = row->actionFor(id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->text(), QString::fromLatin1(text));
    }
    // The chart's bar carries the entry that shows and hides it, checked while it shows.
    com::VARIANT_BOOL shown = com::VARIANT_FALSE;
    ASSERT_EQ(ext().get_ToolBar(&shown), com::S_OK);
    EXPECT_EQ(shown, com::VARIANT_TRUE);
    const auto& chartRow = chartObject().commandBar().table()->row();
    const auto entry = std::find_if(chartRow.begin(), chartRow.end(), [&](com::SHORT id) {
        const ostbar::OstCommandData* command = chartObject().commandBar().table()->find(id);
        return command && command->text == u"Financial Toolbar";
    });
    ASSERT_NE(entry, chartRow.end());
    QAction* toggle = chartAction(*entry);
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(row->isVisible());
    toggle = chartAction(*entry);
    EXPECT_FALSE(toggle->isChecked());
    toggle->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(row->isVisible());
}

TEST_F(ChartCommandsTest, AStudyChosenFromTheFinancialToolBarIsAddedToTheChart) {
    ostbar::OstToolbarWidget* row = financialRow();
    ASSERT_NE(row, nullptr);
    ASSERT_FALSE(studyVisible(&dravik::IFinancialCharts::get_MACD));
    com::LONG seriesBefore = 0;
    chart().get_SeriesCount(&seriesBefore);
    // Studies > Technical Indicators > MACD.
    QAction* macd = findCommandAction(row->actions(), dravik::ID_MACD);
    ASSERT_NE(macd, nullptr);
    EXPECT_EQ(macd->text(), QStringLiteral("MACD"));
    macd->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(studyVisible(&dravik::IFinancialCharts::get_MACD));
    macd = findCommandAction(financialRow()->actions(), dravik::ID_MACD);
    ASSERT_NE(macd, nullptr);
    EXPECT_TRUE(macd->isChecked()) << "the menu marks the study that is shown";
    // Studies > Price Indicators > Bollinger bands.
    QAction* bollinger = findCommandAction(financialRow()->actions(), dravik::ID_BOLLINGER);
    ASSERT_NE(bollinger, nullptr);
    bollinger->trigger();
    EXPECT_TRUE(studyVisible(&dravik::IFinancialCharts::get_BollingerBand));
}

TEST_F(ChartCommandsTest, TheChartTypesAreOnTheChartsBarAndTheFinancialBarFollowsTheAnalyticalChart) {
    const std::pair<com::LONG, const char*> types[] = {
        {0, "Point and Figure"}, {1, "Renko"}, {2, "Kagi"}, {3, "Three Line Break"}, {4, "Analytical"}};
    for (const auto& [index, name] : types) {
        QAction* command = chartAction(korvel::kFirstExtensionCommandId + index);
        ASSERT_NE(command, nullptr) << name;
        EXPECT_EQ(command->text(), QString::fromLatin1(name));
    }
    for (com::LONG index = 0; index < 4; ++index) {
        chartAction(korvel::kFirstExtensionCommandId + index)->trigger();
        QApplication::processEvents();
        EXPECT_EQ(chartType(), kPointAndFigureType + index);
        EXPECT_FALSE(financialRow()->isVisible()) << "the studies belong to the analytical chart";
    }
    chartAction(korvel::kFirstExtensionCommandId + 4)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(chartType(), kAnalyticalType);
    EXPECT_TRUE(financialRow()->isVisible());
}

TEST_F(ChartCommandsTest, ZoomOutIsEnabledAfterAZoomAndShowsEveryPointAgain) {
    QAction* zoomOut = chartAction(korvel::kCommandZoomOut);
    ASSERT_NE(zoomOut, nullptr);
    EXPECT_FALSE(zoomOut->isEnabled()) << "nothing is zoomed after the fill";
    const auto whole = chartObject().model().visibleRange(korvel::kXAxis);
    chartAction(korvel::kCommandZoom)->trigger();
    QApplication::processEvents();
    QWidget* canvas = widget().canvas();
    canvas->grab();
    com::LONG x0 = 0, x1 = 0, y = 0;
    ASSERT_EQ(chart().ValueToPixel(2, 12, &x0, &y, 0), com::S_OK);
    ASSERT_EQ(chart().ValueToPixel(4, 12, &x1, &y, 0), com::S_OK);
    send(canvas, QEvent::MouseButtonPress, {x0, y});
    send(canvas, QEvent::MouseMove, {x1, y});
    send(canvas, QEvent::MouseButtonRelease, {x1, y});
    // The chart shows points 2 to 4 only.
    const auto zoomed = chartObject().model().visibleRange(korvel::kXAxis);
    EXPECT_GE(zoomed.first, 1.5);
    EXPECT_LE(zoomed.second, 4.5);
    QApplication::processEvents();
    zoomOut = chartAction(korvel::kCommandZoomOut);
    ASSERT_TRUE(zoomOut->isEnabled());
    zoomOut->trigger();
    QApplication::processEvents();
    EXPECT_EQ(chartObject().model().visibleRange(korvel::kXAxis), whole) << "every point again";
    EXPECT_FALSE(chartObject().model().zoomed());
    EXPECT_FALSE(chartAction(korvel::kCommandZoomOut)->isEnabled());
    EXPECT_FALSE(chartAction(korvel::kCommandZoom)->isChecked());
}

TEST_F(ChartCommandsTest, GridAndLegendButtonsSwitchTheChartAndShowItsState) {
    widget().canvas()->grab();  // a paint: the buttons show what is drawn
    QAction* grid = chartAction(korvel::kCommandVerticalGrid);
    QAction* legend = chartAction(korvel::kCommandLegendBox);
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(legend, nullptr);
    const bool gridBefore = grid->isChecked();
    grid->trigger();
    QApplication::processEvents();
    double shown = -1;
    chartObject().model().axisValue(korvel::kXAxis, korvel::kAxisGridShown, &shown);
    EXPECT_EQ(shown, gridBefore ? 0 : 1);
    EXPECT_EQ(chartAction(korvel::kCommandVerticalGrid)->isChecked(), !gridBefore);
    legend->trigger();
    QApplication::processEvents();
    EXPECT_EQ(chartObject().model().legendBox().visible, 1);
    EXPECT_TRUE(chartAction(korvel::kCommandLegendBox)->isChecked());
}

TEST_F(ChartCommandsTest, MenusShowSeparatorsAsLinesNeverAsText) {
    QMenuBar* bar = m_frame->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    int separators = 0;
    for (QAction* top : bar->actions()) {
        ASSERT_NE(top->menu(), nullptr) << top->text().toStdString();
        for (QAction* item : top->menu()->actions()) {
            EXPECT_NE(item->text(), QStringLiteral("-")) << top->text().toStdString();
            if (item->isSeparator()) {
                ++separators;
                EXPECT_TRUE(item->text().isEmpty());
            }
        }
    }
    // File, View, Chart Template and Help have one each, Databank two, WatchList none.
    EXPECT_EQ(separators, 6);
}

}  // namespace
