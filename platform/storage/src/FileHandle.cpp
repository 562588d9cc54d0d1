#include "storage/FileHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace com {

FileHandle openFile(const std::string& path, FileAccess access, FileDisposition disposition) {
    int flags = O_CLOEXEC;
    switch (access) {
        case FileAccess::Read:
            flags |= O_RDONLY;
            break;
        case FileAccess::Write:
            flags |= O_WRONLY;
            break;
        case FileAccess::ReadWrite:
            flags |= O_RDWR;
            break;
    }
    switch (disposition) {
        case FileDisposition::CreateAlways:
            flags |= O_CREAT | O_TRUNC;
            break;
        case FileDisposition::OpenExisting:
            break;
        case FileDisposition::OpenAlways:
            flags |= O_CREAT;
            break;
    }
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd < 0 ? INVALID_HANDLE_VALUE : fd;
}

void closeFile(FileHandle handle) {
    if (handle != INVALID_HANDLE_VALUE)
        ::close(handle);
}

std::int64_t readFile(FileHandle handle, void* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(handle, static_cast<char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return done ? static_cast<std::int64_t>(done) : -1;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t writeFile(FileHandle handle, const void* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(handle, static_cast<const char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return done ? static_cast<std::int64_t>(done) : -1;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t seekFile(FileHandle handle, std::int64_t offset, DWORD origin) {
    int whence = SEEK_SET;
    switch (origin) {
        case 0:
            whence = SEEK_SET;
            break;
        case 1:
            whence = SEEK_CUR;
            break;
        case 2:
            whence = SEEK_END;
            break;
        default:
            return -1;
    }
    const off_t result = ::lseek(handle, static_cast<off_t>(offset), whence);
    return result < 0 ? -1 : static_cast<std::int64_t>(result);
}

std::int64_t fileSize(FileHandle handle) {
    struct stat info {};
    if (::fstat(handle, &info) != 0)
        return -1;
    return static_cast<std::int64_t>(info.st_size);
}

bool setFileSize(FileHandle handle, std::uint64_t size) {
    return ::ftruncate(handle, static_cast<off_t>(size)) == 0;
}

}  // namespace com
