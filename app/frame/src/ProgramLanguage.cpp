#include "frame/ProgramLanguage.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QProxyStyle>
#include <QTranslator>
#include <QWidget>

#include "frame/LanguageTable.h"
#include "ui/ModalServices.h"

namespace frame {
namespace {

// Qt underlines an access key by giving its letter a format of its own, and a format boundary cuts
// Arabic shaping: "&ملف" would be drawn as a lone initial letter beside the rest of the word. In a
// right-to-left widget the key still works, only its underline is left out.
class AccessKeyStyle final : public QProxyStyle {
public:
    explicit AccessKeyStyle(const QString& base) : QProxyStyle(base) {
        setObjectName(QStringLiteral("TarnwickAccessKeyStyle"));
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_UnderlineShortcut && widget != nullptr && widget->isRightToLeft())
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QPointer<QTranslator>& qtArabicTexts() {
    static QPointer<QTranslator> translator;
    return translator;
}

void loadQtArabicTexts() {
    if (qtArabicTexts())
        return;
    auto* translator = new QTranslator(qApp);
    if (!translator->load(QString::fromLatin1(kQtArabicCatalogue),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        // Without the catalogue Qt's dialogs stay in English; the program itself is unaffected.
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    qtArabicTexts() = translator;
}

void unloadQtArabicTexts() {
    if (QTranslator* translator = qtArabicTexts()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

void useAccessKeyStyle() {
    if (QApplication::style()->objectName() == QLatin1String("TarnwickAccessKeyStyle"))
        return;
    QApplication::setStyle(new AccessKeyStyle(QApplication::style()->name()));
}

}  // namespace

void ApplyProgramLanguage() {
    if (qApp == nullptr)
        return;
    if (gArabic)
        loadQtArabicTexts();
    else
        unloadQtArabicTexts();
    QGuiApplication::setLayoutDirection(gArabic ? Qt::RightToLeft : Qt::LeftToRight);
    useAccessKeyStyle();
    // Qt's Arabic Cancel is a short imperative that reads as a cut word; the boxes take the program's.
    ui::setCommonButtonTexts(GetLangString(5), GetLangString(14));
}

bool QtArabicTextsLoaded() {
    return !qtArabicTexts().isNull();
}

}  // namespace frame
