// What the memory archive needs of the system clipboard: blocks of memory by format number. The
// system clipboard serves unless another implementation is installed (tests install a fake).
#pragma once

#include <cstdint>

#include "storage/GlobalMemory.h"

namespace dravik {

inline constexpr std::uint32_t CF_TEXT = 1;
inline constexpr std::uint32_t CF_UNICODETEXT = 13;

class IArchiveClipboard {
public:
    virtual ~IArchiveClipboard() = default;
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool Empty() = 0;
    // The data of a format, or null when the clipboard holds none.
    virtual com::HGLOBAL GetData(std::uint32_t format) = 0;
    virtual bool SetData(std::uint32_t format, com::HGLOBAL data) = 0;
};

// Not owned; null puts the system clipboard back.
void SetArchiveClipboard(IArchiveClipboard* clipboard);
IArchiveClipboard* ArchiveClipboard();

}  // namespace dravik
