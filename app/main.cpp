// The program's entry: the start-up core of app/data with the windows that exist so far. The
// language, splash and frame windows and the Settings-table reader join through the hooks as they
// are built.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSettings>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "appdata/AppError.h"
#include "appdata/Startup.h"

namespace {

// The settings store section "Settings" in the per-user INI file ($XDG_CONFIG_HOME/Tarnwick/).
class IniSettings : public tarnwick::StartupSettings {
public:
    IniSettings() : store_(QSettings::IniFormat, QSettings::UserScope, "Tarnwick", "Tarnwick") {}

    std::optional<std::string> GetSetting(std::string_view key) override {
        const QVariant value = store_.value(qtKey(key));
        if (!value.isValid()) {
            return std::nullopt;
        }
        return value.toString().toStdString();
    }
    void SaveSetting(std::string_view key, std::string_view value) override {
        store_.setValue(qtKey(key), QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    }

private:
    static QString qtKey(std::string_view key) {
        return QStringLiteral("Settings/") +
               QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    }

    QSettings store_;
};

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
    IniSettings settings;
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
