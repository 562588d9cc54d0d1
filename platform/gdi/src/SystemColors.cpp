#include "gdi/SystemColors.h"

#include <array>

namespace gdi {

namespace {

// Documented in SystemColors.h; 0-23 match the custom colour scheme of the chart pages.
constexpr std::array<COLORREF, SYSCOLOR_COUNT> kSystemColors = {
    0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0,
    0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000,
    0xE1FFFF, 0xB5B5B5, 0xCC6600, 0xF0CAA6, 0xC0C0C0, 0x800000, 0xC0C0C0,
};

}  // namespace

COLORREF getSysColor(int index) {
    if (index < 0 || index >= SYSCOLOR_COUNT)
        return 0;
    return kSystemColors[static_cast<std::size_t>(index)];
}

}  // namespace gdi
