// Reference counting and interface lookup for a class that implements one or more interfaces.
//
//   class Stream final : public com::ComObject<IStream, IPersist> { ... };
//   com::ComPtr<IStream> s = com::makeComObject<Stream>(args...);
//
// QueryInterface answers IUnknown (through the first interface, so that every QueryInterface for
// IUnknown yields the same pointer) and each listed interface by its static `iid`.
//
// Base interfaces: an interface that derives from another one names it with a member type
//
//   struct IPersistStream : IPersist { using BaseInterface = IPersist; ... };
//
// and listing IPersistStream then answers IPersist as well (and the base's own base, and so on). A
// class answers further identities by overriding queryExtraInterface.
//
// Aggregation: makeAggregatedComObject<T>(outer, args...) creates T as the inner part of the object
// whose controlling IUnknown is `outer`. QueryInterface, AddRef and Release of T's interfaces then go
// to the outer object, so the client sees one object with one identity; the outer holds T through
// the returned non-delegating IUnknown, which alone controls T's lifetime and answers T's own
// interfaces. The inner object does not hold a reference on the outer one (that would be a cycle): the
// outer owns the inner and releases it when it is destroyed. An outer object answers the interfaces
// of its inner object by overriding queryAggregate and forwarding to the non-delegating IUnknown.
//
// Every live ComObject holds a lock on the binary that created it (com/ModuleLock.h), which is what
// an in-process server's DllCanUnloadNow reports.
#pragma once

#include <atomic>
#include <type_traits>
#include <utility>

#include "com/ComPtr.h"
#include "com/ModuleLock.h"
#include "com/Unknown.h"

namespace com {

namespace detail {
struct ComObjectAccess;
}

template <typename First, typename... Rest>
class ComObject : public First, public Rest... {
public:
    // Constructor and destructor stay inside the binary that instantiates them, so that the object
    // counts towards that binary's lock count even when another library has the same instantiation.
    TARNWICK_COM_MODULE_LOCAL ComObject() { lockModule(); }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT QueryInterface(const IID& iid, void** object) override {
        return outer_ ? outer_->QueryInterface(iid, object) : queryOwn(iid, object);
    }
    ULONG AddRef() override { return outer_ ? outer_->AddRef() : addRefOwn(); }
    ULONG Release() override { return outer_ ? outer_->Release() : releaseOwn(); }

    // The canonical IUnknown of this object: the outer object's when aggregated.
    IUnknown* identity() { return outer_ ? outer_ : ownUnknown(); }
    bool isAggregated() const { return outer_ != nullptr; }

protected:
    TARNWICK_COM_MODULE_LOCAL virtual ~ComObject() { unlockModule(); }

    // Returns the interface pointer for `iid` without adding a reference, or null.
    virtual void* queryExtraInterface(const IID&) { return nullptr; }
    // Last resort of QueryInterface, for an outer object that forwards to an aggregated inner object:
    // on success *object holds a new reference (the inner object's QueryInterface adds it).
    virtual HRESULT queryAggregate(const IID&, void**) { return E_NOINTERFACE; }

private:
    friend struct detail::ComObjectAccess;

    // The IUnknown an outer object holds: it answers for the inner object alone and counts its
    // references.
    class NonDelegatingUnknown final : public IUnknown {
    public:
        explicit NonDelegatingUnknown(ComObject& self) : self_(self) {}
        HRESULT QueryInterface(const IID& iid, void** object) override { return self_.queryOwn(iid, object); }
        ULONG AddRef() override { return self_.addRefOwn(); }
        ULONG Release() override { return self_.releaseOwn(); }

    private:
        ComObject& self_;
    };

    HRESULT queryOwn(const IID& iid, void** object) {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown) {
            IUnknown* unknown = ownUnknown();
            unknown->AddRef();
            *object = unknown;
            return S_OK;
        }
        void* found = nullptr;
        if (!findListed<First, Rest...>(iid, found))
            found = queryExtraInterface(iid);
        if (!found)
            return queryAggregate(iid, object);
        // The reference goes to whoever controls the object: the outer one when aggregated.
        AddRef();
        *object = found;
        return S_OK;
    }

    ULONG addRefOwn() { return ++refs_; }
    ULONG releaseOwn() {
        const ULONG left = --refs_;
        if (left == 0) {
            // A destructor that takes and drops a reference to this object must not delete it twice.
            refs_ = 1;
            delete this;
        }
        return left;
    }

    IUnknown* ownUnknown() {
        if (outer_)
            return &nonDelegating_;
        return static_cast<IUnknown*>(static_cast<First*>(this));
    }

    template <typename I, typename... More>
    bool findListed(const IID& iid, void*& found) {
        if (findWithBases<I>(static_cast<I*>(this), iid, found))
            return true;
        if constexpr (sizeof...(More) > 0) {
            return findListed<More...>(iid, found);
        } else {
            return false;
        }
    }

    // Walks I's chain of BaseInterface names; each step casts from the interface below it, so two
    // listed interfaces that share a base never make the cast ambiguous.
    template <typename I>
    static bool findWithBases(I* pointer, const IID& iid, void*& found) {
        if (iid == I::iid) {
            found = pointer;
            return true;
        }
        if constexpr (requires { typename I::BaseInterface; }) {
            using Base = typename I::BaseInterface;
            if constexpr (!std::is_same_v<Base, IUnknown> && !std::is_same_v<Base, I> &&
                          std::is_base_of_v<Base, I>) {
                return findWithBases<Base>(static_cast<Base*>(pointer), iid, found);
            }
        }
        return false;
    }

    std::atomic<ULONG> refs_{0};
    IUnknown* outer_ = nullptr;  // not owned: the outer object owns this one
    NonDelegatingUnknown nonDelegating_{*this};
};

namespace detail {
struct ComObjectAccess {
    template <typename First, typename... Rest>
    static IUnknown* aggregate(ComObject<First, Rest...>& object, IUnknown* outer) {
        object.outer_ = outer;
        return object.ownUnknown();
    }
};
}  // namespace detail

// Creates T with one reference held by the returned pointer.
template <typename T, typename... Args>
ComPtr<T> makeComObject(Args&&... args) {
    return ComPtr<T>(new T(std::forward<Args>(args)...));
}

// Creates T as the inner part of `outer` and returns its non-delegating IUnknown with one reference.
// With a null `outer` T is an ordinary object and the result is its IUnknown.
template <typename T, typename... Args>
ComPtr<IUnknown> makeAggregatedComObject(IUnknown* outer, Args&&... args) {
    T* object = new T(std::forward<Args>(args)...);
    return ComPtr<IUnknown>(detail::ComObjectAccess::aggregate(*object, outer));
}

}  // namespace com
