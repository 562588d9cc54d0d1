// Owner-drawn popup entries measured and drawn by their receiver, and the window part of the tool.
#include <gtest/gtest.h>

#include "RecordingReceiver.h"
#include "gdi/DeviceContext.h"
#include "ostbar/OstCommandBar.h"
#include "ostbar/OstTool.h"
#include "ui/ScriptedModalServices.h"

namespace ostbar {
namespace {

using testing::ReceivedMessage;
using testing::RecordingReceiver;

// Draws a 12 x 12 colour swatch with a 3-pixel white border for command 171, as an axis menu's colour
// entry is drawn; records every message.
class SwatchReceiver final : public com::ComObject<IOstMessageReceiver> {
public:
    static constexpr gdi::COLORREF kColor = 0x0000C0;

    HRESULT OnToolbarMessage(std::intptr_t, LONG message, std::intptr_t wParam, std::intptr_t lParam,
                             LONG* result) override {
        messages.push_back({0, message, wParam, 0});
        if (message == kWmMeasureItem) {
            auto* measure = reinterpret_cast<OstMeasureItem*>(lParam);
            measure->width = 12;
            measure->height = 12;
        } else if (message == kWmDrawItem) {
            auto* draw = reinterpret_cast<OstDrawItem*>(lParam);
            drawnSize = {draw->right - draw->left, draw->bottom - draw->top};
            const gdi::HBRUSH brush = gdi::createSolidBrush(kColor);
            draw->dc->fillRect(gdi::Rect{draw->left + 3, draw->top + 3, draw->right - 3, draw->bottom - 3},
                               brush);
            gdi::deleteObject(brush);
        }
        if (result)
            *result = 0;
        return com::S_OK;
    }

    std::vector<ReceivedMessage> messages;
    std::pair<LONG, LONG> drawnSize{0, 0};
};

class OstOwnerDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        bar = OstCommandBar::create();
        OstCommandTable& table = *bar->table();
        table.add(168)->subCommands = {169, 170, 171};
        table.add(169)->text = u"Edit Title";
        table.add(170)->text = u"Grid";
        table.add(171)->text = u"Color";
        table.find(171)->style = kStyleOwnerDraw;
    }

    com::ComPtr<OstCommandBar> bar;
    ui::ScriptedModalServices script;
};

TEST_F(OstOwnerDrawTest, OwnerDrawnEntryIsMeasuredAndDrawnByTheReceiver) {
    auto receiver = com::makeComObject<SwatchReceiver>();
    script.answerMenu(171);
    SHORT chosen = 0;
    ASSERT_EQ(bar->TrackPopup(168, 200, 300, receiver.get(), &chosen), com::S_OK);
    EXPECT_EQ(chosen, 171);
    EXPECT_EQ(receiver->messages,
              (std::vector<ReceivedMessage>{
                  {0, kWmMeasureItem, 171, 0}, {0, kWmDrawItem, 171, 0}, {0, kWmCommand, 171, 0}}))
        << "only the owner-drawn entry is measured and drawn, before the choice arrives";
    EXPECT_EQ(receiver->drawnSize, (std::pair<LONG, LONG>{12, 12})) << "drawn at the size it measured";

    ASSERT_EQ(script.questions().size(), 1u);
    const std::vector<QImage>& shown = script.questions().front().ownerDrawn;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown.front().size(), QSize(12, 12));
    EXPECT_EQ(gdi::fromQColor(shown.front().pixelColor(6, 6)), SwatchReceiver::kColor);
    EXPECT_EQ(gdi::fromQColor(shown.front().pixelColor(1, 1)), 0xFFFFFFu) << "the border is left white";
}

TEST_F(OstOwnerDrawTest, OwnerDrawnEntryGoesToTheCommandsReceiverElseTheBars) {
    auto barReceiver = com::makeComObject<RecordingReceiver>();
    auto commandReceiver = com::makeComObject<SwatchReceiver>();
    bar->SetMessageReceiver(barReceiver.get());
    script.answerMenu(0);
    bar->TrackPopup(168, 0, 0, nullptr, nullptr);
    ASSERT_EQ(barReceiver->messages.size(), 2u);
    EXPECT_EQ(barReceiver->messages[0].message, kWmMeasureItem);
    EXPECT_EQ(barReceiver->messages[1].message, kWmDrawItem);
    EXPECT_EQ(barReceiver->messages[1].wParam, 171)
        << "a receiver that leaves the size open gets the default size and still draws";
    EXPECT_EQ(script.questions().back().ownerDrawn.front().size(), QSize(16, 16));

    bar->table()->find(171)->receiver = com::ComPtr<IOstMessageReceiver>(commandReceiver.get());
    barReceiver->messages.clear();
    script.answerMenu(0);
    bar->TrackPopup(168, 0, 0, nullptr, nullptr);
    EXPECT_TRUE(barReceiver->messages.empty());
    EXPECT_EQ(commandReceiver->messages.size(), 2u);
    bar->SetMessageReceiver(nullptr);
}

// --- the tool's window part ----------------------------------------------------------------------------

class OstToolWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        tool = com::makeComObject<OstTool>();
        receiver = com::makeComObject<RecordingReceiver>();
        tool->SetToolReceiver(receiver.get());
    }
    void TearDown() override { tool->SetToolReceiver(nullptr); }

    LONG style() {
        LONG value = 0;
        tool->get_Style(&value);
        return value;
    }
    LONG dock() {
        LONG value = 0;
        tool->get_DockPosition(&value);
        return value;
    }

    com::ComPtr<OstTool> tool;
    com::ComPtr<RecordingReceiver> receiver;
};

TEST_F(OstToolWindowTest, ParentWidgetFollowsTheToolsVisibilityAndTellsTheReceiver) {
    QWidget owner;
    tool->SetOwnerWidget(&owner);
    QWidget* parent = nullptr;
    ASSERT_EQ(tool->GetParentWidget(&parent), com::S_OK);
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(parent->parentWidget(), &owner);
    QWidget* again = nullptr;
    tool->GetParentWidget(&again);
    EXPECT_EQ(again, parent) << "made once";
    EXPECT_TRUE(parent->isHidden());

    tool->put_Visible(-1);
    EXPECT_FALSE(parent->isHidden());
    tool->put_Visible(-1);  // no change, no notice
    tool->put_Visible(0);
    EXPECT_TRUE(parent->isHidden());
    EXPECT_EQ(receiver->messages,
              (std::vector<ReceivedMessage>{{0, kWmShowWindow, 1, 0}, {0, kWmShowWindow, 0, 0}}));
}

TEST_F(OstToolWindowTest, ToolCommandsGoToTheReceiverFirstThenChangeTheTool) {
    EXPECT_EQ(style() & kToolStyleDocked, kToolStyleDocked);
    LONG result = -1;
    ASSERT_EQ(tool->FireToolCommand(kToolCommandFloat, &result), com::S_OK);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(style() & (kToolStyleDocked | kToolStyleFloating), kToolStyleFloating);
    tool->FireToolCommand(kToolCommandFloat, nullptr);
    EXPECT_EQ(style() & (kToolStyleDocked | kToolStyleFloating), kToolStyleDocked);

    tool->FireToolCommand(29491, nullptr);
    EXPECT_EQ(dock(), 0);
    tool->FireToolCommand(29494, nullptr);
    EXPECT_EQ(dock(), 3);
    tool->FireToolCommand(kToolCommandDockHidden, nullptr);
    EXPECT_EQ(dock(), 5);
    tool->FireToolCommand(kToolCommandShow, nullptr);
    VARIANT_BOOL visible = 0;
    tool->get_Visible(&visible);
    EXPECT_EQ(visible, -1);
    EXPECT_EQ(receiver->commands(), (std::vector<std::intptr_t>{29490, 29490, 29491, 29494, 29496, 29489}));

    EXPECT_EQ(tool->FireToolCommand(29487, &result), com::E_INVALIDARG);
    EXPECT_EQ(tool->FireToolCommand(29497, &result), com::E_INVALIDARG);
}

TEST_F(OstToolWindowTest, ReceiverAnsweringNonZeroKeepsTheToolAsItIs) {
    class Taker final : public com::ComObject<IOstMessageReceiver> {
    public:
        HRESULT OnToolbarMessage(std::intptr_t, LONG, std::intptr_t, std::intptr_t, LONG* result) override {
            *result = 1;
            return com::S_OK;
        }
    };
    auto taker = com::makeComObject<Taker>();
    tool->SetToolReceiver(taker.get());
    LONG result = 0;
    tool->FireToolCommand(29493, &result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dock(), OstTool::kDefaultDock);
    tool->FireToolCommand(kToolCommandFloat, nullptr);
    EXPECT_EQ(style(), kToolStyleDocked);
}

TEST_F(OstToolWindowTest, ToolMenuRunsTheChosenCommand) {
    ui::ScriptedModalServices script;
    tool->put_Visible(-1);
    receiver->messages.clear();
    const ui::PopupMenu menu = tool->toolMenu();
    ASSERT_EQ(menu.items.size(), 9u);
    EXPECT_EQ(menu.items.front().id, kToolCommandHide);
    EXPECT_EQ(menu.items.back().id, kToolCommandDockHidden);
    EXPECT_TRUE(menu.find(kToolCommandShow)->disabled) << "already shown";
    EXPECT_TRUE(menu.find(29493)->checked) << "docked on the right";

    script.answerMenu(kToolCommandHide);
    tool->trackToolMenu(QPoint(10, 10));
    VARIANT_BOOL visible = -1;
    tool->get_Visible(&visible);
    EXPECT_EQ(visible, 0);
    EXPECT_EQ(receiver->messages,
              (std::vector<ReceivedMessage>{{0, kWmCommand, kToolCommandHide, 0}, {0, kWmShowWindow, 0, 0}}));
}

}  // namespace
}  // namespace ostbar
