#include "axes/CAnalyticalAxisBase.h"

#include "axes/AxisPropertyCodes.h"
#include "axes/LinePen.h"
#include "dravik/AxisInterfaces.h"
#include "format/FormatCode.h"
#include "gdi/DeviceContext.h"
#include "host/CHostChartAdapter.h"

namespace dravik {
namespace {

using Record = AxisSettingsRecord;

constexpr std::uint32_t kScaleBits = AUF_MIN | AUF_MAX | AUF_STEP | AUF_MINORSTEP;

template <typename Out, typename Field>
Out toInterface(Field value) {
    return static_cast<Out>(value);
}

}  // namespace

CAnalyticalAxisBase::~CAnalyticalAxisBase() {
    if (gridPen_ != gdi::NULL_HANDLE)
        gdi::deleteObject(gridPen_);
    if (gridBrush_ != gdi::NULL_HANDLE)
        gdi::deleteObject(gridBrush_);
}

void CAnalyticalAxisBase::BindChart(IAnalyticalAxisChart* chart, LONG axisNumber) {
    chart_ = chart;
    axisNumber_ = axisNumber;
}

bool CAnalyticalAxisBase::chartIsCurrent() const {
    return chart_ && chart_->IsCurrentChartType();
}

void CAnalyticalAxisBase::RepaintIfBound() {
    if (chartIsCurrent() && owner_ && owner_->AxisAdapter())
        owner_->RepaintAxisChart();
}

std::string CAnalyticalAxisBase::GetTitleText() {
    return settings_ ? settings_->titleText() : std::string();
}

int CAnalyticalAxisBase::GetTitleLength() {
    return static_cast<int>(GetTitleText().size());
}

// --- refresh and apply ------------------------------------------------------------------------------

void CAnalyticalAxisBase::Refresh(std::uint32_t mask) {
    if (!settings_)
        return;
    AnalyticalAxisScale scale;
    if (chart_ && axisNumber_ >= 0 && chart_->GetAxisScale(axisNumber_, scale)) {
        const auto take = [&](std::uint32_t bit, double Record::*field, double value) {
            if ((mask & bit) != 0 && !isUserSet(bit))
                settings_->*field = value;
        };
        take(AUF_MIN, &Record::min, scale.min);
        take(AUF_MAX, &Record::max, scale.max);
        take(AUF_STEP, &Record::step, scale.step);
        take(AUF_MINORSTEP, &Record::minorStep, scale.minorStep);
    }
    // The chart scales its panes itself unless the user set the style or the range.
    if (!isUserSet(AUF_STYLE | AUF_SCALE))
        settings_->style |= AS_AUTOSCALE;
    if (chart_ && chart() != nullptr)
        refreshFrom(chart_->StudyChartAxis(), mask & ~kScaleBits, false);
}

void CAnalyticalAxisBase::Apply(std::uint32_t mask) {
    if (!settings_ || !chartIsCurrent() || axisNumber_ < 0)
        return;
    const auto apply = [&](std::uint32_t bit, AnalyticalScaleField which, double value) {
        if ((mask & bit) != 0 && isUserSet(bit))
            chart_->SetAxisScaleValue(axisNumber_, which, value);
    };
    apply(AUF_MIN, AnalyticalScaleField::Min, settings_->min);
    apply(AUF_MAX, AnalyticalScaleField::Max, settings_->max);
    apply(AUF_STEP, AnalyticalScaleField::Step, settings_->step);
    apply(AUF_MINORSTEP, AnalyticalScaleField::MinorStep, settings_->minorStep);
    RepaintIfBound();
}

// --- the scale ----------------------------------------------------------------------------------------

HRESULT CAnalyticalAxisBase::getScale(double AxisSettingsRecord::*field, std::uint32_t bit,
                                      double AnalyticalAxisScale::*computed, double* out) {
    if (!out)
        return com::E_POINTER;
    *out = 0;
    if (!settings_)
        return com::E_FAIL;
    AnalyticalAxisScale scale;
    if (!isUserSet(bit) && chart_ && axisNumber_ >= 0 && chart_->GetAxisScale(axisNumber_, scale))
        settings_->*field = scale.*computed;
    *out = settings_->*field;
    return com::S_OK;
}

HRESULT CAnalyticalAxisBase::putScale(double AxisSettingsRecord::*field, std::uint32_t bit,
                                      AnalyticalScaleField which, double value) {
    if (!settings_)
        return com::E_FAIL;
    settings_->*field = value;
    if (bit == AUF_MIN || bit == AUF_MAX) {
        settings_->style &= ~static_cast<std::uint32_t>(AS_AUTOSCALE);
        bit |= AUF_SCALE;
    }
    markUserSet(bit);
    if (chartIsCurrent() && axisNumber_ >= 0) {
        chart_->SetAxisScaleValue(axisNumber_, which, value);
        RepaintIfBound();
    }
    return com::S_OK;
}

HRESULT CAnalyticalAxisBase::get_Min(double* value) {
    return getScale(&Record::min, AUF_MIN, &AnalyticalAxisScale::min, value);
}
HRESULT CAnalyticalAxisBase::put_Min(double value) {
    return putScale(&Record::min, AUF_MIN, AnalyticalScaleField::Min, value);
}
HRESULT CAnalyticalAxisBase::get_Max(double* value) {
    return getScale(&Record::max, AUF_MAX, &AnalyticalAxisScale::max, value);
}
HRESULT CAnalyticalAxisBase::put_Max(double value) {
    return putScale(&Record::max, AUF_MAX, AnalyticalScaleField::Max, value);
}
HRESULT CAnalyticalAxisBase::get_Step(double* value) {
    return getScale(&Record::step, AUF_STEP, &AnalyticalAxisScale::step, value);
}
HRESULT CAnalyticalAxisBase::put_Step(double value) {
    return putScale(&Record::step, AUF_STEP, AnalyticalScaleField::Step, value);
}
HRESULT CAnalyticalAxisBase::get_MinorStep(double* value) {
    return getScale(&Record::minorStep, AUF_MINORSTEP, &AnalyticalAxisScale::minorStep, value);
}
HRESULT CAnalyticalAxisBase::put_MinorStep(double value) {
    return putScale(&Record::minorStep, AUF_MINORSTEP, AnalyticalScaleField::MinorStep, value);
}

// --- properties the chart draws from the record ------------------------------------------------------

template <typename Field, typename Out>
HRESULT CAnalyticalAxisBase::getStored(Field AxisSettingsRecord::*field, Out* out) {
    if (!out)
        return com::E_POINTER;
    *out = Out{};
    if (!settings_)
        return com::E_FAIL;
    *out = toInterface<Out>(settings_->*field);
    return com::S_OK;
}

template <typename Field>
HRESULT CAnalyticalAxisBase::putStored(Field AxisSettingsRecord::*field, std::uint32_t bit, Field value) {
    if (!settings_)
        return com::E_FAIL;
    settings_->*field = value;
    markUserSet(bit);
    RepaintIfBound();
    return com::S_OK;
}

HRESULT CAnalyticalAxisBase::putWordBits(std::int16_t AxisSettingsRecord::*word, std::uint32_t bit,
                                         std::uint16_t keep, std::uint16_t bits) {
    if (!settings_)
        return com::E_FAIL;
    const auto old = static_cast<std::uint16_t>(settings_->*word);
    return putStored(word, bit, static_cast<std::int16_t>((old & keep) | bits));
}

HRESULT CAnalyticalAxisBase::get_AutoScale(VARIANT_BOOL* value) {
    if (!value)
        return com::E_POINTER;
    *value = com::VARIANT_FALSE;
    if (!settings_)
        return com::E_FAIL;
    *value = com::toVariantBool((settings_->style & AS_AUTOSCALE) != 0);
    return com::S_OK;
}
HRESULT CAnalyticalAxisBase::put_AutoScale(VARIANT_BOOL value) {
    if (!settings_)
        return com::E_FAIL;
    return putStored(&Record::style, AUF_SCALE,
                     ModifyBits(settings_->style, AS_AUTOSCALE, value == com::VARIANT_TRUE));
}
HRESULT CAnalyticalAxisBase::get_ScaleUnit(double* value) {
    return getStored(&Record::scaleUnit, value);
}
HRESULT CAnalyticalAxisBase::put_ScaleUnit(double value) {
    return putStored(&Record::scaleUnit, AUF_SCALEUNIT, value);
}
HRESULT CAnalyticalAxisBase::get_Decimals(SHORT* value) {
    return getStored(&Record::decimals, value);
}
HRESULT CAnalyticalAxisBase::put_Decimals(SHORT value) {
    if (!settings_)
        return com::E_FAIL;
    settings_->savedDecimals = value;
    if (!settings_->prepared.number.decimal().empty())
        settings_->prepared.number.digits = value < 0 ? 0 : (value > 9 ? 9 : value);
    return putStored(&Record::decimals, AUF_DECIMALS, value);
}
HRESULT CAnalyticalAxisBase::get_Format(com::Variant* value) {
    return GetStoredFormat(value);
}
HRESULT CAnalyticalAxisBase::put_Format(com::Variant value) {
    if (!settings_ || !takeUserFormat(value))
        return com::E_FAIL;
    RepaintIfBound();
    return com::S_OK;
}
HRESULT CAnalyticalAxisBase::get_TextColor(LONG* value) {
    return getStored(&Record::textColor, value);
}
HRESULT CAnalyticalAxisBase::put_TextColor(LONG value) {
    return putStored(&Record::textColor, AUF_TEXTCOLOR, static_cast<std::uint32_t>(value));
}
HRESULT CAnalyticalAxisBase::getGridBit(std::int16_t Record::*tickWord, VARIANT_BOOL* value) {
    SHORT word = 0;
    const HRESULT hr = getStored(tickWord, value ? &word : nullptr);
    if (value)
        *value = com::toVariantBool((static_cast<std::uint16_t>(word) & kGridBit) != 0);
    return hr;
}
HRESULT CAnalyticalAxisBase::get_Grid(VARIANT_BOOL* value) {
    return getGridBit(&Record::tickStyle, value);
}
HRESULT CAnalyticalAxisBase::put_Grid(VARIANT_BOOL value) {
    return putWordBits(&Record::tickStyle, AUF_TICKSTYLE, kTickKindMask, value != 0 ? kGridBit : 0);
}
HRESULT CAnalyticalAxisBase::get_GridWidth(SHORT* value) {
    return getStored(&Record::gridWidth, value);
}
HRESULT CAnalyticalAxisBase::put_GridWidth(SHORT value) {
    return putStored(&Record::gridWidth, AUF_GRIDWIDTH, value);
}
HRESULT CAnalyticalAxisBase::get_GridStyle(SHORT* value) {
    return getStored(&Record::gridStyle, value);
}
HRESULT CAnalyticalAxisBase::put_GridStyle(SHORT value) {
    return putStored(&Record::gridStyle, AUF_GRIDSTYLE, value);
}
HRESULT CAnalyticalAxisBase::get_GridColor(LONG* value) {
    return getStored(&Record::gridColor, value);
}
HRESULT CAnalyticalAxisBase::put_GridColor(LONG value) {
    return putStored(&Record::gridColor, AUF_GRIDCOLOR, static_cast<std::uint32_t>(value));
}
HRESULT CAnalyticalAxisBase::get_MinorGrid(VARIANT_BOOL* value) {
    return getGridBit(&Record::minorTickStyle, value);
}
HRESULT CAnalyticalAxisBase::put_MinorGrid(VARIANT_BOOL value) {
    return putWordBits(&Record::minorTickStyle, AUF_MINORTICKSTYLE, kTickKindMask, value != 0 ? kGridBit : 0);
}
HRESULT CAnalyticalAxisBase::get_MinorGridWidth(SHORT* value) {
    return getStored(&Record::minorGridWidth, value);
}
HRESULT CAnalyticalAxisBase::put_MinorGridWidth(SHORT value) {
    return putStored(&Record::minorGridWidth, AUF_MINORGRIDWIDTH, value);
}
HRESULT CAnalyticalAxisBase::get_MinorGridStyle(SHORT* value) {
    return getStored(&Record::minorGridStyle, value);
}
HRESULT CAnalyticalAxisBase::put_MinorGridStyle(SHORT value) {
    return putStored(&Record::minorGridStyle, AUF_MINORGRIDSTYLE, value);
}
HRESULT CAnalyticalAxisBase::get_MinorGridColor(LONG* value) {
    return getStored(&Record::minorGridColor, value);
}
HRESULT CAnalyticalAxisBase::put_MinorGridColor(LONG value) {
    return putStored(&Record::minorGridColor, AUF_MINORGRIDCOLOR, static_cast<std::uint32_t>(value));
}
HRESULT CAnalyticalAxisBase::get_Title(com::Bstr* value) {
    if (!value)
        return com::E_INVALIDARG;
    *value = com::Bstr();
    if (!settings_)
        return com::E_FAIL;
    *value = com::Bstr::fromUtf8(settings_->titleText());
    return com::S_OK;
}
HRESULT CAnalyticalAxisBase::put_Title(const com::Bstr& value) {
    if (!settings_)
        return com::E_FAIL;
    settings_->setTitle(value.toUtf8());
    markUserSet(AUF_TITLE);
    RepaintIfBound();
    return com::S_OK;
}
HRESULT CAnalyticalAxisBase::get_TitleColor(LONG* value) {
    return getStored(&Record::titleColor, value);
}
HRESULT CAnalyticalAxisBase::put_TitleColor(LONG value) {
    return putStored(&Record::titleColor, AUF_TITLECOLOR, static_cast<std::uint32_t>(value));
}
HRESULT CAnalyticalAxisBase::get_Style(LONG* value) {
    return getStored(&Record::style, value);
}
HRESULT CAnalyticalAxisBase::put_Style(LONG value) {
    return putStored(&Record::style, AUF_STYLE, static_cast<std::uint32_t>(value));
}
HRESULT CAnalyticalAxisBase::get_TickMark(SHORT* value) {
    const HRESULT hr = getStored(&Record::tickStyle, value);
    if (value)
        *value = static_cast<SHORT>(*value & kTickKindMask);
    return hr;
}
HRESULT CAnalyticalAxisBase::put_TickMark(SHORT value) {
    return putWordBits(&Record::tickStyle, AUF_TICKMARK, kGridBit,
                       static_cast<std::uint16_t>(value & kTickKindMask));
}
HRESULT CAnalyticalAxisBase::get_MinorTickMark(SHORT* value) {
    const HRESULT hr = getStored(&Record::minorTickStyle, value);
    if (value)
        *value = static_cast<SHORT>(*value & kTickKindMask);
    return hr;
}
HRESULT CAnalyticalAxisBase::put_MinorTickMark(SHORT value) {
    return putWordBits(&Record::minorTickStyle, AUF_MINORTICKMARK, kGridBit,
                       static_cast<std::uint16_t>(value & kTickKindMask));
}

// --- paint helpers ------------------------------------------------------------------------------------

void CAnalyticalAxisBase::ResetPaintState() {
    textColorSelected_ = false;
    penSelected_ = false;
    brushSelected_ = false;
}

com::COLORREF CAnalyticalAxisBase::mapColor(std::uint32_t color) const {
    CHostChartAdapter* adapter = chart();
    return adapter ? static_cast<com::COLORREF>(adapter->MapColor(static_cast<LONG>(color))) : color;
}

void CAnalyticalAxisBase::SelectTextColor(gdi::DeviceContext& dc, bool black) {
    if (!settings_ || textColorSelected_ || !isUserSet(AUF_TEXTCOLOR))
        return;
    savedTextColor_ = dc.setTextColor(black ? 0 : mapColor(settings_->textColor));
    textColorSelected_ = true;
}

void CAnalyticalAxisBase::RestoreTextColor(gdi::DeviceContext& dc) {
    if (!textColorSelected_)
        return;
    dc.setTextColor(savedTextColor_);
    textColorSelected_ = false;
}

// Selects `made` and deletes the object this axis made for the previous selection (never one of the
// DC's own objects).
void CAnalyticalAxisBase::replaceObject(gdi::DeviceContext& dc, gdi::HGDIOBJ made, gdi::HGDIOBJ& kept) {
    dc.selectObject(made);
    if (kept != gdi::NULL_HANDLE && kept != made)
        gdi::deleteObject(kept);
    kept = gdi::stockIndexOf(made) >= 0 ? gdi::NULL_HANDLE : made;
}

void CAnalyticalAxisBase::SelectGridPen(bool major, gdi::DeviceContext& dc, bool none, bool black) {
    if (!settings_ || penSelected_)
        return;
    penSelected_ = true;
    const Record& r = *settings_;
    const std::int16_t word = major ? r.tickStyle : r.minorTickStyle;
    const bool shown = (static_cast<std::uint16_t>(word) & kGridBit) != 0;
    gdi::HGDIOBJ pen = gdi::getStockObject(gdi::NULL_PEN);
    if (!none && shown) {
        const std::uint32_t color = major ? r.gridColor : r.minorGridColor;
        pen = MakeLinePen(major ? r.gridStyle : r.minorGridStyle, major ? r.gridWidth : r.minorGridWidth,
                          black ? 0 : mapColor(color));
    }
    replaceObject(dc, pen, gridPen_);
}

void CAnalyticalAxisBase::ReleaseGridPen() {
    penSelected_ = false;
}

void CAnalyticalAxisBase::SelectGridBrush(bool major, gdi::DeviceContext& dc, bool /*none*/) {
    if (!settings_ || brushSelected_)
        return;
    brushSelected_ = true;
    const Record& r = *settings_;
    const bool shown = (static_cast<std::uint16_t>(r.tickStyle) & kGridBit) != 0;
    gdi::HGDIOBJ brush = gdi::getStockObject(gdi::NULL_BRUSH);
    // The interlace does not depend on `none`: a pane without its own grid lines keeps its bands.
    if (major && shown && (r.style & AS_INTERLACED) != 0)
        brush = gdi::createSolidBrush(mapColor(r.gridColor));
    replaceObject(dc, brush, gridBrush_);
}

void CAnalyticalAxisBase::ReleaseGridBrush() {
    brushSelected_ = false;
}

}  // namespace dravik
