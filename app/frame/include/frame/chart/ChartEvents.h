#pragma once

// The chart window's handling of the chart control's and the financial extension's events: the tips
// over the prices and the split markers, the zoom and data-editor commands the window takes over from
// the control, the hover pair that pauses the drawing hover test, the new-drawing commands, the point
// information line, the price display's colours and the averages' captions after a studies page.
//
// The event texts are built by free functions over the interfaces so that they can be checked without
// a screen; `ChartEvents` connects them to the two event sources.

#include <QString>

#include <cstdint>
#include <functional>

#include "com/ComPtr.h"
#include "com/EventSink.h"
#include "dravik/IFinancialCharts.h"
#include "frame/chart/EventConnection.h"
#include "frame/chart/ExtensionCalls.h"
#include "korvel/IKvlChart.h"

namespace frame::chart {

class DrawingHandles;

// The control's commands the window takes over.
inline constexpr com::LONG kCommandHelp = 29503;
inline constexpr com::LONG kCommandRecalculateCustom = 29696;
inline constexpr com::LONG kCommandZoomIn = 29448;
inline constexpr com::LONG kCommandZoomOut = 29440;
inline constexpr com::LONG kCommandDataEditor = 29457;

// A price or an average as tips and the information line write it: rounded to 3 decimals (halves to
// even), no trailing zeros. The chart's mark of a point without a value (korvel::kNoValue, exactly)
// is empty text.
QString ChartValueText(double value);

// What the window's handlers need of the program around the chart.
struct ChartEventLinks {
    std::function<QString(std::int32_t row)> text;   // a row of the language table
    std::function<void()> help;                      // the help documentation
    std::function<void()> recalculateCustomStudies;  // the custom studies, as the last fill computed them
    std::function<void(bool shown)> showDataEditor;  // the docked data editor shown or hidden
    std::function<void()> processEvents;             // the user interface's pending messages
};

// The tip event: replaces the chart's TipText; answers 1 when the tip is suppressed, else 0.
com::LONG ChartTip(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension, com::SHORT series,
                   com::LONG point, const ChartEventLinks& links);

// The internal-command event: answers the event's result (1: the control does nothing of its own).
com::LONG ChartInternalCommand(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension,
                               com::LONG command, com::LONG result, const ChartEventLinks& links);

// The information line of a point: date, the four prices and the visible moving averages. `info`
// keeps what was built when a read fails (the failure is thrown); it stays empty when the prices or
// the date cannot be read.
void PointInfoText(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension, StudySlots& studies,
                   com::LONG point, QString& info);

// The price series' colours, border and width for a price display (3: candlesticks).
void RestylePriceSeries(dravik::IFinancialCharts& extension, com::LONG display);

// After a studies page: the averages are named after their periods; the custom study and the RSI are
// computed again (`recalculate`).
void CommitStudiesPage(StudySlots& studies, com::LONG study, const std::function<void()>& recalculate);

// The data editor was hidden: the control's "Data Editor" button no longer shows pressed.
void ReleaseDataEditorButton(korvel::IKvlChart& chart);

// The moved drawing's user data is cleared (kinds 0 to 9; others are ignored).
void ClearMovedDrawing(dravik::IFinancialCharts& extension, com::LONG kind, com::SHORT index);

// Connects the handlers to the chart's and the extension's events for the window's lifetime.
class ChartEvents {
public:
    ChartEvents(korvel::IKvlChart& chart, dravik::IFinancialCharts* extension, DrawingHandles* handles,
                ChartEventLinks links, std::function<void(std::int32_t display)> priceDisplayChanged);
    ~ChartEvents();
    ChartEvents(const ChartEvents&) = delete;
    ChartEvents& operator=(const ChartEvents&) = delete;

    // Both extension and chart: frmMain.gFinExt_StudiesPageCommit is also called by a template load.
    void gFinExt_StudiesPageCommit(com::LONG study);

private:
    void connectChart();
    void connectExtension();

    korvel::IKvlChart& chart_;
    com::ComPtr<dravik::IFinancialCharts> extension_;
    DrawingHandles* handles_;
    ChartEventLinks links_;
    std::function<void(std::int32_t)> priceDisplayChanged_;
    com::ComPtr<com::EventSink> chartSink_;
    com::ComPtr<com::EventSink> extensionSink_;
    EventConnection chartEvents_;
    EventConnection extensionEvents_;
};

}  // namespace frame::chart
