#include "ui/testing/PopupMenuDriver.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

namespace ui::testing {

namespace {

// Enough passes for a queued call, the deleteLater it makes, and the deferred delete itself.
constexpr int kSettlingPasses = 3;

}  // namespace

PopupMenuDriver::PopupMenuDriver(QString choice, std::function<void()> whileOpen)
    : choice_(std::move(choice)), whileOpen_(std::move(whileOpen)) {
    qApp->installEventFilter(this);
}

PopupMenuDriver::~PopupMenuDriver() {
    qApp->removeEventFilter(this);
}

bool PopupMenuDriver::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (event->type() != QEvent::Show || !menu || opened_)
        return false;
    opened_ = true;
    shownAt_ = menu->pos();
    direction_ = menu->layoutDirection();
    parentSeen_ = menu->parent();
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (whileOpen_)
                whileOpen_();
            afterPasses(kSettlingPasses);
        },
        Qt::QueuedConnection);
    return false;
}

void PopupMenuDriver::afterPasses(int passes) {
    if (passes == 0) {
        choose();
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, passes] { afterPasses(passes - 1); }, Qt::QueuedConnection);
}

void PopupMenuDriver::choose() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return;
    for (QAction* action : menu->actions()) {
        if (action->text() == choice_ && action->isEnabled()) {
            menu->setActiveAction(action);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(menu, &enter);
            return;
        }
    }
    menu->close();
}

}  // namespace ui::testing
