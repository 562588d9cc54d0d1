// Modal services that answer from a script and record every question: for tests.
#pragma once

#include <deque>

#include "ui/ModalServices.h"

namespace ui {

class ScriptedModalServices final : public ModalServices {
public:
    enum class Kind { MessageBox, InputBox, OpenFile, SaveFile, Color, Font, Print, Preview, Menu };
    struct Question {
        Kind kind;
        QString text;                    // message, prompt, dialog title or first menu item
        QString caption;                 // caption, title, preset file name
        int style = 0;                   // message box style, filter index or menu item count
        QPoint point;                    // popup menus
        std::vector<QImage> ownerDrawn;  // popup menus: the owner-drawn items as they were shown
        QString defaultText;             // input boxes: the text offered
    };

    // Installs itself while alive and restores the previous services afterwards.
    ScriptedModalServices();
    ~ScriptedModalServices() override;

    void answerMessageBox(int answer) { messageAnswers_.push_back(answer); }
    void answerInput(std::optional<QString> text) { inputAnswers_.push_back(std::move(text)); }
    void answerFile(FileDialogResult result) { fileAnswers_.push_back(std::move(result)); }
    void answerColor(std::optional<gdi::COLORREF> color) { colorAnswers_.push_back(color); }
    void answerFont(std::optional<gdi::LogFont> font) { fontAnswers_.push_back(std::move(font)); }
    void answerPrint(bool confirmed) { printAnswers_.push_back(confirmed); }
    void answerMenu(int id) { menuAnswers_.push_back(id); }

    const std::vector<Question>& questions() const { return questions_; }
    // Questions asked with no answer left in the script (they got the cancel answer).
    int unanswered() const { return unanswered_; }

    int messageBox(QWidget* owner, const QString& text, const QString& caption, int style) override;
    std::optional<QString> inputBox(QWidget* owner, const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    FileDialogResult openFile(const FileDialogRequest& request) override;
    FileDialogResult saveFile(const FileDialogRequest& request) override;
    std::optional<gdi::COLORREF> chooseColor(QWidget* owner, gdi::COLORREF initial) override;
    std::optional<gdi::LogFont> chooseFont(QWidget* owner, const gdi::LogFont& initial) override;
    bool printDialog(QWidget* owner, QPrinter& printer) override;
    bool printPreview(QWidget* owner, QPrinter& printer,
                      const std::function<void(QPrinter&)>& paint) override;
    int trackPopupMenu(QWidget* owner, const PopupMenu& menu, QPoint screenPoint) override;

private:
    template <typename T>
    T next(std::deque<T>& queue, T fallback);
    FileDialogResult file(Kind kind, const FileDialogRequest& request);

    ModalServices* previous_ = nullptr;
    std::vector<Question> questions_;
    int unanswered_ = 0;
    std::deque<int> messageAnswers_;
    std::deque<std::optional<QString>> inputAnswers_;
    std::deque<FileDialogResult> fileAnswers_;
    std::deque<std::optional<gdi::COLORREF>> colorAnswers_;
    std::deque<std::optional<gdi::LogFont>> fontAnswers_;
    std::deque<bool> printAnswers_;
    std::deque<int> menuAnswers_;
};

}  // namespace ui
