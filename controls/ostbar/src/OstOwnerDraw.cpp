#include "OstOwnerDraw.h"

#include "com/ComPtr.h"

namespace ostbar {

namespace {

// The size an entry gets when its receiver leaves it open.
constexpr LONG kDefaultEntrySize = 16;

void markOwnerDrawn(const OstCommandTable& table, std::vector<ui::MenuItem>& items) {
    for (ui::MenuItem& item : items) {
        const OstCommandData* command = item.separator ? nullptr : table.find(static_cast<SHORT>(item.id));
        if (command && (command->style & kStyleOwnerDraw))
            item.ownerDrawn = true;
        markOwnerDrawn(table, item.submenu);
    }
}

}  // namespace

void routeOwnerDrawn(const OstCommandTable& table, ui::PopupMenu& menu,
                     std::function<IOstMessageReceiver*(SHORT id)> receiverOf, std::intptr_t window) {
    markOwnerDrawn(table, menu.items);
    menu.measureItem = [receiverOf, window](int id) {
        OstMeasureItem measure;
        measure.id = static_cast<SHORT>(id);
        // Held for the call: the receiver may let itself go.
        const com::ComPtr<IOstMessageReceiver> receiver(receiverOf(measure.id));
        if (receiver) {
            LONG result = 0;
            receiver->OnToolbarMessage(window, kWmMeasureItem, id, reinterpret_cast<std::intptr_t>(&measure),
                                       &result);
        }
        const LONG width = measure.width > 0 ? measure.width : kDefaultEntrySize;
        const LONG height = measure.height > 0 ? measure.height : kDefaultEntrySize;
        return gdi::Size{width, height};
    };
    menu.drawItem = [receiverOf, window](int id, gdi::HDC dc, const gdi::Rect& rect, bool selected) {
        OstDrawItem draw;
        draw.id = static_cast<SHORT>(id);
        draw.dc = dc;
        draw.left = rect.left;
        draw.top = rect.top;
        draw.right = rect.right;
        draw.bottom = rect.bottom;
        draw.state = selected ? kDrawItemSelected : 0;
        const com::ComPtr<IOstMessageReceiver> receiver(receiverOf(draw.id));
        if (!receiver)
            return;
        LONG result = 0;
        receiver->OnToolbarMessage(window, kWmDrawItem, id, reinterpret_cast<std::intptr_t>(&draw), &result);
    };
}

}  // namespace ostbar
