// A unique temporary folder for one test, removed with everything in it afterwards, and small helpers
// that read and write whole files byte for byte.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

class TempFolder {
public:
    // The folder is made under the system's temporary folder as "<prefix>-XXXXXX".
    explicit TempFolder(std::string_view prefix = "tarnwick");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
    // The path of a file of the folder as text, for interfaces that take a file name.
    std::string file(std::string_view name) const { return (path_ / name).string(); }
    // Writes `bytes` exactly (no line-end translation) into a file of the folder.
    std::filesystem::path write(std::string_view name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

std::vector<unsigned char> fileBytes(const std::filesystem::path& path);
void writeFileBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);

}  // namespace testsupport
