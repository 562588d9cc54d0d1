// The splash, about, disclaimer and language windows.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "CutTexts.h"
#include "ProgramFixture.h"
#include "frame/Version.h"
#include "frame/frmAbout.h"
#include "frame/frmBulkData.h"
#include "frame/frmDisclaimer.h"
#include "frame/frmLanguage.h"
#include "frame/frmSplash.h"
#include "frame/notes/frmNote.h"
#include "frame/update/frmProxySettings.h"
#include "frame/watchlist/frmAddWL.h"

using frame::Form;

namespace {

class SmallWindowsTest : public ProgramTest {};

QString labelText(const Form& form, const char* name) {
    return static_cast<QLabel*>(form.controlWidget(QString::fromLatin1(name)))->text();
}

void click(const Form& form, const char* name) {
    static_cast<QPushButton*>(form.controlWidget(QString::fromLatin1(name)))->click();
}

}  // namespace

TEST_F(SmallWindowsTest, VersionTextJoinsItsThreeNumbers) {
    EXPECT_EQ(frame::versionText(1, 0, 2), QStringLiteral("1.0.2"));
    EXPECT_EQ(frame::versionText(12, 34, 0), QStringLiteral("12.34.0"));
    EXPECT_EQ(frame::programVersionText(), QStringLiteral("1.0.0"));
}

TEST_F(SmallWindowsTest, SplashShowsTheVersionCentredAndTheLegalLine) {
    for (bool arabic : {false, true}) {
        gArabic = arabic;
        frame::frmSplash splash;
        EXPECT_EQ(labelText(splash, "lblVersion"), GetLangString(2) + QStringLiteral(" 1.0.0"));
        EXPECT_EQ(labelText(splash, "lblDescription"), GetLangString(3));
        // Left = window width / 2 - label width / 2, in twips: 6300 / 2 - 2400 / 2.
        EXPECT_EQ(splash.model().control(QStringLiteral("lblVersion")).left, 1950);
        EXPECT_EQ(splash.controlWidget(QStringLiteral("lblVersion"))->x(), 130);
    }
    gArabic = false;
    frame::frmSplash splash;
    EXPECT_EQ(labelText(splash, "lblVersion"), QStringLiteral("Version 1.0.0"));
    EXPECT_EQ(labelText(splash, "lblDescription"),
              QStringLiteral("Copyright (c) 2004 Velbrook. All rights reserved."));
}

TEST_F(SmallWindowsTest, AboutBoxShowsTheVersionWithoutTheWordAndClosesOnOk) {
    gArabic = true;
    auto* about = new frame::frmAbout;
    EXPECT_EQ(about->windowTitle(), GetLangString(0));
    EXPECT_EQ(labelText(*about, "lblVersion"), QStringLiteral("1.0.0"));
    EXPECT_EQ(labelText(*about, "Label2"), GetLangString(2));
    EXPECT_EQ(labelText(*about, "lblDisclaimer"), GetLangString(4));
    EXPECT_EQ(static_cast<QPushButton*>(about->controlWidget(QStringLiteral("cmdOK")))->text(),
              GetLangString(5));
    // Mirrored in Arabic: the OK button moves from the right edge to the left one.
    EXPECT_EQ(about->model().control(QStringLiteral("cmdOK")).left, 6300 - 4800 - 1200 - 70);
    about->show();
    click(*about, "cmdOK");
    EXPECT_FALSE(about->isLoaded());
    EXPECT_EQ(Form::findOpen(QStringLiteral("frmAbout")), nullptr);
}

TEST_F(SmallWindowsTest, DisclaimerKeepsTheDoNotShowChoice) {
    {
        auto* disclaimer = new frame::frmDisclaimer;
        EXPECT_EQ(disclaimer->windowTitle(), QStringLiteral("Disclaimer"));
        EXPECT_EQ(static_cast<QPlainTextEdit*>(disclaimer->controlWidget(QStringLiteral("txtDisclaimer")))
                      ->toPlainText(),
                  GetLangString(107).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        EXPECT_EQ(disclaimer->model().control(QStringLiteral("txtDisclaimer")).caption, GetLangString(107));
        auto* box = static_cast<QCheckBox*>(disclaimer->controlWidget(QStringLiteral("chkDoNotShow")));
        EXPECT_FALSE(box->isChecked());
        click(*disclaimer, "cmdOK");
        EXPECT_EQ(setting("ShowDisclaimer"), QStringLiteral("0"));
    }
    auto* disclaimer = new frame::frmDisclaimer;
    static_cast<QCheckBox*>(disclaimer->controlWidget(QStringLiteral("chkDoNotShow")))->setChecked(true);
    click(*disclaimer, "cmdOK");
    EXPECT_EQ(setting("ShowDisclaimer"), QStringLiteral("1"));
    EXPECT_FALSE(disclaimer->isLoaded());
    auto* again = new frame::frmDisclaimer;
    EXPECT_TRUE(static_cast<QCheckBox*>(again->controlWidget(QStringLiteral("chkDoNotShow")))->isChecked());
}

TEST_F(SmallWindowsTest, LanguageWindowStoresTheChoiceAndSetsTheLanguageAtOnce) {
    struct Case {
        int position;
        const char* stored;
        bool arabic;
    };
    for (const Case& c : {Case{1, "True", true}, Case{0, "False", false}}) {
        gArabic = !c.arabic;
        auto* window = new frame::frmLanguage;
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Select Language"));
        auto* combo = static_cast<QComboBox*>(window->controlWidget(QStringLiteral("cmbLanguage")));
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_EQ(combo->currentText(), QStringLiteral("English"));
        combo->setCurrentIndex(c.position);
        click(*window, "cmdOK");
        EXPECT_EQ(setting("Language"), QString::fromLatin1(c.stored));
        EXPECT_EQ(gArabic, c.arabic);
        EXPECT_FALSE(window->isLoaded());
    }
}

TEST_F(SmallWindowsTest, LanguageWindowWithNothingChosenStays) {
    auto* window = new frame::frmLanguage;
    static_cast<QComboBox*>(window->controlWidget(QStringLiteral("cmbLanguage")))->setCurrentIndex(-1);
    gArabic = true;
    click(*window, "cmdOK");
    EXPECT_TRUE(window->isLoaded());
    EXPECT_TRUE(gArabic);
    EXPECT_FALSE(setting("Language").has_value());
}

// The small windows at their designed size show every text whole, in both languages.
TEST_F(SmallWindowsTest, SmallWindowsShowEveryTextWholeInBothLanguages) {
    for (const bool arabic : {false, true}) {
        gArabic = arabic;
        const auto check = [arabic](Form& window) {
            window.show();
            EXPECT_EQ(frame::test::cutTexts(window), QStringList())
                << window.objectName().toStdString() << (arabic ? " in Arabic" : " in English");
            window.unload();
        };
        check(*new frame::frmAbout);
        check(*new frame::frmDisclaimer);
        check(*new frame::frmAddWL);
        check(*new frame::frmNote);
        check(*new frame::frmLanguage);
        check(*new frame::frmBulkData);
        frame::frmProxySettings proxy;
        proxy.show();
        EXPECT_EQ(frame::test::cutTexts(proxy), QStringList()) << (arabic ? "in Arabic" : "in English");
    }
}

