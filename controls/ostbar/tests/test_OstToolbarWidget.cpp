// Offscreen: the toolbar widget shows a bar and hands chosen commands to the receiver.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QMenu>
#include <QToolButton>

#include "RecordingReceiver.h"
#include "ostbar/OstToolbarWidget.h"

namespace ostbar {
namespace {

using testing::RecordingReceiver;
using Commands = std::vector<std::intptr_t>;

class OstToolbarWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        bar = OstCommandBar::create();
        receiver = com::makeComObject<RecordingReceiver>();
        bar->SetMessageReceiver(receiver.get());
        OstCommandTable& table = *bar->table();
        table.add(29448)->text = u"Zoom In";
        table.find(29448)->style = kStyleCheck;
        table.add(29442)->text = u"Print";
        table.add(4)->text = u"Technical Drawing";
        table.find(4)->subCommands = {77, -1, 69};
        table.add(77)->text = u"Trend Line";
        table.add(69)->text = u"Fibonacci Arcs";
        table.add(29505)->subCommands = {4};
        *table.container(kToolbarContainer) = {29448, -1, 29442, 29505};
        table.setState(kStateShown);
    }
    void TearDown() override { bar->SetMessageReceiver(nullptr); }

    com::ComPtr<OstCommandBar> bar;
    com::ComPtr<RecordingReceiver> receiver;
};

QAction* menuAction(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

TEST_F(OstToolbarWidgetTest, ClickingAButtonDeliversTheCommand) {
    OstToolbarWidget widget(bar);
    QAction* print = widget.actionFor(29442);
    ASSERT_NE(print, nullptr);
    auto* button = qobject_cast<QToolButton*>(widget.widgetForAction(print));
    ASSERT_NE(button, nullptr);
    button->click();
    ASSERT_EQ(receiver->messages.size(), 1u);
    const testing::ReceivedMessage& message = receiver->messages[0];
    EXPECT_EQ(message.message, 273);
    EXPECT_EQ(message.wParam, 29442);
    EXPECT_EQ(message.window, reinterpret_cast<std::intptr_t>(&widget));
}

TEST_F(OstToolbarWidgetTest, CheckStyleButtonTogglesItsCommand) {
    OstToolbarWidget widget(bar);
    auto* button = qobject_cast<QToolButton*>(widget.widgetForAction(widget.actionFor(29448)));
    button->click();
    EXPECT_TRUE(bar->table()->find(29448)->checked);
    QCoreApplication::processEvents();
    EXPECT_TRUE(widget.actionFor(29448)->isChecked());
    EXPECT_EQ(receiver->commands(), (Commands{29448}));
}

TEST_F(OstToolbarWidgetTest, ChoosingADropDownEntryDeliversIt) {
    OstToolbarWidget widget(bar);
    QAction* opener = widget.actionFor(29505);
    ASSERT_NE(opener, nullptr);
    ASSERT_NE(opener->menu(), nullptr);
    auto* button = qobject_cast<QToolButton*>(widget.widgetForAction(opener));
    // Without an image the button is only an opener: a click opens the drop-down.
    EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup);
    // 29505 opens command 4, which opens the drawing tools with a separator between.
    QAction* tools = menuAction(opener->menu(), "Technical Drawing");
    ASSERT_NE(tools, nullptr);
    ASSERT_NE(tools->menu(), nullptr);
    const QList<QAction*> entries = tools->menu()->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_TRUE(entries[1]->isSeparator());
    entries[2]->trigger();
    EXPECT_EQ(receiver->commands(), (Commands{69}));
}

// A caption that begins with U+FEFF or U+FFFE is text like any other, not a byte-order mark.
TEST_F(OstToolbarWidgetTest, ACaptionBeginningWithAByteOrderMarkIsShownUnitForUnit) {
    bar->table()->find(29442)->text = u"\uFEFFPrint";
    bar->table()->find(29448)->text = u"\uFFFEZoom";
    OstToolbarWidget widget(bar);
    ASSERT_NE(widget.actionFor(29442), nullptr);
    EXPECT_EQ(widget.actionFor(29442)->text(), QString(QChar(0xFEFF)) + QStringLiteral("Print"));
    EXPECT_EQ(widget.actionFor(29448)->text(), QString(QChar(0xFFFE)) + QStringLiteral("Zoom"));
}

TEST_F(OstToolbarWidgetTest, FollowsTheTable) {
    OstToolbarWidget widget(bar);
    EXPECT_FALSE(widget.isHidden());
    bar->table()->find(29442)->enabled = false;
    bar->table()->find(29442)->text = u"طباعة";
    bar->table()->find(29448)->visible = false;
    bar->table()->setState(0);
    QCoreApplication::processEvents();
    ASSERT_NE(widget.actionFor(29442), nullptr);
    EXPECT_FALSE(widget.actionFor(29442)->isEnabled());
    EXPECT_EQ(widget.actionFor(29442)->text(), QString::fromUtf8("طباعة"));
    EXPECT_EQ(widget.actionFor(29448), nullptr);
    EXPECT_TRUE(widget.isHidden());
    // A disabled command's button does not deliver.
    bar->choose(29442);
    EXPECT_TRUE(receiver->commands().empty());
}

TEST_F(OstToolbarWidgetTest, ComboChoosesFromItsList) {
    OstCommandTable& table = *bar->table();
    OstCommandData* combo = table.add(300);
    combo->style = kStyleCombo;
    combo->subCommands = {77, 69};
    combo->comboVisibleCount = 5;
    table.container(kToolbarContainer)->push_back(300);
    OstToolbarWidget widget(bar);
    QComboBox* box = widget.comboFor(300);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(box->maxVisibleItems(), 5);
    box->setCurrentIndex(1);
    emit box->activated(1);
    EXPECT_EQ(receiver->commands(), (Commands{69}));
    EXPECT_EQ(table.find(300)->comboSelection, 1);
}

}  // namespace
}  // namespace ostbar
