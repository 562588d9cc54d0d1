#include "persist/CFileArchive.h"

#include "persist/CArchiveLockBytes.h"
#include "persist/CStreamArchive.h"

namespace dravik {

CFileArchive::CFileArchive() : CPropertyArchive(false) {}

CFileArchive::CFileArchive(com::FileHandle handle, bool storing) : CPropertyArchive(storing) {
    AttachFile(handle, storing);
}

CFileArchive::~CFileArchive() {
    CFileArchive::Close();
}

bool CFileArchive::Open(const std::string& path, bool storing) {
    Close();
    SetStoring(storing);
    ClearError();
    handle_ = storing ? com::openFile(path, com::FileAccess::Write, com::FileDisposition::CreateAlways)
                      : com::openFile(path, com::FileAccess::Read, com::FileDisposition::OpenExisting);
    ownsHandle_ = true;
    SetPosition(0);
    return IsOpen();
}

com::HRESULT CFileArchive::AttachFile(int handle, bool storing) {
    Close();
    SetStoring(storing);
    ClearError();
    handle_ = handle;
    ownsHandle_ = false;
    const std::int64_t position =
        handle_ == com::INVALID_HANDLE_VALUE ? -1 : com::seekFile(handle_, 0, ARCHIVE_CURRENT);
    SetPosition(position < 0 ? 0 : static_cast<std::uint64_t>(position));
    return IsOpen() ? com::S_OK : com::E_HANDLE;
}

void CFileArchive::Close() {
    // The nested docfile writes itself through the lock bytes, so it is committed (its failure kept
    // as the archive's error) and closed before the handle.
    if (auto* nested = static_cast<CStreamArchive*>(StorageArchive());
        nested && IsStoring() && nested->Storage()) {
        nested->CloseStreamOnly();
        const com::HRESULT result = nested->Storage()->Commit(com::STGC_DEFAULT);
        if (com::FAILED(result))
            SetError(result);
        if (nested->Failed())
            SetError(nested->Error());
    }
    CPropertyArchive::Close();
    if (ownsHandle_)
        com::closeFile(handle_);
    handle_ = com::INVALID_HANDLE_VALUE;
    ownsHandle_ = false;
}

std::uint32_t CFileArchive::MediumRead(void* buffer, std::uint32_t count) {
    if (!IsOpen())
        return 0;
    const std::int64_t moved = com::readFile(handle_, buffer, count);
    if (moved < 0) {
        SetError(com::STG_E_READFAULT);
        return 0;
    }
    AddToPosition(static_cast<std::uint64_t>(moved));
    return static_cast<std::uint32_t>(moved);
}

std::uint32_t CFileArchive::MediumWrite(const void* buffer, std::uint32_t count) {
    if (!IsOpen())
        return 0;
    const std::int64_t moved = com::writeFile(handle_, buffer, count);
    if (moved < 0) {
        SetError(com::STG_E_WRITEFAULT);
        return 0;
    }
    AddToPosition(static_cast<std::uint64_t>(moved));
    return static_cast<std::uint32_t>(moved);
}

std::int64_t CFileArchive::MediumSeek(std::int64_t offset, int origin) {
    if (!IsOpen())
        return -1;
    const std::int64_t position = com::seekFile(handle_, offset, static_cast<com::DWORD>(origin));
    if (position >= 0)
        SetPosition(static_cast<std::uint64_t>(position));
    return position;
}

std::optional<std::uint64_t> CFileArchive::MediumBytesLeft() {
    if (!IsOpen())
        return std::uint64_t{0};
    const std::int64_t size = com::fileSize(handle_);
    if (size < 0)
        return std::nullopt;
    const auto end = static_cast<std::uint64_t>(size);
    return end > Position() ? end - Position() : 0;
}

std::uint32_t CFileArchive::ReadBytes(void* buffer, std::uint32_t count) {
    if (CPropertyArchive* nested = StorageArchive())
        return nested->ReadBytes(buffer, count);
    return MediumRead(buffer, count);
}

std::uint32_t CFileArchive::WriteBytes(const void* buffer, std::uint32_t count) {
    if (CPropertyArchive* nested = StorageArchive())
        return nested->WriteBytes(buffer, count);
    return MediumWrite(buffer, count);
}

std::int64_t CFileArchive::Seek(std::int64_t offset, int origin) {
    if (CPropertyArchive* nested = StorageArchive())
        return nested->Seek(offset, origin);
    return MediumSeek(offset, origin);
}

std::optional<std::uint64_t> CFileArchive::BytesLeft() {
    if (StorageArchive())
        return BytesLeftOf(StorageArchive());
    return MediumBytesLeft();
}

CPropertyArchive* CFileArchive::GetStorageArchive() {
    if (StorageArchive())
        return StorageArchive();
    if (!IsOpen())
        return nullptr;
    CArchiveLockBytes* lockBytes = LockBytes();
    auto nested = std::make_unique<CStreamArchive>();
    if (!nested->OpenOnLockBytes(lockBytes, IsStoring(), "CONTENTS")) {
        SetError(nested->Error());
        return nullptr;
    }
    SetStorageArchive(std::move(nested));
    return StorageArchive();
}

}  // namespace dravik
