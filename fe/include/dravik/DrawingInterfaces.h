// The drawing features of the financial-chart extension: `IDrawFeature`, one object per drawing (trend
// line, Gann fan, Fibonacci figures, Tirone levels, speed-resistance and quadrant lines) handed out by
// the extension's drawing getters. Members are listed in their dispatch order; properties are
// get_/put_ pairs.
//
// An object is a view of one drawing of the extension's drawing list: it stays bound to that drawing
// while the drawing lives, also when drawings before it are deleted. Once its drawing is deleted (or the
// list is replaced by a load, or the extension is gone) every member fails with E_FAIL and sets its
// result to the neutral value (0, VARIANT_FALSE, a null string).
//
// Results: S_OK; E_POINTER for a null result pointer (E_INVALIDARG for From and To); E_INVALIDARG for a
// value that cannot be taken (a text that is no date or number, a position outside the extra bytes, a
// work series outside 16 bits). A put given the current value changes nothing and repaints nothing.
#pragma once

#include <cstdint>

#include "com/Bstr.h"
#include "com/Types.h"
#include "com/Unknown.h"
#include "dravik/IFinancialCharts.h"  // IID_IDrawFeature, with the identities of the other views

namespace dravik {

// Drawing kinds (`lomexDrawingFeature`).
enum lomexDrawingFeature : com::LONG {
    DF_GANN_FAN = 0,
    DF_FIBONACCI_ARCS = 1,
    DF_FIBONACCI_FAN = 2,
    DF_FIBONACCI_RETRACEMENTS = 3,
    DF_FIBONACCI_TIMEZONES = 4,
    DF_MIDPOINT_TIRONE_LEVELS = 5,
    DF_MEAN_TIRONE_LEVELS = 6,
    DF_SPEED_RESISTANCE_LINES = 7,
    DF_QUADRANT_LINES = 8,
    DF_TREND_LINE = 9,
};

struct IDrawFeature : com::IUnknown {
    static constexpr com::IID iid = IID_IDrawFeature;

    // Colour of the lines (COLORREF).
    virtual com::HRESULT get_Color(com::LONG* value) = 0;
    virtual com::HRESULT put_Color(com::LONG value) = 0;
    // Line style of the main lines: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 solid; other
    // values are kept and draw solid.
    virtual com::HRESULT get_LineStyle(com::SHORT* value) = 0;
    virtual com::HRESULT put_LineStyle(com::SHORT value) = 0;
    // Width in pixels of the main lines (and of the signal lines while their style is 0).
    virtual com::HRESULT get_LineWidth(com::SHORT* value) = 0;
    virtual com::HRESULT put_LineWidth(com::SHORT value) = 0;
    // The anchors' dates as text in the extension's date form (the date axis's locale; the time is
    // added when it is not midnight). With the chart showing plain point numbers, the number as
    // "%10.2f". A put takes a date text in the locale's order (a number then), sets the anchor to the
    // first period not earlier than that date (-1 when there is none) and keeps the date; E_INVALIDARG
    // and no change for a text that is no date.
    virtual com::HRESULT get_From(com::Bstr* value) = 0;
    virtual com::HRESULT put_From(const com::Bstr& value) = 0;
    virtual com::HRESULT get_To(com::Bstr* value) = 0;
    virtual com::HRESULT put_To(const com::Bstr& value) = 0;
    // Shown (VARIANT_TRUE) or not. On a disabled drawing a put only changes what it will be once enabled.
    virtual com::HRESULT get_Visible(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_Visible(com::VARIANT_BOOL value) = 0;
    // Line style of the signal lines (base lines, first and last levels); a style other than 0 draws
    // them 1 pixel wide.
    virtual com::HRESULT get_SignalLineStyle(com::SHORT* value) = 0;
    virtual com::HRESULT put_SignalLineStyle(com::SHORT value) = 0;
    // The chart series the drawing takes its prices from unless it is free drawn (-1 none).
    virtual com::HRESULT get_WorkSeries(com::LONG* value) = 0;
    virtual com::HRESULT put_WorkSeries(com::LONG value) = 0;
    // VARIANT_TRUE: the prices are the drawing's own, not read from the work series. A put counts only
    // VARIANT_TRUE as true.
    virtual com::HRESULT get_FreeDraw(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_FreeDraw(com::VARIANT_BOOL value) = 0;
    // The anchors' prices as text, formatted as the price axis formats its labels (with as many decimals
    // as the value needs). A put reads a number with "." or with the price format's decimal and group
    // separators; E_INVALIDARG and no change for any other text.
    virtual com::HRESULT get_FromPrice(com::Bstr* value) = 0;
    virtual com::HRESULT put_FromPrice(const com::Bstr& value) = 0;
    virtual com::HRESULT get_ToPrice(com::Bstr* value) = 0;
    virtual com::HRESULT put_ToPrice(const com::Bstr& value) = 0;
    // The drawing's name (at most 59 bytes of UTF-8, cut at a character boundary); also the caption of
    // its item in the kind's menu.
    virtual com::HRESULT get_Name(com::Bstr* value) = 0;
    virtual com::HRESULT put_Name(const com::Bstr& value) = 0;
    // Text kept for the container (at most 255 bytes of UTF-8); the extension does not read it.
    virtual com::HRESULT get_UserData(com::Bstr* value) = 0;
    virtual com::HRESULT put_UserData(const com::Bstr& value) = 0;
    // Whether the drawing takes part in the chart: a disabled drawing is neither shown nor hit and keeps
    // its visibility for when it is enabled again. A put counts any non-zero value as true.
    virtual com::HRESULT get_Enable(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_Enable(com::VARIANT_BOOL value) = 0;
    // The kind's parameters as bytes (see the kinds' layouts): their count, and one byte at a position
    // 0 to count - 1 (E_INVALIDARG for any other position).
    virtual com::HRESULT get_ExtraBytes(com::SHORT* count) = 0;
    virtual com::HRESULT get_ExtraByte(com::SHORT position, std::uint8_t* value) = 0;
    virtual com::HRESULT put_ExtraByte(com::SHORT position, std::uint8_t value) = 0;
    // Opens the parameter dialog of the Gann fan, Fibonacci arcs, fan and retracements over `parent` (a
    // window handle); `changed` is VARIANT_TRUE when the user changed the parameters. The other kinds
    // have no parameters: nothing opens and `changed` is VARIANT_FALSE.
    virtual com::HRESULT ShowParametersDlg(std::intptr_t parent, com::VARIANT_BOOL* changed) = 0;

protected:
    ~IDrawFeature() = default;
};

// The drawing the application's own handles have selected: the extension object answers it. The
// analytical chart takes that drawing as its selection, so that its drawing page opens on it.
// {5B0E91C3-7A43-4D18-9E6F-2C3D84A1B7E5}
inline constexpr com::IID IID_IDrawingSelection{
    0x5B0E91C3, 0x7A43, 0x4D18, {0x9E, 0x6F, 0x2C, 0x3D, 0x84, 0xA1, 0xB7, 0xE5}};

struct IDrawingSelection : com::IUnknown {
    static constexpr com::IID iid = IID_IDrawingSelection;

    // Selects the drawing at `position` among the drawings of `kind` (0-9); position -1 selects none.
    // E_INVALIDARG, and the selection kept, when there is no such drawing; E_FAIL without an analytical
    // chart.
    virtual com::HRESULT SelectDrawing(com::LONG kind, com::SHORT position) = 0;

protected:
    ~IDrawingSelection() = default;
};

}  // namespace dravik
