#pragma once

// The add-company dialog: the user picks companies for a watch list by ticker or from a search of
// the company table. The picks go into the caller's collection, keyed "ID_n" in picking order; the
// dialog answers through gDialogResult and never writes the watch list itself.

#include "appdata/KeyedCollection.h"
#include "appdata/records/clsCompany.h"
#include "frame/Form.h"
#include "frame/search/CompanySearch.h"

namespace frame {

class frmAddSymbol : public Form {
public:
    explicit frmAddSymbol(QWidget* parent = nullptr);
    static FormModel design();

    // `chosen` must outlive the dialog.
    void PrepareME(tarnwick::KeyedCollection<tarnwick::clsCompany>& chosen);
    CompanySearch& search() { return m_search; }
    ReportListView& lstSymbols() { return m_picks; }

    void Form_Load();
    // Picks the company of the selected result row.
    void cmdAddSearch_Click();
    // Picks the company of the ticker typed.
    void cmdAdd_Click();
    void txtSymbol_Change();
    // Unpicks the selected pick.
    void lstSymbols_DblClick();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    bool pick(const std::shared_ptr<tarnwick::clsCompany>& company);

    CompanySearch m_search;
    ReportListView m_picks;
    tarnwick::KeyedCollection<tarnwick::clsCompany>* m_chosen = nullptr;
};

}  // namespace frame
