// The device contexts that paint with QPainter: a memory context over a bitmap and a printer.
#pragma once

#include "gdi/DeviceContext.h"

class QPainter;

namespace gdi {

class PainterDC : public DeviceContext {
protected:
    explicit PainterDC(Kind kind) : DeviceContext(kind) {}

    // A painter on the device, set to identity and no clip; endPainter is called after each call.
    virtual QPainter* beginPainter() = 0;
    virtual void endPainter(QPainter*) {}
    // Raster operations work only on bitmaps.
    virtual bool supportsRasterOps() const = 0;

    bool drawLine(Point from, Point to) override;
    bool drawPoly(std::span<const Point> points, bool closed) override;
    bool drawShape(Shape shape, const Rect& box, Point start, Point end) override;
    bool fillDeviceRect(const Rect& rect, HBRUSH brush, DWORD rop) override;
    bool renderText(Point reference, unsigned options, const Rect* rect, const QString& text) override;
    // The pixels of a bitmap target, for block transfers and one-pixel lines; null on other devices.
    struct Pixels {
        QImage* image = nullptr;
        bool monochrome = false;  // only pure white stays white
    };
    virtual Pixels pixels() const { return {}; }
    bool blit(const Rect& dest, const DeviceContext* source, const Rect& src, DWORD rop) override;
    COLORREF putPixel(Point p, COLORREF color) override;

private:
    // A one-pixel cosmetic pen drawing on a bitmap. Its lines are set pixel by pixel, as GDI sets
    // them: each segment leaves out its end point, so the joints of a polyline are painted once and
    // a raster operation applies exactly once to every pixel.
    struct CosmeticLine {
        QImage* target = nullptr;
        COLORREF pen = 0;
        COLORREF gap = 0;  // the gaps of a styled pen, drawn when the background mode is opaque
        bool opaqueGaps = false;
        std::span<const int> dashes;  // on and off lengths in pixels; empty: solid
        int rop2 = R2_COPYPEN;
    };
    // Null when the pen or the device needs the painter.
    std::optional<CosmeticLine> cosmeticLine();
    // `styleStep` carries the dash position from one segment to the next.
    void plotLine(const CosmeticLine& line, Point from, Point to, int& styleStep) const;

    // The selected pen's settings, looked up again only when another pen is selected: a selected
    // object cannot be destroyed, a pen never changes, and handles are not reused.
    std::optional<LogPen> selectedPen() const;

    template <typename Fn>
    bool paint(Fn&& fn);
    // False when the ROP2 mode draws nothing.
    bool preparePen(QPainter& painter) const;
    void prepareBrush(QPainter& painter) const;

    mutable HPEN lookedUpPen_{};
    mutable std::optional<LogPen> penSettings_;
};

// A memory context: draws into the selected bitmap.
class MemoryDC final : public PainterDC {
public:
    // Starts with the stock 1x1 monochrome bitmap, or with `ownBitmap` (deleted with the context).
    explicit MemoryDC(HBITMAP ownBitmap = NULL_HANDLE);
    ~MemoryDC() override;

    int getDeviceCaps(int index) const override;
    QImage image() const override;

protected:
    QPainter* beginPainter() override;
    void endPainter(QPainter* painter) override;
    bool supportsRasterOps() const override { return true; }
    bool acceptsBitmap() const override { return true; }
    COLORREF readPixel(Point p) const override;

private:
    // Looked up again only when another bitmap is selected (a selected bitmap cannot be deleted).
    Pixels pixels() const override;

    HBITMAP ownBitmap_;
    mutable HBITMAP lookedUpBitmap_{};
    mutable Pixels bitmapPixels_;
    std::unique_ptr<QPainter> painter_;
};

}  // namespace gdi
