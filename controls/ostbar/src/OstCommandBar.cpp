#include "ostbar/OstCommandBar.h"

#include "OstOwnerDraw.h"

#include <QGuiApplication>
#include <QImage>
#include <QString>

#include "com/Text.h"
#include "ostbar/OstStateBlock.h"
#include "res/ResourceModule.h"
#include "ui/ModalServices.h"

namespace ostbar {
namespace {

// The identity under which a bar answers with its own object. Only this library asks for it, so the
// pointer handed out is always an OstCommandBar of this library.
// {A6E7E15F-5F7D-4CFB-85F2-D7C84BB66BCB}
constexpr com::IID kIidCommandBarObject{
    0xA6E7E15F, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};

// A popup stops nesting at the table's depth limit, and stops adding entries when `budget` (every entry
// looked at counts) is spent.
void fillMenu(const OstCommandTable& table, const std::vector<SHORT>& entries,
              std::vector<ui::MenuItem>& items, int depth, std::size_t& budget) {
    for (const SHORT id : entries) {
        if (budget == 0)
            return;
        --budget;
        ui::MenuItem item;
        const OstCommandData* command = table.find(id);
        if (id == -1 || !command) {
            item.separator = true;
        } else if (!command->visible) {
            continue;
        } else {
            item.id = id;
            item.text = QStringView(command->text).toString();
            item.checked = command->checked;
            item.disabled = !command->enabled;
            if (depth < OstCommandTable::kMaxMenuDepth)
                fillMenu(table, command->subCommands, item.submenu, depth + 1, budget);
        }
        items.push_back(std::move(item));
    }
}

}  // namespace

OstCommandBar::OstCommandBar() : table_(std::make_shared<OstCommandTable>()) {}

com::ComPtr<OstCommandBar> OstCommandBar::implementationOf(com::IUnknown* object) {
    com::ComPtr<OstCommandBar> bar;
    if (object && com::SUCCEEDED(object->QueryInterface(kIidCommandBarObject, bar.putVoid())))
        return bar;
    return {};
}

void* OstCommandBar::queryExtraInterface(const com::IID& iid) {
    return iid == kIidCommandBarObject ? this : nullptr;
}

HRESULT OstCommandBar::choose(SHORT id, IOstMessageReceiver* receiver) {
    OstCommandData* command = table_->find(id);
    if (!command)
        return com::E_INVALIDARG;
    if (!command->enabled)
        return com::S_FALSE;
    if (command->style & kStyleCheck) {
        command->checked = !command->checked;
        table_->changed();
    }
    // Hold the receiver for the call: it may drop the command, or the command its receiver. A listener
    // of the check change may have changed the table, so the command is looked up again.
    com::ComPtr<IOstMessageReceiver> target(receiverFor(id, receiver));
    if (!target)
        return com::S_FALSE;
    LONG result = 0;
    const auto window = reinterpret_cast<std::intptr_t>(window_.widget());
    return target->OnToolbarMessage(window, kWmCommand, id, 0, &result);
}

HRESULT OstCommandBar::SetMessageReceiver(IOstMessageReceiver* receiver) {
    receiver_ = receiver;
    return com::S_OK;
}

HRESULT OstCommandBar::SetCommandSet(const OstCommandSet* set) {
    if (!set)
        return com::E_POINTER;
    const auto valid = [](const OstCommandEntry* entries, LONG count) {
        return count >= 0 && count <= static_cast<LONG>(OstCommandTable::kMaxSlots) &&
               (entries || count == 0);
    };
    if (!valid(set->commands, set->commandCount) || !valid(set->extraCommands, set->extraCount))
        return com::E_INVALIDARG;

    resources_ = set->resourceModule ? set->resourceModule : set->module;
    LONG firstImage = -1;
    if (resources_ && set->bitmapId != 0) {
        if (const auto strip = resources_->bitmap(set->bitmapId))
            firstImage = table_->addImages(*strip, set->imageWidth, set->maskColor);
    }
    entries_.assign(set->commands, set->commands + set->commandCount);
    entries_.insert(entries_.end(), set->extraCommands, set->extraCommands + set->extraCount);
    for (const OstCommandEntry& entry : entries_) {
        OstCommandData* command = table_->add(entry.id);
        if (!command)
            continue;
        command->style = entry.style;
        command->image =
            entry.image >= 0 && firstImage >= 0 ? static_cast<SHORT>(firstImage + entry.image) : -1;
    }
    loadTexts();
    table_->changed();
    return com::S_OK;
}

HRESULT OstCommandBar::SetResourceModule(const std::shared_ptr<const res::ResourceModule>& module) {
    resources_ = module;
    return com::S_OK;
}

void OstCommandBar::loadTexts() {
    if (!resources_)
        return;
    for (const OstCommandEntry& entry : entries_) {
        OstCommandData* command = table_->find(entry.id);
        if (!command || entry.textId == 0)
            continue;
        if (const auto text = resources_->string(entry.textId))
            command->text = com::utf8ToUtf16(*text);
    }
}

HRESULT OstCommandBar::Refresh() {
    loadTexts();
    table_->changed();
    return com::S_OK;
}

HRESULT OstCommandBar::GetToolbar(IOstToolbar** toolbar) {
    if (!toolbar)
        return com::E_POINTER;
    *toolbar = static_cast<IOstToolbar*>(this);
    AddRef();
    return com::S_OK;
}

HRESULT OstCommandBar::GetCommands(IOstCommands** commands) {
    return makeCommandsView(table_, commands);
}

HRESULT OstCommandBar::get_State(LONG* state) {
    if (!state)
        return com::E_POINTER;
    *state = table_->state();
    return com::S_OK;
}

HRESULT OstCommandBar::ResetState(LONG mask) {
    table_->setState(table_->state() & ~mask);
    return com::S_OK;
}

HRESULT OstCommandBar::Show(LONG show) {
    const LONG state = table_->state();
    table_->setState(show ? state | kStateShown : state & ~kStateShown);
    return com::S_OK;
}

HRESULT OstCommandBar::ExchangeState(com::IStream* stream, LONG mode) {
    switch (mode) {
        case kExchangeSave:
            return OstStateBlock::save(*table_, stream);
        case kExchangeLoad:
            return OstStateBlock::load(*table_, stream);
        default:
            return com::E_INVALIDARG;
    }
}

HRESULT OstCommandBar::FireCommand(SHORT id) {
    return choose(id);
}

IOstMessageReceiver* OstCommandBar::receiverFor(SHORT id, IOstMessageReceiver* given) const {
    if (given)
        return given;
    const OstCommandData* command = table_->find(id);
    return command && command->receiver ? command->receiver.get() : receiver_;
}

HRESULT OstCommandBar::TrackPopup(SHORT menuId, LONG x, LONG y, IOstMessageReceiver* receiver,
                                  SHORT* chosen) {
    if (chosen)
        *chosen = 0;
    const OstCommandData* menuCommand = table_->find(menuId);
    if (!menuCommand)
        return com::E_INVALIDARG;
    ui::PopupMenu menu;
    std::size_t budget = OstCommandTable::kMaxMenuEntries;
    fillMenu(*table_, menuCommand->subCommands, menu.items, 1, budget);
    routeOwnerDrawn(
        *table_, menu, [this, receiver](SHORT entry) { return receiverFor(entry, receiver); },
        reinterpret_cast<std::intptr_t>(window_.widget()));
    // The bar keeps its order left to right; its pop-ups read as the program does.
    menu.direction = QGuiApplication::layoutDirection();
    const int id = ui::modalServices().trackPopupMenu(window_.widget(), menu, QPoint(x, y));
    if (id == 0 || !menu.isChoosable(id))
        return com::S_OK;
    if (chosen)
        *chosen = static_cast<SHORT>(id);
    // The menu's items are commands: a check-style one toggles as it would on the bar.
    return choose(static_cast<SHORT>(id), receiver);
}

HRESULT OstCommandBar::Command(SHORT id, IOstCommand** command) {
    return makeCommandView(table_, id, command);
}

HRESULT OstCommandBar::AddCommand(SHORT id, IOstCommand** command) {
    if (command)
        *command = nullptr;
    if (!table_->add(id))
        return com::E_INVALIDARG;
    // The caller may not want the command object.
    if (!command)
        return com::S_OK;
    return makeCommandView(table_, id, command);
}

HRESULT OstCommandBar::get_Commands(IOstCommands** commands) {
    return makeCommandsView(table_, commands);
}

}  // namespace ostbar
