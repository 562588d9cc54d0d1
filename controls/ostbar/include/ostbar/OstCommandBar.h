// The command bar object: a command table with its COM faces, the owner's command set, and the
// delivery of chosen commands to receivers. The toolbar widget (OstToolbarWidget) shows it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "com/ComObject.h"
#include "ostbar/OstBarContract.h"
#include "ostbar/OstCommandTable.h"
#include "ui/WindowHandle.h"

class QWidget;

namespace ostbar {

class OstCommandBar final : public com::ComObject<IOstCommandBar, IOstMenu, IOstToolbar, IOstToolbarObj> {
public:
    OstCommandBar();

    static com::ComPtr<OstCommandBar> create() { return com::makeComObject<OstCommandBar>(); }
    // The bar behind any interface of a command bar of this library (a chart shows the bars its
    // extensions hand it); null for null or for an object of another kind.
    static com::ComPtr<OstCommandBar> implementationOf(com::IUnknown* object);

    const std::shared_ptr<OstCommandTable>& table() const { return table_; }
    IOstMessageReceiver* messageReceiver() const { return receiver_; }
    // The widget that shows the bar; chosen commands name it as their window.
    void setWindow(QWidget* window) { window_ = ui::WindowHandle(window); }
    QWidget* window() const { return window_.widget(); }

    // A command chosen by the user: toggles the check mark of a check-style command, then hands
    // kWmCommand to `receiver`, else the command's receiver, else the bar's. S_FALSE when the
    // command is disabled or nobody receives it; E_INVALIDARG for an unknown command.
    HRESULT choose(SHORT id, IOstMessageReceiver* receiver = nullptr);

    // --- IOstCommandBar ---
    HRESULT SetMessageReceiver(IOstMessageReceiver* receiver) override;
    HRESULT SetCommandSet(const OstCommandSet* set) override;
    HRESULT SetResourceModule(const std::shared_ptr<const res::ResourceModule>& module) override;
    HRESULT Refresh() override;
    HRESULT GetToolbar(IOstToolbar** toolbar) override;
    HRESULT GetCommands(IOstCommands** commands) override;
    HRESULT get_State(LONG* state) override;
    HRESULT ResetState(LONG mask) override;
    HRESULT Show(LONG show) override;
    HRESULT ExchangeState(com::IStream* stream, LONG mode) override;
    HRESULT FireCommand(SHORT id) override;

    // --- IOstMenu ---
    HRESULT TrackPopup(SHORT menuId, LONG x, LONG y, IOstMessageReceiver* receiver, SHORT* chosen) override;

    // --- IOstToolbar ---
    HRESULT Command(SHORT id, IOstCommand** command) override;
    HRESULT AddCommand(SHORT id, IOstCommand** command) override;

    // --- IOstToolbarObj ---
    HRESULT get_Commands(IOstCommands** commands) override;

protected:
    // Answers the library's own identity of the bar, for implementationOf.
    void* queryExtraInterface(const com::IID& iid) override;

private:
    ~OstCommandBar() override = default;

    void loadTexts();
    // Who a command's choice goes to: `given`, else the command's receiver, else the bar's.
    IOstMessageReceiver* receiverFor(SHORT id, IOstMessageReceiver* given) const;

    std::shared_ptr<OstCommandTable> table_;
    IOstMessageReceiver* receiver_ = nullptr;  // not held: see SetMessageReceiver
    ui::WindowHandle window_;
    std::vector<OstCommandEntry> entries_;  // the command set's commands, for reloading texts
    std::shared_ptr<const res::ResourceModule> resources_;
};

// The COM views over a table, made per call.
HRESULT makeCommandView(const std::shared_ptr<OstCommandTable>& table, SHORT id, IOstCommand** command);
HRESULT makeCommandsView(const std::shared_ptr<OstCommandTable>& table, IOstCommands** commands);
HRESULT makeContainerView(const std::shared_ptr<OstCommandTable>& table, LONG containerId,
                          IOstCommandContainer** container);

}  // namespace ostbar
