#include "axes/CAxisBase.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>

#include "axes/AxisPropertyCodes.h"
#include "dravik/AxisInterfaces.h"
#include "format/FormatCode.h"
#include "format/FormatPicture.h"
#include "format/ValueFormat.h"
#include "host/CHostChartAdapter.h"
#include "state/AxisSettingsExchange.h"

namespace dravik {
namespace {

using Record = AxisSettingsRecord;

template <typename Field>
struct NumericProperty {
    std::uint32_t bit;
    LONG code;
    Field Record::*field;
    bool scale;  // part of the axis's scale, which an analytical axis takes from its own chart
};

constexpr std::array kDoubleProperties{
    NumericProperty<double>{AUF_MIN, APC_MIN, &Record::min, true},
    NumericProperty<double>{AUF_MAX, APC_MAX, &Record::max, true},
    NumericProperty<double>{AUF_STEP, APC_STEP, &Record::step, true},
    NumericProperty<double>{AUF_MINORSTEP, APC_MINORSTEP, &Record::minorStep, true},
    NumericProperty<double>{AUF_SCALEUNIT, APC_SCALEUNIT, &Record::scaleUnit, false},
};

constexpr std::array kShortProperties{
    NumericProperty<std::int16_t>{AUF_GRIDWIDTH, APC_GRIDWIDTH, &Record::gridWidth, false},
    NumericProperty<std::int16_t>{AUF_GRIDSTYLE, APC_GRIDSTYLE, &Record::gridStyle, false},
    NumericProperty<std::int16_t>{AUF_MINORGRIDWIDTH, APC_MINORGRIDWIDTH, &Record::minorGridWidth, false},
    NumericProperty<std::int16_t>{AUF_MINORGRIDSTYLE, APC_MINORGRIDSTYLE, &Record::minorGridStyle, false},
};

// Colours and the locale: 32-bit words.
constexpr std::array kWordProperties{
    NumericProperty<std::uint32_t>{AUF_TEXTCOLOR, APC_TEXTCOLOR, &Record::textColor, false},
    NumericProperty<std::uint32_t>{AUF_GRIDCOLOR, APC_GRIDCOLOR, &Record::gridColor, false},
    NumericProperty<std::uint32_t>{AUF_MINORGRIDCOLOR, APC_MINORGRIDCOLOR, &Record::minorGridColor, false},
    NumericProperty<std::uint32_t>{AUF_TITLECOLOR, APC_TITLECOLOR, &Record::titleColor, false},
    NumericProperty<std::uint32_t>{AUF_LOCALE, APC_LOCALE, &Record::locale, false},
};

// Axis values travel as doubles. A value that is no number, or too large for any field, reads as 0
// rather than overflowing the conversion.
std::int64_t wholeNumber(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 9.0e15)
        return 0;
    return static_cast<std::int64_t>(value);
}

template <typename Field>
Field fromChart(double value) {
    if constexpr (std::is_same_v<Field, double>)
        return value;
    else if constexpr (std::is_same_v<Field, std::int16_t>)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(wholeNumber(value)));
    else
        return static_cast<std::uint32_t>(wholeNumber(value));
}

// Colours go to the chart as signed 32-bit values, so that a system colour stays negative.
template <typename Field>
double toChart(Field value) {
    if constexpr (std::is_same_v<Field, std::uint32_t>)
        return static_cast<double>(static_cast<std::int32_t>(value));
    else
        return static_cast<double>(value);
}

VARIANT_BOOL asVariantBool(bool on) {
    return on ? com::VARIANT_TRUE : com::VARIANT_FALSE;
}

}  // namespace

void CAxisBase::Bind(IAxisOwner* owner, CHostChartAdapter* adapter, AxisSettingsRecord* settings) {
    owner_ = owner;
    adapter_ = adapter;
    settings_ = settings;
}

void CAxisBase::SetAxis(SHORT axis, std::uint32_t mask) {
    axis_ = axis;
    Refresh(mask);
}

CHostChartAdapter* CAxisBase::chart() const {
    if (adapter_)
        return adapter_;
    return owner_ ? owner_->AxisAdapter() : nullptr;
}

double CAxisBase::readValue(SHORT chartAxis, LONG code) const {
    CHostChartAdapter* adapter = chart();
    return adapter ? adapter->GetAxisValue(chartAxis, code) : 0;
}

void CAxisBase::writeValue(SHORT chartAxis, LONG code, double value) const {
    if (CHostChartAdapter* adapter = chart())
        adapter->SetAxisValue(chartAxis, code, value);
}

void CAxisBase::RepaintIfBound() {
    if (axis_ >= 0 && owner_ && owner_->AxisAdapter())
        owner_->RepaintAxisChart();
}

std::string CAxisBase::GetTitleText() {
    return settings_ ? settings_->titleText() : std::string();
}

int CAxisBase::GetTitleLength() {
    return static_cast<int>(GetTitleText().size());
}

// --- refresh and apply ------------------------------------------------------------------------------

void CAxisBase::Refresh(std::uint32_t mask) {
    if (!settings_ || !isBound())
        return;
    refreshFrom(axis_, mask, true);
}

void CAxisBase::refreshFrom(SHORT chartAxis, std::uint32_t mask, bool ownScale) {
    const auto wanted = [&](std::uint32_t bit) { return (mask & bit) != 0 && !isUserSet(bit); };
    const auto refreshTable = [&](const auto& table) {
        for (const auto& property : table) {
            if ((ownScale || !property.scale) && wanted(property.bit))
                settings_->*property.field =
                    fromChart<std::remove_cvref_t<decltype(settings_->*property.field)>>(
                        readValue(chartAxis, property.code));
        }
    };
    refreshTable(kDoubleProperties);
    refreshTable(kShortProperties);
    refreshTable(kWordProperties);
    if (ownScale && (mask & (AUF_SCALE | AUF_STYLE)) != 0 && !isUserSet(AUF_SCALE | AUF_STYLE))
        readStyle(chartAxis);
    if ((mask & AUF_DECIMALS) != 0) {
        if (isUserSet(AUF_DECIMALS))
            settings_->decimals = settings_->savedDecimals;
        else
            settings_->decimals = fromChart<std::int16_t>(readValue(chartAxis, APC_DECIMALS));
    }
    if (wanted(AUF_FORMAT)) {
        // The chart's format is taken as it stands; it does not count as set by the user.
        com::Variant format;
        if (CHostChartAdapter* adapter = chart();
            adapter && com::SUCCEEDED(adapter->GetAxisFormat(chartAxis, &format)))
            parseFormat(format);
    }
    readTickWord(chartAxis, &Record::tickStyle, AUF_TICKSTYLE, APC_GRID, AUF_TICKMARK, APC_TICKMARK, mask);
    readTickWord(chartAxis, &Record::minorTickStyle, AUF_MINORTICKSTYLE, APC_MINORGRID, AUF_MINORTICKMARK,
                 APC_MINORTICKMARK, mask);
    if (wanted(AUF_TITLE)) {
        com::Bstr title;
        get_Title(&title);
    }
    if (wanted(AUF_CURRENCYSYMBOL)) {
        com::Bstr symbol;
        get_CurrencySymbol(&symbol);
    }
}

void CAxisBase::readStyle(SHORT chartAxis) {
    settings_->style = fromChart<std::uint32_t>(readValue(chartAxis, APC_STYLE));
}

void CAxisBase::readTickWord(SHORT chartAxis, std::int16_t AxisSettingsRecord::*word, std::uint32_t gridBit,
                             LONG gridCode, std::uint32_t tickBit, LONG tickCode, std::uint32_t mask) {
    auto bits = static_cast<std::uint16_t>(settings_->*word);
    if ((mask & gridBit) != 0 && !isUserSet(gridBit))
        bits = readValue(chartAxis, gridCode) != 0 ? (bits | kGridBit) : (bits & ~kGridBit);
    if ((mask & tickBit) != 0 && !isUserSet(tickBit))
        bits = (bits & kGridBit) | (wholeNumber(readValue(chartAxis, tickCode)) & kTickKindMask);
    settings_->*word = static_cast<std::int16_t>(bits);
}

void CAxisBase::Apply(std::uint32_t mask) {
    if (!settings_)
        return;
    const Record& r = *settings_;
    const auto applies = [&](std::uint32_t bit) { return (mask & bit) != 0 && isUserSet(bit); };
    if (applies(AUF_STYLE))
        put_Style(static_cast<LONG>(r.style));
    if (applies(AUF_SCALE))
        put_AutoScale(asVariantBool((r.style & AS_AUTOSCALE) != 0));
    if (applies(AUF_MIN))
        put_Min(r.min);
    if (applies(AUF_MAX))
        put_Max(r.max);
    if (applies(AUF_STEP))
        put_Step(r.step);
    if (applies(AUF_MINORSTEP))
        put_MinorStep(r.minorStep);
    if (applies(AUF_TEXTCOLOR))
        put_TextColor(static_cast<LONG>(r.textColor));
    if (applies(AUF_SCALEUNIT))
        put_ScaleUnit(r.scaleUnit);
    if (applies(AUF_DECIMALS))
        put_Decimals(r.decimals);
    if (applies(AUF_FORMAT)) {
        com::Variant format;
        GetStoredFormat(&format);
        put_Format(format);
    }
    if (applies(AUF_TICKSTYLE))
        put_Grid(asVariantBool((r.tickStyle & static_cast<std::int16_t>(kGridBit)) != 0));
    if (applies(AUF_GRIDWIDTH))
        put_GridWidth(r.gridWidth);
    if (applies(AUF_GRIDSTYLE))
        put_GridStyle(r.gridStyle);
    if (applies(AUF_GRIDCOLOR))
        put_GridColor(static_cast<LONG>(r.gridColor));
    if (applies(AUF_MINORTICKSTYLE))
        put_MinorGrid(asVariantBool((r.minorTickStyle & static_cast<std::int16_t>(kGridBit)) != 0));
    if (applies(AUF_MINORGRIDWIDTH))
        put_MinorGridWidth(r.minorGridWidth);
    if (applies(AUF_MINORGRIDSTYLE))
        put_MinorGridStyle(r.minorGridStyle);
    if (applies(AUF_MINORGRIDCOLOR))
        put_MinorGridColor(static_cast<LONG>(r.minorGridColor));
    if (applies(AUF_TITLE))
        put_Title(com::Bstr::fromUtf8(r.titleText()));
    if (applies(AUF_TITLECOLOR))
        put_TitleColor(static_cast<LONG>(r.titleColor));
    if (applies(AUF_TICKMARK))
        put_TickMark(static_cast<SHORT>(r.tickStyle & kTickKindMask));
    if (applies(AUF_MINORTICKMARK))
        put_MinorTickMark(static_cast<SHORT>(r.minorTickStyle & kTickKindMask));
    if (applies(AUF_LOCALE))
        put_Locale(static_cast<LONG>(r.locale));
    if (applies(AUF_CURRENCYSYMBOL))
        put_CurrencySymbol(com::Bstr::fromUtf8(r.symbol()));
}

int CAxisBase::FormatLabel(double* value, char* text, std::size_t size) {
    if (!settings_ || !value) {
        if (text && size > 0)
            text[0] = '\0';
        return 0;
    }
    // A scale unit of 0 would make every label infinite: it counts as 1.
    const double unit = settings_->scaleUnit != 0 ? settings_->scaleUnit : 1.0;
    *value /= unit;
    if ((settings_->style & AS_HIDE) != 0) {
        com::copyToFixed(" ", text, size);
        return 1;
    }
    FormatValue(text, size, *value, settings_->format, settings_->decimals, settings_->prepared,
                settings_->locale);
    return 1;
}

int CAxisBase::FormatStepLabel(double* value, double step, char* text, std::size_t size) {
    if (!settings_ || !value || (settings_->style & AS_HIDE) != 0 || isDateKind(settings_->format))
        return FormatLabel(value, text, size);
    const FormatCode kind = formatKind(settings_->format);
    const double unit = settings_->scaleUnit != 0 ? settings_->scaleUnit : 1.0;
    // A percent label shows a hundred times the value, so it needs two decimals fewer.
    const double shown = std::fabs(step / unit) * (kind == FC_PERCENT ? 100.0 : 1.0);
    constexpr double kMostDecimals = 10;
    if (kind == FC_SCIENTIFIC || !(shown > 0) || !std::isfinite(shown))
        return FormatLabel(value, text, size);
    const int needed = static_cast<int>(std::clamp(std::ceil(-std::log10(shown) - 1e-9), 0.0, kMostDecimals));
    if (needed <= settings_->decimals)
        return FormatLabel(value, text, size);
    *value /= unit;
    PreparedFormat prepared = settings_->prepared;
    prepared.number.digits = std::max(prepared.number.digits, needed);
    FormatValue(text, size, *value, settings_->format, needed, prepared, settings_->locale);
    return 1;
}

// --- numeric properties -----------------------------------------------------------------------------

template <typename Field>
HRESULT CAxisBase::getNumber(Field AxisSettingsRecord::*field, LONG code, Field* out) {
    if (!out)
        return com::E_POINTER;
    *out = Field{};
    if (!settings_)
        return com::E_FAIL;
    if (isBound())
        settings_->*field = fromChart<Field>(readValue(axis_, code));
    *out = settings_->*field;
    return com::S_OK;
}

template <typename Field>
HRESULT CAxisBase::putNumber(Field AxisSettingsRecord::*field, std::uint32_t bit, LONG code, Field value) {
    if (!settings_)
        return com::E_FAIL;
    settings_->*field = value;
    markUserSet(bit);
    if (isBound())
        writeValue(axis_, code, toChart(value));
    RepaintIfBound();
    return com::S_OK;
}

// Colours and the locale are 32-bit words in the record and LONGs at the interface.
namespace {
template <typename Get>
HRESULT asLong(LONG* value, Get get) {
    std::uint32_t word = 0;
    const HRESULT hr = get(value ? &word : nullptr);
    if (value)
        *value = static_cast<LONG>(word);
    return hr;
}
}  // namespace

HRESULT CAxisBase::putRangeEnd(double AxisSettingsRecord::*field, std::uint32_t bit, LONG code,
                               double value) {
    if (!settings_)
        return com::E_FAIL;
    settings_->*field = value;
    // A range given by hand ends the automatic scale; no repaint, the other end usually follows.
    settings_->style &= ~static_cast<std::uint32_t>(AS_AUTOSCALE);
    markUserSet(bit | AUF_SCALE);
    if (isBound())
        writeValue(axis_, code, value);
    return com::S_OK;
}

HRESULT CAxisBase::get_Min(double* value) {
    return getNumber(&Record::min, APC_MIN, value);
}
HRESULT CAxisBase::put_Min(double value) {
    return putRangeEnd(&Record::min, AUF_MIN, APC_MIN, value);
}
HRESULT CAxisBase::get_Max(double* value) {
    return getNumber(&Record::max, APC_MAX, value);
}
HRESULT CAxisBase::put_Max(double value) {
    return putRangeEnd(&Record::max, AUF_MAX, APC_MAX, value);
}
HRESULT CAxisBase::get_Step(double* value) {
    return getNumber(&Record::step, APC_STEP, value);
}
HRESULT CAxisBase::put_Step(double value) {
    return putNumber(&Record::step, AUF_STEP, APC_STEP, value);
}
HRESULT CAxisBase::get_MinorStep(double* value) {
    return getNumber(&Record::minorStep, APC_MINORSTEP, value);
}
HRESULT CAxisBase::put_MinorStep(double value) {
    return putNumber(&Record::minorStep, AUF_MINORSTEP, APC_MINORSTEP, value);
}
HRESULT CAxisBase::get_ScaleUnit(double* value) {
    return getNumber(&Record::scaleUnit, APC_SCALEUNIT, value);
}
HRESULT CAxisBase::put_ScaleUnit(double value) {
    return putNumber(&Record::scaleUnit, AUF_SCALEUNIT, APC_SCALEUNIT, value);
}
HRESULT CAxisBase::get_GridWidth(SHORT* value) {
    return getNumber(&Record::gridWidth, APC_GRIDWIDTH, value);
}
HRESULT CAxisBase::put_GridWidth(SHORT value) {
    return putNumber(&Record::gridWidth, AUF_GRIDWIDTH, APC_GRIDWIDTH, value);
}
HRESULT CAxisBase::get_GridStyle(SHORT* value) {
    return getNumber(&Record::gridStyle, APC_GRIDSTYLE, value);
}
HRESULT CAxisBase::put_GridStyle(SHORT value) {
    return putNumber(&Record::gridStyle, AUF_GRIDSTYLE, APC_GRIDSTYLE, value);
}
HRESULT CAxisBase::get_MinorGridWidth(SHORT* value) {
    return getNumber(&Record::minorGridWidth, APC_MINORGRIDWIDTH, value);
}
HRESULT CAxisBase::put_MinorGridWidth(SHORT value) {
    return putNumber(&Record::minorGridWidth, AUF_MINORGRIDWIDTH, APC_MINORGRIDWIDTH, value);
}
HRESULT CAxisBase::get_MinorGridStyle(SHORT* value) {
    return getNumber(&Record::minorGridStyle, APC_MINORGRIDSTYLE, value);
}
HRESULT CAxisBase::put_MinorGridStyle(SHORT value) {
    return putNumber(&Record::minorGridStyle, AUF_MINORGRIDSTYLE, APC_MINORGRIDSTYLE, value);
}
HRESULT CAxisBase::get_TextColor(LONG* value) {
    return asLong(value, [&](std::uint32_t* w) { return getNumber(&Record::textColor, APC_TEXTCOLOR, w); });
}
HRESULT CAxisBase::put_TextColor(LONG value) {
    return putNumber(&Record::textColor, AUF_TEXTCOLOR, APC_TEXTCOLOR, static_cast<std::uint32_t>(value));
}
HRESULT CAxisBase::get_GridColor(LONG* value) {
    return asLong(value, [&](std::uint32_t* w) { return getNumber(&Record::gridColor, APC_GRIDCOLOR, w); });
}
HRESULT CAxisBase::put_GridColor(LONG value) {
    return putNumber(&Record::gridColor, AUF_GRIDCOLOR, APC_GRIDCOLOR, static_cast<std::uint32_t>(value));
}
HRESULT CAxisBase::get_MinorGridColor(LONG* value) {
    return asLong(
        value, [&](std::uint32_t* w) { return getNumber(&Record::minorGridColor, APC_MINORGRIDCOLOR, w); });
}
HRESULT CAxisBase::put_MinorGridColor(LONG value) {
    return putNumber(&Record::minorGridColor, AUF_MINORGRIDCOLOR, APC_MINORGRIDCOLOR,
                     static_cast<std::uint32_t>(value));
}
HRESULT CAxisBase::get_TitleColor(LONG* value) {
    return asLong(value, [&](std::uint32_t* w) { return getNumber(&Record::titleColor, APC_TITLECOLOR, w); });
}
HRESULT CAxisBase::put_TitleColor(LONG value) {
    return putNumber(&Record::titleColor, AUF_TITLECOLOR, APC_TITLECOLOR, static_cast<std::uint32_t>(value));
}
HRESULT CAxisBase::get_Locale(LONG* value) {
    return asLong(value, [&](std::uint32_t* w) { return getNumber(&Record::locale, APC_LOCALE, w); });
}
HRESULT CAxisBase::put_Locale(LONG value) {
    return putNumber(&Record::locale, AUF_LOCALE, APC_LOCALE, static_cast<std::uint32_t>(value));
}
HRESULT CAxisBase::get_Style(LONG* value) {
    return asLong(value, [&](std::uint32_t* w) { return getNumber(&Record::style, APC_STYLE, w); });
}
HRESULT CAxisBase::put_Style(LONG value) {
    return putNumber(&Record::style, AUF_STYLE, APC_STYLE, static_cast<std::uint32_t>(value));
}

HRESULT CAxisBase::get_AutoScale(VARIANT_BOOL* value) {
    LONG style = 0;
    const HRESULT hr = get_Style(value ? &style : nullptr);
    if (value)
        *value = asVariantBool((static_cast<std::uint32_t>(style) & AS_AUTOSCALE) != 0);
    return hr;
}

HRESULT CAxisBase::put_AutoScale(VARIANT_BOOL value) {
    if (!settings_)
        return com::E_FAIL;
    settings_->style = ModifyBits(settings_->style, AS_AUTOSCALE, value == com::VARIANT_TRUE);
    markUserSet(AUF_SCALE);
    if (isBound())
        writeValue(axis_, APC_STYLE, toChart(settings_->style));
    RepaintIfBound();
    return com::S_OK;
}

HRESULT CAxisBase::get_Decimals(SHORT* value) {
    return getNumber(&Record::decimals, APC_DECIMALS, value);
}

HRESULT CAxisBase::put_Decimals(SHORT value) {
    if (!settings_)
        return com::E_FAIL;
    settings_->decimals = value;
    settings_->savedDecimals = value;
    // A number format prepared from the locale carries the digit count too.
    if (!settings_->prepared.number.decimal().empty())
        settings_->prepared.number.digits = std::clamp<std::int32_t>(value, 0, 9);
    markUserSet(AUF_DECIMALS);
    if (isBound())
        writeValue(axis_, APC_DECIMALS, static_cast<double>(static_cast<std::uint16_t>(value)));
    RepaintIfBound();
    return com::S_OK;
}

// --- grid flags and tick kinds ----------------------------------------------------------------------

HRESULT CAxisBase::getGridFlag(std::int16_t AxisSettingsRecord::*word, LONG code, VARIANT_BOOL* out) {
    if (!out)
        return com::E_POINTER;
    *out = com::VARIANT_FALSE;
    if (!settings_)
        return com::E_FAIL;
    if (isBound()) {
        const auto bits = static_cast<std::uint16_t>(settings_->*word);
        settings_->*word =
            static_cast<std::int16_t>(readValue(axis_, code) != 0 ? (bits | kGridBit) : (bits & ~kGridBit));
    }
    *out = asVariantBool((static_cast<std::uint16_t>(settings_->*word) & kGridBit) != 0);
    return com::S_OK;
}

HRESULT CAxisBase::putGridFlag(std::int16_t AxisSettingsRecord::*word, std::uint32_t bit, LONG code,
                               VARIANT_BOOL on) {
    if (!settings_)
        return com::E_FAIL;
    const auto bits = static_cast<std::uint16_t>(settings_->*word);
    settings_->*word = static_cast<std::int16_t>(on != 0 ? (bits | kGridBit) : (bits & ~kGridBit));
    markUserSet(bit);
    if (isBound())
        writeValue(axis_, code, on != 0 ? kGridBit : 0);
    RepaintIfBound();
    return com::S_OK;
}

HRESULT CAxisBase::getTick(std::int16_t AxisSettingsRecord::*word, LONG code, SHORT* out) {
    if (!out)
        return com::E_POINTER;
    *out = 0;
    if (!settings_)
        return com::E_FAIL;
    const auto bits = static_cast<std::uint16_t>(settings_->*word);
    if (isBound())
        settings_->*word = static_cast<std::int16_t>((bits & kGridBit) |
                                                     (wholeNumber(readValue(axis_, code)) & kTickKindMask));
    *out = static_cast<SHORT>(settings_->*word & kTickKindMask);
    return com::S_OK;
}

HRESULT CAxisBase::putTick(std::int16_t AxisSettingsRecord::*word, std::uint32_t bit, LONG code, SHORT kind) {
    if (!settings_)
        return com::E_FAIL;
    const auto bits = static_cast<std::uint16_t>(settings_->*word);
    settings_->*word = static_cast<std::int16_t>((bits & kGridBit) | (kind & kTickKindMask));
    markUserSet(bit);
    if (isBound())
        writeValue(axis_, code, kind & kTickKindMask);
    RepaintIfBound();
    return com::S_OK;
}

HRESULT CAxisBase::get_Grid(VARIANT_BOOL* value) {
    return getGridFlag(&Record::tickStyle, APC_GRID, value);
}
HRESULT CAxisBase::put_Grid(VARIANT_BOOL value) {
    return putGridFlag(&Record::tickStyle, AUF_TICKSTYLE, APC_GRID, value);
}
HRESULT CAxisBase::get_MinorGrid(VARIANT_BOOL* value) {
    return getGridFlag(&Record::minorTickStyle, APC_MINORGRID, value);
}
HRESULT CAxisBase::put_MinorGrid(VARIANT_BOOL value) {
    return putGridFlag(&Record::minorTickStyle, AUF_MINORTICKSTYLE, APC_MINORGRID, value);
}
HRESULT CAxisBase::get_TickMark(SHORT* value) {
    return getTick(&Record::tickStyle, APC_TICKMARK, value);
}
HRESULT CAxisBase::put_TickMark(SHORT value) {
    return putTick(&Record::tickStyle, AUF_TICKMARK, APC_TICKMARK, value);
}
HRESULT CAxisBase::get_MinorTickMark(SHORT* value) {
    return getTick(&Record::minorTickStyle, APC_MINORTICKMARK, value);
}
HRESULT CAxisBase::put_MinorTickMark(SHORT value) {
    return putTick(&Record::minorTickStyle, AUF_MINORTICKMARK, APC_MINORTICKMARK, value);
}

// --- format, title and currency symbol --------------------------------------------------------------

bool CAxisBase::parseFormat(const com::Variant& format) {
    PreparedFormat prepared = settings_->prepared;
    std::int32_t digits = settings_->decimals;
    FormatCode code = 0;
    if (!FormatFromVariant(format, prepared, digits, code, settings_->locale))
        return false;
    settings_->prepared = prepared;
    settings_->format = code;
    settings_->decimals = static_cast<std::int16_t>(std::clamp<std::int32_t>(digits, INT16_MIN, INT16_MAX));
    return true;
}

bool CAxisBase::takeUserFormat(const com::Variant& format) {
    const std::int16_t decimals = settings_->decimals;
    if (!parseFormat(format))
        return false;
    markUserSet(AUF_FORMAT);
    if (settings_->decimals != decimals) {
        settings_->savedDecimals = settings_->decimals;
        markUserSet(AUF_DECIMALS);
    }
    return true;
}

HRESULT CAxisBase::get_Format(com::Variant* value) {
    if (!value)
        return com::E_POINTER;
    *value = com::Variant();
    if (!settings_)
        return com::E_FAIL;
    if (isBound())
        chart()->GetAxisFormat(axis_, value);
    *value = com::Variant(static_cast<std::int32_t>(settings_->format));
    return com::S_OK;
}

HRESULT CAxisBase::put_Format(com::Variant value) {
    if (!settings_ || !takeUserFormat(value))
        return com::E_FAIL;
    if (isBound())
        chart()->SetAxisFormat(axis_, value);
    RepaintIfBound();
    return com::S_OK;
}

HRESULT CAxisBase::GetStoredFormat(com::Variant* value) {
    if (!value)
        return com::E_POINTER;
    *value = com::Variant();
    if (!settings_)
        return com::E_FAIL;
    *value = com::Variant(static_cast<std::int32_t>(settings_->format));
    return com::S_OK;
}

HRESULT CAxisBase::SetStoredFormat(com::Variant value) {
    if (!settings_ || !takeUserFormat(value))
        return com::E_FAIL;
    return com::S_OK;
}

HRESULT CAxisBase::get_Title(com::Bstr* value) {
    if (!value)
        return com::E_INVALIDARG;
    *value = com::Bstr();
    if (!settings_)
        return com::E_FAIL;
    CHostChartAdapter* adapter = chart();
    if (adapter && axis_ >= 0 && axis_ < kTitledAxisCount) {
        std::array<char, kAxisTitleBytes> text{};
        if (com::SUCCEEDED(adapter->GetAxisTitle(axis_, text.data(), kAxisTitleBytes)))
            settings_->setTitle(com::readFixed(text));
    }
    *value = com::Bstr::fromUtf8(settings_->titleText());
    return com::S_OK;
}

HRESULT CAxisBase::put_Title(const com::Bstr& value) {
    if (!settings_)
        return com::E_FAIL;
    settings_->setTitle(value.toUtf8());
    markUserSet(AUF_TITLE);
    CHostChartAdapter* adapter = chart();
    if (adapter && axis_ >= 0 && axis_ < kTitledAxisCount)
        adapter->SetAxisTitle(axis_, settings_->titleText().c_str());
    RepaintIfBound();
    return com::S_OK;
}

HRESULT CAxisBase::get_CurrencySymbol(com::Bstr* value) {
    if (!value)
        return com::E_POINTER;
    *value = com::Bstr();
    if (!settings_)
        return com::E_FAIL;
    if (isBound()) {
        std::array<char, kAxisCurrencyBytes> text{};
        if (com::SUCCEEDED(chart()->GetAxisText(axis_, text.data(), kAxisCurrencyBytes))) {
            settings_->setSymbol(com::readFixed(text));
            PrepareAxisFormat(*settings_);
        }
    }
    *value = com::Bstr::fromUtf8(settings_->symbol());
    return com::S_OK;
}

HRESULT CAxisBase::put_CurrencySymbol(const com::Bstr& value) {
    if (!settings_)
        return com::E_FAIL;
    settings_->setSymbol(value.toUtf8());
    PrepareAxisFormat(*settings_);
    markUserSet(AUF_CURRENCYSYMBOL);
    if (isBound())
        chart()->SetAxisText(axis_, settings_->symbol().c_str());
    RepaintIfBound();
    return com::S_OK;
}

}  // namespace dravik
