// A device context that records its calls as an enhanced metafile (EMF).
//
// Every drawing and state call becomes the matching EMF record, in logical coordinates, so the
// result is a vector picture that metafile readers replay. Objects are written into the
// metafile's handle table when first selected (stock objects are referenced by their stock
// number) and a delete record follows when the program destroys them. The reference device is a
// 96-dpi screen. Block transfers from a bitmap carry the part of the source they read as a 32-bit
// bottom-up device-independent bitmap (a monochrome source already turned into the colours it
// would take), and pattern brushes carry their pattern the same way.
#pragma once

#include <map>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QRect>
#include <QString>

#include "gdi/DeviceContext.h"

class QFont;
class QFontMetricsF;

namespace gdi {

// EMF record types written by the recorder.
enum class EmfRecord : std::uint32_t {
    Header = 1,
    Polygon = 3,
    Polyline = 4,
    SetWindowExtEx = 9,
    SetWindowOrgEx = 10,
    SetViewportExtEx = 11,
    SetViewportOrgEx = 12,
    Eof = 14,
    SetPixelV = 15,
    SetMapMode = 17,
    SetBkMode = 18,
    SetPolyFillMode = 19,
    SetRop2 = 20,
    SetTextAlign = 22,
    SetTextColor = 24,
    SetBkColor = 25,
    MoveToEx = 27,
    ExcludeClipRect = 29,
    IntersectClipRect = 30,
    SaveDC = 33,
    RestoreDC = 34,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    Ellipse = 42,
    Rectangle = 43,
    RoundRect = 44,
    Arc = 45,
    Chord = 46,
    Pie = 47,
    LineTo = 54,
    ExtSelectClipRgn = 75,
    BitBlt = 76,
    StretchBlt = 77,
    ExtCreateFontIndirectW = 82,
    ExtTextOutW = 84,
    Polygon16 = 86,
    Polyline16 = 87,
    CreateDibPatternBrushPt = 94,
    ExtCreatePen = 95,
};

inline constexpr std::uint32_t EMF_SIGNATURE = 0x464D4520;  // " EMF"
inline constexpr std::size_t EMF_HEADER_SIZE = 108;
// A bitmap carried by a record is refused above this many pixels (a 32-bit picture of 64 MB).
inline constexpr std::int64_t EMF_MAX_BITMAP_PIXELS = 16 * 1024 * 1024;

class EmfRecorder final : public DeviceContext {
public:
    struct Options {
        Size devicePixels{1920, 1080};  // reference screen at 96 dpi
        // Picture frame in 0.01 mm (inclusive); when absent it is derived from the drawn bounds.
        std::optional<Rect> frame;
        // Application and picture name, written as "application\0picture\0\0"; empty: none.
        QString application;
        QString picture;
    };

    EmfRecorder();
    explicit EmfRecorder(Options options);
    ~EmfRecorder() override;

    // Ends the recording with the end-of-file record and answers the metafile bytes. Drawing
    // afterwards is refused; further calls answer the same bytes.
    QByteArray close();
    bool isClosed() const { return closed_; }
    // Closes and writes the file; false when it cannot be written completely, an existing file
    // then being left as it was.
    bool saveToFile(const QString& path);

    std::uint32_t recordCount() const { return records_; }
    // Inclusive device bounds of everything drawn so far; (0, 0, -1, -1) when nothing was.
    Rect bounds() const;

    int getDeviceCaps(int index) const override;

protected:
    void onAttribute(Attribute attribute) override;
    void onSelect(HGDIOBJ object) override;
    void onSelectClip(const QRegion* region) override;
    void onIntersectClip(const Rect& logical) override;
    void onExcludeClip(const Rect& logical) override;
    void onSave() override;
    void onRestore(int relative) override;

    bool drawLine(Point from, Point to) override;
    bool drawPoly(std::span<const Point> points, bool closed) override;
    bool drawShape(Shape shape, const Rect& box, Point start, Point end) override;
    bool fillDeviceRect(const Rect& rect, HBRUSH brush, DWORD rop) override;
    bool renderText(Point reference, unsigned options, const Rect* rect, const QString& text) override;
    bool blit(const Rect& dest, const DeviceContext* source, const Rect& src, DWORD rop) override;
    COLORREF putPixel(Point p, COLORREF color) override;

private:
    class Writer;

    void begin(EmfRecord type);
    void end();
    void emitSimple(EmfRecord type, std::initializer_list<std::uint32_t> words);
    void emitSelect(HGDIOBJ object);
    // The metafile handle index of an object, writing its creation record when new.
    std::optional<std::uint32_t> ensureObject(HGDIOBJ object);
    void onDestroyed(HGDIOBJ object);
    void includeDevice(const QRect& device);
    // Adds a logical box (widened by the pen) to the bounds; answers it in device pixels.
    QRect includeLogical(const Rect& box);
    int penInflate() const;
    std::optional<std::vector<std::int32_t>> shapedAdvances(const QFont& font, const QString& text,
                                                            bool rtl) const;
    QRect textBounds(Point reference, const QFontMetricsF& metrics, Size extent) const;
    void writeRect(const Rect& r);
    // A block-transfer record (BITBLT, or STRETCHBLT when `sourceSize` is given) over the logical
    // destination x, y, width, height; `dib` is the source as BITMAPINFOHEADER + bits, or empty.
    void writeBlt(const QRect& deviceBounds, const Rect& dest, DWORD rop, COLORREF sourceBk,
                  const QByteArray& dib, std::optional<Size> sourceSize);

    Options options_;
    QByteArray data_;
    std::size_t recordStart_ = 0;
    std::uint32_t records_ = 0;
    bool closed_ = false;
    std::optional<QRect> bounds_;
    std::map<std::uint32_t, std::uint32_t> handleIndex_;  // object handle -> metafile index
    std::vector<bool> indexUsed_;                         // slot 0 is the metafile itself
    std::uint32_t maxHandles_ = 1;
    int listenerToken_ = 0;
};

}  // namespace gdi
