#include "appdata/Startup.h"

#include <QDate>

#include <charconv>

#include "appdata/AppError.h"
#include "appdata/AsciiLower.h"
#include "appdata/DataFolder.h"
#include "appdata/Globals.h"
#include "db/Error.h"

namespace tarnwick {

namespace {

void run(const std::function<void()>& hook) {
    if (hook) {
        hook();
    }
}

db::Date systemToday() {
    const QDate today = QDate::currentDate();
    return db::Date{std::chrono::year(today.year()), std::chrono::month(static_cast<unsigned>(today.month())),
                    std::chrono::day(static_cast<unsigned>(today.day()))};
}

void settleLanguage(const StartupHooks& hooks, const std::string& language) {
    if (language == "NONE") {
        gArabic = false;
        run(hooks.showLanguageWindow);
    } else {
        gArabic = language == "True";
    }
}

void openConnection(const std::filesystem::path& folder) {
    try {
        gConnection = db::Connection::openExisting(folder / kDatabaseFileName);
    } catch (const db::Error& e) {
        throw AppError(e.number(), "The market database cannot be opened. " + e.description());
    }
}

}  // namespace

bool SettingToBoolean(const std::optional<std::string>& text, bool fallback) {
    if (!text) {
        return fallback;
    }
    const std::string word = AsciiLower(*text);
    if (word == "true") {
        return true;
    }
    if (word == "false") {
        return false;
    }
    double number = 0;
    const char* first = text->data();
    const char* last = first + text->size();
    const auto [end, ec] = std::from_chars(first, last, number);
    if (ec == std::errc() && end == last && !text->empty()) {
        return number != 0;
    }
    return fallback;
}

StartResult Main(const StartupHooks& hooks, SingleInstanceGuard& guard) {
    if (hooks.settings == nullptr) {
        throw AppError(errnum::kApplicationDefined, "Start-up needs the settings store.");
    }
    const std::filesystem::path folder = ProgramFolder();
    PrepareProgramFolder(folder, hooks.seedFolder);
    if (!guard.tryAcquire(folder / kInstanceLockFileName)) {
        return StartResult::AnotherInstanceRunning;
    }

    StartupSettings& settings = *hooks.settings;
    settings.SaveSetting("Path", folder.string());
    const std::string language = settings.GetSetting("Language").value_or("NONE");
    gSpecial = SettingToBoolean(settings.GetSetting("Special"), true);
    settleLanguage(hooks, language);
    run(hooks.loadLanguageStrings);

    run(hooks.showSplash);
    run(hooks.processEvents);
    CompactAtStart(folder, hooks.compact);
    run(hooks.unloadSplash);

    openConnection(folder);
    run(hooks.readSettings);

    gStarting = true;
    gBaseDate = hooks.today ? hooks.today() : systemToday();
    run(hooks.showFrameWindow);
    run(hooks.scrollWatchListSelection);
    return StartResult::Started;
}

}  // namespace tarnwick
