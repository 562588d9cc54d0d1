#include "ui/PopupMenu.h"

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

}  // namespace ui
