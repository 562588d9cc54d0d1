// The stream over a movable block or a caller's fixed buffer, shared by the memory and storage code.
#pragma once

#include <cstdint>
#include <limits>

#include "com/ComObject.h"
#include "storage/GlobalMemory.h"

namespace com {

// Sizes beyond this are refused rather than attempted, by memory blocks and streams alike: nothing in the
// program needs one larger than 2 GB, and a damaged count asking for more must not exhaust memory.
inline constexpr std::uint64_t kMaxMemorySize = std::numeric_limits<std::int32_t>::max();

// Private identity through which getHGlobalFromStream recognises a stream of this family.
// {6A1E0B31-7C52-4E39-9D0F-2B8A5C4E1F01}
struct IHGlobalSource : IUnknown {
    static constexpr IID iid{0x6A1E0B31, 0x7C52, 0x4E39, {0x9D, 0x0F, 0x2B, 0x8A, 0x5C, 0x4E, 0x1F, 0x01}};
    virtual HGLOBAL globalBlock() = 0;

protected:
    ~IHGlobalSource() = default;
};

class MemoryStream : public ComObject<IStream, IHGlobalSource> {
public:
    // Over a growable block.
    MemoryStream(HGLOBAL block, bool writable);
    // Over a fixed buffer the stream does not own.
    MemoryStream(std::uint8_t* view, std::size_t size, bool writable);

    HRESULT Read(void* buffer, ULONG count, ULONG* read) override;
    HRESULT Write(const void* buffer, ULONG count, ULONG* written) override;
    HRESULT Seek(LONGLONG move, DWORD origin, ULONGLONG* newPosition) override;
    HRESULT SetSize(ULONGLONG size) override;
    HRESULT CopyTo(IStream* target, ULONGLONG count, ULONGLONG* read, ULONGLONG* written) override;
    HRESULT Commit(DWORD) override { return S_OK; }
    HRESULT Revert() override { return S_OK; }
    HRESULT LockRegion(ULONGLONG, ULONGLONG, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT UnlockRegion(ULONGLONG, ULONGLONG, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT Stat(STATSTG* stat, DWORD statFlag) override;
    HRESULT Clone(IStream** out) override;

    HGLOBAL globalBlock() override { return block_; }

protected:
    void* queryExtraInterface(const IID& iid) override;
    // Called after bytes or the size changed.
    virtual void changed() {}
    virtual ComPtr<MemoryStream> makeClone();
    std::uint64_t position() const { return position_; }
    bool writable() const { return writable_; }

private:
    std::uint8_t* data();
    std::size_t size() const;
    // Grows or shrinks the bytes; false when the memory cannot be had or the buffer is fixed.
    bool resize(std::uint64_t size);

    HGLOBAL block_;
    std::uint8_t* view_ = nullptr;
    std::size_t viewSize_ = 0;
    bool writable_ = true;
    std::uint64_t position_ = 0;
};

}  // namespace com
