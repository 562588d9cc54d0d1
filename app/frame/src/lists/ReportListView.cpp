#include "frame/lists/ReportListView.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace frame {
namespace {

constexpr int kKeyRole = Qt::UserRole;

// Rows compare by text without regard to case, as the list view's own text sort does.
class ReportItem final : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
    }
};

}  // namespace

void ListViewSort::columnClick(int columnIndex) {
    sorted = true;
    key = columnIndex - 1;
    order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
}

ReportListView::ReportListView(QTreeWidget& list) : m_list(list) {
    m_list.setSelectionMode(QAbstractItemView::SingleSelection);
    m_list.setAllColumnsShowFocus(true);
    m_list.header()->setSectionsClickable(true);
}

int ReportListView::count() const {
    return m_list.topLevelItemCount();
}

void ReportListView::clear() {
    m_list.clear();
}

void ReportListView::add(const std::string& key, const QStringList& texts) {
    auto* item = new ReportItem;
    item->setData(0, kKeyRole, QString::fromStdString(key));
    for (int i = 0; i < texts.size(); ++i) {
        if (!texts[i].isEmpty())
            item->setText(i, texts[i]);
    }
    m_list.addTopLevelItem(item);
}

bool ReportListView::remove(const std::string& key) {
    QTreeWidgetItem* item = find(key);
    if (item == nullptr)
        return false;
    delete item;
    return true;
}

QTreeWidgetItem* ReportListView::find(const std::string& key) const {
    const QString wanted = QString::fromStdString(key);
    for (int i = 0; i < count(); ++i) {
        QTreeWidgetItem* item = m_list.topLevelItem(i);
        if (item->data(0, kKeyRole).toString() == wanted)
            return item;
    }
    return nullptr;
}

QTreeWidgetItem* ReportListView::itemAt(int row) const {
    return m_list.topLevelItem(row);
}

std::string ReportListView::keyOf(const QTreeWidgetItem& item) {
    return item.data(0, kKeyRole).toString().toStdString();
}

std::optional<std::string> ReportListView::selectedKey() const {
    const QList<QTreeWidgetItem*> selected = m_list.selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return keyOf(*selected.front());
}

bool ReportListView::select(const std::string& key) {
    QTreeWidgetItem* item = find(key);
    if (item == nullptr)
        return false;
    m_list.setCurrentItem(item);
    m_list.scrollToItem(item);
    return true;
}

void ReportListView::selectRow(int row) {
    if (QTreeWidgetItem* item = itemAt(row))
        m_list.setCurrentItem(item);
}

void ReportListView::clearSelection() {
    m_list.clearSelection();
    m_list.setCurrentItem(nullptr);
}

void ReportListView::ensureSelectionVisible() {
    const QList<QTreeWidgetItem*> selected = m_list.selectedItems();
    if (!selected.isEmpty())
        m_list.scrollToItem(selected.front());
}

void ReportListView::headerClicked(int column) {
    m_sort.columnClick(column + 1);
    m_list.header()->setSortIndicatorShown(true);
    m_list.header()->setSortIndicator(m_sort.key, m_sort.order);
    m_list.sortItems(m_sort.key, m_sort.order);
}

}  // namespace frame
