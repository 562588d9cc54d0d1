// A fresh program for one test: its own program folder ($TARNWICK_HOME) holding a market database,
// its own settings store, the language table loaded, English, and modal questions answered by a
// script. Windows left open by a test are destroyed with it.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "ServerRegistration.h"
#include "appdata/Globals.h"
#include "appdata/MarketCollections.h"
#include "appdata/Schema.h"
#include "com/Activation.h"
#include "com/InprocServer.h"
#include "frame/Form.h"
#include "frame/FrameGlobals.h"
#include "frame/LanguageTable.h"
#include "store/SettingsStore.h"
#include "testsupport/TempFolder.h"
#include "ui/ScriptedModalServices.h"

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("TARNWICK_HOME"); old != nullptr)
            m_previousHome = old;
        ::setenv("TARNWICK_HOME", m_home.path().c_str(), 1);
        store::SettingsStore::setFolder(QString::fromStdString(m_config.path().string()));
        registerFinancialExtension();
        db::Connection database = db::Connection::createNew(m_home / "MQMKD.mqd");
        tarnwick::CreateMarketSchema(database);
        database.close();
        LoadLanguageStrings();
        gArabic = false;
        gClosing = false;
    }

    void TearDown() override {
        for (frame::Form* form : std::vector<frame::Form*>(frame::Form::openForms()))
            form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        tarnwick::gConnection.close();
        tarnwick::gMarkets.clear();
        tarnwick::gCategories.clear();
        tarnwick::gWatchLists.clear();
        tarnwick::gTemplates.clear();
        tarnwick::gSettings.clear();
        store::SettingsStore::setFolder(QString());
        ::unsetenv("TARNWICK_CLASS_REGISTRY");
        if (m_previousHome)
            ::setenv("TARNWICK_HOME", m_previousHome->c_str(), 1);
        else
            ::unsetenv("TARNWICK_HOME");
        gArabic = false;
        gClosing = false;
    }

    static std::optional<QString> setting(const char* key) {
        return store::SettingsStore::value(QStringLiteral("Tarnwick"), QStringLiteral("Settings"),
                                           QString::fromLatin1(key));
    }
    static void saveSetting(const char* key, const char* value) {
        store::SettingsStore::saveSetting(QStringLiteral("Tarnwick"), QStringLiteral("Settings"),
                                          QString::fromLatin1(key), QString::fromLatin1(value));
    }
    std::string errorLog() const {
        std::ifstream in(m_home / "Tarnwick.log", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void processEvents() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    testsupport::TempFolder m_home{"tarnwick-frame-home"};
    testsupport::TempFolder m_config{"tarnwick-frame-config"};
    ui::ScriptedModalServices m_script;

private:
    // A class registry of the test's own holding the freshly built financial-chart extension, which
    // the chart window loads by its ProgID.
    void registerFinancialExtension() {
        ::setenv("TARNWICK_CLASS_REGISTRY", (m_config.path() / "classes.reg").c_str(), 1);
        registerInprocServer(DRAVIK_SERVER_PATH);
    }

    std::optional<std::string> m_previousHome;
};
