// The financial tool bar's drawing drop-down, the chart's property frame and its pages in the assembled
// program: what the user reaches through the chart's tool bars and the mouse.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>

#include <functional>
#include <set>
#include <vector>

#include "AssembledProgramFixture.h"
#include "dravik/ChartTypeInterfaces.h"
#include "dravik/Commands.h"
#include "dravik/IFinancialCharts.h"
#include "dravik/StudyInterfaces.h"
#include "korvel/KvlExtensionDriver.h"
#include "ostbar/OstCommandBar.h"
#include "ostbar/OstToolbarWidget.h"
#include "ui/Dialog.h"
#include "ui/PropertyFrame.h"
#include "ui/ScriptedModalServices.h"

namespace {

// Dialog templates of the pages and the controls the tests use.
constexpr int kStudiesPageDialog = 413;
constexpr int kStudyList = 521;
constexpr int kOutputList = 523;
constexpr int kPointFigurePageDialog = 415;
constexpr int kRenkoPageDialog = 421;
constexpr int kKagiPageDialog = 423;
constexpr int kThreeLineBreakPageDialog = 419;
constexpr int kBoxSizeEdit = 502;  // the box size; Kagi's reversal amount
constexpr int kReversalEdit = 505;
constexpr int kBreakDaysEdit = 508;

// The chart-type commands of the chart's bar: the extension's galleries in order.
constexpr com::LONG kPointAndFigure = 0;
constexpr com::LONG kRenko = 1;
constexpr com::LONG kKagi = 2;
constexpr com::LONG kThreeLineBreak = 3;
constexpr com::LONG kAnalytical = 4;

// The study number of the Relative Strength Index and its name on the studies page.
constexpr std::intptr_t kRsiStudy = 25;

int commandIdOf(const QAction* action) {
    const QVariant id = action->property("ostbarCommandId");
    return id.isValid() ? id.toInt() : -1;
}

// The entries of a menu that are not separators.
std::vector<QAction*> entriesOf(const QMenu* menu) {
    std::vector<QAction*> entries;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
            entries.push_back(action);
    }
    return entries;
}

void sendMouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

class ProgramPagesTest : public AssembledProgramTest {
protected:
    void SetUp() override {
        AssembledProgramTest::SetUp();
        startProgram();
        frameWindow().resize(1280, 900);
        processEvents();
    }

    korvel::KvlChartWidget& widget() { return *chartWindow().Korvel1(); }
    QAction* chartAction(com::LONG id) { return widget().toolBar()->actionFor(static_cast<com::SHORT>(id)); }

    void chooseChartType(com::LONG index) {
        QAction* command = chartAction(korvel::kFirstExtensionCommandId + index);
        ASSERT_NE(command, nullptr) << index;
        command->trigger();
        settle();
    }
    // Lets the bars shown or hidden with the chart type lay the window out again.
    void settle() {
        for (int pass = 0; pass < 3; ++pass) {
            processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        }
    }

    // Runs the chart's Properties command; `look` sees the frame once it shows, which is then cancelled.
    void openProperties(const std::function<void(ui::PropertyFrame&)>& look, QWidget* at = nullptr,
                        QPoint doubleClickAt = {}) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* frame = qobject_cast<ui::PropertyFrame*>(QApplication::activeModalWidget());
            if (!frame)
                return;
            shown = true;
            look(*frame);
            frame->reject();
        });
        if (at) {
            sendMouse(at, QEvent::MouseButtonPress, doubleClickAt, Qt::LeftButton);
            sendMouse(at, QEvent::MouseButtonRelease, doubleClickAt, Qt::LeftButton);
            sendMouse(at, QEvent::MouseButtonDblClick, doubleClickAt, Qt::LeftButton);
            sendMouse(at, QEvent::MouseButtonRelease, doubleClickAt, Qt::LeftButton);
        } else {
            QAction* properties = chartAction(korvel::kCommandProperties);
            ASSERT_NE(properties, nullptr);
            properties->trigger();
        }
        processEvents();
        EXPECT_TRUE(shown) << "no property frame opened";
    }

    static std::vector<QString> titlesOf(ui::PropertyFrame& frame) {
        std::vector<QString> titles;
        for (std::size_t i = 0; i < frame.pageCount(); ++i)
            titles.push_back(frame.page(i)->title());
        return titles;
    }
    static ui::Dialog* pageWindow(ui::PropertyFrame& frame, int dialogId) {
        for (ui::Dialog* dialog : frame.findChildren<ui::Dialog*>()) {
            if (dialog->property("dialogId").toInt() == dialogId)
                return dialog;
        }
        return nullptr;
    }
    static QString currentTitle(ui::PropertyFrame& frame) {
        auto* tabs = frame.findChild<QTabWidget*>();
        return tabs ? tabs->tabText(tabs->currentIndex()) : QString();
    }

    bool studyShown(com::HRESULT (dravik::IFinancialCharts::*get)(dravik::IIndex**)) {
        com::ComPtr<dravik::IIndex> study;
        EXPECT_EQ((extension().*get)(study.put()), com::S_OK);
        com::VARIANT_BOOL visible = com::VARIANT_FALSE;
        if (study)
            study->get_Visible(&visible);
        return visible != com::VARIANT_FALSE;
    }
    void chooseStudyCommand(int id) {
        QAction* command = nullptr;
        for (QAction* action : financialRow()->findChildren<QAction*>()) {
            if (commandIdOf(action) == id)
                command = action;
        }
        ASSERT_NE(command, nullptr) << id;
        command->trigger();
        processEvents();
    }
    // The chart series of a study's output under its legend, the study shown from the studies
    // drop-down when it is not.
    com::LONG showStudy(com::HRESULT (dravik::IFinancialCharts::*get)(dravik::IIndex**), int command,
                        const std::string& legend) {
        if (!studyShown(get))
            chooseStudyCommand(command);
        EXPECT_TRUE(studyShown(get)) << legend;
        com::LONG count = 0;
        chart().get_SeriesCount(&count);
        for (com::LONG series = 0; series < count; ++series) {
            const korvel::KvlSeriesState* state = chartObject().model().series(series);
            if (state && state->legend == legend)
                return series;
        }
        ADD_FAILURE() << "no series " << legend;
        return -1;
    }
    // The RSI, which the program's chart shows in a pane of its own under the legend "Rsi".
    com::LONG showRsi() { return showStudy(&dravik::IFinancialCharts::get_RSI, dravik::ID_RSI, "Rsi"); }
    // A click on a pixel of the series' line; the pixel, none when the series is not drawn.
    std::optional<QPoint> clickSeries(com::LONG series) {
        const std::optional<QPoint> at = series < 0 ? std::nullopt : pixelOfSeries(series);
        if (at) {
            sendMouse(widget().canvas(), QEvent::MouseButtonPress, *at, Qt::LeftButton);
            sendMouse(widget().canvas(), QEvent::MouseButtonRelease, *at, Qt::LeftButton);
            processEvents();
        }
        return at;
    }

    // A pixel of a series' line at which the chart's hit test finds that series.
    std::optional<QPoint> pixelOfSeries(com::LONG series) {
        chartObject().paintSurface();
        const korvel::KvlChartModel& model = chartObject().model();
        com::LONG axis = 0;
        if (model.attribute(series, korvel::kAttrYAxis, &axis) != com::S_OK)
            return std::nullopt;
        const auto [first, last] = model.visibleRange(korvel::kXAxis);
        for (com::LONG point = static_cast<com::LONG>(first); point < static_cast<com::LONG>(last); ++point) {
            double value = 0;
            if (point < 0 || model.value(1, series, point, &value) != com::S_OK || value >= korvel::kNoValue)
                continue;
            com::LONG x = 0, y = 0;
            if (chart().ValueToPixel(point + 1.0, value, &x, &y, static_cast<com::SHORT>(axis)) != com::S_OK)
                continue;
            const korvel::KvlHitRecord hit = model.hitTest(x, y);
            if (hit.code == korvel::kHitSeries && hit.series == series)
                return QPoint(x, y);
        }
        return std::nullopt;
    }

    // Paints the chart and answers its image.
    QImage paintedChart() {
        chartObject().paintSurface();
        return chartObject().surface()->image().copy();
    }
};

TEST_F(ProgramPagesTest, TheDrawingDropDownHoldsOneMenuPerKindWithItsCommands) {
    ostbar::OstToolbarWidget* row = financialRow();
    ASSERT_NE(row, nullptr);
    QAction* drawing = row->actionFor(dravik::ID_DRAWING);
    ASSERT_NE(drawing, nullptr);
    ASSERT_NE(drawing->menu(), nullptr);
    const char* const kinds[] = {"Gann Fan",
                                 "Fibonacci Arcs",
                                 "Fibonacci Fan",
                                 "Fibonacci Retracements",
                                 "Fibonacci Time Zones",
                                 "Mid-Point Tirone Levels",
                                 "Mean Tirone Levels",
                                 "Speed Resistance Lines",
                                 "Quadrant Lines",
                                 "Trend Line"};
    const std::vector<QAction*> menus = entriesOf(drawing->menu());
    ASSERT_EQ(menus.size(), std::size(kinds));
    for (int kind = 0; kind < 10; ++kind) {
        QAction* menu = menus[static_cast<std::size_t>(kind)];
        EXPECT_EQ(menu->text(), QString::fromLatin1(kinds[kind]));
        EXPECT_EQ(commandIdOf(menu), 88 + 8 * kind);
        ASSERT_NE(menu->menu(), nullptr) << kinds[kind];
        const std::vector<QAction*> entries = entriesOf(menu->menu());
        ASSERT_EQ(entries.size(), 2u) << kinds[kind];
        EXPECT_EQ(entries[0]->text(), QStringLiteral("Add"));
        EXPECT_EQ(commandIdOf(entries[0]), 68 + kind);
        EXPECT_EQ(entries[1]->text(), QStringLiteral("Remove All"));
        EXPECT_EQ(commandIdOf(entries[1]), 89 + 8 * kind);
    }

    // "Add" starts a drawing of its kind, whose item the kind's menu then lists after its commands.
    entriesOf(entriesOf(drawing->menu())[9]->menu())[0]->trigger();
    processEvents();
    drawing = financialRow()->actionFor(dravik::ID_DRAWING);
    const std::vector<QAction*> trend = entriesOf(entriesOf(drawing->menu())[9]->menu());
    ASSERT_EQ(trend.size(), 3u);
    EXPECT_EQ(commandIdOf(trend[2]), 162);
    EXPECT_EQ(trend[2]->text(), QStringLiteral("Trend Line 1"));
}

TEST_F(ProgramPagesTest, PropertiesOpensEveryPageOfTheMaskAtTheSizeThePagesNeed) {
    com::LONG mask = 0;
    ASSERT_EQ(extension().get_PropPageMask(&mask), com::S_OK);
    ASSERT_EQ(mask, 895) << "the program's page mask: axis, studies and drawing pages among others";
    openProperties([&](ui::PropertyFrame& frame) {
        EXPECT_EQ(titlesOf(frame), (std::vector<QString>{QStringLiteral("Axes"), QStringLiteral("Studies")}));
        for (ui::Dialog* page : frame.findChildren<ui::Dialog*>()) {
            // Every control of every page lies inside the page as the frame shows it.
            const QRect shown(QPoint(0, 0), page->size());
            EXPECT_TRUE(shown.contains(page->childrenRect()))
                << page->windowTitle().toStdString() << ": " << page->width() << "x" << page->height()
                << " holds controls up to " << page->childrenRect().right() << ","
                << page->childrenRect().bottom();
        }
        EXPECT_GT(frame.width(), 274);
        EXPECT_GT(frame.height(), 100);
    });
}

// The page opens on the RSI, drawn as a line as the chart's series window says: the page shows Line
// and offers the line's width and style.
TEST_F(ProgramPagesTest, PropertiesAfterAClickOnTheRsiLineOpenTheStudiesPageOnRsi) {
    constexpr int kGalleryList = 1097;
    constexpr int kWidthList = 531;
    constexpr int kStyleList = 533;
    const std::optional<QPoint> at = clickSeries(showRsi());
    ASSERT_TRUE(at.has_value());
    const auto onRsi = [&](ui::PropertyFrame& frame) {
        EXPECT_EQ(currentTitle(frame), QStringLiteral("Studies"));
        ui::Dialog* page = pageWindow(frame, kStudiesPageDialog);
        ASSERT_NE(page, nullptr);
        const int chosen = page->curSel(kStudyList);
        ASSERT_GE(chosen, 0);
        EXPECT_EQ(page->itemData(kStudyList, chosen), kRsiStudy);
        EXPECT_EQ(page->itemText(kStudyList), QStringLiteral("Relative Strength Index"));
        EXPECT_EQ(page->itemText(kGalleryList), QStringLiteral("Line"));
        EXPECT_TRUE(page->item(kWidthList)->isVisibleTo(page));
        EXPECT_TRUE(page->item(kStyleList)->isVisibleTo(page));
    };
    openProperties(onRsi);
    // A double click on the line opens the same frame without the command.
    openProperties(onRsi, widget().canvas(), *at);
}

// A study of several outputs: the page opens on the study and on the output whose line was clicked.
TEST_F(ProgramPagesTest, PropertiesAfterAClickOnAnOutputOpenTheStudiesPageOnThatOutput) {
    const struct {
        com::HRESULT (dravik::IFinancialCharts::*get)(dravik::IIndex**);
        int command;
        const char* legend;
        std::intptr_t study;
        int output;
    } cases[] = {
        {&dravik::IFinancialCharts::get_MACD, dravik::ID_MACD, "Macd Signal", 24, 2},
        {&dravik::IFinancialCharts::get_MACD, dravik::ID_MACD, "Macd", 24, 1},
        {&dravik::IFinancialCharts::get_BollingerBand, dravik::ID_BOLLINGER, "Lower Band", 7, 1},
        {&dravik::IFinancialCharts::get_BollingerBand, dravik::ID_BOLLINGER, "Upper Band", 7, 0},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(clickSeries(showStudy(c.get, c.command, c.legend)).has_value()) << c.legend;
        openProperties([&](ui::PropertyFrame& frame) {
            ui::Dialog* page = pageWindow(frame, kStudiesPageDialog);
            ASSERT_NE(page, nullptr);
            EXPECT_EQ(page->itemData(kStudyList, page->curSel(kStudyList)), c.study) << c.legend;
            EXPECT_EQ(page->curSel(kOutputList), c.output) << c.legend;
            EXPECT_EQ(page->itemText(kOutputList).toStdString(), c.legend);
        });
    }
}

// The line clicked belongs to the chart it was clicked on: after a switch to another chart type and
// back, the studies page no longer opens on it but on the first study listed.
TEST_F(ProgramPagesTest, PropertiesAfterASwitchOfChartTypeForgetTheStudyClickedBefore) {
    ASSERT_TRUE(clickSeries(showRsi()).has_value());
    chooseChartType(kKagi);
    chooseChartType(kAnalytical);
    openProperties([&](ui::PropertyFrame& frame) {
        ui::Dialog* page = pageWindow(frame, kStudiesPageDialog);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->curSel(kStudyList), 0);
        EXPECT_NE(page->itemData(kStudyList, 0), kRsiStudy);
    });
}

TEST_F(ProgramPagesTest, ARightClickOnTheRsiLineOpensTheIndicatorSeriesMenu) {
    const com::LONG rsi = showRsi();
    ASSERT_GE(rsi, 0);
    const std::optional<QPoint> at = pixelOfSeries(rsi);
    ASSERT_TRUE(at.has_value());
    ui::ScriptedModalServices script;
    sendMouse(widget().canvas(), QEvent::MouseButtonPress, *at, Qt::RightButton);
    sendMouse(widget().canvas(), QEvent::MouseButtonRelease, *at, Qt::RightButton);
    processEvents();
    ASSERT_EQ(script.questions().size(), 1u) << "one pop-up menu";
    // The indicator series menu: colour, gallery (line, area, bar) and properties.
    const ui::ScriptedModalServices::Question& menu = script.questions().front();
    EXPECT_EQ(menu.kind, ui::ScriptedModalServices::Kind::Menu);
    EXPECT_EQ(menu.text, QStringLiteral("Color"));
    EXPECT_EQ(menu.style, 3);
}

// The tip of a line that gives a signal names it, "Buy n" or "Sell n", before the point it was drawn at;
// the others show that point alone.
TEST_F(ProgramPagesTest, ThreeLineBreakTipsNameTheirSignals) {
    chooseChartType(kThreeLineBreak);
    chartObject().paintSurface();
    const korvel::KvlChartModel& model = chartObject().model();
    const QRegularExpression tipForm(QStringLiteral("^((Buy|Sell) [1-9][0-9]*)? \\([1-9][0-9]*\\)$"));
    std::set<QString> signalWords;
    int tips = 0;
    for (com::LONG point = 0; point < model.pointCount(); ++point) {
        double end = 0, start = 0;
        if (model.value(1, 0, point, &end) != com::S_OK || model.value(2, 0, point, &start) != com::S_OK)
            continue;
        com::LONG x = 0, y = 0;
        if (chart().ValueToPixel(point + 1.0, (start + end) / 2, &x, &y, 0) != com::S_OK)
            continue;
        const std::optional<std::string> shown = chartObject().tipToShow(x, y);
        if (!shown)
            continue;
        ++tips;
        const QString tip = QString::fromStdString(*shown);
        EXPECT_TRUE(tipForm.match(tip).hasMatch()) << *shown;
        if (!tip.startsWith(' '))
            signalWords.insert(tip.section(' ', 0, 0));
    }
    EXPECT_GT(tips, 20);
    EXPECT_EQ(signalWords, (std::set<QString>{QStringLiteral("Buy"), QStringLiteral("Sell")}));
}

// Lines to break below 1 cannot build a figure: OK tells the user why and keeps the page open on the
// field, and the chart keeps its lines; a number of 1 or more is taken.
TEST_F(ProgramPagesTest, ThreeLineBreakRefusesLinesToBreakBelowOneAndSaysWhy) {
    chooseChartType(kThreeLineBreak);
    com::ComPtr<dravik::IThreeLineBreak> chartType;
    ASSERT_EQ(extension().get_ThreeLineBreak(chartType.put()), com::S_OK);
    const auto breakDays = [&] {
        com::SHORT days = 0;
        chartType->get_BreakDays(&days);
        return days;
    };
    ASSERT_EQ(breakDays(), 3);
    const struct {
        const char* typed;
        bool refused;
        com::SHORT kept;
    } cases[] = {{"0", true, 3}, {"-1", true, 3}, {"1", false, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ui::ScriptedModalServices script;
        bool open = false;
        openProperties([&](ui::PropertyFrame& frame) {
            ui::Dialog* page = pageWindow(frame, kThreeLineBreakPageDialog);
            ASSERT_NE(page, nullptr);
            page->setItemText(kBreakDaysEdit, QString::fromLatin1(c.typed));
            frame.button(1)->click();
            open = frame.isVisible();
            if (open) {
                EXPECT_EQ(frame.focusWidget(), page->item(kBreakDaysEdit));
            }
        });
        EXPECT_EQ(open, c.refused);
        ASSERT_EQ(script.questions().size(), c.refused ? 1u : 0u);
        if (c.refused) {
            EXPECT_EQ(script.questions()[0].kind, ui::ScriptedModalServices::Kind::MessageBox);
            EXPECT_TRUE(
                script.questions()[0].text.startsWith(QStringLiteral("Lines to break must be 1 or more")))
                << script.questions()[0].text.toStdString();
        }
        EXPECT_EQ(breakDays(), c.kept);
    }
}

// Each special chart's page: a change applied redraws the figure at once.
struct SpecialPageCase {
    com::LONG chartType;
    int dialogId;
    int edit;
    const char* value;
};

class SpecialChartPageRedraw : public ProgramPagesTest,
                               public ::testing::WithParamInterface<SpecialPageCase> {};

TEST_P(SpecialChartPageRedraw, AnAppliedChangeRedrawsTheFigure) {
    const SpecialPageCase& c = GetParam();
    chooseChartType(c.chartType);
    paintedChart();
    const QImage before = paintedChart();
    const com::LONG elementsBefore = chartObject().model().pointCount();
    QImage after;
    com::LONG elementsAfter = -1;
    openProperties([&](ui::PropertyFrame& frame) {
        ui::Dialog* page = pageWindow(frame, c.dialogId);
        ASSERT_NE(page, nullptr);
        ASSERT_NE(page->itemText(c.edit), QString::fromLatin1(c.value));
        page->setItemText(c.edit, QString::fromLatin1(c.value));
        ASSERT_TRUE(frame.button(ui::ID_APPLY_NOW)->isEnabled());
        frame.button(ui::ID_APPLY_NOW)->click();
        settle();
        after = paintedChart();
        elementsAfter = chartObject().model().pointCount();
    });
    ASSERT_FALSE(after.isNull());
    EXPECT_NE(after, before) << "the figure was not drawn again";
    EXPECT_NE(elementsAfter, elementsBefore) << "the figure was not built again";
    // The figure handed to the chart is the one the chart type builds anew when it is chosen again
    // (its element count: the figure's points in the chart).
    chooseChartType(kAnalytical);
    chooseChartType(c.chartType);
    paintedChart();
    EXPECT_EQ(elementsAfter, chartObject().model().pointCount());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, SpecialChartPageRedraw,
    // Each value differs from the chart type's own (boxes and reversals of 5 %, one box, three lines).
    ::testing::Values(SpecialPageCase{kPointAndFigure, kPointFigurePageDialog, kBoxSizeEdit, "2"},
                      SpecialPageCase{kPointAndFigure, kPointFigurePageDialog, kReversalEdit, "3"},
                      SpecialPageCase{kRenko, kRenkoPageDialog, kBoxSizeEdit, "2"},
                      SpecialPageCase{kKagi, kKagiPageDialog, kBoxSizeEdit, "2"},
                      SpecialPageCase{kThreeLineBreak, kThreeLineBreakPageDialog, kBreakDaysEdit, "1"}));

}  // namespace
