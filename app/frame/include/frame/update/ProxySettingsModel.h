// The proxy settings window's logic, apart from its widgets: the fields as the user edits them and
// what OK does with them. It works on the proxy globals of appdata/InternetSettings.h; the values act
// on the next download and reach the settings store when the program closes.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace frame {

class ProxySettingsModel {
public:
    // The controls of the window.
    bool useProxy = false;  // chkUseProxy
    QString server;         // txtServer
    QString port;           // txtPort
    QString userName;       // txtUserName
    QString password;       // txtPassword

    // What OK leaves behind: the window closes, or stays open with the focus on one text box.
    struct OkResult {
        bool close = false;
        QString focus;  // "txtPort" or "txtServer" when refused
    };

    // Fills the fields from the proxy globals.
    void Form_Load();
    // The four labels and the four text boxes are enabled only while the box is ticked.
    bool fieldsEnabled() const { return useProxy; }

    // Whether a typed character reaches the port box: digits and Backspace only. Pasted text is not
    // filtered here; OK refuses it.
    static bool acceptsPortKey(QChar key);

    // Stores the fields in the proxy globals, or, when the proxy is used with a port that is not a
    // whole number from 1 to 65535 or with a blank server, says "Invalid value." and keeps the window
    // open with the globals unchanged. Without the proxy only gProxyUsed changes.
    OkResult cmdOK_Click();

    // The port as a number when the text is one from 1 to 65535.
    static std::optional<std::int32_t> validPort(const QString& text);
};

}  // namespace frame
