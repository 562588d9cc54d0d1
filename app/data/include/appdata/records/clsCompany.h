// One listed company or index: a row of Company.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "appdata/KeyedCollection.h"
#include "appdata/records/clsNote.h"

namespace tarnwick {

class clsCompany {
public:
    std::int32_t ID = 0;
    std::string Name;
    std::string AName;
    std::string Symbol;
    std::int32_t Category_ID = 0;
    std::int32_t Market_ID = 0;
    std::string Description;
    bool IS_INDEX = false;
    bool isDeleted = false;

    // A COMPANY line: ID|Symbol|Name|AName|Market_ID|Category_ID|Description|IS_INDEX flag|deleted
    // flag. Same rules as clsMarket::ParseParameters.
    bool ParseParameters(std::string_view Line);
    // Inserts or updates the row by ID; the drawing columns are never touched. Errors reach the
    // caller (db::Error).
    void InsertDB();
    // The company's notes, newest first, deleted ones included, keyed "ID_n", Text in the display
    // language. An error is logged and the notes read so far are returned.
    KeyedCollection<clsNote> GetNotes() const;
};

}  // namespace tarnwick
