// Points the class registry of the test process at a fresh file in a temporary folder, and restores
// the previous setting afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "testsupport/TempFolder.h"

class TempRegistry {
public:
    TempRegistry() {
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
    }
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    const std::filesystem::path& folder() const { return folder_.path(); }
    std::filesystem::path path() const { return folder_ / "classes.reg"; }

private:
    static constexpr const char* kVariable = "TARNWICK_CLASS_REGISTRY";
    testsupport::TempFolder folder_{"tarnwick-com-test"};
    std::optional<std::string> previous_;
};
