#pragma once

// The language window: the user chooses English or Arabic on the first start. The choice takes
// effect at once (gArabic) and is stored under "Language" as "True" (Arabic) or "False" (English).

#include <QDialog>

namespace tarnwick {
class StartupSettings;
}

class QComboBox;
class QPushButton;

namespace frame {

class frmLanguage : public QDialog {
public:
    explicit frmLanguage(tarnwick::StartupSettings& settings, QWidget* parent = nullptr);

    QComboBox* cmbLanguage() const { return m_cmbLanguage; }
    QPushButton* cmdOK() const { return m_cmdOK; }

    // Selects "English".
    void Form_Load();
    // With an entry selected: sets gArabic, stores it and closes the window. Without one the
    // window stays and nothing changes.
    void cmdOK_Click();

private:
    tarnwick::StartupSettings& m_settings;
    QComboBox* m_cmbLanguage = nullptr;
    QPushButton* m_cmdOK = nullptr;
};

}  // namespace frame
