// Runs the start-up on $TARNWICK_HOME with settings in memory. When the frame window would show it
// prints "frame" and waits for its standard input to close, standing in for the program's event loop.
#include <cstdio>
#include <iostream>
#include <map>
#include <string>

#include "appdata/AppError.h"
#include "appdata/Startup.h"

namespace {

class MemorySettings : public tarnwick::StartupSettings {
public:
    std::optional<std::string> GetSetting(std::string_view key) override {
        auto it = values_.find(std::string(key));
        return it == values_.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void SaveSetting(std::string_view key, std::string_view value) override {
        values_[std::string(key)] = std::string(value);
    }

private:
    std::map<std::string, std::string> values_{{"Language", "False"}};
};

}  // namespace

int main() {
    MemorySettings settings;
    tarnwick::StartupHooks hooks;
    hooks.settings = &settings;
    hooks.showFrameWindow = [] {
        std::cout << "frame" << std::endl;
        std::string line;
        while (std::getline(std::cin, line)) {
        }
    };
    tarnwick::SingleInstanceGuard guard;
    try {
        // A second copy ends at once, with the same status as a normal end.
        tarnwick::Main(hooks, guard);
        return 0;
    } catch (const tarnwick::AppError& e) {
        std::cerr << e.description() << std::endl;
        return 1;
    }
}
