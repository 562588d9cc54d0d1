#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include "ui/Dialog.h"

using namespace ui;

namespace {

constexpr int kMinimum = 1185;
constexpr int kMaximum = 1186;
constexpr int kFormat = 1091;
constexpr int kGrid = 1097;
constexpr int kColour = 1099;

struct Recorder final : DialogHandler {
    std::vector<std::pair<int, int>> commands;
    std::vector<std::pair<int, int>> focusMoves;
    std::vector<DrawItem> drawn;
    bool inited = false;
    bool onInitDialog(Dialog& dialog) override {
        inited = true;
        dialog.setItemText(kMinimum, "10");
        return true;
    }
    bool onCommand(Dialog& dialog, int id, int code) override {
        commands.emplace_back(id, code);
        if (id == 1 && code == BN_CLICKED) {
            dialog.endDialog(dialog.itemInt(kMinimum).value_or(-1) < 100 ? 1 : 2);
            return true;
        }
        return false;
    }
    void onKillFocus(Dialog&, int id, int newFocusId) override { focusMoves.emplace_back(id, newFocusId); }
    void onDrawItem(Dialog&, const DrawItem& item) override {
        drawn.push_back(item);
        item.dc->fillRect(item.rect, gdi::getStockObject(gdi::BLACK_BRUSH));
    }
};

std::vector<ControlTemplate> scaleControls() {
    return {{kMinimum, ControlKind::Edit, "", {10, 10, 80, 20}},
            {kMaximum, ControlKind::Edit, "", {10, 40, 80, 20}},
            {kFormat, ControlKind::DropDownList, "", {10, 70, 80, 20}},
            {kGrid, ControlKind::CheckBox, "Grid", {10, 100, 80, 20}},
            {kColour, ControlKind::OwnerDrawList, "", {10, 130, 80, 20}},
            {1, ControlKind::DefaultPushButton, "OK", {100, 10, 60, 24}},
            {2, ControlKind::PushButton, "Cancel", {100, 40, 60, 24}}};
}

}  // namespace

TEST(Dialog, KillFocusNamesTheControlReceivingFocus) {
    Recorder handler;
    Dialog dialog(nullptr, "Scale", {200, 200}, scaleControls(), &handler);
    dialog.initialise();
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();
    dialog.setFocusTo(kMinimum);
    QApplication::processEvents();
    handler.focusMoves.clear();
    dialog.setFocusTo(kMaximum);
    QApplication::processEvents();
    ASSERT_FALSE(handler.focusMoves.empty());
    EXPECT_EQ(handler.focusMoves.back(), std::make_pair(kMinimum, kMaximum));
    dialog.setFocusTo(1);
    QApplication::processEvents();
    EXPECT_EQ(handler.focusMoves.back(), std::make_pair(kMaximum, 1));
}

TEST(Dialog, ControlsByIdAndNotifications) {
    Recorder handler;
    Dialog dialog(nullptr, "Scale", {200, 200}, scaleControls(), &handler);
    dialog.initialise();
    EXPECT_TRUE(handler.inited);
    EXPECT_EQ(dialog.itemInt(kMinimum), 10);
    dialog.setItemText(kMaximum, "1x");
    EXPECT_EQ(dialog.itemInt(kMaximum), std::nullopt);
    EXPECT_EQ(handler.commands.back(), std::make_pair(kMaximum, EN_CHANGE));

    EXPECT_EQ(dialog.addString(kFormat, "General", 0), 0);
    EXPECT_EQ(dialog.addString(kFormat, "Currency", 3), 1);
    EXPECT_EQ(dialog.itemData(kFormat, 1), 3);
    EXPECT_EQ(dialog.findStringExact(kFormat, "currency"), 1);
    EXPECT_EQ(dialog.findStringExact(kFormat, "Date"), CB_ERR);
    EXPECT_TRUE(dialog.setCurSel(kFormat, 1));
    EXPECT_FALSE(dialog.setCurSel(kFormat, 2));
    EXPECT_EQ(dialog.curSel(kFormat), 1);
    EXPECT_EQ(dialog.itemData(kFormat, 7), CB_ERR);
    EXPECT_EQ(dialog.count(12345), CB_ERR) << "an unknown id is no list";

    dialog.clickButton(kGrid);
    EXPECT_TRUE(dialog.isButtonChecked(kGrid));
    EXPECT_EQ(handler.commands.back(), std::make_pair(kGrid, BN_CLICKED));
    dialog.enableItem(kGrid, false);
    dialog.clickButton(kGrid);
    EXPECT_TRUE(dialog.isButtonChecked(kGrid)) << "a disabled button cannot be pressed";

    dialog.setCustomEntry(kColour, "-Original -");
    dialog.setCustomEntry(kColour, "-Original -");
    EXPECT_EQ(dialog.count(kColour), 1);
    EXPECT_EQ(dialog.itemData(kColour, 0), CUSTOM_ENTRY_DATA);
}

TEST(Dialog, EndDialogResults) {
    Recorder handler;
    Dialog dialog(nullptr, "Scale", {200, 200}, scaleControls(), &handler);
    dialog.initialise();
    dialog.clickButton(1);
    EXPECT_EQ(dialog.result(), 1) << "the handler ended with 1";
    Dialog other(nullptr, "Scale", {200, 200}, scaleControls(), nullptr);
    other.clickButton(2);
    EXPECT_EQ(other.result(), 2) << "Cancel ends an unhandled dialog with 2";
}

TEST(Dialog, OwnerDrawnItemsArePaintedByTheHandler) {
    Recorder handler;
    Dialog dialog(nullptr, "Colours", {200, 200}, scaleControls(), &handler);
    dialog.addString(kColour, "", 0x0000FF);
    auto* box = qobject_cast<QComboBox*>(dialog.item(kColour));
    ASSERT_NE(box, nullptr);
    QImage image(100, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 100, 20);
    box->itemDelegate()->paint(&painter, option, box->model()->index(0, 0));
    painter.end();
    ASSERT_EQ(handler.drawn.size(), 1u);
    EXPECT_EQ(handler.drawn[0].controlId, kColour);
    EXPECT_EQ(handler.drawn[0].itemData, 0x0000FF);
    EXPECT_EQ(handler.drawn[0].rect, (gdi::Rect{0, 0, 100, 20}));
    EXPECT_EQ(image.pixel(50, 10), qRgb(0, 0, 0)) << "the handler's drawing reaches the list";
}

namespace {

constexpr int kMajorUnit = 1090;

// The right edge of what `label` draws (-1: nothing drawn).
int inkRight(QLabel& label) {
    const QImage image = label.grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, 0);
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background)
                right = std::max(right, x);
        }
    }
    return right;
}

QLabel* labelWithText(Dialog& dialog, const QString& text) {
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

}  // namespace

TEST(Dialog, ALabelsAccessKeyIsNoAmpersandAndFocusesTheNextControl) {
    const std::vector<ControlTemplate> controls{
        {-1, ControlKind::Static, "Major &unit:", {10, 10, 120, 22}},
        {kMajorUnit, ControlKind::Edit, "", {140, 10, 80, 22}},
        {-1, ControlKind::Static, "Fish && chips", {10, 40, 120, 22}},
        {-1, ControlKind::Static, "&Last label", {10, 70, 120, 22}},
    };
    Dialog dialog(nullptr, "Axis", {240, 100}, controls, nullptr);
    dialog.show();
    QLabel* unit = labelWithText(dialog, "Major &unit:");
    QLabel* last = labelWithText(dialog, "&Last label");
    ASSERT_NE(unit, nullptr);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(unit->buddy(), dialog.item(kMajorUnit));
    EXPECT_NE(last->buddy(), nullptr) << "a label with nothing after it still hides its '&'";

    // Drawn without the '&', the text ends where the same text without the mark ends.
    QLabel withMark("Major &unit:");
    QLabel withoutMark("Major unit:");
    for (QLabel* plain : {&withMark, &withoutMark}) {
        plain->setFont(unit->font());
        plain->resize(unit->size());
    }
    EXPECT_EQ(inkRight(*unit), inkRight(withoutMark));
    EXPECT_LT(inkRight(*unit), inkRight(withMark));
}
