// Class factories: the object an in-process server hands out for each of its classes, through which
// instances are created.
#pragma once

#include <exception>
#include <new>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/ModuleLock.h"
#include "com/Unknown.h"

namespace com {

// {00000001-0000-0000-C000-000000000046}
inline constexpr IID IID_IClassFactory{
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct IClassFactory : IUnknown {
    static constexpr IID iid = IID_IClassFactory;

    // Creates an instance; with a non-null `outer` it becomes the inner part of that object and `iid`
    // must be IID_IUnknown (CLASS_E_NOAGGREGATION otherwise).
    virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) = 0;
    // Keeps the server's binary locked (DllCanUnloadNow) while the count taken here is non-zero.
    virtual HRESULT LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};

// Creates one object of a class, with the contract of IClassFactory::CreateInstance.
using Creator = HRESULT (*)(IUnknown* outer, const IID& iid, void** object);

// The creator of a ComObject class T (default-constructible).
template <typename T>
HRESULT createComObject(IUnknown* outer, const IID& iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer && iid != IID_IUnknown)
        return CLASS_E_NOAGGREGATION;
    ComPtr<IUnknown> unknown;
    try {
        unknown = makeAggregatedComObject<T>(outer);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception&) {
        return E_FAIL;
    }
    return unknown->QueryInterface(iid, object);
}

// The factory of one class, made from its creator. Hidden, so that each server library has its own
// and LockServer counts on the library that made the factory.
class TARNWICK_COM_MODULE_LOCAL ClassFactory final : public ComObject<IClassFactory> {
public:
    explicit ClassFactory(Creator creator) : creator_(creator) {}

    HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) override {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        return creator_ ? creator_(outer, iid, object) : E_UNEXPECTED;
    }
    HRESULT LockServer(BOOL lock) override {
        if (lock) {
            lockModule();
        } else {
            unlockModule();
        }
        return S_OK;
    }

private:
    Creator creator_;
};

template <typename T>
ComPtr<IClassFactory> makeClassFactory() {
    return makeComObject<ClassFactory>(&createComObject<T>);
}

}  // namespace com
