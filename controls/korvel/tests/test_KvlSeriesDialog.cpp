// The chart's series property window opens large enough to show its title and every text whole, in
// English and with Qt's own texts in Arabic.
#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QTranslator>

#include "korvel/KvlSeriesDialog.h"

namespace {

// Texts that do not fit the control that shows them ('&' marks no letter of its own).
QStringList seriesDialogCutTexts(const QWidget& window) {
    QStringList cut;
    const auto width = [](const QWidget& w, QString text) {
        return w.fontMetrics().horizontalAdvance(text.remove(QLatin1Char('&')));
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&window) && width(*label, label->text()) > label->contentsRect().width())
            cut << label->text();
    }
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        // A few pixels of the button's frame on either side of its text.
        if (button->isVisibleTo(&window) && width(*button, button->text()) + 6 > button->width())
            cut << button->text();
    }
    return cut;
}

struct ShownSeriesDialog {
    QString title;
    int width = 0;
    int titleRoom = 0;
    QStringList cut;
    QStringList buttons;
};

// Opens the window, takes what it shows once it is up, and cancels it.
ShownSeriesDialog openSeriesDialog() {
    ShownSeriesDialog shown;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no window shown";
            return;
        }
        shown.title = dialog->windowTitle();
        shown.width = dialog->width();
        // The title bar: the title in bold, the window's icon, three buttons and the margins, each as
        // wide as the bar is high.
        QFont bold = dialog->font();
        bold.setBold(true);
        const int bar = dialog->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, dialog);
        shown.titleRoom = QFontMetrics(bold).horizontalAdvance(shown.title) + 5 * bar;
        shown.cut = seriesDialogCutTexts(*dialog);
        for (const QPushButton* button : dialog->findChildren<QPushButton*>())
            shown.buttons << button->text();
        dialog->reject();
    });
    korvel::KvlSeriesLook look;
    look.legend = "Close";
    EXPECT_FALSE(korvel::RunSeriesDialog(nullptr, look));
    return shown;
}

TEST(KvlSeriesDialog, OpensWideEnoughForItsTitleAndTexts) {
    const ShownSeriesDialog shown = openSeriesDialog();
    EXPECT_EQ(shown.title, QString("Series Properties"));
    EXPECT_GE(shown.width, shown.titleRoom) << "the title is cut";
    EXPECT_TRUE(shown.cut.isEmpty()) << shown.cut.join(", ").toStdString();
}

TEST(KvlSeriesDialog, ShowsQtsArabicButtonTextsWhole) {
    QTranslator arabic;
    ASSERT_TRUE(arabic.load(QStringLiteral("qtbase_ar"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCoreApplication::installTranslator(&arabic);
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    const ShownSeriesDialog shown = openSeriesDialog();
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    QCoreApplication::removeTranslator(&arabic);
    EXPECT_FALSE(shown.buttons.contains(QStringLiteral("Cancel"))) << "the buttons are in Arabic";
    EXPECT_GE(shown.width, shown.titleRoom);
    EXPECT_TRUE(shown.cut.isEmpty()) << shown.cut.join(", ").toStdString();
}

}  // namespace
