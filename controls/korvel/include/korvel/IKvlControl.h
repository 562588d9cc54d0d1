// The chart control's main interface as extensions call it, in its two forms:
//   IKvlControlA  the plain form; text is UTF-8 (buffers filled by the control, bounded and terminated);
//   IKvlControlW  the dual form; text is UTF-16 (Bstr in and out).
// Both share IKvlControlCore, the members without text, so one object implements those once. The
// members are in the order of the extensions' chart adapter; a number in brackets is the adapter
// operation that calls the member.
//
// The axes, the series and the constant lines are collections (IKvlCollection) whose items answer
// IKvlAxis, IKvlSeries and IKvlConstantLine. Axis 0 and 1 are the value axes, 2 the X axis, 3 the
// second X axis. Series and points are numbered from 0; point positions on the X axis from 1.
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "com/Variant.h"
#include "korvel/KvlContract.h"

namespace korvel {

using com::COLORREF;

inline constexpr SHORT kAxisCount = 4;
inline constexpr SHORT kXAxis = 2;
// Number of numeric axis properties (codes 0-26).
inline constexpr LONG kAxisPropertyCount = 27;
// Number of series attribute ids (0-21).
inline constexpr LONG kSeriesAttributeCount = 22;

// Rectangle kinds of GetChartRect.
inline constexpr SHORT kRectClient = 0;
inline constexpr SHORT kRectWindow = 1;
inline constexpr SHORT kRectPlot = 7;
inline constexpr SHORT kRectDrawArea = 8;

// The legend box record (adapter operations 57 and 58).
struct KvlLegendBox {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    LONG style = 0;
    LONG color = 0;
    LONG visible = 0;
};

// {8B5D0DCB-90E0-4B61-A049-AE7158A39BEE}
inline constexpr com::IID IID_IKvlCollection{
    0x8B5D0DCB, 0x90E0, 0x4B61, {0xA0, 0x49, 0xAE, 0x71, 0x58, 0xA3, 0x9B, 0xEE}};
// {E1807541-1BC7-467B-8353-077F82D4430C}
inline constexpr com::IID IID_IKvlAxis{
    0xE1807541, 0x1BC7, 0x467B, {0x83, 0x53, 0x07, 0x7F, 0x82, 0xD4, 0x43, 0x0C}};
// {6DEF7F5E-31B4-4205-A9E5-D92528518DE7}
inline constexpr com::IID IID_IKvlSeries{
    0x6DEF7F5E, 0x31B4, 0x4205, {0xA9, 0xE5, 0xD9, 0x25, 0x28, 0x51, 0x8D, 0xE7}};
// {56B34EAB-7392-49CA-BA49-0684E3EE797C}
inline constexpr com::IID IID_IKvlConstantLine{
    0x56B34EAB, 0x7392, 0x49CA, {0xBA, 0x49, 0x06, 0x84, 0xE3, 0xEE, 0x79, 0x7C}};
// {A2326841-279D-48F3-8295-25A99392C8A7}
inline constexpr com::IID IID_IKvlControlA{
    0xA2326841, 0x279D, 0x48F3, {0x82, 0x95, 0x25, 0xA9, 0x93, 0x92, 0xC8, 0xA7}};
// {67565E10-5344-446A-BC38-BB6098362E05}
inline constexpr com::IID IID_IKvlControlW{
    0x67565E10, 0x5344, 0x446A, {0xBC, 0x38, 0xBB, 0x60, 0x98, 0x36, 0x2E, 0x05}};

// A view of one of the chart's lists; items are made per call and hold a reference on the chart.
struct IKvlCollection : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlCollection;

    virtual HRESULT get_Count(LONG* count) = 0;
    // E_INVALIDARG for an index outside the list.
    virtual HRESULT Item(SHORT index, com::IUnknown** item) = 0;

protected:
    ~IKvlCollection() = default;
};

struct IKvlAxis : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlAxis;

    // Codes 0-26: 0 minimum, 1 maximum, 2 step, 3 origin, 4 scale unit, 5 decimals, 6 label angle,
    // 7 label gap, 8 style (KvlAxisStyle), 9 minor step, 10 visible, 11 text colour, 12 grid shown,
    // 13 grid width, 14 grid style, 15 grid colour, 16 minor grid shown, 17 minor grid width,
    // 18 minor grid style, 19 minor grid colour, 20 title colour, 21 tick style, 22 minor tick style,
    // 23 locale, 24 first label, 25 pixels per label, 26 position.
    virtual HRESULT GetValue(LONG code, double* value) = 0;
    virtual HRESULT SetValue(LONG code, double value) = 0;
    virtual HRESULT GetFormat(com::Variant* format) = 0;
    virtual HRESULT SetFormat(const com::Variant& format) = 0;
    virtual HRESULT GetVisibleRange(double* first, double* last) = 0;
    virtual HRESULT SetVisibleRange(double first, double last) = 0;
    // Label texts by index (a label with its own text replaces the number).
    virtual HRESULT GetLabelTextA(SHORT index, char* buffer, LONG size) = 0;
    virtual HRESULT SetLabelTextA(SHORT index, const char* text) = 0;
    virtual HRESULT GetLabelText(SHORT index, com::Bstr* text) = 0;
    virtual HRESULT SetLabelText(SHORT index, const com::Bstr& text) = 0;
    // Autoscales the axis again and drops its label texts.
    virtual HRESULT ResetScale() = 0;
    // The axis text (the currency symbol of currency labels).
    virtual HRESULT GetTextA(char* buffer, LONG size) = 0;
    virtual HRESULT SetTextA(const char* text) = 0;
    virtual HRESULT GetText(com::Bstr* text) = 0;
    virtual HRESULT SetText(const com::Bstr& text) = 0;

protected:
    ~IKvlAxis() = default;
};

// Axis style bits (code 8).
inline constexpr LONG kAxisStyleNotify = 0x2;
inline constexpr LONG kAxisStyleAutoScale = 0x1000;

struct IKvlSeries : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlSeries;

    // Attribute ids 0-21: 0 volume, 1 Y axis, 2 colour, 3 background colour, 4 border colour,
    // 5 gallery, 6 marker shape, 7 border, 8 line width, 9 line style, 10 visible, 11 type mask,
    // 12 cylinder sides, 13 stacked, 14 marker size, 15 X axis, 16 reserved, 17 point labels,
    // 18 pattern, 19 marker step, 20 point-label alignment, 21 point-label angle.
    virtual HRESULT GetAttribute(LONG id, LONG* value) = 0;
    virtual HRESULT SetAttribute(LONG id, LONG value) = 0;
    virtual HRESULT get_YValue(LONG point, double* value) = 0;
    virtual HRESULT put_YValue(LONG point, double value) = 0;
    virtual HRESULT get_Legend(com::Bstr* legend) = 0;
    virtual HRESULT put_Legend(const com::Bstr& legend) = 0;
    virtual HRESULT get_Visible(com::VARIANT_BOOL* visible) = 0;
    virtual HRESULT put_Visible(com::VARIANT_BOOL visible) = 0;

protected:
    ~IKvlSeries() = default;
};

// The chart's own command (RunCommand) that opens its series property dialog for one series.
inline constexpr SHORT kCommandSeriesProperties = 29699;

// Series attribute ids.
enum KvlSeriesAttribute : LONG {
    kAttrVolume = 0,
    kAttrYAxis = 1,
    kAttrColor = 2,
    kAttrBkColor = 3,
    kAttrBorderColor = 4,
    kAttrGallery = 5,
    kAttrMarkerShape = 6,
    kAttrBorder = 7,
    kAttrLineWidth = 8,
    kAttrLineStyle = 9,
    kAttrVisible = 10,
    kAttrTypeMask = 11,
    kAttrCylinderSides = 12,
    kAttrStacked = 13,
    kAttrMarkerSize = 14,
    kAttrXAxis = 15,
    kAttrPointLabels = 17,
    kAttrPattern = 18,
    kAttrMarkerStep = 19,
    kAttrLabelAlign = 20,
    kAttrLabelAngle = 21,
};

// A horizontal or vertical line across the plot at a value of an axis.
struct IKvlConstantLine : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlConstantLine;

    virtual HRESULT Get(SHORT* axis, double* value, double* width, LONG* color) = 0;
    virtual HRESULT Put(SHORT axis, double value, double width, LONG color) = 0;

protected:
    ~IKvlConstantLine() = default;
};

// Members without text, shared by both forms. Status members answer an HRESULT; value members answer
// through their out argument, which is cleared on failure.
struct IKvlControlCore : com::IUnknown {
    virtual HRESULT OpenData(SHORT kind, LONG seriesCount, LONG pointCount, LONG* answer) = 0;  // [2]
    virtual HRESULT CloseData(SHORT kind, LONG* answer) = 0;                                    // [3]
    virtual HRESULT GetValue(LONG series, LONG point, double* value) = 0;                       // [4]
    virtual HRESULT SetValue(LONG series, LONG point, double value) = 0;                        // [5]
    virtual HRESULT GetValue2(LONG series, LONG point, double* value) = 0;                      // [6]
    virtual HRESULT SetValue2(LONG series, LONG point, double value) = 0;                       // [7]
    virtual HRESULT GetValue3(LONG series, LONG point, double* value) = 0;                      // [8]
    virtual HRESULT SetValue3(LONG series, LONG point, double value) = 0;                       // [9]
    virtual HRESULT GetPointCount(LONG* count) = 0;                                             // [10]
    virtual HRESULT SetPointCount(LONG count) = 0;                                              // [11]
    virtual HRESULT GetAxes(IKvlCollection** axes) = 0;            // [12-15, 94, 95, 102-104, 108, 109]
    virtual HRESULT SetRects(KvlRect window, KvlRect client) = 0;  // [16]
    virtual HRESULT SwitchStyle(LONG style) = 0;                   // [17]
    virtual HRESULT ExchangeSetting(LONG number, LONG value, LONG third, LONG* previous) = 0;  // [18]
    virtual HRESULT Repaint() = 0;                                                             // [19]
    virtual HRESULT GetConstantLines(IKvlCollection** lines) = 0;                              // [20, 21]
    virtual HRESULT GetSeriesList(IKvlCollection** series) = 0;                                // [22, 23]
    virtual HRESULT SetStripe(SHORT index, LONG axis, LONG from, LONG to, LONG color,
                              LONG* answer) = 0;                                                // [24]
    virtual HRESULT GetStripe(SHORT index, LONG* axis, LONG* from, LONG* to, LONG* color) = 0;  // [25]
    virtual HRESULT GetFlagA(LONG* value) = 0;                                                  // [26]
    virtual HRESULT SetFlagA(LONG value) = 0;                                                   // [27]
    virtual HRESULT SetSelectedSeries(SHORT series) = 0;                                        // [28]
    virtual HRESULT SetFirstVisiblePoint(LONG point) = 0;                                       // [29]
    virtual HRESULT SetPointsPerPage(LONG points) = 0;                                          // [30]
    virtual HRESULT GetFlagB(LONG* value) = 0;                                                  // [31]
    virtual HRESULT SetFlagB(LONG value) = 0;                                                   // [32]
    virtual HRESULT GetSeriesColor(SHORT series, LONG* color) = 0;                              // [33]
    virtual HRESULT SetSeriesColor(SHORT series, LONG color) = 0;                               // [34]
    virtual HRESULT GetSeriesBkColor(SHORT series, LONG* color) = 0;                            // [35]
    virtual HRESULT SetSeriesBkColor(SHORT series, LONG color) = 0;                             // [36]
    virtual HRESULT GetValueA(LONG* value) = 0;                                                 // [37]
    virtual HRESULT SetValueA(LONG value) = 0;                                                  // [38]
    virtual HRESULT GetFlagC(LONG* value) = 0;                                                  // [39]
    virtual HRESULT SetFlagC(LONG value) = 0;                                                   // [40]
    virtual HRESULT GetValueB(LONG* value) = 0;                                                 // [41]
    virtual HRESULT SetValueB(LONG value) = 0;                                                  // [42]
    virtual HRESULT GetFlagD(LONG* value) = 0;                                                  // [43]
    virtual HRESULT SetFlagD(LONG value) = 0;                                                   // [44]
    // NULL_HANDLE when the chart has no font of its own for that kind of text (8 = axis text).
    virtual HRESULT GetTextFont(SHORT kind, gdi::HFONT* font) = 0;  // [45]
    virtual HRESULT GetTextColor(SHORT kind, LONG* color) = 0;      // [46]
    // Installs `callback` (null: none) and hands back, with a reference, the one installed before.
    virtual HRESULT AdviseCallback(IKvlExtensionCallback* callback,
                                   IKvlExtensionCallback** previous) = 0;       // [47]
    virtual HRESULT GetBackColor(LONG* color) = 0;                              // [50]
    virtual HRESULT SetBackColor(LONG color) = 0;                               // [51]
    virtual HRESULT RegisterCommandObject(LONG id, com::IUnknown* object) = 0;  // [52]
    virtual HRESULT SetSetting(LONG number, LONG value) = 0;                    // [53]
    virtual HRESULT UnregisterCommandObject(LONG id) = 0;                       // [54]
    virtual HRESULT GetSelectedSeries(SHORT* series) = 0;                       // [55]
    // The chart's font object, answering IFont.
    virtual HRESULT GetFontObject(com::IUnknown** font) = 0;  // [56]
    virtual HRESULT SetLegendBox(LONG left, LONG top, LONG right, LONG bottom, LONG style, LONG color,
                                 LONG visible) = 0;                       // [57]
    virtual HRESULT GetLegendBox(KvlLegendBox* box, SHORT* visible) = 0;  // [58]
    virtual HRESULT GetSeriesCount(LONG* count) = 0;                      // [59]
    virtual HRESULT GetAxisCount(SHORT* count) = 0;                       // [60]
    virtual HRESULT GetLeftMargin(SHORT* pixels) = 0;                     // [61]
    virtual HRESULT SetLeftMargin(SHORT pixels) = 0;                      // [62]
    virtual HRESULT GetRightMargin(SHORT* pixels) = 0;                    // [63]
    virtual HRESULT SetRightMargin(SHORT pixels) = 0;                     // [64]
    virtual HRESULT GetTopMargin(SHORT* pixels) = 0;                      // [65]
    virtual HRESULT SetTopMargin(SHORT pixels) = 0;                       // [66]
    virtual HRESULT GetBottomMargin(SHORT* pixels) = 0;                   // [67]
    virtual HRESULT SetBottomMargin(SHORT pixels) = 0;                    // [68]
    virtual HRESULT GetBorderStyle(SHORT* style) = 0;                     // [69]
    virtual HRESULT SetBorderStyle(SHORT style) = 0;                      // [70]
    virtual HRESULT GetChartStyle(LONG* style) = 0;                       // [71]
    virtual HRESULT SetChartStyle(LONG style) = 0;                        // [72]
    virtual HRESULT GetStyleWord(LONG* word) = 0;                         // [73]
    virtual HRESULT SetStyleWord(LONG word) = 0;                          // [74]
    virtual HRESULT GetChartFlags(LONG* flags) = 0;                       // [75]
    virtual HRESULT SetChartFlags(LONG flags) = 0;                        // [76]
    virtual HRESULT GetMouseCapture(LONG* on) = 0;                        // [77]
    virtual HRESULT SetMouseCapture(LONG on) = 0;                         // [78]
    // `rect` arrives by value with its first field set by the caller; the chart fills `out`.
    virtual HRESULT GetChartRect(SHORT kind, KvlRect rect, KvlRect* out) = 0;                       // [79]
    virtual HRESULT HitTest(LONG x, LONG y, LONG* series, LONG* point, SHORT* code) = 0;            // [80]
    virtual HRESULT ValueToPixel(double position, double value, LONG* x, LONG* y, SHORT axis) = 0;  // [81]
    virtual HRESULT PixelToValue(LONG x, LONG y, double* position, double* value, SHORT axis) = 0;  // [82]
    virtual HRESULT GetZoomMode(LONG* on) = 0;                                                      // [83]
    virtual HRESULT SetZoomMode(LONG on) = 0;                                                       // [84]
    // With kNoValue as both positions the X range stays and only the values zoom.
    virtual HRESULT ZoomTo(double firstPosition, double low, double lastPosition, double high) = 0;  // [85]
    virtual HRESULT RefreshData(LONG flag) = 0;                                                      // [92]
    // E_INVALIDARG for a command the chart does not know. kCommandSeriesProperties opens the chart's
    // series property dialog for series `value`; *result 1 when the user confirmed it, 0 otherwise.
    virtual HRESULT RunCommand(SHORT id, LONG value, LONG* result) = 0;  // [93]
    virtual HRESULT GetOptions(LONG* options) = 0;                       // [98]
    virtual HRESULT SetOptions(LONG options) = 0;                        // [99]
    virtual HRESULT GetIndexedValue(LONG index, double* value) = 0;      // [100]
    virtual HRESULT SetIndexedValue(LONG index, double value) = 0;       // [101]
    virtual HRESULT UpdateZoom() = 0;                                    // [105]
    virtual HRESULT GetChartColor(LONG* color) = 0;                      // [110]
    virtual HRESULT SetChartColor(LONG color) = 0;                       // [111]

protected:
    ~IKvlControlCore() = default;
};

// The plain form: text getters fill `buffer` (size bytes, terminator included), cutting at a
// character boundary; setters take terminated UTF-8.
struct IKvlControlA : IKvlControlCore {
    static constexpr com::IID iid = IID_IKvlControlA;

    virtual HRESULT GetToolTipTextA(char* buffer, LONG size) = 0;                 // [48]
    virtual HRESULT SetToolTipTextA(const char* text) = 0;                        // [49]
    virtual HRESULT GetSeriesLegendA(SHORT series, char* buffer, LONG size) = 0;  // [88]
    virtual HRESULT SetSeriesLegendA(SHORT series, const char* text) = 0;         // [89]
    virtual HRESULT GetCaptionTextA(char* buffer, LONG size) = 0;                 // [90]
    virtual HRESULT SetCaptionTextA(const char* text) = 0;                        // [91]
    virtual HRESULT GetAxisTitleA(SHORT position, char* buffer, LONG size) = 0;   // [96]
    virtual HRESULT SetAxisTitleA(SHORT position, const char* text) = 0;          // [97]
    virtual HRESULT GetTextAtA(LONG index, char* buffer, LONG size) = 0;          // [106]
    virtual HRESULT SetTextAtA(LONG index, const char* text) = 0;                 // [107]

protected:
    ~IKvlControlA() = default;
};

// The dual form: text is UTF-16.
struct IKvlControlW : IKvlControlCore {
    static constexpr com::IID iid = IID_IKvlControlW;

    virtual HRESULT GetToolTipText(com::Bstr* text) = 0;                       // [48]
    virtual HRESULT SetToolTipText(const com::Bstr& text) = 0;                 // [49]
    virtual HRESULT GetSeriesLegend(SHORT series, com::Bstr* text) = 0;        // [88]
    virtual HRESULT SetSeriesLegend(SHORT series, const com::Bstr& text) = 0;  // [89]
    virtual HRESULT GetCaptionText(com::Bstr* text) = 0;                       // [90]
    virtual HRESULT SetCaptionText(const com::Bstr& text) = 0;                 // [91]
    virtual HRESULT GetAxisTitle(SHORT position, com::Bstr* text) = 0;         // [96]
    virtual HRESULT SetAxisTitle(SHORT position, const com::Bstr& text) = 0;   // [97]
    virtual HRESULT GetTextAt(LONG index, com::Bstr* text) = 0;                // [106]
    virtual HRESULT SetTextAt(LONG index, const com::Bstr& text) = 0;          // [107]

protected:
    ~IKvlControlW() = default;
};

}  // namespace korvel
