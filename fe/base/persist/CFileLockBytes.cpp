#include "persist/CFileLockBytes.h"

#include <limits>

namespace dravik {

CFileLockBytes::CFileLockBytes(const std::string& path, bool storing)
    : handle_(storing ? com::openFile(path, com::FileAccess::ReadWrite, com::FileDisposition::CreateAlways)
                      : com::openFile(path, com::FileAccess::Read, com::FileDisposition::OpenExisting)),
      storing_(storing),
      ownsHandle_(true) {}

CFileLockBytes::CFileLockBytes(com::FileHandle handle, bool storing) : handle_(handle), storing_(storing) {
    const std::int64_t position = handle == com::INVALID_HANDLE_VALUE ? -1 : com::seekFile(handle, 0, 1);
    baseOffset_ = position < 0 ? 0 : static_cast<std::uint64_t>(position);
    position_ = baseOffset_;
}

CFileLockBytes::~CFileLockBytes() {
    if (ownsHandle_)
        com::closeFile(handle_);
}

bool CFileLockBytes::MoveTo(com::ULONGLONG offset) {
    const std::uint64_t target = baseOffset_ + offset;
    if (target > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return false;
    if (position_ == target)
        return true;
    if (com::seekFile(handle_, static_cast<std::int64_t>(target), 0) < 0)
        return false;
    position_ = target;
    return true;
}

com::HRESULT CFileLockBytes::ReadAt(com::ULONGLONG offset, void* buffer, com::ULONG count, com::ULONG* read) {
    if (read)
        *read = 0;
    if (!IsOpen())
        return com::E_FAIL;
    if (!MoveTo(offset))
        return com::STG_E_SEEKERROR;
    const std::int64_t moved = com::readFile(handle_, buffer, count);
    if (moved < 0)
        return com::STG_E_READFAULT;
    position_ += static_cast<std::uint64_t>(moved);
    if (read)
        *read = static_cast<com::ULONG>(moved);
    return com::S_OK;
}

com::HRESULT CFileLockBytes::WriteAt(com::ULONGLONG offset, const void* buffer, com::ULONG count,
                                     com::ULONG* written) {
    if (written)
        *written = 0;
    if (!IsOpen() || !storing_)
        return com::E_FAIL;
    if (!MoveTo(offset))
        return com::STG_E_SEEKERROR;
    const std::int64_t moved = com::writeFile(handle_, buffer, count);
    if (moved < 0)
        return com::STG_E_WRITEFAULT;
    position_ += static_cast<std::uint64_t>(moved);
    if (written)
        *written = static_cast<com::ULONG>(moved);
    return static_cast<com::ULONG>(moved) == count ? com::S_OK : com::STG_E_MEDIUMFULL;
}

com::HRESULT CFileLockBytes::Stat(com::STATSTG* stat, com::DWORD) {
    if (!stat)
        return com::STG_E_INVALIDPOINTER;
    *stat = com::STATSTG{};
    if (!IsOpen())
        return com::E_FAIL;
    const std::int64_t size = com::fileSize(handle_);
    const std::uint64_t end = size < 0 ? position_ : static_cast<std::uint64_t>(size);
    stat->type = com::STGTY_LOCKBYTES;
    stat->size = end > baseOffset_ ? end - baseOffset_ : 0;
    stat->mode = storing_ ? (com::STGM_SHARE_EXCLUSIVE | com::STGM_WRITE) : com::STGM_SHARE_EXCLUSIVE;
    stat->locksSupported = com::LOCK_EXCLUSIVE;
    return com::S_OK;
}

}  // namespace dravik
