#pragma once

// The chart settings tool window: the company to chart by its ticker, the period, the interval,
// split-adjusted prices, the two index overlays and the chart template. The window keeps no settings
// of its own: its controls show the chart window's choices (frmMain::chartChoices), which the chart
// window reads at its load and stores at its close. Nothing is charted while the program starts.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "frame/Form.h"
#include "frame/FrameHooks.h"
#include "frame/chart/TemplateChoice.h"
#include "frame/chart/TemplateCommands.h"

namespace frame {

class MDIForm1;
class frmMain;

class frmChartSettings : public Form {
public:
    // `showSearch` opens the company search window; without it the Search link is disabled.
    frmChartSettings(MDIForm1& frame, std::function<void()> showSearch = {});
    ~frmChartSettings() override;

    static FormModel design();

    // The template list and the commands that change it.
    chart::TemplateChoice& templates() { return m_templates; }
    chart::TemplateCommands& templateCommands() { return *m_commands; }
    // Lists every template of gTemplates, once: the list is filled at start and changed entry by
    // entry afterwards.
    void listTemplates();
    // Shows the template list as it now is.
    void showTemplates();
    // Shows the chart window's choices in the controls, without running their handlers.
    void showChartChoices();
    // Marks the template of that ID and loads it; true when it was applied.
    bool chooseTemplate(std::int32_t templateId);
    // Enables or disables the tool-bar button of that key; whether it is enabled.
    void enableButton(const QString& key, bool enabled);
    bool buttonEnabled(const QString& key) const;
    frmMain& chartWindow() const;

    // Applies the template marked in the list (no mark, or a template that is gone, is an error that
    // is logged). True when it was applied.
    bool LoadTemplate();

    // Shows a ticker in the symbol box, as the search window does for the company it charts.
    void showSymbol(const QString& symbol);

    // Handlers, as the controls run them. The value of a list or check box is taken into the chart
    // window's choices before its handler runs.
    void Form_Resize();
    void txtSymbol_Change();
    void txtSymbol_KeyPress(std::int16_t KeyAscii);
    void cmdRefresh_Click();
    void lblSearch_Click();
    void cmbPeriod_Click();
    void cmbInterval_Click();
    void chkAdjusted_Click();
    void chkCatIndex_Click();
    void chkGeneralIndex_Click();
    void cmbTemplates_Click();
    void Toolbar1_ButtonClick(const QString& key);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Refill { Rebuild, KeepData };

    void connectControls();
    void connectList(const char* name, std::function<void(int)> chosen);
    void connectCheckBox(const char* name, std::function<void(bool)> checked);
    void recharts(Refill refill, bool showInWatchList);
    void showOverlay(bool sector);
    void showChartCompanyInWatchList();

    MDIForm1& m_frame;
    std::function<void()> m_showSearch;
    chart::TemplateChoice m_templates;
    std::unique_ptr<chart::TemplateCommands> m_commands;
    bool m_templatesListed = false;
};

// Adds the chart settings window to the frame's hooks: it is created as the tool window
// "frmChartSettings", the chart window reaches its template list and controls through the peers, and
// the four template commands run on it. `frame` answers the frame being loaded. Hooks set before
// stay for the other windows and buttons.
void ConnectChartSettings(FrameHooks& hooks, std::function<MDIForm1*()> frame,
                          std::function<void()> showSearch = {});

}  // namespace frame
