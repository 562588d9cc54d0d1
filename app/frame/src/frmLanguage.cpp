#include "frame/frmLanguage.h"

#include <QComboBox>

#include "appdata/Globals.h"
#include "frame/ProgramSettings.h"

namespace frame {

FormModel frmLanguage::design() {
    FormModel f;
    f.name = QStringLiteral("frmLanguage");
    f.caption = QStringLiteral("Select Language");
    f.width = 4000;
    f.height = 1900;
    f.controls = {
        designControl("cmbLanguage", ControlKind::ComboBox, "", QString(), 360, 240, 3150, 315),
        designControl("cmdOK", ControlKind::CommandButton, "", QStringLiteral("OK"), 1380, 840, 1200, 375),
    };
    f.control(QStringLiteral("cmbLanguage")).items = {QStringLiteral("English"), QStringLiteral("Arabic")};
    return f;
}

// The window asks before the language is known, so it is shown as designed.
frmLanguage::frmLanguage(QWidget* parent) : Form(design(), Localization::AsDesigned, parent) {
    setWindowFlags(Qt::Dialog);
    onClick(QStringLiteral("cmdOK"), [this] { cmdOK_Click(); });
    Form_Load();
}

void frmLanguage::Form_Load() {
    static_cast<QComboBox*>(controlWidget(QStringLiteral("cmbLanguage")))->setCurrentIndex(kEnglish);
}

void frmLanguage::cmdOK_Click() {
    const int position =
        static_cast<QComboBox*>(controlWidget(QStringLiteral("cmbLanguage")))->currentIndex();
    if (position < 0)
        return;
    gArabic = position == kArabic;
    ProgramSettings::saveBool(QStringLiteral("Language"), gArabic);
    unload();
}

}  // namespace frame
