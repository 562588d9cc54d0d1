#include "studiestool/CStudiesToolWnd.h"

#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "dravik/Commands.h"
#include "state/StudyRecord.h"
#include "studiestool/StudiesToolOwner.h"
#include "studiestool/StudyDescription.h"

namespace dravik {
namespace {

constexpr int kStateShift = 8;
constexpr int kFirstUser = static_cast<int>(kFirstUserStudy);
constexpr int kFirstCustom = static_cast<int>(kFirstCustomStudy);

int itemData(const QListWidgetItem* item) {
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

}  // namespace

CStudiesToolWnd::CStudiesToolWnd(StudiesToolOwner& owner, QWidget* parent)
    : QWidget(parent), owner_(owner), list_(new QListWidget(this)), description_(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(list_, 1);
    layout->addWidget(description_);
    list_->setSortingEnabled(true);
    list_->setFont(QFont(QStringLiteral("Arial")));
    description_->setWordWrap(true);
    QObject::connect(list_, &QListWidget::itemChanged, this,
                     [this](QListWidgetItem* item) { onItemChanged(item); });
    QObject::connect(list_, &QListWidget::currentRowChanged, this, [this](int) { DescribeSelection(); });
}

bool CStudiesToolWnd::isListed(int study) {
    if (study >= kFirstUser && study < kFirstCustom)
        return owner_.ToolFindCalculatedStudy(study, nullptr) != -1;
    if (study >= kFirstCustom) {
        const StudyRecord* record = owner_.ToolStudyRecord(study);
        return record && record->calcIndex >= 0 && record->calcIndex <= kLastBuiltInStudyKind;
    }
    return owner_.ToolStudyRecord(study) != nullptr;
}

int CStudiesToolWnd::stateOf(int study) {
    bool shown = false;
    owner_.ToolFindCalculatedStudy(study, &shown);
    return shown ? 1 : 0;
}

int CStudiesToolWnd::RowOf(int study) const {
    for (int row = 0; row < list_->count(); ++row) {
        if (StudyAt(row) == study)
            return row;
    }
    return -1;
}

int CStudiesToolWnd::StudyAt(int row) const {
    const int data = itemData(list_->item(row));
    return data < 0 ? -1 : data >> kStateShift;
}

void CStudiesToolWnd::addStudy(int study) {
    const int state = stateOf(study);
    auto* item = new QListWidgetItem(QString::fromStdString(owner_.ToolStudyName(study)));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setData(Qt::UserRole, (study << kStateShift) | state);
    item->setCheckState(state ? Qt::Checked : Qt::Unchecked);
    list_->addItem(item);
}

void CStudiesToolWnd::BuildList() {
    updating_ = true;
    list_->clear();
    for (int study = 0; study < static_cast<int>(kStudyCount); ++study) {
        if (isListed(study))
            addStudy(study);
    }
    updating_ = false;
    if (list_->count() > 0)
        list_->setCurrentRow(0);
    list_->scrollToTop();
    DescribeSelection();
}

void CStudiesToolWnd::UpdateStudy(int study) {
    updating_ = true;
    const int selected = StudyAt(list_->currentRow());
    const int row = RowOf(study);
    const QString name = QString::fromStdString(owner_.ToolStudyName(study));
    if (!isListed(study)) {
        delete list_->takeItem(row);
    } else if (row < 0 || list_->item(row)->text() != name) {
        // A new name takes a new place in the sorted list.
        delete list_->takeItem(row);
        addStudy(study);
    } else {
        QListWidgetItem* item = list_->item(row);
        const int state = stateOf(study);
        item->setData(Qt::UserRole, (study << kStateShift) | state);
        item->setCheckState(state ? Qt::Checked : Qt::Unchecked);
    }
    const int keep = RowOf(selected);
    if (keep >= 0 && keep != list_->currentRow())
        list_->setCurrentRow(keep);
    updating_ = false;
}

void CStudiesToolWnd::DescribeSelection() {
    const int study = StudyAt(list_->currentRow());
    const StudyRecord* record = study >= 0 ? owner_.ToolStudyRecord(study) : nullptr;
    const auto module = owner_.ToolResources();
    description_->setText(record && module ? QString::fromStdString(DescribeStudy(*module, *record))
                                           : QString());
}

void CStudiesToolWnd::onItemChanged(QListWidgetItem* item) {
    if (updating_)
        return;
    const int data = itemData(item);
    const bool checked = item->checkState() == Qt::Checked;
    if (data < 0 || checked == ((data & 1) != 0))
        return;
    toggle(data >> kStateShift);
}

void CStudiesToolWnd::toggle(int study) {
    // The container may take the command itself.
    if (owner_.ToolInternalCommand(StudyCommand(study)) == 0) {
        bool shown = false;
        owner_.ToolFindCalculatedStudy(study, &shown);
        owner_.ToolToggleStudy(study, shown);
    }
    // The check box shows what the study's state is now, whatever came of the toggle.
    UpdateStudy(study);
}

}  // namespace dravik
