// The root interface of every object that crosses a library boundary.
#pragma once

#include <concepts>

#include "com/Guid.h"
#include "com/HResult.h"
#include "com/Types.h"

namespace com {

// {00000000-0000-0000-C000-000000000046}
inline constexpr IID IID_IUnknown{
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct IUnknown {
    static constexpr IID iid = IID_IUnknown;

    // On success *object holds a new reference; on failure it is set to null.
    virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

// The identity of an interface type, found through its static member `iid`.
template <typename T>
concept ComInterface = requires {
    { T::iid } -> std::convertible_to<const IID&>;
};

}  // namespace com
