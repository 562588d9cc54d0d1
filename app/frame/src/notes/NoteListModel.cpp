#include "frame/notes/NoteListModel.h"

#include <algorithm>

#include "appchart/fill/ChartReading.h"
#include "appdata/MarketQueries.h"
#include "frame/LanguageTable.h"
#include "frame/ReadingOrder.h"
#include "frame/notes/NoteImageDownload.h"

namespace frame {
namespace {

// Language-table rows of the captions.
constexpr std::int32_t kAllNotesCaption = 100;
constexpr std::int32_t kCompanyNotesCaption = 103;

const QString kLineMark = QStringLiteral("<br>");
const QString kLineBreak = QStringLiteral("\r\n");

QString noteLines(const std::string& text, const QString& lineBreak) {
    return QString::fromStdString(text).replace(kLineMark, lineBreak, Qt::CaseSensitive);
}

}  // namespace

const QString& NoteRow::column(NoteColumn c) const {
    switch (c) {
        case NoteColumn::Date:
            return date;
        case NoteColumn::Note:
            return text;
        case NoteColumn::SortingDate:
            return sortingDate;
        case NoteColumn::New:
            break;
    }
    return isNew;
}

NoteRow NoteRow::of(const tarnwick::clsNote& note) {
    const int year = static_cast<int>(note.NoteDate.year());
    const unsigned month = static_cast<unsigned>(note.NoteDate.month());
    const unsigned day = static_cast<unsigned>(note.NoteDate.day());
    NoteRow row;
    row.key = tarnwick::RecordKey(note.ID);
    row.isNew = QString::fromStdString(note.isNew);
    row.date = QStringLiteral("%1/%2/%3").arg(day).arg(month).arg(year);
    row.text = noteLines(note.Text, QString());
    row.sortingDate = QStringLiteral("%1%2%3")
                          .arg(year)
                          .arg(month, 2, 10, QLatin1Char('0'))
                          .arg(day, 2, 10, QLatin1Char('0'));
    return row;
}

void NoteListModel::FillNotesListCompany(const tarnwick::clsCompany& company) {
    if (show_ != Show::SelectedCompany)
        return;
    list(company.GetNotes(), GetLangString(kCompanyNotesCaption) + QString::fromStdString(company.Symbol));
}

void NoteListModel::FillNotesListAll() {
    if (show_ != Show::All)
        return;
    list(tarnwick::GetAllNotes(), GetLangString(kAllNotesCaption));
}

void NoteListModel::list(tarnwick::KeyedCollection<tarnwick::clsNote> notes, QString caption) {
    notes_ = std::move(notes);
    rows_.clear();
    rows_.reserve(notes_.count());
    for (const auto& note : notes_)
        rows_.push_back(NoteRow::of(*note));
    if (sorted_)
        sortRows();
    caption_ = std::move(caption);
}

void NoteListModel::sortByColumn(int position) {
    sorted_ = true;
    const NoteColumn clicked = static_cast<NoteColumn>(std::clamp(position, 0, kNoteColumnCount - 1));
    sortKey_ = clicked == NoteColumn::Date ? NoteColumn::SortingDate : clicked;
    descending_ = !descending_;
    sortRows();
}

// A text sort without regard to case, as the list view sorts; equal texts keep their order.
void NoteListModel::sortRows() {
    std::stable_sort(rows_.begin(), rows_.end(), [this](const NoteRow& a, const NoteRow& b) {
        const int order = QString::compare(a.column(sortKey_), b.column(sortKey_), Qt::CaseInsensitive);
        return descending_ ? order > 0 : order < 0;
    });
}

NoteRow& NoteListModel::row(const std::string& key) {
    const auto it = std::find_if(rows_.begin(), rows_.end(), [&](const NoteRow& r) { return r.key == key; });
    if (it == rows_.end())
        throw tarnwick::AppError(tarnwick::errnum::kInvalidProcedureCall,
                                 "Invalid procedure call or argument");
    return *it;
}

NoteView NoteListModel::open(const std::string& key) {
    tarnwick::clsNote& note = notes_.item(key);
    NoteRow& listed = row(key);
    if (!note.isNew.empty()) {
        note.isNew.clear();
        note.UpdateDB();
        listed.isNew = QStringLiteral(" ");
    }
    NoteView view;
    view.text = noteText(note);
    if (note.HasImage)
        view.picture = NoteImageFile(note.ID);
    return view;
}

// The note window reads right to left in Arabic, where the date heading needs its own reading order.
QString NoteListModel::noteText(const tarnwick::clsNote& note) {
    const QString date = QString::fromStdString(tarnwick::chart::ShortDateLegend(note.NoteDate));
    return (gArabic ? isolatedRun(date) : date) + QStringLiteral(":") + kLineBreak +
           noteLines(note.Text, kLineBreak);
}

}  // namespace frame
