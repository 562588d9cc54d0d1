#pragma once

// The program's report-style list views: one row per record, keyed "ID_n" like the record in its
// collection, text and sub-items in the columns, sorted on a header click by the clicked column with
// the order reversed on every click.

#include <QStringList>
#include <Qt>

#include <optional>
#include <string>

class QTreeWidget;
class QTreeWidgetItem;

namespace frame {

// The sort a list view keeps between header clicks.
struct ListViewSort {
    int key = 0;  // 0-based column
    Qt::SortOrder order = Qt::AscendingOrder;
    bool sorted = false;

    // A click on the header of the column at `columnIndex` (1-based, as column headers count): that
    // column becomes the key, ascending turns descending and anything else ascending.
    void columnClick(int columnIndex);
};

class ReportListView {
public:
    explicit ReportListView(QTreeWidget& list);

    QTreeWidget& widget() const { return m_list; }
    int count() const;
    void clear();
    // Appends a row: its text, then its sub-items in order; an empty text leaves a sub-item unset.
    void add(const std::string& key, const QStringList& texts);
    bool remove(const std::string& key);
    QTreeWidgetItem* find(const std::string& key) const;
    QTreeWidgetItem* itemAt(int row) const;
    static std::string keyOf(const QTreeWidgetItem& item);

    std::optional<std::string> selectedKey() const;
    // Selects the row of `key` and scrolls it into view; false when there is none.
    bool select(const std::string& key);
    void selectRow(int row);
    // No row selected and none current.
    void clearSelection();
    void ensureSelectionVisible();

    // Sorts by the column whose header was clicked (0-based, as the header reports it).
    void headerClicked(int column);
    const ListViewSort& sort() const { return m_sort; }

private:
    QTreeWidget& m_list;
    ListViewSort m_sort;
};

}  // namespace frame
