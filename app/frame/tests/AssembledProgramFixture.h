// The program as a user starts it, for end-to-end tests: the installation's first database made from
// the sample market by the installer's own tool, both in-process servers registered in a class
// registry of the test's own, a program folder and a settings store that do not exist yet (so the
// start is a first start that seeds the program folder), the sample's first company chosen as the
// installation's start script chooses it, and the language question answered. The test then runs
// the very start-up the executable runs and reaches the frame, the chart window, its chart control
// and the market database.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPoint>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ServerRegistration.h"
#include "appdata/Globals.h"
#include "appdata/MarketCollections.h"
#include "com/Activation.h"
#include "com/InprocServer.h"
#include "db/Connection.h"
#include "frame/AssembledProgram.h"
#include "frame/Form.h"
#include "frame/FrameGlobals.h"
#include "frame/MDIForm1.h"
#include "frame/frmLanguage.h"
#include "frame/frmMain.h"
#include "frame/lists/ListFillers.h"
#include "korvel/IKvlChart.h"
#include "korvel/KvlChart.h"
#include "korvel/KvlChartWidget.h"
#include "korvel/KvlExtensionDriver.h"
#include "ostbar/OstBarContract.h"
#include "ostbar/OstToolbarWidget.h"
#include "store/SettingsStore.h"
#include "testsupport/TempFolder.h"

class AssembledProgramTest : public ::testing::Test {
protected:
    // The sample market's first company, which the installation charts until a company is chosen.
    static constexpr std::int32_t kSampleCompany = 101;

    // The installation's first database, made once for all the tests of a suite: each start copies it
    // from the seed folder into its own new program folder.
    static void SetUpTestSuite() {
        s_seed = new testsupport::TempFolder("tarnwick-e2e-seed");
        const std::filesystem::path file = s_seed->path() / "MQMKD.mqd";
        const std::string command = std::string(TARNWICK_INITDB) + " '" + file.string() + "' '" +
                                    TARNWICK_SAMPLE_DIR + "/update-stream.txt' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    static void TearDownTestSuite() {
        delete s_seed;
        s_seed = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(s_seed, nullptr);
        if (const char* old = std::getenv("TARNWICK_HOME"); old != nullptr)
            m_previousHome = old;
        ::setenv("TARNWICK_HOME", home().c_str(), 1);
        store::SettingsStore::setFolder(QString::fromStdString(m_config.path().string()));
        ::setenv("TARNWICK_CLASS_REGISTRY", (m_config.path() / "classes.reg").c_str(), 1);
        registerInprocServer(DRAVIK_SERVER_PATH);
        registerInprocServer(INDIKON_SERVER_PATH);
        saveSetting("SelectedCompany", std::to_string(kSampleCompany));
        gArabic = false;
        gClosing = false;
    }

    void TearDown() override {
        endProgram();
        store::SettingsStore::setFolder(QString());
        ::unsetenv("TARNWICK_CLASS_REGISTRY");
        if (m_previousHome)
            ::setenv("TARNWICK_HOME", m_previousHome->c_str(), 1);
        else
            ::unsetenv("TARNWICK_HOME");
        gArabic = false;
        gClosing = false;
    }

    // What the program's end leaves behind: its forms, its connection and the collections it loaded.
    void endProgram() {
        m_program.reset();
        m_guard.release();
        for (frame::Form* form : std::vector<frame::Form*>(frame::Form::openForms()))
            form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        tarnwick::gConnection.close();
        tarnwick::gMarkets.clear();
        tarnwick::gCategories.clear();
        tarnwick::gWatchLists.clear();
        tarnwick::gTemplates.clear();
        tarnwick::gSettings.clear();
        frame::gWLCompanies.clear();
    }

    // Starts the program as its executable does, answering the language question with English.
    frame::MDIForm1& startProgram() {
        m_program = std::make_unique<frame::AssembledProgram>(s_seed->path());
        QTimer answer;
        answer.setInterval(10);
        QObject::connect(&answer, &QTimer::timeout, [this] { answerLanguageQuestion(); });
        answer.start();
        m_guard.release();
        const tarnwick::StartResult started = m_program->start(m_guard);
        answer.stop();
        EXPECT_EQ(started, tarnwick::StartResult::Started);
        EXPECT_NE(m_program->frame(), nullptr);
        processEvents();
        return *m_program->frame();
    }

    // Starts the program with its chart control at the size the chart tests measure their pictures in.
    void startProgramWithChartOf900x600() {
        startProgram();
        chartWindow().Korvel1()->resize(900, 600);
        processEvents();
    }

    // The user closes the program's frame, and the program ends as its executable's does; then it is
    // started again on the same program folder and settings.
    frame::MDIForm1& restartProgram() {
        m_program->frame()->close();
        processEvents();
        endProgram();
        gClosing = false;
        return startProgram();
    }

    frame::AssembledProgram& program() { return *m_program; }
    frame::MDIForm1& frameWindow() { return *m_program->frame(); }
    frame::frmMain& chartWindow() { return frameWindow().chartWindow(); }
    korvel::IKvlChart& chart() { return chartWindow().Korvel1()->control(); }
    // The chart control object, for a look into its model.
    korvel::KvlChart& chartObject() { return chartWindow().Korvel1()->chart(); }
    dravik::IFinancialCharts& extension() { return *chartWindow().financialExtension(); }
    // The tool-bar row that shows the financial extension's bar; null when none does.
    ostbar::OstToolbarWidget* financialRow() {
        com::ComPtr<ostbar::IOstToolbarObj> toolbar;
        EXPECT_EQ(extension().get_ToolBarObj(toolbar.put()), com::S_OK);
        const auto bar = ostbar::OstCommandBar::implementationOf(toolbar.get());
        for (ostbar::OstToolbarWidget* row : chartWindow().Korvel1()->hostedToolBars())
            if (bar && row->bar() == bar.get())
                return row;
        return nullptr;
    }
    // The user types a ticker into the chart settings window's symbol box and presses Enter; the
    // events that follow are left to the caller.
    void typeTicker(const char* ticker) {
        frame::Form* settings = frameWindow().toolWindow(QStringLiteral("frmChartSettings"));
        ASSERT_NE(settings, nullptr);
        auto* box = static_cast<QLineEdit*>(settings->controlWidget(QStringLiteral("txtSymbol")));
        box->setText(QString::fromLatin1(ticker));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(box, &press);
    }
    void chartTicker(const char* ticker) {
        typeTicker(ticker);
        processEvents();
    }
    // The user picks entry `index` of the chart settings window's list `list`; the events that follow
    // are left to the caller.
    void chooseChartSetting(const char* list, int index) {
        frame::Form* settings = frameWindow().toolWindow(QStringLiteral("frmChartSettings"));
        ASSERT_NE(settings, nullptr);
        auto* combo = static_cast<QComboBox*>(settings->controlWidget(QString::fromLatin1(list)));
        ASSERT_NE(combo, nullptr) << list;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    // The chart bar's command for the extension's chart type `index`.
    void chooseChartType(com::LONG index) {
        QAction* command = chartWindow().Korvel1()->toolBar()->actionFor(
            static_cast<com::SHORT>(korvel::kFirstExtensionCommandId + index));
        ASSERT_NE(command, nullptr) << index;
        command->trigger();
        processEvents();
    }
    QImage painted() {
        chartObject().paintSurface();
        return chartObject().surface()->image().convertToFormat(QImage::Format_RGB32);
    }
    // The colour most of the plot shows: its own.
    static QRgb plotColour(const QImage& image, const korvel::KvlRect& plot) {
        std::map<QRgb, int> seen;
        for (int y = plot.top + 1; y < plot.bottom; y += 3)
            for (int x = plot.left + 1; x < plot.right; x += 3)
                ++seen[image.pixel(x, y)];
        QRgb most = 0;
        int count = -1;
        for (const auto& [colour, times] : seen)
            if (times > count) {
                most = colour;
                count = times;
            }
        return most;
    }
    // The pixel of a chart position (1-based point) and value.
    QPoint pixel(double position, double value) {
        com::LONG x = 0, y = 0;
        EXPECT_EQ(chart().ValueToPixel(position, value, &x, &y, 0), com::S_OK);
        return {static_cast<int>(x), static_cast<int>(y)};
    }
    // The program's connection to the market database in its program folder.
    static db::Connection& database() { return tarnwick::gConnection; }

    std::filesystem::path home() const { return m_folders.path() / "Tarnwick"; }
    std::string errorLog() const {
        std::ifstream in(home() / "Tarnwick.log", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void saveSetting(const char* key, const std::string& value) {
        store::SettingsStore::saveSetting(QStringLiteral("Tarnwick"), QStringLiteral("Settings"),
                                          QString::fromLatin1(key), QString::fromStdString(value));
    }
    static void processEvents() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    int m_languageQuestions = 0;

private:
    void answerLanguageQuestion() {
        frame::Form* window = frame::Form::findOpen(QStringLiteral("frmLanguage"));
        if (window == nullptr || !window->isVisible())
            return;
        ++m_languageQuestions;
        static_cast<QComboBox*>(window->controlWidget(QStringLiteral("cmbLanguage")))
            ->setCurrentIndex(frame::frmLanguage::kEnglish);
        static_cast<QPushButton*>(window->controlWidget(QStringLiteral("cmdOK")))->click();
    }

    static inline testsupport::TempFolder* s_seed = nullptr;
    testsupport::TempFolder m_folders{"tarnwick-e2e-home"};
    testsupport::TempFolder m_config{"tarnwick-e2e-config"};
    std::optional<std::string> m_previousHome;
    tarnwick::SingleInstanceGuard m_guard;
    std::unique_ptr<frame::AssembledProgram> m_program;
};
