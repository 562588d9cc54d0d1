// A stream over any lock bytes, with its own 64-bit offset.
#pragma once

#include "com/ComObject.h"
#include "storage/StreamInterfaces.h"

namespace dravik {

class CLockBytesStream final : public com::ComObject<com::IStream> {
public:
    // Holds a reference to the lock bytes for its whole life (clones too), so that no stream can
    // outlive the bytes it reads.
    explicit CLockBytesStream(com::ILockBytes* lockBytes, std::uint64_t offset = 0)
        : lockBytes_(lockBytes), offset_(offset) {}

    com::HRESULT Read(void* buffer, com::ULONG count, com::ULONG* read) override;
    com::HRESULT Write(const void* buffer, com::ULONG count, com::ULONG* written) override;
    com::HRESULT Seek(com::LONGLONG move, com::DWORD origin, com::ULONGLONG* newPosition) override;
    com::HRESULT SetSize(com::ULONGLONG) override { return com::S_OK; }
    com::HRESULT CopyTo(com::IStream*, com::ULONGLONG, com::ULONGLONG*, com::ULONGLONG*) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT Commit(com::DWORD) override { return com::S_OK; }
    com::HRESULT Revert() override { return com::S_OK; }
    com::HRESULT LockRegion(com::ULONGLONG, com::ULONGLONG, com::DWORD) override { return com::S_OK; }
    com::HRESULT UnlockRegion(com::ULONGLONG, com::ULONGLONG, com::DWORD) override { return com::S_OK; }
    com::HRESULT Stat(com::STATSTG* stat, com::DWORD statFlag) override;
    com::HRESULT Clone(com::IStream** out) override;

protected:
    void* queryExtraInterface(const com::IID& iid) override;

private:
    com::ComPtr<com::ILockBytes> lockBytes_;
    std::uint64_t offset_;
};

}  // namespace dravik
