#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <numeric>
#include <optional>
#include <vector>

#include <QFontMetricsF>
#include <QRegion>
#include <QTemporaryDir>

#include "gdi/EmfRecorder.h"
#include "gdi/PainterDC.h"

using namespace gdi;

namespace {

std::uint32_t word(const QByteArray& bytes, std::size_t at) {
    std::uint32_t v = 0;
    std::memcpy(&v, bytes.constData() + at, 4);
    return v;
}

struct RecordInfo {
    std::uint32_t type;
    std::size_t offset;
    std::uint32_t size;
};

// Walks the records from the header on; fails the test when a size is not a positive multiple
// of 4 or runs past the end, and stops at the end-of-file record.
std::vector<RecordInfo> walk(const QByteArray& bytes) {
    std::vector<RecordInfo> records;
    std::size_t at = 0;
    while (at + 8 <= std::size_t(bytes.size())) {
        const RecordInfo r{word(bytes, at), at, word(bytes, at + 4)};
        EXPECT_TRUE(r.size >= 8 && r.size % 4 == 0 && at + r.size <= std::size_t(bytes.size()))
            << "record " << records.size() << " at " << at;
        if (!(r.size >= 8 && r.size % 4 == 0))
            break;
        records.push_back(r);
        at += r.size;
        if (r.type == std::uint32_t(EmfRecord::Eof))
            break;
    }
    EXPECT_EQ(at, std::size_t(bytes.size())) << "the end-of-file record is the last";
    return records;
}

QByteArray words(std::initializer_list<std::uint32_t> values) {
    QByteArray out;
    for (std::uint32_t v : values)
        out.append(reinterpret_cast<const char*>(&v), 4);
    return out;
}

}  // namespace

// One red line, assembled by hand from the record layouts: header (108 bytes), pen creation,
// selections, move, line, deletion and end of file.
TEST(EmfRecorder, GoldenLineMetafile) {
    EmfRecorder::Options options;
    options.frame = Rect{0, 0, 264, 264};
    EmfRecorder emf(options);
    const HPEN pen = createPen(PS_SOLID, 1, rgb(255, 0, 0));
    const HGDIOBJ old = emf.selectObject(pen);
    emf.moveTo(1, 2);
    emf.lineTo(10, 2);
    emf.selectObject(old);
    deleteObject(pen);
    const QByteArray bytes = emf.close();

    const QByteArray expected = words({
        1,          108,        1,          2,      10,     2, 0,
        0,          264,        264,              // header: type, size, bounds, frame
        0x464D4520, 0x00010000, 224,        8,    // signature, version, bytes, records
        2,          0,          0,          0,    // handles (16 bits) + reserved, description, palette
        1920,       1080,       508,        286,  // reference device in pixels and millimetres
        0,          0,          0,          508000, 285750,               // pixel format, OpenGL, micrometres
        38,         28,         1,          0,      1,      0, 0x0000FF,  // create pen 1: solid, width 1, red
        37,         12,         1,                                        // select pen 1
        27,         16,         1,          2,                            // move to
        54,         16,         10,         2,                            // line to
        37,         12,         0x80000007,                               // select stock black pen
        40,         12,         1,                                        // delete pen 1
        14,         20,         0,          16,     20,                   // end of file
    });
    EXPECT_EQ(bytes.toHex(), expected.toHex());
    EXPECT_EQ(emf.close(), bytes) << "closing twice gives the same metafile";
    EXPECT_FALSE(emf.lineTo(5, 5)) << "nothing is recorded after closing";
}

TEST(EmfRecorder, AChartDrawingWalksExactlyToTheEndOfFile) {
    EmfRecorder::Options options;
    options.application = "Tarnwick";
    options.picture = "Chart";
    EmfRecorder emf(options);
    emf.setMapMode(MM_ANISOTROPIC);
    emf.setWindowExt(1000, 1000);
    emf.setViewportExt(500, 500);
    const HPEN pen = extCreatePen(PS_GEOMETRIC | PS_DASH, 3, LogBrush{BS_SOLID, 0x00FF00, 0});
    const HBRUSH brush = createHatchBrush(HS_CROSS, 0x0000FF);
    LogFont lf;
    lf.height = -24;
    lf.faceName = "DejaVu Sans";
    const HFONT font = createFontIndirect(lf);
    emf.selectObject(pen);
    emf.selectObject(brush);
    emf.selectObject(font);
    emf.setROP2(R2_XORPEN);
    emf.setBkMode(TRANSPARENT);
    emf.rectangle(10, 10, 400, 300);
    emf.ellipse(20, 20, 100, 100);
    emf.pie(0, 0, 200, 200, 200, 100, 100, 0);
    const std::array<Point, 4> poly{{{0, 0}, {100000, 5}, {50, 50}, {0, 0}}};
    emf.polyline(poly);
    const std::array<Point, 3> triangle{{{0, 0}, {50, 5}, {50, 50}}};
    emf.polygon(triangle);
    const HRGN clip = createRectRgn(0, 0, 100, 100);
    emf.selectClipRgn(clip);
    deleteObject(clip);
    emf.textOut(30, 40, std::string_view("\xD8\xB3\xD9\x87\xD9\x85 ABC"));
    emf.fillRect({0, 0, 50, 50}, getStockObject(GRAY_BRUSH));
    emf.invertRect({0, 0, 5, 5});
    emf.setPixel(3, 3, 0xFF);
    // A pasted bitmap, copied and stretched, a patterned fill and a rounded frame.
    auto picture = createImageDC(3, 2);
    picture->setPixel(0, 0, 0x123456);
    emf.bitBlt(60, 60, 3, 2, picture.get(), 0, 0, SRCCOPY);
    emf.stretchBlt(70, 60, 30, 20, picture.get(), 0, 0, 3, 2, SRCCOPY);
    const HBITMAP tile = createBitmap(8, 8, 32);
    const HBRUSH patterned = createPatternBrush(tile);
    deleteObject(tile);
    emf.selectObject(patterned);
    emf.roundRect(0, 0, 80, 60, 10, 10);
    emf.selectObject(brush);
    deleteObject(patterned);
    emf.saveDC();
    emf.restoreDC(-1);
    emf.selectObject(getStockObject(SYSTEM_FONT));
    deleteObject(font);
    const QByteArray bytes = emf.close();
    deleteObject(pen);
    deleteObject(brush);

    EXPECT_EQ(word(bytes, 40), EMF_SIGNATURE);
    EXPECT_EQ(bytes.mid(40, 4), QByteArray(" EMF"));
    EXPECT_EQ(word(bytes, 48), std::uint32_t(bytes.size()));
    const auto records = walk(bytes);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(word(bytes, 52), records.size());
    EXPECT_EQ(records.front().type, std::uint32_t(EmfRecord::Header));
    EXPECT_EQ(records.back().type, std::uint32_t(EmfRecord::Eof));
    EXPECT_EQ(word(bytes, 56) & 0xFFFF, 5u) << "four objects at once plus the reserved slot 0";
    // Description: "Tarnwick\0Chart\0\0" in UTF-16 after the 108-byte header.
    EXPECT_EQ(word(bytes, 60), 16u);
    EXPECT_EQ(word(bytes, 64), 108u);
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 108), 8), "Tarnwick");

    std::vector<std::uint32_t> types;
    for (const auto& r : records)
        types.push_back(r.type);
    auto has = [&](EmfRecord t) { return std::count(types.begin(), types.end(), std::uint32_t(t)); };
    EXPECT_EQ(has(EmfRecord::ExtCreatePen), 1);
    EXPECT_EQ(has(EmfRecord::ExtCreateFontIndirectW), 1);
    EXPECT_EQ(has(EmfRecord::Polyline), 1) << "a coordinate beyond 16 bits needs the 32-bit record";
    EXPECT_EQ(has(EmfRecord::Polygon16), 1);
    EXPECT_EQ(has(EmfRecord::DeleteObject), 2)
        << "the pattern brush and the font were deleted while recording";
    EXPECT_EQ(has(EmfRecord::BitBlt), 3);
    EXPECT_EQ(has(EmfRecord::StretchBlt), 1);
    EXPECT_EQ(has(EmfRecord::CreateDibPatternBrushPt), 1);
    EXPECT_EQ(has(EmfRecord::CreateBrushIndirect), 1);
    EXPECT_EQ(has(EmfRecord::RoundRect), 1);

    for (const auto& r : records) {
        if (r.type == std::uint32_t(EmfRecord::StretchBlt)) {
            // Fixed part of 108 bytes, the bitmap header, then 3 x 2 pixels of 4 bytes.
            EXPECT_EQ(r.size, 108u + 40u + 24u);
            EXPECT_EQ(word(bytes, r.offset + 32), 30u) << "destination width";
            EXPECT_EQ(word(bytes, r.offset + 84), 108u) << "header offset";
            EXPECT_EQ(word(bytes, r.offset + 100), 3u) << "source width";
            EXPECT_EQ(word(bytes, r.offset + 104), 2u) << "source height";
        }
        if (r.type == std::uint32_t(EmfRecord::CreateDibPatternBrushPt)) {
            EXPECT_EQ(r.size, 32u + 40u + 8u * 8u * 4u);
            EXPECT_EQ(word(bytes, r.offset + 16), 32u) << "header offset";
            EXPECT_EQ(word(bytes, r.offset + 28), 256u) << "bits size";
            EXPECT_EQ(word(bytes, r.offset + 32), 40u) << "BITMAPINFOHEADER";
        }
        if (r.type == std::uint32_t(EmfRecord::RoundRect)) {
            EXPECT_EQ(r.size, 32u);
            EXPECT_EQ(word(bytes, r.offset + 24), 10u);
        }
        if (r.type == std::uint32_t(EmfRecord::ExtCreateFontIndirectW)) {
            EXPECT_EQ(r.size, 332u);
            EXPECT_EQ(static_cast<std::int32_t>(word(bytes, r.offset + 12)), -24);
        }
        if (r.type == std::uint32_t(EmfRecord::ExtTextOutW)) {
            const std::uint32_t chars = word(bytes, r.offset + 44);
            const std::uint32_t offString = word(bytes, r.offset + 48);
            const std::uint32_t offDx = word(bytes, r.offset + 72);
            EXPECT_EQ(chars, 7u);
            EXPECT_EQ(offString, 76u);
            // Arabic then Latin letters read in both directions: no advances can follow the
            // string's order, so none are written, and the text reads right to left.
            EXPECT_EQ(offDx, 0u);
            EXPECT_EQ(r.size, 76u + 16u);
            EXPECT_EQ(word(bytes, r.offset + 52), ETO_RTLREADING);
            const QString text = QString::fromUtf16(
                reinterpret_cast<const char16_t*>(bytes.constData() + r.offset + offString), chars);
            EXPECT_EQ(text, QString::fromUtf8("\xD8\xB3\xD9\x87\xD9\x85 ABC"));
        }
    }
}

// A two-pixel bitmap (red, blue) copied to (5, 6): the record carries it as a 32-bit bottom-up DIB.
TEST(EmfRecorder, GoldenBitBltRecord) {
    auto source = createImageDC(2, 1);
    source->setPixel(0, 0, rgb(255, 0, 0));
    source->setPixel(1, 0, rgb(0, 0, 255));
    EmfRecorder emf;
    ASSERT_TRUE(emf.bitBlt(5, 6, 2, 1, source.get(), 0, 0, SRCCOPY));
    const QByteArray bytes = emf.close();
    const auto records = walk(bytes);
    ASSERT_EQ(records.size(), 3u);
    const RecordInfo blt = records[1];
    const QByteArray expected = words({
        76,         148,                                // EMR_BITBLT, size
        5,          6,          6,   6,                 // bounds (inclusive)
        5,          6,          2,   1,                 // destination x, y, width, height
        0x00CC0020, 0,          0,                      // SRCCOPY, source x, y
        0x3F800000, 0,          0,   0x3F800000, 0, 0,  // source transform: identity
        0xFFFFFF,   0,                                  // source background, DIB_RGB_COLORS
        100,        40,         140, 8,                 // header and bits: offsets and sizes
        40,         2,          1,   0x00200001, 0, 8, 3780, 3780, 0, 0,  // BITMAPINFOHEADER
        0x00FF0000, 0x000000FF,                                           // red, blue as B G R 0
    });
    EXPECT_EQ(bytes.mid(qsizetype(blt.offset), qsizetype(blt.size)).toHex(), expected.toHex());
    EXPECT_EQ(emf.bounds(), (Rect{5, 6, 6, 6}));
}

TEST(EmfRecorder, BlockTransfersFromAMonochromeOrMissingSource) {
    auto mono = createCompatibleDC();
    const HBITMAP bits = createBitmap(2, 1, 1);
    const HGDIOBJ old = mono->selectObject(bits);
    mono->setPixel(0, 0, 0xFFFFFF);
    EmfRecorder emf;
    emf.setBkColor(rgb(0, 255, 0));
    emf.setTextColor(rgb(255, 0, 0));
    ASSERT_TRUE(emf.bitBlt(0, 0, 2, 1, mono.get(), 0, 0, SRCCOPY));
    EXPECT_FALSE(emf.bitBlt(0, 0, 2, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(emf.stretchBlt(0, 0, 2, 1, mono.get(), 0, 0, 0, 1, SRCCOPY));
    const QByteArray bytes = emf.close();
    const auto records = walk(bytes);
    const auto blt = std::find_if(records.begin(), records.end(), [](const RecordInfo& r) {
        return r.type == std::uint32_t(EmfRecord::BitBlt);
    });
    ASSERT_NE(blt, records.end());
    // White takes the background colour (green), black the text colour (red).
    EXPECT_EQ(word(bytes, blt->offset + 140), 0x0000FF00u);
    EXPECT_EQ(word(bytes, blt->offset + 144), 0x00FF0000u);
    mono->selectObject(old);
    deleteObject(bits);
}

TEST(EmfRecorder, BoundsFollowTheMappingAndAnEmptyPictureHasNone) {
    EmfRecorder empty;
    const QByteArray bytes = empty.close();
    EXPECT_EQ(bytes.size(), 128);
    EXPECT_EQ(static_cast<std::int32_t>(word(bytes, 16)), -1) << "bounds (0, 0, -1, -1)";

    EmfRecorder emf;
    emf.setViewportOrg(100, 50);
    emf.selectObject(getStockObject(NULL_PEN));
    emf.rectangle(0, 0, 10, 20);
    EXPECT_EQ(emf.bounds(), (Rect{100, 50, 110, 70}));
}

TEST(EmfRecorder, SavesToAFile) {
    QTemporaryDir dir;
    EmfRecorder emf;
    emf.lineTo(10, 10);
    const QString path = dir.filePath("chart.emf");
    ASSERT_TRUE(emf.saveToFile(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes, emf.close());
    walk(bytes);
    EXPECT_FALSE(EmfRecorder().saveToFile(dir.filePath("missing/x.emf")));
}

namespace {

// A reader's view of the clip: replays the clip records (and saved states) of the first `count`
// records in device pixels, the mapping being the identity.
std::optional<QRegion> replayClip(const QByteArray& bytes, const std::vector<RecordInfo>& records,
                                  std::size_t count) {
    const QRegion device(0, 0, 1920, 1080);
    std::optional<QRegion> clip;
    std::vector<std::optional<QRegion>> saved;
    auto rectAt = [&](std::size_t at) {
        const auto v = [&](int i) { return static_cast<std::int32_t>(word(bytes, at + 4 * std::size_t(i))); };
        return QRegion(QRect(QPoint(v(0), v(1)), QPoint(v(2) - 1, v(3) - 1)));
    };
    for (std::size_t i = 0; i < count; ++i) {
        const RecordInfo& r = records[i];
        switch (static_cast<EmfRecord>(r.type)) {
            case EmfRecord::IntersectClipRect:
                clip = clip.value_or(device) & rectAt(r.offset + 8);
                break;
            case EmfRecord::ExcludeClipRect:
                clip = clip.value_or(device) - rectAt(r.offset + 8);
                break;
            case EmfRecord::ExtSelectClipRgn: {
                const std::uint32_t dataSize = word(bytes, r.offset + 8), mode = word(bytes, r.offset + 12);
                QRegion region;
                for (std::uint32_t k = 0; dataSize > 0 && k < word(bytes, r.offset + 24); ++k)
                    region += rectAt(r.offset + 48 + 16 * k);
                if (mode == std::uint32_t(RGN_COPY)) {
                    EXPECT_EQ(dataSize, 0u) << "a region is never copied in";
                    clip.reset();
                } else {
                    EXPECT_EQ(mode, std::uint32_t(RGN_AND));
                    clip = clip.value_or(device) & region;
                }
                break;
            }
            case EmfRecord::SaveDC:
                saved.push_back(clip);
                break;
            case EmfRecord::RestoreDC: {
                // A negative level counts back from the last saved state.
                const auto back =
                    static_cast<std::size_t>(-static_cast<std::int32_t>(word(bytes, r.offset + 8)));
                const std::size_t level = saved.size() - back;
                clip = saved.at(level);
                saved.resize(level);
                break;
            }
            default:
                break;
        }
    }
    return clip;
}

}  // namespace

TEST(EmfRecorder, ClipChangesAreWrittenAsTheCallsThatMadeThem) {
    EmfRecorder emf;
    // After each step: the number of records so far and the clip box the recorder itself holds.
    std::vector<std::pair<std::uint32_t, Rect>> checkpoints;
    auto check = [&] {
        Rect box;
        emf.getClipBox(&box);
        checkpoints.emplace_back(emf.recordCount(), box);
    };
    emf.saveDC();
    emf.intersectClipRect(10, 20, 200, 120);
    check();
    emf.excludeClipRect(10, 20, 200, 60);  // the top part goes: the box shrinks
    check();
    emf.rectangle(0, 0, 300, 300);
    emf.restoreDC(-1);
    check();
    const HRGN twoBoxes = createRectRgn(0, 0, 50, 50);
    const HRGN second = createRectRgn(100, 100, 140, 130);
    combineRgn(twoBoxes, twoBoxes, second, RGN_OR);
    emf.selectClipRgn(twoBoxes);
    check();
    emf.intersectClipRect(0, 0, 120, 120);
    check();
    emf.selectClipRgn(NULL_HANDLE);
    check();
    deleteObject(twoBoxes);
    deleteObject(second);
    const QByteArray bytes = emf.close();
    const auto records = walk(bytes);

    std::vector<std::uint32_t> types;
    for (const auto& r : records)
        types.push_back(r.type);
    constexpr auto kSelect = std::uint32_t(EmfRecord::ExtSelectClipRgn);
    const std::vector<std::uint32_t> clipTypes = [&] {
        std::vector<std::uint32_t> out;
        std::copy_if(types.begin(), types.end(), std::back_inserter(out),
                     [](std::uint32_t t) { return t == 29 || t == 30 || t == 75; });
        return out;
    }();
    // Intersect, exclude, (reset, and with the region), intersect, reset.
    EXPECT_EQ(clipTypes, (std::vector<std::uint32_t>{30, 29, kSelect, kSelect, 30, kSelect}));
    const auto intersect = std::find_if(records.begin(), records.end(), [](const RecordInfo& r) {
        return r.type == std::uint32_t(EmfRecord::IntersectClipRect);
    });
    ASSERT_NE(intersect, records.end());
    EXPECT_EQ(bytes.mid(qsizetype(intersect->offset), 24).toHex(), words({30, 24, 10, 20, 200, 120}).toHex());

    // The region selection: a reset (no region data), then an intersection with the two boxes.
    const auto select = std::find_if(records.begin(), records.end(), [](const RecordInfo& r) {
        return r.type == std::uint32_t(EmfRecord::ExtSelectClipRgn);
    });
    ASSERT_NE(select, records.end());
    EXPECT_EQ(bytes.mid(qsizetype(select->offset), 16 + 80).toHex(),
              words({75, 16, 0,  5,                        // RGN_COPY without a region
                     75, 80, 64, 1,                        // RGN_AND, 64 bytes of region
                     32, 1,  2,  32, 0,   0,   140, 130,   // region header, bounds
                     0,  0,  50, 50, 100, 100, 140, 130})  // the two rectangles
                  .toHex());

    const Rect expected[] = {{10, 20, 200, 120}, {10, 60, 200, 120}, {0, 0, 1920, 1080},
                             {0, 0, 140, 130},   {0, 0, 120, 120},   {0, 0, 1920, 1080}};
    ASSERT_EQ(checkpoints.size(), std::size(expected));
    for (std::size_t i = 0; i < checkpoints.size(); ++i) {
        EXPECT_EQ(checkpoints[i].second, expected[i]) << i;
        const std::optional<QRegion> replayed = replayClip(bytes, records, checkpoints[i].first);
        const QRect b = replayed.value_or(QRegion(0, 0, 1920, 1080)).boundingRect();
        EXPECT_EQ((Rect{b.left(), b.top(), b.right() + 1, b.bottom() + 1}), expected[i]) << "replayed " << i;
    }
    // The second rectangle of the region is cut by the last intersection.
    const std::optional<QRegion> beforeReset = replayClip(bytes, records, checkpoints[4].first);
    ASSERT_TRUE(beforeReset);
    EXPECT_EQ(*beforeReset, QRegion(0, 0, 50, 50) + QRegion(100, 100, 20, 20));
}

namespace {

struct TextRecord {
    Rect bounds;
    std::uint32_t options = 0;
    QString text;
    std::vector<std::int32_t> dx;  // empty when the record has none
};

std::vector<TextRecord> textRecords(const QByteArray& bytes) {
    std::vector<TextRecord> out;
    for (const auto& r : walk(bytes)) {
        if (r.type != std::uint32_t(EmfRecord::ExtTextOutW))
            continue;
        auto at = [&](std::size_t offset) {
            return static_cast<std::int32_t>(word(bytes, r.offset + offset));
        };
        TextRecord t{{at(8), at(12), at(16), at(20)}, word(bytes, r.offset + 52), {}, {}};
        const std::uint32_t chars = word(bytes, r.offset + 44), offDx = word(bytes, r.offset + 72);
        t.text = QString::fromUtf16(
            reinterpret_cast<const char16_t*>(bytes.constData() + r.offset + word(bytes, r.offset + 48)),
            chars);
        for (std::uint32_t i = 0; offDx != 0 && i < chars; ++i)
            t.dx.push_back(at(offDx + 4 * i));
        out.push_back(t);
    }
    return out;
}

HFONT dejaVu(int height, int escapement = 0) {
    LogFont lf;
    lf.height = height;
    lf.escapement = escapement;
    lf.faceName = "DejaVu Sans";
    return createFontIndirect(lf);
}

}  // namespace

TEST(EmfRecorder, ArabicTextCarriesTheShapedAdvancesAndReadsRightToLeft) {
    const QString rsi = QString::fromUtf8("مؤشر القوة النسبية");
    const HFONT font = dejaVu(-20);
    EmfRecorder emf;
    emf.selectObject(font);
    emf.textOut(10, 10, rsi);
    emf.textOut(10, 40, QStringLiteral("Close"));
    const QFont qfont = emf.deviceFont();
    // Twice the logical units per pixel: the advances are in logical units.
    emf.setMapMode(MM_ANISOTROPIC);
    emf.setWindowExt(2, 2);
    emf.setViewportExt(1, 1);
    emf.textOut(10, 80, rsi);
    const QFont halfSize = emf.deviceFont();  // the same logical height in half the pixels
    emf.selectObject(getStockObject(SYSTEM_FONT));
    deleteObject(font);
    const auto texts = textRecords(emf.close());
    ASSERT_EQ(texts.size(), 3u);

    // Qt's measure of the joined text, against the letters measured one by one.
    const QFontMetricsF metrics(qfont);
    const double joined = metrics.horizontalAdvance(rsi);
    double unjoined = 0;
    for (const QChar c : rsi)
        unjoined += metrics.horizontalAdvance(c);
    ASSERT_GT(unjoined, joined * 1.15) << "the test text must join";

    const TextRecord& arabic = texts[0];
    EXPECT_EQ(arabic.text, rsi);
    EXPECT_EQ(arabic.options & ETO_RTLREADING, ETO_RTLREADING);
    ASSERT_EQ(arabic.dx.size(), std::size_t(rsi.size()));
    EXPECT_EQ(std::accumulate(arabic.dx.begin(), arabic.dx.end(), 0), std::lround(joined));
    EXPECT_TRUE(std::all_of(arabic.dx.begin(), arabic.dx.end(), [](std::int32_t v) { return v >= 0; }));
    // The space between the words is a space wide.
    EXPECT_NEAR(arabic.dx[4], metrics.horizontalAdvance(QChar(' ')), 1.0);

    const TextRecord& latin = texts[1];
    EXPECT_EQ(latin.options & ETO_RTLREADING, 0u);
    EXPECT_EQ(std::accumulate(latin.dx.begin(), latin.dx.end(), 0),
              std::lround(metrics.horizontalAdvance(QStringLiteral("Close"))));

    // Numbers in Arabic text are read left to right inside it: no advances in string order fit.
    // Latin text with numbers reads one way.
    EmfRecorder mixed;
    mixed.textOut(0, 0, rsi + QStringLiteral(" (14)"));
    mixed.textOut(0, 0, QStringLiteral("RSI (14)"));
    mixed.textOut(0, 0, QString());
    const auto mixedTexts = textRecords(mixed.close());
    ASSERT_EQ(mixedTexts.size(), 3u);
    EXPECT_EQ(mixedTexts[0].options, ETO_RTLREADING);
    EXPECT_TRUE(mixedTexts[0].dx.empty());
    EXPECT_EQ(mixedTexts[1].options, 0u);
    EXPECT_EQ(mixedTexts[1].dx.size(), 8u);
    EXPECT_TRUE(mixedTexts[2].text.isEmpty());

    const TextRecord& scaled = texts[2];
    ASSERT_EQ(scaled.dx.size(), std::size_t(rsi.size()));
    EXPECT_EQ(std::accumulate(scaled.dx.begin(), scaled.dx.end(), 0),
              std::lround(2 * QFontMetricsF(halfSize).horizontalAdvance(rsi)));
}

TEST(EmfRecorder, TextBoundsCoverRotatedTextAndTheOpaqueBox) {
    const HFONT upright = dejaVu(-20);
    const HFONT turned = dejaVu(-20, 900);  // reads upwards
    EmfRecorder emf;
    emf.setBkMode(TRANSPARENT);
    emf.selectObject(upright);
    const Size extent = emf.getTextExtent(QStringLiteral("Volume"));
    const TextMetrics tm = emf.getTextMetrics();
    emf.textOut(300, 300, QStringLiteral("Volume"));
    emf.selectObject(turned);
    emf.textOut(300, 300, QStringLiteral("Volume"));
    emf.selectObject(upright);
    // An opaque box larger than the text, and a clipping box smaller than it.
    const Rect opaque{100, 500, 400, 600};
    emf.extTextOut(110, 510, ETO_OPAQUE, &opaque, QStringLiteral("Volume"));
    const Rect clipped{100, 700, 120, 710};
    emf.extTextOut(100, 700, ETO_CLIPPED, &clipped, QStringLiteral("Volume"));
    emf.selectObject(getStockObject(SYSTEM_FONT));
    deleteObject(upright);
    deleteObject(turned);
    const QByteArray bytes = emf.close();
    const auto texts = textRecords(bytes);
    ASSERT_EQ(texts.size(), 4u);

    ASSERT_GT(extent.cx, 2 * tm.height) << "the word is wider than high";
    // Upright: from the reference point right and down.
    const Rect flat = texts[0].bounds;
    EXPECT_EQ(flat.left, 300);
    EXPECT_EQ(flat.top, 300);
    EXPECT_NEAR(flat.right - flat.left + 1, extent.cx, 1);
    EXPECT_NEAR(flat.bottom - flat.top + 1, tm.height, 1);
    // Turned a quarter counter-clockwise about the reference point: the width runs up from it and
    // the height to its right.
    const Rect up = texts[1].bounds;
    EXPECT_NEAR(up.left, 300, 1);
    EXPECT_NEAR(up.bottom, 299, 1);
    EXPECT_NEAR(up.top, 300 - extent.cx, 1);
    EXPECT_NEAR(up.right, 300 + tm.height - 1, 1);

    EXPECT_EQ(texts[2].bounds, (Rect{100, 500, 399, 599})) << "the opaque box is part of the drawing";
    EXPECT_EQ(texts[3].bounds, (Rect{100, 700, 119, 709})) << "clipped text ends at its box";
    // The header's bounds: the union of all of them, no more.
    const Rect header{static_cast<std::int32_t>(word(bytes, 8)), static_cast<std::int32_t>(word(bytes, 12)),
                      static_cast<std::int32_t>(word(bytes, 16)), static_cast<std::int32_t>(word(bytes, 20))};
    EXPECT_EQ(header, (Rect{100, up.top, std::max(399, flat.right), 709}));
}
