// FinancialCharts, the object the chart control loads as the financial-chart extension
// ("Lomex.Financial"). It owns the six chart types, the command-bar objects and the studies tool, lets
// the control drive the chart types through the control-side interfaces, hooks itself into the
// chart's callback chain while one of its chart types is active, and raises DLomex_Events.
//
// COM identities: IFinancialCharts, the four control-side extension interfaces, the callback
// interface, the command bar's message receiver and the connection-point container; while attached it
// also hands out the site it is attached to (IKvlExtensionSite), so that a page bound to the object
// finds the chart.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "com/ConnectionPoint.h"
#include "dravik/IFinancialCharts.h"
#include "extension/CChartCallbackChain.h"
#include "extension/CChartExtensionBase.h"
#include "extension/CExtensionEvents.h"
#include "extension/ExtensionMembers.h"
#include "gallery/ChartTypes.h"
#include "ostbar/OstBarContract.h"
#include "ui/WindowHandle.h"

namespace dravik {

// State of an entry in the table of command states: checked.
inline constexpr LONG kCommandStateChecked = 2;
// Entries of the indicator menus that the extension itself puts there; entries beyond them were
// added by the user and go when the analytical chart is left.
inline constexpr SHORT kPriceIndicatorMenuEntries = 11;
inline constexpr SHORT kTechnicalIndicatorMenuEntries = 30;
// Studies: 38 built-in ones, then 10 user and 10 custom studies; the first 12 are drawn over the prices.
inline constexpr LONG kStudyCount = 58;
inline constexpr LONG kBuiltInStudyCount = 38;
inline constexpr LONG kPriceIndicatorStudyCount = 12;
// The caption of the chart while the extension is attached, and the series it prepares.
inline constexpr const char* kChartCaption = "Financial";
inline constexpr LONG kPreparedSeriesCount = 56;
// Bit of the chart's flags word that allows the context menu.
inline constexpr LONG kChartFlagContextMenu = 0x4;

class CFinancialCharts final : public CChartExtensionBase,
                               public CChartCallbackChain,
                               public IFinancialCharts,
                               public ostbar::IOstMessageReceiver,
                               public com::IConnectionPointContainer {
public:
    CFinancialCharts();
    // With the maker of the chart types; construction fails (throws) unless it makes all six.
    explicit CFinancialCharts(const ChartTypeFactory& makeChartType);

    // --- IUnknown, for every interface of the object ---
    HRESULT QueryInterface(const com::IID& iid, void** object) override;
    com::ULONG AddRef() override { return CChartExtensionBase::AddRef(); }
    com::ULONG Release() override { return CChartExtensionBase::Release(); }

    // --- Overrides of the extension base ---
    LONG IsGalleryEnabled(LONG index) override;
    HRESULT GetPageClsid(LONG index, LONG kind, com::CLSID* clsid) override;
    LONG MapGalleryItemId(LONG a, LONG b, LONG id) override;
    void OnAttachCommands(com::IUnknown* chart) override;
    void OnDetachCommands(IKvlExtensionSite* site) override;
    void OnActivateCommands(LONG active) override;
    void PrepareChart(com::IUnknown* chart) override;
    HRESULT SetResourceLanguage(const std::u16string& fileName, LONG* loaded) override;

    // --- IFinancialCharts ---
    HRESULT get_OpenSeries(SHORT* series) override {
        return getSeries(series, chartTypeState_.settings.openSeries);
    }
    HRESULT get_HighSeries(SHORT* series) override {
        return getSeries(series, chartTypeState_.settings.highSeries);
    }
    HRESULT get_LowSeries(SHORT* series) override {
        return getSeries(series, chartTypeState_.settings.lowSeries);
    }
    HRESULT get_CloseSeries(SHORT* series) override {
        return getSeries(series, chartTypeState_.settings.closeSeries);
    }
    HRESULT get_VolumeSeries(SHORT* series) override {
        return getSeries(series, chartTypeState_.settings.volumeSeries);
    }

    // --- IOstMessageReceiver ---
    HRESULT OnToolbarMessage(std::intptr_t window, LONG message, std::intptr_t wParam, std::intptr_t lParam,
                             LONG* result) override;

    // --- IConnectionPointContainer ---
    HRESULT FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** point) override {
        return events_.find(iid, point);
    }

    // --- Members the chart types and the COM surface use ---
    CExtensionEvents& events() { return events_; }
    ChartTypeState& chartTypeState() { return chartTypeState_; }
    // Recalculates the active special chart when AutoRecalc is on, then repaints.
    void RecalcActiveGallery();
    // -1 sets the flag (and recalculates), any other value clears it.
    HRESULT put_AutoRecalc(com::VARIANT_BOOL value);
    bool autoRecalc() const { return autoRecalc_; }
    // Chosen as if from the command bar.
    HRESULT FireCommand(LONG id);
    // Shows the financial toolbar (only while the analytical chart is active) or hides it.
    HRESULT put_ToolBar(com::VARIANT_BOOL show);
    HRESULT get_ToolBar(com::VARIANT_BOOL* shown);
    // The chart's window: owner of the frames, dialogs and menus the extension opens; empty while
    // detached or while the chart is not shown.
    ui::WindowHandle hostWindow() const;
    // Opens the popup `menuId` at a client point when the chart allows context menus.
    HRESULT ShowContextMenu(SHORT menuId, LONG x, LONG y);
    // Gives consecutive chart series [first, first + count) one colour.
    HRESULT SetSeriesRange(SHORT first, SHORT count, LONG color);
    // The studies tool, made on first use; registered with the chart under its command id when asked.
    com::IUnknown* GetStudiesToolObject(bool registerWithChart);
    bool isBusy() const { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }
    SHORT toolbarId() const { return toolbarId_; }
    ostbar::IOstCommandBar* commandBar() const { return commandBar_.get(); }
    // The command's state in the table of command states (0 when it has no entry).
    LONG commandState(SHORT id) const;
    void setCommandState(SHORT id, LONG state);
    // The name of study 0-57 as its study record holds it, and whether it is drawn over the prices.
    std::string studyName(LONG study) const;
    bool isPriceIndicator(LONG study) const;
    // While the analytical chart is active: puts the study's command into its indicator menu when it is
    // missing there and gives it the study's name (and, for RegisterStudyCommand, its check mark).
    void RegisterStudyCommand(LONG study, bool checked);
    void UpdateStudyCommand(LONG study);
    // Sets the caption of a command the command bar knows.
    void SetCommandText(SHORT id, const std::string& text);
    // Number of user studies in use.
    LONG userStudyCount() const { return userStudyCount_; }

protected:
    ~CFinancialCharts() override;

    IKvlExtensionCallback* callbackInterface() override { return this; }
    com::ComPtr<IKvlExtensionCallback>& previousCallbackSlot() override { return previous_; }
    CGalleryBase* callbackTarget() const override;

private:
    struct CommandStateEntry {
        SHORT id;
        LONG state;
    };

    static HRESULT getSeries(SHORT* out, SHORT value) {
        if (!out)
            return com::E_POINTER;
        *out = value;
        return com::S_OK;
    }
    void createCommandBar();
    void ShowFinancialToolbar(bool show, bool attach);
    void registerToolbarEntry(bool show);
    void trimIndicatorMenu(SHORT menu, SHORT keep);
    void placeStudyCommand(LONG study);
    void enableStudyCommands();
    void applyCommandStates();
    void showStudiesTool(bool show);
    // The site's command collection (QueryInfo kind 26), kept for the commands' later use.
    void keepReportedCollection();

    // Command-bar objects: the bar, its toolbar, a second interface of it, the studies tool.
    com::ComPtr<ostbar::IOstCommandBar> commandBar_;
    com::ComPtr<ostbar::IOstToolbar> toolbar_;
    com::ComPtr<ostbar::IOstToolbarObj> toolbarObj_;
    com::ComPtr<com::IUnknown> studiesTool_;
    // The Data buffer of the COM surface.
    std::vector<double> data_;
    // User-study series.
    LONG userStudyCount_ = 0;
    bool autoRecalc_ = false;
    ChartTypeState chartTypeState_;
    // Set while the extension changes the chart itself; no chart type is offered then.
    bool busy_ = false;
    // Commands: the first study command id, the toolbar's entry, the collection last reported, states.
    SHORT firstStudyCommandId_ = -1;
    SHORT toolbarId_ = -1;
    com::ComPtr<ostbar::IOstCommands> keptCommands_;
    bool studiesToolRegistered_ = false;
    bool barHosted_ = false;
    LONG keptContainerId_ = 0;
    std::vector<CommandStateEntry> commandStates_;
    CExtensionEvents events_;
};

}  // namespace dravik
