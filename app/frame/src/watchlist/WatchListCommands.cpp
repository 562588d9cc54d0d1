#include "frame/watchlist/WatchListCommands.h"

#include <QComboBox>

#include "appdata/MarketCollections.h"
#include "appdata/Trap.h"
#include "frame/FrameGlobals.h"
#include "frame/LanguageTable.h"
#include "frame/MessageBox.h"
#include "frame/ModalWindow.h"
#include "frame/frmMain.h"
#include "frame/lists/KeyedCombo.h"
#include "frame/lists/ListFillers.h"
#include "frame/search/frmAddSymbol.h"
#include "frame/watchlist/frmAddWL.h"
#include "frame/watchlist/frmWatchList.h"

namespace frame {
namespace {

using tarnwick::RecordKey;
using tarnwick::Trap;

// Language-table rows.
constexpr std::int32_t kAddNewWatchList = 127;
constexpr std::int32_t kRenameWatchList = 129;
constexpr std::int32_t kDeleteQuestionEnd = 131;
constexpr std::int32_t kDeleteQuestionStart = 132;

// Told when the database refused a change: the error itself is in the error log.
void reportNotStored() {
    showMessage(gArabic ? QStringLiteral("تعذر حفظ التغيير في قائمة المراقبة.")
                        : QStringLiteral("The change to the watch list could not be saved."),
                ui::MB_ICONEXCLAMATION);
}

bool askNameInDialog(tarnwick::clsWL& list, const QString& caption) {
    auto* dialog = new frmAddWL;
    dialog->PrepareME(list);
    gDialogResult = false;
    dialog->model().caption = caption;
    dialog->setWindowTitle(caption);
    runModal(*dialog);
    if (dialog->isLoaded())
        dialog->unload();
    return gDialogResult;
}

bool pickInDialog(tarnwick::KeyedCollection<tarnwick::clsCompany>& chosen) {
    auto* dialog = new frmAddSymbol;
    dialog->PrepareME(chosen);
    gDialogResult = false;
    runModal(*dialog);
    if (dialog->isLoaded())
        dialog->unload();
    return gDialogResult;
}

}  // namespace

WatchListDialogs WatchListDialogs::programDialogs() {
    WatchListDialogs dialogs;
    dialogs.askName = askNameInDialog;
    dialogs.pickCompanies = pickInDialog;
    return dialogs;
}

WatchListCommands::WatchListCommands(std::function<frmWatchList*()> window, std::function<frmMain*()> chart,
                                     WatchListDialogs dialogs)
    : m_window(std::move(window)), m_chart(std::move(chart)), m_dialogs(std::move(dialogs)) {}

tarnwick::clsWL* WatchListCommands::currentUserList() const {
    frmWatchList* window = m_window();
    if (window == nullptr)
        return nullptr;
    const auto key = selectedEntryKey(window->cmbWL());
    if (!key)
        return nullptr;
    tarnwick::clsWL& list = tarnwick::gWatchLists.item(*key);
    return list.isSystem ? nullptr : &list;
}

void WatchListCommands::enableDisable() const {
    if (frmMain* chart = m_chart())
        chart->EnableDisable();
}

// A new list is stored first; only a stored list is shown and gets companies.
void WatchListCommands::mnuWLNew_Click() {
    Trap("mnuWLNew_Click", [&] {
        frmWatchList* window = m_window();
        tarnwick::clsWL list;
        if (window == nullptr || !m_dialogs.askName ||
            !m_dialogs.askName(list, GetLangString(kAddNewWatchList)))
            return;
        if (!list.InsertDB()) {
            reportNotStored();
            return;
        }
        const std::string key = RecordKey(list.ID);
        const QString name = QString::fromStdString(list.Name);
        tarnwick::gWatchLists.add(std::move(list), key);
        QComboBox& combo = window->cmbWL();
        addKeyedEntry(combo, key, name);
        combo.setCurrentIndex(combo.count() - 1);
        window->cmbWL_Click();
        mnuWLAdd_Click();
    });
}

void WatchListCommands::mnuWLEdit_Click() {
    Trap("mnuWLEdit_Click", [&] {
        tarnwick::clsWL* current = currentUserList();
        if (current == nullptr || !m_dialogs.askName)
            return;
        tarnwick::clsWL renamed;
        renamed.Name = current->Name;
        if (!m_dialogs.askName(renamed, GetLangString(kRenameWatchList)))
            return;
        const std::string previous = current->Name;
        current->Name = renamed.Name;
        if (!current->UpdateDB()) {
            current->Name = previous;
            reportNotStored();
            return;
        }
        QComboBox& combo = m_window()->cmbWL();
        combo.setItemText(combo.currentIndex(), QString::fromStdString(current->Name));
    });
}

void WatchListCommands::mnuWLDelete_Click() {
    Trap("mnuWLDelete_Click", [&] {
        tarnwick::clsWL* current = currentUserList();
        if (current == nullptr)
            return;
        QComboBox& combo = m_window()->cmbWL();
        const int index = combo.currentIndex();
        const QString question =
            GetLangString(kDeleteQuestionStart) + combo.itemText(index) + GetLangString(kDeleteQuestionEnd);
        if (showMessage(question, ui::MB_YESNO | ui::MB_ICONQUESTION) != ui::IDYES)
            return;
        if (!current->DeleteDB()) {
            reportNotStored();
            return;
        }
        tarnwick::gWatchLists.remove(RecordKey(current->ID));
        combo.removeItem(index);
        selectAfterDelete(index);
    });
}

// The list before the deleted one is shown; when the first list went, the new first one; when none
// is left, an empty list view.
void WatchListCommands::selectAfterDelete(int deletedIndex) {
    frmWatchList* window = m_window();
    QComboBox& combo = window->cmbWL();
    const int next = deletedIndex > 0 ? deletedIndex - 1 : (combo.count() > 0 ? 0 : -1);
    combo.setCurrentIndex(next);
    gWLCompanies.clear();
    if (next >= 0) {
        window->cmbWL_Click();
        return;
    }
    window->lsvWL().clear();
    enableDisable();
}

void WatchListCommands::mnuWLAdd_Click() {
    Trap("mnuWLAdd_Click", [&] {
        tarnwick::KeyedCollection<tarnwick::clsCompany> chosen;
        tarnwick::clsWL* current = currentUserList();
        if (current == nullptr || !m_dialogs.pickCompanies || !m_dialogs.pickCompanies(chosen))
            return;
        addCompanies(*current, chosen);
    });
}

// Companies already in the list are passed over without a word; the selection stays.
void WatchListCommands::addCompanies(tarnwick::clsWL& list,
                                     const tarnwick::KeyedCollection<tarnwick::clsCompany>& chosen) {
    ReportListView& view = m_window()->lsvWL();
    for (const auto& company : chosen) {
        if (!list.AddWLitem(*company))
            continue;
        const std::string key = RecordKey(company->ID);
        if (!gWLCompanies.exists(key))
            gWLCompanies.add(company, key);
        view.add(key, watchListRow(*company));
    }
}

void WatchListCommands::mnuPopupRemove_Click() {
    Trap("mnuPopupRemove_Click", [&] {
        frmWatchList* window = m_window();
        if (window == nullptr)
            return;
        const auto key = window->lsvWL().selectedKey();
        tarnwick::clsWL* current = key ? currentUserList() : nullptr;
        if (current == nullptr)
            return;
        const tarnwick::clsCompany& company = gWLCompanies.item(*key);
        if (!current->RemoveWLItem(company)) {
            reportNotStored();
            return;
        }
        gWLCompanies.remove(*key);
        // The list view would move the selection to the next row, a company the chart does not show,
        // which a second Remove would then take out: the selection follows the chart instead.
        window->lsvWL().remove(*key);
        window->lsvWL().clearSelection();
        if (frmMain* chart = m_chart(); chart != nullptr && chart->chartFill() != nullptr)
            window->lsvWL().select(RecordKey(chart->chartFill()->CompanyID));
        enableDisable();
    });
}

}  // namespace frame
