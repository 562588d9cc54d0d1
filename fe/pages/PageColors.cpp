#include "PageColors.h"

#include "gdi/SystemColors.h"

namespace dravik {

gdi::HPALETTE SelectRealizePalette(gdi::DeviceContext& dc, gdi::HPALETTE palette) {
    if (palette == gdi::NULL_HANDLE)
        return gdi::NULL_HANDLE;
    // Realising is what a palette device needs; our surfaces are true-colour, so selecting is all.
    return dc.selectObject(palette);
}

gdi::COLORREF GetColorValue(int index, bool custom) {
    if (!custom)
        return gdi::getSysColor(index);
    if (index < 0 || index >= static_cast<int>(kCustomColorTable.size()))
        return 0;
    return kCustomColorTable[static_cast<std::size_t>(index)];
}

gdi::HBRUSH GetColorBrush(int index, bool custom) {
    if (!custom)
        return gdi::getSysColorBrush(index);
    struct StockGrey {
        gdi::COLORREF colour;
        int stock;
    };
    static constexpr StockGrey kGreys[] = {
        {0xFFFFFF, gdi::WHITE_BRUSH},
        {0xC0C0C0, gdi::LTGRAY_BRUSH},
        {0x808080, gdi::DKGRAY_BRUSH},
        {0x000000, gdi::BLACK_BRUSH},
    };
    if (index >= 0 && index < static_cast<int>(kCustomColorTable.size())) {
        const gdi::COLORREF colour = kCustomColorTable[static_cast<std::size_t>(index)];
        for (const StockGrey& grey : kGreys) {
            if (grey.colour == colour)
                return gdi::getStockObject(grey.stock);
        }
    }
    return gdi::getStockObject(gdi::NULL_BRUSH);
}

gdi::HPEN CreateLinePen(int style, int width, gdi::COLORREF colour) {
    if (width < 2 || style == gdi::PS_SOLID)
        return gdi::createPen(style, width, colour);
    const gdi::LogBrush brush{gdi::BS_SOLID, colour, 0};
    return gdi::extCreatePen(static_cast<std::uint32_t>(gdi::PS_GEOMETRIC | style), width, brush);
}

}  // namespace dravik
