#include "persist/CMemoryArchive.h"

#include "persist/ArchiveClipboard.h"
#include "persist/SystemArchiveClipboard.h"

namespace dravik {
namespace {

SystemArchiveClipboard g_systemClipboard;
IArchiveClipboard* g_clipboard = &g_systemClipboard;

com::ComPtr<com::IStream> streamOn(com::HGLOBAL memory) {
    com::ComPtr<com::IStream> stream;
    com::createStreamOnHGlobal(std::move(memory), stream.put());
    return stream;
}

}  // namespace

void SetArchiveClipboard(IArchiveClipboard* clipboard) {
    g_clipboard = clipboard != nullptr ? clipboard : &g_systemClipboard;
}
IArchiveClipboard* ArchiveClipboard() {
    return g_clipboard;
}

CMemoryArchive::CMemoryArchive() : CMemoryArchive(com::HGLOBAL{}) {}

CMemoryArchive::CMemoryArchive(com::HGLOBAL memory) {
    SetStoring(!memory);
    SetStream(streamOn(std::move(memory)));
    ownsMemory_ = true;
}

CMemoryArchive::CMemoryArchive(const void* data, std::size_t size) {
    com::ComPtr<com::IStream> stream;
    com::createStreamOnBuffer(const_cast<void*>(data), size, false, stream.put());
    SetStream(std::move(stream));
}

CMemoryArchive::~CMemoryArchive() {
    CMemoryArchive::Close();
}

bool CMemoryArchive::OpenGlobal(com::HGLOBAL memory, bool storing) {
    Close();
    SetStoring(storing);
    ClearError();
    if (!memory)
        return false;
    SetStream(streamOn(std::move(memory)));
    SetPosition(0);
    ownsMemory_ = false;
    return IsOpen();
}

com::HGLOBAL CMemoryArchive::DetachGlobal() {
    com::HGLOBAL memory;
    if (Stream())
        com::getHGlobalFromStream(Stream(), &memory);
    ownsMemory_ = false;
    return memory;
}

std::uint8_t* CMemoryArchive::LockGlobal() {
    com::HGLOBAL memory;
    if (!Stream() || com::FAILED(com::getHGlobalFromStream(Stream(), &memory)))
        return nullptr;
    return memory->bytes.data();
}

bool CMemoryArchive::OpenClipboard(std::uint32_t format, bool storing, bool emptyFirst) {
    Close();
    SetStoring(storing);
    ClearError();
    clipboardFormat_ = format;
    emptyFirst_ = emptyFirst;
    if (storing) {
        SetStream(streamOn(nullptr));
        ownsMemory_ = true;
        return IsOpen();
    }
    IArchiveClipboard* clipboard = ArchiveClipboard();
    if (!clipboard || !clipboard->Open())
        return false;
    clipboardMemory_ = clipboard->GetData(format);
    if (!clipboardMemory_) {
        clipboard->Close();
        return false;
    }
    SetStream(streamOn(clipboardMemory_));
    ownsMemory_ = false;
    return IsOpen();
}

com::HRESULT CMemoryArchive::CloseClipboard() {
    if (clipboardFormat_ == 0 || !IsOpen()) {
        Close();
        return com::E_FAIL;
    }
    IArchiveClipboard* clipboard = ArchiveClipboard();
    com::HRESULT result = com::S_OK;
    if (IsStoring()) {
        static constexpr std::uint8_t kZeros[2] = {0, 0};
        const std::uint32_t terminator = clipboardFormat_ == CF_TEXT          ? 1
                                         : clipboardFormat_ == CF_UNICODETEXT ? 2
                                                                              : 0;
        if (terminator) {
            Seek(0, ARCHIVE_END);
            WriteBytes(kZeros, terminator);
        }
        com::HGLOBAL memory = DetachGlobal();
        result = com::E_FAIL;
        if (!Failed() && clipboard && clipboard->Open()) {
            if ((!emptyFirst_ || clipboard->Empty()) && clipboard->SetData(clipboardFormat_, memory)) {
                result = com::S_OK;
            }
            clipboard->Close();
        }
    }
    Close();
    return result;
}

void CMemoryArchive::Close() {
    CStreamArchive::Close();
    // A loading archive keeps the clipboard open while it reads the clipboard's memory.
    if (!IsStoring() && clipboardMemory_ && ArchiveClipboard())
        ArchiveClipboard()->Close();
    ownsMemory_ = false;
    clipboardFormat_ = 0;
    clipboardMemory_.reset();
}

}  // namespace dravik
