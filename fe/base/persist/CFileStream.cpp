#include "persist/CFileStream.h"

namespace dravik {

CFileStream::CFileStream(const std::string& path, bool writing)
    : handle_(writing ? com::openFile(path, com::FileAccess::Write, com::FileDisposition::CreateAlways)
                      : com::openFile(path, com::FileAccess::Read, com::FileDisposition::OpenExisting)),
      writing_(writing),
      path_(path),
      ownsHandle_(true) {}

CFileStream::CFileStream(com::FileHandle handle, bool writing, std::string path)
    : handle_(handle), writing_(writing), path_(std::move(path)), ownsHandle_(false) {
    const std::int64_t position = IsOpen() ? com::seekFile(handle_, 0, com::STREAM_SEEK_CUR) : -1;
    baseOffset_ = position < 0 ? 0 : static_cast<std::uint64_t>(position);
}

CFileStream::~CFileStream() {
    if (ownsHandle_)
        com::closeFile(handle_);
}

void* CFileStream::queryExtraInterface(const com::IID& iid) {
    return iid == com::IID_ISequentialStream ? static_cast<com::ISequentialStream*>(this) : nullptr;
}

com::HRESULT CFileStream::Read(void* buffer, com::ULONG count, com::ULONG* read) {
    if (read)
        *read = 0;
    if (!IsOpen())
        return com::E_FAIL;
    const std::int64_t moved = com::readFile(handle_, buffer, count);
    if (moved < 0)
        return com::STG_E_READFAULT;
    if (read)
        *read = static_cast<com::ULONG>(moved);
    return com::S_OK;
}

com::HRESULT CFileStream::Write(const void* buffer, com::ULONG count, com::ULONG* written) {
    if (written)
        *written = 0;
    if (!IsOpen())
        return com::E_FAIL;
    const std::int64_t moved = com::writeFile(handle_, buffer, count);
    if (moved < 0)
        return com::STG_E_WRITEFAULT;
    if (written)
        *written = static_cast<com::ULONG>(moved);
    return static_cast<com::ULONG>(moved) == count ? com::S_OK : com::STG_E_MEDIUMFULL;
}

com::HRESULT CFileStream::Seek(com::LONGLONG move, com::DWORD origin, com::ULONGLONG* newPosition) {
    if (!IsOpen())
        return com::E_FAIL;
    std::int64_t position = -1;
    if (origin == com::STREAM_SEEK_SET) {
        if (move < 0)
            return com::STG_E_INVALIDFUNCTION;
        position =
            com::seekFile(handle_, static_cast<std::int64_t>(baseOffset_) + move, com::STREAM_SEEK_SET);
    } else {
        position = com::seekFile(handle_, move, origin);
    }
    if (position < 0)
        return com::STG_E_INVALIDFUNCTION;
    const auto absolute = static_cast<std::uint64_t>(position);
    if (newPosition)
        *newPosition = absolute > baseOffset_ ? absolute - baseOffset_ : 0;
    return com::S_OK;
}

com::HRESULT CFileStream::Stat(com::STATSTG* stat, com::DWORD) {
    if (!stat)
        return com::STG_E_INVALIDPOINTER;
    *stat = com::STATSTG{};
    if (!IsOpen())
        return com::E_FAIL;
    const std::int64_t size = com::fileSize(handle_);
    stat->type = com::STGTY_STREAM;
    stat->size =
        size > static_cast<std::int64_t>(baseOffset_) ? static_cast<std::uint64_t>(size) - baseOffset_ : 0;
    stat->mode = writing_ ? (com::STGM_SHARE_EXCLUSIVE | com::STGM_WRITE) : com::STGM_SHARE_EXCLUSIVE;
    stat->locksSupported = com::LOCK_EXCLUSIVE;
    return com::S_OK;
}

com::HRESULT CFileStream::Clone(com::IStream** out) {
    if (!out)
        return com::E_POINTER;
    *out = nullptr;
    if (!IsOpen() || path_.empty())
        return com::E_FAIL;
    const com::FileHandle handle = com::openFile(
        path_, writing_ ? com::FileAccess::Write : com::FileAccess::Read, com::FileDisposition::OpenExisting);
    if (handle == com::INVALID_HANDLE_VALUE)
        return com::STG_E_FILENOTFOUND;
    com::seekFile(handle, com::seekFile(handle_, 0, com::STREAM_SEEK_CUR), com::STREAM_SEEK_SET);
    auto* clone = new CFileStream(handle, writing_, path_);
    clone->ownsHandle_ = true;
    clone->baseOffset_ = baseOffset_;
    clone->AddRef();
    *out = clone;
    return com::S_OK;
}

}  // namespace dravik
