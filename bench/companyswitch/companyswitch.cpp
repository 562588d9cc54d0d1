// A company switch as the user makes it in the assembled program (a ticker typed into the chart
// settings window and Enter), timed until the chart is painted, beside a bare SELECT of the rows the
// chart shows and one repaint of the chart. The program runs on the sample market, made by the
// installer's tool, with both in-process servers registered in a class registry of its own.
//
//   QT_QPA_PLATFORM=offscreen build/bin/bench_companyswitch [--switches=N]
#include <dlfcn.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "appchart/fill/FillPeriod.h"
#include "appdata/Globals.h"
#include "com/InprocServer.h"
#include "db/Connection.h"
#include "frame/AssembledProgram.h"
#include "frame/Form.h"
#include "frame/MDIForm1.h"
#include "frame/frmLanguage.h"
#include "frame/frmMain.h"
#include "korvel/KvlChart.h"
#include "korvel/KvlChartWidget.h"
#include "store/SettingsStore.h"

namespace {

using Clock = std::chrono::steady_clock;

// The sample's two banks, charted in turn.
constexpr const char* kTickers[] = {"AMLB", "NORB"};
constexpr std::int32_t kCompanies[] = {102, 101};
constexpr int kDefaultSwitches = 20;

bool registerServer(const char* path) {
    void* library = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    const auto registerIt =
        library ? reinterpret_cast<com::DllRegisterServerFunction>(::dlsym(library, "DllRegisterServer"))
                : nullptr;
    return registerIt && registerIt() == com::S_OK;
}

void answerLanguageQuestion() {
    frame::Form* window = frame::Form::findOpen(QStringLiteral("frmLanguage"));
    if (window == nullptr || !window->isVisible())
        return;
    static_cast<QComboBox*>(window->controlWidget(QStringLiteral("cmbLanguage")))
        ->setCurrentIndex(frame::frmLanguage::kEnglish);
    static_cast<QPushButton*>(window->controlWidget(QStringLiteral("cmdOK")))->click();
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times[times.size() / 2];
}

class Bench {
public:
    explicit Bench(const std::filesystem::path& folder) : m_program(folder / "seed") {}

    bool start() {
        QTimer answer;
        answer.setInterval(10);
        QObject::connect(&answer, &QTimer::timeout, [] { answerLanguageQuestion(); });
        answer.start();
        const bool started = m_program.start(m_guard) == tarnwick::StartResult::Started && m_program.frame();
        answer.stop();
        settle();
        return started;
    }

    // The ticker typed and Enter pressed, then the event loop runs until the chart is painted.
    double switchTo(const char* ticker) {
        frame::Form* settings = m_program.frame()->toolWindow(QStringLiteral("frmChartSettings"));
        auto* box = static_cast<QLineEdit*>(settings->controlWidget(QStringLiteral("txtSymbol")));
        const Clock::time_point start = Clock::now();
        box->setText(QString::fromLatin1(ticker));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(box, &press);
        settle();
        return millisecondsSince(start);
    }

    // The company's rows of the period charted, read as the fill reads them, and one repaint.
    double selectAndRepaint(std::int32_t company) {
        const Clock::time_point start = Clock::now();
        const std::optional<db::Date> last =
            tarnwick::gConnection.query(R"(SELECT MAX("DATE") FROM "MARKETDAILY1")", {}).date(0);
        const db::Date from = tarnwick::chart::PeriodStart(chartWindow().chartChoices().period, *last);
        double sum = 0;
        for (
            db::RowSet rows = tarnwick::gConnection.query(
                R"(SELECT "DATE", "TotalShares", "TotalAmount", "OpeningPrice", "MaxPrice", "MinPrice",)"
                R"( "ClosingPrice" FROM "MARKETDAILY1" WHERE "COMPANYID" = ? AND "DATE" >= ? ORDER BY "DATE")",
                {company, from}, db::CursorType::ForwardOnly);
            !rows.eof(); rows.moveNext())
            sum += rows.real(6);
        m_sink += sum;
        chart().InvalidateRect(nullptr);
        chartWindow().Korvel1()->repaint();
        return millisecondsSince(start);
    }

    korvel::KvlChart& chart() { return chartWindow().Korvel1()->chart(); }
    double sink() const { return m_sink; }

private:
    frame::frmMain& chartWindow() { return m_program.frame()->chartWindow(); }
    // Runs the event loop until nothing is left to do and the chart holds no unpainted change.
    void settle() {
        for (int pass = 0; pass < 3 || chart().invalidRect(); ++pass) {
            QCoreApplication::processEvents();
            if (chart().invalidRect())
                chartWindow().Korvel1()->repaint();
        }
    }

    frame::AssembledProgram m_program;
    tarnwick::SingleInstanceGuard m_guard;
    double m_sink = 0;
};

int switchesAsked(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg.starts_with("--switches="))
            return std::max(1, std::atoi(argv[i] + 11));
    }
    return kDefaultSwitches;
}

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const int switches = switchesAsked(argc, argv);
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-switch-XXXXXX").string();
    const std::filesystem::path folder = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(folder / "seed");
    const std::string made = std::string(TARNWICK_INITDB) + " '" + (folder / "seed" / "MQMKD.mqd").string() +
                             "' '" + TARNWICK_SAMPLE_DIR + "/update-stream.txt' > /dev/null";
    ::setenv("TARNWICK_HOME", (folder / "home").c_str(), 1);
    ::setenv("TARNWICK_CLASS_REGISTRY", (folder / "classes.reg").c_str(), 1);
    store::SettingsStore::setFolder(QString::fromStdString((folder / "config").string()));
    if (std::system(made.c_str()) != 0 || !registerServer(DRAVIK_SERVER_PATH) ||
        !registerServer(INDIKON_SERVER_PATH)) {
        std::fprintf(stderr, "cannot make the sample market or register the servers\n");
        return 1;
    }
    int status = 0;
    {
        Bench bench(folder);
        if (!bench.start()) {
            std::fprintf(stderr, "the program did not start\n");
            status = 1;
        } else {
            std::vector<double> switching, bare;
            for (int i = 0; i < switches; ++i) {
                const int which = i % 2;
                switching.push_back(bench.switchTo(kTickers[which]));
                bare.push_back(bench.selectAndRepaint(kCompanies[which]));
            }
            const double s = median(switching), b = median(bare);
            std::printf("company switch to chart painted: %.2f ms (median of %d)\n", s, switches);
            std::printf("bare SELECT of the rows + one repaint: %.2f ms\n", b);
            std::printf("ratio: %.1f\n", b > 0 ? s / b : 0.0);
            std::printf("(paints: %d, checksum %.3f)\n", static_cast<int>(bench.chart().surfacePaintCount()),
                        bench.sink());
        }
    }
    for (frame::Form* form : std::vector<frame::Form*>(frame::Form::openForms()))
        form->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    tarnwick::gConnection.close();
    std::filesystem::remove_all(folder);
    return status;
}
