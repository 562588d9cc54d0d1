#pragma once

// The note window ("Commentary"): one analyst note over several lines with its picture, or the
// No Image picture for a note without one, and the button that shows the disclaimer.

#include <QImage>

#include <filesystem>
#include <functional>

#include "frame/Form.h"

namespace frame {

// Shows a window modally and returns when it is closed.
using ModalRunner = std::function<void(Form& window)>;

class frmNote : public Form {
public:
    // Size of the picture box and of the No Image picture, in pixels.
    static constexpr int kPictureWidth = 620;
    static constexpr int kPictureHeight = 558;

    // `runModal` shows the disclaimer; empty shows it with runModal().
    explicit frmNote(QWidget* parent = nullptr, ModalRunner runModal = {});
    static FormModel design();
    // White, with the words No Image.
    static QImage noImagePicture();

    void Form_Load();
    void cmdDisclimer_Click();

    // The text box's text; lines break with CR LF.
    void setNoteText(const QString& text);
    QString noteText() const;
    // Shows the picture in the file. Throws AppError 53 when there is no such file and 481 when it
    // holds no picture; the picture shown stays as it was.
    void loadPicture(const std::filesystem::path& file);
    // The picture shown.
    const QImage& picture() const { return m_picture; }

protected:
    // Escape closes the window, as the Cancel button of a dialog would.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showPicture(QImage picture);

    ModalRunner m_runModal;
    QImage m_picture;
};

}  // namespace frame
