// Owner-drawn entries of a bar's popup menus: measured and drawn by the receiver the entry's choice
// would go to.
#pragma once

#include <cstdint>
#include <functional>

#include "ostbar/OstBarContract.h"
#include "ostbar/OstCommandTable.h"
#include "ui/PopupMenu.h"

namespace ostbar {

// Marks the entries of `menu` whose commands are owner-drawn and routes their measuring and drawing
// to `receiverOf` (id): the receiver is asked each time, so it is looked up while the menu is open.
void routeOwnerDrawn(const OstCommandTable& table, ui::PopupMenu& menu,
                     std::function<IOstMessageReceiver*(SHORT id)> receiverOf, std::intptr_t window);

}  // namespace ostbar
