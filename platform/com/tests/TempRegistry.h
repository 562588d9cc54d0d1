// Points the class registry of the test process at a fresh file in a temporary folder, and restores
// the previous setting afterwards.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

class TempRegistry {
public:
    TempRegistry() {
        static int counter = 0;
        folder_ = std::filesystem::temp_directory_path() /
                  ("tarnwick-com-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        if (const char* old = std::getenv(kVariable))
            previous_ = old;
        ::setenv(kVariable, path().c_str(), 1);
    }
    ~TempRegistry() {
        if (previous_) {
            ::setenv(kVariable, previous_->c_str(), 1);
        } else {
            ::unsetenv(kVariable);
        }
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path path() const { return folder_ / "classes.reg"; }

private:
    static constexpr const char* kVariable = "TARNWICK_CLASS_REGISTRY";
    std::filesystem::path folder_;
    std::optional<std::string> previous_;
};
