#include "ui/Input.h"

#include <map>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "gdi/BmpWriter.h"

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

const QString kEmfMime = QStringLiteral("image/x-emf");
constexpr int kBmpFileHeaderSize = 14;
constexpr std::uint32_t kBitFields = 3;

std::uint32_t u32At(const QByteArray& data, qsizetype offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(data[offset + i]);
    return value;
}

std::uint16_t u16At(const QByteArray& data, qsizetype offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(data[offset]) |
                                      (static_cast<unsigned char>(data[offset + 1]) << 8));
}

void putU32(QByteArray& data, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        data.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A packed bitmap read whole: every size it claims is checked against the bytes it has before
// anything is decoded.
std::optional<QImage> imageFromPackedDib(const QByteArray& dib) {
    constexpr qsizetype kInfoHeaderSize = 40;
    if (dib.size() < kInfoHeaderSize)
        return std::nullopt;
    const std::uint32_t headerSize = u32At(dib, 0);
    const auto width = static_cast<std::int32_t>(u32At(dib, 4));
    const auto height = static_cast<std::int32_t>(u32At(dib, 8));
    const std::uint16_t bitCount = u16At(dib, 14);
    const std::uint32_t compression = u32At(dib, 16);
    const std::uint32_t coloursUsed = u32At(dib, 32);
    constexpr std::int32_t kMaxSide = 32768;
    if (headerSize < kInfoHeaderSize || headerSize > static_cast<std::uint32_t>(dib.size()) || width <= 0 ||
        width > kMaxSide || height == 0 || height > kMaxSide || height < -kMaxSide)
        return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return std::nullopt;
    if (compression != 0 && compression != kBitFields)
        return std::nullopt;
    const std::uint64_t colours = bitCount <= 8 ? (coloursUsed ? coloursUsed : 1u << bitCount) : coloursUsed;
    if (colours > 256)
        return std::nullopt;
    const std::uint64_t masks = compression == kBitFields && headerSize == kInfoHeaderSize ? 12 : 0;
    const std::uint64_t pixelsAt = headerSize + colours * 4 + masks;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    const std::uint64_t rows =
        static_cast<std::uint64_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
    if (pixelsAt + rowBytes * rows > static_cast<std::uint64_t>(dib.size()))
        return std::nullopt;
    QByteArray file("BM");
    putU32(file, static_cast<std::uint32_t>(kBmpFileHeaderSize + dib.size()));
    putU32(file, 0);
    putU32(file, static_cast<std::uint32_t>(kBmpFileHeaderSize + pixelsAt));
    file.append(dib);
    QImage image;
    if (!image.loadFromData(file, "BMP") || image.isNull())
        return std::nullopt;
    return image;
}

QByteArray packedDibOf(const QImage& image) {
    return gdi::encodeBmp(image).mid(kBmpFileHeaderSize);
}

// An enhanced metafile starts with its header record, which carries the signature and the file's size.
bool isEnhancedMetafile(const QByteArray& data) {
    constexpr qsizetype kHeaderSize = 88;
    constexpr std::uint32_t kHeaderRecord = 1;
    constexpr std::uint32_t kSignature = 0x464D4520;
    return data.size() >= kHeaderSize && u32At(data, 0) == kHeaderRecord && u32At(data, 40) == kSignature &&
           u32At(data, 48) <= static_cast<std::uint32_t>(data.size()) && u32At(data, 48) >= kHeaderSize;
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
    } else if (format == CF_DIB) {
        const std::optional<QImage> image = imageFromPackedDib(data);
        if (!image) {
            delete mime;
            return false;
        }
        mime->setImageData(*image);
    } else if (format == CF_ENHMETAFILE) {
        if (!isEnhancedMetafile(data)) {
            delete mime;
            return false;
        }
        mime->setData(kEmfMime, data);
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
    if (format == CF_DIB || format == CF_BITMAP) {
        if (!mime->hasImage())
            return std::nullopt;
        const QImage image = qvariant_cast<QImage>(mime->imageData());
        if (image.isNull())
            return std::nullopt;
        return packedDibOf(image);
    }
    if (format == CF_ENHMETAFILE) {
        if (!mime->hasFormat(kEmfMime))
            return std::nullopt;
        return mime->data(kEmfMime);
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

bool setClipboardImage(const QImage& image) {
    QClipboard* board = clipboard();
    if (!board || image.isNull())
        return false;
    board->setImage(image);
    return true;
}

std::optional<QImage> clipboardImage() {
    QClipboard* board = clipboard();
    const QMimeData* mime = board ? board->mimeData() : nullptr;
    if (!mime || !mime->hasImage())
        return std::nullopt;
    QImage image = qvariant_cast<QImage>(mime->imageData());
    if (image.isNull())
        return std::nullopt;
    return image;
}

}  // namespace ui
