// Reference counting and interface lookup for a class that implements one or more interfaces.
//
//   class Stream final : public com::ComObject<IStream, IPersist> { ... };
//   com::ComPtr<IStream> s = com::makeComObject<Stream>(args...);
//
// QueryInterface answers IUnknown (through the first interface, so that every QueryInterface for
// IUnknown yields the same pointer) and each listed interface by its static `iid`. A class answers
// further identities (a base interface of a listed one, say) by overriding queryExtraInterface.
#pragma once

#include <atomic>
#include <utility>

#include "com/ComPtr.h"
#include "com/Unknown.h"

namespace com {

template <typename First, typename... Rest>
class ComObject : public First, public Rest... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        void* found = nullptr;
        if (iid == IID_IUnknown) {
            found = identity();
        } else if (!findListed<First, Rest...>(iid, found)) {
            found = queryExtraInterface(iid);
        }
        if (!found) return E_NOINTERFACE;
        AddRef();
        *object = found;
        return S_OK;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    // The canonical IUnknown of this object.
    IUnknown* identity() { return static_cast<IUnknown*>(static_cast<First*>(this)); }

protected:
    virtual ~ComObject() = default;
    virtual void* queryExtraInterface(const IID&) { return nullptr; }

private:
    template <typename I, typename... More>
    bool findListed(const IID& iid, void*& found) {
        if (iid == I::iid) {
            found = static_cast<I*>(this);
            return true;
        }
        if constexpr (sizeof...(More) > 0) {
            return findListed<More...>(iid, found);
        } else {
            return false;
        }
    }

    std::atomic<ULONG> refs_{0};
};

// Creates T with one reference held by the returned pointer.
template <typename T, typename... Args>
ComPtr<T> makeComObject(Args&&... args) {
    return ComPtr<T>(new T(std::forward<Args>(args)...));
}

}  // namespace com
