#include "persist/CStreamArchive.h"

#include <cstring>

#include "com/Text.h"

namespace dravik {
namespace {

// Stream and storage names are limited to what a storage name may hold.
constexpr std::size_t kMaxNameUnits = 260;

std::u16string wideName(const char* name) {
    std::u16string wide = com::utf8ToUtf16(name ? name : "");
    if (wide.size() > kMaxNameUnits)
        wide.resize(kMaxNameUnits);
    return wide;
}

}  // namespace

CStreamArchive::CStreamArchive() : CPropertyArchive(false) {}

CStreamArchive::CStreamArchive(com::IStream* stream, bool storing)
    : CPropertyArchive(storing), stream_(stream) {}

CStreamArchive::CStreamArchive(com::IStorage* storage, bool storing)
    : CPropertyArchive(storing), storage_(storage) {
    OpenStream();
}

CStreamArchive::~CStreamArchive() {
    CStreamArchive::Close();
}

void CStreamArchive::CloseStream() {
    stream_.reset();
    storage_.reset();
}

void CStreamArchive::Close() {
    CPropertyArchive::Close();
    CloseStream();
}

bool CStreamArchive::OpenStream(const char* streamName) {
    stream_.reset();
    if (!storage_)
        return false;
    const std::u16string name = wideName(streamName ? streamName : "Contents");
    com::HRESULT result = com::S_OK;
    if (IsStoring()) {
        result = storage_->CreateStream(
            name.c_str(), com::STGM_CREATE | com::STGM_SHARE_EXCLUSIVE | com::STGM_WRITE, stream_.put());
    } else {
        result =
            storage_->OpenStream(name.c_str(), com::STGM_SHARE_EXCLUSIVE | com::STGM_READ, stream_.put());
    }
    if (com::FAILED(result)) {
        storage_.reset();
        SetError(result);
        return false;
    }
    SetPosition(0);
    return true;
}

bool CStreamArchive::OpenStorageStream(com::HRESULT opened, const char* streamName) {
    if (com::FAILED(opened)) {
        storage_.reset();
        SetError(opened);
        return false;
    }
    return OpenStream(streamName);
}

bool CStreamArchive::OpenDocfile(const std::string& path, bool storing, const char* streamName) {
    Close();
    SetStoring(storing);
    ClearError();
    com::HRESULT result = com::S_OK;
    if (storing) {
        result = com::createDocfile(path, com::STGM_CREATE | com::STGM_SHARE_EXCLUSIVE | com::STGM_READWRITE,
                                    storage_.put());
    } else if (com::isStorageFile(path) == com::S_OK) {
        result = com::openStorage(path, com::STGM_SHARE_DENY_WRITE | com::STGM_READ, storage_.put());
    } else {
        result = com::openStorage(
            path, com::STGM_CONVERT | com::STGM_TRANSACTED | com::STGM_SHARE_EXCLUSIVE | com::STGM_READWRITE,
            storage_.put());
    }
    return OpenStorageStream(result, streamName);
}

bool CStreamArchive::OpenOnLockBytes(com::ILockBytes* lockBytes, bool storing, const char* streamName) {
    Close();
    SetStoring(storing);
    ClearError();
    if (!lockBytes)
        return false;
    com::HRESULT result = com::S_OK;
    if (storing) {
        result = com::createDocfileOnLockBytes(
            lockBytes, com::STGM_CREATE | com::STGM_SHARE_EXCLUSIVE | com::STGM_READWRITE, storage_.put());
    } else if (com::isStorageLockBytes(lockBytes) == com::S_OK) {
        result = com::openStorageOnLockBytes(lockBytes, com::STGM_SHARE_DENY_WRITE | com::STGM_READ,
                                             storage_.put());
    } else {
        result = com::openStorageOnLockBytes(
            lockBytes,
            com::STGM_CONVERT | com::STGM_TRANSACTED | com::STGM_SHARE_EXCLUSIVE | com::STGM_READWRITE,
            storage_.put());
    }
    return OpenStorageStream(result, streamName);
}

std::uint32_t CStreamArchive::ReadBytes(void* buffer, std::uint32_t count) {
    if (!stream_)
        return 0;
    com::ULONG moved = 0;
    if (com::FAILED(stream_->Read(buffer, count, &moved)))
        SetError(com::STG_E_READFAULT);
    AddToPosition(moved);
    return moved;
}

std::uint32_t CStreamArchive::WriteBytes(const void* buffer, std::uint32_t count) {
    if (!stream_)
        return 0;
    com::ULONG moved = 0;
    if (com::FAILED(stream_->Write(buffer, count, &moved)))
        SetError(com::STG_E_WRITEFAULT);
    AddToPosition(moved);
    return moved;
}

std::int64_t CStreamArchive::Seek(std::int64_t offset, int origin) {
    if (!stream_)
        return -1;
    com::ULONGLONG position = 0;
    if (com::FAILED(stream_->Seek(offset, static_cast<com::DWORD>(origin), &position)))
        return -1;
    SetPosition(position);
    return static_cast<std::int64_t>(position);
}

std::optional<std::uint64_t> CStreamArchive::BytesLeft() {
    if (!stream_)
        return std::uint64_t{0};
    com::STATSTG stat;
    if (com::FAILED(stream_->Stat(&stat, com::STATFLAG_NONAME)))
        return std::nullopt;
    com::ULONGLONG position = 0;
    if (com::FAILED(stream_->Seek(0, com::STREAM_SEEK_CUR, &position)))
        return std::nullopt;
    return stat.size > position ? stat.size - position : 0;
}

void CStreamArchive::SyncPosition() {
    com::ULONGLONG position = 0;
    if (stream_ && com::SUCCEEDED(stream_->Seek(0, com::STREAM_SEEK_CUR, &position)))
        SetPosition(position);
}

}  // namespace dravik
