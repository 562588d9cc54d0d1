// The lists of the property pages and dialogs: lists whose items carry a value as item data, the
// owner-drawn line-width, line-style and colour lists, and the drawing of their items.
//
// A list is a control of a ui::Dialog, addressed by its id.
#pragma once

#include <cstdint>
#include <span>

#include <QString>

#include "com/Types.h"
#include "gdi/Objects.h"
#include "res/ResourceModule.h"
#include "ui/Dialog.h"

namespace dravik {

// Line widths (pixels) a width list offers.
inline constexpr int kFirstListedWidth = 1;
inline constexpr int kLastListedWidth = 10;
// Items of a line-style list: the pen styles solid, dash, dot, dash-dot and dash-dot-dot.
inline constexpr int kLineStyleItemCount = 5;
// String id of the text the custom entry of a colour list shows.
inline constexpr std::uint32_t kOriginalColorStringId = 120;

// Selects the first item whose data is `value`, else item 0.
void SelectComboItemByData(ui::Dialog& dialog, int combo, com::SHORT value);
// The data of the chosen item as a 16-bit value; 0 when no item is chosen.
com::SHORT GetComboItemData(const ui::Dialog& dialog, int combo);
// The data of the chosen item; CB_ERR when no item is chosen.
std::intptr_t GetSelectedItemData(const ui::Dialog& dialog, int combo);

// Adds `count` items without text or data, whose drawing the page does (a style list and the like).
void AddEmptyItems(ui::Dialog& dialog, int combo, int count);
void AddLineStyleItems(ui::Dialog& dialog, int combo);
// Lists whose item n stands for the value base + n.
void SelectByOffset(ui::Dialog& dialog, int combo, int value, int base);
int GetSelectionPlusBase(const ui::Dialog& dialog, int combo, int base);

// Fills a colour list with one item per colour (the colour is the item data). `flags` are the look of
// the original colour control (16 for the pages); our list has a single look.
void FillColorList(std::span<const gdi::COLORREF> colours, ui::Dialog& dialog, int combo, int flags);
// Finds the item of that text and makes the text the list's custom entry; selects the item found, or
// else the custom entry.
void SelectColorItemByText(ui::Dialog& dialog, int combo, const QString& text);
// Fills a width list with the widths kFirstListedWidth..kLastListedWidth (the width is the item data).
void FillWidthList(ui::Dialog& dialog, int combo);
// Selects the item whose data is `value`. A value the list does not offer is added as an item of its
// own first, so that a page that only shows a value never changes it.
void SelectListValue(ui::Dialog& dialog, int combo, std::intptr_t value);

// Draws a line-style item: a horizontal line of the style, width and colour through the middle, with a
// focus frame for the focused item.
void DrawLineStyleItem(const ui::DrawItem& item, int style, int width, gdi::COLORREF colour);
// Draws a colour-list item: its colour (item data) as a framed cell, nothing filled for kNoColor, and
// the custom entry as the text of string kOriginalColorStringId.
void DrawColorItem(const res::ResourceModule& module, const ui::DrawItem& item);
// Draws a colour cell of a colour table (item data = 1-based table index, 0 for `colour` itself) at
// (x, y) with size (w, h).
void PaintColorSwatch(const ui::DrawItem& item, std::span<const gdi::COLORREF> colours, gdi::COLORREF colour,
                      gdi::HPALETTE palette, int w, int h, int x, int y);

}  // namespace dravik
