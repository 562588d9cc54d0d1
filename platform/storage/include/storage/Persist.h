// Objects that save themselves to streams, and the saving of an object together with its class id
// so that it can be created again when loaded.
#pragma once

#include <functional>

#include "com/Unknown.h"
#include "storage/StreamInterfaces.h"

namespace com {

// {0000010C-0000-0000-C000-000000000046}
inline constexpr IID IID_IPersist{
    0x0000010C, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {00000109-0000-0000-C000-000000000046}
inline constexpr IID IID_IPersistStream{
    0x00000109, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {7FD52380-4E07-101B-AE2D-08002B2EC713}
inline constexpr IID IID_IPersistStreamInit{
    0x7FD52380, 0x4E07, 0x101B, {0xAE, 0x2D, 0x08, 0x00, 0x2B, 0x2E, 0xC7, 0x13}};

struct IPersist : IUnknown {
    static constexpr IID iid = IID_IPersist;
    virtual HRESULT GetClassID(CLSID* clsid) = 0;

protected:
    ~IPersist() = default;
};

struct IPersistStream : IPersist {
    static constexpr IID iid = IID_IPersistStream;
    // S_OK when there are changes since the last save, else S_FALSE.
    virtual HRESULT IsDirty() = 0;
    virtual HRESULT Load(IStream* stream) = 0;
    virtual HRESULT Save(IStream* stream, BOOL clearDirty) = 0;
    virtual HRESULT GetSizeMax(ULONGLONG* size) = 0;

protected:
    ~IPersistStream() = default;
};

struct IPersistStreamInit : IPersist {
    static constexpr IID iid = IID_IPersistStreamInit;
    virtual HRESULT IsDirty() = 0;
    virtual HRESULT Load(IStream* stream) = 0;
    virtual HRESULT Save(IStream* stream, BOOL clearDirty) = 0;
    virtual HRESULT GetSizeMax(ULONGLONG* size) = 0;
    virtual HRESULT InitNew() = 0;

protected:
    ~IPersistStreamInit() = default;
};

// The 16-byte image of a class id at the stream's position. Reading fewer than 16 bytes fails
// with STG_E_READFAULT.
HRESULT writeClassStm(IStream* stream, const CLSID& clsid);
HRESULT readClassStm(IStream* stream, CLSID* clsid);

// Writes the object's class id and then lets it save itself (through IPersistStream, or
// IPersistStreamInit when that is all it has). E_NOINTERFACE, with nothing written, for an object
// that can do neither.
HRESULT oleSaveToStream(IUnknown* object, IStream* stream);
// Reads a class id, creates the object through the object creator, lets it load itself and hands
// out the interface asked for.
HRESULT oleLoadFromStream(IStream* stream, const IID& iid, void** object);

// Creation of an object by class id: the process's class registry (CoCreateInstance), unless a
// creator is installed in its place (null restores the registry).
using ObjectCreator = std::function<HRESULT(const CLSID&, const IID&, void**)>;
void setObjectCreator(ObjectCreator creator);

}  // namespace com
