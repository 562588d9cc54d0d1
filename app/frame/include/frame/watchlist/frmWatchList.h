#pragma once

// The watch-list tool window: the watch lists in a combo, the commands on a tool bar, and the
// companies of the chosen list in a report list view. Clicking a company keeps the drawings of the
// company on the chart and charts the clicked one. The window owns no data: the lists and companies
// are the program's collections (gWatchLists, gWLCompanies), the commands are the chart window's.

#include <functional>
#include <string>

#include "frame/Form.h"
#include "frame/lists/ReportListView.h"

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace frame {

class frmMain;

class frmWatchList : public Form {
public:
    // The chart window; null while there is none.
    using ChartWindow = std::function<frmMain*()>;

    explicit frmWatchList(ChartWindow chart, QWidget* parent = nullptr);
    static FormModel design();

    QComboBox& cmbWL() const;
    ReportListView& lsvWL() { return m_list; }
    // Enables or disables the tool-bar button of `key`.
    void enableButton(const QString& key, bool enabled);
    bool buttonEnabled(const QString& key) const;

    void Form_Resize();
    // Lists the companies of the list chosen in the combo and updates the commands.
    void cmbWL_Click();
    // Sorts by the column of that 1-based index.
    void lsvWL_ColumnClick(int columnIndex);
    // Charts the company of the clicked row (a company already on the chart is not charted again).
    void lsvWL_ItemClick(const std::string& key);
    // A press of `button` (1 left, 2 right, 4 middle), on a row or on empty space of the list.
    void lsvWL_MouseDown(int button, bool onItem);
    void Toolbar1_ButtonClick(const QString& key);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    void setToolbarIcons();
    bool listMousePress(const QMouseEvent& press);
    bool listKeyPress(QEvent* press);
    void showPopupMenu();
    void placeControl(const char* name, std::int32_t width, std::int32_t height);

    ChartWindow m_chart;
    ReportListView m_list;
    bool mBusy = false;            // a company click is being handled
    bool mPopupPending = false;    // a right press on a row asks for the menu once the click is done
    bool m_forwardingKey = false;  // a key press is being handed to the list
};

}  // namespace frame
