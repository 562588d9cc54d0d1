// One saved chart template: a row of Templates. The template's file is looked after elsewhere.
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

class clsTemplate {
public:
    std::int32_t ID = 0;
    std::string Name;

    // Numbers the template as the greatest ID plus one (1 in an empty table) and inserts it.
    void InsertDB();
    void UpdateDB();
    void DeleteDB();
};

}  // namespace tarnwick
