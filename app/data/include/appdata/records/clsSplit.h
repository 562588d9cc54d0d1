// One share split of a company: a row of Split.
#pragma once

#include <cstdint>
#include <string_view>

#include "db/Value.h"

namespace tarnwick {

class clsSplit {
public:
    db::Date dtDate{};
    std::int32_t CompanyID = 0;
    double Ratio = 0;
    bool isDeleted = false;

    // A SPLIT line: date|CompanyID|Ratio|deleted flag.
    bool ParseParameters(std::string_view Line);
    // Inserts or updates the row by date and company. Errors are logged and give false.
    bool InsertDB();
};

}  // namespace tarnwick
