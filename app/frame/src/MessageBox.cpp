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
    return showMessageInEitherLanguage(text, messageBoxStyle(style), title);
}

int32_t showMessageInEitherLanguage(const QString& text, int32_t style, const QString& title) {
    return ui::modalServices().messageBox(nullptr, text, title.isEmpty() ? programTitle() : title, style);
}

}  // namespace frame
