// The settings the extension keeps for one axis it shows (the value axes of the chart types, the date
// axis, each study's axis), saved with the extension.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "com/FixedText.h"
#include "format/FormatCode.h"
#include "format/NumberFormatRecord.h"

namespace dravik {

// Used-fields bits: one per field the user set.
enum AxisUsedField : std::uint32_t {
    AUF_MIN = 0x1,
    AUF_MAX = 0x2,
    AUF_STEP = 0x4,
    AUF_MINORSTEP = 0x8,
    AUF_STYLE = 0x20,
    AUF_FORMAT = 0x40,
    AUF_DECIMALS = 0x80,
    AUF_SCALEUNIT = 0x100,
    AUF_TEXTCOLOR = 0x200,
    AUF_TICKSTYLE = 0x400,
    AUF_GRIDWIDTH = 0x800,
    AUF_GRIDSTYLE = 0x1000,
    AUF_GRIDCOLOR = 0x2000,
    AUF_MINORTICKSTYLE = 0x4000,
    AUF_MINORGRIDWIDTH = 0x8000,
    AUF_MINORGRIDSTYLE = 0x10000,
    AUF_MINORGRIDCOLOR = 0x20000,
    AUF_TITLE = 0x40000,
    AUF_TITLECOLOR = 0x80000,
    AUF_LOCALE = 0x800000,
    AUF_CURRENCYSYMBOL = 0x1000000,
};

// Text fields keep their terminator inside their size: a title of at most 251 bytes, a currency symbol
// of at most 7. Both are saved at these full sizes.
inline constexpr std::int16_t kAxisTitleBytes = 252;
inline constexpr std::int16_t kAxisCurrencyBytes = 8;
// Bit 15 of a tick style: the grid of that tick kind is shown.
inline constexpr std::int16_t kTickGridShown = static_cast<std::int16_t>(0x8000);
inline constexpr std::uint32_t kUserDefaultLocale = 1024;
// Estimated bytes of a saved record, to which its picture text and 2 x 8 bytes are added.
inline constexpr std::uint32_t kAxisSettingsSavedSize = 318;

struct AxisSettingsRecord {
    std::uint32_t usedFields = 0;
    std::uint32_t style = 0;
    double min = 0;
    double max = 0;
    double step = 0;
    double minorStep = 0;
    std::uint32_t textColor = 0;  // COLORREF
    double scaleUnit = 0;
    std::int16_t decimals = 0;
    FormatCode format = 0;  // bit 15: the prepared format's picture goes with it
    PreparedFormat prepared;
    std::int16_t gridWidth = 0;
    std::int16_t gridStyle = 0;
    std::uint32_t gridColor = 0;
    std::int16_t minorGridWidth = 0;
    std::int16_t minorGridStyle = 0;
    std::uint32_t minorGridColor = 0;
    std::int16_t tickStyle = 0;  // low 15 bits the tick kind, bit 15 the grid
    std::int16_t minorTickStyle = 0;
    std::uint32_t titleColor = 0;
    std::array<char, kAxisTitleBytes> title{};
    std::array<char, kAxisCurrencyBytes> currencySymbol{};
    std::uint32_t locale = kUserDefaultLocale;
    std::int16_t savedDecimals = 0;

    std::string titleText() const { return com::readFixed(title); }
    void setTitle(std::string_view text) {
        title.fill('\0');
        com::copyToFixed(text, title);
    }
    std::string symbol() const { return com::readFixed(currencySymbol); }
    void setSymbol(std::string_view text) {
        currencySymbol.fill('\0');
        com::copyToFixed(text, currencySymbol);
    }

    friend bool operator==(const AxisSettingsRecord&, const AxisSettingsRecord&) = default;
};

}  // namespace dravik
