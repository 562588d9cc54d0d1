// Keeps a second copy of the program from running on the same program folder. The lock is an
// advisory file lock, so the system releases it when the holding process ends, even by a crash.
#pragma once

#include <filesystem>

namespace tarnwick {

class SingleInstanceGuard {
public:
    SingleInstanceGuard() = default;
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;
    ~SingleInstanceGuard();

    // True when this process now holds the lock on lockFile (created when missing); false when
    // another process holds it. Raises AppError when the lock file cannot be made.
    bool tryAcquire(const std::filesystem::path& lockFile);
    bool isHeld() const { return fd_ >= 0; }
    void release();

private:
    int fd_ = -1;
};

}  // namespace tarnwick
