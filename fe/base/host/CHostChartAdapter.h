// The one way every part of the extension reaches the chart control it is attached to.
//
// The control offers its main interface in two forms: the plain one (UTF-8 text) and the dual one
// (UTF-16 text). `CHostChartAdapterA` and `CHostChartAdapterB` hide which one the control answered;
// `CreateHostChartAdapter` prefers the plain form. The adapter holds no reference on the control: it
// must not outlive the attachment that made it.
//
// Operations keep a fixed order (the numbers in brackets). Status results are the control's, passed
// back unchanged; value results are the control's value, or the neutral value 0 when the control
// failed. Text results are copied into the caller's buffer of `size` bytes (terminator included),
// cut at a character boundary; a cut text answers S_FALSE.
#pragma once

#include <memory>

#include "com/ComPtr.h"
#include "com/Variant.h"
#include "korvel/IKvlControl.h"
#include "korvel/KvlContract.h"

namespace dravik {

using com::HRESULT;
using com::LONG;
using com::SHORT;
using korvel::IKvlExtensionCallback;
using korvel::KvlLegendBox;
using korvel::KvlRect;

class CHostChartAdapter {
public:
    virtual ~CHostChartAdapter() = default;

    virtual com::ULONG Release() = 0;  // [0]
    // Negative: the system colour of the low 16 bits; otherwise the colour itself.
    virtual LONG MapColor(LONG color) = 0;                                            // [1]
    virtual LONG BeginDataChange(SHORT kind, LONG seriesCount, LONG pointCount) = 0;  // [2]
    virtual LONG EndDataChange(SHORT kind) = 0;                                       // [3]
    virtual HRESULT GetValue(LONG series, LONG point, double* value) = 0;             // [4]
    virtual HRESULT SetValue(LONG series, LONG point, double value) = 0;              // [5]
    virtual HRESULT GetValue2(LONG series, LONG point, double* value) = 0;            // [6]
    virtual HRESULT SetValue2(LONG series, LONG point, double value) = 0;             // [7]
    virtual HRESULT GetValue3(LONG series, LONG point, double* value) = 0;            // [8]
    virtual HRESULT SetValue3(LONG series, LONG point, double value) = 0;             // [9]
    virtual HRESULT GetPointCount(LONG* count) = 0;                                   // [10]
    virtual HRESULT SetPointCount(LONG count) = 0;                                    // [11]
    virtual double GetAxisValue(SHORT axis, LONG code) = 0;                           // [12]
    virtual HRESULT SetAxisValue(SHORT axis, LONG code, double value) = 0;            // [13]
    virtual HRESULT GetAxisFormat(SHORT axis, com::Variant* format) = 0;              // [14]
    virtual HRESULT SetAxisFormat(SHORT axis, com::Variant format) = 0;               // [15]
    virtual HRESULT SetRects(KvlRect window, KvlRect client) = 0;                     // [16]
    virtual HRESULT SwitchChartStyle(LONG style) = 0;                                 // [17]
    virtual LONG ExchangeChartSetting(LONG number, LONG value, LONG third) = 0;       // [18]
    virtual HRESULT Repaint() = 0;                                                    // [19]
    virtual HRESULT GetConstantLine(SHORT index, SHORT* axis, double* value, double* width,
                                    LONG* color) = 0;  // [20]
    virtual HRESULT SetConstantLine(SHORT index, SHORT axis, double value, double width,
                                    LONG color) = 0;                                         // [21]
    virtual LONG GetSeriesAttribute(SHORT series, LONG code) = 0;                            // [22]
    virtual HRESULT SetSeriesAttribute(SHORT series, LONG code, LONG value) = 0;             // [23]
    virtual LONG SetStripe(SHORT index, LONG axis, LONG from, LONG to, LONG color) = 0;      // [24]
    virtual LONG GetStripe(SHORT index, LONG* axis, LONG* from, LONG* to, LONG* color) = 0;  // [25]
    virtual LONG GetChartFlagA() = 0;                                                        // [26]
    virtual HRESULT SetChartFlagA(LONG value) = 0;                                           // [27]
    virtual HRESULT SetSelectedSeries(SHORT series) = 0;                                     // [28]
    virtual HRESULT SetFirstVisiblePoint(LONG point) = 0;                                    // [29]
    virtual HRESULT SetPointsPerPage(LONG points) = 0;                                       // [30]
    virtual LONG GetChartFlagB() = 0;                                                        // [31]
    virtual HRESULT SetChartFlagB(LONG value) = 0;                                           // [32]
    virtual LONG GetSeriesColor(SHORT series) = 0;                                           // [33]
    virtual HRESULT SetSeriesColor(SHORT series, LONG color) = 0;                            // [34]
    virtual LONG GetSeriesBkColor(SHORT series) = 0;                                         // [35]
    virtual HRESULT SetSeriesBkColor(SHORT series, LONG color) = 0;                          // [36]
    virtual LONG GetChartValueA() = 0;                                                       // [37]
    virtual HRESULT SetChartValueA(LONG value) = 0;                                          // [38]
    virtual LONG GetChartFlagC() = 0;                                                        // [39]
    virtual HRESULT SetChartFlagC(LONG value) = 0;                                           // [40]
    virtual LONG GetChartValueB() = 0;                                                       // [41]
    virtual HRESULT SetChartValueB(LONG value) = 0;                                          // [42]
    virtual LONG GetChartFlagD() = 0;                                                        // [43]
    virtual HRESULT SetChartFlagD(LONG value) = 0;                                           // [44]
    virtual gdi::HFONT GetTextFont(SHORT kind) = 0;                                          // [45]
    virtual LONG GetTextColor(SHORT kind) = 0;                                               // [46]
    // Installs `callback` and hands back (with a reference) the one installed before.
    virtual HRESULT AdviseCallback(IKvlExtensionCallback* callback,
                                   IKvlExtensionCallback** previous) = 0;       // [47]
    virtual HRESULT GetToolTipText(char* buffer, LONG size) = 0;                // [48]
    virtual HRESULT SetToolTipText(const char* text) = 0;                       // [49]
    virtual LONG GetBackColor() = 0;                                            // [50]
    virtual HRESULT SetBackColor(LONG color) = 0;                               // [51]
    virtual HRESULT RegisterCommandObject(LONG id, com::IUnknown* object) = 0;  // [52]
    virtual HRESULT SetSetting(LONG number, LONG value) = 0;                    // [53]
    virtual HRESULT UnregisterCommandObject(LONG id) = 0;                       // [54]
    virtual SHORT GetSelectedSeries() = 0;                                      // [55]
    virtual com::ComPtr<com::IUnknown> GetFontObject() = 0;                     // [56]
    virtual HRESULT SetLegendBox(LONG left, LONG top, LONG right, LONG bottom, LONG style, LONG color,
                                 LONG visible) = 0;                                                  // [57]
    virtual SHORT GetLegendBox(KvlLegendBox* box) = 0;                                               // [58]
    virtual LONG GetSeriesCount() = 0;                                                               // [59]
    virtual SHORT GetAxisCount() = 0;                                                                // [60]
    virtual SHORT GetLeftMargin() = 0;                                                               // [61]
    virtual HRESULT SetLeftMargin(SHORT pixels) = 0;                                                 // [62]
    virtual SHORT GetRightMargin() = 0;                                                              // [63]
    virtual HRESULT SetRightMargin(SHORT pixels) = 0;                                                // [64]
    virtual SHORT GetTopMargin() = 0;                                                                // [65]
    virtual HRESULT SetTopMargin(SHORT pixels) = 0;                                                  // [66]
    virtual SHORT GetBottomMargin() = 0;                                                             // [67]
    virtual HRESULT SetBottomMargin(SHORT pixels) = 0;                                               // [68]
    virtual SHORT GetBorderStyle() = 0;                                                              // [69]
    virtual HRESULT SetBorderStyle(SHORT style) = 0;                                                 // [70]
    virtual LONG GetChartStyle() = 0;                                                                // [71]
    virtual HRESULT SetChartStyle(LONG style) = 0;                                                   // [72]
    virtual LONG GetStyleWord() = 0;                                                                 // [73]
    virtual HRESULT SetStyleWord(LONG word) = 0;                                                     // [74]
    virtual LONG GetChartFlags() = 0;                                                                // [75]
    virtual HRESULT SetChartFlags(LONG flags) = 0;                                                   // [76]
    virtual LONG GetMouseCapture() = 0;                                                              // [77]
    virtual HRESULT SetMouseCapture(LONG on) = 0;                                                    // [78]
    virtual HRESULT GetChartRect(SHORT kind, KvlRect rect, KvlRect* out) = 0;                        // [79]
    virtual SHORT HitTest(LONG x, LONG y, LONG* series, LONG* point) = 0;                            // [80]
    virtual HRESULT ValueToPixel(double position, double value, LONG* x, LONG* y, SHORT axis) = 0;   // [81]
    virtual HRESULT PixelToValue(LONG x, LONG y, double* position, double* value, SHORT axis) = 0;   // [82]
    virtual LONG GetZoomMode() = 0;                                                                  // [83]
    virtual HRESULT SetZoomMode(LONG on) = 0;                                                        // [84]
    virtual HRESULT ZoomTo(double firstPosition, double low, double lastPosition, double high) = 0;  // [85]
    // Bit 0x2000 of the style word.
    virtual LONG IsStyleFlagSet() = 0;                                           // [86]
    virtual HRESULT SetStyleFlag(LONG on) = 0;                                   // [87]
    virtual HRESULT GetSeriesLegend(SHORT series, char* buffer, LONG size) = 0;  // [88]
    virtual HRESULT SetSeriesLegend(SHORT series, const char* text) = 0;         // [89]
    virtual HRESULT GetCaptionText(char* buffer, LONG size) = 0;                 // [90]
    virtual HRESULT SetCaptionText(const char* text) = 0;                        // [91]
    virtual HRESULT RefreshData(LONG flag) = 0;                                  // [92]
    // The command's result, or -1 when the control reports failure.
    virtual LONG RunChartCommand(SHORT id, LONG value) = 0;                                  // [93]
    virtual HRESULT GetVisibleRange(SHORT axis, double* first, double* last) = 0;            // [94]
    virtual HRESULT SetVisibleRange(SHORT axis, double first, double last) = 0;              // [95]
    virtual HRESULT GetAxisTitle(SHORT position, char* buffer, LONG size) = 0;               // [96]
    virtual HRESULT SetAxisTitle(SHORT position, const char* text) = 0;                      // [97]
    virtual LONG GetChartOptions() = 0;                                                      // [98]
    virtual HRESULT SetChartOptions(LONG options) = 0;                                       // [99]
    virtual double GetIndexedValue(LONG index) = 0;                                          // [100]
    virtual HRESULT SetIndexedValue(LONG index, double value) = 0;                           // [101]
    virtual HRESULT GetAxisLabelText(SHORT axis, SHORT index, char* buffer, LONG size) = 0;  // [102]
    virtual HRESULT SetAxisLabelText(SHORT axis, SHORT index, const char* text) = 0;         // [103]
    virtual HRESULT ResetAxis(SHORT axis) = 0;                                               // [104]
    virtual HRESULT UpdateZoom() = 0;                                                        // [105]
    virtual HRESULT GetTextAt(LONG index, char* buffer, LONG size) = 0;                      // [106]
    virtual HRESULT SetTextAt(LONG index, const char* text) = 0;                             // [107]
    virtual HRESULT GetAxisText(SHORT axis, char* buffer, LONG size) = 0;                    // [108]
    virtual HRESULT SetAxisText(SHORT axis, const char* text) = 0;                           // [109]
    virtual LONG GetChartColor() = 0;                                                        // [110]
    virtual HRESULT SetChartColor(LONG color) = 0;                                           // [111]
};

// The plain form first, then the dual one; null when the control answers neither.
std::unique_ptr<CHostChartAdapter> CreateHostChartAdapter(com::IUnknown* control);

}  // namespace dravik
