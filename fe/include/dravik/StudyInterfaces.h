// The study objects of the financial-chart extension: `IIndex` over a built-in or user study (study
// numbers 0-47) and `ICustomIndex` over a custom study (48-57), both over the shared members of
// `IIndex0`. The extension's study getters hand out a new object per call; each is a view of the
// study's record in the extension and owns none of it. Members are listed in their dispatch order
// (IIndex0 1-20, then the members of each interface); properties are get_/put_ pairs.
//
// Booleans are VARIANT_BOOL (-1/0); a put counts any non-zero value as true, except StartInZero, which
// counts only VARIANT_TRUE. A parameter put marks the study for recalculation; the values change on
// the chart after Recalculate (or any recalculation of the chart). Results: S_OK; E_INVALIDARG for an
// index or number out of range (nothing changes); E_POINTER for a null result pointer (E_INVALIDARG for
// Name); results are set to their neutral value before a failure.
#pragma once

#include "com/Bstr.h"
#include "com/Types.h"
#include "com/Unknown.h"
#include "com/Variant.h"
#include "dravik/IFinancialCharts.h"  // IID_IIndex, IID_ICustomIndex

namespace dravik {

struct IIndexSeries;
struct ILomexAxis;

struct IIndex0 : com::IUnknown {
    // Whether the study is on the chart and shown; a put shows or hides it.
    virtual com::HRESULT get_Visible(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_Visible(com::VARIANT_BOOL value) = 0;
    // Number of output series.
    virtual com::HRESULT get_SubIndicators(com::SHORT* value) = 0;
    virtual com::HRESULT put_SubIndicators(com::SHORT value) = 0;
    // Percent of the chart height of the study's pane and of the gap above it (a negative put is 0).
    virtual com::HRESULT get_Space(com::SHORT* value) = 0;
    virtual com::HRESULT put_Space(com::SHORT value) = 0;
    virtual com::HRESULT get_SpaceGap(com::SHORT* value) = 0;
    virtual com::HRESULT put_SpaceGap(com::SHORT value) = 0;
    // Drawn against the price axis.
    virtual com::HRESULT get_PriceIndicator(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_PriceIndicator(com::VARIANT_BOOL value) = 0;
    // The study's axis range always includes 0.
    virtual com::HRESULT get_StartInZero(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_StartInZero(com::VARIANT_BOOL value) = 0;
    // The display name (at most 39 bytes of UTF-8; a longer put is cut at a character boundary).
    virtual com::HRESULT get_Name(com::Bstr* value) = 0;
    virtual com::HRESULT put_Name(const com::Bstr& value) = 0;
    virtual com::HRESULT get_Periods(com::SHORT* value) = 0;
    virtual com::HRESULT put_Periods(com::SHORT value) = 0;
    // Percentage and SignalPeriod are one parameter under two names.
    virtual com::HRESULT get_Percentage(com::SHORT* value) = 0;
    virtual com::HRESULT put_Percentage(com::SHORT value) = 0;
    virtual com::HRESULT get_SignalPeriod(com::SHORT* value) = 0;
    virtual com::HRESULT put_SignalPeriod(com::SHORT value) = 0;
    virtual com::HRESULT get_LongPeriod(com::SHORT* value) = 0;
    virtual com::HRESULT put_LongPeriod(com::SHORT value) = 0;
    virtual com::HRESULT get_ShortPeriod(com::SHORT* value) = 0;
    virtual com::HRESULT put_ShortPeriod(com::SHORT value) = 0;
    // The study's numeric parameter (deviations, percentage, start value); StartValue is the same one.
    virtual com::HRESULT get_D(double* value) = 0;
    virtual com::HRESULT put_D(double value) = 0;
    // Weight of day nDay (0 .. Periods - 1) of the weighted average; a put ends the linear weights.
    virtual com::HRESULT get_Weights(com::SHORT nDay, com::SHORT* value) = 0;
    virtual com::HRESULT put_Weights(com::SHORT nDay, com::SHORT value) = 0;
    // The chart series holding output vSubIndicator (missing: the study's default output); -1 when the
    // study has no series.
    virtual com::HRESULT get_SeriesIndex(com::Variant vSubIndicator, com::SHORT* value) = 0;
    virtual com::HRESULT get_StartValue(double* value) = 0;
    virtual com::HRESULT put_StartValue(double value) = 0;
    // Input series: -4 open, -3 high, -2 low, -1 close, or a chart series number.
    virtual com::HRESULT get_WorkSeries(com::SHORT* value) = 0;
    virtual com::HRESULT put_WorkSeries(com::SHORT value) = 0;
    // A new series object over output vSubIndicator.
    virtual com::HRESULT get_Series(com::Variant vSubIndicator, IIndexSeries** value) = 0;
    // A new axis object over the study's axis.
    virtual com::HRESULT get_Axis(ILomexAxis** value) = 0;
    // Computes the study again when a parameter changed since the last calculation.
    virtual com::HRESULT Recalculate() = 0;

protected:
    ~IIndex0() = default;
};

struct IIndex : IIndex0 {
    static constexpr com::IID iid = IID_IIndex;

    // The axis the study is drawn on: 0-2 a study axis, -1 none (the chart picks one); others fail.
    virtual com::HRESULT get_DisplayAxisIndex(com::SHORT* value) = 0;
    virtual com::HRESULT put_DisplayAxisIndex(com::SHORT value) = 0;
    // Keep the display axis while the study is hidden.
    virtual com::HRESULT get_RememberAxisIndex(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_RememberAxisIndex(com::VARIANT_BOOL value) = 0;

protected:
    ~IIndex() = default;
};

struct ICustomIndex : IIndex0 {
    static constexpr com::IID iid = IID_ICustomIndex;

    // Makes the custom study a copy of built-in study nBaseIndex (0-37, not VOLUME) named newName.
    virtual com::HRESULT SetUpAs(com::SHORT nBaseIndex, const com::Bstr& newName) = 0;
    // The built-in study copied in, -1 when none.
    virtual com::HRESULT get_ClonedStudy(com::SHORT* value) = 0;
    virtual com::HRESULT get_DisplayAxisIndex(com::SHORT* value) = 0;
    virtual com::HRESULT put_DisplayAxisIndex(com::SHORT value) = 0;
    virtual com::HRESULT get_RememberAxisIndex(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_RememberAxisIndex(com::VARIANT_BOOL value) = 0;

protected:
    ~ICustomIndex() = default;
};

}  // namespace dravik
