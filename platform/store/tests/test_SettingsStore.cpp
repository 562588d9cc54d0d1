#include <gtest/gtest.h>

#include <cstdlib>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "store/SettingsStore.h"

using store::SettingsStore;

namespace {

const QString kApp = QString::fromLatin1(store::kApplication);
const QString kSectionName = QString::fromLatin1(store::kSection);

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        SettingsStore::setFolder(dir_.path());
    }
    void TearDown() override { SettingsStore::setFolder({}); }

    QString iniText() const {
        QFile file(dir_.path() + QLatin1String("/Tarnwick.ini"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(SettingsStoreTest, TextRoundTripAndDefaults) {
    EXPECT_EQ(SettingsStore::getSetting(kApp, kSectionName, "Language", "NONE"), "NONE");
    ASSERT_TRUE(SettingsStore::saveSetting(kApp, kSectionName, "Language", "True"));
    ASSERT_TRUE(
        SettingsStore::saveSetting(kApp, kSectionName, "ProxyServer", QString::fromUtf8("خادم, a=b")));
    EXPECT_EQ(SettingsStore::getSetting(kApp, kSectionName, "Language", "NONE"), "True");
    EXPECT_EQ(SettingsStore::getSetting(kApp, kSectionName, "ProxyServer"), QString::fromUtf8("خادم, a=b"));
    EXPECT_EQ(SettingsStore::getSetting(kApp, "Other", "Language", "x"), "x");
    EXPECT_TRUE(QFile::exists(dir_.path() + QLatin1String("/Tarnwick.ini")));
}

TEST_F(SettingsStoreTest, TypedValuesAreStoredAsText) {
    ASSERT_TRUE(SettingsStore::saveBool(kApp, kSectionName, "ShowNotes", false));
    ASSERT_TRUE(SettingsStore::saveSingle(kApp, kSectionName, "MainWidth", 12160.5f));
    ASSERT_TRUE(SettingsStore::saveInt32(kApp, kSectionName, "LastWL", -2));
    EXPECT_EQ(SettingsStore::getSetting(kApp, kSectionName, "ShowNotes"), "False");
    EXPECT_EQ(SettingsStore::getSetting(kApp, kSectionName, "MainWidth"), "12160.5");
    EXPECT_FALSE(SettingsStore::getBool(kApp, kSectionName, "ShowNotes", true));
    EXPECT_EQ(SettingsStore::getSingle(kApp, kSectionName, "MainWidth", 0.0f), 12160.5f);
    EXPECT_EQ(SettingsStore::getInt32(kApp, kSectionName, "LastWL", 0), -2);
    EXPECT_TRUE(iniText().contains(QLatin1String("ShowNotes=False"))) << iniText().toStdString();
}

TEST_F(SettingsStoreTest, UnconvertibleOrMissingValuesGiveTheDefault) {
    ASSERT_TRUE(SettingsStore::saveSetting(kApp, kSectionName, "Period", "four"));
    ASSERT_TRUE(SettingsStore::saveSetting(kApp, kSectionName, "ProxyUsed", "maybe"));
    ASSERT_TRUE(SettingsStore::saveSetting(kApp, kSectionName, "Interval", "40000"));
    EXPECT_EQ(SettingsStore::getInt32(kApp, kSectionName, "Period", 4), 4);
    EXPECT_EQ(SettingsStore::getSingle(kApp, kSectionName, "Period", -100.0f), -100.0f);
    EXPECT_TRUE(SettingsStore::getBool(kApp, kSectionName, "ProxyUsed", true));
    EXPECT_EQ(SettingsStore::getInt16(kApp, kSectionName, "Interval", 0), 0);
    EXPECT_EQ(SettingsStore::getInt32(kApp, kSectionName, "Interval", 0), 40000);
    EXPECT_EQ(SettingsStore::getInt32(kApp, kSectionName, "Missing", 199), 199);
}

TEST_F(SettingsStoreTest, DeleteKeyAndSection) {
    EXPECT_TRUE(SettingsStore::deleteSetting(kApp, kSectionName, "Nothing"));
    ASSERT_TRUE(SettingsStore::saveSetting(kApp, kSectionName, "A", "1"));
    ASSERT_TRUE(SettingsStore::saveSetting(kApp, kSectionName, "B", "2"));
    ASSERT_TRUE(SettingsStore::saveSetting(kApp, "Other", "C", "3"));
    EXPECT_TRUE(SettingsStore::deleteSetting(kApp, kSectionName, "A"));
    EXPECT_FALSE(SettingsStore::value(kApp, kSectionName, "A"));
    EXPECT_EQ(SettingsStore::value(kApp, kSectionName, "B"), "2");
    EXPECT_TRUE(SettingsStore::deleteSetting(kApp, kSectionName));
    EXPECT_FALSE(SettingsStore::value(kApp, kSectionName, "B"));
    EXPECT_EQ(SettingsStore::value(kApp, "Other", "C"), "3");
}

TEST_F(SettingsStoreTest, EmptyOrUnsafeNamesAreRefused) {
    EXPECT_FALSE(SettingsStore::saveSetting("", kSectionName, "A", "1"));
    EXPECT_FALSE(SettingsStore::saveSetting(kApp, "", "A", "1"));
    EXPECT_FALSE(SettingsStore::saveSetting(kApp, kSectionName, "", "1"));
    EXPECT_FALSE(SettingsStore::saveSetting("../escape", kSectionName, "A", "1"));
    EXPECT_FALSE(SettingsStore::saveSetting("..", kSectionName, "A", "1"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 0);
}

TEST_F(SettingsStoreTest, SeesWhatAnotherWriterPutInTheFile) {
    ASSERT_TRUE(SettingsStore::saveSetting(kApp, kSectionName, "Language", "False"));
    EXPECT_EQ(SettingsStore::getSetting(kApp, kSectionName, "Language"), "False");
    // Another process rewrites the file behind this one's back.
    QFile file(dir_.path() + QLatin1String("/Tarnwick.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Settings]\nLanguage=True\nDefaultMarket=3\n");
    file.close();
    EXPECT_EQ(SettingsStore::getSetting(kApp, kSectionName, "Language"), "True");
    EXPECT_EQ(SettingsStore::getInt32(kApp, kSectionName, "DefaultMarket", 1), 3);
}

TEST(SettingsStoreFolder, RedirectionOrder) {
    QTemporaryDir env;
    QTemporaryDir chosen;
    ASSERT_TRUE(env.isValid() && chosen.isValid());
    SettingsStore::setFolder({});
    ::setenv("TARNWICK_CONFIG_DIR", env.path().toUtf8().constData(), 1);
    EXPECT_EQ(SettingsStore::folder(), env.path());
    ASSERT_TRUE(SettingsStore::saveSetting(kApp, kSectionName, "Path", "/opt/x"));
    EXPECT_TRUE(QFile::exists(env.path() + QLatin1String("/Tarnwick.ini")));

    SettingsStore::setFolder(chosen.path());
    EXPECT_EQ(SettingsStore::folder(), chosen.path());
    EXPECT_FALSE(SettingsStore::value(kApp, kSectionName, "Path"));

    SettingsStore::setFolder({});
    ::unsetenv("TARNWICK_CONFIG_DIR");
    ::setenv("XDG_CONFIG_HOME", "/tmp/xdg-test-home", 1);
    EXPECT_EQ(SettingsStore::folder(), "/tmp/xdg-test-home/Tarnwick");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsStore::folder(), QDir::homePath() + QLatin1String("/.config/Tarnwick"));
}
