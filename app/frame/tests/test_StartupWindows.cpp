// The start-up's language step: the language window and the language table, as the program
// connects them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include <map>

#include "appdata/Globals.h"
#include "appdata/Startup.h"
#include "frame/LanguageTable.h"
#include "frame/StartupWindows.h"
#include "frame/frmLanguage.h"

namespace {

class MemorySettings : public tarnwick::StartupSettings {
public:
    std::optional<std::string> GetSetting(std::string_view key) override {
        const auto it = values.find(std::string(key));
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void SaveSetting(std::string_view key, std::string_view value) override {
        values[std::string(key)] = std::string(value);
    }

    std::map<std::string, std::string> values;
};

class LanguageStep : public ::testing::Test {
protected:
    void SetUp() override { gArabic = false; }
    void TearDown() override { gArabic = false; }

    MemorySettings settings;
};

}  // namespace

TEST_F(LanguageStep, WindowOpensOnEnglishAndStoresTheChoice) {
    struct Case {
        int position;
        bool arabic;
        const char* stored;
    };
    for (const Case c : {Case{1, true, "True"}, Case{0, false, "False"}}) {
        frame::frmLanguage window(settings);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Select Language"));
        ASSERT_EQ(window.cmbLanguage()->count(), 2);
        EXPECT_EQ(window.cmbLanguage()->itemText(1), QStringLiteral("Arabic"));
        EXPECT_EQ(window.cmbLanguage()->currentIndex(), 0);
        window.cmbLanguage()->setCurrentIndex(c.position);
        gArabic = !c.arabic;
        window.cmdOK()->click();
        EXPECT_EQ(gArabic, c.arabic);
        EXPECT_EQ(settings.values["Language"], c.stored);
        EXPECT_EQ(window.result(), QDialog::Accepted);
    }
}

TEST_F(LanguageStep, WithoutAChoiceOkDoesNothing) {
    frame::frmLanguage window(settings);
    window.cmbLanguage()->setCurrentIndex(-1);
    window.cmdOK()->click();
    EXPECT_TRUE(settings.values.empty());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(gArabic);
}

TEST_F(LanguageStep, ConnectedHooksShowTheWindowAndFillTheTable) {
    tarnwick::StartupHooks hooks;
    int shown = 0;
    frame::ConnectLanguageStep(hooks, settings, [&shown](QDialog& window) {
        ++shown;
        auto& language = dynamic_cast<frame::frmLanguage&>(window);
        language.cmbLanguage()->setCurrentIndex(1);
        language.cmdOK()->click();
    });
    ASSERT_TRUE(hooks.showLanguageWindow);
    ASSERT_TRUE(hooks.loadLanguageStrings);
    hooks.showLanguageWindow();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(gArabic);
    EXPECT_EQ(settings.values["Language"], "True");

    gLangStrings[40].clear();
    hooks.loadLanguageStrings();
    EXPECT_EQ(gLangStrings[40], QStringLiteral("Processing data..."));
    EXPECT_FALSE(GetLangString(40).isEmpty());  // the Arabic half, now that Arabic is chosen
    EXPECT_NE(GetLangString(40), QStringLiteral("Processing data..."));
}

TEST_F(LanguageStep, WithoutAScreenTheWindowIsSkippedAndNothingStored) {
    tarnwick::StartupHooks hooks;
    frame::ConnectLanguageStep(hooks, settings, {});
    hooks.showLanguageWindow();
    EXPECT_FALSE(gArabic);
    EXPECT_TRUE(settings.values.empty());
}
