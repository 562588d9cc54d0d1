// The archive through which every saved object of the extension writes and reads its state.
//
// One exchange routine per object serves both directions: when the archive is storing each
// Exchange call writes the value, when it is loading the same call reads it back into the same
// variable. The byte media (file, stream, memory) write the values one after another with no key
// or tag, little-endian; the property-bag medium writes one named property per value.
//
// Reads and writes never throw. A short read or write, a refused count or a failed allocation sets
// a sticky error (Error()) that stays until the archive is closed, so that a caller may run a whole
// exchange and check once at the end.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/Guid.h"
#include "com/HResult.h"
#include "com/Types.h"
#include "storage/OleFont.h"
#include "storage/StreamInterfaces.h"

namespace dravik {

class CArchiveLockBytes;

// Seek origins of the archive (as the stream seek origins).
enum ArchiveOrigin : int { ARCHIVE_BEGIN = 0, ARCHIVE_CURRENT = 1, ARCHIVE_END = 2 };

// Longest text a 16-bit length can describe.
inline constexpr std::size_t kMaxArchiveText = 0x7FFF;

class CPropertyArchive {
public:
    CPropertyArchive(const CPropertyArchive&) = delete;
    CPropertyArchive& operator=(const CPropertyArchive&) = delete;
    virtual ~CPropertyArchive();

    bool IsStoring() const { return storing_ != 0; }
    std::uint64_t Position() const { return position_; }
    // S_OK, or the first failure met since the archive was opened.
    com::HRESULT Error() const { return error_; }
    bool Failed() const { return com::FAILED(error_); }
    // Bytes between the position and the end of the medium, when the medium can tell.
    std::optional<std::uint64_t> Remaining() { return BytesLeft(); }

    // Medium access. Counts are the bytes moved; Seek returns the new position, or -1 on failure.
    virtual std::uint32_t ReadBytes(void* buffer, std::uint32_t count) = 0;
    virtual std::uint32_t WriteBytes(const void* buffer, std::uint32_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, int origin) = 0;
    virtual bool IsOpen() const = 0;
    virtual void Close();
    // The archive that nested objects are saved into (see ExchangeObject); null when none can be had.
    virtual CPropertyArchive* GetStorageArchive() = 0;
    virtual com::HRESULT Reserved() { return com::E_FAIL; }
    virtual com::HRESULT AttachFile(int handle, bool storing);

    // Typed exchanges. Keys and defaults matter only to the property-bag medium; the byte media
    // return the bytes moved.
    virtual int ExchangeSized(void* value, std::int16_t size, const char16_t* key);
    virtual int ExchangeUlong(std::uint32_t* value, const char16_t* key, std::uint32_t defaultValue);
    virtual int ExchangeGuid(com::Guid* value, const char16_t* key);
    // One flag byte (0xFF no object, 0x00 object) and then the object with its class id, saved into
    // the storage archive's stream. Returns 1 on success, 0 on failure. An object that cannot save
    // itself is written as "no object" and the call returns 0.
    virtual int ExchangeObject(com::ComPtr<com::IUnknown>* object, const char16_t* key);
    // Name, size (low and high 32-bit words of 1/10000 points), weight, charset, italic, underline,
    // strikethrough. Storing needs a font; loading makes a new one. Returns the bytes moved.
    virtual int ExchangeFont(com::ComPtr<com::IFont>* font, const char16_t* key);
    // 16-bit count of UTF-16 units and the units; null and empty both store as count 0 and load as
    // null. `defaultText` matters to the property bag only.
    virtual int ExchangeBstr(com::Bstr* value, const char16_t* key, const char16_t* defaultText);
    // Text into a caller's buffer of `capacity` bytes (terminator included). Storing writes the text
    // up to its terminator (*length, when given and not -1, limits it). Loading copies what fits at a
    // character boundary, skips the rest and always terminates; *length receives the bytes kept.
    virtual int ExchangeAnsiText(char* buffer, std::size_t capacity, std::int16_t* length,
                                 const char16_t* key);
    // Text held by the caller; a missing text loads as empty.
    virtual int ExchangeAnsiText(std::string* text, const char16_t* key);
    // A block of bytes with its 32-bit size; returns the size.
    virtual int ExchangeBlob(std::vector<std::uint8_t>* blob, const char16_t* key);
    virtual int ExchangeBool(std::uint8_t* value, const char16_t* key, std::uint8_t defaultValue);
    virtual int ExchangeByte(std::uint8_t* value, const char16_t* key, std::uint8_t defaultValue);
    virtual int ExchangeDouble(double* value, const char16_t* key, double defaultValue);
    virtual int ExchangeLong(std::int32_t* value, const char16_t* key, std::int32_t defaultValue);
    virtual int ExchangeShort(std::int16_t* value, const char16_t* key, std::int16_t defaultValue);
    virtual int ExchangeInt(std::int32_t* value, const char16_t* key, std::int32_t defaultValue);
    virtual int ExchangeUint(std::uint32_t* value, const char16_t* key, std::uint32_t defaultValue);

protected:
    explicit CPropertyArchive(bool storing) : storing_(storing ? 1 : 0) {}

    void SetStoring(bool storing) { storing_ = storing ? 1 : 0; }
    void SetPosition(std::uint64_t position) { position_ = position; }
    void AddToPosition(std::uint64_t count) { position_ += count; }
    // Keeps the first failure.
    void SetError(com::HRESULT error);
    void ClearError() { error_ = com::S_OK; }
    // Bytes between the position and the end of the medium, when the medium can tell.
    virtual std::optional<std::uint64_t> BytesLeft() { return std::nullopt; }
    // The stream of this archive that nested objects are saved into (stream media only).
    virtual com::IStream* ObjectStream() { return nullptr; }
    // Called after an object wrote or read the object stream directly.
    virtual void SyncPosition() {}
    // The medium itself, beneath any forwarding into a nested archive: what the lock bytes over
    // this archive use.
    virtual std::uint32_t MediumRead(void* buffer, std::uint32_t count) { return ReadBytes(buffer, count); }
    virtual std::uint32_t MediumWrite(const void* buffer, std::uint32_t count) {
        return WriteBytes(buffer, count);
    }
    virtual std::int64_t MediumSeek(std::int64_t offset, int origin) { return Seek(offset, origin); }
    virtual std::optional<std::uint64_t> MediumBytesLeft() { return BytesLeft(); }

    // The lock bytes over this archive (one reference, made on first use) and the nested archive.
    CArchiveLockBytes* LockBytes();
    void SetStorageArchive(std::unique_ptr<CPropertyArchive> archive);
    CPropertyArchive* StorageArchive() const { return storageArchive_.get(); }
    static std::optional<std::uint64_t> BytesLeftOf(CPropertyArchive* archive) {
        return archive->BytesLeft();
    }

    // Writes or reads exactly `count` bytes; a short transfer sets the sticky error.
    std::uint32_t Transfer(void* value, std::uint32_t count);
    // Moves forward over `count` bytes being loaded.
    bool Skip(std::uint64_t count);
    // A count read from the medium that must fit in what is left of it.
    bool CountFits(std::uint64_t count);

private:
    friend class CArchiveLockBytes;

    std::int32_t storing_;
    std::uint64_t position_ = 0;
    std::unique_ptr<CPropertyArchive> storageArchive_;
    CArchiveLockBytes* lockBytes_ = nullptr;
    com::HRESULT error_ = com::S_OK;
};

}  // namespace dravik
