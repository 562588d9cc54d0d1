// Saved bar states that no bar of ours writes, as a chart or template from someone else may carry.
#include <gtest/gtest.h>

#include <QMenu>

#include "ostbar/OstCommandBar.h"
#include "ostbar/OstStateBlock.h"
#include "ostbar/OstToolbarWidget.h"
#include "storage/GlobalMemory.h"
#include "ui/ModalServices.h"
#include "ui/PopupMenu.h"

namespace ostbar {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Ids = std::vector<SHORT>;

struct SavedCommand {
    SHORT id;
    Ids dropDown;
};

// A block written out field by field: magic "OSTB", version 1, payload length; state word 1 (shown),
// the commands (visible and enabled, image -1, style 0, 8 combo rows, no caption) and the row.
Bytes blockOf(const std::vector<SavedCommand>& commands, const Ids& row) {
    Bytes payload;
    const auto put = [&](std::uint32_t value, int width) {
        for (int i = 0; i < width; ++i)
            payload.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    const auto putIds = [&](const Ids& ids) {
        put(static_cast<std::uint32_t>(ids.size()), 2);
        for (const SHORT id : ids)
            put(static_cast<std::uint16_t>(id), 2);
    };
    put(1, 4);
    put(static_cast<std::uint32_t>(commands.size()), 2);
    for (const SavedCommand& command : commands) {
        put(static_cast<std::uint16_t>(command.id), 2);
        put(0xFFFF, 2);  // image -1
        put(0, 4);       // style
        put(1 | 8, 2);   // enabled, visible
        put(8, 2);       // combo rows
        put(0, 2);       // caption length
        putIds(command.dropDown);
    }
    putIds(row);
    Bytes block{0x4F, 0x53, 0x54, 0x42, 1, 0};
    const auto length = static_cast<std::uint32_t>(payload.size());
    for (int i = 0; i < 4; ++i)
        block.push_back(static_cast<std::uint8_t>(length >> (8 * i)));
    block.insert(block.end(), payload.begin(), payload.end());
    return block;
}

com::ComPtr<com::IStream> streamOf(const Bytes& bytes) {
    com::ComPtr<com::IStream> stream;
    EXPECT_EQ(com::createStreamOnHGlobal(nullptr, stream.put()), com::S_OK);
    stream->Write(bytes.data(), static_cast<com::ULONG>(bytes.size()), nullptr);
    stream->Seek(0, com::STREAM_SEEK_SET, nullptr);
    return stream;
}

com::ULONGLONG positionOf(com::IStream* stream) {
    com::ULONGLONG at = 0;
    stream->Seek(0, com::STREAM_SEEK_CUR, &at);
    return at;
}

// Commands 1 .. 8 each list the next one eight times, and 9 ends the chain: no cycle, but 8^8
// entries if every menu were built in full.
std::vector<SavedCommand> fanOut() {
    std::vector<SavedCommand> commands;
    for (SHORT id = 1; id <= 8; ++id)
        commands.push_back({id, Ids(8, static_cast<SHORT>(id + 1))});
    commands.push_back({9, {}});
    return commands;
}

std::size_t entriesOf(const std::vector<ui::MenuItem>& items) {
    std::size_t count = items.size();
    for (const ui::MenuItem& item : items)
        count += entriesOf(item.submenu);
    return count;
}

std::size_t entriesOf(const QMenu* menu) {
    std::size_t count = 0;
    for (const QAction* action : menu->actions())
        count += 1 + (action->menu() ? entriesOf(action->menu()) : 0);
    return count;
}

// Counts the entries of the popups it is asked to show and dismisses them.
class MenuCounter final : public ui::ModalServices {
public:
    MenuCounter() : previous_(ui::setModalServices(this)) {}
    ~MenuCounter() override { ui::setModalServices(previous_); }

    std::vector<std::size_t> shown;

    int trackPopupMenu(QWidget*, const ui::PopupMenu& menu, QPoint) override {
        shown.push_back(entriesOf(menu.items));
        return 0;
    }
    int messageBox(QWidget*, const QString&, const QString&, int) override { return 0; }
    std::optional<QString> inputBox(QWidget*, const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    ui::FileDialogResult openFile(const ui::FileDialogRequest&) override { return {}; }
    ui::FileDialogResult saveFile(const ui::FileDialogRequest&) override { return {}; }
    std::optional<gdi::COLORREF> chooseColor(QWidget*, gdi::COLORREF) override { return std::nullopt; }
    std::optional<gdi::LogFont> chooseFont(QWidget*, const gdi::LogFont&) override { return std::nullopt; }
    bool printDialog(QWidget*, QPrinter&) override { return false; }
    bool printPreview(QWidget*, QPrinter&, const std::function<void(QPrinter&)>&) override { return false; }

private:
    ui::ModalServices* previous_;
};

TEST(OstHostileBlock, CommandListingItselfIsRefused) {
    // One command whose drop-down lists its own id eight times.
    const Bytes bytes = blockOf({{5, Ids(8, 5)}}, {5});
    EXPECT_EQ(bytes.size(), 52u);
    auto stream = streamOf(bytes);
    OstCommandTable table;
    table.add(9)->text = u"before";
    EXPECT_EQ(OstStateBlock::load(table, stream.get()), com::STG_E_DOCFILECORRUPT);
    EXPECT_EQ(table.ids(), Ids{9});
    EXPECT_EQ(table.row(), Ids{});
    EXPECT_EQ(positionOf(stream.get()), bytes.size());  // the owner reads on after the block
}

TEST(OstHostileBlock, DropDownsLeadingBackAreRefused) {
    struct Case {
        const char* what;
        std::vector<SavedCommand> commands;
        Ids tableSevenDropDown;  // the drop-down of command 7, already in the table
        HRESULT expected;
    };
    const std::vector<Case> cases = {
        {"two commands naming each other", {{1, {2}}, {2, {-1, 1}}}, {}, com::STG_E_DOCFILECORRUPT},
        {"a longer ring", {{1, {2}}, {2, {3}}, {3, {4}}, {4, {1}}}, {}, com::STG_E_DOCFILECORRUPT},
        {"back through a command of the table", {{1, {7}}}, {1}, com::STG_E_DOCFILECORRUPT},
        {"a command of the table named twice", {{1, {7, 7}}, {2, {7, 1}}}, {-1}, com::S_OK},
        {"the loaded drop-down replaces the table's", {{7, {8}}, {8, {}}}, {7}, com::S_OK},
        {"shared entries without a ring", {{1, {2, 3}}, {2, {3}}, {3, {-1, 99}}}, {}, com::S_OK},
    };
    for (const Case& c : cases) {
        auto stream = streamOf(blockOf(c.commands, {1}));
        OstCommandTable table;
        table.add(7)->subCommands = c.tableSevenDropDown;
        EXPECT_EQ(OstStateBlock::load(table, stream.get()), c.expected) << c.what;
        EXPECT_EQ(table.row(), c.expected == com::S_OK ? Ids{1} : Ids{}) << c.what;
    }
}

TEST(OstHostileBlock, FanOutBuildsABoundedPopup) {
    auto bar = OstCommandBar::create();
    auto stream = streamOf(blockOf(fanOut(), {1}));
    ASSERT_EQ(OstStateBlock::load(*bar->table(), stream.get()), com::S_OK);
    MenuCounter counter;
    SHORT chosen = -1;
    ASSERT_EQ(bar->TrackPopup(1, 0, 0, nullptr, &chosen), com::S_OK);
    EXPECT_EQ(chosen, 0);
    ASSERT_EQ(counter.shown.size(), 1u);
    EXPECT_EQ(counter.shown[0], 4096u);

    // A short chain is built in full: 3 entries of 2, each with 2 leaves.
    auto small = OstCommandBar::create();
    auto smallStream = streamOf(blockOf({{1, {2, 2, 2}}, {2, {3, 3}}, {3, {}}}, {1}));
    ASSERT_EQ(OstStateBlock::load(*small->table(), smallStream.get()), com::S_OK);
    small->TrackPopup(1, 0, 0, nullptr, &chosen);
    ASSERT_EQ(counter.shown.size(), 2u);
    EXPECT_EQ(counter.shown[1], 3u + 3 * 2);
}

TEST(OstHostileBlock, FanOutBuildsBoundedToolbarMenus) {
    auto bar = OstCommandBar::create();
    // Every command of the chain is also on the row: all their drop-downs share one bound.
    auto stream = streamOf(blockOf(fanOut(), {1, 2, 3, 4, 5, 6, 7, 8}));
    ASSERT_EQ(OstStateBlock::load(*bar->table(), stream.get()), com::S_OK);
    OstToolbarWidget widget(bar);
    std::size_t entries = 0;
    std::size_t menus = 0;
    for (QAction* action : widget.actions()) {
        if (action->menu()) {
            ++menus;
            entries += entriesOf(action->menu());
        }
    }
    // The first drop-down spends the whole bound; the later buttons get none.
    EXPECT_EQ(menus, 1u);
    EXPECT_EQ(entries, 4096u);
    // One menu for each entry that opens a submenu: about one entry in eight.
    EXPECT_LT(widget.findChildren<QMenu*>().size(), 600);
}

}  // namespace
}  // namespace ostbar
