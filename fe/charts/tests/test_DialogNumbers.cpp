#include <gtest/gtest.h>

#include <QApplication>

#include "TestLocales.h"
#include "format/DialogNumbers.h"
#include "ui/Dialog.h"

namespace dravik {
namespace {

class DialogNumbersTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog_ = std::make_unique<ui::Dialog>(
            nullptr, "Scale", QSize(200, 100),
            std::vector<ui::ControlTemplate>{{1144, ui::ControlKind::Edit, "", QRect(0, 0, 80, 20)},
                                             {1200, ui::ControlKind::DropDownList, "", QRect(0, 30, 80, 20)}},
            nullptr);
    }

    std::unique_ptr<ui::Dialog> dialog_;
};

TEST_F(DialogNumbersTest, NumbersUseAPointWhateverTheLocale) {
    // The Qt application set the C locale from the environment: still a decimal comma.
    EXPECT_TRUE(test::processLocaleHasDecimalComma());
    SetDlgItemNumber(*dialog_, 1144, 1234.5678, 2);
    EXPECT_EQ(dialog_->itemText(1144), "1234.57");
    EXPECT_DOUBLE_EQ(GetDlgItemNumber(*dialog_, 1144), 1234.57);
    dialog_->setItemText(1144, "12345678901234567890.5");  // only 20 characters are read
    EXPECT_DOUBLE_EQ(GetDlgItemNumber(*dialog_, 1144), 12345678901234567890.0);
    dialog_->setItemText(1144, "Auto");
    EXPECT_EQ(GetDlgItemNumber(*dialog_, 1144), 0.0);
    SetDlgItemNumber(*dialog_, 1144, 1.0 / 3.0, 60);
    EXPECT_EQ(dialog_->itemText(1144).size(), 39);
}

TEST_F(DialogNumbersTest, ComboFilledFromTheStringTable) {
    res::ResourceModule module("Dravik");
    module.setString(600, "Simple");
    module.setString(601, "Exponential");
    module.setString(603, "Weighted");
    dialog_->addString(1200, "stale");
    FillComboFromStrings(*dialog_, 1200, module, 600, 603);
    ASSERT_EQ(dialog_->count(1200), 4);
    EXPECT_EQ(dialog_->listText(1200, 0), "Simple");
    EXPECT_EQ(dialog_->listText(1200, 2), "");
    EXPECT_EQ(dialog_->listText(1200, 3), "Weighted");
}

}  // namespace
}  // namespace dravik
