#include "db/Files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "db/Error.h"

namespace db {

namespace {

Error fileError(const std::string& what, const std::filesystem::path& file, int error) {
    return Error(ErrorKind::Provider, errnum::kProvider,
                 what + " \"" + file.string() + "\": " + std::strerror(error));
}

void syncPath(const std::filesystem::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        throw fileError("Cannot open", path, errno);
    }
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (rc != 0) {
        throw fileError("Cannot flush", path, error);
    }
}

}  // namespace

void syncFile(const std::filesystem::path& file) {
    syncPath(file, O_RDONLY);
}

void replaceFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target) {
    if (std::rename(source.c_str(), target.c_str()) != 0) {
        throw fileError("Cannot move \"" + source.string() + "\" to", target, errno);
    }
    // The rename itself is atomic; flushing the folder makes it survive a power cut.
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    syncPath(folder, O_RDONLY | O_DIRECTORY);
}

}  // namespace db
