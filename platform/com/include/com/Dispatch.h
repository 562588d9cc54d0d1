// Late-bound calls: the dispatch interface through which events reach their sinks.
//
// Arguments travel in declaration order: args[0] is the first argument of the event as its interface
// lists it (the reverse of the order a Windows DISPPARAMS array keeps). The array belongs to the caller
// and is shared by every sink of one raise, so a by-reference argument (VT_BYREF | VT_BSTR or
// VT_BYREF | VT_I4) that one sink changes is seen by the sinks after it and by the caller.
#pragma once

#include <span>

#include "com/Guid.h"
#include "com/Variant.h"

namespace com {

// {00020400-0000-0000-C000-000000000046}
inline constexpr IID IID_IDispatch{
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct IDispatch : IUnknown {
    static constexpr IID iid = IID_IDispatch;

    // Calls member `dispid` as a method. DISP_E_MEMBERNOTFOUND for a member the object does not have,
    // DISP_E_BADPARAMCOUNT or DISP_E_TYPEMISMATCH for arguments it cannot take.
    virtual HRESULT Invoke(DISPID dispid, std::span<Variant> args) = 0;

protected:
    ~IDispatch() = default;
};

}  // namespace com
