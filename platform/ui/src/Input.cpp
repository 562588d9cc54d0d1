#include "ui/Input.h"

#include <map>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ui {

namespace {

std::optional<bool>& shiftOverride() {
    static std::optional<bool> value;
    return value;
}

std::map<QString, std::uint32_t>& formatsByName() {
    static std::map<QString, std::uint32_t> formats;
    return formats;
}

// Mime type of a private format.
std::optional<QString> mimeFor(std::uint32_t format) {
    for (const auto& [name, number] : formatsByName()) {
        if (number == format)
            return "application/x-tarnwick-" + name;
    }
    return std::nullopt;
}

QClipboard* clipboard() {
    return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr;
}

}  // namespace

bool isShiftDown() {
    if (shiftOverride())
        return *shiftOverride();
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

void setShiftStateOverride(std::optional<bool> down) {
    shiftOverride() = down;
}

std::uint32_t registerClipboardFormat(const QString& name) {
    if (name.isEmpty())
        return 0;
    auto& formats = formatsByName();
    auto [it, added] = formats.emplace(name, 0xC000 + static_cast<std::uint32_t>(formats.size()));
    return it->second;
}

bool setClipboardData(std::uint32_t format, const QByteArray& data) {
    QClipboard* board = clipboard();
    if (!board)
        return false;
    auto* mime = new QMimeData;
    if (format == CF_TEXT) {
        mime->setText(QString::fromUtf8(data));
    } else if (format == CF_UNICODETEXT) {
        mime->setText(
            QString::fromUtf16(reinterpret_cast<const char16_t*>(data.constData()), data.size() / 2));
    } else if (auto type = mimeFor(format)) {
        mime->setData(*type, data);
    } else {
        delete mime;
        return false;
    }
    board->setMimeData(mime);
    return true;
}

std::optional<QByteArray> clipboardData(std::uint32_t format) {
    QClipboard* board = clipboard();
    const QMimeData* mime = board ? board->mimeData() : nullptr;
    if (!mime)
        return std::nullopt;
    if (format == CF_TEXT || format == CF_UNICODETEXT) {
        if (!mime->hasText())
            return std::nullopt;
        const QString text = mime->text();
        if (format == CF_TEXT)
            return text.toUtf8();
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    const auto type = mimeFor(format);
    if (!type || !mime->hasFormat(*type))
        return std::nullopt;
    return mime->data(*type);
}

bool isClipboardFormatAvailable(std::uint32_t format) {
    return clipboardData(format).has_value();
}

void emptyClipboard() {
    if (QClipboard* board = clipboard())
        board->clear();
}

}  // namespace ui
