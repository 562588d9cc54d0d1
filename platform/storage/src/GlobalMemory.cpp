#include "storage/GlobalMemory.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "MemoryStream.h"

namespace com {
namespace {

// {6A1E0B31-7C52-4E39-9D0F-2B8A5C4E1F02}
struct IHGlobalLockBytes : IUnknown {
    static constexpr IID iid{0x6A1E0B31, 0x7C52, 0x4E39, {0x9D, 0x0F, 0x2B, 0x8A, 0x5C, 0x4E, 0x1F, 0x02}};
    virtual HGLOBAL globalBlock() = 0;

protected:
    ~IHGlobalLockBytes() = default;
};

class HGlobalLockBytes final : public ComObject<ILockBytes, IHGlobalLockBytes> {
public:
    explicit HGlobalLockBytes(HGLOBAL block) : block_(std::move(block)) {}

    HRESULT ReadAt(ULONGLONG offset, void* buffer, ULONG count, ULONG* read) override {
        if (read)
            *read = 0;
        if (!buffer && count)
            return STG_E_INVALIDPOINTER;
        const auto& bytes = block_->bytes;
        if (offset >= bytes.size())
            return S_OK;
        const std::size_t moved = std::min<std::uint64_t>(count, bytes.size() - offset);
        if (moved)
            std::memcpy(buffer, bytes.data() + offset, moved);
        if (read)
            *read = static_cast<ULONG>(moved);
        return S_OK;
    }
    HRESULT WriteAt(ULONGLONG offset, const void* buffer, ULONG count, ULONG* written) override {
        if (written)
            *written = 0;
        if (!buffer && count)
            return STG_E_INVALIDPOINTER;
        if (count == 0)
            return S_OK;
        if (offset + count > block_->bytes.size() && SetSize(offset + count) != S_OK) {
            return STG_E_MEDIUMFULL;
        }
        std::memcpy(block_->bytes.data() + offset, buffer, count);
        if (written)
            *written = count;
        return S_OK;
    }
    HRESULT Flush() override { return S_OK; }
    HRESULT SetSize(ULONGLONG size) override {
        if (size > kMaxMemorySize)
            return STG_E_MEDIUMFULL;
        try {
            block_->bytes.resize(static_cast<std::size_t>(size));
        } catch (const std::bad_alloc&) {
            return STG_E_INSUFFICIENTMEMORY;
        }
        return S_OK;
    }
    HRESULT LockRegion(ULONGLONG, ULONGLONG, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT UnlockRegion(ULONGLONG, ULONGLONG, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT Stat(STATSTG* stat, DWORD) override {
        if (!stat)
            return STG_E_INVALIDPOINTER;
        *stat = STATSTG{};
        stat->type = STGTY_LOCKBYTES;
        stat->size = block_->bytes.size();
        stat->mode = STGM_READWRITE;
        return S_OK;
    }
    HGLOBAL globalBlock() override { return block_; }

private:
    HGLOBAL block_;
};

}  // namespace

HGLOBAL globalAlloc(std::size_t size) {
    if (size > kMaxMemorySize)
        return nullptr;
    try {
        auto block = std::make_shared<GlobalBlock>();
        block->bytes.resize(size);
        return block;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::size_t globalSize(const HGLOBAL& memory) {
    return memory ? memory->bytes.size() : 0;
}

namespace {

// An object over `memory`, or over a new empty block when there is none.
template <typename Object, typename Interface, typename... Args>
HRESULT createOnHGlobal(HGLOBAL memory, Interface** out, Args... args) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!memory)
        memory = globalAlloc(0);
    if (!memory)
        return E_OUTOFMEMORY;
    *out = makeComObject<Object>(std::move(memory), args...).detach();
    return S_OK;
}

}  // namespace

HRESULT createStreamOnHGlobal(HGLOBAL memory, IStream** out) {
    return createOnHGlobal<MemoryStream>(std::move(memory), out, true);
}

HRESULT getHGlobalFromStream(IStream* stream, HGLOBAL* out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!stream)
        return E_INVALIDARG;
    ComPtr<IHGlobalSource> source = ComPtr<IStream>(stream).as<IHGlobalSource>();
    if (!source || !source->globalBlock())
        return E_INVALIDARG;
    *out = source->globalBlock();
    return S_OK;
}

HRESULT createStreamOnBuffer(void* data, std::size_t size, bool writable, IStream** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!data && size)
        return E_INVALIDARG;
    *out = makeComObject<MemoryStream>(static_cast<std::uint8_t*>(data), size, writable).detach();
    return S_OK;
}

HRESULT createLockBytesOnHGlobal(HGLOBAL memory, ILockBytes** out) {
    return createOnHGlobal<HGlobalLockBytes>(std::move(memory), out);
}

HRESULT getHGlobalFromLockBytes(ILockBytes* lockBytes, HGLOBAL* out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!lockBytes)
        return E_INVALIDARG;
    ComPtr<IHGlobalLockBytes> source = ComPtr<ILockBytes>(lockBytes).as<IHGlobalLockBytes>();
    if (!source)
        return E_INVALIDARG;
    *out = source->globalBlock();
    return S_OK;
}

}  // namespace com
