#include <gtest/gtest.h>

#include "ui/ScriptedModalServices.h"

using namespace ui;

TEST(ModalServices, ScriptedMessageBoxAnswers) {
    ScriptedModalServices script;
    EXPECT_EQ(&modalServices(), &script);
    script.answerMessageBox(IDYES);
    const int style = messageBoxStyle(MB_YESNO | MB_ICONQUESTION, true);
    EXPECT_EQ(style, 4 + 32 + 1572864);
    EXPECT_EQ(modalServices().messageBox(nullptr, "Delete the watch list?", "", style), IDYES);
    ASSERT_EQ(script.questions().size(), 1u);
    EXPECT_EQ(script.questions()[0].kind, ScriptedModalServices::Kind::MessageBox);
    EXPECT_EQ(script.questions()[0].style, style);
    EXPECT_EQ(script.questions()[0].text, "Delete the watch list?");
    // Without an answer left the box is dismissed.
    EXPECT_EQ(modalServices().messageBox(nullptr, "?", "", MB_YESNO), IDNO);
    EXPECT_EQ(modalServices().messageBox(nullptr, "?", "", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(modalServices().messageBox(nullptr, "!", "", MB_ICONINFORMATION), IDOK);
    EXPECT_EQ(script.unanswered(), 3);
}

TEST(ModalServices, InstallingAndRemovingScripts) {
    ModalServices* outer = &modalServices();
    {
        ScriptedModalServices script;
        EXPECT_NE(&modalServices(), outer);
    }
    EXPECT_EQ(&modalServices(), outer);
}

TEST(ModalServices, FilesInputsAndMenus) {
    ScriptedModalServices script;
    script.answerFile({true, "/tmp/ABC_8-12-2026.emf", 3});
    FileDialogRequest request;
    request.filter = "GIF File (*.GIF) | *.gif|Bitmap File (*.bmp) | *.bmp|Windows Metafile (*.emf) | *.emf";
    request.filterIndex = 2;
    request.fileName = "ABC_8-12-2026";
    const FileDialogResult chosen = modalServices().saveFile(request);
    EXPECT_TRUE(chosen.accepted);
    EXPECT_EQ(chosen.filterIndex, 3);
    const FileDialogResult cancelled = modalServices().saveFile(request);
    EXPECT_FALSE(cancelled.accepted);
    EXPECT_EQ(cancelled.fileName, "ABC_8-12-2026") << "cancelling leaves the preset name";

    const auto filters = parseFileFilter(request.filter);
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(filters[1], std::make_pair(QString("Bitmap File (*.bmp)"), QString("*.bmp")));

    script.answerInput(QString("Weekly"));
    EXPECT_EQ(modalServices().inputBox(nullptr, "Please enter Template Name", "Tarnwick", ""), "Weekly");
    EXPECT_EQ(modalServices().inputBox(nullptr, "Please enter Template Name", "Tarnwick", ""), std::nullopt);

    PopupMenu menu;
    MenuItem title, grid, colour, separator;
    title.id = 169;
    title.text = "Title";
    grid.id = 170;
    grid.text = "Grid";
    grid.checked = true;
    colour.id = 171;
    colour.disabled = true;
    colour.ownerDrawn = true;
    separator.separator = true;
    menu.items = {title, grid, colour, separator};
    script.answerMenu(170);
    script.answerMenu(171);
    EXPECT_EQ(modalServices().trackPopupMenu(nullptr, menu, {40, 50}), 170);
    EXPECT_EQ(modalServices().trackPopupMenu(nullptr, menu, {40, 50}), 0)
        << "a disabled item cannot be chosen";
    EXPECT_EQ(script.questions().back().point, QPoint(40, 50));
}
