#include "frame/frmDisclaimer.h"

#include <QCheckBox>

#include "frame/LanguageTable.h"
#include "frame/ProgramSettings.h"
#include "store/SettingsStore.h"

namespace frame {

FormModel frmDisclaimer::design() {
    FormModel f;
    f.name = QStringLiteral("frmDisclaimer");
    f.tag = QStringLiteral("106");
    f.caption = QStringLiteral("Disclaimer");
    f.width = 6300;
    f.height = 4300;
    f.controls = {
        designControl("txtDisclaimer", ControlKind::TextBox, "", QString(), 120, 120, 5940, 2760),
        designControl("chkDoNotShow", ControlKind::CheckBox, "108", QStringLiteral("Do not show this again"),
                      120, 3000, 4200, 300),
        designControl("cmdOK", ControlKind::CommandButton, "5", QStringLiteral("OK"), 4860, 3420, 1200, 375),
    };
    f.control(QStringLiteral("txtDisclaimer")).multiLine = true;
    return f;
}

frmDisclaimer::frmDisclaimer(QWidget* parent) : Form(design(), Localization::Localized, parent) {
    setWindowFlags(Qt::Dialog);
    onClick(QStringLiteral("cmdOK"), [this] { cmdOK_Click(); });
    Form_Load();
}

void frmDisclaimer::Form_Load() {
    model().control(QStringLiteral("txtDisclaimer")).caption = GetLangString(107);
    applyModel();
    const int16_t stored = store::SettingsStore::getInt16(QString::fromLatin1(store::kApplication),
                                                          QString::fromLatin1(store::kSection),
                                                          QStringLiteral("ShowDisclaimer"), 0);
    static_cast<QCheckBox*>(controlWidget(QStringLiteral("chkDoNotShow")))->setChecked(stored != 0);
}

void frmDisclaimer::cmdOK_Click() {
    const bool checked = static_cast<QCheckBox*>(controlWidget(QStringLiteral("chkDoNotShow")))->isChecked();
    ProgramSettings::saveText(QStringLiteral("ShowDisclaimer"),
                              checked ? QStringLiteral("1") : QStringLiteral("0"));
    unload();
}

}  // namespace frame
