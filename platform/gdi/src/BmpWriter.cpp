#include "gdi/BmpWriter.h"

#include <QFile>

namespace gdi {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dpi

void put16(QByteArray& out, std::uint16_t v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}
void put32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

QByteArray encodeBmp(const QImage& source) {
    if (source.isNull())
        return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t stride = (width * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * height;
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    QByteArray out;
    out.reserve(qsizetype(offset + pixelBytes));
    out.append("BM", 2);
    put32(out, offset + pixelBytes);
    put32(out, 0);  // reserved
    put32(out, offset);
    put32(out, kInfoHeaderSize);
    put32(out, width);
    put32(out, height);  // positive: bottom-up rows
    put16(out, 1);       // planes
    put16(out, 24);      // bits per pixel
    put32(out, 0);       // BI_RGB
    put32(out, pixelBytes);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);  // colours used
    put32(out, 0);  // important colours
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
        }
        for (std::uint32_t pad = width * 3; pad < stride; ++pad)
            out.append('\0');
    }
    return out;
}

bool saveBmp(const QImage& image, const QString& path) {
    const QByteArray bytes = encodeBmp(image);
    if (bytes.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.close();
        file.remove();
        return false;
    }
    return true;
}

bool saveBitmapFile(HBITMAP bitmap, const QString& path) {
    return saveBmp(bitmapImage(bitmap), path);
}

bool saveBitmapFile(const DeviceContext& dc, const QString& path) {
    return saveBmp(dc.image(), path);
}

}  // namespace gdi
