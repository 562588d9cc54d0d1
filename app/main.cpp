// The program's entry: the start-up core of app/data with the windows that exist so far. The
// language step (language window and language table) and the Settings-table reader are connected;
// the splash and frame windows join through the hooks as they are built.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "appdata/AppError.h"
#include "appdata/MarketReaders.h"
#include "appdata/Startup.h"
#include "appdata/StoreStartupSettings.h"
#include "com/Yield.h"
#include "frame/StartupWindows.h"

namespace {

// The installation's seed data: $TARNWICK_SEED_DIR, else share/tarnwick beside the program's bin/.
std::filesystem::path seedFolder() {
    if (const char* dir = std::getenv("TARNWICK_SEED_DIR"); dir != nullptr) {
        return dir;
    }
    return QDir(QApplication::applicationDirPath() + "/../share/tarnwick").absolutePath().toStdString();
}

// A modal window on the off-screen platform would wait for an answer nobody can give.
bool hasScreen() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

// The message goes to the terminal always and to a message box when there is a screen to show it on.
void reportStartFailure(const tarnwick::AppError& error) {
    std::fprintf(stderr, "Tarnwick: %s\n", error.description().c_str());
    if (hasScreen()) {
        QMessageBox::critical(nullptr, QStringLiteral("Tarnwick"),
                              QString::fromStdString(error.description()));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Long loops of every component yield through this one hook (at most every few tens of ms).
    com::setYieldHook([] { QApplication::processEvents(); });
    tarnwick::StoreStartupSettings settings;
    tarnwick::StartupHooks hooks;
    hooks.settings = &settings;
    hooks.seedFolder = seedFolder();
    frame::ConnectLanguageStep(
        hooks, settings,
        hasScreen() ? frame::ModalRunner([](QDialog& window) { window.exec(); }) : frame::ModalRunner());
    hooks.processEvents = [] { QApplication::processEvents(); };
    hooks.readSettings = [] {
        try {
            tarnwick::ReadSettings();
        } catch (...) {
            throw tarnwick::AppError::fromCurrentException();
        }
    };
    bool frameShown = false;
    hooks.showFrameWindow = [&frameShown] { frameShown = true; };

    tarnwick::SingleInstanceGuard guard;
    try {
        if (tarnwick::Main(hooks, guard) == tarnwick::StartResult::AnotherInstanceRunning) {
            return 0;
        }
    } catch (const tarnwick::AppError& error) {
        reportStartFailure(error);
        return 1;
    }
    if (frameShown) {
        std::puts("Tarnwick: the market database is open; the frame and chart windows are not built yet.");
    }
    return 0;
}
