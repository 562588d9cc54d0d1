#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "com/ComObject.h"
#include "com/Dispatch.h"
#include "com/Variant.h"

using namespace com;

namespace {

Variant text(const char* utf8) {
    return Variant::utf8(utf8);
}

// Converts a copy; the original must be unchanged on failure.
HRESULT convert(const Variant& v, VARTYPE target, Variant& out) {
    out = v;
    const HRESULT result = out.changeType(target);
    if (FAILED(result)) {
        EXPECT_TRUE(out == v || std::isnan(v.r8())) << "changed on failure";  // NaN never equals itself
    }
    return result;
}

}  // namespace

TEST(Variant, ConstructorsSetTheTypeCode) {
    EXPECT_EQ(Variant().vt(), VT_EMPTY);
    EXPECT_EQ(Variant::null().vt(), VT_NULL);
    EXPECT_EQ(Variant(std::int16_t{1}).vt(), VT_I2);
    EXPECT_EQ(Variant(1).vt(), VT_I4);
    EXPECT_EQ(Variant(std::uint8_t{1}).vt(), VT_UI1);
    EXPECT_EQ(Variant(1.0f).vt(), VT_R4);
    EXPECT_EQ(Variant(1.0).vt(), VT_R8);
    EXPECT_EQ(Variant(true).vt(), VT_BOOL);
    EXPECT_EQ(Variant(u"x").vt(), VT_BSTR);
    EXPECT_EQ(Variant::date(1.0).vt(), VT_DATE);
    EXPECT_EQ(Variant(ComPtr<IUnknown>()).vt(), VT_UNKNOWN);
    EXPECT_EQ(Variant::dispatch(nullptr).vt(), VT_DISPATCH);
    EXPECT_EQ(Variant(std::vector<std::uint8_t>{1, 2}).vt(), 0x2011);
    Bstr s;
    LONG n = 0;
    EXPECT_EQ(Variant::byRef(&s).vt(), 0x4008);
    EXPECT_EQ(Variant::byRef(&n).vt(), 0x4003);
    EXPECT_EQ(Variant(true).boolVal(), -1);
    EXPECT_EQ(Variant(false).boolVal(), 0);
}

TEST(Variant, MissingArgumentIsErrorParamNotFound) {
    const Variant missing = Variant::missing();
    EXPECT_EQ(missing.vt(), VT_ERROR);
    EXPECT_EQ(missing.errorCode(), hr(0x80020004));
    EXPECT_TRUE(missing.isMissing());
    EXPECT_FALSE(Variant::error(E_FAIL).isMissing());
    EXPECT_FALSE(Variant().isMissing());
}

TEST(Variant, TypedReadsOfAnotherTypeGiveNeutralValues) {
    const Variant v(12.5);
    EXPECT_EQ(v.i4(), 0);
    EXPECT_TRUE(v.bstr().isNull());
    EXPECT_EQ(v.bstrRef(), nullptr);
    EXPECT_TRUE(v.bytes().empty());
    EXPECT_EQ(Variant(7).r8(), 0.0);
}

TEST(Variant, ByReferenceWritesReachTheCallerStorage) {
    Bstr name = Bstr::fromUtf8("before");
    LONG count = 3;
    const Variant nameRef = Variant::byRef(&name);
    const Variant countRef = Variant::byRef(&count);
    *nameRef.bstrRef() = Bstr::fromUtf8("after");
    *countRef.i4Ref() = 42;
    EXPECT_EQ(name.toUtf8(), "after");
    EXPECT_EQ(count, 42);
    EXPECT_EQ(nameRef.bstr().toUtf8(), "after");
    EXPECT_EQ(countRef.i4(), 42);
    EXPECT_EQ(countRef.dereferenced(), Variant(42));
}

TEST(Variant, ObjectsHoldAReference) {
    struct Thing : ComObject<IUnknown> {};
    ComPtr<Thing> thing = makeComObject<Thing>();
    Variant v{ComPtr<IUnknown>(thing)};
    EXPECT_EQ(thing->AddRef(), 3u);  // ours, the variant's, this call's
    thing->Release();
    Variant copy = v;
    EXPECT_EQ(copy.unknown().get(), static_cast<IUnknown*>(thing.get()));
    v = Variant();
    copy = Variant();
    EXPECT_EQ(thing->AddRef(), 2u);
    thing->Release();
}

TEST(Variant, ConversionsThatSucceed) {
    struct Case {
        const char* name;
        Variant from;
        VARTYPE target;
        Variant expected;
    };
    const Case cases[] = {
        {"text to I2", text(" -123 "), VT_I2, Variant(std::int16_t{-123})},
        {"text to I4", text("2147483647"), VT_I4, Variant(2147483647)},
        {"text to I4 exponent", text("1.5e3"), VT_I4, Variant(1500)},
        {"text to I2 half even down", text("2.5"), VT_I2, Variant(std::int16_t{2})},
        {"text to I2 half even up", text("3.5"), VT_I2, Variant(std::int16_t{4})},
        {"text to I4 negative half", text("-2.5"), VT_I4, Variant(-2)},
        {"text to R8", text("+.5"), VT_R8, Variant(0.5)},
        {"text to R8 tiny", text("1e-400"), VT_R8, Variant(0.0)},
        {"text to BOOL True", text("true"), VT_BOOL, Variant(true)},
        {"text to BOOL False", text("FALSE"), VT_BOOL, Variant(false)},
        {"text to BOOL number", text("-1"), VT_BOOL, Variant(true)},
        {"text to BOOL zero", text("0.0"), VT_BOOL, Variant(false)},
        {"text to DATE", text("1899-12-29 06:00:00"), VT_DATE, Variant::date(-1.25)},
        {"R8 to I4 half even", Variant(-1.5), VT_I4, Variant(-2)},
        {"R8 to I2 edge", Variant(32767.49), VT_I2, Variant(std::int16_t{32767})},
        {"R8 to I2 low edge", Variant(-32768.5), VT_I2, Variant(std::int16_t{-32768})},
        {"I4 to UI1", Variant(255), VT_UI1, Variant(std::uint8_t{255})},
        {"BOOL to I4", Variant(true), VT_I4, Variant(-1)},
        {"I2 to BOOL", Variant(std::int16_t{7}), VT_BOOL, Variant(true)},
        {"DATE to R8", Variant::date(-1.25), VT_R8, Variant(-1.25)},
        {"R8 to DATE", Variant(2.0), VT_DATE, Variant::date(2.0)},
        {"EMPTY to I4", Variant(), VT_I4, Variant(0)},
        {"EMPTY to BSTR", Variant(), VT_BSTR, Variant(u"")},
        {"I4 to EMPTY", Variant(5), VT_EMPTY, Variant()},
        {"I2 to BSTR", Variant(std::int16_t{-32768}), VT_BSTR, text("-32768")},
        {"R8 to BSTR", Variant(0.1), VT_BSTR, text("0.1")},
        {"R8 to BSTR 15 digits", Variant(1.0 / 3), VT_BSTR, text("0.333333333333333")},
        {"R8 to BSTR large", Variant(1e20), VT_BSTR, text("1E+20")},
        {"R8 to BSTR small", Variant(1.5e-7), VT_BSTR, text("1.5E-07")},
        {"R8 to BSTR negative zero", Variant(-0.0), VT_BSTR, text("0")},
        {"R4 to BSTR", Variant(0.1f), VT_BSTR, text("0.1")},
        {"BOOL to BSTR", Variant(true), VT_BSTR, text("True")},
        {"DATE to BSTR", Variant::date(45351.0), VT_BSTR, text("2024-02-29")},
        {"DATE with time to BSTR", Variant::date(-1.25), VT_BSTR, text("1899-12-29 06:00:00")},
    };
    for (const Case& c : cases) {
        Variant out;
        EXPECT_EQ(convert(c.from, c.target, out), S_OK) << c.name;
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

TEST(Variant, ConversionsThatFail) {
    struct Case {
        const char* name;
        Variant from;
        VARTYPE target;
        HRESULT expected;
    };
    const Case cases[] = {
        {"letters to I4", text("abc"), VT_I4, DISP_E_TYPEMISMATCH},
        {"trailing letters", text("12abc"), VT_I4, DISP_E_TYPEMISMATCH},
        {"empty text to I2", text(""), VT_I2, DISP_E_TYPEMISMATCH},
        {"null text to I4", Variant(Bstr()), VT_I4, DISP_E_TYPEMISMATCH},
        {"lone sign", text("-"), VT_R8, DISP_E_TYPEMISMATCH},
        {"lone point", text("."), VT_R8, DISP_E_TYPEMISMATCH},
        {"exponent without digits", text("1e"), VT_R8, DISP_E_TYPEMISMATCH},
        {"comma decimal", text("1,5"), VT_R8, DISP_E_TYPEMISMATCH},
        {"two points", text("1.2.3"), VT_R8, DISP_E_TYPEMISMATCH},
        {"inner blank", text("1 2"), VT_I4, DISP_E_TYPEMISMATCH},
        {"Arabic digits", text("\xD9\xA1"), VT_I4, DISP_E_TYPEMISMATCH},
        {"yes to BOOL", text("yes"), VT_BOOL, DISP_E_TYPEMISMATCH},
        {"bad date", text("2023-02-29"), VT_DATE, DISP_E_TYPEMISMATCH},
        {"text over I2", text("32768"), VT_I2, DISP_E_OVERFLOW},
        {"text under I2", text("-32769"), VT_I2, DISP_E_OVERFLOW},
        {"text rounds over I2", text("32767.5"), VT_I2, DISP_E_OVERFLOW},
        {"text over I4", text("2147483648"), VT_I4, DISP_E_OVERFLOW},
        {"text over R8", text("1e400"), VT_R8, DISP_E_OVERFLOW},
        {"long digits over R8", text(std::string(400, '9').c_str()), VT_R8, DISP_E_OVERFLOW},
        {"I4 over I2", Variant(40000), VT_I2, DISP_E_OVERFLOW},
        {"negative to UI1", Variant(-1), VT_UI1, DISP_E_OVERFLOW},
        {"R8 over R4", Variant(1e39), VT_R4, DISP_E_OVERFLOW},
        {"NaN to I4", Variant(std::numeric_limits<double>::quiet_NaN()), VT_I4, DISP_E_OVERFLOW},
        {"R8 outside dates", Variant(3e6), VT_DATE, DISP_E_OVERFLOW},
        {"null to I4", Variant::null(), VT_I4, DISP_E_TYPEMISMATCH},
        {"missing to I4", Variant::missing(), VT_I4, DISP_E_TYPEMISMATCH},
        {"object to BSTR", Variant(ComPtr<IUnknown>()), VT_BSTR, DISP_E_TYPEMISMATCH},
        {"bytes to BSTR", Variant(std::vector<std::uint8_t>{65}), VT_BSTR, DISP_E_TYPEMISMATCH},
        {"I4 to a by-reference type", Variant(1), VT_BYREF | VT_I4, DISP_E_TYPEMISMATCH},
    };
    for (const Case& c : cases) {
        Variant out;
        EXPECT_EQ(convert(c.from, c.target, out), c.expected) << c.name;
    }
}

TEST(Variant, ConversionReadsThroughByReferenceToAValue) {
    LONG count = 12;
    Variant v = Variant::byRef(&count);
    ASSERT_EQ(v.changeType(VT_BSTR), S_OK);
    EXPECT_EQ(v, text("12"));
    Bstr number = Bstr::fromUtf8("7");
    Variant w = Variant::byRef(&number);
    ASSERT_EQ(w.changeType(VT_I2), S_OK);
    EXPECT_EQ(w, Variant(std::int16_t{7}));
    EXPECT_EQ(number.toUtf8(), "7");
}

TEST(Variant, TextRoundTrips) {
    const Variant values[] = {
        Variant(std::int16_t{-32768}), Variant(2147483647),     Variant(-0.000123456789012345),
        Variant(123456789.125),        Variant(true),           Variant(false),
        Variant::date(45351.75),       Variant::date(-657434.0)};
    for (const Variant& value : values) {
        Variant v = value;
        ASSERT_EQ(v.changeType(VT_BSTR), S_OK);
        ASSERT_EQ(v.changeType(value.vt()), S_OK) << v.bstr().toUtf8();
        EXPECT_EQ(v, value);
    }
}

TEST(Variant, ObjectsConvertBetweenUnknownAndDispatch) {
    struct Plain : ComObject<IUnknown> {};
    struct Callable : ComObject<IDispatch> {
        HRESULT Invoke(DISPID, std::span<Variant>) override { return S_OK; }
    };
    auto callable = makeComObject<Callable>();
    Variant v{ComPtr<IUnknown>(callable->identity())};
    ASSERT_EQ(v.changeType(VT_DISPATCH), S_OK);
    EXPECT_EQ(v.unknown().get(), static_cast<IUnknown*>(static_cast<IDispatch*>(callable.get())));
    ASSERT_EQ(v.changeType(VT_UNKNOWN), S_OK);

    Variant plain{ComPtr<IUnknown>(makeComObject<Plain>()->identity())};
    EXPECT_EQ(plain.changeType(VT_DISPATCH), E_NOINTERFACE);
    EXPECT_EQ(plain.vt(), VT_UNKNOWN);
    Variant none{ComPtr<IUnknown>()};
    EXPECT_EQ(none.changeType(VT_DISPATCH), S_OK);
}
