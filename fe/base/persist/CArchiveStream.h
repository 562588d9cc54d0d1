// A stream over an archive: reads, writes and seeks go to the archive's medium.
#pragma once

#include "com/ComObject.h"
#include "storage/StreamInterfaces.h"

namespace dravik {

class CPropertyArchive;

class CArchiveStream final : public com::ComObject<com::IStream> {
public:
    // The archive is not owned and must outlive the stream.
    explicit CArchiveStream(CPropertyArchive* archive) : archive_(archive) {}

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
    // Size: the archive's position, and when loading also what is left of the medium after it.
    com::HRESULT Stat(com::STATSTG* stat, com::DWORD statFlag) override;
    com::HRESULT Clone(com::IStream**) override { return com::E_NOTIMPL; }

protected:
    void* queryExtraInterface(const com::IID& iid) override;

private:
    CPropertyArchive* archive_;
};

}  // namespace dravik
