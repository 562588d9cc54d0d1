// Colours, brushes and pens shared by the property pages, the dialogs and the chart types.
#pragma once

#include <array>

#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"

namespace dravik {

// The fixed colour scheme that a chart may ask for instead of the system colours, by system colour
// index 0-23 (COLORREF 0x00BBGGRR).
inline constexpr std::array<gdi::COLORREF, 24> kCustomColorTable{
    0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0,
    0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000,
};

// Item data of a colour list entry that stands for "no colour".
inline constexpr gdi::COLORREF kNoColor = 0x80000000;

// Selects `palette` (when there is one) into the context; answers the palette it replaced.
gdi::HPALETTE SelectRealizePalette(gdi::DeviceContext& dc, gdi::HPALETTE palette);

// The colour of system colour `index`: from the system table, or from the fixed scheme when `custom`
// (0 for an index outside 0-23).
gdi::COLORREF GetColorValue(int index, bool custom);

// A brush of that colour that nobody deletes: the system colour brush, or for the fixed scheme the
// stock brush of its white, light grey, dark grey or black, and the null brush for any other colour.
gdi::HBRUSH GetColorBrush(int index, bool custom);

// A pen that draws `style` at `width` pixels: a plain pen for a solid or thin line, else a geometric
// pen, since only those draw dashes and dots wider than one pixel. The caller deletes it.
gdi::HPEN CreateLinePen(int style, int width, gdi::COLORREF colour);

}  // namespace dravik
