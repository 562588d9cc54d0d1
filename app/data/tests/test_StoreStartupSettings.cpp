#include <gtest/gtest.h>

#include <store/SettingsStore.h>

#include "TestHome.h"
#include "appdata/StoreStartupSettings.h"

using namespace tarnwick;

TEST(StoreStartupSettings, ReadsAndWritesSectionSettingsOfTarnwick) {
    TestHome home;
    store::SettingsStore::setFolder(QString::fromStdString(home.path().string()));
    StoreStartupSettings settings;
    EXPECT_EQ(settings.GetSetting("Language"), std::nullopt);
    settings.SaveSetting("Path", "/home/user/.local/share/Tarnwick");
    EXPECT_EQ(store::SettingsStore::getSetting("Tarnwick", "Settings", "Path"),
              QString("/home/user/.local/share/Tarnwick"));
    store::SettingsStore::saveSetting("Tarnwick", "Settings", "Language", "True");
    EXPECT_EQ(settings.GetSetting("Language"), "True");
    store::SettingsStore::setFolder({});
}
