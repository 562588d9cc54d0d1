// Lock bytes over a file handle, offset by the file position at which they start.
#pragma once

#include <string>

#include "com/ComObject.h"
#include "storage/FileHandle.h"
#include "storage/StreamInterfaces.h"

namespace dravik {

class CFileLockBytes final : public com::ComObject<com::ILockBytes> {
public:
    // Opens the file (storing: created or truncated) with base offset 0 and owns the handle.
    CFileLockBytes(const std::string& path, bool storing);
    // Over a caller's handle, from its current file position; the handle stays the caller's.
    CFileLockBytes(com::FileHandle handle, bool storing);

    bool IsOpen() const { return handle_ != com::INVALID_HANDLE_VALUE; }

    com::HRESULT ReadAt(com::ULONGLONG offset, void* buffer, com::ULONG count, com::ULONG* read) override;
    com::HRESULT WriteAt(com::ULONGLONG offset, const void* buffer, com::ULONG count,
                         com::ULONG* written) override;
    com::HRESULT Flush() override { return com::S_OK; }
    com::HRESULT SetSize(com::ULONGLONG) override { return com::S_OK; }
    com::HRESULT LockRegion(com::ULONGLONG, com::ULONGLONG, com::DWORD) override { return com::S_OK; }
    com::HRESULT UnlockRegion(com::ULONGLONG, com::ULONGLONG, com::DWORD) override { return com::S_OK; }
    // Size: the bytes from the base offset to the end of the file.
    com::HRESULT Stat(com::STATSTG* stat, com::DWORD statFlag) override;

protected:
    ~CFileLockBytes() override;

private:
    bool MoveTo(com::ULONGLONG offset);

    com::FileHandle handle_ = com::INVALID_HANDLE_VALUE;
    std::uint64_t baseOffset_ = 0;
    std::uint64_t position_ = 0;
    bool storing_ = false;
    bool ownsHandle_ = false;
};

}  // namespace dravik
