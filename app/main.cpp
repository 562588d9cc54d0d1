// The program's entry: the start-up core of app/data with the program's windows joined through its
// hooks; the program then lives in the frame window's event loop.
#include <QApplication>
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
#include "frame/watchlist/WatchListWiring.h"

namespace {

// The installation's seed data: $TARNWICK_SEED_DIR, else share/tarnwick beside the program's bin/.
std::filesystem::path seedFolder() {
    if (const char* dir = std::getenv("TARNWICK_SEED_DIR"); dir != nullptr) {
        return dir;
    }
    return QDir(QApplication::applicationDirPath() + "/../share/tarnwick").absolutePath().toStdString();
}

// The message goes to the terminal always and to a message box when there is a screen to show it on
// (a box on the off-screen platform would wait for an answer nobody can give).
void reportStartFailure(const tarnwick::AppError& error) {
    std::fprintf(stderr, "Tarnwick: %s\n", error.description().c_str());
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
        QMessageBox::critical(nullptr, QStringLiteral("Tarnwick"),
                              QString::fromStdString(error.description()));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Message boxes and input boxes carry the program's name; Qt would take the executable's.
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    // Long loops of every component yield through this one hook (at most every few tens of ms).
    com::setYieldHook([] { QApplication::processEvents(); });
    tarnwick::StoreStartupSettings settings;
    tarnwick::StartupHooks hooks;
    hooks.settings = &settings;
    hooks.seedFolder = seedFolder();
    hooks.processEvents = [] { QApplication::processEvents(); };
    hooks.readSettings = [] {
        try {
            tarnwick::ReadSettings();
        } catch (...) {
            throw tarnwick::AppError::fromCurrentException();
        }
    };
    frame::FrameHooks frameHooks;
    frame::InstallWatchList(frameHooks);
    frame::StartupWindows windows(std::move(frameHooks));
    windows.connect(hooks);

    tarnwick::SingleInstanceGuard guard;
    try {
        if (tarnwick::Main(hooks, guard) == tarnwick::StartResult::AnotherInstanceRunning) {
            return 0;
        }
    } catch (const tarnwick::AppError& error) {
        reportStartFailure(error);
        return 1;
    }
    return windows.frame() != nullptr ? QApplication::exec() : 0;
}
