#include "appdata/DataFolder.h"

#include <cstdlib>
#include <system_error>

#include "appdata/AppError.h"

namespace tarnwick {

namespace {

std::filesystem::path fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

}  // namespace

std::filesystem::path ProgramFolder() {
    if (auto home = fromEnvironment("TARNWICK_HOME"); !home.empty()) {
        return home;
    }
    if (auto data = fromEnvironment("XDG_DATA_HOME"); !data.empty()) {
        return data / "Tarnwick";
    }
    return fromEnvironment("HOME") / ".local" / "share" / "Tarnwick";
}

bool PrepareProgramFolder(const std::filesystem::path& folder, const std::filesystem::path& seedFolder) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) {
        return false;
    }
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        throw AppError(errnum::kFileNotFound,
                       "The program folder \"" + folder.string() + "\" cannot be created: " + ec.message());
    }
    if (!seedFolder.empty() && std::filesystem::is_directory(seedFolder, ec)) {
        std::filesystem::copy(
            seedFolder, folder,
            std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_existing, ec);
        if (ec) {
            throw AppError(errnum::kFileNotFound, "The program folder \"" + folder.string() +
                                                      "\" cannot be filled from \"" + seedFolder.string() +
                                                      "\": " + ec.message());
        }
    }
    return true;
}

}  // namespace tarnwick
