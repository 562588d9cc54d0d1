// Lock bytes over an archive, starting at the archive's position when they were made: the medium on
// which a file archive lays out the docfile of its nested objects.
#pragma once

#include <cstdint>

#include "com/ComObject.h"
#include "storage/StreamInterfaces.h"

namespace dravik {

class CPropertyArchive;

class CArchiveLockBytes final : public com::ComObject<com::ILockBytes> {
public:
    // With one reference, held by the caller.
    static CArchiveLockBytes* Create(CPropertyArchive* archive);

    com::HRESULT ReadAt(com::ULONGLONG offset, void* buffer, com::ULONG count, com::ULONG* read) override;
    // E_FAIL when the archive is loading or gone.
    com::HRESULT WriteAt(com::ULONGLONG offset, const void* buffer, com::ULONG count,
                         com::ULONG* written) override;
    com::HRESULT Flush() override { return com::S_OK; }
    com::HRESULT SetSize(com::ULONGLONG) override { return com::S_OK; }
    com::HRESULT LockRegion(com::ULONGLONG, com::ULONGLONG, com::DWORD) override { return com::S_OK; }
    com::HRESULT UnlockRegion(com::ULONGLONG, com::ULONGLONG, com::DWORD) override { return com::S_OK; }
    // Size: when storing, the bytes from the base offset to the archive's position; when loading,
    // from the base offset to the end of the medium (the docfile reader needs all of it).
    com::HRESULT Stat(com::STATSTG* stat, com::DWORD statFlag) override;

    std::uint64_t BaseOffset() const { return baseOffset_; }
    // The archive is closing: later calls fail with E_FAIL.
    void DetachArchive() { archive_ = nullptr; }

private:
    explicit CArchiveLockBytes(CPropertyArchive* archive);
    bool MoveTo(com::ULONGLONG offset);

    std::uint64_t baseOffset_;
    CPropertyArchive* archive_;  // not owned: the archive owns these lock bytes
};

}  // namespace dravik
