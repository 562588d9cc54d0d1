#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <map>
#include <vector>

#include "TestHome.h"
#include "appdata/AppError.h"
#include "appdata/Globals.h"
#include "appdata/Schema.h"
#include "appdata/Startup.h"

using namespace tarnwick;
using namespace std::chrono;

namespace {

class MemorySettings : public StartupSettings {
public:
    std::optional<std::string> GetSetting(std::string_view key) override {
        auto it = values.find(std::string(key));
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void SaveSetting(std::string_view key, std::string_view value) override {
        values[std::string(key)] = std::string(value);
    }
    std::map<std::string, std::string> values;
};

void makeVersionOneDatabase(const std::filesystem::path& file) {
    db::Connection c = db::Connection::createNew(file);
    CreateMarketSchema(c);
    c.execute("INSERT INTO Settings (SettingName, VALUE) VALUES ('Version', '1')");
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeVersionOneDatabase(home / "MQMKD.mqd");
        gConnection.close();
        gArabic = false;
        gSpecial = false;
        gStarting = false;
        hooks.settings = &settings;
        const auto record = [this](const char* name) { return [this, name] { events.push_back(name); }; };
        hooks.showLanguageWindow = record("language");
        hooks.loadLanguageStrings = record("strings");
        hooks.showSplash = record("splash");
        hooks.processEvents = record("events");
        hooks.unloadSplash = record("unsplash");
        hooks.readSettings = [this] {
            events.push_back(gConnection.isOpen() ? "settings(open)" : "settings(closed)");
        };
        hooks.showFrameWindow = [this] {
            events.push_back(gStarting ? "frame(starting)" : "frame");
            EXPECT_EQ(gBaseDate, (db::Date{2005y, March, 9d}));
        };
        hooks.scrollWatchListSelection = record("scroll");
        hooks.today = [] { return db::Date{2005y, March, 9d}; };
    }
    void TearDown() override { gConnection.close(); }

    StartResult start() { return Main(hooks, guard); }

    TestHome home;
    MemorySettings settings;
    StartupHooks hooks;
    SingleInstanceGuard guard;
    std::vector<std::string> events;
};

}  // namespace

TEST_F(StartupTest, RunsItsStepsInOrder) {
    EXPECT_EQ(start(), StartResult::Started);
    const std::vector<std::string> expected = {"language", "strings",        "splash",          "events",
                                               "unsplash", "settings(open)", "frame(starting)", "scroll"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(settings.values["Path"], home.path().string());
    EXPECT_TRUE(gConnection.isOpen());
    EXPECT_EQ(gConnection.query("SELECT VALUE FROM Settings").text(0), "1");
}

TEST_F(StartupTest, LanguageWindowOnlyWhenNoneIsChosen) {
    struct Case {
        std::optional<std::string> stored;
        bool asked;
        bool arabic;
    };
    const Case cases[] = {
        {std::nullopt, true, false}, {"NONE", true, false},    {"True", false, true},
        {"False", false, false},     {"Arabic", false, false}, {"true", false, false},
    };
    for (const Case& tc : cases) {
        events.clear();
        gConnection.close();
        guard.release();
        settings.values.erase("Language");
        if (tc.stored) {
            settings.values["Language"] = *tc.stored;
        }
        gArabic = !tc.arabic;
        ASSERT_EQ(start(), StartResult::Started);
        EXPECT_EQ(events.front() == "language", tc.asked) << tc.stored.value_or("(none)");
        EXPECT_EQ(gArabic, tc.arabic) << tc.stored.value_or("(none)");
    }
}

TEST_F(StartupTest, SpecialSetting) {
    struct Case {
        std::optional<std::string> stored;
        bool special;
    };
    const Case cases[] = {{std::nullopt, true}, {"False", false}, {"false", false}, {"True", true},
                          {"0", false},         {"-1", true},     {"yes", true},    {"", true}};
    for (const Case& tc : cases) {
        gConnection.close();
        guard.release();
        settings.values.erase("Special");
        if (tc.stored) {
            settings.values["Special"] = *tc.stored;
        }
        gSpecial = !tc.special;
        ASSERT_EQ(start(), StartResult::Started);
        EXPECT_EQ(gSpecial, tc.special) << tc.stored.value_or("(none)");
    }
}

TEST_F(StartupTest, FailedCompactionStillStarts) {
    hooks.compact = [](auto&&...) { return false; };
    const std::string original = readFile(home / "MQMKD.mqd");
    EXPECT_EQ(start(), StartResult::Started);
    EXPECT_TRUE(gConnection.isOpen());
    gConnection.close();
    EXPECT_EQ(readFile(home / "MQMKD.mqd"), original);
}

TEST_F(StartupTest, MissingDatabaseIsRefusedWithoutCreatingOne) {
    std::filesystem::remove(home / "MQMKD.mqd");
    try {
        start();
        FAIL() << "started without a database";
    } catch (const AppError& e) {
        EXPECT_NE(e.description().find("MQMKD.mqd"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(home / "MQMKD.mqd"));
    EXPECT_EQ(std::find(events.begin(), events.end(), "frame(starting)"), events.end());
}

TEST_F(StartupTest, SecondStartInTheSameFolderDoesNothing) {
    ASSERT_EQ(start(), StartResult::Started);
    events.clear();
    settings.values.clear();
    SingleInstanceGuard second;
    EXPECT_EQ(Main(hooks, second), StartResult::AnotherInstanceRunning);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(settings.values.empty());
}

TEST_F(StartupTest, FirstStartFillsANewFolderFromTheSeed) {
    const std::filesystem::path seed = home / "seed";
    std::filesystem::create_directories(seed / "Documentation");
    std::filesystem::rename(home / "MQMKD.mqd", seed / "MQMKD.mqd");
    writeFile(seed / "Documentation" / "index.htm", "<html/>");
    const std::filesystem::path folder = home / "fresh" / "Tarnwick";
    ::setenv("TARNWICK_HOME", folder.c_str(), 1);
    hooks.seedFolder = seed;
    EXPECT_EQ(start(), StartResult::Started);
    EXPECT_TRUE(std::filesystem::exists(folder / "MQMKD.mqd"));
    EXPECT_EQ(readFile(folder / "Documentation" / "index.htm"), "<html/>");
    EXPECT_EQ(settings.values["Path"], folder.string());
}

TEST(StartupProcess, SecondProcessEndsAtOnceWithStatusZero) {
    TestHome home;
    makeVersionOneDatabase(home / "MQMKD.mqd");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TARNWICK_HOME", QString::fromStdString(home.path().string()));

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(TARNWICK_STARTUP_PROBE, {});
    ASSERT_TRUE(first.waitForReadyRead(10000));
    EXPECT_EQ(first.readAllStandardOutput().trimmed(), "frame");

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(TARNWICK_STARTUP_PROBE, {});
    ASSERT_TRUE(second.waitForFinished(10000));  // it does not wait for the first one
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_EQ(first.state(), QProcess::Running);

    first.closeWriteChannel();
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitCode(), 0);
}
