// The objects through which a client sets up the four special chart types: `IPointFigure`, `IRenko`,
// `IKagi` and `IThreeLineBreak`, handed out by IFinancialCharts::get_PointAndFigure, get_Renko, get_Kagi
// and get_ThreeLineBreak (a new object per call, one reference for the caller).
//
// Each object is a view of one chart type of the extension; it owns nothing. Members are declared in
// their dispatch order (dispids from 1, the ChartTypeDispid constants); properties are get_/put_ pairs.
//
// Common rules:
// - Booleans are VARIANT_BOOL. A put counts only VARIANT_TRUE (-1) as true: 1 stores false.
// - A put of the value already held changes nothing and answers S_OK.
// - "Rebuilds": a changed figure parameter rebuilds the figure of the chart type when it is the active
//   one (and repaints the chart).
// - "Repaints": a changed display value only repaints the chart when the chart type is active.
// - Colours (COLORREF, 0x00BBGGRR) and line widths (pixels) live in the chart type's series attributes:
//   the member reads or writes them through the object's own Series wrapper (index 0 or 1 where the
//   member says so), exactly as a client would through get_Series.
// - LabelMask is the text written above the chart while the user tracks a figure element: "%D" the
//   element's date, "%F" the previous element's date, "%I" its start value, "%V" its end value, "%S"
//   its 1-based source point, "%T" its buy or sell signal text, "\n" a line break. It is kept as UTF-8
//   of at most 119 bytes.
// - Once the extension is gone, every member answers E_FAIL with a neutral result.
#pragma once

#include "com/Bstr.h"
#include "com/Types.h"
#include "com/Unknown.h"
#include "dravik/SeriesInterfaces.h"

namespace dravik {

// The interface identities are this library's own.
// {CA4841C7-D0AA-4886-8786-7CD2F170B061}
inline constexpr com::IID IID_IPointFigure{
    0xCA4841C7, 0xD0AA, 0x4886, {0x87, 0x86, 0x7C, 0xD2, 0xF1, 0x70, 0xB0, 0x61}};
// {65ECCA9E-F8BA-484D-A4B1-9C6746347F1D}
inline constexpr com::IID IID_IRenko{
    0x65ECCA9E, 0xF8BA, 0x484D, {0xA4, 0xB1, 0x9C, 0x67, 0x46, 0x34, 0x7F, 0x1D}};
// {D841B203-7162-4F78-A671-6E85F98EDBEC}
inline constexpr com::IID IID_IKagi{
    0xD841B203, 0x7162, 0x4F78, {0xA6, 0x71, 0x6E, 0x85, 0xF9, 0x8E, 0xDB, 0xEC}};
// {45834BAE-4D29-4E84-B893-E1065107F4CB}
inline constexpr com::IID IID_IThreeLineBreak{
    0x45834BAE, 0x4D29, 0x4E84, {0xB8, 0x93, 0xE1, 0x06, 0x51, 0x07, 0xF4, 0xCB}};

// Dispids of the members, per interface.
namespace ChartTypeDispid {
enum PointFigure : com::DISPID {
    PF_BoxSize = 1,
    PF_ReversalAmount = 2,
    PF_PercentualBox = 3,
    PF_PenWidth = 4,
    PF_RectMarkers = 5,
    PF_MarkerColor = 6,
    PF_Series = 7,
    PF_LabelMask = 8,
};
enum Renko : com::DISPID {
    RK_BoxSize = 1,
    RK_DownColor = 2,
    RK_UpColor = 3,
    RK_PercentualBox = 4,
    RK_Series = 5,
    RK_LabelMask = 6,
};
enum Kagi : com::DISPID {
    KG_ReversalAmount = 1,
    KG_Percentual = 2,
    KG_YangWidth = 3,
    KG_YinWidth = 4,
    KG_LineColor = 5,
    KG_Series = 6,
    KG_LabelMask = 7,
};
enum ThreeLineBreak : com::DISPID {
    TLB_BreakDays = 1,
    TLB_DownColor = 2,
    TLB_UpColor = 3,
    TLB_Series = 4,
    TLB_LabelMask = 5,
};
}  // namespace ChartTypeDispid

// Point & Figure: columns of X (rising) and O (falling) boxes.
struct IPointFigure : com::IUnknown {
    static constexpr com::IID iid = IID_IPointFigure;

    // Height of one box: a price difference, or a percentage of the first price when PercentualBox is
    // on (default 5). Rebuilds.
    virtual com::HRESULT get_BoxSize(double* pVal) = 0;
    virtual com::HRESULT put_BoxSize(double newVal) = 0;
    // Number of boxes the price must move against a column before a new column starts (default 1).
    // Rebuilds.
    virtual com::HRESULT get_ReversalAmount(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_ReversalAmount(com::SHORT newVal) = 0;
    // Whether BoxSize is a percentage (default true). Rebuilds.
    virtual com::HRESULT get_PercentualBox(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_PercentualBox(com::VARIANT_BOOL newVal) = 0;
    // Width of the pen the marks are drawn with: the series' LineWidth.
    virtual com::HRESULT get_PenWidth(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_PenWidth(com::SHORT newVal) = 0;
    // Whether the marks are kept square (default true). Repaints.
    virtual com::HRESULT get_RectMarkers(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_RectMarkers(com::VARIANT_BOOL newVal) = 0;
    // Colour of the marks: the series' Color.
    virtual com::HRESULT get_MarkerColor(com::LONG* pVal) = 0;
    virtual com::HRESULT put_MarkerColor(com::LONG newVal) = 0;
    // A new wrapper over the chart type's series attributes, bound to chart series 0 while the
    // extension is attached.
    virtual com::HRESULT get_Series(IPointFigureSeries** pVal) = 0;
    virtual com::HRESULT get_LabelMask(com::Bstr* pVal) = 0;
    virtual com::HRESULT put_LabelMask(const com::Bstr& newVal) = 0;

protected:
    ~IPointFigure() = default;
};

// Renko: bricks of one size, a new brick once the price has moved a whole brick beyond the last one.
struct IRenko : com::IUnknown {
    static constexpr com::IID iid = IID_IRenko;

    // Size of a brick: a price difference, or a percentage when PercentualBox is on. Rebuilds.
    virtual com::HRESULT get_BoxSize(double* pVal) = 0;
    virtual com::HRESULT put_BoxSize(double newVal) = 0;
    // Colour of falling bricks: the series' Color at index 0.
    virtual com::HRESULT get_DownColor(com::LONG* pVal) = 0;
    virtual com::HRESULT put_DownColor(com::LONG newVal) = 0;
    // Colour of rising bricks: the series' Color at index 1.
    virtual com::HRESULT get_UpColor(com::LONG* pVal) = 0;
    virtual com::HRESULT put_UpColor(com::LONG newVal) = 0;
    // Whether BoxSize is a percentage. Rebuilds.
    virtual com::HRESULT get_PercentualBox(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_PercentualBox(com::VARIANT_BOOL newVal) = 0;
    // A new two-coloured series wrapper (index 0 falling, 1 rising).
    virtual com::HRESULT get_Series(IKvlBasedSeries** pVal) = 0;
    virtual com::HRESULT get_LabelMask(com::Bstr* pVal) = 0;
    virtual com::HRESULT put_LabelMask(const com::Bstr& newVal) = 0;

protected:
    ~IRenko() = default;
};

// Kagi: one line that turns when the price moves against it by the reversal amount; thick (yang) above
// the last shoulder, thin (yin) below the last waist.
struct IKagi : com::IUnknown {
    static constexpr com::IID iid = IID_IKagi;

    // Price move that turns the line: a price difference, or a percentage when Percentual is on.
    // Rebuilds.
    virtual com::HRESULT get_ReversalAmount(double* pVal) = 0;
    virtual com::HRESULT put_ReversalAmount(double newVal) = 0;
    // Whether ReversalAmount is a percentage. Rebuilds.
    virtual com::HRESULT get_Percentual(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_Percentual(com::VARIANT_BOOL newVal) = 0;
    // Width of the yang (thick) line: the series' LineWidth at index 0.
    virtual com::HRESULT get_YangWidth(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_YangWidth(com::SHORT newVal) = 0;
    // Width of the yin (thin) line: the series' LineWidth at index 1.
    virtual com::HRESULT get_YinWidth(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_YinWidth(com::SHORT newVal) = 0;
    // Colour of the line: the series' Color.
    virtual com::HRESULT get_LineColor(com::LONG* pVal) = 0;
    virtual com::HRESULT put_LineColor(com::LONG newVal) = 0;
    virtual com::HRESULT get_Series(IKagiSeries** pVal) = 0;
    virtual com::HRESULT get_LabelMask(com::Bstr* pVal) = 0;
    virtual com::HRESULT put_LabelMask(const com::Bstr& newVal) = 0;

protected:
    ~IKagi() = default;
};

// Three Line Break: a new line each time the price closes beyond the last line; a reversal must break
// the extreme of the last BreakDays lines.
struct IThreeLineBreak : com::IUnknown {
    static constexpr com::IID iid = IID_IThreeLineBreak;

    // Number of lines a reversal must break (default 3). 0 or less: E_INVALIDARG, nothing changes.
    // Rebuilds.
    virtual com::HRESULT get_BreakDays(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_BreakDays(com::SHORT newVal) = 0;
    // Colours of falling and rising lines: the series' Color at index 0 and 1.
    virtual com::HRESULT get_DownColor(com::LONG* pVal) = 0;
    virtual com::HRESULT put_DownColor(com::LONG newVal) = 0;
    virtual com::HRESULT get_UpColor(com::LONG* pVal) = 0;
    virtual com::HRESULT put_UpColor(com::LONG newVal) = 0;
    virtual com::HRESULT get_Series(IKvlBasedSeries** pVal) = 0;
    virtual com::HRESULT get_LabelMask(com::Bstr* pVal) = 0;
    virtual com::HRESULT put_LabelMask(const com::Bstr& newVal) = 0;

protected:
    ~IThreeLineBreak() = default;
};

}  // namespace dravik
