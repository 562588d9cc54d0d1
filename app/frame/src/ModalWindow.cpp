#include "frame/ModalWindow.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>

#include "frame/Form.h"

namespace frame {
namespace {

class QuitWhenHidden : public QObject {
public:
    explicit QuitWhenHidden(QEventLoop& loop) : m_loop(loop) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            m_loop.quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop& m_loop;
};

}  // namespace

void runModal(Form& form) {
    QEventLoop loop;
    QuitWhenHidden watcher(loop);
    QPointer<Form> window(&form);
    form.installEventFilter(&watcher);
    QObject::connect(&form, &QObject::destroyed, &loop, &QEventLoop::quit);
    form.setWindowModality(Qt::ApplicationModal);
    form.show();
    if (form.isVisible())
        loop.exec();
    if (window)
        window->removeEventFilter(&watcher);
}

}  // namespace frame
