// The proxy settings window ("Internet Connection Settings"): a thin shell over ProxySettingsModel.
#pragma once

#include <QDialog>

#include "frame/FormModel.h"
#include "frame/update/ProxySettingsModel.h"

namespace frame {

class Form;

class frmProxySettings : public QDialog {
public:
    explicit frmProxySettings(QWidget* parent = nullptr);

    static FormModel design();

    ProxySettingsModel& model() { return model_; }
    Form& form() { return *form_; }

    // The buttons.
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void chkUseProxy_Click();
    void readFields();

    ProxySettingsModel model_;
    Form* form_ = nullptr;
};

// The entry point of the data menu's connection settings command: shows the proxy settings window
// modally over `frame` and returns when it is closed.
void ShowProxySettings(QWidget* frame);

}  // namespace frame
