#include "frame/watchlist/frmAddWL.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "appdata/Trap.h"
#include "frame/FrameGlobals.h"
#include "frame/LanguageTable.h"
#include "frame/MessageBox.h"

namespace frame {
namespace {

constexpr std::int32_t kNameMissing = 134;

}  // namespace

FormModel frmAddWL::design() {
    FormModel f;
    f.name = QStringLiteral("frmAddWL");
    f.tag = QStringLiteral("127");
    f.caption = QStringLiteral("Add WatchList");
    f.width = 4560;
    f.height = 1740;
    f.controls = {
        designControl("Label1", ControlKind::Label, "128", QStringLiteral("Name:"), 120, 220, 720, 255),
        designControl("txtName", ControlKind::TextBox, "", QString(), 900, 180, 3480, 315),
        designControl("cmdOK", ControlKind::CommandButton, "5", QStringLiteral("OK"), 2040, 720, 1100, 375),
        designControl("cmdCancel", ControlKind::CommandButton, "14", QStringLiteral("Cancel"), 3280, 720,
                      1100, 375),
    };
    return f;
}

frmAddWL::frmAddWL(QWidget* parent) : Form(design(), Localization::Localized, parent) {
    setWindowFlags(Qt::Dialog);
    onClick(QStringLiteral("cmdOK"), [this] { cmdOK_Click(); });
    onClick(QStringLiteral("cmdCancel"), [this] { cmdCancel_Click(); });
    auto* name = static_cast<QLineEdit*>(controlWidget(QStringLiteral("txtName")));
    QObject::connect(name, &QLineEdit::returnPressed, this, [this] { cmdOK_Click(); });
}

void frmAddWL::PrepareME(tarnwick::clsWL& list) {
    tarnwick::Trap("PrepareME", [&] {
        m_list = &list;
        auto* name = static_cast<QLineEdit*>(controlWidget(QStringLiteral("txtName")));
        const QString text = QString::fromStdString(list.Name);
        name->setText(text);
        name->setSelection(0, static_cast<int>(text.size()));
        name->setFocus();
    });
}

void frmAddWL::cmdOK_Click() {
    tarnwick::Trap("cmdOK_Click", [&] {
        auto* name = static_cast<QLineEdit*>(controlWidget(QStringLiteral("txtName")));
        if (name->text().trimmed().isEmpty()) {
            showMessage(GetLangString(kNameMissing), ui::MB_ICONINFORMATION);
            name->setFocus();
            return;
        }
        if (m_list != nullptr)
            m_list->Name = name->text().toStdString();
        gDialogResult = true;
        unload();
    });
}

void frmAddWL::cmdCancel_Click() {
    gDialogResult = false;
    unload();
}

void frmAddWL::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cmdCancel_Click();
        return;
    }
    Form::keyPressEvent(event);
}

}  // namespace frame
