#include "ui/ScriptedModalServices.h"

#include <QImage>

namespace ui {

ScriptedModalServices::ScriptedModalServices() : previous_(setModalServices(this)) {}

ScriptedModalServices::~ScriptedModalServices() {
    setModalServices(previous_);
}

template <typename T>
T ScriptedModalServices::next(std::deque<T>& queue, T fallback) {
    if (queue.empty()) {
        ++unanswered_;
        return fallback;
    }
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

int ScriptedModalServices::messageBox(QWidget*, const QString& text, const QString& caption, int style) {
    questions_.push_back({Kind::MessageBox, text, caption, style, {}, {}, {}});
    return next(messageAnswers_, dismissAnswer(style));
}

std::optional<QString> ScriptedModalServices::inputBox(QWidget*, const QString& prompt, const QString& title,
                                                       const QString& defaultText) {
    questions_.push_back({Kind::InputBox, prompt, title, 0, {}, {}, defaultText});
    // Spelled out rather than through next(): GCC's -O2 flow analysis reports a moved-from
    // optional<QString> as maybe-uninitialized.
    if (inputAnswers_.empty()) {
        ++unanswered_;
        return std::nullopt;
    }
    const std::optional<QString> answer = inputAnswers_.front();
    inputAnswers_.pop_front();
    return answer;
}

FileDialogResult ScriptedModalServices::file(Kind kind, const FileDialogRequest& request) {
    questions_.push_back({kind, request.title, request.fileName, request.filterIndex, {}, {}, {}});
    return next(fileAnswers_, FileDialogResult{false, request.fileName, request.filterIndex});
}

FileDialogResult ScriptedModalServices::openFile(const FileDialogRequest& request) {
    return file(Kind::OpenFile, request);
}

FileDialogResult ScriptedModalServices::saveFile(const FileDialogRequest& request) {
    return file(Kind::SaveFile, request);
}

std::optional<gdi::COLORREF> ScriptedModalServices::chooseColor(QWidget*, gdi::COLORREF initial) {
    questions_.push_back({Kind::Color, {}, {}, static_cast<int>(initial), {}, {}, {}});
    return next(colorAnswers_, std::optional<gdi::COLORREF>());
}

std::optional<gdi::LogFont> ScriptedModalServices::chooseFont(QWidget*, const gdi::LogFont& initial) {
    questions_.push_back(
        {Kind::Font, QString::fromStdString(initial.faceName), {}, initial.height, {}, {}, {}});
    return next(fontAnswers_, std::optional<gdi::LogFont>());
}

bool ScriptedModalServices::printDialog(QWidget*, QPrinter&) {
    questions_.push_back({Kind::Print, {}, {}, 0, {}, {}, {}});
    return next(printAnswers_, false);
}

bool ScriptedModalServices::printPreview(QWidget*, QPrinter& printer,
                                         const std::function<void(QPrinter&)>& paint) {
    questions_.push_back({Kind::Preview, {}, {}, 0, {}, {}, {}});
    const bool confirmed = next(printAnswers_, false);
    if (confirmed && paint)
        paint(printer);
    return confirmed;
}

int ScriptedModalServices::trackPopupMenu(QWidget*, const PopupMenu& menu, QPoint screenPoint) {
    const QString first = menu.items.empty() ? QString() : menu.items.front().text;
    // A shown menu measures and draws its owner-drawn items.
    std::vector<QImage> pictures;
    for (const int ownerDrawn : menu.ownerDrawnIds())
        pictures.push_back(menu.renderOwnerDrawn(ownerDrawn));
    questions_.push_back(
        {Kind::Menu, first, {}, static_cast<int>(menu.items.size()), screenPoint, std::move(pictures), {}});
    const int id = next(menuAnswers_, 0);
    // A scripted choice of a disabled or missing item is what a real menu cannot return.
    return menu.isChoosable(id) ? id : 0;
}

}  // namespace ui
