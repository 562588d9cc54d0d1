// The controls that the Draw page and the Add dialog share for one drawing: its anchor dates, whether
// it is free drawn or follows a series, its colour, line style and width, and the button that opens
// its parameter dialog. Shown from a DrawingRecord and read back into one.
#pragma once

#include <span>
#include <vector>

#include "com/Types.h"
#include "drawing/DrawingRecord.h"
#include "gdi/Types.h"
#include "res/ResourceModule.h"
#include "ui/Dialog.h"

namespace dravik {

class IDrawingPageOwner;
class CHostChartAdapter;

inline constexpr int IDC_DRAW_FROM = 553;
inline constexpr int IDC_DRAW_TO = 554;
inline constexpr int IDC_DRAW_FREE = 562;       // "Draw on selected prices"
inline constexpr int IDC_DRAW_ON_SERIES = 563;  // draw on the series of the work-series list
inline constexpr int IDC_DRAW_SERIES = 500;
inline constexpr int IDC_DRAW_COLOR = 511;
inline constexpr int IDC_DRAW_WIDTH = 531;
inline constexpr int IDC_DRAW_STYLE = 533;
inline constexpr int IDC_DRAW_CONFIGURE = 570;

// Bits of the extension's Options word that the drawing controls obey: no free drawing, and the
// parameter dialog offered.
inline constexpr com::LONG kOptionNoFreeDraw = 0x8;
inline constexpr com::LONG kOptionConfigureDrawings = 0x100;
// Items of the width list (width = item + 1) and of the style list.
inline constexpr int kDrawingWidthItems = 6;
// Longest date text read back.
inline constexpr int kDrawingDateChars = 60;
// The work-series list: the price series and the user series drawn over the prices.
inline constexpr unsigned kDrawingSeriesFlags = 0x5;

// What the controls show and take: the extension with its drawings, the chart's colours and the
// adapter through which the series legends are read (may be null).
struct DrawingControlContext {
    IDrawingPageOwner* extension = nullptr;
    std::span<const gdi::COLORREF> colours;
    CHostChartAdapter* adapter = nullptr;
};

// The controls, placed from `top` (pixels) down; answers them with the height they take.
std::vector<ui::ControlTemplate> DrawingValueControlTemplates(int left, int top, int* height);

// Fills the colour list and the owner-drawn width and style lists, and disables free drawing when the
// Options word forbids it.
void FillDrawingValueLists(ui::Dialog& dialog, const DrawingControlContext& context);
// Shows the drawing's values (clearing its free drawing first when the Options word forbids it); every
// control is enabled only for an enabled drawing.
void ShowDrawingValues(ui::Dialog& dialog, const DrawingControlContext& context, DrawingRecord& record);
// Reads the controls into the drawing: the dates (a date after the data is taken as the last period; a
// text that is no date, or the date as shown, keeps the anchor), free drawing, the work series, colour, width
// and style (a list without a choice keeps the value) and recreates nothing else. The original colour entry
// keeps the drawing's colour.
void ReadDrawingValues(const ui::Dialog& dialog, const DrawingControlContext& context, DrawingRecord& record);
// The two placement buttons are one group (the dialog kit keeps no groups of its own): a click on either
// checks it and clears the other. Answers whether `id` was one of them.
bool FollowPlacementClick(ui::Dialog& dialog, int id, int code);
// The width and style items are drawn in the chosen colour: repaints them after a colour change.
void RepaintLineLists(ui::Dialog& dialog);
// Draws an item of the colour, width or style list; false for another control.
bool DrawDrawingValueItem(const ui::Dialog& dialog, const res::ResourceModule& module,
                          const ui::DrawItem& item);

}  // namespace dravik
