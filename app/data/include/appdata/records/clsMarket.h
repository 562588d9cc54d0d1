// One stock market: a row of Markets, with the version tags that the data update sends back to the
// server. Every method works on the shared connection gConnection.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

class clsMarket {
public:
    std::int32_t ID = 0;
    std::string Name;
    std::string AName;
    std::string Aprev;
    bool isDeleted = false;
    std::string UpdateDataTag;
    std::string UpdateNotesTag;

    // A MARKET line of the update stream: ID|Name|AName|Aprev|deleted flag ("NO" = live). False,
    // with nothing changed, for a line of fewer than two fields (silently) or one that is short or
    // malformed (logged).
    bool ParseParameters(std::string_view Line);
    // Inserts or updates the row by ID, leaving the tag columns alone, and makes sure the market's
    // daily-price table exists. Errors are logged; the result tells whether the row
    // was stored.
    bool InsertDB();
    // Store UpdateDataTag / UpdateNotesTag in the market's row. Errors are logged; false then.
    bool ChangeDataTag();
    bool ChangeNotesTag();
};

}  // namespace tarnwick
