// A full disk for the writes made while it is in scope: the process may not make any file longer than
// `bytes` (writes past that fail with EFBIG). The signal the kernel sends for such a write is ignored
// meanwhile, so the write just fails as on a full disk. The soft limit goes back up afterwards, which
// needs no privilege.
#pragma once

#include <csignal>
#include <stdexcept>

#include <sys/resource.h>

namespace testsupport {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        if (getrlimit(RLIMIT_FSIZE, &saved_) != 0)
            throw std::runtime_error("getrlimit failed");
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        if (setrlimit(RLIMIT_FSIZE, &limited) != 0)
            throw std::runtime_error("setrlimit failed");
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

}  // namespace testsupport
