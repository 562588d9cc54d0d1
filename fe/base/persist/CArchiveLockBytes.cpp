#include "persist/CArchiveLockBytes.h"

#include <limits>

#include "persist/CPropertyArchive.h"

namespace dravik {

CArchiveLockBytes::CArchiveLockBytes(CPropertyArchive* archive)
    : baseOffset_(archive->Position()), archive_(archive) {}

CArchiveLockBytes* CArchiveLockBytes::Create(CPropertyArchive* archive) {
    auto* lockBytes = new CArchiveLockBytes(archive);
    lockBytes->AddRef();
    return lockBytes;
}

bool CArchiveLockBytes::MoveTo(com::ULONGLONG offset) {
    const std::uint64_t target = baseOffset_ + offset;
    if (target > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return false;
    if (archive_->Position() == target)
        return true;
    return archive_->MediumSeek(static_cast<std::int64_t>(target), ARCHIVE_BEGIN) ==
           static_cast<std::int64_t>(target);
}

com::HRESULT CArchiveLockBytes::ReadAt(com::ULONGLONG offset, void* buffer, com::ULONG count,
                                       com::ULONG* read) {
    if (read)
        *read = 0;
    if (!archive_)
        return com::E_FAIL;
    if (!MoveTo(offset))
        return com::STG_E_SEEKERROR;
    const com::ULONG moved = archive_->MediumRead(buffer, count);
    if (read)
        *read = moved;
    return com::S_OK;
}

com::HRESULT CArchiveLockBytes::WriteAt(com::ULONGLONG offset, const void* buffer, com::ULONG count,
                                        com::ULONG* written) {
    if (written)
        *written = 0;
    if (!archive_ || !archive_->IsStoring())
        return com::E_FAIL;
    if (!MoveTo(offset))
        return com::STG_E_SEEKERROR;
    const com::ULONG moved = archive_->MediumWrite(buffer, count);
    if (written)
        *written = moved;
    return moved == count ? com::S_OK : com::STG_E_WRITEFAULT;
}

com::HRESULT CArchiveLockBytes::Stat(com::STATSTG* stat, com::DWORD) {
    if (!stat)
        return com::STG_E_INVALIDPOINTER;
    *stat = com::STATSTG{};
    if (!archive_)
        return com::E_FAIL;
    stat->type = com::STGTY_LOCKBYTES;
    const std::uint64_t position = archive_->Position();
    std::uint64_t end = position;
    if (!archive_->IsStoring())
        end += archive_->MediumBytesLeft().value_or(0);
    stat->size = end > baseOffset_ ? end - baseOffset_ : 0;
    stat->mode =
        archive_->IsStoring() ? (com::STGM_SHARE_EXCLUSIVE | com::STGM_WRITE) : com::STGM_SHARE_EXCLUSIVE;
    stat->locksSupported = com::LOCK_EXCLUSIVE;
    return com::S_OK;
}

}  // namespace dravik
