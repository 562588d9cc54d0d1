#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "RecordingReceiver.h"
#include "ostbar/OstCommandBar.h"
#include "res/ResourceModule.h"
#include "ui/ScriptedModalServices.h"

namespace ostbar {
namespace {

using testing::RecordingReceiver;
using Ids = std::vector<SHORT>;

com::ComPtr<IOstCommand> commandOf(OstCommandBar& bar, SHORT id) {
    com::ComPtr<IOstCommand> command;
    EXPECT_EQ(bar.AddCommand(id, command.put()), com::S_OK);
    return command;
}

com::ComPtr<IOstCommandContainer> containerOf(OstCommandBar& bar, LONG containerId) {
    com::ComPtr<IOstCommands> commands;
    EXPECT_EQ(bar.get_Commands(commands.put()), com::S_OK);
    com::ComPtr<IOstCommandContainer> container;
    EXPECT_EQ(commands->GetContainer(containerId, container.put()), com::S_OK);
    return container;
}

TEST(OstCommandBar, TheBarBehindAnyOfItsInterfacesIsFoundAndNothingElse) {
    auto bar = OstCommandBar::create();
    com::ComPtr<IOstToolbar> toolbar;
    ASSERT_EQ(bar->GetToolbar(toolbar.put()), com::S_OK);
    EXPECT_EQ(OstCommandBar::implementationOf(toolbar.get()).get(), bar.get());
    EXPECT_EQ(OstCommandBar::implementationOf(static_cast<IOstMenu*>(bar.get())).get(), bar.get());
    auto receiver = com::makeComObject<RecordingReceiver>();
    EXPECT_EQ(OstCommandBar::implementationOf(receiver.get()), nullptr);
    EXPECT_EQ(OstCommandBar::implementationOf(nullptr), nullptr);
}

TEST(OstCommandBar, UnknownCommandIsAnError) {
    auto bar = OstCommandBar::create();
    com::ComPtr<IOstCommand> command;
    EXPECT_EQ(bar->Command(12, command.put()), com::E_INVALIDARG);
    EXPECT_EQ(command, nullptr);
    bar->AddCommand(12, nullptr);
    EXPECT_EQ(bar->Command(12, command.put()), com::S_OK);
    EXPECT_EQ(bar->AddCommand(-1, nullptr), com::E_INVALIDARG);
}

TEST(OstCommandBar, BooleanPropertiesRoundTrip) {
    struct Case {
        const char* name;
        HRESULT (IOstCommand::*get)(VARIANT_BOOL*);
        HRESULT (IOstCommand::*put)(VARIANT_BOOL);
        VARIANT_BOOL initial;
    };
    const Case cases[] = {
        {"Enabled", &IOstCommand::get_Enabled, &IOstCommand::put_Enabled, com::VARIANT_TRUE},
        {"Checked", &IOstCommand::get_Checked, &IOstCommand::put_Checked, com::VARIANT_FALSE},
        {"Flag", &IOstCommand::get_Flag, &IOstCommand::put_Flag, com::VARIANT_FALSE},
        {"Visible", &IOstCommand::get_Visible, &IOstCommand::put_Visible, com::VARIANT_TRUE},
    };
    auto bar = OstCommandBar::create();
    auto command = commandOf(*bar, 29448);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VARIANT_BOOL value = 5;
        ASSERT_EQ(((*command).*c.get)(&value), com::S_OK);
        EXPECT_EQ(value, c.initial);
        // Any non-zero value is true, and true reads back as -1.
        ASSERT_EQ(((*command).*c.put)(1), com::S_OK);
        ((*command).*c.get)(&value);
        EXPECT_EQ(value, com::VARIANT_TRUE);
        ((*command).*c.put)(com::VARIANT_FALSE);
        ((*command).*c.get)(&value);
        EXPECT_EQ(value, com::VARIANT_FALSE);
    }
}

TEST(OstCommandBar, CaptionImageAndStyleRoundTrip) {
    auto bar = OstCommandBar::create();
    auto command = commandOf(*bar, 77);
    com::Bstr text;
    command->get_Text(&text);
    EXPECT_TRUE(text.isEmpty());
    ASSERT_EQ(command->put_Text(com::Bstr(u"خط الاتجاه")), com::S_OK);
    command->get_Text(&text);
    EXPECT_EQ(text.text(), u"خط الاتجاه");

    SHORT image = 0;
    command->get_Image(&image);
    EXPECT_EQ(image, -1);
    command->put_Image(3);
    command->get_Image(&image);
    EXPECT_EQ(image, 3);
    command->put_Image(-7);
    command->get_Image(&image);
    EXPECT_EQ(image, -1);

    LONG style = 1;
    command->get_Style(&style);
    EXPECT_EQ(style, 0);
    command->put_Style(kStyleToolbarEntry);
    command->get_Style(&style);
    EXPECT_EQ(style, 33);
}

TEST(OstCommandBar, ViewOfARemovedCommandFails) {
    auto bar = OstCommandBar::create();
    auto command = commandOf(*bar, 5);
    com::ComPtr<IOstCommands> commands;
    bar->get_Commands(commands.put());
    ASSERT_EQ(commands->Remove(5), com::S_OK);
    EXPECT_EQ(commands->Remove(5), com::E_INVALIDARG);
    VARIANT_BOOL checked = -1;
    EXPECT_EQ(command->get_Checked(&checked), com::E_FAIL);
    EXPECT_EQ(checked, com::VARIANT_FALSE);
    EXPECT_EQ(command->put_Text(com::Bstr(u"x")), com::E_FAIL);
}

TEST(OstCommandBar, ChangeIdRenumbersTheCommandAndItsPlaces) {
    auto bar = OstCommandBar::create();
    auto command = commandOf(*bar, 30000);
    auto row = containerOf(*bar, kToolbarContainer);
    row->InsertAt(0, 30000);
    ASSERT_EQ(command->put_Id(30010), com::S_OK);
    SHORT id = 0;
    command->get_Id(&id);
    EXPECT_EQ(id, 30010);
    SHORT position = 9;
    EXPECT_EQ(row->PositionOf(30010, &position), com::S_OK);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(row->PositionOf(30000, &position), com::S_FALSE);
    EXPECT_EQ(position, -1);
    commandOf(*bar, 30011);
    EXPECT_EQ(command->put_Id(30011), com::E_INVALIDARG);
}

TEST(OstCommandBar, ContainerInsertFindCountAndRemove) {
    auto bar = OstCommandBar::create();
    auto row = containerOf(*bar, kToolbarContainer);
    SHORT insert = -5;
    row->get_InsertPosition(&insert);
    EXPECT_EQ(insert, 0);
    for (SHORT id : {30000, 30001, 30002, 30003, 30004})
        ASSERT_EQ(row->InsertAt(insert++, id), com::S_OK);
    EXPECT_EQ(row->InsertAt(7, 1), com::E_INVALIDARG);
    EXPECT_EQ(row->InsertAt(-1, 1), com::E_INVALIDARG);
    ASSERT_EQ(row->InsertAt(0, 29505), com::S_OK);

    SHORT count = 0, id = 0, position = 0;
    row->get_Count(&count);
    EXPECT_EQ(count, 6);
    row->IdAt(3, &id);
    EXPECT_EQ(id, 30002);
    EXPECT_EQ(row->IdAt(6, &id), com::E_INVALIDARG);
    EXPECT_EQ(id, -1);

    // Detaching: each id's position is looked up afresh before its removal.
    for (SHORT gallery = 0; gallery < 5; ++gallery) {
        ASSERT_EQ(row->PositionOf(static_cast<SHORT>(30000 + gallery), &position), com::S_OK);
        ASSERT_EQ(row->RemoveAt(position), com::S_OK);
    }
    row->get_Count(&count);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(row->RemoveAt(1), com::E_INVALIDARG);

    // A drop-down container belongs to a command, and dies with it.
    com::ComPtr<IOstCommands> commands;
    bar->get_Commands(commands.put());
    com::ComPtr<IOstCommandContainer> menu;
    EXPECT_EQ(commands->GetContainer(2, menu.put()), com::E_INVALIDARG);
    commands->Add(2, nullptr);
    ASSERT_EQ(commands->GetContainer(2, menu.put()), com::S_OK);
    menu->InsertAt(0, 22);
    commands->Remove(2);
    EXPECT_EQ(menu->get_Count(&count), com::E_FAIL);
}

// The drop-downs an application lays out: the moving-averages menu of the financial toolbar gets
// its extra averages with separators between, and the drawing-tools button gets the ten tools.
TEST(OstCommandBar, SubCommandSlots) {
    auto bar = OstCommandBar::create();
    auto averages = commandOf(*bar, 1);
    const std::pair<SHORT, SHORT> steps[] = {{1, 59}, {2, 60}, {4, 61}, {6, 14}};
    for (const auto& [count, id] : steps) {
        ASSERT_EQ(averages->put_SubCommands(1, count), com::S_OK);
        ASSERT_EQ(averages->put_SubCommand(count, id), com::S_OK);
    }
    EXPECT_EQ(bar->table()->find(1)->subCommands, (Ids{-1, 59, 60, -1, 61, -1, 14}));
    SHORT count = 0;
    averages->get_SubCommands(1, &count);
    EXPECT_EQ(count, 6);
    averages->get_SubCommands(0, &count);
    EXPECT_EQ(count, 7);
    averages->get_SubCommands(9, &count);
    EXPECT_EQ(count, 0);

    // Shrinking keeps the entries that remain; growing again brings empty entries.
    averages->put_SubCommands(1, 2);
    averages->put_SubCommands(1, 3);
    EXPECT_EQ(bar->table()->find(1)->subCommands, (Ids{-1, 59, 60, -1}));

    auto tools = commandOf(*bar, 4);
    const Ids drawing = {77, 69, 70, 71, 72, 68, 74, 73, 76, 75};
    tools->put_SubCommands(0, 10);
    for (SHORT slot = 0; slot < 10; ++slot)
        tools->put_SubCommand(slot, drawing[static_cast<std::size_t>(slot)]);
    EXPECT_EQ(bar->table()->find(4)->subCommands, drawing);
    SHORT id = 0;
    tools->get_SubCommand(9, &id);
    EXPECT_EQ(id, 75);

    EXPECT_EQ(tools->put_SubCommand(10, 1), com::E_INVALIDARG);
    EXPECT_EQ(tools->get_SubCommand(-1, &id), com::E_INVALIDARG);
    EXPECT_EQ(id, -1);
    EXPECT_EQ(tools->put_SubCommands(-1, 1), com::E_INVALIDARG);
    EXPECT_EQ(tools->put_SubCommands(0, -1), com::E_INVALIDARG);
    EXPECT_EQ(tools->put_SubCommands(32767, 1), com::E_INVALIDARG);
    EXPECT_EQ(bar->table()->find(4)->subCommands, drawing);
}

TEST(OstCommandBar, ShownBitOfTheStateWord) {
    auto bar = OstCommandBar::create();
    LONG state = -1;
    bar->get_State(&state);
    EXPECT_EQ(state, 0);
    bar->Show(-1);
    bar->get_State(&state);
    EXPECT_EQ(state, 0x100);
    bar->Show(0);
    bar->get_State(&state);
    EXPECT_EQ(state, 0);
    bar->Show(-1);
    bar->ResetState(-1);
    bar->get_State(&state);
    EXPECT_EQ(state, 0);
}

TEST(OstCommandBar, CommandSetBringsCaptionsImagesAndStyles) {
    auto module = std::make_shared<res::ResourceModule>("fe");
    module->setString(143, "Moving Averages");
    module->setString(146, "Technical Drawing");
    QImage strip(64, 16, QImage::Format_RGB32);
    strip.fill(QColor(0xC0, 0xC0, 0xC0));
    module->setBitmap(400, strip);
    const OstCommandEntry entries[] = {{1, 0, 0, 143}, {4, 3, kStyleCheck, 146}, {5, -1, 0, 0}};
    const OstCommandEntry extra[] = {{200, 1, 0, 999}};
    OstCommandSet set;
    set.module = module;
    set.bitmapId = 400;
    set.commands = entries;
    set.commandCount = 3;
    set.extraCommands = extra;
    set.extraCount = 1;

    auto bar = OstCommandBar::create();
    QImage others(64, 16, QImage::Format_RGB32);
    others.fill(QColor(0x20, 0x40, 0x60));
    bar->table()->addImages(others, 16, 0xC0C0C0);  // images 0-3 are someone else's
    ASSERT_EQ(bar->SetCommandSet(&set), com::S_OK);
    const OstCommandTable& table = *bar->table();
    EXPECT_EQ(table.commandCount(), 4u);
    EXPECT_EQ(table.find(1)->text, u"Moving Averages");
    EXPECT_EQ(table.find(1)->image, 4);
    EXPECT_EQ(table.find(4)->image, 7);
    EXPECT_EQ(table.find(4)->style, kStyleCheck);
    EXPECT_EQ(table.find(5)->image, -1);
    EXPECT_TRUE(table.find(200)->text.empty());

    // A language change: the texts come from another module after a refresh.
    auto arabic = std::make_shared<res::ResourceModule>("ar", module);
    arabic->setString(143, "المتوسطات المتحركة");
    bar->SetResourceModule(arabic);
    bar->Refresh();
    EXPECT_EQ(table.find(1)->text, u"المتوسطات المتحركة");
    EXPECT_EQ(table.find(4)->text, u"Technical Drawing");

    OstCommandSet bad;
    bad.commandCount = 2;  // no table behind the count
    EXPECT_EQ(bar->SetCommandSet(&bad), com::E_INVALIDARG);
    EXPECT_EQ(bar->SetCommandSet(nullptr), com::E_POINTER);
}

TEST(OstCommandBar, FireCommandGoesToTheCommandsReceiverElseTheBars) {
    auto bar = OstCommandBar::create();
    auto owner = com::makeComObject<RecordingReceiver>();
    auto entry = com::makeComObject<RecordingReceiver>();
    bar->SetMessageReceiver(owner.get());
    commandOf(*bar, 87);
    auto toolbarEntry = commandOf(*bar, 32000);
    toolbarEntry->put_Style(kStyleToolbarEntry);
    toolbarEntry->SetReceiver(entry.get());

    EXPECT_EQ(bar->FireCommand(87), com::S_OK);
    EXPECT_EQ(bar->FireCommand(32000), com::S_OK);
    EXPECT_EQ(bar->FireCommand(88), com::E_INVALIDARG);
    EXPECT_EQ(owner->commands(), (std::vector<std::intptr_t>{87}));
    EXPECT_EQ(entry->commands(), (std::vector<std::intptr_t>{32000}));
    // A toolbar entry is check-style: choosing it toggles its check mark before the receiver hears.
    VARIANT_BOOL checked = 0;
    toolbarEntry->get_Checked(&checked);
    EXPECT_EQ(checked, com::VARIANT_TRUE);

    // A disabled command is not delivered.
    auto disabled = commandOf(*bar, 90);
    disabled->put_Enabled(0);
    EXPECT_EQ(bar->FireCommand(90), com::S_FALSE);
    EXPECT_EQ(owner->commands().size(), 1u);
    bar->SetMessageReceiver(nullptr);
}

TEST(OstCommandBar, ReceiverMayRemoveTheCommandItIsToldAbout) {
    auto bar = OstCommandBar::create();
    auto receiver = com::makeComObject<RecordingReceiver>();
    auto command = commandOf(*bar, 40);
    command->SetReceiver(receiver.get());
    receiver->onMessage = [&] { bar->table()->remove(40); };
    // The command holds a reference of its own, and the delivery one more while the call runs.
    EXPECT_EQ(bar->FireCommand(40), com::S_OK);
    EXPECT_EQ(bar->table()->find(40), nullptr);
    EXPECT_EQ(receiver->commands(), (std::vector<std::intptr_t>{40}));
}

TEST(OstCommandBar, PopupDeliversTheChosenCommand) {
    ui::ScriptedModalServices modal;
    auto bar = OstCommandBar::create();
    auto receiver = com::makeComObject<RecordingReceiver>();
    auto menu = commandOf(*bar, 168);
    commandOf(*bar, 169)->put_Text(com::Bstr(u"Title"));
    commandOf(*bar, 170)->put_Text(com::Bstr(u"Grid"));
    commandOf(*bar, 172)->put_Enabled(0);
    menu->put_SubCommands(0, 4);
    menu->put_SubCommand(0, 169);
    menu->put_SubCommand(2, 170);
    menu->put_SubCommand(3, 172);

    modal.answerMenu(170);
    SHORT chosen = 0;
    ASSERT_EQ(bar->TrackPopup(168, 300, 200, receiver.get(), &chosen), com::S_OK);
    EXPECT_EQ(chosen, 170);
    EXPECT_EQ(receiver->commands(), (std::vector<std::intptr_t>{170}));
    ASSERT_EQ(modal.questions().size(), 1u);
    EXPECT_EQ(modal.questions()[0].point, QPoint(300, 200));
    EXPECT_EQ(modal.questions()[0].text, "Title");

    // A disabled entry or a dismissed menu delivers nothing.
    modal.answerMenu(172);
    bar->TrackPopup(168, 0, 0, receiver.get(), &chosen);
    EXPECT_EQ(chosen, 0);
    bar->TrackPopup(168, 0, 0, receiver.get(), &chosen);
    EXPECT_EQ(receiver->commands().size(), 1u);
    EXPECT_EQ(bar->TrackPopup(3, 0, 0, receiver.get(), &chosen), com::E_INVALIDARG);
}

}  // namespace
}  // namespace ostbar
