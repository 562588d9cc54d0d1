// A stream over a file handle whose positions count from the file position at which it was made.
#pragma once

#include <string>

#include "com/ComObject.h"
#include "storage/FileHandle.h"
#include "storage/StreamInterfaces.h"

namespace dravik {

class CFileStream final : public com::ComObject<com::IStream> {
public:
    // Opens the file (writing: created or truncated) and owns the handle.
    CFileStream(const std::string& path, bool writing);
    // Over a caller's handle from its current position; `path` is kept for Clone.
    CFileStream(com::FileHandle handle, bool writing, std::string path = {});

    bool IsOpen() const { return handle_ != com::INVALID_HANDLE_VALUE; }

    com::HRESULT Read(void* buffer, com::ULONG count, com::ULONG* read) override;
    com::HRESULT Write(const void* buffer, com::ULONG count, com::ULONG* written) override;
    // From the start counts from the base offset; the position reported is relative to it.
    com::HRESULT Seek(com::LONGLONG move, com::DWORD origin, com::ULONGLONG* newPosition) override;
    com::HRESULT SetSize(com::ULONGLONG) override { return com::S_OK; }
    com::HRESULT CopyTo(com::IStream*, com::ULONGLONG, com::ULONGLONG*, com::ULONGLONG*) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT Commit(com::DWORD) override { return com::S_OK; }
    com::HRESULT Revert() override { return com::S_OK; }
    com::HRESULT LockRegion(com::ULONGLONG, com::ULONGLONG, com::DWORD) override { return com::S_OK; }
    com::HRESULT UnlockRegion(com::ULONGLONG, com::ULONGLONG, com::DWORD) override { return com::S_OK; }
    // Size: the bytes from the base offset to the end of the file.
    com::HRESULT Stat(com::STATSTG* stat, com::DWORD statFlag) override;
    // Opens the path again at this stream's position; a writing clone opens the existing file
    // without truncating it.
    com::HRESULT Clone(com::IStream** out) override;

protected:
    ~CFileStream() override;
    void* queryExtraInterface(const com::IID& iid) override;

private:
    com::FileHandle handle_;
    std::uint64_t baseOffset_ = 0;
    bool writing_;
    std::string path_;
    bool ownsHandle_;
};

}  // namespace dravik
