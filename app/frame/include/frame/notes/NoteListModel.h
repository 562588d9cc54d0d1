#pragma once

// What the notes list holds, apart from its widgets: the notes listed (the charted company's or all of
// them), one row per note as the list view shows it, the window's caption, the list's sort order,
// and the opening of a note, which marks it read.

#include <QString>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "appdata/KeyedCollection.h"
#include "appdata/records/clsCompany.h"
#include "appdata/records/clsNote.h"

namespace frame {

// The columns of the list view, by position.
enum class NoteColumn : int { New = 0, Date = 1, Note = 2, SortingDate = 3 };
inline constexpr int kNoteColumnCount = 4;

// One list item: its key "ID_" & the note's ID and the texts of its four columns.
struct NoteRow {
    std::string key;
    QString isNew;        // "N" while unread; a single space once opened here
    QString date;         // day/month/year without leading zeros
    QString text;         // the note with its "<br>" marks removed
    QString sortingDate;  // yyyymmdd, so that a text sort is a date sort

    const QString& column(NoteColumn c) const;
    static NoteRow of(const tarnwick::clsNote& note);
};

// A note as the note window shows it.
struct NoteView {
    QString text;                                  // the date line, then the note's lines
    std::optional<std::filesystem::path> picture;  // the picture file of a note that has one
};

class NoteListModel {
public:
    // The two option buttons optShow(0) and optShow(1).
    enum class Show : std::int16_t { SelectedCompany = 0, All = 1 };

    Show show() const { return show_; }
    void setShow(Show show) { show_ = show; }

    // With "Show for selected company" chosen: lists the company's notes, newest first, under the
    // caption "Market Commentary - " & its ticker. Otherwise nothing changes.
    void FillNotesListCompany(const tarnwick::clsCompany& company);
    // With "Show all" chosen: lists every note, newest first, under "Market Commentary - All Notes".
    void FillNotesListAll();

    const tarnwick::KeyedCollection<tarnwick::clsNote>& notes() const { return notes_; }
    // In display order.
    const std::vector<NoteRow>& rows() const { return rows_; }
    // Empty until a list was filled: the window keeps its designed caption.
    const QString& caption() const { return caption_; }

    // A click on the column header at `position`: sorting is on from now, by that column (the Date
    // column by its hidden sorting column), and the order flips with every click.
    void sortByColumn(int position);
    bool sorted() const { return sorted_; }
    NoteColumn sortKey() const { return sortKey_; }
    bool descending() const { return descending_; }

    // Opens the note of the row keyed `key`: an unread note is marked read in the database and in its
    // row. Throws AppError 5 for a key that is not listed.
    NoteView open(const std::string& key);

    // The note window's text: the short date, ":", a line break and the note with every "<br>" made
    // a line break. Lines break with CR LF.
    static QString noteText(const tarnwick::clsNote& note);

private:
    void list(tarnwick::KeyedCollection<tarnwick::clsNote> notes, QString caption);
    void sortRows();
    NoteRow& row(const std::string& key);

    Show show_ = Show::SelectedCompany;
    tarnwick::KeyedCollection<tarnwick::clsNote> notes_;
    std::vector<NoteRow> rows_;
    QString caption_;
    bool sorted_ = false;
    NoteColumn sortKey_ = NoteColumn::New;
    bool descending_ = false;
};

}  // namespace frame
