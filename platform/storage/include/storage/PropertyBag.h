// Named properties read and written as variants, and a bag that keeps them in memory.
#pragma once

#include "com/ComPtr.h"
#include "com/Variant.h"

namespace com {

// {3127CA40-446E-11CE-8135-00AA004BB851}
inline constexpr IID IID_IErrorLog{
    0x3127CA40, 0x446E, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
// {55272A00-42CB-11CE-8135-00AA004BB851}
inline constexpr IID IID_IPropertyBag{
    0x55272A00, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

// Where a bag may report problems with single properties while reading. Accepted and not used.
struct IErrorLog : IUnknown {
    static constexpr IID iid = IID_IErrorLog;

protected:
    ~IErrorLog() = default;
};

struct IPropertyBag : IUnknown {
    static constexpr IID iid = IID_IPropertyBag;

    // On entry value->vt() is the type the caller wants (VT_EMPTY: as stored); the bag converts to it.
    // E_INVALIDARG for a property it does not hold, DISP_E_TYPEMISMATCH when it cannot convert.
    virtual HRESULT Read(const char16_t* name, Variant* value, IErrorLog* errorLog) = 0;
    virtual HRESULT Write(const char16_t* name, const Variant& value) = 0;

protected:
    ~IPropertyBag() = default;
};

// A bag that keeps what is written to it, by name (names compare exactly).
HRESULT createMemoryPropertyBag(IPropertyBag** out);

}  // namespace com
