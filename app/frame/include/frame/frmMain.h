#pragma once

// The chart window: the child window of the frame that carries the chart `Korvel1` with its financial
// extension and annotation list, and the program's menus. The menus' data, view, help and chart output
// commands live here; the chart's template and watch-list commands come through
// FrameHooks::chartCommands. The menus' commands and enabled state are kept by chart::ChartWindowMenus,
// the extensions and what the window connects to them by chart::ChartWindowExtensions.

#include <QString>

#include <array>
#include <memory>

#include "appchart/fill/clsKorvelFill.h"
#include "appchart/output/GIF.h"
#include "dravik/IFinancialCharts.h"
#include "glossor/IGlosxList.h"

#include "frame/Form.h"
#include "frame/FrameHooks.h"
#include "frame/chart/ChartWindowExtensions.h"

class QMenu;

namespace korvel {
class KvlChartWidget;
}

namespace frame {

class MDIForm1;
namespace chart {
class ChartWindowMenus;
class DrawingHandles;
}  // namespace chart

class frmMain : public Form {
public:
    // Tool windows of the View items mnuViewForm(0) to mnuViewForm(3).
    static constexpr std::array<const char*, 4> kViewForms = {"frmChartSettings", "frmWatchList",
                                                              "frmNoteList", "frmData"};

    // What the chart settings window's controls hold: list indexes of cmbPeriod and cmbInterval, the
    // values (0 or 1) of chkAdjusted, chkGeneralIndex and chkCatIndex.
    struct ChartChoices {
        std::int16_t period = 0;
        std::int16_t interval = 0;
        std::int16_t adjusted = 1;
        std::int16_t generalIndex = 0;
        std::int16_t sectorIndex = 0;
    };

    frmMain(MDIForm1& frame, const FrameHooks& hooks);
    ~frmMain() override;

    static FormModel design();
    // The name of the View item for a tool window, or an empty text for a window without one.
    static QString viewItemFor(const QString& toolWindow);

    // Load and close of the window.
    void Form_Load();
    void Form_Resize();
    void Form_KeyPress(std::int16_t& KeyAscii);
    void Finalize();

    // Brings the watch-list and template commands into line with what is selected.
    void EnableDisable();
    // Stores the drawings of the company on the chart in the market database.
    void SaveKorvelCompanyProfile();

    MDIForm1& frame() const { return m_frame; }
    // The chart and its extensions (null until the load attached them).
    korvel::KvlChartWidget* Korvel1() const { return m_korvel; }
    // The drawings' handles and the hover test (null until the load attached the extensions).
    chart::DrawingHandles* drawingHandles() const;
    dravik::IFinancialCharts* financialExtension() const;
    glossor::IGlosxList* annotationList() const;
    tarnwick::chart::clsKorvelFill* chartFill() const { return gChartFill.get(); }
    appchart::GIF* gifWriter() const { return gGifWriter.get(); }
    ChartChoices& chartChoices() { return m_choices; }
    // The watch list's pop-up menu (mnuPopUPAdd, mnuPopupRemove), shown by the watch-list window.
    QMenu* popupMenu() const;
    // Whether a menu item of the window or of its pop-up menu is enabled.
    bool menuEnabled(const QString& itemName) const;
    // Charts the current company with the current choices (the chart settings of the chart window).
    // With `keepData` the company on the chart is read back as the last fill left it.
    void chartCurrentCompany(bool keepData = false);
    // Applies the chart template of that ID: the charted company's drawings are saved, the chart takes
    // the template's file, the window joins the new extension objects and charts the company again,
    // and what a template must not change is put back. True when the template was applied; false
    // when another load is running, the template is unknown or the chart refused its file (the chart
    // then stays as it was).
    bool LoadTemplate(std::int32_t templateId);
    // Whether a template load is under way.
    bool templateLoading() const { return m_templateLoading; }

    // Runs the command of a menu item by the item's name ("mnuExit", "mnuViewForm(2)", ...); false
    // when the item has no command.
    bool runMenuCommand(const QString& itemName);
    bool hasMenuCommand(const QString& itemName) const;

    // File, view and data commands.
    void mnuExit_Click();
    void mnuViewForm_Click(int Index);
    void mnuViewLanguage_Click();
    void mnuDatabankUpdate_Click();
    void mnuDatabankImportData_Click();
    void mnuDatabankSettings_Click();
    // Help commands.
    void mnuHelpDocumnetation_Click();
    void mnuHelpFAQ_Click();
    void mnuHelpWebsite_Click();
    void mnuHelpAbout_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openDocumentation(const char* page);
    void openTarget(const QUrl& target);
    chart::ChartWindowExtensionLinks extensionLinks();
    void reattachExtensions();
    void applyTemplateFile(std::int32_t templateId);
    void localizeChartCommands();
    void rebuildAverageLegends();
    void placeFrame(float left, float top, float width, float height);
    void restoreWatchList(std::int32_t lastWL);
    void readConnectionSettings();
    bool loadLastTemplate(std::int32_t lastTemplate);
    void setUpDefaultChart();

    MDIForm1& m_frame;
    const FrameHooks& m_hooks;
    std::unique_ptr<chart::ChartWindowMenus> m_menus;

    korvel::KvlChartWidget* m_korvel = nullptr;
    // Made by the load; goes after the fill, as the extension objects always did.
    std::unique_ptr<chart::ChartWindowExtensions> m_extensions;
    std::unique_ptr<tarnwick::chart::clsKorvelFill> gChartFill;
    std::unique_ptr<appchart::GIF> gGifWriter;
    ChartChoices m_choices;
    bool m_templateLoading = false;  // true while a template load runs; a nested load does nothing
};

}  // namespace frame
