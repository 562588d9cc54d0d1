#include "gdi/WholeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gdi {

namespace {

bool failWith(int error, QString* why) {
    if (why)
        *why = QString::fromLocal8Bit(std::strerror(error));
    return false;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// The permissions of the file being replaced, or those the process's mask gives a new file.
mode_t permissionsFor(const QByteArray& target) {
    struct stat existing {};
    if (::stat(target.constData(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Sets the permissions, flushes and closes `fd`, then renames; answers errno, 0 when done.
int settleAndRename(int fd, const QByteArray& temporary, const QByteArray& target) {
    int error = 0;
    if (::fchmod(fd, permissionsFor(target)) != 0 || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    return error;
}

}  // namespace

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* why) {
    if (path.isEmpty())
        return failWith(ENOENT, why);
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return failWith(errno, why);
    if (!writeAll(fd, bytes.constData(), static_cast<std::size_t>(bytes.size()))) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.constData());
        return failWith(error, why);
    }
    if (const int error = settleAndRename(fd, temporary, target); error != 0) {
        ::unlink(temporary.constData());
        return failWith(error, why);
    }
    return true;
}

bool moveIntoPlace(const QString& temporary, const QString& target, QString* why) {
    const QByteArray from = QFile::encodeName(temporary);
    const int fd = ::open(from.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        ::unlink(from.constData());
        return failWith(error, why);
    }
    if (const int error = settleAndRename(fd, from, QFile::encodeName(target)); error != 0) {
        ::unlink(from.constData());
        return failWith(error, why);
    }
    return true;
}

}  // namespace gdi
