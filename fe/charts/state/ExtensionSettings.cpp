#include "state/ExtensionSettings.h"

#include "format/DefaultRecords.h"
#include "format/FormatPicture.h"
#include "persist/CPropertyArchive.h"
#include "state/AxisSettingsExchange.h"
#include "state/ExchangeKeys.h"

namespace dravik {
namespace {

constexpr std::array<int, 3> kSettingsSystemCursors{ui::IDC_ARROW, ui::IDC_SIZENS, ui::IDC_SIZEALL};

class SettingsExchange {
public:
    SettingsExchange(ExtensionSettings& settings, CPropertyArchive& archive, std::uint32_t version,
                     std::uint32_t flags)
        : s_(settings), archive_(archive), version_(version), flags_(flags) {}

    com::HRESULT run() {
        exchangeSwitches();
        const DefaultRecords& defaults = GetDefaultRecords();
        if (const auto result = ExchangeAxisSettings(s_.dateAxis, archive_, "DateAxis.", version_, flags_,
                                                     defaults.axes[kDateAxisDefault]);
            com::FAILED(result))
            return result;
        if (version_ >= 18)
            exchangeDateLabelFormats(defaults);
        if (const auto result = ExchangeAxisSettings(s_.priceAxis, archive_, "PricesAxis.", version_, flags_,
                                                     defaults.axes[kPriceAxisDefault]);
            com::FAILED(result))
            return result;
        s_.buyMask.Exchange(archive_, u"BuyMask", flags_ & EXCHANGE_BODY_ONLY);
        s_.sellMask.Exchange(archive_, u"SellMask", flags_ & EXCHANGE_BODY_ONLY);
        if (!isBodyOnly(flags_) && !archive_.Failed()) {
            if (const auto result = ExchangeChartInfo(s_.chartSnapshot, archive_, version_, flags_);
                com::FAILED(result))
                return result;
            if (version_ >= 27)
                exchangeHideOutput();
        }
        if (archive_.Failed())
            return ArchiveResult(archive_);
        return exchangeDataUnit();
    }

private:
    void flag(std::uint8_t& value, const char16_t* key, std::uint8_t defaultValue) {
        ExchangeFlag(archive_, &value, key, defaultValue, version_);
    }

    void exchangeSwitches() {
        flag(s_.dateLine, u"DateLine", 1);
        flag(s_.dateInfo, u"DateInfo", 1);
        flag(s_.breakInSemester, u"BreakInSemester", 0);
        flag(s_.breakInQuarter, u"BreakInQuarter", 1);
        if (version_ >= 24) {
            archive_.ExchangeUlong(&s_.options, u"Options", 1);
            archive_.ExchangeUlong(&s_.propPageMask, u"PropPageMask", 895);
        }
        if (version_ >= 28)
            archive_.ExchangeShort(&s_.fullTechnicalStudyAxis, u"FullTechnicalStudyAxis", 2);
        if (version_ >= 30)
            flag(s_.top2BottomStudyAxis, u"Top2BottomStudyAxis", 0);
        if (version_ < 21) {
            if (!archive_.IsStoring())
                resetZoomAndSteps();
            return;
        }
        flag(s_.zoomRescale, u"ZoomRescale", 0);
        archive_.ExchangeShort(&s_.dateStep, u"DateStep", -1);
        archive_.ExchangeShort(&s_.dateMinorStep, u"DateMinorStep", -1);
        archive_.ExchangeShort(&s_.dateStepEvery, u"DateStepEvery", 1);
        archive_.ExchangeShort(&s_.dateMinorStepEvery, u"DateMinorStepEvery", 1);
    }

    void resetZoomAndSteps() {
        s_.zoomRescale = 0;
        s_.dateStep = -1;
        s_.dateMinorStep = -1;
        s_.dateStepEvery = 1;
        s_.dateMinorStepEvery = 1;
    }

    // Saves before version 29 carry the first ten formats; the others keep what they hold.
    void exchangeDateLabelFormats(const DefaultRecords& defaults) {
        const std::size_t count = archive_.IsStoring() || version_ >= 29 ? kDateLabelFormatCount : 10;
        for (std::size_t i = 0; i < count && !archive_.Failed(); ++i) {
            const std::u16string key = IndexedKey("DateAxis.", "Format", static_cast<int>(i));
            archive_.ExchangeInt(&s_.dateFormatCodes[i], key.c_str(), defaults.dateCodes[i]);
            ExchangeFormatPicture(archive_, s_.dateFormats[i], s_.dateFormatCodes[i],
                                  defaults.dateFormats[i].pictureText(), key, version_);
            if (!archive_.IsStoring() && !archive_.Failed())
                PrepareNumberFormat(s_.dateFormats[i].number, s_.dateFormatCodes[i] & 0x7FFF,
                                    s_.dateAxis.decimals, s_.dateAxis.locale, s_.dateAxis.symbol());
        }
    }

    // The current value is written; a 0 read leaves hidden outputs already set alone.
    void exchangeHideOutput() {
        std::int16_t hidden = s_.hideOutput;
        archive_.ExchangeShort(&hidden, u"HideOutput", 0);
        if (!archive_.IsStoring() && !archive_.Failed() && hidden != 0)
            s_.hideOutput = hidden;
    }

    // A data unit is a date level; anything else is a damaged save.
    com::HRESULT exchangeDataUnit() {
        std::int32_t dataUnit = s_.dateScale.GetLevel();
        if (version_ >= 22)
            archive_.ExchangeInt(&dataUnit, u"DataUnit", DL_POINTS);
        if (archive_.IsStoring() || archive_.Failed())
            return ArchiveResult(archive_);
        if (dataUnit < 0 || dataUnit >= kDateLevelCount)
            return kDamagedState;
        s_.dateScale.SetLevel(dataUnit);
        s_.currentDataUnit = dataUnit;
        return com::S_OK;
    }

    ExtensionSettings& s_;
    CPropertyArchive& archive_;
    std::uint32_t version_;
    std::uint32_t flags_;
};

}  // namespace

void ExtensionSettings::SetDefaults(const res::ResourceModule* module) {
    *this = ExtensionSettings{};
    buyMask.SetSize(kMaskTextBytes);
    buyMask.SetStringId(static_cast<std::int16_t>(kBuyMaskId));
    sellMask.SetSize(kMaskTextBytes);
    sellMask.SetStringId(static_cast<std::int16_t>(kSellMaskId));
    buyMask.GetText(module);
    sellMask.GetText(module);
    const DefaultRecords& defaults = GetDefaultRecords();
    priceAxis = defaults.axes[kPriceAxisDefault];
    dateAxis = defaults.axes[kDateAxisDefault];
    dateFormatCodes = defaults.dateCodes;
    dateFormats = defaults.dateFormats;
    dateScale.SetLevel(DL_POINTS);
    currentDataUnit = DL_POINTS;
    for (std::size_t i = 0; i < kSettingsCursorResources.size(); ++i)
        cursors[i] = ui::loadCursorResource(kSettingsCursorResources[i]);
    for (std::size_t i = 0; i < kSettingsSystemCursors.size(); ++i)
        cursors[kSettingsCursorResources.size() + i] = ui::loadSystemCursor(kSettingsSystemCursors[i]);
}

com::HRESULT ExtensionSettings::Exchange(CPropertyArchive& archive, std::uint32_t version,
                                         std::uint32_t flags) {
    return ExchangeWhole(*this, archive, [&](ExtensionSettings& target) {
        return SettingsExchange(target, archive, version, flags).run();
    });
}

}  // namespace dravik
