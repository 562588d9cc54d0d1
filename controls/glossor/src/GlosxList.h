// The annotation list "Scribant.AnnList": the object the chart hands out under that ProgID. It
// holds the objects (GlosxModel), offers them to the program (IGlosxList), raises the events
// around the user's edits (DGlosxEvents), runs the commands of its command bar, and lies over the
// chart as an overlay (IGlosxOverlay) that paints the objects and takes the user's mouse input.
#pragma once

#include "GlosxInput.h"
#include "GlosxModel.h"
#include "com/ConnectionPoint.h"
#include "glossor/GlosxOverlay.h"
#include "glossor/IGlosxList.h"
#include "korvel/KvlContract.h"
#include "ostbar/OstBarContract.h"

namespace glossor {

class GlosxList final
    : public com::ComObject<IGlosxList, korvel::IKvlExtension, com::IConnectionPointContainer,
                            ostbar::IOstMessageReceiver, IGlosxOverlay>,
      private GlosxModelListener,
      private GlosxInputClient {
public:
    GlosxList();

    const GlosxModel& model() const { return model_; }
    GlosxModel& model() { return model_; }
    com::SHORT tool() const { return input_.tool(); }

    // A command as the user gives it: ExecuteCommand first, then the command's own action unless
    // the program answered 1 (or, for Paste, already pasted while handling the event).
    void runCommand(SHORT id);

    // --- IGlosxList ---
    HRESULT get_Count(LONG* count) override;
    HRESULT Item(LONG position, IGlosxObject** object) override;
    HRESULT Add(SHORT kind, const com::Variant& reserved, IGlosxObject** object) override;
    HRESULT Remove(LONG position) override;
    HRESULT get_Selection(IGlosxSelection** selection) override;
    HRESULT RefreshObject(IGlosxObject* object) override;
    HRESULT Paste(VARIANT_BOOL atSamePlace) override;
    HRESULT get_ToolBar(VARIANT_BOOL* shown) override;
    HRESULT put_ToolBar(VARIANT_BOOL show) override;
    HRESULT get_ToolBarObject(ostbar::IOstToolbar** toolbar) override;

    // --- IKvlExtension ---
    HRESULT SetChart(com::IUnknown* chart) override;
    HRESULT GetCaption(korvel::KvlCaption* caption) override;
    HRESULT SetHostData(LONG value) override;

    // --- IConnectionPointContainer ---
    HRESULT FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** point) override;

    // --- IOstMessageReceiver: the bar's chosen commands ---
    HRESULT OnToolbarMessage(std::intptr_t window, LONG message, std::intptr_t wParam, std::intptr_t lParam,
                             LONG* result) override;

    // --- IGlosxOverlay ---
    HRESULT SetHost(GlosxHost* host) override;
    HRESULT Paint(gdi::DeviceContext* dc) override;
    HRESULT PaintDrawn(gdi::DeviceContext* dc) override;
    HRESULT MouseDown(LONG x, LONG y, LONG modifiers) override;
    HRESULT MouseMove(LONG x, LONG y, LONG modifiers) override;
    HRESULT MouseUp(LONG x, LONG y, LONG modifiers) override;
    HRESULT DoubleClick(LONG x, LONG y, LONG modifiers) override;
    HRESULT KeyDown(LONG key) override;

private:
    ~GlosxList() override;

    // --- GlosxModelListener ---
    void modelChanged() override;
    // --- GlosxInputClient ---
    void moveEnded() override;
    void objectDoubleClicked(GlosxObject& object) override;
    void objectDrawn(GlosxObject& object) override;
    void toolChanged(SHORT tool) override;
    void repaint() override;

    void createCommandBar();
    void updateCommandStates();
    void builtInCommand(SHORT id);
    void deleteSelectionByUser();
    void copySelection();
    HRESULT pasteFromClipboard(bool atSamePlace);
    void chooseSelectionColor(bool background);
    void editProperties(GlosxObject& object);
    bool choosePicture(GlosxObject& object);

    GlosxModel model_;
    GlosxInput input_;
    com::ConnectionPointList points_;
    com::ComPtr<com::ConnectionPoint> events_;
    com::ComPtr<ostbar::IOstCommandBar> commandBar_;
    com::ComPtr<ostbar::IOstToolbar> toolbar_;
    korvel::IKvlExtensionSite* site_ = nullptr;   // not held while attached (chart contract)
    ostbar::IOstToolbarHost* barHost_ = nullptr;  // the same chart, not held
    GlosxHost* host_ = nullptr;                   // not held: see SetHost
    bool pastedInEvent_ = false;
    bool hadSelection_ = true;  // forces the first update of the command states
};

}  // namespace glossor
