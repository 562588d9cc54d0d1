#include "frame/update/frmDataUpdate.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QProgressBar>
#include <QStyle>

#include "DesignedDialog.h"
#include "frame/Form.h"
#include "frame/LanguageTable.h"
#include "frame/Localize.h"
#include "frame/ReadingOrder.h"

namespace frame {
namespace {

constexpr int kPictureSize = 32;  // pixels

QPointer<frmDataUpdate>& openWindow() {
    static QPointer<frmDataUpdate> window;
    return window;
}

}  // namespace

FormModel frmDataUpdate::design() {
    FormModel f;
    f.name = QStringLiteral("frmDataUpdate");
    f.tag = QStringLiteral("26");
    f.caption = QStringLiteral("Data Update");
    f.width = 5700;
    f.height = 2700;
    f.controls = {
        designControl("Animation1", ControlKind::Animation, "", "", 120, 120, 720, 600),
        designControl("pctOK", ControlKind::PictureBox, "", "", 240, 180, 480, 480),
        designControl("pctError", ControlKind::PictureBox, "", "", 240, 180, 480, 480),
        designControl("lblStatus", ControlKind::Label, "", "", 960, 120, 4500, 600),
        designControl("ProgressBar1", ControlKind::ProgressBar, "", "", 120, 900, 5340, 300),
        designControl("cmdCancel", ControlKind::CommandButton, "14", "Cancel", 4080, 1500, 1380, 420),
        designControl("Http1", ControlKind::HttpControl, "", "", 0, 0, 0, 0),
    };
    return f;
}

frmDataUpdate::frmDataUpdate(QWidget* parent, DataUpdateLinks links)
    : QDialog(parent), model_(std::move(links)) {
    form_ = embedForm(*this, design());
    placePicturesOverAnimation();

    auto* progress = static_cast<QProgressBar*>(form_->controlWidget(QStringLiteral("ProgressBar1")));
    progress->setRange(DataUpdateDisplay::kProgressMin, DataUpdateDisplay::kProgressMax);
    progress->setTextVisible(false);
    const QIcon ok = style()->standardIcon(QStyle::SP_DialogApplyButton);
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    static_cast<QLabel*>(form_->controlWidget(QStringLiteral("pctOK")))->setPixmap(ok.pixmap(kPictureSize));
    static_cast<QLabel*>(form_->controlWidget(QStringLiteral("pctError")))
        ->setPixmap(error.pixmap(kPictureSize));

    auto* cancel = static_cast<QAbstractButton*>(form_->controlWidget(QStringLiteral("cmdCancel")));
    connect(cancel, &QAbstractButton::clicked, this, [this] { close(); });
    model_.setChanged([this] { refresh(); });
    refresh();
}

// The OK and error pictures stand where the animation played. A mirrored window leaves picture boxes
// where they were designed, which in Arabic would put them under the right-aligned status text,
// away from the mirrored animation; here they follow the animation.
void frmDataUpdate::placePicturesOverAnimation() {
    if (!gArabic)
        return;
    FormModel& model = form_->model();
    for (const QString& name : {QStringLiteral("pctOK"), QStringLiteral("pctError")}) {
        ControlModel& picture = model.control(name);
        picture.left = mirroredLeft(picture.left, picture.width, model.containerWidth(picture),
                                    model.containerIsFrame(picture));
    }
    form_->applyModel();
}

frmDataUpdate::~frmDataUpdate() {
    model_.setChanged({});
}

void frmDataUpdate::Start() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    model_.Start();
    QGuiApplication::restoreOverrideCursor();
}

// Closing is the Cancel button; while the answer is stored (the button disabled) the window stays.
void frmDataUpdate::closeEvent(QCloseEvent* event) {
    if (!model_.display().cancelEnabled) {
        event->ignore();
        return;
    }
    model_.cmdCancel_Click();
    event->accept();
}

void frmDataUpdate::refresh() {
    const DataUpdateDisplay& d = model_.display();
    static_cast<QLabel*>(form_->controlWidget(QStringLiteral("lblStatus")))
        ->setText(withSingleLineBreaks(d.status));
    auto* progress = static_cast<QProgressBar*>(form_->controlWidget(QStringLiteral("ProgressBar1")));
    progress->setVisible(d.progressVisible);
    progress->setValue(d.progressValue);
    form_->controlWidget(QStringLiteral("pctOK"))->setVisible(d.okVisible);
    form_->controlWidget(QStringLiteral("pctError"))->setVisible(d.errorVisible);
    auto* cancel = static_cast<QAbstractButton*>(form_->controlWidget(QStringLiteral("cmdCancel")));
    if (!d.cancelCaption.isEmpty()) {
        cancel->setText(d.cancelCaption);
    }
    cancel->setEnabled(d.cancelEnabled);
    showAnimation(d.animationClip);
}

// The clip plays when the platform can read it (an animated image); a clip it cannot read shows
// nothing, as a missing one does.
void frmDataUpdate::showAnimation(const QString& clip) {
    auto* label = static_cast<QLabel*>(form_->controlWidget(QStringLiteral("Animation1")));
    if (clip.isEmpty()) {
        if (movie_ != nullptr) {
            movie_->stop();
        }
        label->setVisible(false);
        return;
    }
    if (movie_ == nullptr || movie_->fileName() != clip) {
        delete movie_;
        movie_ = new QMovie(clip, QByteArray(), this);
        label->setMovie(movie_);
    }
    const bool playable = movie_->isValid();
    label->setVisible(playable);
    if (playable && movie_->state() != QMovie::Running) {
        movie_->start();
    }
}

frmDataUpdate* ShowDataUpdate(QWidget* frame, DataUpdateLinks links) {
    QPointer<frmDataUpdate>& window = openWindow();
    if (window) {
        window->raise();
        window->activateWindow();
        return window;
    }
    window = new frmDataUpdate(frame, std::move(links));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->Start();
    return window;
}

}  // namespace frame
