// Movable memory blocks and the streams and lock bytes that live on them.
//
// An HGLOBAL is a growable block of bytes shared by reference: the stream that writes it and the
// code that hands it on (to the clipboard, to a property bag) see the same bytes, and the block is
// freed when its last holder lets go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "storage/StreamInterfaces.h"

namespace com {

struct GlobalBlock {
    std::vector<std::uint8_t> bytes;
};
using HGLOBAL = std::shared_ptr<GlobalBlock>;

// A zero-filled block of `size` bytes; null when the memory cannot be had.
HGLOBAL globalAlloc(std::size_t size);
std::size_t globalSize(const HGLOBAL& memory);

// A stream over `memory` (a new empty block when null), positioned at 0; the stream grows the block
// as it is written.
HRESULT createStreamOnHGlobal(HGLOBAL memory, IStream** out);
// The block behind a stream made by createStreamOnHGlobal; E_INVALIDARG for any other stream.
HRESULT getHGlobalFromStream(IStream* stream, HGLOBAL* out);

// A stream over a caller's fixed buffer that it neither owns nor grows: writes beyond `size` move
// what fits and fail with STG_E_MEDIUMFULL. The caller keeps the buffer alive while the stream is.
HRESULT createStreamOnBuffer(void* data, std::size_t size, bool writable, IStream** out);

// Lock bytes over `memory` (a new empty block when null).
HRESULT createLockBytesOnHGlobal(HGLOBAL memory, ILockBytes** out);
HRESULT getHGlobalFromLockBytes(ILockBytes* lockBytes, HGLOBAL* out);

}  // namespace com
