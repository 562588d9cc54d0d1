#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include "GifCodeReader.h"
#include "appchart/output/GIF.h"
#include "appchart/output/GifPalette.h"
#include "com/Yield.h"
#include "testsupport/FileSizeLimit.h"

using appchart::GIF;
using appchart::GifPalette;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Offsets in a file without the graphic control extension: 6 signature + 7 screen descriptor +
// 768 colour table + 10 image descriptor + 1 minimum code size.
constexpr std::size_t kPaletteOffset = 13;
constexpr std::size_t kImageDescriptorOffset = 781;
constexpr std::size_t kDataOffset = 792;

QRgb paletteColour(int index) {
    const auto& t = GifPalette::colourTable();
    return qRgb(t[index * 3], t[index * 3 + 1], t[index * 3 + 2]);
}

// An image whose pixels are exactly the palette colours of `indices` (row by row).
QImage imageOfIndices(int width, int height, const Bytes& indices) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, paletteColour(indices[std::size_t(y) * width + x]));
        }
    }
    return image;
}

Bytes slice(const Bytes& bytes, std::size_t offset, std::size_t count) {
    if (offset + count > bytes.size()) {
        return {};
    }
    return Bytes(bytes.begin() + offset, bytes.begin() + offset + count);
}

class GifFile : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    Bytes save(const QImage& image, bool transparent = false, com::COLORREF colour = 0) {
        const QString file = path("out.gif");
        EXPECT_TRUE(gif_.SaveGIF(image, file, transparent, colour)) << gif_.errorString().toStdString();
        return read(file);
    }

    static Bytes read(const QString& file) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) {
            return {};
        }
        const QByteArray data = f.readAll();
        return Bytes(data.begin(), data.end());
    }

    static void writeText(const QString& file, const QByteArray& text) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    QTemporaryDir dir_;
    GIF gif_;
};

}  // namespace

TEST_F(GifFile, OnePixelFilesAreByteExact) {
    const struct {
        QRgb colour;
        Bytes data;
    } cases[] = {{qRgb(0, 0, 0), {0x04, 0x00, 0x01, 0x04, 0x04, 0x00, 0x3B}},
                 {qRgb(255, 255, 255), {0x04, 0x00, 0xF9, 0x04, 0x04, 0x00, 0x3B}},
                 // Near-white still maps to white.
                 {qRgb(240, 230, 250), {0x04, 0x00, 0xF9, 0x04, 0x04, 0x00, 0x3B}}};
    for (const auto& c : cases) {
        QImage image(1, 1, QImage::Format_RGB32);
        image.fill(c.colour);
        const Bytes file = save(image);
        ASSERT_EQ(file.size(), 799u);
        EXPECT_EQ(slice(file, kDataOffset, 7), c.data);
    }
}

TEST_F(GifFile, OneBlackPixelWholeFile) {
    // Signature, logical screen 1 x 1 with a global table of 256 entries, background 0, aspect 0.
    Bytes expected{'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0xF7, 0, 0};
    // Colour table: a 5 x 5 x 5 cube, red varying fastest, then 131 black entries.
    const std::uint8_t levels[] = {0, 64, 128, 192, 255};
    for (int blue = 0; blue < 5; ++blue)
        for (int green = 0; green < 5; ++green)
            for (int red = 0; red < 5; ++red)
                expected.insert(expected.end(), {levels[red], levels[green], levels[blue]});
    expected.insert(expected.end(), 131 * 3, 0);
    // Image descriptor at 0, 0, 1 x 1, flags 7; minimum code size 8.
    expected.insert(expected.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 7, 8});
    // Codes 256, 0, 257 in 9 bits each, lowest bit first: 27 bits in one 4-byte sub-block.
    expected.insert(expected.end(), {4, 0x00, 0x01, 0x04, 0x04});
    // Block terminator, trailer.
    expected.insert(expected.end(), {0, 0x3B});

    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(Qt::black);
    EXPECT_EQ(save(image), expected);
}

TEST_F(GifFile, HeaderOfFourByOneImage) {
    const Bytes file = save(imageOfIndices(4, 1, {5, 5, 5, 5}));
    EXPECT_EQ(slice(file, 0, 13), (Bytes{'G', 'I', 'F', '8', '7', 'a', 4, 0, 1, 0, 0xF7, 0, 0}));
    EXPECT_EQ(slice(file, kImageDescriptorOffset, 11), (Bytes{0x2C, 0, 0, 0, 0, 4, 0, 1, 0, 7, 8}));
    EXPECT_EQ(slice(file, kDataOffset, 9), (Bytes{0x06, 0x00, 0x0B, 0x08, 0x2C, 0x10, 0x10, 0x00, 0x3B}));
    EXPECT_EQ(file.size(), kDataOffset + 9);
}

TEST_F(GifFile, PaletteEntriesInTheFile) {
    const Bytes file = save(imageOfIndices(1, 1, {0}));
    const struct {
        int index;
        Bytes rgb;
    } entries[] = {{1, {64, 0, 0}},  {4, {255, 0, 0}},       {5, {0, 64, 0}},
                   {25, {0, 0, 64}}, {124, {255, 255, 255}}, {200, {0, 0, 0}}};
    for (const auto& e : entries) {
        EXPECT_EQ(slice(file, kPaletteOffset + 3 * e.index, 3), e.rgb) << e.index;
    }
    // Entries past the colour cube are black.
    EXPECT_EQ(slice(file, kPaletteOffset + 3 * 125, 3 * 131), Bytes(3 * 131, 0));
}

TEST_F(GifFile, SecondRowRestartsTheTable) {
    const Bytes file = save(imageOfIndices(2, 2, {1, 2, 3, 4}));
    EXPECT_EQ(slice(file, 6, 4), (Bytes{2, 0, 2, 0}));
    EXPECT_EQ(slice(file, kDataOffset, 11),
              (Bytes{0x08, 0x00, 0x03, 0x08, 0x00, 0x38, 0x80, 0x40, 0x40, 0x00, 0x3B}));
}

TEST_F(GifFile, OtherPixelFormatsGiveTheSameFile) {
    const QImage rgb32 = imageOfIndices(3, 2, {0, 31, 62, 93, 124, 7});
    const Bytes expected = save(rgb32);
    for (const QImage::Format format : {QImage::Format_RGB888, QImage::Format_ARGB32_Premultiplied,
                                        QImage::Format_Indexed8, QImage::Format_RGB16}) {
        EXPECT_EQ(save(rgb32.convertToFormat(format)), expected) << int(format);
    }
}

TEST_F(GifFile, TransparencyWritesGif89aWithGraphicControlExtension) {
    const struct {
        com::COLORREF colour;
        std::uint8_t flags;
        std::uint8_t index;
    } cases[] = {{0x00FFFFFF, 9, 124},
                 // Black is entry 0 and again entries 125-255: the first one is marked.
                 {0x00000000, 9, 0},
                 // Red 64, green 128, blue 255: 4 x 25 + 2 x 5 + 1.
                 {0x00FF8040, 9, 111},
                 // The top byte is not part of the colour.
                 {0xFF00FF00, 9, 20},
                 // Not a palette colour (red 250, green 10, blue 70; its pixels would take entry 29):
                 // no entry is transparent.
                 {0x00460AFA, 8, 0},
                 {0x00FFFFFE, 8, 0}};
    for (const auto& c : cases) {
        const Bytes file = save(imageOfIndices(1, 1, {124}), true, c.colour);
        ASSERT_EQ(file.size(), 807u);
        EXPECT_EQ(slice(file, 0, 6), (Bytes{'G', 'I', 'F', '8', '9', 'a'}));
        EXPECT_EQ(slice(file, kImageDescriptorOffset, 9),
                  (Bytes{0x21, 0xF9, 4, c.flags, 0, 0, c.index, 0, 0x2C}))
            << std::hex << c.colour;
        EXPECT_EQ(slice(file, kDataOffset + 8, 7), (Bytes{0x04, 0x00, 0xF9, 0x04, 0x04, 0x00, 0x3B}));
    }
}

TEST_F(GifFile, NoTransparentPixelsForAColourOutsideThePalette) {
    // Qt's reader turns the transparent entry's pixels transparent: none may be for a colour that is
    // not in the palette, however close.
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(250, 10, 70));
    image.setPixel(1, 0, qRgb(255, 255, 255));
    for (const auto& [colour, alpha0, alpha1] : {std::tuple{0x00460AFAu, 255, 255}, {0x00FFFFFFu, 255, 0}}) {
        save(image, true, colour);
        const QImage decoded = QImageReader(path("out.gif"), "gif").read();
        ASSERT_EQ(decoded.size(), QSize(2, 1));
        EXPECT_EQ(qAlpha(decoded.pixel(0, 0)), alpha0) << std::hex << colour;
        EXPECT_EQ(qAlpha(decoded.pixel(1, 0)), alpha1) << std::hex << colour;
    }
}

TEST_F(GifFile, LongRandomRowsDecodeWithQtsReader) {
    ASSERT_TRUE(QImageReader::supportedImageFormats().contains("gif"));
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> index(0, GifPalette::kCubeEntries - 1);
    Bytes indices(600 * 3);
    for (auto& i : indices) {
        i = static_cast<std::uint8_t>(index(random));
    }
    const Bytes file = save(imageOfIndices(600, 3, indices));

    // 599 mostly new pairs per row exceed the 253 table entries: clear codes also come in mid-row.
    const std::vector<int> codes = gif_test::unpackCodes(gif_test::subBlockData(file, kDataOffset));
    ASSERT_GE(std::count(codes.begin(), codes.end(), 256), 3 * 3);

    QImageReader reader(path("out.gif"), "gif");
    const QImage decoded = reader.read();
    ASSERT_FALSE(decoded.isNull()) << reader.errorString().toStdString();
    ASSERT_EQ(decoded.size(), QSize(600, 3));
    // Cube colours are unique, so equal colours mean equal indices.
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 600; ++x) {
            const int expected = indices[std::size_t(y) * 600 + x];
            ASSERT_EQ(decoded.pixel(x, y) & 0xFFFFFF, paletteColour(expected) & 0xFFFFFF) << x << "," << y;
        }
    }
}

TEST_F(GifFile, LargeImageUsesFullSubBlocks) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> index(0, 5);  // few colours, like a chart
    Bytes indices(300 * 200);
    for (auto& i : indices) {
        i = static_cast<std::uint8_t>(index(random));
    }
    const Bytes file = save(imageOfIndices(300, 200, indices));
    std::size_t offset = kDataOffset;
    int blocks = 0;
    while (offset < file.size() && file[offset] == 255) {
        offset += 256;
        ++blocks;
    }
    ASSERT_GT(blocks, 10);
    ASSERT_LT(offset, file.size());
    const std::size_t last = file[offset];
    EXPECT_GE(last, 1u);
    EXPECT_EQ(offset + 1 + last + 2, file.size());
    EXPECT_EQ(slice(file, offset + 1 + last, 2), (Bytes{0x00, 0x3B}));

    QImageReader reader(path("out.gif"), "gif");
    const QImage decoded = reader.read();
    ASSERT_EQ(decoded.size(), QSize(300, 200));
    EXPECT_EQ(decoded.pixel(299, 199) & 0xFFFFFF, paletteColour(indices.back()) & 0xFFFFFF);
}

TEST_F(GifFile, ProgressEveryTenthRowRoundsHalvesToEven) {
    std::vector<int> percents;
    int yields = 0;
    gif_.setProgressHandler([&](com::SHORT percent) { percents.push_back(percent); });
    com::setYieldHook([&] { ++yields; });
    QImage image(1, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    save(image);
    com::setYieldHook({});

    ASSERT_EQ(percents.size(), 40u);
    EXPECT_EQ(yields, 40);
    // Rows 10, 20, 30, 40, 50 of 400: 2.5, 5, 7.5, 10, 12.5.
    EXPECT_EQ((std::vector<int>(percents.begin(), percents.begin() + 5)),
              (std::vector<int>{2, 5, 8, 10, 12}));
    EXPECT_EQ(percents.back(), 100);
}

TEST(GifProgress, PercentTable) {
    const struct {
        int rows, height, percent;
    } cases[] = {{10, 25, 40}, {20, 25, 80},   {10, 30, 33},        {20, 30, 67}, {10, 400, 2},
                 {30, 400, 8}, {10, 65535, 0}, {65530, 65535, 100}, {10, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(GIF::progressPercent(c.rows, c.height), c.percent) << c.rows << "/" << c.height;
    }
}

TEST_F(GifFile, RefusedPicturesLeaveAnExistingFileAlone) {
    const QString file = path("keep.gif");
    writeText(file, "old");
    for (const QImage& picture :
         {QImage(), QImage(65536, 1, QImage::Format_RGB32), QImage(1, 65536, QImage::Format_RGB32)}) {
        EXPECT_FALSE(gif_.SaveGIF(picture, file));
        EXPECT_FALSE(gif_.errorString().isEmpty());
        EXPECT_EQ(read(file), (Bytes{'o', 'l', 'd'}));
    }
}

TEST_F(GifFile, LargestHeaderSizeIsAccepted) {
    QImage image(65535, 1, QImage::Format_RGB32);
    image.fill(Qt::black);
    const Bytes file = save(image);
    EXPECT_EQ(slice(file, 6, 4), (Bytes{0xFF, 0xFF, 1, 0}));
}

TEST_F(GifFile, ExistingFileIsReplacedWhenTheNewOneIsComplete) {
    const QString file = path("out.gif");
    writeText(file, "an older file that is longer than the new one will be ......");
    const Bytes written = save(imageOfIndices(1, 1, {0}));
    EXPECT_EQ(written.size(), 799u);
}

TEST_F(GifFile, UnwritablePathReportsFailureAndLeavesNoFile) {
    writeText(path("plain"), "x");
    for (const QString& target : {path("plain/out.gif"), path("missing/out.gif"), QString()}) {
        EXPECT_FALSE(gif_.SaveGIF(imageOfIndices(1, 1, {0}), target)) << target.toStdString();
        EXPECT_FALSE(gif_.errorString().isEmpty());
        EXPECT_FALSE(QFile::exists(target));
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{"plain"});
}

namespace {

// Accepts a fixed number of bytes, then every write fails.
class FillingDevice : public QIODevice {
public:
    explicit FillingDevice(qint64 capacity) : capacity_(capacity) { open(QIODevice::WriteOnly); }
    int writesAfterFailure = 0;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override {
        if (failed_) {
            ++writesAfterFailure;
            return -1;
        }
        if (written_ + size > capacity_) {
            failed_ = true;
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        written_ += size;
        return size;
    }

private:
    qint64 capacity_;
    qint64 written_ = 0;
    bool failed_ = false;
};

}  // namespace

TEST_F(GifFile, WriteFailureStopsTheEncoding) {
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (qint64 capacity : {0, 500, 2000}) {  // in the header, in the palette, in the image data
        int progressCalls = 0;
        gif_.setProgressHandler([&](com::SHORT) { ++progressCalls; });
        FillingDevice device(capacity);
        EXPECT_FALSE(gif_.writeGIF(image, device)) << capacity;
        EXPECT_EQ(device.writesAfterFailure, 0) << capacity;
        EXPECT_LT(progressCalls, 20) << capacity;
        EXPECT_NE(gif_.errorString().indexOf("No space left"), -1) << gif_.errorString().toStdString();
    }
}

namespace {

TEST_F(GifFile, BitmapPictureWritesTheSameFileThroughEitherMemoryDC) {
    QImage image(7, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            image.setPixel(x, y, qRgb(x * 36, y * 100, 255 - x * 30));
    const Bytes expected = save(image);

    const gdi::HBITMAP picture = gdi::createBitmapFromImage(image);
    ASSERT_TRUE(gif_.SaveGIF(picture, path("own.gif"), nullptr)) << gif_.errorString().toStdString();
    EXPECT_EQ(read(path("own.gif")), expected);

    // The caller's memory DC is used and handed back with the bitmap it held before.
    const std::unique_ptr<gdi::DeviceContext> callerDC = gdi::createCompatibleDC();
    const gdi::HBITMAP held = gdi::createBitmap(2, 2, 32);
    const gdi::HGDIOBJ original = callerDC->selectObject(held);
    ASSERT_TRUE(gif_.SaveGIF(picture, path("caller.gif"), callerDC.get()));
    EXPECT_EQ(read(path("caller.gif")), expected);
    EXPECT_EQ(callerDC->selectObject(original), held);

    gdi::deleteObject(held);
    gdi::deleteObject(picture);
}

TEST_F(GifFile, NonBitmapPictureFailsAndWritesNothing) {
    const gdi::HPEN pen = gdi::createPen(gdi::PS_SOLID, 1, 0);
    EXPECT_FALSE(gif_.SaveGIF(pen, path("pen.gif"), nullptr));
    EXPECT_FALSE(QFile::exists(path("pen.gif")));
    EXPECT_FALSE(gif_.errorString().isEmpty());
    gdi::deleteObject(pen);
}

}  // namespace

TEST_F(GifFile, FullDiskSaysWhyAndKeepsThePreviousFile) {
    const QString file = path("chart.gif");
    writeText(file, "old");
    QImage image(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ y) % 256));
    {
        testsupport::FileSizeLimit full(4096);
        EXPECT_FALSE(gif_.SaveGIF(image, file));
    }
    // The write fails with EFBIG under the size limit: the system's text for it is given.
    EXPECT_NE(gif_.errorString().indexOf(QString::fromLocal8Bit(std::strerror(EFBIG))), -1)
        << gif_.errorString().toStdString();
    EXPECT_EQ(gif_.errorString().indexOf("Unknown error"), -1);
    EXPECT_EQ(read(file), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"chart.gif"});
}
