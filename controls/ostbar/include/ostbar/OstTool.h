// The tool object of a bar: a docked tool window's style, visibility and dock position, and its window
// part: the widget another object (the studies tool of an extension, which aggregates the tool) puts
// its own windows in, the shown and hidden notices and the tool's menu commands.
#pragma once

#include <QPointer>
#include <QWidget>

#include "com/ComObject.h"
#include "ostbar/OstBarContract.h"
#include "ui/PopupMenu.h"

namespace ostbar {

class OstTool final : public com::ComObject<IOstTool, IOstToolWindow> {
public:
    // Where the tool docks when nobody said otherwise: the right side.
    static constexpr LONG kDefaultDock = 2;
    static constexpr LONG kLastDock = 5;

    HRESULT SetCommandBar(IOstCommandBar* bar) override;
    HRESULT get_Style(LONG* style) override;
    HRESULT put_Style(LONG style) override;
    HRESULT get_Visible(VARIANT_BOOL* visible) override;
    HRESULT put_Visible(VARIANT_BOOL visible) override;
    HRESULT get_DockPosition(LONG* position) override;
    HRESULT put_DockPosition(LONG position) override;

    HRESULT GetParentWidget(QWidget** parent) override;
    HRESULT SetOwnerWidget(QWidget* owner) override;
    HRESULT SetToolReceiver(IOstMessageReceiver* receiver) override;
    HRESULT FireToolCommand(SHORT id, LONG* result) override;

    IOstCommandBar* commandBar() const { return bar_.get(); }
    // The tool's menu as the window part's context menu shows it.
    ui::PopupMenu toolMenu() const;
    // Opens the tool's menu at a screen point and runs the chosen command.
    void trackToolMenu(QPoint screenPoint);

private:
    ~OstTool() override;

    void ownCommand(SHORT id);
    void tellShown();

    com::ComPtr<IOstCommandBar> bar_;
    LONG style_ = kToolStyleDocked;
    bool visible_ = false;
    LONG dock_ = kDefaultDock;
    IOstMessageReceiver* receiver_ = nullptr;  // not held: the outer object clears it before it goes
    QPointer<QWidget> owner_;
    QPointer<QWidget> widget_;
};

}  // namespace ostbar
