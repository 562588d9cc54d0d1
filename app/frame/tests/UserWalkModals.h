// What the user walk answers for the user: modal windows as they show, the real pop-up menus (closed
// again or answered with one item), and a watchdog for windows no step answers.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <optional>
#include <utility>

#include <gtest/gtest.h>

#include "ui/ModalServices.h"
#include "ui/ScriptedModalServices.h"

namespace userwalk {

// Answers a modal window the way a user does, as soon as it shows: `answer` runs every 10 ms until it
// reports that it answered, or the answerer goes out of scope.
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::function<bool()> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (answer_())
                timer_.stop();
        });
        timer_.start(10);
    }

private:
    std::function<bool()> answer_;
    QTimer timer_;
};

// Input boxes are answered by the script; pop-up menus are the real ones, shown and closed again.
class RealMenus final : public ui::ModalServices {
public:
    RealMenus(ui::ScriptedModalServices& script, ui::ModalServices& real) : script_(script), real_(real) {
        previous_ = ui::setModalServices(this);
    }
    ~RealMenus() override { ui::setModalServices(previous_); }
    RealMenus(const RealMenus&) = delete;
    RealMenus& operator=(const RealMenus&) = delete;

    int menusShown() const { return menusShown_; }
    // The next menu is answered by choosing the item with that id, as the user's Return on it does.
    void chooseNext(int id) { choice_ = id; }
    bool chosen() const { return chosen_; }

    int messageBox(QWidget* owner, const QString& text, const QString& caption, int style) override {
        return script_.messageBox(owner, text, caption, style);
    }
    std::optional<QString> inputBox(QWidget* owner, const QString& prompt, const QString& title,
                                    const QString& defaultText) override {
        return script_.inputBox(owner, prompt, title, defaultText);
    }
    ui::FileDialogResult openFile(const ui::FileDialogRequest& request) override {
        return script_.openFile(request);
    }
    ui::FileDialogResult saveFile(const ui::FileDialogRequest& request) override {
        return script_.saveFile(request);
    }
    std::optional<gdi::COLORREF> chooseColor(QWidget* owner, gdi::COLORREF initial) override {
        return script_.chooseColor(owner, initial);
    }
    std::optional<gdi::LogFont> chooseFont(QWidget* owner, const gdi::LogFont& initial) override {
        return script_.chooseFont(owner, initial);
    }
    bool printDialog(QWidget* owner, QPrinter& printer) override {
        return script_.printDialog(owner, printer);
    }
    bool printPreview(QWidget* owner, QPrinter& printer,
                      const std::function<void(QPrinter&)>& paint) override {
        return script_.printPreview(owner, printer, paint);
    }
    // The real menu: closed by the user's Escape once it shows.
    int trackPopupMenu(QWidget* owner, const ui::PopupMenu& menu, QPoint screenPoint) override {
        ++menusShown_;
        chosen_ = false;
        const int choice = std::exchange(choice_, 0);
        const ModalAnswerer answer([this, choice] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (popup == nullptr)
                return false;
            for (QAction* action : popup->actions())
                if (choice != 0 && action->data().toInt() == choice && action->isEnabled()) {
                    popup->setActiveAction(action);
                    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                    QApplication::sendEvent(popup, &enter);
                    chosen_ = true;
                    return true;
                }
            popup->close();
            return true;
        });
        return real_.trackPopupMenu(owner, menu, screenPoint);
    }

private:
    ui::ScriptedModalServices& script_;
    ui::ModalServices& real_;
    ui::ModalServices* previous_ = nullptr;
    int menusShown_ = 0;
    int choice_ = 0;
    bool chosen_ = false;
};

// A window that no step answers (its answerer would within 10 ms) fails the walk with its title and
// is closed, instead of waiting for the user for good.
class Watchdog {
public:
    Watchdog() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start(100);
    }
    // A window `allowed` accepts is the step's own and may stay while the step waits for it.
    void allow(std::function<bool(QWidget*)> allowed) { allowed_ = std::move(allowed); }

private:
    void look() {
        QWidget* window = QApplication::activePopupWidget();
        if (window == nullptr)
            window = QApplication::activeModalWidget();
        if (window != seen_) {
            seen_ = window;
            since_.restart();
            return;
        }
        if (window == nullptr || since_.elapsed() < 2000 || (allowed_ && allowed_(window)))
            return;
        QString title = window->windowTitle();
        if (auto* menu = qobject_cast<QMenu*>(window))
            for (QAction* action : menu->actions())
                title += QStringLiteral(" [%1]").arg(action->text());
        ADD_FAILURE() << "a window the walk did not expect stays open: \"" << title.toStdString() << "\" ("
                      << window->metaObject()->className() << ")";
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
        else
            window->close();
        seen_ = nullptr;
    }

    QTimer timer_;
    QElapsedTimer since_;
    QWidget* seen_ = nullptr;
    std::function<bool(QWidget*)> allowed_;
};

// The OK of a modal dialog, in either language: its default button.
inline bool confirmDialog() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr)
        return false;
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->isVisible() &&
            (button->isDefault() || button->text().remove('&') == QLatin1String("OK"))) {
            button->click();
            return true;
        }
    return false;
}

}  // namespace userwalk
