#include "frame/notes/frmNoteList.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <array>

#include "appdata/Globals.h"
#include "appdata/Trap.h"
#include "frame/FrameGlobals.h"
#include "frame/Localize.h"
#include "frame/ModalWindow.h"
#include "frame/frmDisclaimer.h"
#include "store/SettingsStore.h"

namespace frame {
namespace {

using tarnwick::Trap;

const QString kNotesListView = QStringLiteral("lsvNotes");
const std::array<QString, 2> kOptions = {QStringLiteral("optShow(0)"), QStringLiteral("optShow(1)")};
// What the list keeps free beside and above itself, twips.
constexpr std::int32_t kNotesListWidthAllowance = 155;
constexpr std::int32_t kNotesListHeightAllowance = 800;

bool disclaimerWanted() {
    return store::SettingsStore::getInt16(QString::fromLatin1(store::kApplication),
                                          QString::fromLatin1(store::kSection),
                                          QStringLiteral("ShowDisclaimer"), 0) == 0;
}

std::string keyOf(const QTreeWidgetItem& item) {
    return item.data(0, Qt::UserRole).toString().toStdString();
}

}  // namespace

FormModel frmNoteList::design() {
    FormModel f;
    f.name = QStringLiteral("frmNoteList");
    f.tag = QStringLiteral("100");
    f.caption = QStringLiteral("Market Commentary - All Notes");
    f.width = 4150;
    f.height = 6000;
    f.resizable = true;
    f.controls = {
        designControl("optShow(0)", ControlKind::OptionButton, "101",
                      QStringLiteral("Show for selected company"), 60, 60, 3900, 285),
        designControl("optShow(1)", ControlKind::OptionButton, "102", QStringLiteral("Show all"), 60, 375,
                      3900, 285),
        designControl("lsvNotes", ControlKind::ListView, "", QString(), 45, 720,
                      f.width - kNotesListWidthAllowance, f.height - kNotesListHeightAllowance),
    };
    // The shown columns fit the list's width, so that a click on a row never scrolls it sideways.
    f.control(kNotesListView).columns = {
        {QStringLiteral("New"), QStringLiteral("98"), 450},
        {QStringLiteral("Date"), QStringLiteral("86"), 1250},
        {QStringLiteral("Note"), QStringLiteral("99"), 1950},
        {QStringLiteral("SortingDate"), QString(), 0},
    };
    return f;
}

frmNoteList::frmNoteList(NoteListLinks links)
    : Form(design(), Localization::AsDesigned), m_links(std::move(links)) {
    stayLoadedUntilClosing();
    if (!m_links.runModal)
        m_links.runModal = [](Form& window) { frame::runModal(window); };
    QTreeWidget* list = lsvNotes();
    list->setColumnHidden(static_cast<int>(NoteColumn::SortingDate), true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    list->header()->setSectionsClickable(true);
    static_cast<QRadioButton*>(controlWidget(kOptions[0]))->setChecked(true);
    connectControls();
    Form_Load();
}

QTreeWidget* frmNoteList::lsvNotes() const {
    return static_cast<QTreeWidget*>(controlWidget(kNotesListView));
}

void frmNoteList::connectControls() {
    for (int index = 0; index < static_cast<int>(kOptions.size()); ++index) {
        auto* option = static_cast<QRadioButton*>(controlWidget(kOptions[static_cast<size_t>(index)]));
        QObject::connect(option, &QRadioButton::toggled, this, [this, index](bool checked) {
            if (!checked)
                return;
            m_model.setShow(static_cast<NoteListModel::Show>(index));
            optShow_Click(index);
        });
    }
    QTreeWidget* list = lsvNotes();
    QObject::connect(list->header(), &QHeaderView::sectionClicked, this,
                     [this](int position) { lsvNotes_ColumnClick(position); });
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
}

void frmNoteList::Form_Load() {
    LocalizeForm(*this);
}

// A press opens the note once the list has taken the press (and selected the row); a key goes to the
// list only when it is no Enter.
bool frmNoteList::eventFilter(QObject* watched, QEvent* event) {
    QTreeWidget* list = lsvNotes();
    if (watched == list->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const Qt::MouseButton button = press->button();
        const QPoint position = press->position().toPoint();
        QTimer::singleShot(0, this, [this, button, position] { lsvNotes_MouseDown(button, position); });
    } else if (watched == list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            lsvNotes_KeyPress(kEnterKeyAscii);
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void frmNoteList::FillNotesListCompany(const tarnwick::clsCompany& company) {
    Trap("FillNotesListCompany", [&] {
        m_model.FillNotesListCompany(company);
        showRows();
        showCaption();
    });
}

void frmNoteList::FillNotesListAll() {
    Trap("FillNotesListAll", [&] {
        m_model.FillNotesListAll();
        showRows();
        showCaption();
    });
}

// The list shows the model's rows in its order; the selected row stays selected.
void frmNoteList::showRows() {
    QTreeWidget* list = lsvNotes();
    const QTreeWidgetItem* selected = list->selectedItems().value(0);
    const std::string selectedKey = selected != nullptr ? keyOf(*selected) : std::string();
    list->clear();
    for (const NoteRow& row : m_model.rows()) {
        auto* item = new QTreeWidgetItem(list, {row.isNew, row.date, row.text, row.sortingDate});
        item->setData(0, Qt::UserRole, QString::fromStdString(row.key));
        if (!selectedKey.empty() && row.key == selectedKey) {
            item->setSelected(true);
            list->setCurrentItem(item);
        }
    }
    QHeaderView* header = list->header();
    header->setSortIndicatorShown(m_model.sorted());
    if (m_model.sorted()) {
        const NoteColumn shown =
            m_model.sortKey() == NoteColumn::SortingDate ? NoteColumn::Date : m_model.sortKey();
        header->setSortIndicator(static_cast<int>(shown),
                                 m_model.descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    }
}

void frmNoteList::showCaption() {
    if (m_model.caption().isEmpty())
        return;
    model().caption = m_model.caption();
    applyModel();
}

void frmNoteList::ShowNote(const QTreeWidgetItem* item) {
    if (item == nullptr)
        return;
    const std::string key = keyOf(*item);
    Trap("ShowNote", [&] {
        if (disclaimerWanted()) {
            auto* disclaimer = new frmDisclaimer(window());
            m_links.runModal(*disclaimer);
            if (disclaimer->isLoaded())
                disclaimer->unload();
        }
        const NoteView view = m_model.open(key);
        showRows();
        showNoteWindow(view);
    });
}

// A missing or broken picture is logged and the note still shows, with the No Image picture.
void frmNoteList::showNoteWindow(const NoteView& view) {
    auto* note = new frmNote(window(), m_links.runModal);
    note->setNoteText(view.text);
    if (view.picture)
        Trap("ShowNote", [&] { note->loadPicture(*view.picture); });
    m_links.runModal(*note);
    if (note->isLoaded())
        note->unload();
}

void frmNoteList::Form_Resize() {
    Trap("Form_Resize",
         [&] { fitControlToWindow(kNotesListView, kNotesListWidthAllowance, kNotesListHeightAllowance); });
}

void frmNoteList::lsvNotes_ColumnClick(int position) {
    Trap("lsvNotes_ColumnClick", [&] {
        m_model.sortByColumn(position);
        showRows();
    });
}

void frmNoteList::lsvNotes_KeyPress(int key) {
    Trap("lsvNotes_KeyPress", [&] {
        if (key == kEnterKeyAscii)
            ShowNote(lsvNotes()->selectedItems().value(0));
    });
}

void frmNoteList::lsvNotes_MouseDown(Qt::MouseButton button, QPoint position) {
    Trap("lsvNotes_MouseDown", [&] {
        if (button == Qt::LeftButton)
            ShowNote(lsvNotes()->itemAt(position));
    });
}

void frmNoteList::optShow_Click(int index) {
    if (tarnwick::gStarting)
        return;
    Trap("optShow_Click", [&] {
        if (index == 0) {
            if (const auto company = m_links.chartedCompany ? m_links.chartedCompany() : nullptr)
                FillNotesListCompany(*company);
        } else {
            FillNotesListAll();
        }
    });
}

void frmNoteList::resizeEvent(QResizeEvent* event) {
    Form::resizeEvent(event);
    Form_Resize();
}

}  // namespace frame
