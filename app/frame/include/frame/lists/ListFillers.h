#pragma once

// The fillers of the tool windows' lists: the watch-list combo and the companies of one
// watch list. They are the only writers of gWLCompanies, which the watch-list window then reads by
// the keys of its rows. Each traps its errors, logs them under its own name
// and leaves what it added so far in place.

#include <QString>
#include <QStringList>

#include <cstdint>

#include "appdata/KeyedCollection.h"
#include "appdata/records/clsCompany.h"
#include "appdata/records/clsWL.h"

class QComboBox;

namespace frame {

class ReportListView;

// The companies of the watch list shown, keyed "ID_n".
extern tarnwick::KeyedCollection<tarnwick::clsCompany> gWLCompanies;

// A company's row of a watch list: ticker, name, sector name, and "Yes" for an index (nothing for
// a company). A sector the program does not know shows empty.
QStringList watchListRow(const tarnwick::clsCompany& company);

// One entry per watch list of gWatchLists, in collection order; the combo is not cleared.
void FillWLCombo(QComboBox& cmbWL);
// Replaces gWLCompanies by the list's companies and lists them; the charted company's row is
// selected, else the first row. Nothing happens without a list.
void FillWLList(ReportListView& lsvWL, const tarnwick::clsWL* list, std::int32_t chartCompanyId);

}  // namespace frame
