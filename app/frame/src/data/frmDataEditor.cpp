#include "frame/data/frmDataEditor.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTreeWidget>

#include "appdata/AppError.h"
#include "appdata/Trap.h"
#include "frame/FrameGlobals.h"
#include "frame/Localize.h"
#include "frame/ReadingOrder.h"
#include "frame/chart/DrawingKinds.h"

namespace frame {
namespace {

using tarnwick::Trap;

const QString kEditorList = QStringLiteral("lsvData");
// What the list keeps free beside and below itself, twips.
constexpr std::int32_t kEditorListWidthAllowance = 145;
constexpr std::int32_t kEditorListHeightAllowance = 350;

}  // namespace

FormModel frmDataEditor::design() {
    FormModel f;
    f.name = QStringLiteral("frmDataEditor");
    f.tag = QStringLiteral("149");
    f.caption = QStringLiteral("Data Editor");
    f.width = 9000;
    f.height = 3000;
    f.resizable = true;
    f.controls = {
        designControl("lsvData", ControlKind::ListView, "", QString(), 60, 60,
                      f.width - kEditorListWidthAllowance, f.height - kEditorListHeightAllowance),
    };
    f.control(kEditorList).columns = {
        {QStringLiteral("Date"), QStringLiteral("86"), 1300},
        {QStringLiteral("Open"), QStringLiteral("88"), 1200},
        {QStringLiteral("High"), QStringLiteral("89"), 1200},
        {QStringLiteral("Low"), QStringLiteral("90"), 1200},
        {QStringLiteral("Close"), QStringLiteral("91"), 1200},
        {QStringLiteral("Volume"), QStringLiteral("195"), 1500},
        {QStringLiteral("SortingDate"), QString(), 0},
    };
    return f;
}

frmDataEditor::frmDataEditor() : Form(design(), Localization::AsDesigned) {
    stayLoadedUntilClosing();
    QTreeWidget* list = lsvData();
    list->setColumnHidden(static_cast<int>(DataColumn::SortingDate), true);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    list->header()->setSectionsClickable(true);
    QObject::connect(list->header(), &QHeaderView::sectionClicked, this,
                     [this](int position) { lsvData_ColumnClick(position); });
    Form_Load();
}

QTreeWidget* frmDataEditor::lsvData() const {
    return static_cast<QTreeWidget*>(controlWidget(kEditorList));
}

void frmDataEditor::Form_Load() {
    LocalizeForm(*this);
}

// Errors go to the caller (the chart fill logs them); the rows read before the error are shown.
void frmDataEditor::FillData(korvel::IKvlChart& chart, std::int32_t trailing) {
    struct ShowOnExit {
        frmDataEditor& window;
        ~ShowOnExit() { window.showRows(); }
    } show{*this};
    const auto extension = chart::FinancialExtensionOf(chart);
    if (!extension)
        throw tarnwick::AppError(91, "Object variable or With block variable not set");
    m_model.FillData(chart, *extension, trailing);
}

void frmDataEditor::showRows() {
    QTreeWidget* list = lsvData();
    list->setUpdatesEnabled(false);
    list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(m_model.rows().size()));
    for (const DataEditorRow& row : m_model.rows()) {
        QStringList cells;
        for (const QString& cell : row)
            cells.append(shownIn(list->layoutDirection(), cell));
        items.append(new QTreeWidgetItem(cells));
    }
    list->addTopLevelItems(items);
    QHeaderView* header = list->header();
    header->setSortIndicatorShown(m_model.sorted());
    if (m_model.sorted()) {
        const DataColumn shown =
            m_model.sortKey() == DataColumn::SortingDate ? DataColumn::Date : m_model.sortKey();
        header->setSortIndicator(static_cast<int>(shown),
                                 m_model.descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    }
    list->setUpdatesEnabled(true);
}

void frmDataEditor::Form_Resize() {
    Trap("Form_Resize",
         [&] { fitControlToWindow(kEditorList, kEditorListWidthAllowance, kEditorListHeightAllowance); });
}

void frmDataEditor::lsvData_ColumnClick(int position) {
    Trap("lsvData_ColumnClick", [&] {
        m_model.ColumnClick(position);
        showRows();
    });
}

void frmDataEditor::resizeEvent(QResizeEvent* event) {
    Form::resizeEvent(event);
    Form_Resize();
}

}  // namespace frame
