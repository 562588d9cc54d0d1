#include "persist/CArchiveStream.h"

#include "persist/CPropertyArchive.h"

namespace dravik {

void* CArchiveStream::queryExtraInterface(const com::IID& iid) {
    return iid == com::IID_ISequentialStream ? static_cast<com::ISequentialStream*>(this) : nullptr;
}

com::HRESULT CArchiveStream::Read(void* buffer, com::ULONG count, com::ULONG* read) {
    const com::ULONG moved = archive_->ReadBytes(buffer, count);
    if (read)
        *read = moved;
    return com::S_OK;
}

com::HRESULT CArchiveStream::Write(const void* buffer, com::ULONG count, com::ULONG* written) {
    const com::ULONG moved = archive_->WriteBytes(buffer, count);
    if (written)
        *written = moved;
    return moved == count ? com::S_OK : com::STG_E_WRITEFAULT;
}

com::HRESULT CArchiveStream::Seek(com::LONGLONG move, com::DWORD origin, com::ULONGLONG* newPosition) {
    const std::int64_t position = archive_->Seek(move, static_cast<int>(origin));
    if (position < 0)
        return com::STG_E_INVALIDFUNCTION;
    if (newPosition)
        *newPosition = static_cast<com::ULONGLONG>(position);
    return com::S_OK;
}

com::HRESULT CArchiveStream::Stat(com::STATSTG* stat, com::DWORD) {
    if (!stat)
        return com::STG_E_INVALIDPOINTER;
    *stat = com::STATSTG{};
    stat->type = com::STGTY_STREAM;
    stat->size = archive_->Position() + (archive_->IsStoring() ? 0 : archive_->Remaining().value_or(0));
    stat->mode =
        archive_->IsStoring() ? (com::STGM_SHARE_EXCLUSIVE | com::STGM_WRITE) : com::STGM_SHARE_EXCLUSIVE;
    stat->locksSupported = com::LOCK_EXCLUSIVE;
    return com::S_OK;
}

}  // namespace dravik
