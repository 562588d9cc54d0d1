#pragma once

// The fillers of the tool windows' lists: the watch-list and template combos, the companies of one
// watch list and the analyst notes. They are the only writers of gWLCompanies and gNotes, which the
// windows then read by the keys of their rows. Each traps its errors, logs them under its own name
// and leaves what it added so far in place.

#include <QString>
#include <QStringList>

#include <cstdint>

#include "appdata/KeyedCollection.h"
#include "appdata/records/clsCompany.h"
#include "appdata/records/clsNote.h"
#include "appdata/records/clsWL.h"

class QComboBox;

namespace frame {

class ReportListView;

// The companies of the watch list shown, keyed "ID_n".
extern tarnwick::KeyedCollection<tarnwick::clsCompany> gWLCompanies;
// The notes shown in the notes list, keyed "ID_n".
extern tarnwick::KeyedCollection<tarnwick::clsNote> gNotes;

// What the notes fillers need of the notes window.
class NotesListView {
public:
    // The option buttons of the window: which notes it lists.
    enum class Shown { CompanyNotes, AllNotes, Nothing };

    virtual ~NotesListView() = default;
    virtual Shown shown() const = 0;
    virtual ReportListView& notes() = 0;
    virtual void setCaption(const QString& caption) = 0;
};

// A company's row of a watch list: ticker, name, sector name, and "Yes" for an index (nothing for
// a company). A sector the program does not know shows empty.
QStringList watchListRow(const tarnwick::clsCompany& company);
// A note's row: its new mark, the date as d/m/yyyy, the text without "<br>" marks, and the date as
// yyyymmdd for sorting.
QStringList noteRow(const tarnwick::clsNote& note);

// One entry per watch list of gWatchLists, in collection order; the combo is not cleared.
void FillWLCombo(QComboBox& cmbWL);
// One entry per template of gTemplates, in collection order; the combo is not cleared.
void FillTemplateCombo(QComboBox& cmbTemplates);
// Replaces gWLCompanies by the list's companies and lists them; the charted company's row is
// selected, else the first row. Nothing happens without a list.
void FillWLList(ReportListView& lsvWL, const tarnwick::clsWL* list, std::int32_t chartCompanyId);
// The company's notes, newest first, when the window lists one company's notes.
void FillNotesListCompany(NotesListView& window, const tarnwick::clsCompany* company);
// Every note, newest first, when the window lists all notes.
void FillNotesListAll(NotesListView& window);

}  // namespace frame
