// A device context whose text is measured at a fixed width per character (UTF-16 unit), whatever the
// font, so that label layouts can be worked out by hand. It records every text it measured and every
// text drawn, and draws nothing.
#pragma once

#include <string>
#include <vector>

#include "gdi/DeviceContext.h"

namespace dravik::test {

class FixedWidthDC final : public gdi::DeviceContext {
public:
    explicit FixedWidthDC(int charWidth, int lineHeight = 12)
        : DeviceContext(Kind::Memory), charWidth_(charWidth), lineHeight_(lineHeight) {
        initDefaults(gdi::NULL_HANDLE);
    }
    ~FixedWidthDC() override { releaseSelections(); }

    struct DrawnText {
        int x = 0;
        int y = 0;
        std::string text;
    };
    mutable std::vector<std::string> measured;
    std::vector<DrawnText> drawn;

    int getDeviceCaps(int index) const override {
        return index == gdi::LOGPIXELSX || index == gdi::LOGPIXELSY ? 96 : 0;
    }

protected:
    gdi::Size measureText(const QString& text) const override {
        measured.push_back(text.toStdString());
        return {static_cast<std::int32_t>(text.size()) * charWidth_, lineHeight_};
    }
    bool drawLine(gdi::Point, gdi::Point) override { return true; }
    bool drawPoly(std::span<const gdi::Point>, bool) override { return true; }
    bool drawShape(Shape, const gdi::Rect&, gdi::Point, gdi::Point) override { return true; }
    bool fillDeviceRect(const gdi::Rect&, gdi::HBRUSH, gdi::DWORD) override { return true; }
    bool renderText(gdi::Point reference, unsigned, const gdi::Rect*, const QString& text) override {
        drawn.push_back({reference.x, reference.y, text.toStdString()});
        return true;
    }
    bool blit(const gdi::Rect&, const DeviceContext*, const gdi::Rect&, gdi::DWORD) override { return true; }
    gdi::COLORREF putPixel(gdi::Point, gdi::COLORREF color) override { return color; }

private:
    int charWidth_;
    int lineHeight_;
};

}  // namespace dravik::test
