// Automation VARIANT: a tagged value of one of the VT_ types below.
//
// By-reference variants (VT_BYREF | VT_BSTR, VT_BYREF | VT_I4) point at the caller's storage, which must
// outlive the variant; a callee writes through them to hand a changed value back.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/HResult.h"
#include "com/Types.h"
#include "com/Unknown.h"

namespace com {

using VARTYPE = std::uint16_t;

inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_NULL = 1;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_R4 = 4;
inline constexpr VARTYPE VT_R8 = 5;
inline constexpr VARTYPE VT_DATE = 7;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_DISPATCH = 9;
inline constexpr VARTYPE VT_ERROR = 10;
inline constexpr VARTYPE VT_BOOL = 11;
inline constexpr VARTYPE VT_VARIANT = 12;
inline constexpr VARTYPE VT_UNKNOWN = 13;
inline constexpr VARTYPE VT_UI1 = 17;
inline constexpr VARTYPE VT_ARRAY = 0x2000;
inline constexpr VARTYPE VT_BYREF = 0x4000;

class Variant {
public:
    // VT_EMPTY.
    Variant() = default;
    Variant(std::int16_t value) : vt_(VT_I2), value_(value) {}
    Variant(std::int32_t value) : vt_(VT_I4), value_(value) {}
    Variant(std::uint8_t value) : vt_(VT_UI1), value_(value) {}
    Variant(float value) : vt_(VT_R4), value_(value) {}
    Variant(double value) : vt_(VT_R8), value_(value) {}
    // VT_BOOL holding VARIANT_TRUE (-1) or VARIANT_FALSE (0).
    Variant(bool value) : vt_(VT_BOOL), value_(toVariantBool(value)) {}
    Variant(Bstr value) : vt_(VT_BSTR), value_(std::move(value)) {}
    Variant(const char16_t* value) : Variant(Bstr(value)) {}
    // VT_UNKNOWN; a null pointer is allowed, as in automation.
    Variant(ComPtr<IUnknown> object) : vt_(VT_UNKNOWN), value_(std::move(object)) {}
    // VT_ARRAY | VT_UI1.
    Variant(std::vector<std::uint8_t> bytes) : vt_(VT_ARRAY | VT_UI1), value_(std::move(bytes)) {}
    // Any other pointer (narrow text included) would silently become a Boolean: use utf8() for text.
    template <typename T>
    Variant(T*) = delete;

    static Variant null();
    static Variant utf8(std::string_view text) { return Variant(Bstr::fromUtf8(text)); }
    static Variant date(DATE value);
    // VT_DISPATCH: an object that answers IDispatch, held as an IUnknown (ask it for IDispatch to call it).
    static Variant dispatch(ComPtr<IUnknown> object);
    // VT_ERROR; DISP_E_PARAMNOTFOUND is the marker of an optional argument that was left out.
    static Variant error(HRESULT code);
    static Variant missing() { return error(DISP_E_PARAMNOTFOUND); }
    // VT_BYREF | VT_BSTR and VT_BYREF | VT_I4 over caller storage.
    static Variant byRef(Bstr* target);
    static Variant byRef(LONG* target);

    VARTYPE vt() const { return vt_; }
    bool isEmpty() const { return vt_ == VT_EMPTY; }
    bool isMissing() const {
        return vt_ == VT_ERROR && std::get<std::int32_t>(value_) == DISP_E_PARAMNOTFOUND;
    }
    bool isByRef() const { return (vt_ & VT_BYREF) != 0; }

    // Typed reads. Each answers its own type only (by-reference variants included for bstr() and i4())
    // and gives the neutral value (0, null string, null object, no bytes) for any other type: convert
    // with changeType first when the type is not known.
    std::int16_t i2() const;
    std::int32_t i4() const;
    std::uint8_t ui1() const;
    float r4() const;
    double r8() const;
    VARIANT_BOOL boolVal() const;
    DATE dateVal() const;
    HRESULT errorCode() const;
    Bstr bstr() const;
    ComPtr<IUnknown> unknown() const;
    const std::vector<std::uint8_t>& bytes() const;
    // The caller storage of a by-reference variant of that type, else null.
    Bstr* bstrRef() const;
    LONG* i4Ref() const;

    // A by-reference variant replaced by a copy of the value it points at; any other returned as it is.
    Variant dereferenced() const;

    // Converts in place to `target` (a scalar type, VT_EMPTY or the variant's own type), as
    // VariantChangeType does: a by-reference source is read through and the result is a value.
    // Text is read and written locale-independently ('.' decimal point, "True"/"False", ISO dates);
    // floating values narrow to integers rounding halves to even. Returns S_OK, or DISP_E_TYPEMISMATCH
    // for a conversion that does not exist or text that does not parse, DISP_E_OVERFLOW for a value out of
    // the target's range; the variant is unchanged on failure. VT_UNKNOWN and VT_DISPATCH convert into
    // each other (to VT_DISPATCH by QueryInterface, failing with its result).
    HRESULT changeType(VARTYPE target);

    // Same type and same value (objects by pointer, by-reference variants by target).
    friend bool operator==(const Variant&, const Variant&) = default;

private:
    using Storage = std::variant<std::monostate, std::int16_t, std::int32_t, std::uint8_t, float, double,
                                 Bstr, ComPtr<IUnknown>, std::vector<std::uint8_t>, Bstr*, LONG*>;

    Variant(VARTYPE vt, Storage value) : vt_(vt), value_(std::move(value)) {}

    VARTYPE vt_ = VT_EMPTY;
    Storage value_;
};

}  // namespace com
