// Start-up's view of the settings store: section "Settings" of the application "Tarnwick".
#pragma once

#include "appdata/Startup.h"

namespace tarnwick {

class StoreStartupSettings : public StartupSettings {
public:
    std::optional<std::string> GetSetting(std::string_view key) override;
    void SaveSetting(std::string_view key, std::string_view value) override;
};

}  // namespace tarnwick
