#include "frame/frmLanguage.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "appdata/Globals.h"
#include "appdata/Startup.h"

namespace frame {

namespace {
constexpr int kArabicPosition = 1;
}

frmLanguage::frmLanguage(tarnwick::StartupSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    // The program's language is not chosen yet, so these texts are the same in both.
    setWindowTitle(QStringLiteral("Select Language"));
    m_cmbLanguage = new QComboBox(this);
    m_cmbLanguage->setObjectName(QStringLiteral("cmbLanguage"));
    m_cmbLanguage->addItems({QStringLiteral("English"), QStringLiteral("Arabic")});
    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_cmbLanguage);
    layout->addWidget(m_cmdOK);
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    Form_Load();
}

void frmLanguage::Form_Load() {
    m_cmbLanguage->setCurrentIndex(0);
}

void frmLanguage::cmdOK_Click() {
    const int position = m_cmbLanguage->currentIndex();
    if (position < 0) {
        return;
    }
    gArabic = position == kArabicPosition;
    m_settings.SaveSetting("Language", gArabic ? "True" : "False");
    accept();
}

}  // namespace frame
