// The Qt pop-up menu, opened for real on the offscreen screen: it answers the chosen id and survives
// whatever its owner does to its own children while the menu runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include "ui/ModalServices.h"
#include "ui/testing/PopupMenuDriver.h"

namespace ui {
namespace {

using testing::PopupMenuDriver;

MenuItem entry(int id, const char* text) {
    MenuItem item;
    item.id = id;
    item.text = QString::fromUtf8(text);
    return item;
}

PopupMenu gridMenu() {
    PopupMenu menu;
    MenuItem separator;
    separator.separator = true;
    MenuItem grid = entry(170, "Grid");
    grid.checked = true;
    MenuItem colour = entry(171, "Colour");
    colour.disabled = true;
    menu.items = {entry(169, "Title"), separator, grid, colour};
    return menu;
}

class QtPopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = setModalServices(nullptr);  // the real Qt menus
        owner.resize(300, 200);
        owner.show();
        QApplication::processEvents();
    }
    void TearDown() override { setModalServices(previous_); }

    QWidget owner;

private:
    ModalServices* previous_ = nullptr;
};

TEST_F(QtPopupMenuTest, AnswersTheIdOfTheChosenEntry) {
    PopupMenuDriver driver(QStringLiteral("Grid"));
    EXPECT_EQ(modalServices().trackPopupMenu(&owner, gridMenu(), QPoint(120, 90)), 170);
    EXPECT_TRUE(driver.opened());
    EXPECT_EQ(driver.shownAt(), QPoint(120, 90));
}

TEST_F(QtPopupMenuTest, ADismissedMenuAnswersZero) {
    PopupMenuDriver driver(QStringLiteral("no such entry"));
    EXPECT_EQ(modalServices().trackPopupMenu(&owner, gridMenu(), QPoint(120, 90)), 0);
    EXPECT_TRUE(driver.opened());
}

// An owner that rebuilds itself while the menu is open deletes the menus among its children; the
// running menu must not be one of them.
TEST_F(QtPopupMenuTest, SurvivesItsOwnerDeletingItsChildMenusWhileOpen) {
    QPointer<QMenu> ownersOwn = new QMenu(&owner);
    int deleted = 0;
    PopupMenuDriver driver(QStringLiteral("Grid"), [&] {
        for (QMenu* child : owner.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
            ++deleted;
            child->deleteLater();
        }
    });
    EXPECT_EQ(modalServices().trackPopupMenu(&owner, gridMenu(), QPoint(120, 90)), 170);
    EXPECT_EQ(deleted, 1) << "only the owner's own menu was its child";
    EXPECT_TRUE(ownersOwn.isNull());
}

// A window that closes under its menu takes the menu down with it: the menu is dismissed, not
// destroyed while it runs.
TEST_F(QtPopupMenuTest, IsDismissedWhenItsOwnerGoesAwayWhileOpen) {
    auto* doomed = new QWidget;
    doomed->show();
    PopupMenuDriver driver(QStringLiteral("Title"), [&] { delete doomed; });
    EXPECT_EQ(modalServices().trackPopupMenu(doomed, gridMenu(), QPoint(40, 30)), 0);
    EXPECT_TRUE(driver.opened());
}

TEST_F(QtPopupMenuTest, FollowsTheOwnersReadingDirection) {
    owner.setLayoutDirection(Qt::RightToLeft);
    PopupMenuDriver driver(QStringLiteral("Title"));
    EXPECT_EQ(modalServices().trackPopupMenu(&owner, gridMenu(), QPoint(200, 90)), 169);
    EXPECT_EQ(driver.direction(), Qt::RightToLeft);
    EXPECT_EQ(driver.shownAt(), QPoint(200, 90));
}

}  // namespace
}  // namespace ui
