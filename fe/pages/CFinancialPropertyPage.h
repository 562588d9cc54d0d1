// The base of the extension's property pages: binds the page to the chart and its extension, keeps
// the page's dirty state, and applies the page's values with one recalculation of the chart.
//
// Binding: the frame hands the page one object, the chart or the extension. The page asks it for the
// chart's site (korvel::IKvlExtensionSite: the chart is one, an attached extension answers with the site it
// is attached to), asks the site for the extension (IFinancialCharts), makes the chart-control adapter and
// reads the chart's colour table. A page then takes its own objects from the extension (BindPage).
//
// The page's window is a ui::Dialog built from the page's control table; its controls are addressed by
// their ids. Any edit in a control marks the page changed, which enables the frame's Apply.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include <QPointer>
#include <QSize>

#include "com/ComPtr.h"
#include "dravik/IFinancialCharts.h"
#include "gdi/Types.h"
#include "host/CHostChartAdapter.h"
#include "korvel/KvlContract.h"
#include "res/ResourceModule.h"
#include "ui/Dialog.h"
#include "ui/PropertyPage.h"

namespace dravik {

// The dialog item of a page's work-series list.
inline constexpr int kWorkSeriesItem = 500;

// What a page is made of: its title and help texts (string ids), its dialog and its controls.
struct PageLayout {
    std::uint32_t titleId = 0;
    std::uint32_t helpId = 0;
    std::uint32_t helpDocId = 0;
    int dialogId = 0;
    QSize size;
    std::vector<ui::ControlTemplate> controls;
};

// A copy of the chart's colour table (empty when the chart gives none).
std::vector<gdi::COLORREF> ReadChartColorTable(korvel::IKvlExtensionSite* chart);

class CFinancialPropertyPage : public ui::PropertyPage, protected ui::DialogHandler {
public:
    explicit CFinancialPropertyPage(PageLayout layout);
    ~CFinancialPropertyPage() override;

    // --- ui::PropertyPage ---
    QString title() const override;
    void setPageSite(ui::PropertyPageSite* site) override;
    // Binds to the first object; E_INVALIDARG when there is none or it leads to no extension.
    com::HRESULT setObjects(std::span<com::IUnknown* const> objects) override;
    QWidget* activate(QWidget* parent) override;
    void deactivate() override;
    void show(bool shown) override;
    com::HRESULT isPageDirty() const override;
    // S_FALSE on a clean page. Otherwise writes the page's values with the extension's AutoRecalc off,
    // so that the chart recalculates once afterwards (when AutoRecalc was on). A value the extension
    // refuses keeps the page dirty and answers the refusal.
    com::HRESULT apply() override;

    // --- binding ---
    // Releases what was bound, then binds to `object` (see above). E_INVALIDARG leaves nothing bound.
    com::HRESULT BindObjects(com::IUnknown* object);
    korvel::IKvlExtensionSite* chart() const { return chart_.get(); }
    IFinancialCharts* extension() const { return extension_.get(); }
    CHostChartAdapter* adapter() const { return adapter_.get(); }
    // The chart's colour table, which the colour lists offer.
    std::span<const gdi::COLORREF> colorTable() const;

    // --- dirty state ---
    void SetDirty(bool dirty);
    bool isDirty() const { return dirty_; }
    // Two kinds of change a page may track apart; each also makes the page dirty.
    void MarkChanged1();
    void MarkChanged2();
    bool changed1() const { return changed1_; }
    bool changed2() const { return changed2_; }

    const PageLayout& layout() const { return layout_; }
    // The page's window while it is active.
    ui::Dialog* dialog() const { return dialog_.data(); }
    // The module the page's texts come from (the extension's current language).
    static std::shared_ptr<const res::ResourceModule> textModule();

protected:
    // The page takes its own objects from the bound extension; a failure answers E_INVALIDARG.
    virtual com::HRESULT BindPage() { return com::S_OK; }
    virtual void ReleasePage() {}
    // Shows the objects' values in the controls.
    virtual void LoadPage(ui::Dialog& dialog) = 0;
    // Selects the extension's work series in the work-series list (item kWorkSeriesItem).
    virtual void ShowWorkSeries(ui::Dialog& dialog);
    // The chart series chosen in the work-series list.
    virtual com::SHORT ReadWorkSeries(const ui::Dialog& dialog);
    // Writes the controls to the objects; the first refusal is answered (later values are still set).
    virtual com::HRESULT ApplyPage(ui::Dialog& dialog) = 0;

    // --- ui::DialogHandler ---
    bool onInitDialog(ui::Dialog& dialog) override;
    bool onCommand(ui::Dialog& dialog, int id, int code) override;

    // Writes the chosen work series to the extension.
    com::HRESULT ApplyWorkSeries(const ui::Dialog& dialog);

private:
    void release();

    PageLayout layout_;
    ui::PropertyPageSite* site_ = nullptr;
    QPointer<ui::Dialog> dialog_;
    bool dirty_ = false;
    bool loading_ = false;
    com::ComPtr<korvel::IKvlExtensionSite> chart_;
    com::ComPtr<IFinancialCharts> extension_;
    std::unique_ptr<CHostChartAdapter> adapter_;
    std::vector<gdi::COLORREF> colors_;  // a copy: the chart may replace its table while the page is open
    bool changed1_ = false;
    bool changed2_ = false;
};

}  // namespace dravik
