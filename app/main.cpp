// The program's entry: the start-up core of app/data with the windows that exist so far. The
// language, splash and frame windows and the Settings-table reader join through the hooks as they
// are built.
#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "appdata/AppError.h"
#include "appdata/Startup.h"
#include "appdata/StoreStartupSettings.h"

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
    tarnwick::StoreStartupSettings settings;
    tarnwick::StartupHooks hooks;
    hooks.settings = &settings;
    hooks.seedFolder = seedFolder();
    hooks.processEvents = [] { QApplication::processEvents(); };
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
