#include "frame/data/frmData.h"

#include <QCloseEvent>
#include <QTreeWidget>

#include <algorithm>

#include "appdata/AppError.h"
#include "appdata/Trap.h"
#include "frame/FrameGlobals.h"
#include "frame/LanguageTable.h"
#include "frame/Localize.h"
#include "frame/ReadingOrder.h"
#include "frame/chart/DrawingKinds.h"

namespace frame {
namespace {

using tarnwick::Trap;

const QString kList = QStringLiteral("lsvDataList");
// The list is narrower than the window and reaches below its lower edge, twips.
constexpr std::int32_t kListWidthAllowance = 100;
constexpr std::int32_t kListHeightOverhang = 350;
// Language rows of the fixed rows' names: date, price, open, high, low, close.
constexpr std::array<std::int32_t, kFixedChartValueRows> kFixedNameRows = {86, 87, 88, 89, 90, 91};

void setText(QTreeWidgetItem& item, int column, const QString& text) {
    if (item.text(column) != text)
        item.setText(column, text);
}

}  // namespace

FormModel frmData::design() {
    FormModel f;
    f.name = QStringLiteral("frmData");
    f.tag = QStringLiteral("85");
    f.caption = QStringLiteral("Chart Values");
    f.width = 3600;
    f.height = 4800;
    f.resizable = true;
    f.controls = {
        designControl("lsvDataList", ControlKind::ListView, "", QString(), 0, 0,
                      f.width - kListWidthAllowance, f.height + kListHeightOverhang),
    };
    // The column captions are the same in every language.
    f.control(kList).columns = {
        {QStringLiteral("Series"), QString(), f.width / 2},
        {QStringLiteral("Value"), QString(), f.width / 2},
    };
    return f;
}

frmData::frmData() : Form(design(), Localization::AsDesigned) {
    stayLoadedUntilClosing();
    QTreeWidget* list = lsvDataList();
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    Form_Load();
}

QTreeWidget* frmData::lsvDataList() const {
    return static_cast<QTreeWidget*>(controlWidget(kList));
}

void frmData::Form_Load() {
    Trap("Form_Load", [&] {
        LocalizeForm(*this);
        QTreeWidget* list = lsvDataList();
        list->clear();
        for (int row = 0; row < kChartValueRowCount; ++row)
            list->addTopLevelItem(new QTreeWidgetItem(list));
        std::array<QString, kFixedChartValueRows> names;
        for (std::size_t row = 0; row < names.size(); ++row)
            names[row] = GetLangString(kFixedNameRows[row]);
        m_model.setFixedNames(names);
        showRows();
    });
}

void frmData::DataChange(std::int16_t x, std::int16_t y, korvel::IKvlChart& chart) {
    struct ShowOnExit {
        frmData& window;
        ~ShowOnExit() { window.showRows(); }
    } show{*this};
    Trap("DataChange", [&] {
        const auto extension = chart::FinancialExtensionOf(chart);
        if (!extension)
            throw tarnwick::AppError(91, "Object variable or With block variable not set");
        m_model.DataChange(x, y, chart, *extension);
    });
}

// Only the texts that changed are written: the window follows every mouse movement.
void frmData::showRows() {
    QTreeWidget* list = lsvDataList();
    const ChartValuesModel::Rows& rows = m_model.rows();
    for (int row = 0; row < kChartValueRowCount && row < list->topLevelItemCount(); ++row) {
        QTreeWidgetItem& item = *list->topLevelItem(row);
        setText(item, 0, shownIn(list->layoutDirection(), rows[static_cast<std::size_t>(row)].name));
        setText(item, 1, shownIn(list->layoutDirection(), rows[static_cast<std::size_t>(row)].value));
    }
}

void frmData::Form_Resize() {
    Trap("Form_Resize", [&] {
        ControlModel& list = model().control(kList);
        const std::int32_t formWidth = width() * kTwipsPerPixel;
        const std::int32_t formHeight = height() * kTwipsPerPixel;
        list.width = formWidth - kListWidthAllowance;
        list.height = formHeight + kListHeightOverhang;
        QTreeWidget* widget = lsvDataList();
        widget->setGeometry(toPixels(list.left, list.top, std::max(list.width, 0), list.height));
        for (ColumnModel& column : list.columns)
            column.width = formWidth / 2;
        for (int column = 0; column < widget->columnCount(); ++column)
            widget->setColumnWidth(column, std::max(width() / 2, 0));
    });
}

void frmData::resizeEvent(QResizeEvent* event) {
    Form::resizeEvent(event);
    Form_Resize();
}

}  // namespace frame
