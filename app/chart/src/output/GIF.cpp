#include "appchart/output/GIF.h"

#include <memory>
#include <optional>
#include <vector>

#include <QBuffer>

#include "appchart/output/GifLzwEncoder.h"
#include "appchart/output/GifPalette.h"
#include "com/Yield.h"
#include "gdi/WholeFile.h"

namespace appchart {

namespace {

constexpr std::uint8_t kScreenFlags = 0xF7;  // global table, 8-bit colour resolution, 256 entries
constexpr std::uint8_t kImageFlags = 7;
constexpr std::uint8_t kTransparencyFlags = 9;    // restore to background, transparent index valid
constexpr std::uint8_t kNoTransparencyFlags = 8;  // restore to background, no transparent index
constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

class ByteImage {
public:
    void bytes(std::initializer_list<std::uint8_t> values) { data_.insert(data_.end(), values); }
    void text(const char* ascii) {
        while (*ascii != '\0') {
            data_.push_back(static_cast<std::uint8_t>(*ascii++));
        }
    }
    void le16(int value) {
        data_.push_back(static_cast<std::uint8_t>(value & 0xFF));
        data_.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    }
    void table(const GifPalette::ColourTable& colours) {
        data_.insert(data_.end(), colours.begin(), colours.end());
    }
    const std::vector<std::uint8_t>& data() const { return data_; }

private:
    std::vector<std::uint8_t> data_;
};

// The lowest palette entry whose colour is exactly `colour` (0x00BBGGRR), if any.
std::optional<std::uint8_t> firstEntryEqualTo(com::COLORREF colour) {
    const auto& table = GifPalette::colourTable();
    for (int i = 0; i < GifPalette::kEntries; ++i) {
        const com::COLORREF entry = table[3 * i] | (table[3 * i + 1] << 8) | (table[3 * i + 2] << 16);
        if (entry == (colour & 0xFFFFFF))
            return static_cast<std::uint8_t>(i);
    }
    return std::nullopt;
}

// Everything before the image data: signature up to the LZW minimum code size. With transparency
// asked for, the graphic control extension marks `transparentIndex`, or no entry when it is empty.
std::vector<std::uint8_t> headerBytes(int width, int height, bool transparent,
                                      std::optional<std::uint8_t> transparentIndex) {
    ByteImage out;
    out.text(transparent ? "GIF89a" : "GIF87a");
    out.le16(width);
    out.le16(height);
    out.bytes({kScreenFlags, 0, 0});
    out.table(GifPalette::colourTable());
    if (transparent) {
        out.bytes({kExtensionIntroducer, kGraphicControlLabel, 4,
                   transparentIndex ? kTransparencyFlags : kNoTransparencyFlags, 0, 0,
                   transparentIndex.value_or(0), 0});
    }
    out.bytes({kImageSeparator});
    out.le16(0);
    out.le16(0);
    out.le16(width);
    out.le16(height);
    out.bytes({kImageFlags, GIF::kMinimumCodeSize});
    return out.data();
}

bool writeAll(QIODevice& device, const std::uint8_t* data, std::size_t size) {
    return device.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
           static_cast<qint64>(size);
}

}  // namespace

bool GIF::SaveGIF(const QImage& picture, const QString& fileName, bool transparent,
                  com::COLORREF transparentColour) {
    error_.clear();
    if (!checkPicture(picture)) {
        return false;
    }
    // The whole file is made in memory (a fraction of the picture's own size) and then written
    // beside the target, which it replaces only once complete.
    QBuffer image;
    image.open(QIODevice::WriteOnly);
    if (!writeGIF(picture, image, transparent, transparentColour)) {
        return false;
    }
    QString why;
    if (!gdi::writeWholeFile(fileName, image.data(), &why)) {
        return fail(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, why));
    }
    return true;
}

bool GIF::SaveGIF(gdi::HBITMAP picture, const QString& fileName, gdi::DeviceContext* memoryDC,
                  bool transparent, com::COLORREF transparentColour) {
    const QImage captured = capture(picture, memoryDC);
    if (captured.isNull())
        return fail(QStringLiteral("The picture is not a bitmap that can be read."));
    return SaveGIF(captured, fileName, transparent, transparentColour);
}

QImage GIF::capture(gdi::HBITMAP picture, gdi::DeviceContext* memoryDC) {
    const std::optional<gdi::BitmapInfo> info = gdi::getBitmap(picture);
    if (!info || info->width <= 0 || info->height <= 0)
        return {};
    std::unique_ptr<gdi::DeviceContext> ownDC;
    if (memoryDC == nullptr) {
        ownDC = gdi::createCompatibleDC();
        memoryDC = ownDC.get();
    }
    const std::unique_ptr<gdi::DeviceContext> source = gdi::createCompatibleDC();
    const gdi::HGDIOBJ sourcePrevious = source->selectObject(picture);
    const gdi::HBITMAP target = gdi::createBitmap(info->width, info->height, 32);
    const gdi::HGDIOBJ targetPrevious = memoryDC->selectObject(target);
    QImage result;
    if (memoryDC->bitBlt(0, 0, info->width, info->height, source.get(), 0, 0, gdi::SRCCOPY))
        result = memoryDC->image();
    memoryDC->selectObject(targetPrevious);
    source->selectObject(sourcePrevious);
    gdi::deleteObject(target);
    return result;
}

bool GIF::writeGIF(const QImage& picture, QIODevice& device, bool transparent,
                   com::COLORREF transparentColour) {
    error_.clear();
    if (!checkPicture(picture)) {
        return false;
    }
    const QImage rgb32 = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                             ? picture
                             : picture.convertToFormat(QImage::Format_RGB32);
    if (rgb32.isNull()) {
        return fail(QStringLiteral("Not enough memory to convert the picture."));
    }
    // Only a colour the palette holds exactly can be transparent; the pixels of any other colour
    // map to entries that other colours share, which must stay visible.
    const std::vector<std::uint8_t> header =
        headerBytes(rgb32.width(), rgb32.height(), transparent, firstEntryEqualTo(transparentColour));
    const std::uint8_t trailer[] = {0, kTrailer};
    if (!writeAll(device, header.data(), header.size()) || !writeImageData(rgb32, device) ||
        !writeAll(device, trailer, sizeof trailer)) {
        return fail(QStringLiteral("Cannot write the GIF file: %1").arg(device.errorString()));
    }
    return true;
}

com::SHORT GIF::progressPercent(int rowsDone, int height) {
    if (height <= 0) {
        return 0;
    }
    const std::int64_t scaled = std::int64_t{rowsDone} * 100;
    std::int64_t percent = scaled / height;
    const std::int64_t twiceRemainder = 2 * (scaled % height);
    if (twiceRemainder > height || (twiceRemainder == height && percent % 2 != 0)) {
        ++percent;
    }
    return static_cast<com::SHORT>(percent);
}

bool GIF::fail(const QString& message) {
    error_ = message;
    return false;
}

bool GIF::checkPicture(const QImage& picture) {
    if (picture.isNull()) {
        return fail(QStringLiteral("The picture holds no image."));
    }
    if (picture.width() > kMaxDimension || picture.height() > kMaxDimension) {
        return fail(QStringLiteral("The picture is %1 x %2 pixels; a GIF file holds at most %3 x %3.")
                        .arg(picture.width())
                        .arg(picture.height())
                        .arg(kMaxDimension));
    }
    return true;
}

bool GIF::writeImageData(const QImage& rgb32, QIODevice& device) {
    GifLzwEncoder encoder([&device](std::span<const std::uint8_t> block) {
        return writeAll(device, block.data(), block.size());
    });
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rgb32.width()));
    for (int y = 0; y < rgb32.height(); ++y) {
        GifPalette::mapRow(rgb32, y, row);
        if (!encoder.encodeRow(row)) {
            return false;
        }
        if ((y + 1) % kProgressRowInterval == 0) {
            reportProgress(y + 1, rgb32.height());
        }
    }
    return encoder.finish();
}

void GIF::reportProgress(int rowsDone, int height) {
    if (progress_) {
        progress_(progressPercent(rowsDone, height));
    }
    com::processPendingEvents();
}

}  // namespace appchart
