#pragma once

// The notes list ("Market Commentary"): a docked tool window that lists the notes of the charted
// company or all notes, marks the unread ones, and opens a note in the note window on a left click
// or on Enter. Opening a note marks it read. Before each note the disclaimer shows until the user
// asked not to see it again. Closing the window only hides it while the program runs.

#include <QPoint>

#include <cstdint>
#include <functional>
#include <memory>

#include "appdata/records/clsCompany.h"
#include "frame/Form.h"
#include "frame/notes/NoteListModel.h"
#include "frame/notes/frmNote.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace frame {

struct NoteListLinks {
    // The company on the chart, or null.
    std::function<std::shared_ptr<tarnwick::clsCompany>()> chartedCompany;
    // Shows the disclaimer and the note window modally; empty shows them with runModal().
    ModalRunner runModal;
};

class frmNoteList : public Form {
public:
    explicit frmNoteList(NoteListLinks links = {});
    static FormModel design();

    // The list fillers: each works only while its own option is chosen.
    void FillNotesListCompany(const tarnwick::clsCompany& company);
    void FillNotesListAll();

    // Opens the note of a list item (nothing for null): disclaimer, mark read, note window.
    void ShowNote(const QTreeWidgetItem* item);

    void Form_Load();
    void Form_Resize();
    void lsvNotes_ColumnClick(int position);
    void lsvNotes_KeyPress(int key);
    void lsvNotes_MouseDown(Qt::MouseButton button, QPoint position);
    void optShow_Click(int index);

    const NoteListModel& notesModel() const { return m_model; }
    QTreeWidget* lsvNotes() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRows();
    void showCaption();
    void showNoteWindow(const NoteView& view);
    void connectControls();

    NoteListLinks m_links;
    NoteListModel m_model;
};

}  // namespace frame
