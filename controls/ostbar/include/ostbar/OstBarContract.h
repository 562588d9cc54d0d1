// The interfaces of the command-bar library: what the chart control, the extensions it hosts and the
// application call on command bars, their command collections and toolbars.
//
// Objects and their interfaces:
//   command bar (CLSID_OstCommandBar)  IOstCommandBar, IOstMenu, IOstToolbar, IOstToolbarObj
//   command collection                 IOstCommands (the bar's commands, images and containers)
//   command container                  IOstCommandContainer (an ordered list of command ids)
//   command                            IOstCommand, IOstCombo (a view of one command by id)
//   tool (CLSID_OstTool)               IOstTool, IOstToolWindow; may be aggregated by another object
//   a chart that hosts command bars    IOstToolbarHost
//   whoever receives chosen commands   IOstMessageReceiver
//
// Command ids are 16-bit; -1 means none. Containers: kToolbarContainer is the bar's own row of
// buttons; every other container id is the drop-down (sub-command list) of the command with that id.
// A slot that holds -1 is shown as a separator. Command objects and containers are views: they stay
// valid while the bar lives, and answer E_FAIL once the command they stand for is gone.
//
// The chart's command ids and the ids under which objects are registered with the chart
// (RegisterCommandObject) are separate spaces: the same number may name both.
#pragma once

#include <cstdint>
#include <memory>

#include "com/Bstr.h"
#include "com/Types.h"
#include "com/Unknown.h"

class QImage;
class QWidget;

namespace gdi {
class DeviceContext;
}

namespace res {
class ResourceModule;
}

namespace com {
struct IStream;
}

namespace ostbar {

using com::HRESULT;
using com::LONG;
using com::SHORT;
using com::VARIANT_BOOL;

// The message a chosen command arrives as: wParam holds the command id.
inline constexpr LONG kWmCommand = 273;

// State word of a command bar: bit 0x100 = shown.
inline constexpr LONG kStateShown = 0x100;

// Style word of a command.
enum OstCommandStyle : LONG {
    kStyleCheck = 0x01,       // choosing it toggles its check mark
    kStyleToolbar = 0x20,     // the entry stands for a whole toolbar (checked = shown)
    kStyleCombo = 0x40,       // shown as a combo box over its drop-down
    kStyleOwnerDraw = 0x100,  // in a popup menu, measured and drawn by its receiver (below)
};

// Owner-drawn menu entries. When a popup menu shows a command of style kStyleOwnerDraw, the receiver
// its choice would go to (the one given to TrackPopup, else the command's, else the bar's) is asked
//   (window, kWmMeasureItem, id, OstMeasureItem*): it sets the entry's size (left at 0: 16 x 16), and
//   (window, kWmDrawItem, id, OstDrawItem*): it draws the entry on `dc` inside the rectangle.
inline constexpr LONG kWmDrawItem = 0x002B;
inline constexpr LONG kWmMeasureItem = 0x002C;
struct OstMeasureItem {
    SHORT id = -1;
    LONG width = 0;
    LONG height = 0;
};
enum OstDrawItemState : LONG { kDrawItemSelected = 0x1, kDrawItemChecked = 0x8 };
struct OstDrawItem {
    SHORT id = -1;
    gdi::DeviceContext* dc = nullptr;
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    LONG state = 0;  // OstDrawItemState bits
};
// The style of a toolbar entry registered by an extension.
inline constexpr LONG kStyleToolbarEntry = kStyleToolbar | kStyleCheck;  // 33

// The bar's own row of buttons.
inline constexpr LONG kToolbarContainer = -1;

// Persistence modes of IOstCommandBar::ExchangeState.
inline constexpr LONG kExchangeLoad = 1;
inline constexpr LONG kExchangeSave = 2;

// One command of a command set: its id, image index in the set's strip (-1 none), style word and the
// id of its caption in the set's resource module (0 none).
struct OstCommandEntry {
    SHORT id = -1;
    SHORT image = -1;
    LONG style = 0;
    std::uint32_t textId = 0;
};

// What an owner hands a command bar: where its texts and images come from and its commands.
struct OstCommandSet {
    std::shared_ptr<const res::ResourceModule> module;          // the owner's own module
    std::shared_ptr<const res::ResourceModule> resourceModule;  // texts and images (null: module)
    std::uint32_t bitmapId = 0;                                 // image strip in the resource module
    LONG imageWidth = 16;                                       // pixels per image of the strip
    std::uint32_t maskColor = 0xC0C0C0;                         // COLORREF drawn transparent
    const OstCommandEntry* commands = nullptr;
    LONG commandCount = 0;
    const OstCommandEntry* extraCommands = nullptr;
    LONG extraCount = 0;
};

// The named identities.
// {A6E7E133-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::CLSID CLSID_OstCommandBar{
    0xA6E7E133, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};
// {A6E7E131-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::CLSID CLSID_OstTool{
    0xA6E7E131, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};
// {A6E7E14D-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::IID IID_IOstCommandBar{
    0xA6E7E14D, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};
// {A6E7E141-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::IID IID_IOstToolbarHost{
    0xA6E7E141, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};

// The library's further interfaces, in the same family.
// {A6E7E150-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::IID IID_IOstMessageReceiver{
    0xA6E7E150, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};
// {A6E7E151-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::IID IID_IOstMenu{
    0xA6E7E151, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};
// {A6E7E152-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::IID IID_IOstToolbar{
    0xA6E7E152, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};
// {A6E7E153-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::IID IID_IOstToolbarObj{
    0xA6E7E153, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};
// {A6E7E154-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::IID IID_IOstCommands{
    0xA6E7E154, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};
// {A6E7E155-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::IID IID_IOstCommandContainer{
    0xA6E7E155, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};
// {A6E7E156-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::IID IID_IOstCommand{
    0xA6E7E156, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};
// {A6E7E157-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::IID IID_IOstCombo{
    0xA6E7E157, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};
// {A6E7E158-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::IID IID_IOstTool{
    0xA6E7E158, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};
// {A6E7E159-5F7D-4CFB-85F2-D7C84BB66BCB}
inline constexpr com::IID IID_IOstToolWindow{
    0xA6E7E159, 0x5F7D, 0x4CFB, {0x85, 0xF2, 0xD7, 0xC8, 0x4B, 0xB6, 0x6B, 0xCB}};

// Whoever is told about chosen commands: a chosen command arrives as (window, kWmCommand, id, 0).
struct IOstMessageReceiver : com::IUnknown {
    static constexpr com::IID iid = IID_IOstMessageReceiver;

    // `window` identifies the bar's window (0 when the bar has none); *result (when given) receives
    // the receiver's answer.
    virtual HRESULT OnToolbarMessage(std::intptr_t window, LONG message, std::intptr_t wParam,
                                     std::intptr_t lParam, LONG* result) = 0;

protected:
    ~IOstMessageReceiver() = default;
};

struct IOstCommandContainer;
struct IOstCommand;

// The commands of one bar, the image list their image indices point into, and their containers.
struct IOstCommands : com::IUnknown {
    static constexpr com::IID iid = IID_IOstCommands;

    // Cuts the strip into images of `imageWidth` pixels (pixels of `maskColor` become transparent)
    // and appends them; *firstIndex := the index of the first new image. Images the bar holds already,
    // in that order, are not added again: *firstIndex := where they are.
    virtual HRESULT AddBitmap(const QImage* strip, LONG imageWidth, std::uint32_t maskColor,
                              LONG* firstIndex) = 0;
    // The command of that id; E_INVALIDARG (and null) when the bar has none.
    virtual HRESULT Item(SHORT id, IOstCommand** command) = 0;
    // The command of that id, made (enabled, no caption, no image) when the bar has none yet.
    // `command` may be null.
    virtual HRESULT Add(SHORT id, IOstCommand** command) = 0;
    virtual HRESULT Remove(SHORT id) = 0;
    virtual HRESULT get_Count(SHORT* count) = 0;
    // kToolbarContainer or the drop-down of a command (E_INVALIDARG for a command the bar lacks).
    virtual HRESULT GetContainer(LONG containerId, IOstCommandContainer** container) = 0;
    // An id that no command of the bar uses, from the top of the id range down.
    virtual HRESULT NewCommandId(SHORT* id) = 0;

protected:
    ~IOstCommands() = default;
};

// An ordered list of command ids. Positions are 0-based.
struct IOstCommandContainer : com::IUnknown {
    static constexpr com::IID iid = IID_IOstCommandContainer;

    // Where new commands go: the end of the list.
    virtual HRESULT get_InsertPosition(SHORT* position) = 0;
    // position 0..count; E_INVALIDARG outside.
    virtual HRESULT InsertAt(SHORT position, SHORT id) = 0;
    // The first position of the id, -1 when absent (S_FALSE).
    virtual HRESULT PositionOf(SHORT id, SHORT* position) = 0;
    virtual HRESULT get_Count(SHORT* count) = 0;
    virtual HRESULT IdAt(SHORT position, SHORT* id) = 0;
    virtual HRESULT RemoveAt(SHORT position) = 0;

protected:
    ~IOstCommandContainer() = default;
};

// One command. Booleans are -1 / 0; a put counts any non-zero value as true.
struct IOstCommand : com::IUnknown {
    static constexpr com::IID iid = IID_IOstCommand;

    virtual HRESULT get_Id(SHORT* id) = 0;
    // Renumbers the command; its places in every container follow. E_INVALIDARG when the new id is
    // taken or is -1.
    virtual HRESULT put_Id(SHORT id) = 0;
    virtual HRESULT get_Text(com::Bstr* text) = 0;
    virtual HRESULT put_Text(const com::Bstr& text) = 0;
    virtual HRESULT get_Image(SHORT* image) = 0;
    virtual HRESULT put_Image(SHORT image) = 0;
    virtual HRESULT get_Style(LONG* style) = 0;
    virtual HRESULT put_Style(LONG style) = 0;
    virtual HRESULT get_Enabled(VARIANT_BOOL* enabled) = 0;
    virtual HRESULT put_Enabled(VARIANT_BOOL enabled) = 0;
    virtual HRESULT get_Checked(VARIANT_BOOL* checked) = 0;
    virtual HRESULT put_Checked(VARIANT_BOOL checked) = 0;
    // The caption is shown beside the image on the bar.
    virtual HRESULT get_Flag(VARIANT_BOOL* flag) = 0;
    virtual HRESULT put_Flag(VARIANT_BOOL flag) = 0;
    virtual HRESULT get_Visible(VARIANT_BOOL* visible) = 0;
    virtual HRESULT put_Visible(VARIANT_BOOL visible) = 0;
    // Drop-down entries. The entries of group g are numbered from g on: SubCommands(g) = n makes the
    // drop-down hold the entries 0 .. g + n - 1; entries already there keep their ids, new entries hold -1.
    // get answers the number of entries from g on (0 when there are none).
    virtual HRESULT get_SubCommands(SHORT group, SHORT* count) = 0;
    virtual HRESULT put_SubCommands(SHORT group, SHORT count) = 0;
    // The id in a slot; E_INVALIDARG for a slot the drop-down does not have.
    virtual HRESULT get_SubCommand(SHORT slot, SHORT* id) = 0;
    virtual HRESULT put_SubCommand(SHORT slot, SHORT id) = 0;
    // Who is told when this command is chosen (a reference is kept); null: the bar's receiver.
    virtual HRESULT SetReceiver(IOstMessageReceiver* receiver) = 0;

protected:
    ~IOstCommand() = default;
};

// The combo box of a command of style kStyleCombo; its list is the command's drop-down.
struct IOstCombo : com::IUnknown {
    static constexpr com::IID iid = IID_IOstCombo;

    // No entry selected.
    virtual HRESULT ResetSelection() = 0;
    // The selected slot, -1 none.
    virtual HRESULT get_Selection(SHORT* slot) = 0;
    // Rows shown when the list is open (1..100).
    virtual HRESULT get_VisibleCount(SHORT* count) = 0;
    virtual HRESULT put_VisibleCount(SHORT count) = 0;

protected:
    ~IOstCombo() = default;
};

// The application's view of a bar: its commands by id.
struct IOstToolbar : com::IUnknown {
    static constexpr com::IID iid = IID_IOstToolbar;

    // E_INVALIDARG for an id the bar does not have.
    virtual HRESULT Command(SHORT id, IOstCommand** command) = 0;
    // Makes the command known to the bar (without placing it on the row) and answers it (`command`
    // may be null).
    virtual HRESULT AddCommand(SHORT id, IOstCommand** command) = 0;

protected:
    ~IOstToolbar() = default;
};

struct IOstToolbarObj : com::IUnknown {
    static constexpr com::IID iid = IID_IOstToolbarObj;

    virtual HRESULT get_Commands(IOstCommands** commands) = 0;

protected:
    ~IOstToolbarObj() = default;
};

// A command bar.
struct IOstCommandBar : com::IUnknown {
    static constexpr com::IID iid = IID_IOstCommandBar;

    // Held without a reference: the receiver is normally the bar's owner, which clears it (null)
    // before it lets the bar go.
    virtual HRESULT SetMessageReceiver(IOstMessageReceiver* receiver) = 0;
    // Copies the set's commands (captions and images from its resource module) into the bar.
    virtual HRESULT SetCommandSet(const OstCommandSet* set) = 0;
    // Texts and images are taken from this module from now on; Refresh applies it.
    virtual HRESULT SetResourceModule(const std::shared_ptr<const res::ResourceModule>& module) = 0;
    // Reloads the captions of the command set and redraws the bar.
    virtual HRESULT Refresh() = 0;
    virtual HRESULT GetToolbar(IOstToolbar** toolbar) = 0;
    virtual HRESULT GetCommands(IOstCommands** commands) = 0;
    virtual HRESULT get_State(LONG* state) = 0;
    // Clears the state bits of `mask` (-1: every bit, the bar is hidden).
    virtual HRESULT ResetState(LONG mask) = 0;
    // -1 shows the bar, 0 hides it.
    virtual HRESULT Show(LONG show) = 0;
    // Writes (kExchangeSave) or reads (kExchangeLoad) the bar's state as one block at the stream's
    // position; a reader stops exactly at the block's end.
    virtual HRESULT ExchangeState(com::IStream* stream, LONG mode) = 0;
    // The command as if the user had chosen it: its receiver (or the bar's) gets kWmCommand.
    virtual HRESULT FireCommand(SHORT id) = 0;

protected:
    ~IOstCommandBar() = default;
};

// Popup menus of a bar.
struct IOstMenu : com::IUnknown {
    static constexpr com::IID iid = IID_IOstMenu;

    // Opens the drop-down of `menuId` as a popup at a screen point; the chosen command goes to
    // `receiver` (null: the bar's receiver) as kWmCommand. *chosen (when given) := its id, or 0 when
    // the menu was dismissed. E_INVALIDARG for a command the bar does not have.
    virtual HRESULT TrackPopup(SHORT menuId, LONG x, LONG y, IOstMessageReceiver* receiver,
                               SHORT* chosen) = 0;

protected:
    ~IOstMenu() = default;
};

// What a chart offers for the command bars of its extensions.
struct IOstToolbarHost : com::IUnknown {
    static constexpr com::IID iid = IID_IOstToolbarHost;

    // Shows `bar` with the chart (a reference is kept). position -1: after the others. Adding a bar
    // already hosted only moves it.
    virtual HRESULT AddCommandBar(IOstCommandBar* bar, LONG position, LONG flags) = 0;
    // S_FALSE when the bar was not hosted.
    virtual HRESULT RemoveCommandBar(IOstCommandBar* bar) = 0;

protected:
    ~IOstToolbarHost() = default;
};

// Style bits of a tool.
enum OstToolStyle : LONG {
    kToolStyleFloating = 0x04,
    kToolStyleDocked = 0x20,
};

// A docked tool window of a bar. An object may aggregate a tool and add its own window part.
struct IOstTool : com::IUnknown {
    static constexpr com::IID iid = IID_IOstTool;

    // The bar the tool belongs to (a reference is kept; null lets it go).
    virtual HRESULT SetCommandBar(IOstCommandBar* bar) = 0;
    virtual HRESULT get_Style(LONG* style) = 0;
    virtual HRESULT put_Style(LONG style) = 0;
    virtual HRESULT get_Visible(VARIANT_BOOL* visible) = 0;
    virtual HRESULT put_Visible(VARIANT_BOOL visible) = 0;
    // Where the tool docks: 0 left, 1 top, 2 right, 3 bottom, 4 floating, 5 hidden dock.
    virtual HRESULT get_DockPosition(LONG* position) = 0;
    virtual HRESULT put_DockPosition(LONG position) = 0;

protected:
    ~IOstTool() = default;
};

// The message that tells a tool's receiver it was shown (wParam 1) or hidden (wParam 0).
inline constexpr LONG kWmShowWindow = 0x0018;

// The commands of a tool window's menu.
enum OstToolCommand : SHORT {
    kToolCommandHide = 29488,      // hides the tool
    kToolCommandShow = 29489,      // shows it
    kToolCommandFloat = 29490,     // switches between docked (kToolStyleDocked) and floating
    kToolCommandDockLeft = 29491,  // 29491-29496 dock it at positions 0-5 (see DockPosition)
    kToolCommandDockHidden = 29496,
};
inline constexpr SHORT kToolCommandFirst = kToolCommandHide;
inline constexpr SHORT kToolCommandLast = kToolCommandDockHidden;

// The window part of a tool: the widget an outer object (the studies tool) puts its own windows in,
// the notice of the tool being shown or hidden, and the tool's menu commands.
struct IOstToolWindow : com::IUnknown {
    static constexpr com::IID iid = IID_IOstToolWindow;

    // The widget the outer object's windows go in: made on the first call, owned by the tool, inside
    // the owner widget when one was set. Shown while the tool is visible.
    virtual HRESULT GetParentWidget(QWidget** parent) = 0;
    // The window the tool docks into (null: none, the widget stands alone).
    virtual HRESULT SetOwnerWidget(QWidget* owner) = 0;
    // Who hears (0, kWmShowWindow, 1 or 0, 0) when the tool is shown or hidden, and (0, kWmCommand, id,
    // 0) for a tool command before the tool handles it; held without a reference (null: nobody).
    virtual HRESULT SetToolReceiver(IOstMessageReceiver* receiver) = 0;
    // A tool command as if chosen from the tool's menu: the receiver first; unless it answered
    // non-zero the tool does its own part. *result (when given) := the receiver's answer.
    // E_INVALIDARG for an id outside kToolCommandFirst .. kToolCommandLast.
    virtual HRESULT FireToolCommand(SHORT id, LONG* result) = 0;

protected:
    ~IOstToolWindow() = default;
};

// ProgIDs of the classes.
inline constexpr const char* kCommandBarProgId = "OstBar.CommandBar";
inline constexpr const char* kToolProgId = "OstBar.Tool";

// Makes the command bar and the tool creatable in this process by CLSID and ProgID. Loading the
// library does this already; calling it again does no harm.
HRESULT registerClasses();

}  // namespace ostbar
