#include "frame/MessageBox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>

#include <array>
#include <utility>

#include "frame/LanguageTable.h"

namespace frame {
namespace {

struct ButtonSet {
    int32_t code;
    std::array<std::pair<QMessageBox::StandardButton, int32_t>, 3> buttons;
};

constexpr auto kNone = std::pair{QMessageBox::NoButton, 0};

const std::array<ButtonSet, 6> kButtonSets = {{
    {0, {{{QMessageBox::Ok, IDOK}, kNone, kNone}}},
    {1, {{{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}, kNone}}},
    {2, {{{QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}}}},
    {3, {{{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}}}},
    {4, {{{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, kNone}}},
    {5, {{{QMessageBox::Retry, 4}, {QMessageBox::Cancel, IDCANCEL}, kNone}}},
}};

QMessageBox::Icon iconOf(int32_t style) {
    switch (style & 0xF0) {
        case MB_ICONSTOP:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QString programTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Tarnwick") : name;
}

// The on-screen box, used until the platform's modal service takes over.
int32_t showOnScreen(const QString& text, int32_t style, const QString& title) {
    QMessageBox box(iconOf(style), title.isEmpty() ? programTitle() : title, text);
    if (style & MB_RTLREADING)
        box.setLayoutDirection(Qt::RightToLeft);
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")); label && (style & MB_RIGHT))
        label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    const int32_t code = style & 0x0F;
    const ButtonSet& set = code < static_cast<int32_t>(kButtonSets.size())
                               ? kButtonSets[static_cast<size_t>(code)]
                               : kButtonSets[0];
    for (const auto& [button, id] : set.buttons) {
        if (button != QMessageBox::NoButton)
            box.addButton(button);
    }
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& [button, id] : set.buttons) {
        if (button == pressed)
            return id;
    }
    return IDCANCEL;  // closed without a button
}

MessageBoxHandler& handler() {
    static MessageBoxHandler current;
    return current;
}

}  // namespace

int32_t messageBoxStyle(int32_t style) {
    return gArabic ? (style | kArabicMessageStyle) : style;
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler next) {
    return std::exchange(handler(), std::move(next));
}

int32_t showMessage(const QString& text, int32_t style, const QString& title) {
    const int32_t shown = messageBoxStyle(style);
    if (const MessageBoxHandler& h = handler())
        return h(text, shown, title);
    return showOnScreen(text, shown, title);
}

}  // namespace frame
