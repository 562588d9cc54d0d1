// The axis objects of the financial-chart extension: `ILomexAxis` over a value axis (of the chart, or
// one the analytical chart draws itself) and `ILomexDateAxis` over the date axis. Members are listed
// in their dispatch order; properties are get_/put_ pairs.
//
// Booleans are VARIANT_BOOL; a put of AutoScale counts only VARIANT_TRUE as true, the other boolean
// puts any non-zero value. Colours are COLORREF values (negative: a system colour).
#pragma once

#include "com/Bstr.h"
#include "com/Types.h"
#include "com/Unknown.h"
#include "com/Variant.h"

namespace dravik {

// {80F5EFF1-F41E-43D5-89E5-ACD0C19E8B82}
inline constexpr com::IID IID_ILomexAxis{
    0x80F5EFF1, 0xF41E, 0x43D5, {0x89, 0xE5, 0xAC, 0xD0, 0xC1, 0x9E, 0x8B, 0x82}};
// {CB2FD721-4036-489C-890E-AFC491E746AA}
inline constexpr com::IID IID_ILomexDateAxis{
    0xCB2FD721, 0x4036, 0x489C, {0x89, 0x0E, 0xAF, 0xC4, 0x91, 0xE7, 0x46, 0xAA}};

// Axis style bits (`KvlAxisStyle`) the extension reads.
enum KvlAxisStyle : com::LONG {
    AS_2LEVELS = 0x4,
    AS_HIDE = 0x40,
    AS_INTERLACED = 0x100,
    AS_AUTOSCALE = 0x1000,
    AS_SHOWENDS = 0x4000,
};

// Date steps of the date axis (`lomexDateAxisStep`).
enum lomexDateAxisStep : com::SHORT {
    DAS_AUTO = -1,
    DAS_YEAR = 0,
    DAS_SEMESTER = 1,
    DAS_QUARTER = 2,
    DAS_MONTH = 3,
    DAS_WEEK = 4,
    DAS_DAY = 5,
    DAS_EACHPOINT = 6,
};

struct ILomexAxis : com::IUnknown {
    static constexpr com::IID iid = IID_ILomexAxis;

    virtual com::HRESULT get_Min(double* value) = 0;
    virtual com::HRESULT put_Min(double value) = 0;
    virtual com::HRESULT get_Max(double* value) = 0;
    virtual com::HRESULT put_Max(double value) = 0;
    // Values are divided by the scale unit for their labels.
    virtual com::HRESULT get_ScaleUnit(double* value) = 0;
    virtual com::HRESULT put_ScaleUnit(double value) = 0;
    virtual com::HRESULT get_Step(double* value) = 0;
    virtual com::HRESULT put_Step(double value) = 0;
    virtual com::HRESULT get_MinorStep(double* value) = 0;
    virtual com::HRESULT put_MinorStep(double value) = 0;
    virtual com::HRESULT get_Decimals(com::SHORT* value) = 0;
    virtual com::HRESULT put_Decimals(com::SHORT value) = 0;
    virtual com::HRESULT get_TextColor(com::LONG* value) = 0;
    virtual com::HRESULT put_TextColor(com::LONG value) = 0;
    // A 16- or 32-bit integer is a format code, a string a picture; the get answers the code (VT_I4).
    // A put that is neither answers E_FAIL and changes nothing.
    virtual com::HRESULT get_Format(com::Variant* value) = 0;
    virtual com::HRESULT put_Format(com::Variant value) = 0;
    virtual com::HRESULT get_GridWidth(com::SHORT* value) = 0;
    virtual com::HRESULT put_GridWidth(com::SHORT value) = 0;
    virtual com::HRESULT get_GridStyle(com::SHORT* value) = 0;
    virtual com::HRESULT put_GridStyle(com::SHORT value) = 0;
    virtual com::HRESULT get_GridColor(com::LONG* value) = 0;
    virtual com::HRESULT put_GridColor(com::LONG value) = 0;
    // At most 251 bytes of UTF-8 are kept.
    virtual com::HRESULT get_Title(com::Bstr* value) = 0;
    virtual com::HRESULT put_Title(const com::Bstr& value) = 0;
    virtual com::HRESULT get_TitleColor(com::LONG* value) = 0;
    virtual com::HRESULT put_TitleColor(com::LONG value) = 0;
    virtual com::HRESULT get_AutoScale(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_AutoScale(com::VARIANT_BOOL value) = 0;
    virtual com::HRESULT get_MinorGridWidth(com::SHORT* value) = 0;
    virtual com::HRESULT put_MinorGridWidth(com::SHORT value) = 0;
    virtual com::HRESULT get_MinorGridStyle(com::SHORT* value) = 0;
    virtual com::HRESULT put_MinorGridStyle(com::SHORT value) = 0;
    virtual com::HRESULT get_MinorGridColor(com::LONG* value) = 0;
    virtual com::HRESULT put_MinorGridColor(com::LONG value) = 0;
    virtual com::HRESULT get_Grid(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_Grid(com::VARIANT_BOOL value) = 0;
    virtual com::HRESULT get_MinorGrid(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_MinorGrid(com::VARIANT_BOOL value) = 0;
    // `KvlAxisStyle` bits.
    virtual com::HRESULT get_Style(com::LONG* value) = 0;
    virtual com::HRESULT put_Style(com::LONG value) = 0;
    // `KvlTickStyle` values.
    virtual com::HRESULT get_TickMark(com::SHORT* value) = 0;
    virtual com::HRESULT put_TickMark(com::SHORT value) = 0;
    virtual com::HRESULT get_MinorTickMark(com::SHORT* value) = 0;
    virtual com::HRESULT put_MinorTickMark(com::SHORT value) = 0;
    virtual com::HRESULT get_Locale(com::LONG* value) = 0;
    virtual com::HRESULT put_Locale(com::LONG value) = 0;
    // At most 7 bytes of UTF-8 are kept.
    virtual com::HRESULT get_CurrencySymbol(com::Bstr* value) = 0;
    virtual com::HRESULT put_CurrencySymbol(const com::Bstr& value) = 0;

protected:
    ~ILomexAxis() = default;
};

// The date axis: the members of ILomexAxis up to MinorTickMark (Format indexed by the date level,
// `lomexDateAxisFormatIndex` 0-12), then the date steps and the locale.
struct ILomexDateAxis : com::IUnknown {
    static constexpr com::IID iid = IID_ILomexDateAxis;

    virtual com::HRESULT get_Min(double* value) = 0;
    virtual com::HRESULT put_Min(double value) = 0;
    virtual com::HRESULT get_Max(double* value) = 0;
    virtual com::HRESULT put_Max(double value) = 0;
    virtual com::HRESULT get_ScaleUnit(double* value) = 0;
    virtual com::HRESULT put_ScaleUnit(double value) = 0;
    virtual com::HRESULT get_Step(double* value) = 0;
    virtual com::HRESULT put_Step(double value) = 0;
    virtual com::HRESULT get_MinorStep(double* value) = 0;
    virtual com::HRESULT put_MinorStep(double value) = 0;
    virtual com::HRESULT get_Decimals(com::SHORT* value) = 0;
    virtual com::HRESULT put_Decimals(com::SHORT value) = 0;
    virtual com::HRESULT get_TextColor(com::LONG* value) = 0;
    virtual com::HRESULT put_TextColor(com::LONG value) = 0;
    // E_INVALIDARG for an index outside 0-12; the put answers E_FAIL for a value it cannot take.
    virtual com::HRESULT get_Format(com::SHORT index, com::Variant* value) = 0;
    virtual com::HRESULT put_Format(com::SHORT index, com::Variant value) = 0;
    virtual com::HRESULT get_GridWidth(com::SHORT* value) = 0;
    virtual com::HRESULT put_GridWidth(com::SHORT value) = 0;
    virtual com::HRESULT get_GridStyle(com::SHORT* value) = 0;
    virtual com::HRESULT put_GridStyle(com::SHORT value) = 0;
    virtual com::HRESULT get_GridColor(com::LONG* value) = 0;
    virtual com::HRESULT put_GridColor(com::LONG value) = 0;
    virtual com::HRESULT get_Title(com::Bstr* value) = 0;
    virtual com::HRESULT put_Title(const com::Bstr& value) = 0;
    virtual com::HRESULT get_TitleColor(com::LONG* value) = 0;
    virtual com::HRESULT put_TitleColor(com::LONG value) = 0;
    virtual com::HRESULT get_AutoScale(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_AutoScale(com::VARIANT_BOOL value) = 0;
    virtual com::HRESULT get_MinorGridWidth(com::SHORT* value) = 0;
    virtual com::HRESULT put_MinorGridWidth(com::SHORT value) = 0;
    virtual com::HRESULT get_MinorGridStyle(com::SHORT* value) = 0;
    virtual com::HRESULT put_MinorGridStyle(com::SHORT value) = 0;
    virtual com::HRESULT get_MinorGridColor(com::LONG* value) = 0;
    virtual com::HRESULT put_MinorGridColor(com::LONG value) = 0;
    virtual com::HRESULT get_Grid(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_Grid(com::VARIANT_BOOL value) = 0;
    virtual com::HRESULT get_MinorGrid(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_MinorGrid(com::VARIANT_BOOL value) = 0;
    virtual com::HRESULT get_Style(com::LONG* value) = 0;
    virtual com::HRESULT put_Style(com::LONG value) = 0;
    virtual com::HRESULT get_TickMark(com::SHORT* value) = 0;
    virtual com::HRESULT put_TickMark(com::SHORT value) = 0;
    virtual com::HRESULT get_MinorTickMark(com::SHORT* value) = 0;
    virtual com::HRESULT put_MinorTickMark(com::SHORT value) = 0;
    // `lomexDateAxisStep`: -1 (automatic) to 6; other values answer E_INVALIDARG.
    virtual com::HRESULT get_DateStep(com::SHORT* value) = 0;
    virtual com::HRESULT put_DateStep(com::SHORT value) = 0;
    virtual com::HRESULT get_DateMinorStep(com::SHORT* value) = 0;
    virtual com::HRESULT put_DateMinorStep(com::SHORT value) = 0;
    // How many steps lie between two labels: 1 or more; 0 and negative counts answer E_INVALIDARG.
    virtual com::HRESULT get_DateStepEvery(com::SHORT* value) = 0;
    virtual com::HRESULT put_DateStepEvery(com::SHORT value) = 0;
    virtual com::HRESULT get_DateMinorStepEvery(com::SHORT* value) = 0;
    virtual com::HRESULT put_DateMinorStepEvery(com::SHORT value) = 0;
    // Hands the steps to the current chart type, which lays its date labels out again.
    virtual com::HRESULT DateStepRefresh() = 0;
    virtual com::HRESULT get_Locale(com::LONG* value) = 0;
    virtual com::HRESULT put_Locale(com::LONG value) = 0;

protected:
    ~ILomexDateAxis() = default;
};

}  // namespace dravik
