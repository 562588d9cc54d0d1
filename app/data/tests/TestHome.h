// A fresh program folder for one test: $TARNWICK_HOME points at it while the test runs.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

class TestHome {
public:
    TestHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-app-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        const char* old = std::getenv("TARNWICK_HOME");
        if (old != nullptr) {
            previous_ = old;
        }
        ::setenv("TARNWICK_HOME", root_.c_str(), 1);
    }
    ~TestHome() {
        if (previous_) {
            ::setenv("TARNWICK_HOME", previous_->c_str(), 1);
        } else {
            ::unsetenv("TARNWICK_HOME");
        }
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    const std::filesystem::path& path() const { return root_; }
    std::filesystem::path operator/(const std::string& name) const { return root_ / name; }

private:
    std::filesystem::path root_;
    std::optional<std::string> previous_;
};

inline std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}
