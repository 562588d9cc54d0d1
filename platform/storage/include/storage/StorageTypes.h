// Constants and records shared by streams, lock bytes and storages: access modes, seek origins,
// element types and the status record that Stat fills.
#pragma once

#include <cstdint>
#include <string>

#include "com/Guid.h"
#include "com/HResult.h"
#include "com/Types.h"

namespace com {

// Access and sharing modes (bit values as the object model defines them). Sharing bits are accepted
// and reported but not enforced: one process works on its files.
inline constexpr DWORD STGM_READ = 0x00000000;
inline constexpr DWORD STGM_WRITE = 0x00000001;
inline constexpr DWORD STGM_READWRITE = 0x00000002;
inline constexpr DWORD STGM_SHARE_DENY_NONE = 0x00000040;
inline constexpr DWORD STGM_SHARE_DENY_READ = 0x00000030;
inline constexpr DWORD STGM_SHARE_DENY_WRITE = 0x00000020;
inline constexpr DWORD STGM_SHARE_EXCLUSIVE = 0x00000010;
inline constexpr DWORD STGM_FAILIFTHERE = 0x00000000;
inline constexpr DWORD STGM_CREATE = 0x00001000;
inline constexpr DWORD STGM_TRANSACTED = 0x00010000;
inline constexpr DWORD STGM_CONVERT = 0x00020000;
inline constexpr DWORD STGM_DIRECT = 0x00000000;

inline constexpr DWORD kStgmAccessMask = 0x3;

inline bool stgmCanWrite(DWORD mode) {
    const DWORD access = mode & kStgmAccessMask;
    return access == STGM_WRITE || access == STGM_READWRITE;
}
inline bool stgmCanRead(DWORD mode) {
    return (mode & kStgmAccessMask) != STGM_WRITE;
}

// Success code of opening a plain file as a storage by conversion.
inline constexpr HRESULT STG_S_CONVERTED = 0x00030200;

enum STGTY : DWORD { STGTY_STORAGE = 1, STGTY_STREAM = 2, STGTY_LOCKBYTES = 3, STGTY_PROPERTY = 4 };

enum STREAM_SEEK : DWORD { STREAM_SEEK_SET = 0, STREAM_SEEK_CUR = 1, STREAM_SEEK_END = 2 };

// Region lock kinds. The write lock is LOCKTYPE_WRITE because <fcntl.h> takes LOCK_WRITE as a macro.
enum LOCKTYPE : DWORD { LOCKTYPE_WRITE = 1, LOCK_EXCLUSIVE = 2, LOCK_ONLYONCE = 4 };

// Stat flags: the default fills the name, STATFLAG_NONAME leaves it empty.
inline constexpr DWORD STATFLAG_DEFAULT = 0;
inline constexpr DWORD STATFLAG_NONAME = 1;

inline constexpr DWORD STGC_DEFAULT = 0;

struct STATSTG {
    std::u16string name;
    DWORD type = 0;
    ULONGLONG size = 0;
    DWORD mode = 0;
    DWORD locksSupported = 0;
    CLSID clsid{};
};

}  // namespace com
