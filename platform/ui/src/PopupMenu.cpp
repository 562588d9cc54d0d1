#include "ui/PopupMenu.h"

#include <algorithm>

#include <QImage>

namespace ui {

namespace {

template <typename Items>
auto findIn(Items& items, int id) -> decltype(&items[0]) {
    for (auto& item : items) {
        if (!item.separator && item.id == id)
            return &item;
        if (auto found = findIn(item.submenu, id))
            return found;
    }
    return nullptr;
}

void collectOwnerDrawn(const std::vector<MenuItem>& items, std::vector<int>& ids) {
    for (const MenuItem& item : items) {
        if (item.ownerDrawn && !item.separator)
            ids.push_back(item.id);
        collectOwnerDrawn(item.submenu, ids);
    }
}

}  // namespace

const MenuItem* PopupMenu::find(int id) const {
    return findIn(items, id);
}
MenuItem* PopupMenu::find(int id) {
    return findIn(items, id);
}

bool PopupMenu::isChoosable(int id) const {
    const MenuItem* item = find(id);
    return item && !item->disabled && item->submenu.empty();
}

QImage PopupMenu::renderOwnerDrawn(int id) const {
    const gdi::Size size = measureItem ? measureItem(id) : gdi::Size{16, 16};
    auto dc = gdi::createImageDC(std::max(1, size.cx), std::max(1, size.cy));
    if (!dc)
        return {};
    if (drawItem)
        drawItem(id, dc.get(), {0, 0, size.cx, size.cy}, false);
    return dc->image();
}

std::vector<int> PopupMenu::ownerDrawnIds() const {
    std::vector<int> ids;
    collectOwnerDrawn(items, ids);
    return ids;
}

}  // namespace ui
