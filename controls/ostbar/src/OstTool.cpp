#include "ostbar/OstTool.h"

#include "ui/ModalServices.h"

namespace ostbar {

namespace {

struct ToolMenuEntry {
    SHORT id;
    const char16_t* text;
};
constexpr ToolMenuEntry kToolMenu[] = {
    {kToolCommandHide, u"Hide"},
    {kToolCommandShow, u"Show"},
    {kToolCommandFloat, u"Floating"},
    {kToolCommandDockLeft, u"Dock Left"},
    {29492, u"Dock Top"},
    {29493, u"Dock Right"},
    {29494, u"Dock Bottom"},
    {29495, u"Dock Floating"},
    {kToolCommandDockHidden, u"Hidden Dock"},
};

}  // namespace

OstTool::~OstTool() {
    delete widget_.data();
}

HRESULT OstTool::SetCommandBar(IOstCommandBar* bar) {
    bar_ = com::ComPtr<IOstCommandBar>(bar);
    return com::S_OK;
}

HRESULT OstTool::get_Style(LONG* style) {
    if (!style)
        return com::E_POINTER;
    *style = style_;
    return com::S_OK;
}

HRESULT OstTool::put_Style(LONG style) {
    style_ = style;
    // A docked tool's bar lays itself out again.
    if (bar_ && (style & kToolStyleDocked))
        bar_->Refresh();
    return com::S_OK;
}

HRESULT OstTool::get_Visible(VARIANT_BOOL* visible) {
    if (!visible)
        return com::E_POINTER;
    *visible = com::toVariantBool(visible_);
    return com::S_OK;
}

HRESULT OstTool::put_Visible(VARIANT_BOOL visible) {
    const bool shown = visible != 0;
    if (shown == visible_)
        return com::S_OK;
    visible_ = shown;
    if (widget_)
        widget_->setVisible(shown);
    tellShown();
    return com::S_OK;
}

HRESULT OstTool::get_DockPosition(LONG* position) {
    if (!position)
        return com::E_POINTER;
    *position = dock_;
    return com::S_OK;
}

HRESULT OstTool::put_DockPosition(LONG position) {
    if (position < 0 || position > kLastDock)
        return com::E_INVALIDARG;
    dock_ = position;
    return com::S_OK;
}

// --- the window part -----------------------------------------------------------------------------------

HRESULT OstTool::GetParentWidget(QWidget** parent) {
    if (!parent)
        return com::E_POINTER;
    if (!widget_) {
        widget_ = new QWidget(owner_.data());
        widget_->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(widget_.data(), &QWidget::customContextMenuRequested, widget_.data(),
                         [this](const QPoint& point) { trackToolMenu(widget_->mapToGlobal(point)); });
        widget_->setVisible(visible_);
    }
    *parent = widget_.data();
    return com::S_OK;
}

HRESULT OstTool::SetOwnerWidget(QWidget* owner) {
    owner_ = owner;
    if (widget_) {
        widget_->setParent(owner);
        widget_->setVisible(visible_);
    }
    return com::S_OK;
}

HRESULT OstTool::SetToolReceiver(IOstMessageReceiver* receiver) {
    receiver_ = receiver;
    return com::S_OK;
}

void OstTool::tellShown() {
    if (!receiver_)
        return;
    const com::ComPtr<IOstMessageReceiver> receiver(receiver_);
    LONG result = 0;
    receiver->OnToolbarMessage(0, kWmShowWindow, visible_ ? 1 : 0, 0, &result);
}

HRESULT OstTool::FireToolCommand(SHORT id, LONG* result) {
    if (result)
        *result = 0;
    if (id < kToolCommandFirst || id > kToolCommandLast)
        return com::E_INVALIDARG;
    LONG answer = 0;
    if (receiver_) {
        const com::ComPtr<IOstMessageReceiver> receiver(receiver_);
        receiver->OnToolbarMessage(0, kWmCommand, id, 0, &answer);
    }
    if (result)
        *result = answer;
    if (answer == 0)
        ownCommand(id);
    return com::S_OK;
}

void OstTool::ownCommand(SHORT id) {
    switch (id) {
        case kToolCommandHide:
            put_Visible(0);
            return;
        case kToolCommandShow:
            put_Visible(-1);
            return;
        case kToolCommandFloat: {
            const bool docked = (style_ & kToolStyleDocked) != 0;
            put_Style(docked ? (style_ & ~kToolStyleDocked) | kToolStyleFloating
                             : (style_ & ~kToolStyleFloating) | kToolStyleDocked);
            return;
        }
        default:
            put_DockPosition(id - kToolCommandDockLeft);
            return;
    }
}

ui::PopupMenu OstTool::toolMenu() const {
    ui::PopupMenu menu;
    for (const ToolMenuEntry& entry : kToolMenu) {
        ui::MenuItem item;
        item.id = entry.id;
        item.text = QString::fromUtf16(entry.text);
        if (entry.id == kToolCommandFloat)
            item.checked = (style_ & kToolStyleDocked) == 0;
        else if (entry.id >= kToolCommandDockLeft)
            item.checked = dock_ == entry.id - kToolCommandDockLeft;
        else
            item.disabled = (entry.id == kToolCommandHide) != visible_;
        menu.items.push_back(item);
    }
    return menu;
}

void OstTool::trackToolMenu(QPoint screenPoint) {
    // The menu's owner may close the tool; keep it for the call.
    const com::ComPtr<IOstTool> self(this);
    const ui::PopupMenu menu = toolMenu();
    const int id = ui::modalServices().trackPopupMenu(widget_.data(), menu, screenPoint);
    if (id != 0)
        FireToolCommand(static_cast<SHORT>(id), nullptr);
}

}  // namespace ostbar
