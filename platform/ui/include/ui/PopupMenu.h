// A popup menu description: items with ids, check marks, disabled and owner-drawn entries.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <Qt>

#include "gdi/DeviceContext.h"

class QImage;

namespace ui {

struct MenuItem {
    int id = 0;
    QString text;
    bool checked = false;
    bool disabled = false;
    bool separator = false;
    bool ownerDrawn = false;  // drawn by PopupMenu::drawItem at the size PopupMenu::measureItem gives
    std::vector<MenuItem> submenu;
};

struct PopupMenu {
    std::vector<MenuItem> items;
    // The reading direction when it is not the owner's (a left-to-right bar in a right-to-left program).
    std::optional<Qt::LayoutDirection> direction;
    std::function<gdi::Size(int id)> measureItem;
    std::function<void(int id, gdi::HDC dc, const gdi::Rect& rect, bool selected)> drawItem;

    // The item with that id, searching submenus; null when absent.
    const MenuItem* find(int id) const;
    MenuItem* find(int id);
    // True when the id names an enabled, non-separator item with no submenu.
    bool isChoosable(int id) const;
    // An owner-drawn item as the menu shows it: measured (16 x 16 without measureItem), then drawn
    // unselected on a white image of that size.
    QImage renderOwnerDrawn(int id) const;
    // The ids of the owner-drawn items, submenus included, in menu order.
    std::vector<int> ownerDrawnIds() const;
};

}  // namespace ui
