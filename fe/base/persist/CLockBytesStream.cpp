#include "persist/CLockBytesStream.h"

namespace dravik {

void* CLockBytesStream::queryExtraInterface(const com::IID& iid) {
    return iid == com::IID_ISequentialStream ? static_cast<com::ISequentialStream*>(this) : nullptr;
}

com::HRESULT CLockBytesStream::Read(void* buffer, com::ULONG count, com::ULONG* read) {
    com::ULONG moved = 0;
    const com::HRESULT result = lockBytes_->ReadAt(offset_, buffer, count, &moved);
    offset_ += moved;
    if (read)
        *read = moved;
    return result;
}

com::HRESULT CLockBytesStream::Write(const void* buffer, com::ULONG count, com::ULONG* written) {
    com::ULONG moved = 0;
    const com::HRESULT result = lockBytes_->WriteAt(offset_, buffer, count, &moved);
    offset_ += moved;
    if (written)
        *written = moved;
    return result;
}

com::HRESULT CLockBytesStream::Seek(com::LONGLONG move, com::DWORD origin, com::ULONGLONG* newPosition) {
    std::int64_t base = 0;
    switch (origin) {
        case com::STREAM_SEEK_SET:
            base = 0;
            break;
        case com::STREAM_SEEK_CUR:
            base = static_cast<std::int64_t>(offset_);
            break;
        case com::STREAM_SEEK_END: {
            com::STATSTG stat;
            const com::HRESULT result = lockBytes_->Stat(&stat, com::STATFLAG_NONAME);
            if (com::FAILED(result))
                return result;
            base = static_cast<std::int64_t>(stat.size);
            break;
        }
        default:
            return com::STG_E_INVALIDFUNCTION;
    }
    if (base + move < 0)
        return com::STG_E_INVALIDFUNCTION;
    offset_ = static_cast<std::uint64_t>(base + move);
    if (newPosition)
        *newPosition = offset_;
    return com::S_OK;
}

com::HRESULT CLockBytesStream::Stat(com::STATSTG* stat, com::DWORD statFlag) {
    return lockBytes_->Stat(stat, statFlag);
}

com::HRESULT CLockBytesStream::Clone(com::IStream** out) {
    if (!out)
        return com::E_POINTER;
    *out = com::makeComObject<CLockBytesStream>(lockBytes_.get(), offset_).detach();
    return com::S_OK;
}

}  // namespace dravik
