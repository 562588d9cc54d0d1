#include "com/Variant.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "com/Dispatch.h"
#include "com/OleDate.h"
#include "com/VbMath.h"

namespace com {
namespace {

bool isIntegerType(VARTYPE vt) {
    return vt == VT_I2 || vt == VT_I4 || vt == VT_UI1;
}
bool isNumericType(VARTYPE vt) {
    return isIntegerType(vt) || vt == VT_R4 || vt == VT_R8 || vt == VT_BOOL || vt == VT_DATE;
}

// ---- text to numbers ----------------------------------------------------------------------------------

// Narrow ASCII copy of the text with surrounding blanks removed; nullopt if any other character is
// outside ASCII (no such character can be part of a number, a Boolean or an ISO date).
std::optional<std::string> trimmedAscii(std::u16string_view text) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    std::string out;
    for (char16_t c : text) {
        if (c > 0x7F)
            return std::nullopt;
        out.push_back(static_cast<char>(c));
    }
    return out;
}

struct ParsedNumber {
    HRESULT result = S_OK;
    double value = 0.0;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(const std::string& s, std::size_t i) {
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

// Decimal number: [sign] digits [. digits] [e|E [sign] digits], at least one mantissa digit.
ParsedNumber parseNumber(const std::string& text) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t mantissaStart = i;
    const std::size_t intEnd = skipDigits(text, i);
    std::size_t fracEnd = intEnd;
    if (fracEnd < text.size() && text[fracEnd] == '.')
        fracEnd = skipDigits(text, fracEnd + 1);
    const std::size_t digitCount = fracEnd - mantissaStart - (fracEnd > intEnd ? 1 : 0);
    if (digitCount == 0)
        return {DISP_E_TYPEMISMATCH};
    std::size_t end = fracEnd;
    bool negativeExponent = false;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t e = end + 1;
        negativeExponent = e < text.size() && text[e] == '-';
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        const std::size_t expEnd = skipDigits(text, e);
        if (expEnd == e)
            return {DISP_E_TYPEMISMATCH};
        end = expEnd;
    }
    if (end != text.size())
        return {DISP_E_TYPEMISMATCH};

    ParsedNumber parsed;
    const auto [ptr, ec] = std::from_chars(text.data() + mantissaStart, text.data() + end, parsed.value);
    if (ec == std::errc::result_out_of_range) {
        // Too small rounds to zero; too large is an overflow. A huge digit string needs no exponent,
        // a tiny one has a negative exponent or only zeros before the point.
        const bool hasWholeDigits = text.find_first_not_of('0', mantissaStart) < intEnd;
        if (negativeExponent || !hasWholeDigits)
            return {S_OK, negative ? -0.0 : 0.0};
        return {DISP_E_OVERFLOW};
    }
    if (ec != std::errc() || ptr != text.data() + end)
        return {DISP_E_TYPEMISMATCH};
    if (negative)
        parsed.value = -parsed.value;
    return parsed;
}

bool equalsIgnoringCase(const std::string& a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// ---- numbers to text ----------------------------------------------------------------------------------

// Shortest general form with the type's significant digits, as automation prints floating values:
// "0.1", "1E+20", "1.5E-07".
template <typename Float>
std::string formatFloat(Float value, int digits) {
    if (value == 0)
        return "0";  // also for -0
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, digits);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c == 'e')
            c = 'E';
    }
    return text;
}

template <typename Int>
std::string formatInteger(Int value) {
    std::array<char, 16> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

// ---- construction and reads ---------------------------------------------------------------------------

Variant Variant::null() {
    return Variant(VT_NULL, std::monostate{});
}
Variant Variant::date(DATE value) {
    return Variant(VT_DATE, value);
}
Variant Variant::dispatch(ComPtr<IUnknown> object) {
    return Variant(VT_DISPATCH, std::move(object));
}
Variant Variant::error(HRESULT code) {
    return Variant(VT_ERROR, std::int32_t{code});
}
Variant Variant::byRef(Bstr* target) {
    return Variant(VT_BYREF | VT_BSTR, target);
}
Variant Variant::byRef(LONG* target) {
    return Variant(VT_BYREF | VT_I4, target);
}

std::int16_t Variant::i2() const {
    return vt_ == VT_I2 ? std::get<std::int16_t>(value_) : 0;
}
std::uint8_t Variant::ui1() const {
    return vt_ == VT_UI1 ? std::get<std::uint8_t>(value_) : 0;
}
float Variant::r4() const {
    return vt_ == VT_R4 ? std::get<float>(value_) : 0.0f;
}
double Variant::r8() const {
    return vt_ == VT_R8 ? std::get<double>(value_) : 0.0;
}
VARIANT_BOOL Variant::boolVal() const {
    return vt_ == VT_BOOL ? std::get<std::int16_t>(value_) : VARIANT_FALSE;
}
DATE Variant::dateVal() const {
    return vt_ == VT_DATE ? std::get<double>(value_) : 0.0;
}
HRESULT Variant::errorCode() const {
    return vt_ == VT_ERROR ? std::get<std::int32_t>(value_) : S_OK;
}

std::int32_t Variant::i4() const {
    if (vt_ == VT_I4)
        return std::get<std::int32_t>(value_);
    if (LONG* target = i4Ref())
        return *target;
    return 0;
}

Bstr Variant::bstr() const {
    if (vt_ == VT_BSTR)
        return std::get<Bstr>(value_);
    if (Bstr* target = bstrRef())
        return *target;
    return {};
}

ComPtr<IUnknown> Variant::unknown() const {
    if (vt_ == VT_UNKNOWN || vt_ == VT_DISPATCH)
        return std::get<ComPtr<IUnknown>>(value_);
    return {};
}

const std::vector<std::uint8_t>& Variant::bytes() const {
    static const std::vector<std::uint8_t> kNone;
    if (vt_ == (VT_ARRAY | VT_UI1))
        return std::get<std::vector<std::uint8_t>>(value_);
    return kNone;
}

Bstr* Variant::bstrRef() const {
    return vt_ == (VT_BYREF | VT_BSTR) ? std::get<Bstr*>(value_) : nullptr;
}
LONG* Variant::i4Ref() const {
    return vt_ == (VT_BYREF | VT_I4) ? std::get<LONG*>(value_) : nullptr;
}

Variant Variant::dereferenced() const {
    if (Bstr* target = bstrRef())
        return Variant(*target);
    if (LONG* target = i4Ref())
        return Variant(std::int32_t{*target});
    return *this;
}

// ---- conversion ---------------------------------------------------------------------------------------

namespace {

// The numeric value of a numeric or empty variant (exact for every numeric type).
double numericValue(const Variant& v) {
    switch (v.vt()) {
        case VT_I2:
            return v.i2();
        case VT_I4:
            return v.i4();
        case VT_UI1:
            return v.ui1();
        case VT_R4:
            return v.r4();
        case VT_R8:
            return v.r8();
        case VT_BOOL:
            return v.boolVal();
        case VT_DATE:
            return v.dateVal();
        default:
            return 0.0;
    }
}

HRESULT numberTo(double value, bool fromFloating, VARTYPE target, Variant& out) {
    switch (target) {
        case VT_I2:
        case VT_I4:
        case VT_UI1: {
            if (std::isnan(value))
                return DISP_E_OVERFLOW;
            const double whole = fromFloating ? vb::roundHalfEven(value) : value;
            const double low = target == VT_I2 ? -32768.0 : target == VT_I4 ? -2147483648.0 : 0.0;
            const double high = target == VT_I2 ? 32767.0 : target == VT_I4 ? 2147483647.0 : 255.0;
            if (whole < low || whole > high)
                return DISP_E_OVERFLOW;
            if (target == VT_I2)
                out = Variant(static_cast<std::int16_t>(whole));
            if (target == VT_I4)
                out = Variant(static_cast<std::int32_t>(whole));
            if (target == VT_UI1)
                out = Variant(static_cast<std::uint8_t>(whole));
            return S_OK;
        }
        case VT_R4:
            if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
                return DISP_E_OVERFLOW;
            out = Variant(static_cast<float>(value));
            return S_OK;
        case VT_R8:
            out = Variant(value);
            return S_OK;
        case VT_BOOL:
            out = Variant(value != 0.0);
            return S_OK;
        case VT_DATE:
            if (!isValidOleDate(value))
                return DISP_E_OVERFLOW;
            out = Variant::date(value);
            return S_OK;
        default:
            return DISP_E_TYPEMISMATCH;
    }
}

std::string numberText(const Variant& v) {
    switch (v.vt()) {
        case VT_I2:
            return formatInteger(v.i2());
        case VT_I4:
            return formatInteger(v.i4());
        case VT_UI1:
            return formatInteger(v.ui1());
        case VT_R4:
            return formatFloat(v.r4(), 7);
        case VT_R8:
            return formatFloat(v.r8(), 15);
        case VT_BOOL:
            return v.boolVal() ? "True" : "False";
        case VT_DATE: {
            // A date without a time of day prints as a date only.
            const DATE d = v.dateVal();
            const std::string full = formatIsoDateTime(d);
            return full.ends_with(" 00:00:00") ? full.substr(0, 10) : full;
        }
        default:
            return {};
    }
}

HRESULT textTo(const Bstr& text, VARTYPE target, Variant& out) {
    const auto ascii = trimmedAscii(text.view());
    if (!ascii)
        return DISP_E_TYPEMISMATCH;
    if (target == VT_DATE) {
        const auto date = parseIsoDate(*ascii);
        if (!date)
            return DISP_E_TYPEMISMATCH;
        out = Variant::date(*date);
        return S_OK;
    }
    if (target == VT_BOOL) {
        if (equalsIgnoringCase(*ascii, "True"))
            return out = Variant(true), S_OK;
        if (equalsIgnoringCase(*ascii, "False"))
            return out = Variant(false), S_OK;
    }
    const ParsedNumber number = parseNumber(*ascii);
    if (FAILED(number.result))
        return number.result;
    return numberTo(number.value, true, target, out);
}

HRESULT unknownToDispatch(const ComPtr<IUnknown>& object, Variant& out) {
    ComPtr<IDispatch> dispatch;
    if (object) {
        const HRESULT result = object.queryInterface(dispatch);
        if (FAILED(result))
            return result;
    }
    out = Variant::dispatch(ComPtr<IUnknown>(dispatch));
    return S_OK;
}

HRESULT convert(const Variant& source, VARTYPE target, Variant& out) {
    const VARTYPE from = source.vt();
    if (from == target) {
        out = source;
        return S_OK;
    }
    if (target == VT_EMPTY) {
        out = Variant();
        return S_OK;
    }
    if (from == VT_BSTR)
        return textTo(source.bstr(), target, out);
    if (target == VT_BSTR) {
        if (from != VT_EMPTY && !isNumericType(from))
            return DISP_E_TYPEMISMATCH;
        out = Variant(Bstr::fromUtf8(numberText(source)));
        return S_OK;
    }
    if (target == VT_UNKNOWN && from == VT_DISPATCH) {
        out = Variant(source.unknown());
        return S_OK;
    }
    if (target == VT_DISPATCH && from == VT_UNKNOWN)
        return unknownToDispatch(source.unknown(), out);
    if (from != VT_EMPTY && !isNumericType(from))
        return DISP_E_TYPEMISMATCH;
    const bool fromFloating = from == VT_R4 || from == VT_R8 || from == VT_DATE;
    return numberTo(numericValue(source), fromFloating, target, out);
}

}  // namespace

HRESULT Variant::changeType(VARTYPE target) {
    // By-reference and array types convert only to themselves.
    if ((target & (VT_BYREF | VT_ARRAY)) != 0)
        return target == vt_ ? S_OK : DISP_E_TYPEMISMATCH;
    Variant converted;
    const HRESULT result = convert(dereferenced(), target, converted);
    if (SUCCEEDED(result))
        *this = std::move(converted);
    return result;
}

}  // namespace com
