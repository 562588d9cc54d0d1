// The program's start-up, everything before the frame window's event loop: one running copy only,
// the settings "Path", "Language" and "Special", the language table, the splash window, compaction,
// the shared connection, the Settings table, and the frame window. Windows and the language table
// come from other parts of the program through the hooks, which tests observe.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "appdata/Compaction.h"
#include "appdata/SingleInstanceGuard.h"
#include "db/Value.h"

namespace tarnwick {

// The part of the settings store (section "Settings") that start-up uses.
class StartupSettings {
public:
    virtual ~StartupSettings() = default;
    // The stored text, or nullopt when the key has no value.
    virtual std::optional<std::string> GetSetting(std::string_view key) = 0;
    virtual void SaveSetting(std::string_view key, std::string_view value) = 0;
};

struct StartupHooks {
    StartupSettings* settings = nullptr;
    // The installation's seed data, copied into a program folder made on first start.
    std::filesystem::path seedFolder;

    std::function<void()> showLanguageWindow;   // modal; stores the choice and sets gArabic
    std::function<void()> loadLanguageStrings;  // fills the language table
    std::function<void()> showSplash;
    std::function<void()> processEvents;  // one pass of pending window events
    std::function<void()> unloadSplash;
    std::function<void()> readSettings;  // the Settings table into gSettings
    std::function<void()> showFrameWindow;
    std::function<void()> scrollWatchListSelection;  // the watch list's selected item into view
    std::function<db::Date()> today;                 // default: the system's local date
    Compactor compact = CompactMarketDatabase;
};

enum class StartResult {
    Started,                 // the frame window is up
    AnotherInstanceRunning,  // nothing was done; the program ends at once with status 0
};

// Runs the start-up in order. The guard holds the single-instance lock on success and must live as
// long as the program runs. A failure to open the database (missing, unreadable) raises AppError with
// a message for the user; a failed compaction does not stop start-up.
StartResult Main(const StartupHooks& hooks, SingleInstanceGuard& guard);

// The settings store's text as a Boolean: "True"/"False" in any case, or a number (non-zero is true).
// A text that is neither gives the fallback.
bool SettingToBoolean(const std::optional<std::string>& text, bool fallback);

}  // namespace tarnwick
