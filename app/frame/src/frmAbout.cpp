#include "frame/frmAbout.h"

#include <QLabel>

#include "frame/ProgramPicture.h"
#include "frame/Version.h"

namespace frame {

FormModel frmAbout::design() {
    FormModel f;
    f.name = QStringLiteral("frmAbout");
    f.tag = QStringLiteral("0");
    f.caption = QStringLiteral("About Tarnwick");
    f.width = 6300;
    f.height = 4600;
    f.controls = {
        designControl("Image1", ControlKind::PictureBox, "", QString(), 240, 240, 720, 720),
        designControl("lblTarnwick", ControlKind::Label, "1", QStringLiteral("Tarnwick"), 1200, 240, 4800,
                      360),
        designControl("Label2", ControlKind::Label, "2", QStringLiteral("Version"), 1200, 660, 1000, 300),
        designControl("lblVersion", ControlKind::Label, "", QString(), 2280, 660, 1800, 300),
        designControl("lblDescription", ControlKind::Label, "3", QString(), 1200, 1080, 4800, 480),
        designControl("lblDisclaimer", ControlKind::Label, "4", QString(), 240, 1740, 5760, 1500),
        designControl("cmdOK", ControlKind::CommandButton, "5", QStringLiteral("OK"), 4800, 3420, 1200, 375),
    };
    f.control(QStringLiteral("cmdOK")).isDefault = true;
    return f;
}

frmAbout::frmAbout(QWidget* parent) : Form(design(), Localization::Localized, parent) {
    setWindowFlags(Qt::Dialog);
    static_cast<QLabel*>(controlWidget(QStringLiteral("Image1")))->setPixmap(programPicture(48));
    onClick(QStringLiteral("cmdOK"), [this] { cmdOK_Click(); });
    controlWidget(QStringLiteral("cmdOK"))->setFocus();
    Form_Load();
}

// Localised on creation; the version is shown without the word, which Label2 carries.
void frmAbout::Form_Load() {
    model().control(QStringLiteral("lblVersion")).caption = programVersionText();
    applyModel();
}

void frmAbout::cmdOK_Click() {
    unload();
}

}  // namespace frame
