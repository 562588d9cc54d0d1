// The dialog kit's up-down control, number-only edit field and owner-drawn list box.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QValidator>

#include "ui/Dialog.h"

using namespace ui;

namespace {

constexpr int kDecimals = 1022;
constexpr int kDecimalsArrows = 1195;
constexpr int kStudies = 601;

struct RowPainter final : DialogHandler {
    std::vector<std::pair<int, std::intptr_t>> drawnRows;
    std::vector<std::pair<int, int>> commands;
    bool onCommand(Dialog&, int id, int code) override {
        commands.emplace_back(id, code);
        return false;
    }
    void onDrawItem(Dialog&, const DrawItem& item) override {
        drawnRows.emplace_back(item.itemIndex, item.itemData);
        item.dc->fillRect(item.rect, gdi::getStockObject(gdi::BLACK_BRUSH));
    }
    int onMeasureItem(Dialog&, int) override { return 18; }
};

std::vector<ControlTemplate> pageControls() {
    return {{kDecimals, ControlKind::NumberEdit, "", {10, 10, 60, 20}},
            {kDecimalsArrows, ControlKind::UpDown, "", {70, 10, 16, 20}},
            {kStudies, ControlKind::OwnerDrawListBox, "", {10, 40, 160, 120}}};
}

}  // namespace

TEST(DialogKitControls, UpDownStepsAndClampsInItsBuddy) {
    RowPainter handler;
    Dialog dialog(nullptr, "Scale", {200, 200}, pageControls(), &handler);
    dialog.setUpDownRange(kDecimalsArrows, 0, 30);
    dialog.setUpDownPos(kDecimalsArrows, 2);
    EXPECT_EQ(dialog.itemText(kDecimals), "2") << "the buddy is the control made before the arrows";
    handler.commands.clear();

    EXPECT_TRUE(dialog.stepUpDown(kDecimalsArrows, 1));
    EXPECT_EQ(dialog.itemText(kDecimals), "3");
    EXPECT_EQ(handler.commands, (std::vector<std::pair<int, int>>{{kDecimals, EN_CHANGE}}));
    dialog.stepUpDown(kDecimalsArrows, 100);
    EXPECT_EQ(dialog.upDownPos(kDecimalsArrows), 30) << "stops at the top of the range";
    dialog.stepUpDown(kDecimalsArrows, -31);
    EXPECT_EQ(dialog.itemText(kDecimals), "0") << "and at the bottom";
    dialog.stepUpDown(kDecimalsArrows, -2147483647);
    EXPECT_EQ(dialog.upDownPos(kDecimalsArrows), 0) << "a huge step does not wrap";

    // The arrows start from what the user typed, and a typed number outside the range is clamped.
    dialog.setItemText(kDecimals, "17");
    dialog.stepUpDown(kDecimalsArrows, 1);
    EXPECT_EQ(dialog.itemText(kDecimals), "18");
    dialog.setItemText(kDecimals, "99");
    EXPECT_EQ(dialog.upDownPos(kDecimalsArrows), 30);

    // A range given high to low turns the arrows round.
    dialog.setUpDownRange(kDecimalsArrows, 10, 0);
    dialog.setUpDownPos(kDecimalsArrows, 5);
    dialog.stepUpDown(kDecimalsArrows, 1);
    EXPECT_EQ(dialog.upDownPos(kDecimalsArrows), 4);

    EXPECT_FALSE(dialog.stepUpDown(kDecimals, 1)) << "not an up-down control";
    EXPECT_EQ(dialog.upDownPos(kDecimals), 0);
}

TEST(DialogKitControls, NumberEditTakesDigitsOnly) {
    Dialog dialog(nullptr, "Scale", {200, 200}, pageControls(), nullptr);
    auto* edit = qobject_cast<QLineEdit*>(dialog.item(kDecimals));
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(edit->validator(), nullptr);
    int position = 0;
    QString typed = "042";
    EXPECT_EQ(edit->validator()->validate(typed, position), QValidator::Acceptable);
    for (QString refused : {QString("-1"), QString("1.5"), QString("1e3"), QString("x")})
        EXPECT_EQ(edit->validator()->validate(refused, position), QValidator::Invalid)
            << refused.toStdString();
}

TEST(DialogKitControls, OwnerDrawnListBoxRowsAreDrawnByTheHandler) {
    RowPainter handler;
    Dialog dialog(nullptr, "Studies", {200, 200}, pageControls(), &handler);
    EXPECT_EQ(dialog.addString(kStudies, "Moving Average", 0x0301), 0);
    EXPECT_EQ(dialog.addString(kStudies, "Momentum", 0x0500), 1);
    EXPECT_EQ(dialog.count(kStudies), 2);
    EXPECT_EQ(dialog.itemData(kStudies, 1), 0x0500);
    EXPECT_TRUE(dialog.setCurSel(kStudies, 1));
    EXPECT_EQ(dialog.curSel(kStudies), 1);

    auto* list = qobject_cast<QListWidget*>(dialog.item(kStudies));
    ASSERT_NE(list, nullptr);
    const QImage picture = list->grab().toImage();
    EXPECT_EQ(handler.drawnRows, (std::vector<std::pair<int, std::intptr_t>>{{0, 0x0301}, {1, 0x0500}}));
    EXPECT_EQ(list->visualItemRect(list->item(1)).height(), 18) << "rows take the measured height";
    const QRect row = list->visualItemRect(list->item(0));
    EXPECT_EQ(picture.pixelColor(row.center()), QColor(Qt::black)) << "what the handler drew is shown";
}
