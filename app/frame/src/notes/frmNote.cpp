#include "frame/notes/frmNote.h"

#include <QFont>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include "appdata/AppError.h"
#include "frame/Localize.h"
#include "frame/ModalWindow.h"
#include "frame/frmDisclaimer.h"

namespace frame {
namespace {

constexpr std::int32_t kInvalidPicture = 481;

const QString kPictureBox = QStringLiteral("imgChart");
const QString kTextBox = QStringLiteral("txtNote");

}  // namespace

FormModel frmNote::design() {
    constexpr std::int32_t pictureWidth = kPictureWidth * kTwipsPerPixel;
    constexpr std::int32_t pictureHeight = kPictureHeight * kTwipsPerPixel;
    constexpr std::int32_t margin = 120;
    constexpr std::int32_t textHeight = 1455;
    constexpr std::int32_t buttonTop = margin + textHeight + margin + pictureHeight + margin;
    FormModel f;
    f.name = QStringLiteral("frmNote");
    f.tag = QStringLiteral("104");
    f.caption = QStringLiteral("Commentary");
    f.width = margin + pictureWidth + margin + Form::kChromeWidthTwips;
    f.height = buttonTop + 375 + margin + Form::kChromeHeightTwips;
    f.controls = {
        designControl("txtNote", ControlKind::TextBox, "", QString(), margin, margin, pictureWidth,
                      textHeight),
        designControl("imgChart", ControlKind::PictureBox, "", QString(), margin,
                      margin + textHeight + margin, pictureWidth, pictureHeight),
        designControl("cmdDisclimer", ControlKind::CommandButton, "105", QStringLiteral("Disclaimer..."),
                      margin, buttonTop, 1815, 375),
    };
    f.control(kTextBox).multiLine = true;
    return f;
}

QImage frmNote::noImagePicture() {
    QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(48);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(128, 128, 128));
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("No Image"));
    return picture;
}

frmNote::frmNote(QWidget* parent, ModalRunner runModal)
    : Form(design(), Localization::AsDesigned, parent), m_runModal(std::move(runModal)) {
    setWindowFlags(Qt::Dialog);
    if (!m_runModal)
        m_runModal = [](Form& window) { frame::runModal(window); };
    static_cast<QLabel*>(controlWidget(kPictureBox))->setAlignment(Qt::AlignCenter);
    onClick(QStringLiteral("cmdDisclimer"), [this] { cmdDisclimer_Click(); });
    showPicture(noImagePicture());
    Form_Load();
}

void frmNote::Form_Load() {
    LocalizeForm(*this);
}

void frmNote::cmdDisclimer_Click() {
    auto* disclaimer = new frmDisclaimer(this);
    m_runModal(*disclaimer);
    if (disclaimer->isLoaded())
        disclaimer->unload();
}

void frmNote::setNoteText(const QString& text) {
    model().control(kTextBox).caption = text;
    applyModel();
}

QString frmNote::noteText() const {
    return model().control(kTextBox).caption;
}

void frmNote::loadPicture(const std::filesystem::path& file) {
    if (!std::filesystem::is_regular_file(file))
        throw tarnwick::AppError(tarnwick::errnum::kFileNotFound, "File not found: " + file.string());
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setDecideFormatFromContent(true);
    QImage picture = reader.read();
    if (picture.isNull())
        throw tarnwick::AppError(kInvalidPicture, "Invalid picture: " + reader.errorString().toStdString());
    showPicture(std::move(picture));
}

void frmNote::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        unload();
        return;
    }
    Form::keyPressEvent(event);
}

// A picture larger than the box is shown scaled down to fit it.
void frmNote::showPicture(QImage picture) {
    m_picture = std::move(picture);
    QPixmap shown = QPixmap::fromImage(m_picture);
    if (shown.width() > kPictureWidth || shown.height() > kPictureHeight)
        shown = shown.scaled(kPictureWidth, kPictureHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    static_cast<QLabel*>(controlWidget(kPictureBox))->setPixmap(shown);
}

}  // namespace frame
