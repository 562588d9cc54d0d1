// The archive over a file handle.
//
// Nested objects need a stream of their own, so the first present object (in either direction) lays
// a docfile out on lock bytes that start at the file position right after its flag byte, and from
// then on every exchange of the archive goes into the docfile's stream "CONTENTS". The docfile is
// written to the file when the archive closes. A null object is its single flag byte 0xFF and opens
// nothing; an archive that never exchanges a present object stays a plain concatenation of its
// values.
#pragma once

#include <string>

#include "persist/CPropertyArchive.h"
#include "storage/FileHandle.h"

namespace dravik {

class CFileArchive final : public CPropertyArchive {
public:
    // Closed.
    CFileArchive();
    // Attached to a caller's handle, which the archive does not close.
    CFileArchive(com::FileHandle handle, bool storing);
    ~CFileArchive() override;

    // Closes first; storing creates or truncates the file, loading opens an existing one. Position 0;
    // the archive owns the handle. Returns whether the file is open. Paths are UTF-8.
    bool Open(const std::string& path, bool storing);
    // Closes first, then takes the caller's handle without owning it; the position becomes the
    // handle's file pointer.
    com::HRESULT AttachFile(int handle, bool storing) override;

    std::uint32_t ReadBytes(void* buffer, std::uint32_t count) override;
    std::uint32_t WriteBytes(const void* buffer, std::uint32_t count) override;
    std::int64_t Seek(std::int64_t offset, int origin) override;
    bool IsOpen() const override { return handle_ != com::INVALID_HANDLE_VALUE; }
    void Close() override;
    // The nested docfile archive (stream "CONTENTS"), made on first use; null on failure.
    CPropertyArchive* GetStorageArchive() override;

    com::FileHandle Handle() const { return handle_; }

protected:
    std::optional<std::uint64_t> BytesLeft() override;
    std::uint32_t MediumRead(void* buffer, std::uint32_t count) override;
    std::uint32_t MediumWrite(const void* buffer, std::uint32_t count) override;
    std::int64_t MediumSeek(std::int64_t offset, int origin) override;
    std::optional<std::uint64_t> MediumBytesLeft() override;

private:
    com::FileHandle handle_ = com::INVALID_HANDLE_VALUE;
    bool ownsHandle_ = false;
};

}  // namespace dravik
