// The number and currency format record that value labels are formatted with, and the prepared format
// (a picture text and such a record) that axes and date labels keep.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "com/FixedText.h"
#include "locale/LocaleFormat.h"

namespace dravik {

// Separator and symbol fields hold UTF-8; their capacities leave room for 4 (separators) and 6
// (symbol) characters of up to four bytes each, terminator included.
inline constexpr std::size_t kSeparatorBytes = 17;
inline constexpr std::size_t kCurrencySymbolBytes = 25;
// Picture text of a prepared format: 48 bytes and the terminator.
inline constexpr std::size_t kPictureBytes = 49;

struct NumberFormatRecord {
    std::int32_t digits = 0;
    std::int32_t leadingZero = 0;
    std::int32_t grouping = 0;
    std::array<char, kSeparatorBytes> decimalSeparator{};
    std::array<char, kSeparatorBytes> thousandSeparator{};
    std::int32_t negativeOrder = 0;
    std::int32_t positiveOrder = 0;                           // currency only
    std::array<char, kCurrencySymbolBytes> currencySymbol{};  // currency only

    std::string decimal() const { return com::readFixed(decimalSeparator); }
    std::string thousand() const { return com::readFixed(thousandSeparator); }
    std::string symbol() const { return com::readFixed(currencySymbol); }
    void setDecimal(std::string_view text) { com::copyToFixed(text, decimalSeparator); }
    void setThousand(std::string_view text) { com::copyToFixed(text, thousandSeparator); }
    void setSymbol(std::string_view text) { com::copyToFixed(text, currencySymbol); }

    // The record as the formatting calls take it. Negative counts become 0 so that the call refuses
    // nothing a record could not mean.
    loc::NumberFormat asNumberFormat() const;
    loc::CurrencyFormat asCurrencyFormat() const;

    friend bool operator==(const NumberFormatRecord&, const NumberFormatRecord&) = default;
};

struct PreparedFormat {
    std::array<char, kPictureBytes> picture{};
    NumberFormatRecord number;

    std::string pictureText() const { return com::readFixed(picture); }
    void setPicture(std::string_view text) { com::copyToFixed(text, picture); }

    friend bool operator==(const PreparedFormat&, const PreparedFormat&) = default;
};

}  // namespace dravik
