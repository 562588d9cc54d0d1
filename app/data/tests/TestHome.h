// A fresh program folder for one test: $TARNWICK_HOME points at it while the test runs.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "testsupport/TempFolder.h"

class TestHome {
public:
    TestHome() {
        if (const char* old = std::getenv("TARNWICK_HOME"); old != nullptr)
            previous_ = old;
        ::setenv("TARNWICK_HOME", folder_.path().c_str(), 1);
    }
    ~TestHome() {
        if (previous_)
            ::setenv("TARNWICK_HOME", previous_->c_str(), 1);
        else
            ::unsetenv("TARNWICK_HOME");
    }
    const std::filesystem::path& path() const { return folder_.path(); }
    std::filesystem::path operator/(const std::string& name) const { return folder_ / name; }

private:
    testsupport::TempFolder folder_{"tarnwick-app"};
    std::optional<std::string> previous_;
};

inline std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}
