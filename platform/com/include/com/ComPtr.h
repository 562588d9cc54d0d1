// Owning smart pointer to an interface: holds exactly one reference while non-null.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include "com/Unknown.h"

namespace com {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to `p`.
    explicit ComPtr(T* p) : p_(p) {
        if (p_)
            p_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    template <typename U>
    requires std::is_convertible_v<U*, T*> ComPtr(const ComPtr<U>& other)
        : ComPtr(static_cast<T*>(other.get())) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }

    // Adopts a reference the caller already owns (no AddRef).
    static ComPtr attach(T* p) {
        ComPtr result;
        result.p_ = p;
        return result;
    }
    // Gives up the reference without releasing it.
    T* detach() { return std::exchange(p_, nullptr); }

    void reset() {
        if (T* p = std::exchange(p_, nullptr))
            p->Release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // For out-parameters: releases what is held and hands out the slot.
    T** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

    // QueryInterface for another interface with a static `iid`.
    template <typename U>
    ComPtr<U> as() const {
        ComPtr<U> result;
        if (p_)
            p_->QueryInterface(U::iid, result.putVoid());
        return result;
    }
    template <typename U>
    HRESULT queryInterface(ComPtr<U>& out) const {
        if (!p_)
            return E_POINTER;
        return p_->QueryInterface(U::iid, out.putVoid());
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.p_ == b.p_; }
    friend bool operator==(const ComPtr& a, std::nullptr_t) { return a.p_ == nullptr; }

private:
    T* p_ = nullptr;
};

}  // namespace com
