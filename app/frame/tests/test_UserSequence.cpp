// A user's random walk through the assembled program: switching companies by symbol, watch list and
// search, price displays, studies, chart types, zoom, grids and legend, period, interval and
// adjustment, window sizes and docks, the axes' pop-up menus, a drawing, a template and an update
// from a data server on the loopback interface. After every step the chart must still show what the
// user chose, and the values it shows must be the database's. The walk is seeded: a failing seed
// prints the steps that reproduce it. TARNWICK_USER_STEPS sets the length of a walk (longer runs
// under the sanitizers), TARNWICK_USER_SEED the seed of the first walk.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <cstdlib>
#include <random>
#include <sstream>

#include "AssembledProgramFixture.h"
#include "CommandActions.h"
#include "UserWalkChecks.h"
#include "dravik/Commands.h"
#include "frame/frmChartSettings.h"
#include "frame/search/frmSearch.h"
#include "frame/update/frmDataUpdate.h"
#include "frame/watchlist/frmWatchList.h"
#include "ostbar/OstToolbarWidget.h"
#include "testsupport/LoopbackHttpServer.h"
#include "ui/ScriptedModalServices.h"

namespace {

using com::LONG;
using namespace userwalk;

constexpr int kDefaultSteps = 200;

void sendMouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

// Answers a modal window the way a user does, as soon as it shows: `answer` runs every 10 ms until it
// reports that it answered, or the answerer goes out of scope.
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::function<bool()> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (answer_())
                timer_.stop();
        });
        timer_.start(10);
    }

private:
    std::function<bool()> answer_;
    QTimer timer_;
};

// Input boxes are answered by the script; pop-up menus are the real ones, shown and closed again.
class RealMenus final : public ui::ModalServices {
public:
    RealMenus(ui::ScriptedModalServices& script, ui::ModalServices& real) : script_(script), real_(real) {
        previous_ = ui::setModalServices(this);
    }
    ~RealMenus() override { ui::setModalServices(previous_); }
    RealMenus(const RealMenus&) = delete;
    RealMenus& operator=(const RealMenus&) = delete;

    int menusShown() const { return menusShown_; }

    int messageBox(QWidget* owner, const QString& text, const QString& caption, int style) override {
        return script_.messageBox(owner, text, caption, style);
    }
    std::optional<QString> inputBox(QWidget* owner, const QString& prompt, const QString& title,
                                    const QString& defaultText) override {
        return script_.inputBox(owner, prompt, title, defaultText);
    }
    ui::FileDialogResult openFile(const ui::FileDialogRequest& request) override {
        return script_.openFile(request);
    }
    ui::FileDialogResult saveFile(const ui::FileDialogRequest& request) override {
        return script_.saveFile(request);
    }
    std::optional<gdi::COLORREF> chooseColor(QWidget* owner, gdi::COLORREF initial) override {
        return script_.chooseColor(owner, initial);
    }
    std::optional<gdi::LogFont> chooseFont(QWidget* owner, const gdi::LogFont& initial) override {
        return script_.chooseFont(owner, initial);
    }
    bool printDialog(QWidget* owner, QPrinter& printer) override {
        return script_.printDialog(owner, printer);
    }
    bool printPreview(QWidget* owner, QPrinter& printer,
                      const std::function<void(QPrinter&)>& paint) override {
        return script_.printPreview(owner, printer, paint);
    }
    // The real menu: closed by the user's Escape once it shows.
    int trackPopupMenu(QWidget* owner, const ui::PopupMenu& menu, QPoint screenPoint) override {
        ++menusShown_;
        const ModalAnswerer escape([] {
            QWidget* popup = QApplication::activePopupWidget();
            if (popup != nullptr)
                popup->close();
            return popup != nullptr;
        });
        return real_.trackPopupMenu(owner, menu, screenPoint);
    }

private:
    ui::ScriptedModalServices& script_;
    ui::ModalServices& real_;
    ui::ModalServices* previous_ = nullptr;
    int menusShown_ = 0;
};

class UserSequenceTest : public UserWalkChecks {
protected:
    using Rng = std::mt19937;

    struct Command {
        const char* name;
        int weight;
        std::string (UserSequenceTest::*run)(Rng&);
    };

    void SetUp() override {
        AssembledProgramTest::SetUp();
        // The data server as a user's settings name it, both of them on the loopback interface.
        saveSetting("DataServer", m_server.hostAndPort().toStdString());
        saveSetting("BackupDataServer", m_server.hostAndPort().toStdString());
        saveSetting("DeleteFile", "True");
    }

    static int steps() {
        const char* text = std::getenv("TARNWICK_USER_STEPS");
        return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : kDefaultSteps;
    }
    // TARNWICK_USER_SEED walks another seed in place of the first test's.
    static unsigned seedOr(unsigned fixed) {
        const char* text = std::getenv("TARNWICK_USER_SEED");
        return text != nullptr && *text != '\0' ? static_cast<unsigned>(std::strtoul(text, nullptr, 10))
                                                : fixed;
    }
    static std::size_t pick(Rng& rng, std::size_t count) { return static_cast<std::size_t>(rng() % count); }

    // Runs a walk of `count` steps; stops at the first step after which a check failed.
    void walk(unsigned seed, int count) {
        startProgram();
        frameWindow().resize(1280, 900);
        processEvents();
        readCompanies();
        Rng rng(seed);
        int total = 0;
        for (const Command& command : commands())
            total += command.weight;
        std::vector<std::string> done;
        checkChart("start");
        for (int step = 0; step < count && !HasFailure(); ++step) {
            int draw = static_cast<int>(pick(rng, static_cast<std::size_t>(total)));
            const Command* command = &commands().front();
            for (const Command& c : commands()) {
                command = &c;
                if ((draw -= c.weight) < 0)
                    break;
            }
            const std::string detail = (this->*command->run)(rng);
            done.push_back(std::string(command->name) + (detail.empty() ? "" : " " + detail));
            processEvents();
            checkChart(done.back());
        }
        if (HasFailure()) {
            std::ostringstream steps;
            for (std::size_t i = 0; i < done.size(); ++i)
                steps << "  " << i + 1 << ". " << done[i] << "\n";
            const std::string picture = ::testing::TempDir() + "user-walk-" + std::to_string(seed) + ".png";
            m_lastPicture.save(QString::fromStdString(picture));
            ADD_FAILURE() << "seed " << seed << " failed after these steps:\n"
                          << steps.str() << "the chart after the last step: " << picture;
        }
    }

    static const std::vector<Command>& commands() {
        static const std::vector<Command> table = {
            {"symbol", 4, &UserSequenceTest::chartBySymbol},
            {"watch-list", 3, &UserSequenceTest::chartFromWatchList},
            {"search", 1, &UserSequenceTest::chartFromSearch},
            {"price-display", 4, &UserSequenceTest::choosePriceDisplay},
            {"study", 6, &UserSequenceTest::toggleStudy},
            {"chart-type", 3, &UserSequenceTest::chooseChartType},
            {"zoom", 2, &UserSequenceTest::zoomIn},
            {"zoom-out", 2, &UserSequenceTest::zoomOut},
            {"grid-legend", 2, &UserSequenceTest::toggleGridOrLegend},
            {"period", 2, &UserSequenceTest::choosePeriod},
            {"interval", 2, &UserSequenceTest::chooseInterval},
            {"adjust", 2, &UserSequenceTest::toggleAdjustment},
            {"resize", 2, &UserSequenceTest::resizeFrame},
            {"dock", 2, &UserSequenceTest::toggleDock},
            {"axis-menu", 2, &UserSequenceTest::rightClickAxis},
            {"drawing", 1, &UserSequenceTest::addOrRemoveDrawing},
            {"template", 1, &UserSequenceTest::saveOrLoadTemplate},
            {"update", 1, &UserSequenceTest::updateFromServer},
        };
        return table;
    }

    // --- What the user does -------------------------------------------------------------------

    frame::frmChartSettings& settings() {
        return *static_cast<frame::frmChartSettings*>(
            frameWindow().toolWindow(QStringLiteral("frmChartSettings")));
    }
    template <class Widget>
    Widget* settingsControl(const char* name) {
        return static_cast<Widget*>(settings().controlWidget(QString::fromLatin1(name)));
    }
    korvel::KvlChartWidget& widget() { return *chartWindow().Korvel1(); }

    std::string chartBySymbol(Rng& rng) {
        const auto& [id, ticker] = m_companies[pick(rng, m_companies.size())];
        settingsControl<QLineEdit>("txtSymbol")->setText(QString::fromStdString(ticker));
        settingsControl<QAbstractButton>("cmdRefresh")->click();
        return ticker;
    }

    std::string chartFromWatchList(Rng& rng) {
        auto* list =
            static_cast<frame::frmWatchList*>(frameWindow().toolWindow(QStringLiteral("frmWatchList")));
        QTreeWidget& tree = list->lsvWL().widget();
        if (tree.topLevelItemCount() == 0)
            return "(empty)";
        QTreeWidgetItem* item = tree.topLevelItem(static_cast<int>(pick(rng, tree.topLevelItemCount())));
        tree.scrollToItem(item);
        const QPoint at = tree.visualItemRect(item).center();
        sendMouse(tree.viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton);
        sendMouse(tree.viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton);
        return item->text(0).toStdString();
    }

    // The search window is modal: the user's choice is made while it shows.
    std::string chartFromSearch(Rng& rng) {
        const auto& [id, ticker] = m_companies[pick(rng, m_companies.size())];
        std::string outcome = ticker + " (the search window did not show)";
        const ModalAnswerer choose([&, id = id, ticker = ticker] {
            auto* search = static_cast<frame::frmSearch*>(frame::Form::findOpen(QStringLiteral("frmSearch")));
            if (search == nullptr || !search->isVisible())
                return false;
            search->cmdSearch_Click();
            if (search->search().lsvCompanies().select("ID_" + std::to_string(id))) {
                outcome = ticker;
                search->cmdOK_Click();
            } else {
                outcome = ticker + " (not listed)";
                search->cmdCancel_Click();
            }
            return true;
        });
        settings().lblSearch_Click();
        return outcome;
    }

    bool triggerFinancial(com::SHORT id) {
        ostbar::OstToolbarWidget* row = financialRow();
        QAction* action =
            row != nullptr && row->isVisible() ? findCommandAction(row->actions(), id) : nullptr;
        if (action == nullptr || !action->isEnabled())
            return false;
        action->trigger();
        return true;
    }

    std::string choosePriceDisplay(Rng& rng) {
        const com::SHORT id = static_cast<com::SHORT>(dravik::ID_CLOSEPRICE + pick(rng, 5));
        return std::to_string(id) + (triggerFinancial(id) ? "" : " (not offered)");
    }

    std::string toggleStudy(Rng& rng) {
        const com::SHORT id = static_cast<com::SHORT>(
            dravik::ID_SIMPLEAVG_10DAYS +
            pick(rng, dravik::ID_VOLATILITY_CHAIKINS - dravik::ID_SIMPLEAVG_10DAYS + 1));
        return std::to_string(id) + (triggerFinancial(id) ? "" : " (not offered)");
    }

    QAction* chartAction(LONG id) { return widget().toolBar()->actionFor(static_cast<com::SHORT>(id)); }

    // Mostly back to the analytical chart, where the studies are.
    std::string chooseChartType(Rng& rng) {
        const LONG index = pick(rng, 3) == 0 ? 4 : static_cast<LONG>(pick(rng, 5));
        QAction* command = chartAction(korvel::kFirstExtensionCommandId + index);
        if (command == nullptr) {
            ADD_FAILURE() << "no chart type command " << index;
            return "";
        }
        command->trigger();
        return std::to_string(index);
    }

    std::string zoomIn(Rng& rng) {
        const LONG points = chartObject().model().pointCount();
        if (points < 10)
            return "(too few points)";
        chartAction(korvel::kCommandZoom)->trigger();
        processEvents();
        const double from = 1.0 + static_cast<double>(pick(rng, static_cast<std::size_t>(points / 2)));
        const double to = from + 5.0 + static_cast<double>(pick(rng, static_cast<std::size_t>(points / 2)));
        const auto values = chartObject().model().visibleRange(0);
        const double level = (values.first + values.second) / 2;
        LONG x0 = 0, x1 = 0, y = 0;
        if (chart().ValueToPixel(from, level, &x0, &y, 0) != com::S_OK ||
            chart().ValueToPixel(to, level, &x1, &y, 0) != com::S_OK)
            return "(outside)";
        QWidget* canvas = widget().canvas();
        sendMouse(canvas, QEvent::MouseButtonPress, {static_cast<int>(x0), static_cast<int>(y)},
                  Qt::LeftButton);
        sendMouse(canvas, QEvent::MouseMove, {static_cast<int>(x1), static_cast<int>(y)}, Qt::LeftButton);
        sendMouse(canvas, QEvent::MouseButtonRelease, {static_cast<int>(x1), static_cast<int>(y)},
                  Qt::LeftButton);
        return std::to_string(static_cast<int>(from)) + "-" + std::to_string(static_cast<int>(to));
    }

    std::string zoomOut(Rng&) {
        QAction* command = chartAction(korvel::kCommandZoomOut);
        if (command == nullptr || !command->isEnabled())
            return "(not zoomed)";
        command->trigger();
        return "";
    }

    std::string toggleGridOrLegend(Rng& rng) {
        static const LONG kCommands[] = {korvel::kCommandVerticalGrid, korvel::kCommandHorizontalGrid,
                                         korvel::kCommandLegendBox};
        const LONG id = kCommands[pick(rng, 3)];
        chartAction(id)->trigger();
        return std::to_string(id);
    }

    std::string chooseFrom(const char* list, Rng& rng) {
        auto* combo = settingsControl<QComboBox>(list);
        const int index = static_cast<int>(pick(rng, static_cast<std::size_t>(combo->count())));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return std::to_string(index);
    }
    std::string choosePeriod(Rng& rng) { return chooseFrom("cmbPeriod", rng); }
    std::string chooseInterval(Rng& rng) { return chooseFrom("cmbInterval", rng); }
    std::string toggleAdjustment(Rng&) {
        settingsControl<QAbstractButton>("chkAdjusted")->click();
        return "";
    }

    std::string resizeFrame(Rng& rng) {
        const int width = 800 + static_cast<int>(pick(rng, 9)) * 100;
        const int height = 600 + static_cast<int>(pick(rng, 5)) * 100;
        frameWindow().resize(width, height);
        return std::to_string(width) + "x" + std::to_string(height);
    }

    std::string toggleDock(Rng& rng) {
        const int index = static_cast<int>(pick(rng, frame::MDIForm1::toolWindows().size()));
        chartWindow().mnuViewForm_Click(index);
        return std::to_string(index);
    }

    // A right click on the labels of the price axis or of the date axis, with the real pop-up.
    std::string rightClickAxis(Rng& rng) {
        const korvel::KvlRect plot = chartObject().model().plotRect();
        const bool dateAxis = pick(rng, 2) == 0;
        const QPoint at = dateAxis ? QPoint((plot.left + plot.right) / 2, plot.bottom + 8)
                                   : QPoint(plot.left - 12, (plot.top + plot.bottom) / 2);
        QWidget* canvas = widget().canvas();
        sendMouse(canvas, QEvent::MouseButtonPress, at, Qt::RightButton);
        sendMouse(canvas, QEvent::MouseButtonRelease, at, Qt::RightButton);
        return dateAxis ? "date" : "price";
    }

    // A trend line through the drawing menu's dialog, or all of them removed again.
    std::string addOrRemoveDrawing(Rng& rng) {
        if (pick(rng, 2) == 0)
            return triggerFinancial(dravik::ID_DELETEALL_TREND_LINE) ? "remove all"
                                                                     : "remove all (not offered)";
        const ModalAnswerer confirm([] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                for (QPushButton* button : dialog->findChildren<QPushButton*>())
                    if (button->text().remove('&') == QLatin1String("OK")) {
                        button->click();
                        return true;
                    }
            return false;
        });
        return triggerFinancial(dravik::ID_NEW_TREND_LINE) ? "add" : "add (not offered)";
    }

    std::string saveOrLoadTemplate(Rng& rng) {
        auto* combo = settingsControl<QComboBox>("cmbTemplates");
        if (combo->count() == 0 || pick(rng, 3) == 0) {
            m_script.answerInput(QStringLiteral("Walk %1").arg(combo->count() + 1));
            for (QAction* action : settingsControl<QToolBar>("Toolbar1")->actions())
                if (action->objectName() == QLatin1String("SaveAsNewTemplate"))
                    action->trigger();
            return "save";
        }
        const int index = static_cast<int>(pick(rng, static_cast<std::size_t>(combo->count())));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return "load " + std::to_string(index);
    }

    // The data server sends one more day for the charted company.
    std::string updateFromServer(Rng&) {
        const std::int32_t company = chartedCompany();
        const std::string day = "2025-1-" + std::to_string(2 + m_updates++);
        const DayPrices last = lastDay(company);
        char row[200];
        std::snprintf(row, sizeof row, "%s|%d|1000|10000|%.2f|%.2f|%.2f|%.2f|NO|%d", day.c_str(), company,
                      last.close, last.close * 1.02, last.close * 0.98, last.close * 1.01, marketOf(company));
        m_server.answerWith(testsupport::answer(
            testsupport::crlfLines({"DAILY",
                                    "DATE|COMPANYID|TOTALSHARES|TOTALAMOUNT|OPENINGPRICE|MAXPRICE|MINPRICE|"
                                    "CLOSINGPRICE|ISDELETED|MARKETID",
                                    row, "UPDATE", "END", "EXIT"})));
        chartWindow().mnuDatabankUpdate_Click();
        const bool finished = testsupport::waitUntil([] {
            frame::frmDataUpdate* window = updateWindow();
            return window != nullptr &&
                   (window->model().display().okVisible || window->model().display().errorVisible);
        });
        EXPECT_TRUE(finished) << "the update did not finish";
        if (frame::frmDataUpdate* window = updateWindow()) {
            EXPECT_TRUE(window->model().display().okVisible)
                << window->model().display().status.toStdString();
            window->close();
        }
        processEvents();
        return day;
    }
    static frame::frmDataUpdate* updateWindow() {
        for (QWidget* widget : QApplication::allWidgets())
            if (auto* window = dynamic_cast<frame::frmDataUpdate*>(widget); window && window->isVisible())
                return window;
        return nullptr;
    }

    // The Qt dialogs, taken before the script installs itself over them.
    ui::ModalServices& m_qtServices = ui::modalServices();
    ui::ScriptedModalServices m_script;
    RealMenus m_menus{m_script, m_qtServices};
    testsupport::LoopbackHttpServer m_server;
    int m_updates = 0;
};

TEST_F(UserSequenceTest, ARandomWalkOfUserCommandsKeepsTheChartDrawnAndItsValuesTheDatabases_Seed1) {
    walk(seedOr(1), steps());
}

TEST_F(UserSequenceTest, ARandomWalkOfUserCommandsKeepsTheChartDrawnAndItsValuesTheDatabases_Seed2) {
    walk(20261209, steps());
}

}  // namespace
