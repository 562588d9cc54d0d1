// The window part of the studies tool: the list of studies, each with a check box that shows or hides
// it, and below it the description of the selected study's parameters.
//
// Item data of a list entry: study number * 256 + state (1 shown, 0 hidden). The list is sorted by
// name. A user study is listed only while it is in the analytical chart's calculated list, a custom
// study only once it was set up as a copy of a built-in one.
#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace dravik {

class StudiesToolOwner;

class CStudiesToolWnd final : public QWidget {
public:
    CStudiesToolWnd(StudiesToolOwner& owner, QWidget* parent);

    // Lists every study that is to be listed, selects the first entry and describes it.
    void BuildList();
    // Adds, renames or removes the entry of one study as its state says and refreshes its check box.
    void UpdateStudy(int study);
    // Describes the selected study again.
    void DescribeSelection();

    QListWidget* list() const { return list_; }
    QLabel* description() const { return description_; }
    // The list row of a study; -1 when it is not listed.
    int RowOf(int study) const;
    // The study of a list row; -1 for no row.
    int StudyAt(int row) const;

private:
    bool isListed(int study);
    int stateOf(int study);
    void addStudy(int study);
    void onItemChanged(QListWidgetItem* item);
    void toggle(int study);

    StudiesToolOwner& owner_;
    QListWidget* list_;
    QLabel* description_;
    bool updating_ = false;
};

}  // namespace dravik
