// Offscreen, with real menus: a pop-up opened for the bar's window while the bar's row changes, as the
// chart's axis menu does when it checks its grid entry just before it opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPointer>

#include "RecordingReceiver.h"
#include "ostbar/OstToolbarWidget.h"
#include "ui/ModalServices.h"
#include "ui/testing/PopupMenuDriver.h"

namespace ostbar {
namespace {

using testing::RecordingReceiver;
using ui::testing::PopupMenuDriver;
using ChosenCommands = std::vector<std::intptr_t>;

constexpr SHORT kAxisMenu = 168;
constexpr SHORT kAxisTitle = 169;
constexpr SHORT kAxisGrid = 170;
constexpr SHORT kDrawingMenu = 4;
constexpr SHORT kPrint = 29442;

class OstToolbarPopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = ui::setModalServices(nullptr);  // the real Qt menus
        bar = OstCommandBar::create();
        receiver = com::makeComObject<RecordingReceiver>();
        bar->SetMessageReceiver(receiver.get());
        OstCommandTable& table = *bar->table();
        table.add(kPrint)->text = u"Print";
        table.add(kDrawingMenu)->text = u"Technical Drawing";
        table.find(kDrawingMenu)->subCommands = {77};
        table.add(77)->text = u"Trend Line";
        table.add(kAxisMenu)->subCommands = {kAxisTitle, kAxisGrid};
        table.add(kAxisTitle)->text = u"Title";
        table.add(kAxisGrid)->text = u"Grid";
        table.find(kAxisGrid)->style = kStyleCheck;
        *table.container(kToolbarContainer) = {kPrint, kDrawingMenu};
        table.setState(kStateShown);
        widget = std::make_unique<OstToolbarWidget>(bar);
        widget->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        widget.reset();
        bar->SetMessageReceiver(nullptr);
        ui::setModalServices(previous_);
    }

    void setChecked(SHORT id, bool checked) {
        com::ComPtr<IOstCommand> command;
        ASSERT_EQ(bar->Command(id, command.put()), com::S_OK);
        ASSERT_EQ(command->put_Checked(checked ? com::VARIANT_TRUE : com::VARIANT_FALSE), com::S_OK);
    }

    com::ComPtr<OstCommandBar> bar;
    com::ComPtr<RecordingReceiver> receiver;
    std::unique_ptr<OstToolbarWidget> widget;

private:
    ui::ModalServices* previous_ = nullptr;
};

// The grid entry is checked before the menu opens, so the row is rebuilt while it is open; a further
// change of the row while it is open rebuilds it again. The menu stays, and its choice arrives.
TEST_F(OstToolbarPopupTest, ARowRebuiltWhileThePopupIsOpenLeavesThePopupAlone) {
    setChecked(kAxisGrid, true);
    PopupMenuDriver driver(QStringLiteral("Grid"), [&] { bar->table()->find(kPrint)->text = u"Print..."; });
    SHORT chosen = 0;
    ASSERT_EQ(bar->TrackPopup(kAxisMenu, 100, 80, nullptr, &chosen), com::S_OK);
    EXPECT_TRUE(driver.opened());
    EXPECT_EQ(chosen, kAxisGrid);
    EXPECT_EQ(receiver->commands(), (ChosenCommands{kAxisGrid}));
    EXPECT_FALSE(bar->table()->find(kAxisGrid)->checked) << "the checked entry toggles off when chosen";
    QApplication::processEvents();
    ASSERT_NE(widget->actionFor(kPrint), nullptr);
    EXPECT_EQ(widget->actionFor(kPrint)->text(), QStringLiteral("Print..."));
}

// A rebuild replaces the drop-downs it made and nothing else among the bar's child menus.
TEST_F(OstToolbarPopupTest, ARebuildDeletesOnlyTheDropDownsItMade) {
    QPointer<QMenu> oldDropDown = widget->actionFor(kDrawingMenu)->menu();
    ASSERT_FALSE(oldDropDown.isNull());
    QPointer<QMenu> foreign = new QMenu(widget.get());
    widget->rebuild();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(oldDropDown.isNull());
    EXPECT_FALSE(foreign.isNull());
    QMenu* newDropDown = widget->actionFor(kDrawingMenu)->menu();
    ASSERT_NE(newDropDown, nullptr);
    EXPECT_EQ(widget->findChildren<QMenu*>(Qt::FindDirectChildrenOnly).size(), 2) << "new drop-down, foreign";
    delete foreign;
}

// In a right-to-left program the bar keeps its left-to-right order, but its pop-ups, drop-downs and
// their sub-menus read right to left: check marks on the right, sub-menu arrows pointing left.
TEST_F(OstToolbarPopupTest, PopupsAndDropDownsReadAsTheProgramDoes) {
    for (const Qt::LayoutDirection program : {Qt::RightToLeft, Qt::LeftToRight}) {
        SCOPED_TRACE(program);
        QGuiApplication::setLayoutDirection(program);
        widget->setLayoutDirection(Qt::LeftToRight);
        widget->rebuild();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QMenu* dropDown = widget->actionFor(kDrawingMenu)->menu();
        ASSERT_NE(dropDown, nullptr);
        EXPECT_EQ(dropDown->layoutDirection(), program);
        PopupMenuDriver driver(QStringLiteral("Title"));
        SHORT chosen = 0;
        ASSERT_EQ(bar->TrackPopup(kAxisMenu, 100, 80, nullptr, &chosen), com::S_OK);
        EXPECT_EQ(driver.direction(), program);
    }
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
}

}  // namespace
}  // namespace ostbar
