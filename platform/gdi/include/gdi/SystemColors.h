// The system colour table and its brushes.
//
// The colours are a fixed, documented palette (the classic grey scheme), the same on every
// machine, so that charts and tests do not depend on the desktop theme:
//
//  0 scroll bar     C0C0C0    8 window text   000000   16 button shadow     808080   24 info bk   E1FFFF
//  1 background     808000    9 caption text  FFFFFF   17 grey text         808080   25 (unused)  B5B5B5
//  2 active caption 800000   10 active border C0C0C0   18 button text       000000   26 hot light CC6600
//  3 inactive capt. 808080   11 inactive bord C0C0C0   19 inactive capt tx  C0C0C0   27 grad act  F0CAA6
//  4 menu           C0C0C0   12 app workspace 808080   20 button highlight  FFFFFF   28 grad inac C0C0C0
//  5 window         FFFFFF   13 highlight     800000   21 3D dark shadow    000000   29 menu hilt 800000
//  6 window frame   000000   14 highlight tx  FFFFFF   22 3D light          DFDFDF   30 menu bar  C0C0C0
//  7 menu text      000000   15 button face   C0C0C0   23 info text         000000
// (values are COLORREF, 0x00BBGGRR)
#pragma once

#include "gdi/Objects.h"

namespace gdi {

inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_INACTIVECAPTION = 3;
inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_ACTIVEBORDER = 10;
inline constexpr int COLOR_INACTIVEBORDER = 11;
inline constexpr int COLOR_APPWORKSPACE = 12;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_HOTLIGHT = 26;
inline constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
inline constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
inline constexpr int COLOR_MENUHILIGHT = 29;
inline constexpr int COLOR_MENUBAR = 30;
inline constexpr int SYSCOLOR_COUNT = 31;

// The colour of index 0-30; 0 for any other index.
COLORREF getSysColor(int index);
// A stock solid brush of that colour (never deleted); NULL_HANDLE for an index outside 0-30.
HBRUSH getSysColorBrush(int index);

}  // namespace gdi
