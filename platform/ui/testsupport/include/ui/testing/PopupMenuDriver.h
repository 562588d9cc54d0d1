// Drives the next real pop-up menu (QMenu::exec on the offscreen screen) as a user would: once the
// menu shows, runs `whileOpen`, lets the event loop make a few more passes so that whatever that
// scheduled (a queued rebuild, a deleteLater) has happened while the menu is still open, and then
// chooses the entry with the given text, or dismisses the menu when it has none.
#pragma once

#include <functional>

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class QMenu;

namespace ui::testing {

class PopupMenuDriver final : public QObject {
public:
    explicit PopupMenuDriver(QString choice, std::function<void()> whileOpen = {});
    ~PopupMenuDriver() override;

    // What was seen of the menu when it showed.
    bool opened() const { return opened_; }
    QPoint shownAt() const { return shownAt_; }
    Qt::LayoutDirection direction() const { return direction_; }
    QObject* parentSeen() const { return parentSeen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void afterPasses(int passes);
    void choose();

    QString choice_;
    std::function<void()> whileOpen_;
    bool opened_ = false;
    QPoint shownAt_;
    Qt::LayoutDirection direction_ = Qt::LayoutDirectionAuto;
    QPointer<QObject> parentSeen_;
};

}  // namespace ui::testing
