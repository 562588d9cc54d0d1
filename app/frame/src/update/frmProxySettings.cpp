#include "frame/update/frmProxySettings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>

#include <array>

#include "DesignedDialog.h"
#include "appdata/Trap.h"
#include "frame/Form.h"

namespace frame {
namespace {

// The labels and text boxes that follow the check box.
constexpr std::array<const char*, 8> kProxyFields = {"lblServer",   "txtServer",   "lblPort",
                                                     "txtPort",     "lblUserName", "txtUserName",
                                                     "lblPassword", "txtPassword"};

}  // namespace

FormModel frmProxySettings::design() {
    FormModel f;
    f.name = QStringLiteral("frmProxySettings");
    f.tag = QStringLiteral("196");
    f.caption = QStringLiteral("Internet Connection Settings");
    f.width = 6570;
    f.height = 4500;
    f.controls = {
        designControl("Label1", ControlKind::Label, "203",
                      "Your Internet connection will automatically be detected. Change these settings only "
                      "if you have trouble with the default connection settings.",
                      120, 120, 6300, 720),
        designControl("chkUseProxy", ControlKind::CheckBox, "198", "I use proxy server.", 120, 960, 4000,
                      300),
        designControl("lblServer", ControlKind::Label, "199", "Server:", 360, 1440, 1300, 300),
        designControl("txtServer", ControlKind::TextBox, "", "", 1740, 1410, 3000, 330),
        designControl("lblPort", ControlKind::Label, "200", "Port:", 360, 1890, 1300, 300),
        designControl("txtPort", ControlKind::TextBox, "", "", 1740, 1860, 900, 330),
        designControl("lblUserName", ControlKind::Label, "201", "User name:", 360, 2340, 1300, 300),
        designControl("txtUserName", ControlKind::TextBox, "", "", 1740, 2310, 3000, 330),
        designControl("lblPassword", ControlKind::Label, "202", "Password:", 360, 2790, 1300, 300),
        designControl("txtPassword", ControlKind::TextBox, "", "", 1740, 2760, 3000, 330),
        designControl("cmdOK", ControlKind::CommandButton, "5", "OK", 3480, 3480, 1400, 420),
        designControl("cmdCancel", ControlKind::CommandButton, "14", "Cancel", 5000, 3480, 1400, 420),
    };
    return f;
}

frmProxySettings::frmProxySettings(QWidget* parent) : QDialog(parent) {
    form_ = embedForm(*this, design());
    static_cast<QLineEdit*>(form_->controlWidget(QStringLiteral("txtPassword")))
        ->setEchoMode(QLineEdit::Password);
    form_->controlWidget(QStringLiteral("txtPort"))->installEventFilter(this);

    auto* check = static_cast<QCheckBox*>(form_->controlWidget(QStringLiteral("chkUseProxy")));
    connect(check, &QCheckBox::toggled, this, [this] { chkUseProxy_Click(); });
    connect(static_cast<QAbstractButton*>(form_->controlWidget(QStringLiteral("cmdOK"))),
            &QAbstractButton::clicked, this, [this] { cmdOK_Click(); });
    connect(static_cast<QAbstractButton*>(form_->controlWidget(QStringLiteral("cmdCancel"))),
            &QAbstractButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load();
}

void frmProxySettings::Form_Load() {
    tarnwick::Trap("Form_Load", [&] {
        model_.Form_Load();
        static_cast<QCheckBox*>(form_->controlWidget(QStringLiteral("chkUseProxy")))
            ->setChecked(model_.useProxy);
        static_cast<QLineEdit*>(form_->controlWidget(QStringLiteral("txtServer")))->setText(model_.server);
        static_cast<QLineEdit*>(form_->controlWidget(QStringLiteral("txtPort")))->setText(model_.port);
        static_cast<QLineEdit*>(form_->controlWidget(QStringLiteral("txtUserName")))
            ->setText(model_.userName);
        static_cast<QLineEdit*>(form_->controlWidget(QStringLiteral("txtPassword")))
            ->setText(model_.password);
        chkUseProxy_Click();
    });
}

void frmProxySettings::chkUseProxy_Click() {
    model_.useProxy =
        static_cast<QCheckBox*>(form_->controlWidget(QStringLiteral("chkUseProxy")))->isChecked();
    for (const char* name : kProxyFields) {
        form_->controlWidget(QString::fromLatin1(name))->setEnabled(model_.fieldsEnabled());
    }
}

void frmProxySettings::readFields() {
    const auto text = [this](const char* name) {
        return static_cast<QLineEdit*>(form_->controlWidget(QString::fromLatin1(name)))->text();
    };
    model_.useProxy =
        static_cast<QCheckBox*>(form_->controlWidget(QStringLiteral("chkUseProxy")))->isChecked();
    model_.server = text("txtServer");
    model_.port = text("txtPort");
    model_.userName = text("txtUserName");
    model_.password = text("txtPassword");
}

void frmProxySettings::cmdOK_Click() {
    readFields();
    const ProxySettingsModel::OkResult result = model_.cmdOK_Click();
    if (result.close) {
        accept();
    } else {
        form_->controlWidget(result.focus)->setFocus();
    }
}

void frmProxySettings::cmdCancel_Click() {
    reject();
}

// Typed characters other than digits never reach the port box; keys without a printable character
// (moving, deleting, shortcuts such as paste) pass.
bool frmProxySettings::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text[0].isPrint() && !ProxySettingsModel::acceptsPortKey(text[0])) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ShowProxySettings(QWidget* frame) {
    frmProxySettings window(frame);
    window.exec();
}

}  // namespace frame
