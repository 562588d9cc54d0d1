#pragma once

// The company search window: finds a company by market, sector, name and the indices-only box and
// charts the chosen one with the chart settings of the chart window, after keeping the drawings of
// the company on the chart. The watch list marks the company when it lists it.

#include <functional>

#include "frame/Form.h"
#include "frame/search/CompanySearch.h"

namespace frame {

class frmMain;

class frmSearch : public Form {
public:
    using ChartWindow = std::function<frmMain*()>;

    explicit frmSearch(ChartWindow chart, QWidget* parent = nullptr);
    static FormModel design();

    CompanySearch& search() { return m_search; }

    void Form_Load();
    // Searches; when something is found the list takes the focus with its first row selected.
    void cmdSearch_Click();
    // Charts the company of the selected row and closes the window.
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chart(const tarnwick::clsCompany& company, frmMain& chart);

    ChartWindow m_chart;
    CompanySearch m_search;
};

// Opens the search window, modal, over the chart window `chart` answers.
void ShowSearch(std::function<frmMain*()> chart);

}  // namespace frame
