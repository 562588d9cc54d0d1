#pragma once

// The five watch-list commands of the chart window's WatchList menu, the watch-list window's tool bar
// and the list's pop-up menu: new, rename, delete, add companies, remove a company. Each works on
// the list chosen in the watch-list window and keeps the database, gWatchLists, gWLCompanies, the
// combo and the list view in step. A system list (one per market) takes no command but New.
//
// A change the database refused is reported to the user and leaves the window as it was.

#include <functional>

#include <QString>

#include "appdata/KeyedCollection.h"
#include "appdata/records/clsCompany.h"
#include "appdata/records/clsWL.h"

namespace frame {

class frmMain;
class frmWatchList;

// The modal dialogs the commands ask through; each answers gDialogResult.
struct WatchListDialogs {
    // Asks for a name under `caption`; when confirmed the name is in `list`.
    std::function<bool(tarnwick::clsWL& list, const QString& caption)> askName;
    // Lets the user pick companies into `chosen`, keyed "ID_n" in picking order.
    std::function<bool(tarnwick::KeyedCollection<tarnwick::clsCompany>& chosen)> pickCompanies;

    // The program's own dialogs.
    static WatchListDialogs programDialogs();
};

class WatchListCommands {
public:
    WatchListCommands(std::function<frmWatchList*()> window, std::function<frmMain*()> chart,
                      WatchListDialogs dialogs);

    void mnuWLNew_Click();
    void mnuWLEdit_Click();
    void mnuWLDelete_Click();
    void mnuWLAdd_Click();
    void mnuPopupRemove_Click();

private:
    // The list chosen in the window's combo when it takes commands (a user list), else null.
    tarnwick::clsWL* currentUserList() const;
    void addCompanies(tarnwick::clsWL& list, const tarnwick::KeyedCollection<tarnwick::clsCompany>& chosen);
    void selectAfterDelete(int deletedIndex);
    void enableDisable() const;

    std::function<frmWatchList*()> m_window;
    std::function<frmMain*()> m_chart;
    WatchListDialogs m_dialogs;
};

}  // namespace frame
