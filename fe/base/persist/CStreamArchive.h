// The archive over a stream, optionally a stream inside a storage (a docfile on a path or on lock
// bytes). Nested objects follow their flag byte inline in the same stream.
#pragma once

#include <string>

#include "persist/CPropertyArchive.h"
#include "storage/Storage.h"

namespace dravik {

class CStreamArchive : public CPropertyArchive {
public:
    // Closed; used as the nested archive of a file archive.
    CStreamArchive();
    CStreamArchive(com::IStream* stream, bool storing);
    // Opens (or, storing, creates) the stream "Contents" of the storage.
    CStreamArchive(com::IStorage* storage, bool storing);
    ~CStreamArchive() override;

    // Storing creates a docfile at `path`; loading opens it, or a plain file by conversion. Then
    // opens the stream. False on failure. Paths are UTF-8.
    bool OpenDocfile(const std::string& path, bool storing, const char* streamName = "Contents");
    // Releases any open stream and opens `streamName` of the storage; on failure the storage is
    // released and the call returns false.
    bool OpenStream(const char* streamName = "Contents");
    // The same as OpenDocfile over lock bytes.
    bool OpenOnLockBytes(com::ILockBytes* lockBytes, bool storing, const char* streamName = "CONTENTS");

    std::uint32_t ReadBytes(void* buffer, std::uint32_t count) override;
    std::uint32_t WriteBytes(const void* buffer, std::uint32_t count) override;
    std::int64_t Seek(std::int64_t offset, int origin) override;
    bool IsOpen() const override { return static_cast<bool>(stream_); }
    void Close() override;
    CPropertyArchive* GetStorageArchive() override { return this; }

    com::IStream* Stream() const { return stream_.get(); }
    // Releases the stream and keeps the storage (to commit it).
    void CloseStreamOnly() { stream_.reset(); }
    com::IStorage* Storage() const { return storage_.get(); }

protected:
    std::optional<std::uint64_t> BytesLeft() override;
    com::IStream* ObjectStream() override { return stream_.get(); }
    void SyncPosition() override;
    void SetStream(com::ComPtr<com::IStream> stream) { stream_ = std::move(stream); }
    void CloseStream();

private:
    bool OpenStorageStream(com::HRESULT opened, const char* streamName);

    com::ComPtr<com::IStream> stream_;
    com::ComPtr<com::IStorage> storage_;
};

}  // namespace dravik
