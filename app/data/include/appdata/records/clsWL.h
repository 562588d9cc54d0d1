// One watch list. A user list is a row of WatchLists with its items in WatchListItem; a system list
// stands for all companies of one market, has the market's ID negated and is never stored.
#pragma once

#include <cstdint>
#include <string>

#include "appdata/KeyedCollection.h"
#include "appdata/records/clsCompany.h"

namespace tarnwick {

class clsWL {
public:
    std::int32_t ID = 0;
    std::string Name;
    bool isSystem = false;

    // The list's live companies keyed "ID_n", Name in the display language. A system list gives
    // the market's companies by sector, companies before indexes, then by name; a user list gives
    // its items in their order. An error is logged and the companies read so far are returned.
    KeyedCollection<clsCompany> GetItems() const;
    // Numbers the list as the greatest ID plus one (1 in an empty table), inserts it and makes it a
    // user list. This and the other writers log an error and answer false; true when stored.
    bool InsertDB();
    bool UpdateDB();
    // Appends the company as the list's last item; false when it is in the list already, when the
    // list is not stored or on error.
    bool AddWLitem(const clsCompany& Company);
    bool RemoveWLItem(const clsCompany& Company);
    // Removes the list's items and then the list, both or neither.
    bool DeleteDB();
};

}  // namespace tarnwick
