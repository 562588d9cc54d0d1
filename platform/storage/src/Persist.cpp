#include "storage/Persist.h"

#include <array>

#include "com/Activation.h"
#include "com/ComPtr.h"

namespace com {
namespace {

ObjectCreator& objectCreator() {
    static ObjectCreator creator;
    return creator;
}

HRESULT createObject(const CLSID& clsid, const IID& iid, void** object) {
    const ObjectCreator& creator = objectCreator();
    if (!creator)
        return CoCreateInstance(clsid, nullptr, iid, object);
    return creator(clsid, iid, object);
}

// Calls Load on whichever persistence interface the object has.
HRESULT loadObject(IUnknown* object, IStream* stream) {
    ComPtr<IUnknown> unknown(object);
    if (auto persist = unknown.as<IPersistStream>())
        return persist->Load(stream);
    if (auto persistInit = unknown.as<IPersistStreamInit>())
        return persistInit->Load(stream);
    return E_NOINTERFACE;
}

}  // namespace

void setObjectCreator(ObjectCreator creator) {
    objectCreator() = std::move(creator);
}

HRESULT writeClassStm(IStream* stream, const CLSID& clsid) {
    if (!stream)
        return E_INVALIDARG;
    const auto bytes = clsid.toBytes();
    ULONG written = 0;
    const HRESULT result = stream->Write(bytes.data(), bytes.size(), &written);
    if (FAILED(result))
        return result;
    return written == bytes.size() ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT readClassStm(IStream* stream, CLSID* clsid) {
    if (!stream || !clsid)
        return E_INVALIDARG;
    *clsid = GUID_NULL;
    std::array<std::uint8_t, 16> bytes{};
    ULONG read = 0;
    const HRESULT result = stream->Read(bytes.data(), bytes.size(), &read);
    if (FAILED(result))
        return result;
    if (read != bytes.size())
        return STG_E_READFAULT;
    *clsid = Guid::fromBytes(bytes);
    return S_OK;
}

HRESULT oleSaveToStream(IUnknown* object, IStream* stream) {
    if (!object || !stream)
        return E_INVALIDARG;
    ComPtr<IUnknown> unknown(object);
    CLSID clsid{};
    if (auto persist = unknown.as<IPersistStream>()) {
        HRESULT result = persist->GetClassID(&clsid);
        if (SUCCEEDED(result))
            result = writeClassStm(stream, clsid);
        return SUCCEEDED(result) ? persist->Save(stream, 1) : result;
    }
    if (auto persistInit = unknown.as<IPersistStreamInit>()) {
        HRESULT result = persistInit->GetClassID(&clsid);
        if (SUCCEEDED(result))
            result = writeClassStm(stream, clsid);
        return SUCCEEDED(result) ? persistInit->Save(stream, 1) : result;
    }
    return E_NOINTERFACE;
}

HRESULT oleLoadFromStream(IStream* stream, const IID& iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!stream)
        return E_INVALIDARG;
    CLSID clsid{};
    HRESULT result = readClassStm(stream, &clsid);
    if (FAILED(result))
        return result;
    ComPtr<IUnknown> created;
    result = createObject(clsid, IID_IUnknown, created.putVoid());
    if (FAILED(result))
        return result;
    if (!created)
        return E_FAIL;
    result = loadObject(created.get(), stream);
    if (FAILED(result))
        return result;
    return created->QueryInterface(iid, object);
}

}  // namespace com
