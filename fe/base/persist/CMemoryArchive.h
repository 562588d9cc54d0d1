// The stream archive over a block of memory, or over the data of one clipboard format.
#pragma once

#include "persist/CStreamArchive.h"
#include "storage/GlobalMemory.h"

namespace dravik {

class CMemoryArchive final : public CStreamArchive {
public:
    // Storing into new memory that the archive owns.
    CMemoryArchive();
    // Null: storing into new memory; else loading from that memory, owned by the archive.
    explicit CMemoryArchive(com::HGLOBAL memory);
    // Loading from a caller's bytes, which the archive neither owns nor changes; the caller keeps
    // them alive while the archive is open.
    CMemoryArchive(const void* data, std::size_t size);
    ~CMemoryArchive() override;

    // A stream on that memory, not owned by the archive.
    bool OpenGlobal(com::HGLOBAL memory, bool storing);
    // The memory behind the stream; the archive no longer owns it.
    com::HGLOBAL DetachGlobal();
    // The bytes behind the stream (null for none).
    std::uint8_t* LockGlobal();

    // Storing: a new owned memory stream, handed to the clipboard by CloseClipboard. Loading: opens
    // the clipboard and a stream on the data of `format`. False on failure.
    bool OpenClipboard(std::uint32_t format, bool storing, bool emptyFirst);
    // Storing terminates text formats (one zero byte for CF_TEXT, two for CF_UNICODETEXT), puts the
    // memory on the clipboard (emptied first when asked) and closes it; loading closes the
    // clipboard. Either way the archive is then closed. E_FAIL with no format or no stream, or when
    // the clipboard refused.
    com::HRESULT CloseClipboard();

    void Close() override;

private:
    bool ownsMemory_ = false;
    std::uint32_t clipboardFormat_ = 0;
    com::HGLOBAL clipboardMemory_;
    bool emptyFirst_ = false;
};

}  // namespace dravik
