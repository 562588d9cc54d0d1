#include "MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace com {

MemoryStream::MemoryStream(HGLOBAL block, bool writable) : block_(std::move(block)), writable_(writable) {}

MemoryStream::MemoryStream(std::uint8_t* view, std::size_t size, bool writable)
    : view_(view), viewSize_(size), writable_(writable) {}

void* MemoryStream::queryExtraInterface(const IID& iid) {
    if (iid == IID_ISequentialStream)
        return static_cast<ISequentialStream*>(this);
    return nullptr;
}

std::uint8_t* MemoryStream::data() {
    return block_ ? block_->bytes.data() : view_;
}

std::size_t MemoryStream::size() const {
    return block_ ? block_->bytes.size() : viewSize_;
}

bool MemoryStream::resize(std::uint64_t size) {
    if (!block_ || size > kMaxMemorySize)
        return false;
    try {
        block_->bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

HRESULT MemoryStream::Read(void* buffer, ULONG count, ULONG* read) {
    if (read)
        *read = 0;
    if (!buffer && count)
        return STG_E_INVALIDPOINTER;
    const std::size_t available = position_ < size() ? size() - static_cast<std::size_t>(position_) : 0;
    const std::size_t moved = std::min<std::size_t>(available, count);
    if (moved)
        std::memcpy(buffer, data() + position_, moved);
    position_ += moved;
    if (read)
        *read = static_cast<ULONG>(moved);
    return S_OK;
}

HRESULT MemoryStream::Write(const void* buffer, ULONG count, ULONG* written) {
    if (written)
        *written = 0;
    if (!buffer && count)
        return STG_E_INVALIDPOINTER;
    if (!writable_)
        return STG_E_ACCESSDENIED;
    if (count == 0)
        return S_OK;
    HRESULT result = S_OK;
    std::size_t moved = count;
    if (position_ + count > size() && !resize(position_ + count)) {
        // A fixed buffer (or a refused growth) takes what fits.
        moved = position_ < size() ? size() - static_cast<std::size_t>(position_) : 0;
        moved = std::min<std::size_t>(moved, count);
        result = block_ ? STG_E_INSUFFICIENTMEMORY : STG_E_MEDIUMFULL;
    }
    if (moved)
        std::memcpy(data() + position_, buffer, moved);
    position_ += moved;
    if (written)
        *written = static_cast<ULONG>(moved);
    if (moved)
        changed();
    return result;
}

HRESULT MemoryStream::Seek(LONGLONG move, DWORD origin, ULONGLONG* newPosition) {
    if (newPosition)
        *newPosition = position_;
    std::int64_t base = 0;
    switch (origin) {
        case STREAM_SEEK_SET:
            base = 0;
            break;
        case STREAM_SEEK_CUR:
            base = static_cast<std::int64_t>(position_);
            break;
        case STREAM_SEEK_END:
            base = static_cast<std::int64_t>(size());
            break;
        default:
            return STG_E_INVALIDFUNCTION;
    }
    if ((move < 0 && base + move < 0) ||
        (move > 0 && static_cast<std::uint64_t>(base + move) > kMaxMemorySize)) {
        return STG_E_INVALIDFUNCTION;
    }
    position_ = static_cast<std::uint64_t>(base + move);
    if (newPosition)
        *newPosition = position_;
    return S_OK;
}

HRESULT MemoryStream::SetSize(ULONGLONG newSize) {
    if (!writable_)
        return STG_E_ACCESSDENIED;
    if (newSize == size())
        return S_OK;
    if (!resize(newSize))
        return block_ ? STG_E_INSUFFICIENTMEMORY : STG_E_MEDIUMFULL;
    changed();
    return S_OK;
}

HRESULT MemoryStream::CopyTo(IStream* target, ULONGLONG count, ULONGLONG* read, ULONGLONG* written) {
    return copyStream(this, target, count, read, written);
}

HRESULT MemoryStream::Stat(STATSTG* stat, DWORD) {
    if (!stat)
        return STG_E_INVALIDPOINTER;
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    stat->size = size();
    stat->mode = writable_ ? STGM_READWRITE : STGM_READ;
    return S_OK;
}

ComPtr<MemoryStream> MemoryStream::makeClone() {
    if (block_)
        return makeComObject<MemoryStream>(block_, writable_);
    return makeComObject<MemoryStream>(view_, viewSize_, writable_);
}

HRESULT MemoryStream::Clone(IStream** out) {
    if (!out)
        return STG_E_INVALIDPOINTER;
    ComPtr<MemoryStream> clone = makeClone();
    clone->position_ = position_;
    *out = clone.detach();
    return S_OK;
}

HRESULT copyStream(IStream* source, IStream* target, ULONGLONG count, ULONGLONG* read, ULONGLONG* written) {
    if (read)
        *read = 0;
    if (written)
        *written = 0;
    if (!source || !target)
        return STG_E_INVALIDPOINTER;
    std::uint8_t block[4096];
    ULONGLONG totalRead = 0;
    ULONGLONG totalWritten = 0;
    HRESULT result = S_OK;
    while (totalRead < count) {
        const ULONG want = static_cast<ULONG>(std::min<ULONGLONG>(sizeof block, count - totalRead));
        ULONG got = 0;
        result = source->Read(block, want, &got);
        totalRead += got;
        if (FAILED(result) || got == 0)
            break;
        ULONG put = 0;
        result = target->Write(block, got, &put);
        totalWritten += put;
        if (FAILED(result))
            break;
        if (put < got) {
            result = STG_E_MEDIUMFULL;
            break;
        }
    }
    if (read)
        *read = totalRead;
    if (written)
        *written = totalWritten;
    return result;
}

}  // namespace com
