// Structured storage: a storage is a set of named streams kept together in one file or on one set
// of lock bytes (the "docfile").
//
// Container format (all integers little-endian), written whole each time the storage is flushed:
//
//   offset  size  field
//   0       8     signature 54 57 4B 53 54 47 0D 0A ("TWKSTG\r\n")
//   8       4     format version, 1
//   12      16    class id of the storage (its memory image)
//   28      4     element count N
//   32      ...   N elements, each: name length L in UTF-16 units (2 bytes, 1..31), the name
//                 (2L bytes UTF-16), the stream size S (8 bytes), then S bytes of stream data
//
// Bytes after the last element are not part of the storage and are ignored (the lock bytes may be
// a window on a larger medium). Element names compare without regard to ASCII case, so "Contents"
// and "CONTENTS" name one stream: a container holding two names equal but for case, or a name that
// CreateStream would refuse (a control character such as NUL, a separator, more than 31 units), is
// damaged. Only streams are kept; nested storages are not supported.
//
// Writing: in direct mode every commit or release of a stream, and the release of the storage,
// writes the image to the medium; in transacted mode (STGM_TRANSACTED) only IStorage::Commit
// does, and Revert goes back to the last committed state.
#pragma once

#include <string>
#include <vector>

#include "storage/StreamInterfaces.h"

namespace com {

// {0000000B-0000-0000-C000-000000000046}
inline constexpr IID IID_IStorage{
    0x0000000B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct IStorage : IUnknown {
    static constexpr IID iid = IID_IStorage;

    // mode: STGM access bits; STGM_CREATE replaces an existing stream, otherwise an existing one
    // fails with STG_E_FILEALREADYEXISTS.
    virtual HRESULT CreateStream(const char16_t* name, DWORD mode, IStream** out) = 0;
    // STG_E_FILENOTFOUND when there is no such stream.
    virtual HRESULT OpenStream(const char16_t* name, DWORD mode, IStream** out) = 0;
    virtual HRESULT DestroyElement(const char16_t* name) = 0;
    virtual HRESULT Commit(DWORD flags) = 0;
    virtual HRESULT Revert() = 0;
    virtual HRESULT SetClass(const CLSID& clsid) = 0;
    virtual HRESULT Stat(STATSTG* stat, DWORD statFlag) = 0;
    // The names of the streams, in the order they were created.
    virtual HRESULT ElementNames(std::vector<std::u16string>* names) = 0;

protected:
    ~IStorage() = default;
};

// The stream name under which a plain file's bytes appear when it is opened by conversion.
inline constexpr char16_t kConvertedStreamName[] = u"CONTENTS";

// Creates a storage on lock bytes. Without STGM_CREATE, lock bytes that already hold data fail
// with STG_E_FILEALREADYEXISTS.
HRESULT createDocfileOnLockBytes(ILockBytes* lockBytes, DWORD mode, IStorage** out);
// Opens the storage held by lock bytes. Lock bytes that do not hold one fail with
// STG_E_FILEALREADYEXISTS, unless STGM_CONVERT is given: their bytes then become the stream
// "CONTENTS" and the call returns STG_S_CONVERTED (the medium changes only when the storage is
// written). A damaged container fails with STG_E_DOCFILECORRUPT.
HRESULT openStorageOnLockBytes(ILockBytes* lockBytes, DWORD mode, IStorage** out);
// S_OK when the lock bytes begin with the container signature, else S_FALSE.
HRESULT isStorageLockBytes(ILockBytes* lockBytes);

// The same on a named file.
HRESULT createDocfile(const std::string& path, DWORD mode, IStorage** out);
HRESULT openStorage(const std::string& path, DWORD mode, IStorage** out);
HRESULT isStorageFile(const std::string& path);

}  // namespace com
