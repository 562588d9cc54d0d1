// One sector of companies: a row of Category.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

class clsCategory {
public:
    std::int32_t ID = 0;
    std::string Name;
    std::string AName;
    std::string Aprev;
    // The deletion mark as the text of a Boolean, "True" or "False".
    std::string isDeleted;

    // A CATEGORY line: ID|Name|AName|Aprev|deleted flag. Same rules as clsMarket::ParseParameters.
    bool ParseParameters(std::string_view Line);
    // Inserts or updates the row by ID. Errors (also an isDeleted that is no Boolean) are logged and
    // give false.
    bool InsertDB();
};

}  // namespace tarnwick
