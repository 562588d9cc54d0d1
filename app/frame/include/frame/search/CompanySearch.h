#pragma once

// The company search that the add-company dialog and the search window share: a market, its sectors
// ("All" first), a name pattern and the indices-only box, and the found companies in a report list
// view keyed "ID_n" (ticker, name, sector, market). The text typed goes into the query only as a
// bound parameter and matches as typed, quotes and wildcard characters included.

#include <cstdint>
#include <functional>

#include "appdata/KeyedCollection.h"
#include "appdata/records/clsCompany.h"
#include "frame/FormModel.h"
#include "frame/lists/ReportListView.h"

class QComboBox;

namespace frame {

class Form;

class CompanySearch {
public:
    // The width of the search controls, twips.
    static constexpr std::int32_t kWidth = 6360;

    // The search controls of a window's design, placed from (left, top) inside `container`.
    static std::vector<ControlModel> design(int container, std::int32_t left, std::int32_t top);

    // Takes the controls of `form` by their names and connects them: a market chosen fills the
    // sectors, a header click sorts, Enter in the name box and the Search button run `onSearch`
    // (the window's search, which calls cmdSearch_Click).
    CompanySearch(Form& form, std::function<void()> onSearch);

    // Every market of gMarkets; the one of gDefaultMarket is chosen (its sectors listed).
    void fillMarkets();
    void cmbMarket_Click();
    // Lists the companies found; answers how many.
    std::size_t cmdSearch_Click();
    // The market chosen, or -1 when none is.
    std::int32_t selectedMarket() const;

    const tarnwick::KeyedCollection<tarnwick::clsCompany>& results() const { return m_results; }
    ReportListView& lsvCompanies() { return m_list; }

private:
    QComboBox& combo(const char* name) const;

    Form& m_form;
    ReportListView m_list;
    tarnwick::KeyedCollection<tarnwick::clsCompany> m_results;
};

// The text of a company's row: ticker, name, sector, market's short name.
QStringList companyRow(const tarnwick::clsCompany& company);

}  // namespace frame
