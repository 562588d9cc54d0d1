#include "PageCombos.h"

#include <QColor>

#include "PageColors.h"
#include "gdi/DeviceContext.h"
#include "gdi/SystemColors.h"

namespace dravik {
namespace {

// Deletes a pen or brush that was made for one drawing, after the context let go of it.
class ScopedObject {
public:
    ScopedObject(gdi::DeviceContext& dc, gdi::HGDIOBJ object) : dc_(dc), object_(object) {
        previous_ = dc_.selectObject(object_);
    }
    ~ScopedObject() {
        dc_.selectObject(previous_);
        gdi::deleteObject(object_);
    }
    ScopedObject(const ScopedObject&) = delete;
    ScopedObject& operator=(const ScopedObject&) = delete;

private:
    gdi::DeviceContext& dc_;
    gdi::HGDIOBJ object_;
    gdi::HGDIOBJ previous_;
};

gdi::Rect inset(gdi::Rect rect, int dx, int dy) {
    return {rect.left + dx, rect.top + dy, rect.right - dx, rect.bottom - dy};
}

// Fills a cell with a colour, or with a cross hatch where there is no colour.
void fillColourCell(gdi::DeviceContext& dc, const gdi::Rect& cell, gdi::COLORREF colour) {
    const gdi::HBRUSH brush = colour == kNoColor ? gdi::createHatchBrush(gdi::HS_DIAGCROSS, 0x808080)
                                                 : gdi::createSolidBrush(colour);
    dc.fillRect(cell, brush);
    gdi::deleteObject(brush);
}

void drawFocusFrame(gdi::DeviceContext& dc, const gdi::Rect& rect) {
    ScopedObject pen(dc, gdi::createPen(gdi::PS_DOT, 1, gdi::getSysColor(gdi::COLOR_WINDOWTEXT)));
    const gdi::Point corners[] = {{rect.left, rect.top},
                                  {rect.right - 1, rect.top},
                                  {rect.right - 1, rect.bottom - 1},
                                  {rect.left, rect.bottom - 1},
                                  {rect.left, rect.top}};
    dc.polyline(corners);
}

}  // namespace

void SelectComboItemByData(ui::Dialog& dialog, int combo, com::SHORT value) {
    const int count = dialog.count(combo);
    for (int i = 0; i < count; ++i) {
        if (static_cast<com::SHORT>(dialog.itemData(combo, i)) == value) {
            dialog.setCurSel(combo, i);
            return;
        }
    }
    dialog.setCurSel(combo, 0);
}

com::SHORT GetComboItemData(const ui::Dialog& dialog, int combo) {
    const int chosen = dialog.curSel(combo);
    return chosen == ui::CB_ERR ? 0 : static_cast<com::SHORT>(dialog.itemData(combo, chosen));
}

std::intptr_t GetSelectedItemData(const ui::Dialog& dialog, int combo) {
    const int chosen = dialog.curSel(combo);
    return chosen == ui::CB_ERR ? ui::CB_ERR : dialog.itemData(combo, chosen);
}

void AddEmptyItems(ui::Dialog& dialog, int combo, int count) {
    for (int i = 0; i < count; ++i)
        dialog.addString(combo, QString());
}

void AddLineStyleItems(ui::Dialog& dialog, int combo) {
    AddEmptyItems(dialog, combo, kLineStyleItemCount);
}

void SelectByOffset(ui::Dialog& dialog, int combo, int value, int base) {
    dialog.setCurSel(combo, value - base);
}

int GetSelectionPlusBase(const ui::Dialog& dialog, int combo, int base) {
    return dialog.curSel(combo) + base;
}

void FillColorList(std::span<const gdi::COLORREF> colours, ui::Dialog& dialog, int combo, int /*flags*/) {
    dialog.resetContent(combo);
    for (const gdi::COLORREF colour : colours) {
        const QColor shown(gdi::redOf(colour), gdi::greenOf(colour), gdi::blueOf(colour));
        dialog.addString(combo, shown.name(), static_cast<std::intptr_t>(colour));
    }
}

void SelectColorItemByText(ui::Dialog& dialog, int combo, const QString& text) {
    const int found = dialog.findStringExact(combo, text);
    dialog.setCustomEntry(combo, text);
    if (found != ui::CB_ERR) {
        dialog.setCurSel(combo, found);
        return;
    }
    for (int i = 0, n = dialog.count(combo); i < n; ++i) {
        if (dialog.itemData(combo, i) == ui::CUSTOM_ENTRY_DATA) {
            dialog.setCurSel(combo, i);
            return;
        }
    }
}

void FillWidthList(ui::Dialog& dialog, int combo) {
    dialog.resetContent(combo);
    for (int width = kFirstListedWidth; width <= kLastListedWidth; ++width)
        dialog.addString(combo, QString::number(width), width);
}

void SelectListValue(ui::Dialog& dialog, int combo, std::intptr_t value) {
    for (int i = 0, n = dialog.count(combo); i < n; ++i) {
        if (dialog.itemData(combo, i) == value) {
            dialog.setCurSel(combo, i);
            return;
        }
    }
    dialog.setCurSel(combo, dialog.addString(combo, QString::number(value), value));
}

void DrawLineStyleItem(const ui::DrawItem& item, int style, int width, gdi::COLORREF colour) {
    if (!item.dc)
        return;
    gdi::DeviceContext& dc = *item.dc;
    dc.fillRect(item.rect, gdi::getSysColorBrush(gdi::COLOR_WINDOW));
    {
        ScopedObject pen(dc, CreateLinePen(style, width, colour));
        const int previousMode = dc.setBkMode(gdi::TRANSPARENT);
        const int middle = (item.rect.top + item.rect.bottom) / 2;
        dc.moveTo(item.rect.left + 5, middle);
        dc.lineTo(item.rect.right - 5, middle);
        dc.setBkMode(previousMode);
    }
    if (item.state & ui::ODS_FOCUS) {
        const gdi::Rect focus = inset(item.rect, 1, 0);
        drawFocusFrame(dc, focus);
        dc.frameRect(inset(focus, 1, 1), gdi::getSysColorBrush(gdi::COLOR_WINDOWTEXT));
    }
}

void DrawColorItem(const res::ResourceModule& module, const ui::DrawItem& item) {
    if (!item.dc)
        return;
    gdi::DeviceContext& dc = *item.dc;
    dc.fillRect(item.rect, gdi::getSysColorBrush(gdi::COLOR_WINDOW));
    if (item.itemData == ui::CUSTOM_ENTRY_DATA) {
        gdi::Rect textRect = item.rect;
        dc.setBkMode(gdi::TRANSPARENT);
        dc.drawText(module.stringOr(kOriginalColorStringId), textRect,
                    gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE);
        return;
    }
    // The closed field shows a bar near its bottom; a list row fills its cell.
    gdi::Rect cell = item.editPart ? gdi::Rect{item.rect.left + 2, item.rect.bottom - 8, item.rect.right - 2,
                                               item.rect.bottom - 2}
                                   : item.rect;
    if (!item.editPart && (item.state & ui::ODS_SELECTED))
        cell = inset(cell, 2, 2);
    const auto colour = static_cast<gdi::COLORREF>(item.itemData);
    if (colour != kNoColor)
        fillColourCell(dc, cell, colour);
    dc.frameRect(cell, gdi::getSysColorBrush(gdi::COLOR_BTNSHADOW));
}

void PaintColorSwatch(const ui::DrawItem& item, std::span<const gdi::COLORREF> colours, gdi::COLORREF colour,
                      gdi::HPALETTE palette, int w, int h, int x, int y) {
    if (!item.dc)
        return;
    gdi::DeviceContext& dc = *item.dc;
    const gdi::HPALETTE previous = SelectRealizePalette(dc, palette);
    const std::intptr_t tableIndex = item.itemData;
    if (tableIndex > 0 && static_cast<std::size_t>(tableIndex) <= colours.size())
        colour = colours[static_cast<std::size_t>(tableIndex - 1)];
    const gdi::Rect cell{item.rect.left + x, item.rect.top + y, item.rect.left + x + w,
                         item.rect.top + y + h};
    dc.fillRect(cell, gdi::getSysColorBrush(gdi::COLOR_WINDOW));
    const gdi::Rect inner = (item.state & ui::ODS_SELECTED) ? inset(cell, 2, 2) : cell;
    fillColourCell(dc, inner, colour);
    dc.frameRect(inner, gdi::getSysColorBrush(gdi::COLOR_BTNSHADOW));
    if (palette != gdi::NULL_HANDLE)
        dc.selectObject(previous);
}

}  // namespace dravik
