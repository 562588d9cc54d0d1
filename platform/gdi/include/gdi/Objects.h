// Drawing objects as process-wide handles: pens, brushes, fonts, bitmaps, regions and palettes.
//
// The handle table lives in this library, so an object created by one shared library can be
// selected into a device context created by another. Objects are deleted by their owner with
// deleteObject. Deleting a pen, brush, font or palette that is still selected into a device context
// is deferred: the handle stays usable by that context and disappears when it is deselected or the
// context is destroyed. Deleting a bitmap that is selected into a memory context is refused.
// Stock objects are never deleted (deleteObject answers true and does nothing).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gdi/Types.h"

class QImage;

namespace gdi {

enum class HGDIOBJ : std::uint32_t {};
inline constexpr HGDIOBJ NULL_HANDLE{};
using HPEN = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HFONT = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HRGN = HGDIOBJ;
using HPALETTE = HGDIOBJ;

enum class ObjectType { None = 0, Pen = 1, Brush = 2, Palette = 5, Font = 6, Bitmap = 7, Region = 8 };

struct LogPen {
    std::uint32_t style = PS_SOLID;  // style, end cap, join and PS_GEOMETRIC bits
    std::int32_t width = 0;          // logical units for geometric pens, pixels for cosmetic ones
    COLORREF color = 0;
    friend bool operator==(const LogPen&, const LogPen&) = default;
};

struct LogBrush {
    std::uint32_t style = BS_SOLID;
    COLORREF color = 0;
    std::int32_t hatch = 0;
    friend bool operator==(const LogBrush&, const LogBrush&) = default;
};

// Height < 0: character height in logical units; > 0: cell height; 0: default size.
// Escapement is in tenths of a degree, counter-clockwise. The face name is UTF-8, at most
// 31 characters (longer names are cut at a character boundary).
struct LogFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 1;  // DEFAULT_CHARSET
    std::string faceName;
    friend bool operator==(const LogFont&, const LogFont&) = default;
};

struct BitmapInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitsPerPixel = 0;  // 1 (monochrome) or 32
    friend bool operator==(const BitmapInfo&, const BitmapInfo&) = default;
};

// --- creation ---
HPEN createPen(int style, int width, COLORREF color);
// A geometric pen (style | PS_GEOMETRIC) draws its dash style at any width; a cosmetic one is
// always one pixel wide. Only solid brushes are supported for pens.
HPEN extCreatePen(std::uint32_t style, int width, const LogBrush& brush);
HBRUSH createSolidBrush(COLORREF color);
HBRUSH createHatchBrush(int hatch, COLORREF color);
HBRUSH createBrushIndirect(const LogBrush& brush);
HBRUSH createPatternBrush(HBITMAP bitmap);
HFONT createFontIndirect(const LogFont& font);
// A bitmap of 1 (monochrome, starts black) or 32 bits per pixel (starts black). Sizes must be
// 1..32767; anything else gives NULL_HANDLE.
HBITMAP createBitmap(int width, int height, int bitsPerPixel);
HBITMAP createBitmapFromImage(const QImage& image);
HRGN createRectRgn(int left, int top, int right, int bottom);
HRGN createEllipticRgn(int left, int top, int right, int bottom);
HRGN createPolygonRgn(std::span<const Point> points, int fillMode);
HPALETTE createPalette(std::span<const COLORREF> entries);

// --- stock objects and system colours ---
HGDIOBJ getStockObject(int index);
// The stock index of a stock object, or -1.
int stockIndexOf(HGDIOBJ object);

// --- queries ---
ObjectType getObjectType(HGDIOBJ object);
bool isValidObject(HGDIOBJ object);
std::optional<LogPen> getPen(HPEN pen);
std::optional<LogBrush> getBrush(HBRUSH brush);
std::optional<LogFont> getFont(HFONT font);
std::optional<BitmapInfo> getBitmap(HBITMAP bitmap);
// A copy of the bitmap's pixels (Format_RGB32; a monochrome bitmap is pure black and white).
QImage bitmapImage(HBITMAP bitmap);
std::optional<std::vector<COLORREF>> getPaletteEntries(HPALETTE palette);

// --- deletion ---
// True when the object is gone or will go when deselected; false for an invalid handle or a
// selected bitmap.
bool deleteObject(HGDIOBJ object);
// Number of live (not yet destroyed) objects that are not stock objects; for leak checks.
std::size_t liveObjectCount();

// --- regions ---
int combineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
bool ptInRegion(HRGN region, int x, int y);
int getRgnBox(HRGN region, Rect* box);
int offsetRgn(HRGN region, int dx, int dy);
bool setRectRgn(HRGN region, int left, int top, int right, int bottom);

}  // namespace gdi
