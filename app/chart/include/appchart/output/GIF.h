// Writes a picture as a single-image GIF file over the fixed 256-colour table of GifPalette.
//
// File layout: signature ("GIF87a", or "GIF89a" with transparency), logical screen descriptor
// (flags 0xF7, background 0, aspect 0), the 768-byte global colour table, a graphic control
// extension when transparent, the image descriptor (flags 7), LZW minimum code size 8, the image
// data as sub-blocks, block terminator 0 and trailer 0x3B. Multi-byte numbers are little-endian.
//
// A picture held as a GDI bitmap is first copied (SRCCOPY) into a capture bitmap of the same size
// selected into a memory DC: the caller's when one is given (its previous bitmap is put back and the
// DC left alone), otherwise one of the writer's own that it deletes at the end.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include <QImage>
#include <QString>

#include "com/Types.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"

class QIODevice;

namespace appchart {

class GIF {
public:
    // Percent of the rows encoded so far.
    using ProgressHandler = std::function<void(com::SHORT percent)>;

    static constexpr int kMaxDimension = 65535;  // the header holds 16-bit sizes
    static constexpr int kProgressRowInterval = 10;
    static constexpr std::uint8_t kMinimumCodeSize = 8;

    // ---- events
    // Called after every tenth row; pending events are processed (com::processPendingEvents) after each call.
    void setProgressHandler(ProgressHandler handler) { progress_ = std::move(handler); }

    // ---- commands
    // Writes `picture` to `fileName`. The file appears, replacing any existing one, only when it has
    // been written completely; on failure nothing is left behind, an existing file is unchanged,
    // the result is false and errorString() says why. With `transparent` set, the first palette
    // entry whose colour is exactly `transparentColour` (0x00BBGGRR) is marked transparent; when no
    // entry equals it, the file marks no entry.
    bool SaveGIF(const QImage& picture, const QString& fileName, bool transparent = false,
                 com::COLORREF transparentColour = 0);

    // The same for a picture held as a bitmap; `memoryDC` may be null.
    bool SaveGIF(gdi::HBITMAP picture, const QString& fileName, gdi::DeviceContext* memoryDC,
                 bool transparent = false, com::COLORREF transparentColour = 0);

    // The same file image written to an open device; stops at the first failed write.
    bool writeGIF(const QImage& picture, QIODevice& device, bool transparent = false,
                  com::COLORREF transparentColour = 0);

    // ---- queries
    QString errorString() const { return error_; }

    // rowsDone x 100 / height, rounded to the nearest integer, halves to even.
    static com::SHORT progressPercent(int rowsDone, int height);

private:
    bool fail(const QString& message);
    QImage capture(gdi::HBITMAP picture, gdi::DeviceContext* memoryDC);
    bool checkPicture(const QImage& picture);
    bool writeImageData(const QImage& rgb32, QIODevice& device);
    void reportProgress(int rowsDone, int height);

    ProgressHandler progress_;
    QString error_;
};

}  // namespace appchart
