// The program's entry: the assembled program started inside the application object; the program then
// lives in the frame window's event loop.
#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "appdata/AppError.h"
#include "com/Yield.h"
#include "frame/AssembledProgram.h"

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
    frame::AssembledProgram program(seedFolder());

    tarnwick::SingleInstanceGuard guard;
    try {
        if (program.start(guard) == tarnwick::StartResult::AnotherInstanceRunning) {
            return 0;
        }
    } catch (const tarnwick::AppError& error) {
        reportStartFailure(error);
        return 1;
    }
    return program.frame() != nullptr ? QApplication::exec() : 0;
}
