// The texts of a window that do not fit the control that shows them: labels, buttons, check boxes,
// option buttons, combo boxes (every entry) and list columns (caption within the column, column
// within the list's visible width). The window is taken at its present size.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyleOptionComboBox>
#include <QTreeWidget>

namespace frame::test {

inline int textWidth(const QWidget& w, QString text) {
    return w.fontMetrics().horizontalAdvance(text.remove(QLatin1Char('&')));
}

inline void findCutLabel(const QLabel& label, QStringList& cut) {
    if (label.text().isEmpty() || !label.pixmap().isNull())
        return;
    const bool fits = label.wordWrap() ? label.heightForWidth(label.width()) <= label.height()
                                       : textWidth(label, label.text()) <= label.contentsRect().width();
    if (!fits)
        cut << label.objectName() + QStringLiteral(": ") + label.text();
}

inline void findCutButton(const QAbstractButton& button, QStringList& cut) {
    if (button.text().isEmpty())
        return;
    // A push button's text needs a few pixels of its frame on either side; a check box or option
    // button needs its box beside the text as well.
    const int needed = qobject_cast<const QPushButton*>(&button) != nullptr
                           ? textWidth(button, button.text()) + 6
                           : button.sizeHint().width();
    if (needed > button.width())
        cut << button.objectName() + QStringLiteral(": ") + button.text();
}

inline void findCutCombo(const QComboBox& combo, QStringList& cut) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.rect = combo.rect();
    const int field = combo.style()
                          ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo)
                          .width();
    for (int i = 0; i < combo.count(); ++i) {
        if (textWidth(combo, combo.itemText(i)) > field)
            cut << combo.objectName() + QStringLiteral(": ") + combo.itemText(i);
    }
}

inline void findCutColumns(const QTreeWidget& list, QStringList& cut) {
    const QHeaderView* header = list.header();
    if (header->isHidden())
        return;
    const int visibleWidth = list.viewport()->width();
    for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column) || header->sectionSize(column) == 0)
            continue;
        const QString caption = list.headerItem()->text(column);
        const int start = header->sectionViewportPosition(column);
        const bool inView = start >= 0 && start + header->sectionSize(column) <= visibleWidth;
        if (!inView || textWidth(*header, caption) + 8 > header->sectionSize(column))
            cut << list.objectName() + QStringLiteral(" column: ") + caption;
    }
}

inline QStringList cutTexts(const QWidget& window) {
    QStringList cut;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(w))
            findCutLabel(*label, cut);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w);
                 button && (qobject_cast<const QPushButton*>(w) || qobject_cast<const QCheckBox*>(w) ||
                            qobject_cast<const QRadioButton*>(w)))
            findCutButton(*button, cut);
        else if (const auto* combo = qobject_cast<const QComboBox*>(w))
            findCutCombo(*combo, cut);
        else if (const auto* list = qobject_cast<const QTreeWidget*>(w))
            findCutColumns(*list, cut);
    }
    return cut;
}

}  // namespace frame::test
