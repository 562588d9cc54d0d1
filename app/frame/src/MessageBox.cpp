#include "frame/MessageBox.h"

#include <QCoreApplication>

#include "frame/LanguageTable.h"
#include "ui/ModalServices.h"

namespace frame {

QString programTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Tarnwick") : name;
}

int32_t messageBoxStyle(int32_t style) {
    return ui::messageBoxStyle(style, gArabic);
}

int32_t showMessage(const QString& text, int32_t style, const QString& title) {
    return ui::modalServices().messageBox(nullptr, text, title.isEmpty() ? programTitle() : title,
                                          messageBoxStyle(style));
}

}  // namespace frame
