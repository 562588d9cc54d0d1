#include "frame/lists/ListFillers.h"

#include <QComboBox>

#include "appdata/MarketCollections.h"
#include "appdata/MarketQueries.h"
#include "appdata/Trap.h"
#include "frame/LanguageTable.h"
#include "frame/lists/KeyedCombo.h"
#include "frame/lists/ReportListView.h"

namespace frame {

tarnwick::KeyedCollection<tarnwick::clsCompany> gWLCompanies;
tarnwick::KeyedCollection<tarnwick::clsNote> gNotes;

namespace {

using tarnwick::RecordKey;
using tarnwick::Trap;

// Language-table rows of the notes window's captions.
constexpr std::int32_t kAllNotesCaption = 100;
constexpr std::int32_t kCompanyNotesCaption = 103;

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QString sectorName(std::int32_t categoryId) {
    const std::string key = RecordKey(categoryId);
    return tarnwick::gCategories.exists(key) ? text(tarnwick::gCategories.item(key).Name) : QString();
}

void listNotes(NotesListView& window, tarnwick::KeyedCollection<tarnwick::clsNote> notes,
               const QString& caption) {
    gNotes = std::move(notes);
    ReportListView& list = window.notes();
    list.clear();
    for (const auto& note : gNotes)
        list.add(RecordKey(note->ID), noteRow(*note));
    window.setCaption(caption);
}

}  // namespace

QStringList watchListRow(const tarnwick::clsCompany& company) {
    return {text(company.Symbol), text(company.Name), sectorName(company.Category_ID),
            company.IS_INDEX ? QStringLiteral("Yes") : QString()};
}

QStringList noteRow(const tarnwick::clsNote& note) {
    const auto year = static_cast<int>(note.NoteDate.year());
    const auto month = static_cast<unsigned>(note.NoteDate.month());
    const auto day = static_cast<unsigned>(note.NoteDate.day());
    return {text(note.isNew), QStringLiteral("%1/%2/%3").arg(day).arg(month).arg(year),
            text(note.Text).remove(QStringLiteral("<br>")),
            QStringLiteral("%1%2%3")
                .arg(year)
                .arg(month, 2, 10, QLatin1Char('0'))
                .arg(day, 2, 10, QLatin1Char('0'))};
}

void FillWLCombo(QComboBox& cmbWL) {
    Trap("FillWLCombo", [&] {
        for (const auto& list : tarnwick::gWatchLists)
            addKeyedEntry(cmbWL, RecordKey(list->ID), text(list->Name));
    });
}

void FillTemplateCombo(QComboBox& cmbTemplates) {
    Trap("FillTemplateCombo", [&] {
        for (const auto& chartTemplate : tarnwick::gTemplates)
            addKeyedEntry(cmbTemplates, RecordKey(chartTemplate->ID), text(chartTemplate->Name));
    });
}

void FillWLList(ReportListView& lsvWL, const tarnwick::clsWL* list, std::int32_t chartCompanyId) {
    if (list == nullptr)
        return;
    Trap("FillWLList", [&] {
        gWLCompanies = list->GetItems();
        lsvWL.clear();
        for (const auto& company : gWLCompanies)
            lsvWL.add(RecordKey(company->ID), watchListRow(*company));
        if (!lsvWL.select(RecordKey(chartCompanyId)))
            lsvWL.selectRow(0);
    });
}

void FillNotesListCompany(NotesListView& window, const tarnwick::clsCompany* company) {
    if (window.shown() != NotesListView::Shown::CompanyNotes || company == nullptr)
        return;
    Trap("FillNotesListCompany", [&] {
        listNotes(window, company->GetNotes(), GetLangString(kCompanyNotesCaption) + text(company->Symbol));
    });
}

void FillNotesListAll(NotesListView& window) {
    if (window.shown() != NotesListView::Shown::AllNotes)
        return;
    Trap("FillNotesListAll",
         [&] { listNotes(window, tarnwick::GetAllNotes(), GetLangString(kAllNotesCaption)); });
}

}  // namespace frame
