#include "ui/Dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include <optional>

#include "ui/UpDownControl.h"

namespace ui {

namespace {

constexpr int kDataRole = Qt::UserRole;

std::optional<QImage> drawnItem(Dialog& dialog, DialogHandler* handler, DrawItem item, QSize size);

// Paints the rows of an owner-drawn list through the handler, on a memory device context.
class OwnerDrawDelegate final : public QStyledItemDelegate {
public:
    OwnerDrawDelegate(Dialog& dialog, DialogHandler* handler, int id, QObject* parent)
        : QStyledItemDelegate(parent), dialog_(dialog), handler_(handler), id_(id) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        DrawItem item;
        item.controlId = id_;
        item.itemIndex = index.row();
        item.state = (option.state & QStyle::State_Selected ? ODS_SELECTED : 0u) |
                     (option.state & QStyle::State_HasFocus ? ODS_FOCUS : 0u);
        item.itemData = index.data(kDataRole).value<qintptr>();
        if (const std::optional<QImage> image = drawnItem(dialog_, handler_, item, option.rect.size()))
            painter->drawImage(option.rect.topLeft(), *image);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int height = handler_ ? handler_->onMeasureItem(dialog_, id_) : 16;
        return {QStyledItemDelegate::sizeHint(option, index).width(), height};
    }

private:
    Dialog& dialog_;
    DialogHandler* handler_;
    int id_;
};

// Runs the handler's drawing of one item on a memory device context of the item's size and answers the
// picture (null when there is nothing to draw with).
std::optional<QImage> drawnItem(Dialog& dialog, DialogHandler* handler, DrawItem item, QSize size) {
    auto dc = gdi::createImageDC(std::max(1, size.width()), std::max(1, size.height()));
    if (!dc || !handler)
        return std::nullopt;
    item.dc = dc.get();
    item.rect = {0, 0, size.width(), size.height()};
    handler->onDrawItem(dialog, item);
    return dc->image();
}

// A drop-down list whose closed field shows the current item as the handler draws it, as the rows of
// its open list are drawn: its items carry no text of their own to show.
class OwnerDrawComboBox final : public QComboBox {
public:
    OwnerDrawComboBox(Dialog& dialog, DialogHandler* handler, int id)
        : QComboBox(&dialog), dialog_(dialog), handler_(handler), id_(id) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        option.currentText.clear();
        option.currentIcon = QIcon();
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        // Without a choice the field stays empty.
        if (currentIndex() < 0)
            return;
        const QRect field =
            style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
        DrawItem item;
        item.controlId = id_;
        item.itemIndex = currentIndex();
        item.editPart = true;
        item.state = hasFocus() ? ODS_FOCUS : 0u;
        item.itemData = itemData(currentIndex(), kDataRole).value<qintptr>();
        if (const std::optional<QImage> image = drawnItem(dialog_, handler_, item, field.size()))
            painter.drawImage(field.topLeft(), *image);
    }

private:
    Dialog& dialog_;
    DialogHandler* handler_;
    int id_;
};

}  // namespace

Dialog::Dialog(QWidget* parent, const QString& title, QSize size,
               const std::vector<ControlTemplate>& controls, DialogHandler* handler)
    : QDialog(parent), handler_(handler) {
    // A dialog template is laid out left to right, also in a program that reads right to left.
    setLayoutDirection(Qt::LeftToRight);
    setWindowTitle(title);
    resize(size);
    for (const ControlTemplate& control : controls)
        createControl(control);
    giveLabelsTheirBuddies();
    focusConnection_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const int oldId = idOf(old);
        if (oldId != 0 && handler_)
            handler_->onKillFocus(*this, oldId, idOf(now));
    });
}

Dialog::~Dialog() {
    disconnect(focusConnection_);
    for (const auto& [id, widget] : controls_)
        widget->disconnect(this);
}

namespace {

// A label's access key: one '&' that is not doubled.
bool hasAccessKey(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return true;
        ++i;
    }
    return false;
}

bool takesFocus(const QWidget* widget) {
    return widget && !qobject_cast<const QLabel*>(widget) && !qobject_cast<const QGroupBox*>(widget);
}

}  // namespace

// A label shows its access key underlined only when it has a buddy (otherwise QLabel draws the '&'
// itself); as in a dialog template, the key moves the focus to the next control that can take it.
void Dialog::giveLabelsTheirBuddies() {
    QLabel* waiting = nullptr;
    for (QWidget* widget : createdInOrder_) {
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (hasAccessKey(label->text()))
                waiting = label;
            continue;
        }
        if (waiting && takesFocus(widget)) {
            waiting->setBuddy(widget);
            waiting = nullptr;
        }
    }
    // The last label has no control after it: its key shows but moves the focus nowhere.
    if (waiting)
        waiting->setBuddy(waiting);
    createdInOrder_.clear();
}

void Dialog::createControl(const ControlTemplate& control) {
    QWidget* widget = nullptr;
    const int id = control.id;
    switch (control.kind) {
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(control.text, this);
            connect(edit, &QLineEdit::textChanged, this, [this, id] { notify(id, EN_CHANGE); });
            widget = edit;
            break;
        }
        case ControlKind::NumberEdit: {
            auto* edit = new QLineEdit(control.text, this);
            edit->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
            connect(edit, &QLineEdit::textChanged, this, [this, id] { notify(id, EN_CHANGE); });
            widget = edit;
            break;
        }
        case ControlKind::UpDown: {
            auto* arrows = new UpDownControl(this);
            arrows->setBuddy(qobject_cast<QLineEdit*>(lastControl_));
            widget = arrows;
            break;
        }
        case ControlKind::Static:
            widget = new QLabel(control.text, this);
            break;
        case ControlKind::GroupBox:
            widget = new QGroupBox(control.text, this);
            break;
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton: {
            auto* button = new QPushButton(control.text, this);
            button->setDefault(control.kind == ControlKind::DefaultPushButton);
            button->setAutoDefault(false);
            widget = button;
            break;
        }
        case ControlKind::CheckBox:
            widget = new QCheckBox(control.text, this);
            break;
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(control.text, this);
            radio->setAutoExclusive(false);  // groups are kept by checkRadioButton, as ids give them
            widget = radio;
            break;
        }
        case ControlKind::DropDownList:
        case ControlKind::ComboBox:
        case ControlKind::OwnerDrawList: {
            QComboBox* box = nullptr;
            if (control.kind == ControlKind::OwnerDrawList) {
                box = new OwnerDrawComboBox(*this, handler_, id);
                box->setItemDelegate(new OwnerDrawDelegate(*this, handler_, id, box));
            } else {
                box = new QComboBox(this);
                box->setEditable(control.kind == ControlKind::ComboBox);
            }
            connect(box, &QComboBox::activated, this, [this, id] { notify(id, CBN_SELCHANGE); });
            widget = box;
            break;
        }
        case ControlKind::ListBox:
        case ControlKind::OwnerDrawListBox: {
            auto* listBox = new QListWidget(this);
            if (control.kind == ControlKind::OwnerDrawListBox) {
                listBox->setItemDelegate(new OwnerDrawDelegate(*this, handler_, id, listBox));
                listBox->setUniformItemSizes(true);
            }
            connect(listBox, &QListWidget::itemSelectionChanged, this,
                    [this, id] { notify(id, LBN_SELCHANGE); });
            connect(listBox, &QListWidget::itemDoubleClicked, this, [this, id] { notify(id, LBN_DBLCLK); });
            widget = listBox;
            break;
        }
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] { notify(id, BN_CLICKED); });
    }
    if (control.geometry.isValid())
        widget->setGeometry(control.geometry);
    widget->setProperty("controlId", id);
    controls_[id] = widget;
    createdInOrder_.push_back(widget);
    lastControl_ = widget;
}

void Dialog::notify(int id, int code) {
    if (handler_ && handler_->onCommand(*this, id, code))
        return;
    if (code == BN_CLICKED && (id == 1 || id == 2))
        endDialog(id);
}

void Dialog::initialise() {
    if (handler_)
        handler_->onInitDialog(*this);
}

int Dialog::doModal() {
    result_ = 2;
    ending_ = false;
    initialise();
    if (ending_)
        return result_;  // ended during initialisation
    exec();
    return result_;
}

void Dialog::endDialog(int result) {
    result_ = result;
    ending_ = true;
    done(result);
}

QWidget* Dialog::item(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

int Dialog::idOf(const QWidget* widget) const {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == this)
            return 0;
        const QVariant id = w->property("controlId");
        if (id.isValid() && item(id.toInt()) == w)
            return id.toInt();
    }
    return 0;
}

void Dialog::setItemText(int id, const QString& text) {
    QWidget* w = item(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(text);
    if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(text);
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(text);
    if (auto* group = qobject_cast<QGroupBox*>(w))
        group->setTitle(text);
    if (auto* box = qobject_cast<QComboBox*>(w); box && box->isEditable())
        box->setEditText(text);
}

QString Dialog::itemText(int id) const {
    QWidget* w = item(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return group->title();
    if (auto* box = qobject_cast<QComboBox*>(w))
        return box->currentText();
    return {};
}

void Dialog::setItemInt(int id, int value) {
    setItemText(id, QString::number(value));
}

std::optional<int> Dialog::itemInt(int id) const {
    bool ok = false;
    const int value = itemText(id).trimmed().toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

void Dialog::checkButton(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(item(id)))
        button->setChecked(checked);
}

bool Dialog::isButtonChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(item(id));
    return button && button->isChecked();
}

void Dialog::checkRadioButton(int first, int last, int id) {
    for (int i = first; i <= last; ++i)
        checkButton(i, i == id);
}

void Dialog::enableItem(int id, bool enabled) {
    if (QWidget* w = item(id))
        w->setEnabled(enabled);
}

bool Dialog::isItemEnabled(int id) const {
    QWidget* w = item(id);
    return w && w->isEnabled();
}

void Dialog::showItem(int id, bool visible) {
    if (QWidget* w = item(id))
        w->setVisible(visible);
}

void Dialog::setFocusTo(int id) {
    if (QWidget* w = item(id))
        w->setFocus(Qt::OtherFocusReason);
}

void Dialog::clickButton(int id) {
    if (auto* button = qobject_cast<QAbstractButton*>(item(id)); button && button->isEnabled())
        button->click();
}

QComboBox* Dialog::combo(int id) const {
    return qobject_cast<QComboBox*>(item(id));
}
QListWidget* Dialog::list(int id) const {
    return qobject_cast<QListWidget*>(item(id));
}

UpDownControl* Dialog::upDown(int id) const {
    return qobject_cast<UpDownControl*>(item(id));
}

void Dialog::setUpDownRange(int id, int low, int high) {
    if (UpDownControl* arrows = upDown(id))
        arrows->setRange(low, high);
}

void Dialog::setUpDownPos(int id, int position) {
    if (UpDownControl* arrows = upDown(id))
        arrows->setPosition(position);
}

int Dialog::upDownPos(int id) const {
    const UpDownControl* arrows = upDown(id);
    return arrows ? arrows->position() : 0;
}

bool Dialog::stepUpDown(int id, int steps) {
    UpDownControl* arrows = upDown(id);
    if (!arrows)
        return false;
    arrows->step(steps);
    return true;
}

int Dialog::addString(int id, const QString& text, std::intptr_t data) {
    if (QComboBox* box = combo(id)) {
        box->addItem(text, QVariant::fromValue<qintptr>(data));
        return box->count() - 1;
    }
    if (QListWidget* l = list(id)) {
        auto* row = new QListWidgetItem(text, l);
        row->setData(kDataRole, QVariant::fromValue<qintptr>(data));
        return l->count() - 1;
    }
    return CB_ERR;
}

bool Dialog::deleteString(int id, int index) {
    if (index < 0 || index >= count(id))
        return false;
    if (QComboBox* box = combo(id))
        box->removeItem(index);
    if (QListWidget* l = list(id))
        delete l->takeItem(index);
    return true;
}

void Dialog::resetContent(int id) {
    if (QComboBox* box = combo(id))
        box->clear();
    if (QListWidget* l = list(id))
        l->clear();
}

int Dialog::count(int id) const {
    if (QComboBox* box = combo(id))
        return box->count();
    if (QListWidget* l = list(id))
        return l->count();
    return CB_ERR;
}

bool Dialog::setCurSel(int id, int index) {
    if (index < -1 || index >= count(id))
        return false;
    if (QComboBox* box = combo(id))
        box->setCurrentIndex(index);
    if (QListWidget* l = list(id))
        l->setCurrentRow(index);
    return true;
}

int Dialog::curSel(int id) const {
    if (QComboBox* box = combo(id))
        return box->currentIndex();
    if (QListWidget* l = list(id))
        return l->currentRow();
    return CB_ERR;
}

bool Dialog::setItemData(int id, int index, std::intptr_t data) {
    if (index < 0 || index >= count(id))
        return false;
    if (QComboBox* box = combo(id))
        box->setItemData(index, QVariant::fromValue<qintptr>(data), kDataRole);
    if (QListWidget* l = list(id))
        l->item(index)->setData(kDataRole, QVariant::fromValue<qintptr>(data));
    return true;
}

std::intptr_t Dialog::itemData(int id, int index) const {
    if (index < 0 || index >= count(id))
        return CB_ERR;
    if (QComboBox* box = combo(id))
        return box->itemData(index, kDataRole).value<qintptr>();
    if (QListWidget* l = list(id))
        return l->item(index)->data(kDataRole).value<qintptr>();
    return CB_ERR;
}

QString Dialog::listText(int id, int index) const {
    if (index < 0 || index >= count(id))
        return {};
    if (QComboBox* box = combo(id))
        return box->itemText(index);
    return list(id)->item(index)->text();
}

int Dialog::findStringExact(int id, const QString& text) const {
    for (int i = 0, n = count(id); i < n; ++i) {
        if (listText(id, i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return CB_ERR;
}

void Dialog::setCustomEntry(int id, const QString& text) {
    for (int i = 0, n = count(id); i < n; ++i) {
        if (itemData(id, i) == CUSTOM_ENTRY_DATA) {
            if (QComboBox* box = combo(id))
                box->setItemText(i, text);
            return;
        }
    }
    addString(id, text, CUSTOM_ENTRY_DATA);
}

}  // namespace ui
