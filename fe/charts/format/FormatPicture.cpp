#include "format/FormatPicture.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "format/LocaleFormats.h"

namespace dravik {
namespace {

// Negative-part states of a currency picture; columns: blank, '-', other, '(', ')', '$'. A negative
// entry ends the scan, its complement being the negative order.
constexpr std::array<std::array<std::int8_t, 6>, 13> kCurrencyStates = {{
    {0, 2, 4, 1, 0, 3},
    {7, 1, 8, 1, 1, 5},
    {2, 2, 11, 2, 2, 9},
    {10, -3, -4, 2, 3, 3},
    {-11, 12, 4, 4, 4, -8},
    {7, 5, 6, 5, 5, 5},
    {6, 6, 6, 6, -1, 6},
    {7, 7, 7, 7, -15, 7},
    {-16, 8, 8, 8, 8, -5},
    {-10, 9, -2, 9, 9, 9},
    {10, -13, -12, 10, 10, 10},
    {-9, 11, 11, 11, 11, -6},
    {-14, 12, 12, 12, 12, -7},
}};

// Number pictures know blank, '-', other and '('; a ')' or '$' in a number picture counts as other.
constexpr std::array<std::array<std::int8_t, 4>, 3> kNumberStates = {{
    {0, 1, 2, -1},
    {-3, 1, -2, 1},
    {-5, -4, 2, 2},
}};

int characterClass(char c) {
    switch (c) {
        case ' ':
            return 0;
        case '-':
            return 1;
        case '(':
            return 3;
        case ')':
            return 4;
        case '$':
            return 5;
        default:
            return 2;
    }
}

std::int32_t negativeOrder(std::string_view negativePart, bool currency) {
    int state = 0;
    for (char c : negativePart) {
        int column = characterClass(c);
        int next = 0;
        if (currency) {
            next = kCurrencyStates[static_cast<std::size_t>(state)][static_cast<std::size_t>(column)];
        } else {
            if (column > 3)
                column = 2;
            next = kNumberStates[static_cast<std::size_t>(state)][static_cast<std::size_t>(column)];
        }
        if (next < 0)
            return ~next;
        state = next;
    }
    return 0;
}

struct NumberPicture {
    bool currency = false;
    std::int32_t decimals = 0;
    std::int32_t groupSize = 0;
    std::int32_t leadingZero = 0;
    std::int32_t currencyPosition = 0;  // 0 sign first, 1 sign after; plus 2 for a blank
    std::int32_t negativeOrder = 0;
};

NumberPicture readNumberPicture(std::string_view text) {
    NumberPicture picture;
    const std::size_t end = std::min(text.find(';'), text.size());
    std::size_t groupStart = std::string_view::npos;
    bool inDecimals = false;
    bool digitSeen = false;
    bool signAfter = false;
    bool blank = false;
    for (std::size_t i = 0; i < end; ++i) {
        const char c = text[i];
        if (c == ',' && !inDecimals) {
            groupStart = i;
            picture.groupSize = 0;
        } else if (c == '#' || c == '0') {
            digitSeen = true;
            if (inDecimals)
                ++picture.decimals;
            else if (groupStart != std::string_view::npos)
                ++picture.groupSize;
        } else if (c == '.' && !inDecimals) {
            if (groupStart != std::string_view::npos)
                picture.groupSize = static_cast<std::int32_t>(i - groupStart - 1);
            picture.leadingZero = i > 0 && text[i - 1] == '0' ? 1 : 0;
            inDecimals = true;
        } else if (c == '$') {
            picture.currency = true;
            signAfter = digitSeen;
        } else if (c == ' ') {
            blank = true;
        }
    }
    // One blank or several between sign and number mean the same: a blank (the order has no other).
    picture.currencyPosition = (signAfter ? 1 : 0) + (blank ? 2 : 0);
    // A group of more than nine digits cannot be expressed; nine is the widest grouping there is.
    picture.groupSize = std::min(picture.groupSize, 9);
    if (end < text.size())
        picture.negativeOrder = negativeOrder(text.substr(end + 1), picture.currency);
    return picture;
}

FormatCode dateCodeOf(char first) {
    switch (std::toupper(static_cast<unsigned char>(first))) {
        case 'D':
            return FC_PICTURE | FC_DATE;
        case 'L':
            return FC_PICTURE | FC_LONGDATE;
        case 'T':
            return FC_PICTURE | FC_TIME;
        case 'X':
            return FC_PICTURE | FC_DATETIME;
        default:
            return 0;
    }
}

}  // namespace

void PrepareNumberFormat(NumberFormatRecord& record, FormatCode code, std::int32_t digits, loc::LCID locale,
                         std::string_view symbol) {
    if (hasPicture(code))
        return;
    FormatCode kind = formatKind(code);
    if (kind == FC_PERCENT)
        kind = FC_NUMBER;
    if (kind > FC_CURRENCY)
        return;
    if (locale == loc::LOCALE_USER_DEFAULT) {
        record = DefaultCurrencyRecord();
        if (kind == FC_NUMBER) {
            const NumberFormatRecord& number = DefaultNumberRecord();
            record.digits = number.digits;
            record.leadingZero = number.leadingZero;
            record.grouping = number.grouping;
            record.decimalSeparator = number.decimalSeparator;
            record.thousandSeparator = number.thousandSeparator;
            record.negativeOrder = number.negativeOrder;
        }
        if (!symbol.empty())
            record.setSymbol(symbol);
    } else {
        if (!symbol.empty())
            record.setSymbol(symbol);
        if (kind == FC_NUMBER)
            ReadNumberFormat(locale, record);
        else
            ReadCurrencyFormat(locale, record);
    }
    if ((kind == FC_NUMBER || kind == FC_CURRENCY) && !record.decimal().empty())
        record.digits = std::clamp(digits, 0, 9);
}

FormatCode ParseFormatString(std::string_view text, PreparedFormat& format, std::int32_t& digits,
                             loc::LCID locale) {
    if (!text.empty()) {
        if (const FormatCode dateCode = dateCodeOf(text.front())) {
            format.setPicture(text.substr(1));
            return dateCode;
        }
    }
    const NumberPicture picture = readNumberPicture(text);
    const FormatCode kind = picture.currency ? FC_CURRENCY : FC_NUMBER;
    PrepareNumberFormat(format.number, kind, picture.decimals, locale);
    NumberFormatRecord& record = format.number;
    record.digits = picture.decimals;
    record.leadingZero = picture.leadingZero;
    record.grouping = picture.groupSize;
    record.negativeOrder = picture.negativeOrder;
    if (picture.currency)
        record.positiveOrder = picture.currencyPosition;
    format.setPicture(text);
    digits = picture.decimals;
    return FC_PICTURE | kind;
}

bool FormatFromVariant(const com::Variant& variant, PreparedFormat& format, std::int32_t& digits,
                       FormatCode& code, loc::LCID locale) {
    switch (variant.vt()) {
        case com::VT_I2:
        case com::VT_I4: {
            const std::int32_t value = variant.vt() == com::VT_I2 ? variant.i2() : variant.i4();
            // Format codes are 16 bits; a 16-bit variant carrying bit 15 arrives negative.
            const std::int32_t bits = variant.vt() == com::VT_I2 ? (value & 0xFFFF) : value;
            if (bits < 0 || bits > 0xFFFF)
                return false;
            code = bits;
            PrepareNumberFormat(format.number, code, digits, locale);
            return true;
        }
        case com::VT_BSTR:
            code = ParseFormatString(variant.bstr().toUtf8(), format, digits, locale);
            return true;
        default:
            return false;
    }
}

}  // namespace dravik
