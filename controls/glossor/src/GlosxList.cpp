#include "GlosxList.h"

#include <QImage>
#include <QString>

#include "GlosxClipboard.h"
#include "GlosxPainter.h"
#include "GlosxSelection.h"
#include "com/Activation.h"
#include "ui/ModalServices.h"

namespace glossor {
namespace {

struct CommandInfo {
    SHORT id;
    LONG style;
    const char* text;  // English caption; the program replaces it with its own
    bool needsSelection;
};

// The command set in the order of the bar's row; 0 marks no style.
constexpr CommandInfo kCommands[] = {
    {kCmdPointer, 0, "Pointer", false},
    {kKindRectangle, 0, "Rectangle", false},
    {kKindCircle, 0, "Circle", false},
    {kKindLine, 0, "Arrow/Line", false},
    {kKindArc, 0, "Arc", false},
    {kKindPicture, 0, "Picture", false},
    {kKindText, 0, "Text Box", false},
    {kKindBalloon, 0, "Baloon with text", false},
    {kCmdBackColor, 0, "Background Color", true},
    {kCmdForeColor, 0, "Foreground (Border) Color", true},
    {kCmdCut, 0, "Cut", true},
    {kCmdCopy, 0, "Copy", true},
    {kCmdPaste, 0, "Paste", false},
    {kCmdBringToFront, 0, "Bring to front", true},
    {kCmdSendToBack, 0, "Send to back", true},
    {kCmdDelete, 0, "Delete", true},
    {kCmdGroup, 0, "Group", true},
    {kCmdUngroup, 0, "Ungroup", true},
    {kCmdRotateFlip, 0, "Rotate/Flip", true},
    {kCmdProperties, 0, "Properties...", true},
    {kCmdLineStyle, ostbar::kStyleCombo, "", false},
    // In the drop-down of Rotate/Flip, not on the row.
    {kCmdFlipHorizontal, 0, "Flip Horizontal", true},
    {kCmdFlipVertical, 0, "Flip Vertical", true},
    {kCmdRotateRight, 0, "Rotate Right", true},
    {kCmdRotateLeft, 0, "Rotate Left", true},
};
constexpr std::size_t kRowCommands = 21;
constexpr SHORT kRotateFlipEntries[] = {kCmdFlipHorizontal, kCmdFlipVertical, kCmdRotateRight,
                                        kCmdRotateLeft};

bool isToolCommand(SHORT id) {
    return id >= kCmdPointer && id <= kLastKind;
}

bool showsText(SHORT kind) {
    return kind == kKindText || kind == kKindBalloon;
}

}  // namespace

GlosxList::GlosxList() : model_(this), input_(model_, *this) {
    events_ = points_.add(DIID_DGlosxEvents);
    createCommandBar();
    toolChanged(input_.tool());
    updateCommandStates();
}

GlosxList::~GlosxList() {
    if (commandBar_)
        commandBar_->SetMessageReceiver(nullptr);
}

// --- command bar -----------------------------------------------------------------------------------

void GlosxList::createCommandBar() {
    ostbar::registerClasses();
    com::ComPtr<ostbar::IOstCommandBar> bar;
    if (com::FAILED(com::CoCreateInstance(ostbar::CLSID_OstCommandBar, nullptr, ostbar::IID_IOstCommandBar,
                                          bar.putVoid())) ||
        !bar)
        return;  // the list works on without a command bar
    commandBar_ = bar;
    commandBar_->SetMessageReceiver(this);
    std::vector<ostbar::OstCommandEntry> entries;
    for (const CommandInfo& info : kCommands)
        entries.push_back({info.id, -1, info.style, 0});
    ostbar::OstCommandSet set;
    set.commands = entries.data();
    set.commandCount = static_cast<LONG>(entries.size());
    commandBar_->SetCommandSet(&set);
    commandBar_->GetToolbar(toolbar_.put());
    com::ComPtr<ostbar::IOstCommands> commands;
    com::ComPtr<ostbar::IOstCommandContainer> row;
    commandBar_->GetCommands(commands.put());
    if (commands)
        commands->GetContainer(ostbar::kToolbarContainer, row.put());
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
        com::ComPtr<ostbar::IOstCommand> command;
        if (!toolbar_ || com::FAILED(toolbar_->Command(kCommands[i].id, command.put())) || !command)
            continue;
        command->put_Text(com::Bstr::fromUtf8(kCommands[i].text));
        if (row && i < kRowCommands) {
            SHORT position = 0;
            row->get_InsertPosition(&position);
            row->InsertAt(position, kCommands[i].id);
        }
    }
    com::ComPtr<ostbar::IOstCommand> menu;
    if (toolbar_ && com::SUCCEEDED(toolbar_->Command(kCmdRotateFlip, menu.put())) && menu) {
        menu->put_SubCommands(0, static_cast<SHORT>(std::size(kRotateFlipEntries)));
        for (std::size_t slot = 0; slot < std::size(kRotateFlipEntries); ++slot)
            menu->put_SubCommand(static_cast<SHORT>(slot), kRotateFlipEntries[slot]);
    }
    commandBar_->Show(-1);
}

void GlosxList::updateCommandStates() {
    const bool hasSelection = !model_.selection().empty();
    if (!toolbar_ || hasSelection == hadSelection_)
        return;
    hadSelection_ = hasSelection;
    for (const CommandInfo& info : kCommands) {
        com::ComPtr<ostbar::IOstCommand> command;
        if (info.needsSelection && com::SUCCEEDED(toolbar_->Command(info.id, command.put())) && command)
            command->put_Enabled(com::toVariantBool(hasSelection));
    }
}

void GlosxList::toolChanged(SHORT tool) {
    if (!toolbar_)
        return;
    for (SHORT id = kCmdPointer; id <= kLastKind; ++id) {
        com::ComPtr<ostbar::IOstCommand> command;
        if (com::SUCCEEDED(toolbar_->Command(id, command.put())) && command)
            command->put_Checked(com::toVariantBool(id == tool));
    }
}

HRESULT GlosxList::OnToolbarMessage(std::intptr_t, LONG message, std::intptr_t wParam, std::intptr_t,
                                    LONG* result) {
    if (result)
        *result = 0;
    if (message != ostbar::kWmCommand)
        return com::S_FALSE;
    runCommand(static_cast<SHORT>(wParam));
    return com::S_OK;
}

// --- commands --------------------------------------------------------------------------------------

void GlosxList::runCommand(SHORT id) {
    // The object stays alive even when a handler lets the list go.
    const com::ComPtr<GlosxList> self(this);
    LONG result = 0;
    pastedInEvent_ = false;
    events_->raiseWith(kEventExecuteCommand, id, &result);
    const bool pasted = std::exchange(pastedInEvent_, false);
    if (static_cast<SHORT>(result) == 1)
        return;
    // A program that pasted while handling Paste has done the command; a second paste would leave
    // two copies.
    if (id == kCmdPaste && pasted)
        return;
    builtInCommand(id);
}

void GlosxList::builtInCommand(SHORT id) {
    if (isToolCommand(id)) {
        input_.setTool(id);
        return;
    }
    switch (id) {
        case kCmdBackColor:
        case kCmdForeColor:
            chooseSelectionColor(id == kCmdBackColor);
            break;
        case kCmdCut:
            copySelection();
            deleteSelectionByUser();
            break;
        case kCmdCopy:
            copySelection();
            break;
        case kCmdPaste:
            pasteFromClipboard(false);
            break;
        case kCmdBringToFront:
            model_.bringToFront();
            break;
        case kCmdSendToBack:
            model_.sendToBack();
            break;
        case kCmdFlipHorizontal:
        case kCmdFlipVertical:
            model_.flipSelection(id == kCmdFlipHorizontal);
            break;
        case kCmdRotateRight:
        case kCmdRotateLeft:
            model_.rotateSelection(id == kCmdRotateRight);
            break;
        case kCmdDelete:
            deleteSelectionByUser();
            break;
        case kCmdGroup:
            model_.group();
            break;
        case kCmdUngroup:
            model_.ungroup();
            break;
        case kCmdProperties:
            if (!model_.selection().empty())
                editProperties(*model_.selection().front());
            break;
        default:
            break;  // the combo and the drop-down have no action of their own
    }
}

void GlosxList::deleteSelectionByUser() {
    input_.cancel();
    for (const com::ComPtr<GlosxObject>& object : model_.deleteSelection())
        events_->raiseWith(kEventObjectDeleted,
                           com::ComPtr<com::IUnknown>(static_cast<IGlosxObject*>(object.get())));
}

void GlosxList::copySelection() {
    if (model_.selection().empty())
        return;
    std::uint32_t first = 0;
    std::vector<GlosxData> objects = model_.selectedData(&first);
    copyToClipboard(objects, first);
}

HRESULT GlosxList::pasteFromClipboard(bool atSamePlace) {
    const std::optional<QByteArray> block = clipboardBlock();
    if (!block)
        return com::S_FALSE;
    std::uint32_t first = 0;
    std::optional<std::vector<GlosxData>> objects = decodeObjects(*block, &first);
    if (!objects)
        return com::E_FAIL;
    if (objects->empty())
        return com::S_FALSE;
    input_.cancel();
    model_.paste(std::move(*objects), atSamePlace, first);
    return com::S_OK;
}

void GlosxList::chooseSelectionColor(bool background) {
    if (model_.selection().empty())
        return;
    const GlosxData& first = model_.selection().front()->data();
    if (const auto color =
            ui::modalServices().chooseColor(nullptr, background ? first.backColor : first.foreColor))
        model_.colorSelection(background, *color);
}

void GlosxList::editProperties(GlosxObject& object) {
    const com::ComPtr<GlosxObject> keep(&object);
    if (showsText(object.data().kind)) {
        if (const auto text = ui::modalServices().inputBox(
                nullptr, QStringLiteral("Text:"), QStringLiteral("Properties"), textOf(object.data())))
            object.edit([&](GlosxData& data) { data.text = text->toStdU16String(); });
    } else if (object.data().kind == kKindPicture) {
        choosePicture(object);
    } else if (const auto color = ui::modalServices().chooseColor(nullptr, object.data().foreColor)) {
        object.edit([&](GlosxData& data) { data.foreColor = *color & 0xFFFFFF; });
    }
}

bool GlosxList::choosePicture(GlosxObject& object) {
    ui::FileDialogRequest request;
    request.title = QStringLiteral("Picture");
    request.filter = QStringLiteral("Pictures | *.png;*.bmp;*.jpg;*.gif|All files | *.*");
    const ui::FileDialogResult chosen = ui::modalServices().openFile(request);
    if (!chosen.accepted)
        return false;
    QImage picture(chosen.fileName);
    if (picture.isNull()) {
        ui::modalServices().messageBox(
            nullptr, QStringLiteral("The picture \"%1\" cannot be read.").arg(chosen.fileName), QString(),
            ui::MB_ICONEXCLAMATION);
        return false;
    }
    object.edit([&](GlosxData& data) { data.picture = std::move(picture); });
    return true;
}

// --- input -----------------------------------------------------------------------------------------

void GlosxList::moveEnded() {
    const com::ComPtr<GlosxList> self(this);
    events_->raiseWith(kEventEndMoving);
}

void GlosxList::objectDoubleClicked(GlosxObject& object) {
    const com::ComPtr<GlosxList> self(this);
    const com::ComPtr<GlosxObject> keep(&object);
    LONG result = 0;
    events_->raiseWith(kEventLButtonDblClk, com::ComPtr<com::IUnknown>(static_cast<IGlosxObject*>(&object)),
                       &result);
    if (static_cast<SHORT>(result) != 1 && object.owner() == &model_)
        editProperties(object);
}

void GlosxList::objectDrawn(GlosxObject& object) {
    const com::ComPtr<GlosxObject> keep(&object);
    if (object.data().kind == kKindPicture) {
        // A picture frame without a picture shows nothing: it goes again when none is chosen.
        if (!choosePicture(object)) {
            if (const auto index = model_.indexOf(&object))
                model_.removeAt(*index);
        }
    } else if (showsText(object.data().kind)) {
        editProperties(object);
    }
}

void GlosxList::repaint() {
    if (host_)
        host_->invalidate();
    else if (site_)
        site_->InvalidateRect(nullptr);
}

void GlosxList::modelChanged() {
    updateCommandStates();
    repaint();
}

// --- IGlosxList ------------------------------------------------------------------------------------

HRESULT GlosxList::get_Count(LONG* count) {
    if (!count)
        return com::E_POINTER;
    *count = static_cast<LONG>(model_.count());
    return com::S_OK;
}

HRESULT GlosxList::Item(LONG position, IGlosxObject** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    if (position < 1 || static_cast<std::size_t>(position) > model_.count())
        return com::E_INVALIDARG;
    GlosxObject* found = model_.at(static_cast<std::size_t>(position - 1));
    found->AddRef();
    *object = found;
    return com::S_OK;
}

HRESULT GlosxList::Add(SHORT kind, const com::Variant&, IGlosxObject** object) {
    if (object)
        *object = nullptr;
    if (kind < kFirstKind || kind > kLastKind)
        return com::E_INVALIDARG;
    GlosxData data;
    data.kind = kind;
    const com::ComPtr<GlosxObject> added = model_.add(std::move(data));
    if (object)
        *object = com::ComPtr<GlosxObject>(added).detach();
    return com::S_OK;
}

HRESULT GlosxList::Remove(LONG position) {
    if (position == -1) {
        input_.cancel();
        model_.clear();
        return com::S_OK;
    }
    if (position < 1 || static_cast<std::size_t>(position) > model_.count())
        return com::E_INVALIDARG;
    // A drag of the user's goes on unless it was moving the object that goes.
    if (model_.isSelected(model_.at(static_cast<std::size_t>(position - 1))))
        input_.cancel();
    model_.removeAt(static_cast<std::size_t>(position - 1));
    return com::S_OK;
}

HRESULT GlosxList::get_Selection(IGlosxSelection** selection) {
    if (!selection)
        return com::E_POINTER;
    *selection = makeSelectionView(this).detach();
    return com::S_OK;
}

HRESULT GlosxList::RefreshObject(IGlosxObject* object) {
    GlosxObject* found = glosxObjectOf(object);
    if (!found)
        return object ? com::E_INVALIDARG : com::E_POINTER;
    if (found->owner() != &model_)
        return com::E_INVALIDARG;
    repaint();
    return com::S_OK;
}

HRESULT GlosxList::Paste(VARIANT_BOOL atSamePlace) {
    const HRESULT result = pasteFromClipboard(atSamePlace != 0);
    if (result == com::S_OK)
        pastedInEvent_ = true;
    return result;
}

HRESULT GlosxList::get_ToolBar(VARIANT_BOOL* shown) {
    if (!shown)
        return com::E_POINTER;
    LONG state = 0;
    *shown = com::toVariantBool(commandBar_ && com::SUCCEEDED(commandBar_->get_State(&state)) &&
                                (state & ostbar::kStateShown) != 0);
    return com::S_OK;
}

HRESULT GlosxList::put_ToolBar(VARIANT_BOOL show) {
    if (!commandBar_)
        return com::E_FAIL;
    return commandBar_->Show(show != 0 ? -1 : 0);
}

HRESULT GlosxList::get_ToolBarObject(ostbar::IOstToolbar** toolbar) {
    if (!toolbar)
        return com::E_POINTER;
    *toolbar = nullptr;
    if (!toolbar_)
        return com::E_FAIL;
    *toolbar = com::ComPtr<ostbar::IOstToolbar>(toolbar_).detach();
    return com::S_OK;
}

// --- IKvlExtension ---------------------------------------------------------------------------------

HRESULT GlosxList::SetChart(com::IUnknown* chart) {
    input_.cancel();
    if (barHost_ && commandBar_)
        barHost_->RemoveCommandBar(commandBar_.get());
    site_ = nullptr;
    barHost_ = nullptr;
    if (!chart)
        return com::S_OK;
    // Kept without references while attached: the chart owns this object.
    const com::ComPtr<com::IUnknown> unknown(chart);
    site_ = unknown.as<korvel::IKvlExtensionSite>().get();
    barHost_ = unknown.as<ostbar::IOstToolbarHost>().get();
    if (barHost_ && commandBar_ && com::FAILED(barHost_->AddCommandBar(commandBar_.get(), -1, 0)))
        barHost_ = nullptr;
    return com::S_OK;
}

HRESULT GlosxList::GetCaption(korvel::KvlCaption*) {
    return com::E_NOTIMPL;
}

HRESULT GlosxList::SetHostData(LONG) {
    return com::S_OK;
}

HRESULT GlosxList::FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** point) {
    return points_.find(iid, point);
}

// --- IGlosxOverlay ---------------------------------------------------------------------------------

HRESULT GlosxList::SetHost(GlosxHost* host) {
    host_ = host;
    return com::S_OK;
}

HRESULT GlosxList::Paint(gdi::DeviceContext* dc) {
    if (!dc)
        return com::E_POINTER;
    paintList(*dc, model_, input_.pending());
    return com::S_OK;
}

HRESULT GlosxList::PaintDrawn(gdi::DeviceContext* dc) {
    if (!dc)
        return com::E_POINTER;
    paintObjects(*dc, model_);
    return com::S_OK;
}

HRESULT GlosxList::MouseDown(LONG x, LONG y, LONG modifiers) {
    const com::ComPtr<GlosxList> self(this);
    return input_.mouseDown(x, y, (modifiers & kInputShift) != 0) ? com::S_OK : com::S_FALSE;
}

HRESULT GlosxList::MouseMove(LONG x, LONG y, LONG) {
    const com::ComPtr<GlosxList> self(this);
    return input_.mouseMove(x, y) ? com::S_OK : com::S_FALSE;
}

HRESULT GlosxList::MouseUp(LONG x, LONG y, LONG) {
    const com::ComPtr<GlosxList> self(this);
    return input_.mouseUp(x, y) ? com::S_OK : com::S_FALSE;
}

HRESULT GlosxList::DoubleClick(LONG x, LONG y, LONG) {
    const com::ComPtr<GlosxList> self(this);
    return input_.doubleClick(x, y) ? com::S_OK : com::S_FALSE;
}

HRESULT GlosxList::KeyDown(LONG key) {
    const com::ComPtr<GlosxList> self(this);
    if (key == kKeyEscape) {
        // Escape ends a drag or a drawing tool; otherwise it is the chart's.
        if (!input_.busy() && input_.tool() == kCmdPointer)
            return com::S_FALSE;
        input_.cancel();
        input_.setTool(kCmdPointer);
        return com::S_OK;
    }
    if (key == kKeyDelete && !model_.selection().empty()) {
        runCommand(kCmdDelete);
        return com::S_OK;
    }
    return com::S_FALSE;
}

}  // namespace glossor
