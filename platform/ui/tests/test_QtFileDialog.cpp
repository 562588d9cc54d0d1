// The save dialog on Qt's own file dialog, answered from inside its event loop as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include "ui/ModalServices.h"

namespace {

using ui::FileDialogRequest;
using ui::FileDialogResult;

// The chart picture's save dialog as the chart window asks for it.
FileDialogRequest chartPictureRequest(const QString& folder) {
    FileDialogRequest request;
    request.initialFolder = folder;
    request.filter = "GIF File (*.GIF) | *.gif|Bitmap File (*.bmp) | *.bmp|Windows Metafile (*.emf) | *.emf";
    request.filterIndex = 2;
    request.defaultExtension = ".bmp";
    request.fileName = "ABC_8-12-2026";
    return request;
}

struct SeenDialog {
    QString typeShown;      // the entry of the type list in front when the dialog opened
    QString suffixAtFirst;  // the extension a name without one would get then
};

// Runs the save dialog; `act` is what the user does in it before pressing Save.
FileDialogResult saveWith(const FileDialogRequest& request, SeenDialog& seen,
                          const std::function<void(QFileDialog&)>& act) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        if (auto* types = dialog->findChild<QComboBox*>("fileTypeCombo"))
            seen.typeShown = types->currentText();
        seen.suffixAtFirst = dialog->defaultSuffix();
        if (act)
            act(*dialog);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    return ui::modalServices().saveFile(request);
}

TEST(QtFileDialog, SaveDialogOpensOnTheAskedTypeAndAddsItsExtensionAsThePatternWritesIt) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SeenDialog seen;
    const FileDialogResult chosen = saveWith(chartPictureRequest(folder.path()), seen, {});
    EXPECT_EQ(seen.typeShown.toStdString(), "Bitmap File (*.bmp)");
    EXPECT_EQ(seen.suffixAtFirst.toStdString(), "bmp");
    ASSERT_TRUE(chosen.accepted);
    EXPECT_EQ(chosen.filterIndex, 2);
    EXPECT_EQ(chosen.fileName.toStdString(), folder.filePath("ABC_8-12-2026.bmp").toStdString());
}

TEST(QtFileDialog, ChoosingAnotherTypeGivesThatTypesExtensionInLowerCase) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SeenDialog seen;
    const FileDialogResult chosen =
        saveWith(chartPictureRequest(folder.path()), seen, [](QFileDialog& dialog) {
            auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
            ASSERT_NE(types, nullptr);
            // As the list does when the user picks an entry.
            types->setCurrentIndex(0);
            emit types->activated(0);
            emit types->textActivated(types->itemText(0));
        });
    ASSERT_TRUE(chosen.accepted);
    EXPECT_EQ(chosen.filterIndex, 1);
    EXPECT_EQ(chosen.fileName.toStdString(), folder.filePath("ABC_8-12-2026.gif").toStdString());
}

TEST(QtFileDialog, TheLastTypeCanBePreselectedAndANameWithItsOwnExtensionKeepsIt) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    FileDialogRequest request = chartPictureRequest(folder.path());
    request.filterIndex = 3;
    request.fileName = "chart.Emf";
    SeenDialog seen;
    const FileDialogResult chosen = saveWith(request, seen, {});
    EXPECT_EQ(seen.typeShown.toStdString(), "Windows Metafile (*.emf)");
    EXPECT_EQ(seen.suffixAtFirst.toStdString(), "emf");
    ASSERT_TRUE(chosen.accepted);
    EXPECT_EQ(chosen.filterIndex, 3);
    EXPECT_EQ(chosen.fileName.toStdString(), folder.filePath("chart.Emf").toStdString());
}

}  // namespace
