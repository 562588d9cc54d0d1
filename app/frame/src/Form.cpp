#include "frame/Form.h"

#include "frame/FrameGlobals.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <stdexcept>

#include "frame/Localize.h"
#include "frame/ReadingOrder.h"

namespace frame {
namespace {

int32_t toPx(int32_t twips) {
    return static_cast<int32_t>(qRound(static_cast<double>(twips) / kTwipsPerPixel));
}

Qt::LayoutDirection direction(bool rightToLeft) {
    return rightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
}

// Absolute alignment: right-justified text stays on the right in a right-to-left widget, where Qt
// would otherwise swap left and right.
Qt::Alignment horizontal(Alignment a) {
    switch (a) {
        case Alignment::RightJustify:
            return Qt::AlignRight | Qt::AlignAbsolute;
        case Alignment::Center:
            return Qt::AlignHCenter;
        case Alignment::LeftJustify:
            break;
    }
    return Qt::AlignLeft | Qt::AlignAbsolute;
}

QWidget* makeTabControl(const ControlModel& c, QWidget* parent) {
    auto* tabs = new QTabWidget(parent);
    for (qsizetype i = 0; i < std::max<qsizetype>(c.items.size(), 1); ++i)
        tabs->addTab(new QWidget, QString());
    return tabs;
}

QWidget* makeListView(const ControlModel& c, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setColumnCount(static_cast<int>(c.columns.size()));
    for (size_t i = 0; i < c.columns.size(); ++i)
        list->setColumnWidth(static_cast<int>(i), toPx(c.columns[i].width));
    return list;
}

QWidget* makeLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// A placeholder for a control hosted by another part of the program (chart, docking area).
QWidget* makeHost(QWidget* parent) {
    auto* host = new QFrame(parent);
    host->setFrameShape(QFrame::StyledPanel);
    return host;
}

QWidget* makeTextBox(const ControlModel& c, QWidget* parent) {
    if (!c.multiLine)
        return new QLineEdit(parent);
    auto* text = new QPlainTextEdit(parent);
    text->setReadOnly(true);
    return text;
}

std::vector<Form*>& loadedForms() {
    static std::vector<Form*> forms;
    return forms;
}

QWidget* makeWidget(const ControlModel& c, QWidget* parent) {
    switch (c.kind) {
        case ControlKind::TextBox:
            return makeTextBox(c, parent);
        case ControlKind::Label: {
            auto* label = new QLabel(parent);
            label->setWordWrap(true);
            return label;
        }
        case ControlKind::CommandButton:
            return new QPushButton(parent);
        case ControlKind::CheckBox:
            return new QCheckBox(parent);
        case ControlKind::ComboBox:
            return new QComboBox(parent);
        case ControlKind::Frame:
            return new QGroupBox(parent);
        case ControlKind::OptionButton:
            return new QRadioButton(parent);
        case ControlKind::Line:
            return makeLine(parent);
        case ControlKind::PictureBox:
        case ControlKind::Animation:
            return new QLabel(parent);
        case ControlKind::ListView:
            return makeListView(c, parent);
        case ControlKind::ToolBar:
            return new QToolBar(parent);
        case ControlKind::ProgressBar:
            return new QProgressBar(parent);
        case ControlKind::TabControl:
            return makeTabControl(c, parent);
        case ControlKind::DockingControl:
        case ControlKind::ChartControl:
            return makeHost(parent);
        case ControlKind::MenuItem:
        case ControlKind::ImageList:
        case ControlKind::CommonDialog:
        case ControlKind::HttpControl:
            break;
    }
    return nullptr;
}

void applyListView(const ControlModel& c, QTreeWidget* list) {
    QStringList labels;
    for (const ColumnModel& col : c.columns)
        labels << col.text;
    list->setHeaderLabels(labels);
    list->setLayoutDirection(direction(c.exStyle & WS_EX_LAYOUTRTL));
    list->header()->setLayoutDirection(direction(c.headerExStyle & WS_EX_LAYOUTRTL));
}

void applyToolBar(const ControlModel& c, QToolBar* bar) {
    // Buttons are created on first use and then only updated, so their connections survive.
    const auto actions = bar->actions();
    for (size_t i = 0; i < c.buttons.size(); ++i) {
        QAction* action = static_cast<qsizetype>(i) < actions.size() ? actions[static_cast<qsizetype>(i)]
                                                                     : bar->addAction(c.buttons[i].key);
        action->setObjectName(c.buttons[i].key);
        action->setToolTip(c.buttons[i].toolTipText);
    }
    bar->setLayoutDirection(direction(c.exStyle & WS_EX_LAYOUTRTL));
}

void applyTextBox(const ControlModel& c, QWidget* w) {
    w->setLayoutDirection(direction(c.rightToLeft));
    if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        // Texts break their lines with CR LF; the editor keeps a line break as one character.
        const QString lines = QString(c.caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (text->toPlainText() != lines)
            text->setPlainText(lines);
        // Each paragraph reads in the box's order; left to Qt, a paragraph that starts with a Latin
        // word or a date would read left to right inside a right-to-left box.
        QTextOption option = text->document()->defaultTextOption();
        option.setAlignment(horizontal(c.alignment));
        option.setTextDirection(direction(c.rightToLeft));
        text->document()->setDefaultTextOption(option);
        return;
    }
    auto* edit = static_cast<QLineEdit*>(w);
    edit->setText(c.caption);
    edit->setAlignment(horizontal(c.alignment) | Qt::AlignVCenter);
}

// A combo without designed entries is filled at run time by its window and keeps what it holds.
void applyItems(const ControlModel& c, QComboBox* combo) {
    if (c.items.isEmpty())
        return;
    const int current = combo->currentIndex();
    combo->clear();
    combo->addItems(c.items);
    combo->setCurrentIndex(current);
}

void applyTabs(const ControlModel& c, QTabWidget* tabs) {
    for (int i = 0; i < tabs->count() && i < c.items.size(); ++i)
        tabs->setTabText(i, c.items[i]);
}

// A pop-up menu is a window of its own and keeps the reading order it was made with; it opens in the
// menu bar's, which follows the window that holds the bar (mirrored in Arabic).
void followMenuBarDirection(QMenu& menu, QMenuBar& bar) {
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu, owner = QPointer<QMenuBar>(&bar)] {
        if (owner)
            menu.setLayoutDirection(owner->layoutDirection());
    });
}

}  // namespace

Form::Form(FormModel design, Localization localization, QWidget* parent)
    : QWidget(parent), m_model(std::move(design)) {
    setObjectName(m_model.name);
    m_widgets.assign(m_model.controls.size(), nullptr);
    m_actions.assign(m_model.controls.size(), nullptr);
    m_menus.assign(m_model.controls.size(), nullptr);
    loadedForms().push_back(this);
    buildMenus();
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    buildControls();
    if (localization == Localization::Localized)
        LocalizeForm(*this);
    else
        applyModel();
}

Form::~Form() {
    std::erase(loadedForms(), this);
}

const std::vector<Form*>& Form::openForms() {
    return loadedForms();
}

Form* Form::findOpen(const QString& name) {
    for (Form* form : loadedForms()) {
        if (form->objectName() == name)
            return form;
    }
    return nullptr;
}

void Form::unload() {
    if (!m_loaded)
        return;
    m_loaded = false;
    std::erase(loadedForms(), this);
    hide();
    deleteLater();
}

void Form::onClick(const QString& controlName, std::function<void()> handler) {
    auto* button = qobject_cast<QAbstractButton*>(controlWidget(controlName));
    if (button == nullptr)
        throw std::invalid_argument(controlName.toStdString() + " is no button");
    QObject::connect(button, &QAbstractButton::clicked, this, [handler = std::move(handler)] { handler(); });
}

void Form::setMenuChecked(const QString& controlName, bool checked) {
    const size_t i = m_model.indexOf(controlName);
    m_model.controls[i].checked = checked;
    if (m_actions[i])
        applyMenuItem(m_model.controls[i], m_actions[i]);
}

QMenuBar* Form::releaseMenuBar() {
    m_menuBarHere = false;
    applyModel();
    return m_menuBar;
}

QRect Form::toPixels(int32_t left, int32_t top, int32_t width, int32_t height) {
    return QRect(toPx(left), toPx(top), toPx(width), toPx(height));
}

QWidget* Form::controlWidget(const QString& controlName) const {
    return m_widgets[m_model.indexOf(controlName)];
}

QAction* Form::menuAction(const QString& controlName) const {
    const auto i = m_model.find(controlName);
    return i ? m_actions[*i] : nullptr;
}

// Menu items hang under the item that contains them; items without one form the menu bar.
void Form::buildMenus() {
    const auto& controls = m_model.controls;
    std::vector<bool> holdsOthers(controls.size(), false);
    bool any = false;
    for (const ControlModel& c : controls) {
        if (c.kind != ControlKind::MenuItem)
            continue;
        any = true;
        if (c.container != ControlModel::kOnForm)
            holdsOthers.at(static_cast<size_t>(c.container)) = true;
    }
    if (!any)
        return;
    m_menuBar = new QMenuBar(this);
    for (size_t i = 0; i < controls.size(); ++i) {
        const ControlModel& c = controls[i];
        if (c.kind != ControlKind::MenuItem)
            continue;
        QMenu* parentMenu =
            c.container == ControlModel::kOnForm ? nullptr : m_menus.at(static_cast<size_t>(c.container));
        if (holdsOthers[i]) {
            m_menus[i] = parentMenu ? parentMenu->addMenu(c.caption) : m_menuBar->addMenu(c.caption);
            m_actions[i] = m_menus[i]->menuAction();
            followMenuBarDirection(*m_menus[i], *m_menuBar);
        } else {
            m_actions[i] = parentMenu ? parentMenu->addAction(c.caption) : m_menuBar->addAction(c.caption);
        }
        m_actions[i]->setObjectName(c.name);
    }
}

// Controls come in collection order, a container before what it contains.
void Form::buildControls() {
    for (size_t i = 0; i < m_model.controls.size(); ++i) {
        const ControlModel& c = m_model.controls[i];
        if (c.kind == ControlKind::MenuItem)
            continue;
        if (QWidget* w = makeWidget(c, parentFor(c))) {
            w->setObjectName(c.name);
            m_widgets[i] = w;
        }
    }
    for (size_t i = 0; i < m_model.controls.size(); ++i) {
        if (auto* tabs = qobject_cast<QTabWidget*>(m_widgets[i])) {
            QObject::connect(tabs, &QTabWidget::currentChanged, tabs,
                             [this, i](int page) { showTab(i, page); });
            showTab(i, tabs->currentIndex());
        }
    }
}

// Controls on a tab control sit on the tab control itself, placed relative to it as designed (below
// the tabs); only those of the current page are shown.
void Form::showTab(size_t tabControl, int page) {
    for (size_t i = 0; i < m_model.controls.size(); ++i) {
        const ControlModel& c = m_model.controls[i];
        if (m_widgets[i] && c.container == static_cast<int>(tabControl))
            m_widgets[i]->setVisible(c.tab == page);
    }
}

QWidget* Form::parentFor(const ControlModel& c) const {
    if (c.container == ControlModel::kOnForm)
        return m_client;
    QWidget* container = m_widgets.at(static_cast<size_t>(c.container));
    if (!container)
        throw std::logic_error("container of " + c.name.toStdString() + " has no window");
    return container;
}

void Form::applyModel() {
    setWindowTitle(m_model.caption);
    setLayoutDirection(direction(m_model.exStyle & WS_EX_LAYOUTRTL));
    const QRect client =
        toPixels(0, 0, m_model.width - kChromeWidthTwips, m_model.height - kChromeHeightTwips);
    const int menuHeight = m_menuBar && m_menuBarHere ? m_menuBar->sizeHint().height() : 0;
    if (m_model.resizable) {
        // The design size is the first size only; the user sizes the window afterwards.
        if (!m_sized)
            resize(client.width(), client.height() + menuHeight);
        m_sized = true;
        layoutClient();
    } else {
        if (menuHeight > 0)
            m_menuBar->setGeometry(0, 0, client.width(), menuHeight);
        m_client->setGeometry(0, menuHeight, client.width(), client.height());
        setFixedSize(client.width(), client.height() + menuHeight);
    }
    for (size_t i = 0; i < m_model.controls.size(); ++i) {
        const ControlModel& c = m_model.controls[i];
        if (m_actions[i])
            applyMenuItem(c, m_actions[i]);
        if (m_widgets[i])
            applyControl(c, m_widgets[i]);
    }
}

void Form::closeEvent(QCloseEvent* event) {
    if (m_stayLoaded && !gClosing) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    if (event->isAccepted())
        unload();
}

void Form::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        for (size_t i = 0; i < m_model.controls.size(); ++i) {
            auto* button = qobject_cast<QPushButton*>(m_widgets[i]);
            if (m_model.controls[i].isDefault && button != nullptr && button->isEnabled() &&
                button->isVisible()) {
                button->click();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

void Form::fitControlToWindow(const QString& controlName, int32_t widthAllowance, int32_t heightAllowance) {
    ControlModel& c = m_model.control(controlName);
    const int32_t formWidth = width() * kTwipsPerPixel;
    const int32_t formHeight = height() * kTwipsPerPixel;
    if (formWidth > widthAllowance)
        c.width = formWidth - widthAllowance;
    if (formHeight > heightAllowance)
        c.height = formHeight - heightAllowance;
    controlWidget(controlName)->setGeometry(toPixels(c.left, c.top, c.width, c.height));
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_model.resizable)
        layoutClient();
}

// The client area of a resizable window fills it below the menu bar.
void Form::layoutClient() {
    const int menuHeight = m_menuBar && m_menuBarHere ? m_menuBar->sizeHint().height() : 0;
    if (menuHeight > 0)
        m_menuBar->setGeometry(0, 0, width(), menuHeight);
    m_client->setGeometry(0, menuHeight, width(), std::max(0, height() - menuHeight));
}

void Form::applyMenuItem(const ControlModel& c, QAction* action) {
    // A separator carries no text: some styles would print it in the line.
    const bool separator = c.caption == QLatin1String("-");
    action->setSeparator(separator);
    action->setText(separator ? QString() : c.caption);
    action->setEnabled(c.enabled);
    // Only a checked item is checkable, so an unchecked one shows no empty box.
    action->setCheckable(c.checked);
    action->setChecked(c.checked);
}

void Form::applyControl(const ControlModel& c, QWidget* w) {
    w->setGeometry(toPixels(c.left, c.top, c.width, c.height));
    w->setEnabled(c.enabled);
    const bool rtl = c.rightToLeft;
    switch (c.kind) {
        case ControlKind::TextBox:
            applyTextBox(c, w);
            break;
        case ControlKind::Label: {
            auto* label = static_cast<QLabel*>(w);
            label->setText(withSingleLineBreaks(c.caption));
            label->setLayoutDirection(direction(rtl));
            label->setAlignment(horizontal(c.alignment) | Qt::AlignTop);
            break;
        }
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton: {
            // A right-justified check box or option button has its box on the right of the caption.
            auto* button = static_cast<QAbstractButton*>(w);
            button->setText(c.caption);
            if (auto* command = qobject_cast<QPushButton*>(button))
                command->setDefault(c.isDefault);
            button->setLayoutDirection(direction(rtl || c.alignment == Alignment::RightJustify));
            break;
        }
        case ControlKind::Frame: {
            auto* frame = static_cast<QGroupBox*>(w);
            frame->setTitle(c.caption);
            frame->setLayoutDirection(direction(rtl));
            break;
        }
        case ControlKind::ComboBox:
            applyItems(c, static_cast<QComboBox*>(w));
            w->setLayoutDirection(direction(rtl));
            break;
        case ControlKind::ListView:
            applyListView(c, static_cast<QTreeWidget*>(w));
            break;
        case ControlKind::ToolBar:
            applyToolBar(c, static_cast<QToolBar*>(w));
            break;
        case ControlKind::TabControl:
            applyTabs(c, static_cast<QTabWidget*>(w));
            break;
        case ControlKind::ProgressBar:
        case ControlKind::Animation:
            w->setLayoutDirection(direction(c.exStyle & WS_EX_LAYOUTRTL));
            break;
        default:
            break;
    }
}

}  // namespace frame
