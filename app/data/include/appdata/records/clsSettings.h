// One row of the Settings table.
#pragma once

#include <string>

namespace tarnwick {

class clsSettings {
public:
    std::string SettingName;
    std::string Value;
    std::string Description;

    // Stores Value in the row named SettingName. Errors are logged.
    void UpdateDB();
};

}  // namespace tarnwick
