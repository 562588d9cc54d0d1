// Pictures on the clipboard: packed bitmaps, images and enhanced metafiles, and the refusal of data
// that does not read as what it claims to be.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "gdi/EmfRecorder.h"
#include "ui/Input.h"

using namespace ui;

namespace {

void putU32(QByteArray& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}
void putU16(QByteArray& bytes, std::uint16_t value) {
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>(value >> 8));
}

// A packed 24-bit bitmap written out by hand: the info header, then the rows bottom-up, each padded
// to 4 bytes; pixels are blue, green, red.
QByteArray packedDib(std::int32_t width, std::int32_t height, std::uint16_t bits, const QByteArray& rows) {
    QByteArray dib;
    putU32(dib, 40);
    putU32(dib, static_cast<std::uint32_t>(width));
    putU32(dib, static_cast<std::uint32_t>(height));
    putU16(dib, 1);
    putU16(dib, bits);
    putU32(dib, 0);  // uncompressed
    putU32(dib, static_cast<std::uint32_t>(rows.size()));
    putU32(dib, 3780);
    putU32(dib, 3780);
    putU32(dib, 0);
    putU32(dib, 0);
    return dib + rows;
}

// Row 0 (the bottom row): red, blue; row 1 (the top row): green, white.
const QByteArray kRows(
    "\x00\x00\xFF\xFF\x00\x00\x00\x00"
    "\x00\xFF\x00\xFF\xFF\xFF\x00\x00",
    16);

}  // namespace

TEST(ClipboardImages, PackedBitmapRoundTrip) {
    ASSERT_TRUE(setClipboardData(CF_DIB, packedDib(2, 2, 24, kRows)));
    const std::optional<QImage> image = clipboardImage();
    ASSERT_TRUE(image);
    ASSERT_EQ(image->size(), QSize(2, 2));
    EXPECT_EQ(image->pixelColor(0, 1), QColor(255, 0, 0)) << "rows run bottom-up";
    EXPECT_EQ(image->pixelColor(1, 1), QColor(0, 0, 255));
    EXPECT_EQ(image->pixelColor(0, 0), QColor(0, 255, 0));
    EXPECT_TRUE(isClipboardFormatAvailable(CF_BITMAP));

    const QByteArray back = clipboardData(CF_DIB).value_or(QByteArray());
    ASSERT_EQ(back.size(), 40 + 16);
    EXPECT_EQ(back.left(12), packedDib(2, 2, 24, kRows).left(12)) << "header size, width and height";
    EXPECT_EQ(back.mid(14, 2), QByteArray("\x18\x00", 2)) << "24 bits per pixel";
    EXPECT_EQ(back.mid(40), kRows) << "the same rows, bottom-up and padded";
}

TEST(ClipboardImages, ImagesSetByPictureAreReadableAsPackedBitmaps) {
    QImage picture(3, 1, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    ASSERT_TRUE(setClipboardImage(picture));
    const QByteArray dib = clipboardData(CF_DIB).value_or(QByteArray());
    ASSERT_EQ(dib.size(), 40 + 12) << "one row of 9 bytes padded to 12";
    EXPECT_EQ(dib.mid(40, 3), QByteArray("\x1E\x14\x0A", 3));
    EXPECT_FALSE(setClipboardImage(QImage()));
}

TEST(ClipboardImages, DamagedBitmapsAreRefusedAndLeaveTheClipboardAsItWas) {
    ASSERT_TRUE(setClipboardData(CF_TEXT, "kept"));
    EXPECT_FALSE(setClipboardData(CF_DIB, packedDib(2, 100, 24, kRows))) << "rows missing";
    EXPECT_FALSE(setClipboardData(CF_DIB, packedDib(2, 2, 7, kRows))) << "no such pixel size";
    EXPECT_FALSE(setClipboardData(CF_DIB, packedDib(0, 2, 24, kRows))) << "no width";
    EXPECT_FALSE(setClipboardData(CF_DIB, packedDib(2, 2, 24, kRows).left(30))) << "header cut short";
    QByteArray hugeHeader = packedDib(2, 2, 24, kRows);
    hugeHeader[0] = '\xFF';
    hugeHeader[1] = '\xFF';
    EXPECT_FALSE(setClipboardData(CF_DIB, hugeHeader)) << "a header larger than the data";
    QByteArray hugePalette = packedDib(2, 2, 8, kRows);
    hugePalette[32] = '\x00';
    hugePalette[33] = '\x10';  // 4096 colours
    EXPECT_FALSE(setClipboardData(CF_DIB, hugePalette));
    EXPECT_EQ(clipboardData(CF_TEXT), QByteArray("kept"));
    EXPECT_FALSE(clipboardImage());
}

TEST(ClipboardImages, EnhancedMetafilesAreCheckedAndKeptWhole) {
    gdi::EmfRecorder recorder;
    recorder.rectangle(1, 1, 20, 10);
    const QByteArray metafile = recorder.close();
    ASSERT_TRUE(setClipboardData(CF_ENHMETAFILE, metafile));
    EXPECT_EQ(clipboardData(CF_ENHMETAFILE), metafile);

    ASSERT_TRUE(setClipboardData(CF_TEXT, "kept"));
    EXPECT_FALSE(setClipboardData(CF_ENHMETAFILE, metafile.left(60))) << "shorter than its header";
    QByteArray unsigned_ = metafile;
    unsigned_[40] = 'X';
    EXPECT_FALSE(setClipboardData(CF_ENHMETAFILE, unsigned_)) << "no metafile signature";
    QByteArray claimsMore = metafile;
    claimsMore[51] = '\x7F';
    EXPECT_FALSE(setClipboardData(CF_ENHMETAFILE, claimsMore)) << "claims more bytes than it has";
    EXPECT_EQ(clipboardData(CF_TEXT), QByteArray("kept"));
    EXPECT_FALSE(clipboardData(CF_ENHMETAFILE));
}
