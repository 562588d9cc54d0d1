#include "state/AxisSettingsExchange.h"

#include <array>
#include <string>

#include "format/FormatPicture.h"
#include "persist/CPropertyArchive.h"
#include "state/ExchangeKeys.h"

namespace dravik {
namespace {

struct DoubleField {
    std::uint32_t bit;
    const char* key;
    double AxisSettingsRecord::*field;
};

constexpr std::array kRangeFields{
    DoubleField{AUF_MIN, "Min", &AxisSettingsRecord::min},
    DoubleField{AUF_MAX, "Max", &AxisSettingsRecord::max},
    DoubleField{AUF_STEP, "Step", &AxisSettingsRecord::step},
    DoubleField{AUF_MINORSTEP, "MinorStep", &AxisSettingsRecord::minorStep},
};

struct GridLine {
    const char* name;
    std::uint32_t widthBit, styleBit, colorBit;
    std::int16_t AxisSettingsRecord::*width;
    std::int16_t AxisSettingsRecord::*style;
    std::uint32_t AxisSettingsRecord::*color;
};

constexpr std::array kGridLines{
    GridLine{"Grid", AUF_GRIDWIDTH, AUF_GRIDSTYLE, AUF_GRIDCOLOR, &AxisSettingsRecord::gridWidth,
             &AxisSettingsRecord::gridStyle, &AxisSettingsRecord::gridColor},
    GridLine{"MinorGrid", AUF_MINORGRIDWIDTH, AUF_MINORGRIDSTYLE, AUF_MINORGRIDCOLOR,
             &AxisSettingsRecord::minorGridWidth, &AxisSettingsRecord::minorGridStyle,
             &AxisSettingsRecord::minorGridColor},
};

class AxisExchange {
public:
    AxisExchange(AxisSettingsRecord& record, CPropertyArchive& archive, std::string_view prefix,
                 std::uint32_t version, std::uint32_t flags, const AxisSettingsRecord& defaults)
        : record_(record),
          archive_(archive),
          prefix_(prefix),
          version_(version),
          flags_(flags),
          defaults_(defaults) {}

    void run() {
        if (!isBodyOnly(flags_))
            archive_.ExchangeUlong(&record_.usedFields, key("_UsedFields").c_str(), defaults_.usedFields);
        exchangeUsedFields();
        for (const GridLine& line : kGridLines)
            exchangeGridLine(line);
        if (!archive_.Failed())
            ExchangeFormatPicture(archive_, record_.prepared, record_.format,
                                  defaults_.prepared.pictureText(), key("Format"), version_);
        if (version_ > 22) {
            if (used(AUF_LOCALE))
                archive_.ExchangeUlong(&record_.locale, key("Locale").c_str(), defaults_.locale);
            if (used(AUF_CURRENCYSYMBOL))
                ExchangeTextField(archive_, record_.currencySymbol.data(), kAxisCurrencyBytes,
                                  key("CurrencySymbol"));
        }
        if (!archive_.IsStoring() && !archive_.Failed()) {
            // The decimals a refresh falls back on are not saved: the loaded ones are the user's.
            record_.savedDecimals = record_.decimals;
            PrepareAxisFormat(record_);
        }
    }

private:
    std::u16string key(std::string_view name) const { return ExchangeKey(prefix_, name); }
    bool used(std::uint32_t bit) const { return !archive_.Failed() && (record_.usedFields & bit) != 0; }

    void exchangeUsedFields() {
        if (used(AUF_STYLE))
            archive_.ExchangeUlong(&record_.style, key("Style").c_str(), defaults_.style);
        for (const DoubleField& field : kRangeFields) {
            if (used(field.bit))
                archive_.ExchangeDouble(&(record_.*field.field), key(field.key).c_str(),
                                        defaults_.*field.field);
        }
        if (used(AUF_TEXTCOLOR))
            archive_.ExchangeUlong(&record_.textColor, key("TextColor").c_str(), defaults_.textColor);
        if (used(AUF_SCALEUNIT))
            archive_.ExchangeDouble(&record_.scaleUnit, key("ScaleUnit").c_str(), defaults_.scaleUnit);
        if (used(AUF_DECIMALS))
            archive_.ExchangeShort(&record_.decimals, key("Decimals").c_str(), defaults_.decimals);
        if (used(AUF_FORMAT))
            archive_.ExchangeInt(&record_.format, key("Format").c_str(), defaults_.format);
        if (used(AUF_TICKSTYLE))
            exchangeTickStyle(record_.tickStyle, defaults_.tickStyle, "_TickStyle", "TickMark", "Grid");
        if (used(AUF_MINORTICKSTYLE))
            exchangeTickStyle(record_.minorTickStyle, defaults_.minorTickStyle, "_MinorTickStyle",
                              "MinorTickMark", "MinorGrid");
        if (used(AUF_TITLECOLOR))
            archive_.ExchangeUlong(&record_.titleColor, key("TitleColor").c_str(), defaults_.titleColor);
        if (used(AUF_TITLE))
            ExchangeTextField(archive_, record_.title.data(), kAxisTitleBytes, key("Title"));
    }

    // A body-only exchange splits the word into the tick kind (low 15 bits) and the grid flag.
    void exchangeTickStyle(std::int16_t& word, std::int16_t defaultWord, const char* wordKey,
                           const char* tickKey, const char* gridKey) {
        if (!isBodyOnly(flags_)) {
            archive_.ExchangeShort(&word, key(wordKey).c_str(), defaultWord);
            return;
        }
        std::int16_t tick = static_cast<std::int16_t>(word & 0x7FFF);
        std::uint8_t grid = (word & kTickGridShown) != 0 ? 1 : 0;
        archive_.ExchangeShort(&tick, key(tickKey).c_str(), static_cast<std::int16_t>(defaultWord & 0x7FFF));
        ExchangeFlag(archive_, &grid, key(gridKey), (defaultWord & kTickGridShown) != 0 ? 1 : 0, version_);
        if (!archive_.IsStoring() && !archive_.Failed())
            word = static_cast<std::int16_t>((tick & 0x7FFF) | (grid != 0 ? kTickGridShown : 0));
    }

    // Saves older than version 16 carry every grid entry.
    void exchangeGridLine(const GridLine& line) {
        const std::string prefix = std::string(prefix_) + line.name;
        const bool all = version_ < 16;
        if (all ? !archive_.Failed() : used(line.widthBit))
            archive_.ExchangeShort(&(record_.*line.width), ExchangeKey(prefix, "Width").c_str(),
                                   defaults_.*line.width);
        if (all ? !archive_.Failed() : used(line.styleBit))
            archive_.ExchangeShort(&(record_.*line.style), ExchangeKey(prefix, "Style").c_str(),
                                   defaults_.*line.style);
        if (all ? !archive_.Failed() : used(line.colorBit))
            archive_.ExchangeUlong(&(record_.*line.color), ExchangeKey(prefix, "Color").c_str(),
                                   defaults_.*line.color);
    }

    AxisSettingsRecord& record_;
    CPropertyArchive& archive_;
    std::string_view prefix_;
    std::uint32_t version_;
    std::uint32_t flags_;
    const AxisSettingsRecord& defaults_;
};

}  // namespace

int ExchangeFormatPicture(CPropertyArchive& archive, PreparedFormat& format, FormatCode code,
                          std::string_view defaultPicture, std::u16string_view key, std::uint32_t version) {
    const bool custom = hasPicture(code);
    bool present = false;
    if (version >= 19)
        present = custom;
    else if (version == 18)
        present = custom || format.pictureText() != defaultPicture;
    if (!present)
        return 0;
    // Pictures travel as 32 bytes: a longer one keeps its first 31 bytes in the save.
    std::array<char, kSavedPictureBytes> block{};
    if (archive.IsStoring())
        com::copyToFixed(format.pictureText(), block);
    const int moved = ExchangeTextField(archive, block.data(), kSavedPictureBytes, key);
    if (!archive.IsStoring() && !archive.Failed()) {
        format.picture.fill('\0');
        format.setPicture(com::readFixed(block));
    }
    return moved;
}

com::HRESULT ExchangeAxisSettings(AxisSettingsRecord& record, CPropertyArchive& archive,
                                  std::string_view prefix, std::uint32_t version, std::uint32_t flags,
                                  const AxisSettingsRecord& defaults) {
    AxisExchange(record, archive, prefix, version, flags, defaults).run();
    return ArchiveResult(archive);
}

void PrepareAxisFormat(AxisSettingsRecord& record) {
    PrepareNumberFormat(record.prepared.number, record.format & 0x7FFF, record.decimals, record.locale,
                        record.symbol());
}

}  // namespace dravik
