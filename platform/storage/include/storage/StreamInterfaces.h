// Byte-stream interfaces: a sequential stream, a seekable stream and lock bytes (a flat byte array
// that a storage is laid out on). Positions and sizes are 64-bit; single transfers are 32-bit counts.
#pragma once

#include "com/Unknown.h"
#include "storage/StorageTypes.h"

namespace com {

// {0C733A30-2A1C-11CE-ADE5-00AA0044773A}
inline constexpr IID IID_ISequentialStream{
    0x0C733A30, 0x2A1C, 0x11CE, {0xAD, 0xE5, 0x00, 0xAA, 0x00, 0x44, 0x77, 0x3A}};
// {0000000C-0000-0000-C000-000000000046}
inline constexpr IID IID_IStream{
    0x0000000C, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {0000000A-0000-0000-C000-000000000046}
inline constexpr IID IID_ILockBytes{
    0x0000000A, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct ISequentialStream : IUnknown {
    static constexpr IID iid = IID_ISequentialStream;

    // Reads up to `count` bytes; *read (when given) receives the number moved. Reading at or past the
    // end moves nothing and succeeds.
    virtual HRESULT Read(void* buffer, ULONG count, ULONG* read) = 0;
    virtual HRESULT Write(const void* buffer, ULONG count, ULONG* written) = 0;

protected:
    ~ISequentialStream() = default;
};

struct IStream : ISequentialStream {
    static constexpr IID iid = IID_IStream;

    // origin is a STREAM_SEEK value; a resulting position below 0 fails with STG_E_INVALIDFUNCTION.
    virtual HRESULT Seek(LONGLONG move, DWORD origin, ULONGLONG* newPosition) = 0;
    virtual HRESULT SetSize(ULONGLONG size) = 0;
    virtual HRESULT CopyTo(IStream* target, ULONGLONG count, ULONGLONG* read, ULONGLONG* written) = 0;
    virtual HRESULT Commit(DWORD flags) = 0;
    virtual HRESULT Revert() = 0;
    virtual HRESULT LockRegion(ULONGLONG offset, ULONGLONG count, DWORD lockType) = 0;
    virtual HRESULT UnlockRegion(ULONGLONG offset, ULONGLONG count, DWORD lockType) = 0;
    virtual HRESULT Stat(STATSTG* stat, DWORD statFlag) = 0;
    // A second stream over the same bytes with its own position, starting at this one's position.
    virtual HRESULT Clone(IStream** out) = 0;

protected:
    ~IStream() = default;
};

struct ILockBytes : IUnknown {
    static constexpr IID iid = IID_ILockBytes;

    virtual HRESULT ReadAt(ULONGLONG offset, void* buffer, ULONG count, ULONG* read) = 0;
    virtual HRESULT WriteAt(ULONGLONG offset, const void* buffer, ULONG count, ULONG* written) = 0;
    virtual HRESULT Flush() = 0;
    virtual HRESULT SetSize(ULONGLONG size) = 0;
    virtual HRESULT LockRegion(ULONGLONG offset, ULONGLONG count, DWORD lockType) = 0;
    virtual HRESULT UnlockRegion(ULONGLONG offset, ULONGLONG count, DWORD lockType) = 0;
    virtual HRESULT Stat(STATSTG* stat, DWORD statFlag) = 0;

protected:
    ~ILockBytes() = default;
};

// Copies up to `count` bytes from the source's position to the target's position in blocks; the
// shared body of every stream's CopyTo.
HRESULT copyStream(IStream* source, IStream* target, ULONGLONG count, ULONGLONG* read, ULONGLONG* written);

}  // namespace com
