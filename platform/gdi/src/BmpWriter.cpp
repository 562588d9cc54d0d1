#include "gdi/BmpWriter.h"

#include "DibWriter.h"
#include "gdi/WholeFile.h"

namespace gdi {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;

using dib::put32;

}  // namespace

QByteArray encodeBmp(const QImage& source) {
    if (source.isNull())
        return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t stride = (width * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * height;
    const std::uint32_t offset = kFileHeaderSize + dib::kInfoHeaderSize;

    QByteArray out;
    out.reserve(qsizetype(offset + pixelBytes));
    out.append("BM", 2);
    put32(out, offset + pixelBytes);
    put32(out, 0);  // reserved
    put32(out, offset);
    dib::putInfoHeader(out, image.width(), image.height(), 24, pixelBytes);
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
    return writeWholeFile(path, bytes);
}

bool saveBitmapFile(HBITMAP bitmap, const QString& path) {
    return saveBmp(bitmapImage(bitmap), path);
}

bool saveBitmapFile(const DeviceContext& dc, const QString& path) {
    return saveBmp(dc.image(), path);
}

}  // namespace gdi
