// A device context: selected objects, drawing attributes, mapping, clipping and the drawing calls.
//
// Coordinates given to drawing calls are logical; the window/viewport mapping turns them into
// device pixels. Clip regions are in device pixels, as in GDI. Text is UTF-8 (std::string_view)
// or a QString. The backends are a memory context over a bitmap (see createCompatibleDC and
// createImageDC), a printer context (PrinterDC) and an enhanced-metafile recorder (EmfRecorder).
#pragma once

#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "gdi/Objects.h"
#include "gdi/Types.h"

// Qt types that this interface only passes by reference or returns: their users include them.
class QColor;
class QFont;
class QImage;
class QRect;
class QRegion;
class QString;

namespace gdi {

struct TextMetrics {
    std::int32_t height = 0;
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    std::int32_t internalLeading = 0;
    std::int32_t externalLeading = 0;
    std::int32_t aveCharWidth = 0;
    std::int32_t maxCharWidth = 0;
    std::int32_t weight = 0;
    bool italic = false;
    bool underlined = false;
};

class DeviceContext {
public:
    enum class Kind { Memory, Printer, Metafile };

    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;
    // Deselects every object (a pending deletion then completes).
    virtual ~DeviceContext();

    Kind kind() const { return kind_; }

    // --- objects ---
    // Selects a pen, brush, font, bitmap (memory contexts only) or palette and returns the object
    // it replaces; NULL_HANDLE on failure (nothing changes). Regions go through selectClipRgn.
    HGDIOBJ selectObject(HGDIOBJ object);
    HGDIOBJ currentObject(ObjectType type) const;

    // --- attributes (each returns the previous value; 0 for an invalid argument) ---
    int setROP2(int mode);
    int rop2() const { return state_.rop2; }
    int setBkMode(int mode);
    int bkMode() const { return state_.bkMode; }
    COLORREF setBkColor(COLORREF color);
    COLORREF bkColor() const { return state_.bkColor; }
    COLORREF setTextColor(COLORREF color);
    COLORREF textColor() const { return state_.textColor; }
    unsigned setTextAlign(unsigned align);
    unsigned textAlign() const { return state_.textAlign; }
    int setPolyFillMode(int mode);
    int polyFillMode() const { return state_.polyFillMode; }

    // --- mapping ---
    int setMapMode(int mode);
    int mapMode() const { return state_.mapMode; }
    Point setWindowOrg(int x, int y);
    Point setViewportOrg(int x, int y);
    // Extents change only in MM_ISOTROPIC and MM_ANISOTROPIC; the previous extent is returned
    // either way, as GDI does.
    Size setWindowExt(int cx, int cy);
    Size setViewportExt(int cx, int cy);
    Point windowOrg() const { return state_.windowOrg; }
    Point viewportOrg() const { return state_.viewportOrg; }
    Size windowExt() const { return state_.windowExt; }
    Size viewportExt() const { return state_.viewportExt; }
    Point lpToDp(Point logical) const;
    Point dpToLp(Point device) const;

    // --- clipping (device pixels) ---
    // A null region removes the clip. Answers the region kind or RGN_ERROR.
    int selectClipRgn(HRGN region);
    int intersectClipRect(int left, int top, int right, int bottom);
    int excludeClipRect(int left, int top, int right, int bottom);
    // The clip box in logical units (the whole device when there is no clip).
    int getClipBox(Rect* box) const;
    bool hasClip() const { return state_.clip != nullptr; }

    // --- saved states ---
    int saveDC();
    // `level` > 0: the state saved under that number; < 0: relative to the last one.
    bool restoreDC(int level);

    // --- lines and shapes ---
    // A line or polyline segment paints every pixel up to, but not including, its end point.
    // Arcs, pies and chords run counter-clockwise from the start ray to the end ray in device space,
    // so a mapping mode that turns the y axis upwards does not reverse them (GDI's compatible
    // graphics mode).
    Point moveTo(int x, int y);
    Point currentPosition() const { return state_.position; }
    bool lineTo(int x, int y);
    bool polyline(std::span<const Point> points);
    bool polygon(std::span<const Point> points);
    bool rectangle(int left, int top, int right, int bottom);
    bool ellipse(int left, int top, int right, int bottom);
    // Corners are quarter ellipses of width x height logical units.
    bool roundRect(int left, int top, int right, int bottom, int width, int height);
    bool arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    bool pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    bool chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    // Fill and frame ignore the ROP2 mode (block transfers with the brush); invert flips every bit.
    bool fillRect(const Rect& rect, HBRUSH brush);
    bool frameRect(const Rect& rect, HBRUSH brush);
    bool invertRect(const Rect& rect);
    COLORREF setPixel(int x, int y, COLORREF color);
    // CLR_INVALID outside the bitmap, under a clip, or on a device without pixels to read.
    COLORREF getPixel(int x, int y) const;

    // --- text ---
    bool textOut(int x, int y, const QString& text);
    bool textOut(int x, int y, std::string_view utf8);
    bool extTextOut(int x, int y, unsigned options, const Rect* rect, const QString& text);
    // DT_ flags; single line or lines split at '\n'. Answers the text height in logical units.
    int drawText(const QString& text, Rect& rect, unsigned format);
    int drawText(std::string_view utf8, Rect& rect, unsigned format);
    Size getTextExtent(const QString& text) const;
    Size getTextExtent(std::string_view utf8) const;
    TextMetrics getTextMetrics() const;

    // --- block transfer ---
    // Source-free operations (PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS) take a null source.
    bool bitBlt(int x, int y, int width, int height, const DeviceContext* source, int xSrc, int ySrc,
                DWORD rop);
    // Stretches or compresses the source rectangle onto the destination one, each in its context's
    // logical units, by taking the nearest source pixel (on shrinking, rows and columns are dropped).
    // Extents of opposite signs mirror the picture. A zero extent draws nothing and answers false.
    bool stretchBlt(int x, int y, int width, int height, const DeviceContext* source, int xSrc, int ySrc,
                    int widthSrc, int heightSrc, DWORD rop);

    // --- device ---
    virtual int getDeviceCaps(int index) const = 0;
    // The pixels of the selected bitmap (memory contexts); a null image otherwise.
    virtual QImage image() const;

    // The font of the selected font object, sized in device pixels.
    QFont deviceFont() const;

protected:
    struct State {
        HPEN pen{};
        HBRUSH brush{};
        HFONT font{};
        HBITMAP bitmap{};
        HPALETTE palette{};
        int rop2 = R2_COPYPEN;
        int bkMode = OPAQUE;
        COLORREF bkColor = 0xFFFFFF;
        COLORREF textColor = 0x000000;
        unsigned textAlign = 0;
        int polyFillMode = ALTERNATE;
        int mapMode = MM_TEXT;
        Point windowOrg;
        Point viewportOrg;
        Size windowExt{1, 1};
        Size viewportExt{1, 1};
        Point position;
        // Device pixels; null: no clip. A clip is never changed in place, so saved states share it.
        std::shared_ptr<const QRegion> clip;
    };

    explicit DeviceContext(Kind kind);
    // Selects the stock defaults; backends call it at the end of their constructor.
    void initDefaults(HBITMAP bitmap);
    // Deselects everything; backends whose hooks need their own members call it in their destructor.
    void releaseSelections();

    const State& state() const { return state_; }
    double scaleX() const;
    double scaleY() const;
    QRect deviceRect(int left, int top, int right, int bottom) const;
    QRegion deviceBounds() const;

    // Backend hooks. Drawing hooks get logical coordinates.
    enum class Attribute {
        Rop2,
        BkMode,
        BkColor,
        TextColor,
        TextAlign,
        PolyFillMode,
        MapMode,
        WindowOrg,
        WindowExt,
        ViewportOrg,
        ViewportExt,
        MoveTo
    };
    virtual void onAttribute(Attribute) {}
    virtual void onSelect(HGDIOBJ) {}
    virtual bool acceptsBitmap() const { return false; }
    // Clip changes, after the new clip is in place. A selection gives the selected region in device
    // pixels (null: no clip); an intersection or exclusion the rectangle as the caller gave it, in
    // logical units.
    virtual void onSelectClip(const QRegion*) {}
    virtual void onIntersectClip(const Rect&) {}
    virtual void onExcludeClip(const Rect&) {}
    virtual void onSave() {}
    virtual void onRestore(int) {}

    enum class Shape { Rectangle, Ellipse, Arc, Pie, Chord, RoundRect };
    virtual bool drawLine(Point from, Point to) = 0;
    virtual bool drawPoly(std::span<const Point> points, bool closed) = 0;
    // For arcs, pies and chords `start` and `end` are the points of the rays; for a rounded
    // rectangle `start` holds the corner width and height.
    virtual bool drawShape(Shape shape, const Rect& box, Point start, Point end) = 0;
    virtual bool fillDeviceRect(const Rect& rect, HBRUSH brush, DWORD rop) = 0;
    virtual bool renderText(Point reference, unsigned options, const Rect* rect, const QString& text) = 0;
    // `dest` and `src` are logical rectangles of this context and of the source; right < left or
    // bottom < top where an extent was negative. `source` is null for operations without one.
    virtual bool blit(const Rect& dest, const DeviceContext* source, const Rect& src, DWORD rop) = 0;
    virtual COLORREF putPixel(Point p, COLORREF color) = 0;
    virtual COLORREF readPixel(Point) const { return CLR_INVALID; }
    // The extent of one line of text in logical units, with the selected font (getTextExtent and
    // every measurement of the drawing calls go through it).
    virtual Size measureText(const QString& text) const;

private:
    void applyIsotropic();
    int clipKind() const;

    Kind kind_;
    State state_;
    std::vector<State> saved_;
};

using HDC = DeviceContext*;

// Whether a ternary raster operation reads the source (its result depends on the S bit).
constexpr bool ropUsesSource(DWORD rop) {
    return (((rop >> 2) ^ rop) & 0x330000) != 0;
}

// A memory context compatible with the screen: it starts with a 1x1 monochrome bitmap selected.
std::unique_ptr<DeviceContext> createCompatibleDC(const DeviceContext* reference = nullptr);
// A memory context with its own 32-bit bitmap of that size, filled white; the bitmap is deleted with
// the context.
std::unique_ptr<DeviceContext> createImageDC(int width, int height);
// A 32-bit bitmap compatible with the given context.
HBITMAP createCompatibleBitmap(const DeviceContext* dc, int width, int height);

// Colour <-> Qt.
QColor toQColor(COLORREF color);
COLORREF fromQColor(const QColor& color);

}  // namespace gdi
