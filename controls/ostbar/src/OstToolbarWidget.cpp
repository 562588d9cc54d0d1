#include "ostbar/OstToolbarWidget.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QToolButton>
#include <QVariant>

#include <utility>

namespace ostbar {
namespace {

constexpr const char* kIdProperty = "ostbarCommandId";

SHORT commandIdOf(const QObject* object) {
    return static_cast<SHORT>(object->property(kIdProperty).toInt());
}

}  // namespace

OstToolbarWidget::OstToolbarWidget(com::ComPtr<OstCommandBar> bar, QWidget* parent)
    : QToolBar(parent), bar_(std::move(bar)) {
    bar_->setWindow(this);
    QPointer<OstToolbarWidget> self(this);
    subscription_ = bar_->table()->subscribe([self] {
        if (self)
            self->scheduleRebuild();
    });
    rebuild();
}

OstToolbarWidget::~OstToolbarWidget() {
    bar_->table()->unsubscribe(subscription_);
    if (bar_->window() == this)
        bar_->setWindow(nullptr);
}

QAction* OstToolbarWidget::actionFor(SHORT id) const {
    for (QAction* action : actions()) {
        if (action->property(kIdProperty).isValid() && commandIdOf(action) == id)
            return action;
    }
    return nullptr;
}

QComboBox* OstToolbarWidget::comboFor(SHORT id) const {
    QAction* action = actionFor(id);
    return action ? qobject_cast<QComboBox*>(widgetForAction(action)) : nullptr;
}

void OstToolbarWidget::scheduleRebuild() {
    if (rebuildPending_)
        return;
    rebuildPending_ = true;
    QMetaObject::invokeMethod(this, &OstToolbarWidget::rebuild, Qt::QueuedConnection);
}

void OstToolbarWidget::rebuild() {
    rebuildPending_ = false;
    // The old actions and menus go later: one of them may be the sender of the signal being handled,
    // or a menu that is still open.
    const QList<QAction*> old = actions();
    clear();
    for (QAction* action : old) {
        if (action->parent() == this)
            action->deleteLater();
    }
    // Only the drop-downs made here: another menu among the children (a pop-up someone opened for
    // this bar) is not the bar's to delete.
    for (const QPointer<QMenu>& menu : std::exchange(dropDowns_, {})) {
        if (menu)
            menu->deleteLater();
    }
    const OstCommandTable& table = *bar_->table();
    menuEntriesLeft_ = OstCommandTable::kMaxMenuEntries;
    for (const SHORT id : table.row()) {
        const OstCommandData* command = table.find(id);
        if (id == -1 || !command) {
            addSeparator();
        } else if (command->visible) {
            QAction* action = (command->style & kStyleCombo) ? addCombo(*command) : addCommand(*command);
            action->setProperty(kIdProperty, int{id});
        }
    }
    setVisible(table.state() & kStateShown);
}

QIcon OstToolbarWidget::iconOf(const OstCommandData& command) const {
    const std::vector<QImage>& images = bar_->table()->images();
    if (command.image < 0 || static_cast<std::size_t>(command.image) >= images.size())
        return {};
    return QIcon(QPixmap::fromImage(images[static_cast<std::size_t>(command.image)]));
}

QAction* OstToolbarWidget::addCommand(const OstCommandData& command) {
    const SHORT id = command.id;
    QAction* action = addAction(iconOf(command), QStringView(command.text).toString());
    action->setEnabled(command.enabled);
    action->setCheckable(command.style & kStyleCheck);
    action->setChecked(command.checked);
    connect(action, &QAction::triggered, this, [this, id] { bar_->choose(id); });
    if (!command.subCommands.empty() && menuEntriesLeft_ > 0) {
        QMenu* dropDown = makeMenu(command.subCommands, 1);
        dropDowns_.emplace_back(dropDown);
        action->setMenu(dropDown);
    }
    if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action))) {
        // A caption-only button with a drop-down is a menu: a click opens it.
        if (action->menu())
            button->setPopupMode(action->icon().isNull() ? QToolButton::InstantPopup
                                                         : QToolButton::MenuButtonPopup);
        // Without an image the caption is all there is to show.
        const bool withText = command.flag || action->icon().isNull();
        button->setToolButtonStyle(withText ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    }
    return action;
}

QAction* OstToolbarWidget::addCombo(const OstCommandData& command) {
    auto* combo = new QComboBox(this);
    combo->setProperty(kIdProperty, int{command.id});
    combo->setEnabled(command.enabled);
    combo->setMaxVisibleItems(command.comboVisibleCount);
    const OstCommandTable& table = *bar_->table();
    for (std::size_t slot = 0; slot < command.subCommands.size(); ++slot) {
        const OstCommandData* item = table.find(command.subCommands[slot]);
        if (item)
            combo->addItem(QStringView(item->text).toString(), static_cast<int>(slot));
    }
    combo->setCurrentIndex(combo->findData(int{command.comboSelection}));
    const SHORT id = command.id;
    connect(combo, &QComboBox::activated, this, [this, id, combo](int index) {
        const int slot = combo->itemData(index).toInt();
        OstCommandData* owner = bar_->table()->find(id);
        if (!owner || slot < 0 || static_cast<std::size_t>(slot) >= owner->subCommands.size())
            return;
        const SHORT chosen = owner->subCommands[static_cast<std::size_t>(slot)];
        owner->comboSelection = static_cast<SHORT>(slot);
        bar_->table()->changed();
        bar_->choose(chosen);
    });
    return addWidget(combo);
}

QMenu* OstToolbarWidget::makeMenu(const std::vector<SHORT>& entries, int depth) {
    auto* menu = new QMenu(this);
    // The bar keeps its order left to right; its drop-downs read as the program does.
    menu->setLayoutDirection(QGuiApplication::layoutDirection());
    const OstCommandTable& table = *bar_->table();
    for (const SHORT id : entries) {
        if (menuEntriesLeft_ == 0)
            break;
        --menuEntriesLeft_;
        const OstCommandData* command = table.find(id);
        if (id == -1 || !command) {
            menu->addSeparator();
            continue;
        }
        if (!command->visible)
            continue;
        QAction* action = menu->addAction(iconOf(*command), QStringView(command->text).toString());
        action->setProperty(kIdProperty, int{id});
        action->setEnabled(command->enabled);
        action->setCheckable(command->style & kStyleCheck);
        action->setChecked(command->checked);
        if (!command->subCommands.empty() && depth < OstCommandTable::kMaxMenuDepth && menuEntriesLeft_ > 0) {
            QMenu* submenu = makeMenu(command->subCommands, depth + 1);
            submenu->setParent(menu, submenu->windowFlags());
            action->setMenu(submenu);
        } else {
            connect(action, &QAction::triggered, this, [this, id] { bar_->choose(id); });
        }
    }
    return menu;
}

}  // namespace ostbar
