// The proxy settings window: its fields from the proxy globals, the port key filter, and what OK
// stores or refuses with "Invalid value.".
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "appdata/InternetSettings.h"
#include "frame/Form.h"
#include "frame/LanguageTable.h"
#include "frame/update/ProxySettingsModel.h"
#include "frame/update/frmProxySettings.h"
#include "ui/ScriptedModalServices.h"

using frame::ProxySettingsModel;

namespace {

class ProxySettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadLanguageStrings();
        gArabic = false;
        tarnwick::gProxyUsed = true;
        tarnwick::gProxyServer = "old.proxy";
        tarnwick::gProxyPort = 3128;
        tarnwick::gProxyUserName = "olduser";
        tarnwick::gProxyPassword = "oldpass";
    }
    void TearDown() override {
        gArabic = false;
        tarnwick::gProxyUsed = false;
        tarnwick::gProxyServer.clear();
        tarnwick::gProxyPort = tarnwick::kDefaultProxyPort;
        tarnwick::gProxyUserName.clear();
        tarnwick::gProxyPassword.clear();
    }
    static void expectGlobalsUnchanged() {
        EXPECT_TRUE(tarnwick::gProxyUsed);
        EXPECT_EQ(tarnwick::gProxyServer, "old.proxy");
        EXPECT_EQ(tarnwick::gProxyPort, 3128);
        EXPECT_EQ(tarnwick::gProxyUserName, "olduser");
        EXPECT_EQ(tarnwick::gProxyPassword, "oldpass");
    }
    static QLineEdit* edit(frame::frmProxySettings& w, const char* name) {
        return static_cast<QLineEdit*>(w.form().controlWidget(QString::fromLatin1(name)));
    }
    static QCheckBox* check(frame::frmProxySettings& w) {
        return static_cast<QCheckBox*>(w.form().controlWidget(QStringLiteral("chkUseProxy")));
    }

    ui::ScriptedModalServices modal;
};

}  // namespace

TEST_F(ProxySettingsTest, PortOutsideOneTo65535OrNotANumberIsRefused) {
    const char* const refused[] = {"",      "   ",         "abc", "80a", "0",     "00000",
                                   "65536", "99999999999", "-1",  "+80", "80 80", "8.5"};
    for (const char* port : refused) {
        ProxySettingsModel model;
        model.Form_Load();
        model.port = QString::fromLatin1(port);
        const ProxySettingsModel::OkResult result = model.cmdOK_Click();
        EXPECT_FALSE(result.close) << port;
        EXPECT_EQ(result.focus, QStringLiteral("txtPort")) << port;
    }
    ASSERT_EQ(modal.questions().size(), std::size(refused));
    const auto& question = modal.questions().front();
    EXPECT_EQ(question.text, QStringLiteral("Invalid value."));
    EXPECT_EQ(question.caption, QStringLiteral("Tarnwick"));
    EXPECT_EQ(question.style, ui::MB_ICONCRITICAL);
    expectGlobalsUnchanged();
}

TEST_F(ProxySettingsTest, BlankServerIsRefusedAfterTheUsablePort) {
    ProxySettingsModel model;
    model.Form_Load();
    model.server = QStringLiteral("   ");
    model.port = QStringLiteral("65535");
    EXPECT_EQ(model.cmdOK_Click().focus, QStringLiteral("txtServer"));
    ASSERT_EQ(modal.questions().size(), 1u);
    EXPECT_EQ(modal.questions()[0].text, QStringLiteral("Invalid value."));
    expectGlobalsUnchanged();
}

TEST_F(ProxySettingsTest, RefusalInArabicReadsRightToLeft) {
    gArabic = true;
    ProxySettingsModel model;
    model.Form_Load();
    model.port = QStringLiteral("0");
    model.cmdOK_Click();
    ASSERT_EQ(modal.questions().size(), 1u);
    EXPECT_EQ(modal.questions()[0].style, 1572880);
    EXPECT_EQ(modal.questions()[0].text, GetLangString(207));
}

TEST_F(ProxySettingsTest, AcceptedValuesAreStoredWithTheServerAsTyped) {
    ProxySettingsModel model;
    model.Form_Load();
    model.server = QStringLiteral(" proxy.local ");
    model.port = QStringLiteral(" 1 ");
    model.userName = QStringLiteral("u");
    model.password = QString();
    EXPECT_TRUE(model.cmdOK_Click().close);
    EXPECT_TRUE(modal.questions().empty());
    EXPECT_TRUE(tarnwick::gProxyUsed);
    EXPECT_EQ(tarnwick::gProxyServer, " proxy.local ");
    EXPECT_EQ(tarnwick::gProxyPort, 1);
    EXPECT_EQ(tarnwick::gProxyUserName, "u");
    EXPECT_EQ(tarnwick::gProxyPassword, "");
}

TEST_F(ProxySettingsTest, UntickingKeepsTheOtherValuesForLater) {
    ProxySettingsModel model;
    model.Form_Load();
    model.useProxy = false;
    model.port = QStringLiteral("not checked when unticked");
    EXPECT_TRUE(model.cmdOK_Click().close);
    EXPECT_FALSE(tarnwick::gProxyUsed);
    ProxySettingsModel again;
    again.Form_Load();
    EXPECT_FALSE(again.useProxy);
    EXPECT_EQ(again.server, QStringLiteral("old.proxy"));
    EXPECT_EQ(again.port, QStringLiteral("3128"));
    EXPECT_EQ(again.userName, QStringLiteral("olduser"));
    EXPECT_EQ(again.password, QStringLiteral("oldpass"));
}

TEST_F(ProxySettingsTest, WindowFollowsTheBoxFiltersPortKeysAndStaysOpenOnRefusal) {
    tarnwick::gProxyUsed = false;
    frame::frmProxySettings window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Internet Connection Settings"));
    EXPECT_FALSE(check(window)->isChecked());
    EXPECT_EQ(edit(window, "txtServer")->text(), QStringLiteral("old.proxy"));
    EXPECT_EQ(edit(window, "txtPort")->text(), QStringLiteral("3128"));
    EXPECT_EQ(edit(window, "txtPassword")->echoMode(), QLineEdit::Password);
    for (const char* name : {"lblServer", "txtServer", "lblPort", "txtPort", "lblUserName", "txtUserName",
                             "lblPassword", "txtPassword"}) {
        EXPECT_FALSE(window.form().controlWidget(QString::fromLatin1(name))->isEnabled()) << name;
    }
    check(window)->setChecked(true);
    EXPECT_TRUE(edit(window, "txtPort")->isEnabled());
    EXPECT_TRUE(window.form().controlWidget(QStringLiteral("lblPassword"))->isEnabled());

    QLineEdit* port = edit(window, "txtPort");
    port->clear();
    for (const char* key : {"6", "x", "5", " ", "-", "0"}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(key));
        QApplication::sendEvent(port, &press);
    }
    EXPECT_EQ(port->text(), QStringLiteral("650"));
    EXPECT_TRUE(ProxySettingsModel::acceptsPortKey(QChar(8)));

    // Pasted text is not filtered; OK refuses it and the window stays open.
    port->setText(QStringLiteral("80x"));
    window.cmdOK_Click();
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(modal.questions().size(), 1u);
    EXPECT_FALSE(tarnwick::gProxyUsed);

    port->setText(QStringLiteral("8080"));
    window.cmdOK_Click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(tarnwick::gProxyUsed);
    EXPECT_EQ(tarnwick::gProxyPort, 8080);
}

TEST_F(ProxySettingsTest, CancelChangesNothing) {
    frame::frmProxySettings window;
    check(window)->setChecked(false);
    edit(window, "txtServer")->setText(QStringLiteral("changed"));
    window.cmdCancel_Click();
    EXPECT_EQ(window.result(), QDialog::Rejected);
    expectGlobalsUnchanged();
}
