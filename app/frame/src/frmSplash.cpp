#include "frame/frmSplash.h"

#include <QLabel>

#include "appdata/Trap.h"
#include "frame/LanguageTable.h"
#include "frame/ProgramPicture.h"
#include "frame/Version.h"

namespace frame {

FormModel frmSplash::design() {
    FormModel f;
    f.name = QStringLiteral("frmSplash");
    f.width = 6300;
    f.height = 3400;
    f.controls = {
        designControl("Image1", ControlKind::PictureBox, "", QString(), 2670, 240, 960, 960),
        designControl("lblProductName", ControlKind::Label, "", QStringLiteral("Tarnwick"), 240, 1320, 5700,
                      420),
        designControl("lblVersion", ControlKind::Label, "", QStringLiteral("Version"), 1950, 1800, 2400, 300),
        designControl("lblDescription", ControlKind::Label, "", QString(), 240, 2280, 5700, 600),
    };
    for (const char* centred : {"lblProductName", "lblVersion", "lblDescription"})
        f.control(QString::fromLatin1(centred)).alignment = Alignment::Center;
    return f;
}

frmSplash::frmSplash(QWidget* parent) : Form(design(), Localization::AsDesigned, parent) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    static_cast<QLabel*>(controlWidget(QStringLiteral("Image1")))->setPixmap(programPicture(64));
    QFont title = controlWidget(QStringLiteral("lblProductName"))->font();
    title.setPointSizeF(title.pointSizeF() * 1.8);
    title.setBold(true);
    controlWidget(QStringLiteral("lblProductName"))->setFont(title);
    Form_Load();
}

void frmSplash::Form_Load() {
    tarnwick::Trap("Form_Load", [&] {
        ControlModel& version = model().control(QStringLiteral("lblVersion"));
        version.caption = GetLangString(2) + QLatin1Char(' ') + programVersionText();
        version.left = model().width / 2 - version.width / 2;
        model().control(QStringLiteral("lblDescription")).caption = GetLangString(3);
        applyModel();
    });
}

}  // namespace frame
