#pragma once

// The program's default chart, laid out when no chart template is loaded: high-low-close prices, a
// Parabolic SAR drawn as circles on the prices, simple averages of 20, 35 and 100 periods, the data
// adjustment markers, the index overlays, dotted grids on every axis, and the ten drawing tools of
// the extension in a drop-down of the chart's own tool bar.

#include <cstdint>
#include <functional>

#include "frame/chart/ExtensionCalls.h"
#include "korvel/IKvlChart.h"

namespace frame::chart {

// The chart's drawing tools: the extension's new-drawing command and its text, in drop-down order.
struct DrawingTool {
    std::int16_t command;
    const char* text;
};
inline constexpr std::int16_t kDrawingToolsCommand = 4;
inline constexpr std::int16_t kChartToolsCommand = 29505;
inline constexpr DrawingTool kDrawingTools[] = {
    {77, "Trend Line"},         {69, "Fibonacci Arcs"},
    {70, "Fibonacci Fan"},      {71, "Fibonacci Retracement"},
    {72, "Fibonacci TimeZone"}, {68, "Gann Fan"},
    {74, "Mean Tirone Level"},  {73, "Midpoint Tirone Level"},
    {76, "Quadrant Line"},      {75, "Speed Resistance Line"},
};

struct DefaultChartSetUpSteps {
    // Charts the current company (the chart fill).
    std::function<void()> chartCompany;
    // Marks the charted company in the watch list and scrolls it into view, when it is listed there.
    std::function<void()> showCompanyInWatchList;
    // Puts the command texts of the three tool bars into the current language.
    std::function<void()> localizeChartCommands;
};

// Puts the ten drawing tools of the extension in a drop-down of the chart's own tool bar. The chart's
// own tool bar is not part of a chart template, so a chart laid out from a template gets them too.
void AddDrawingTools(korvel::IKvlChart& chart);

// Lays out the default chart; the first error (other than a member the extension does not offer yet)
// ends it.
void SetUpDefaultChart(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension, StudySlots& studies,
                       const DefaultChartSetUpSteps& steps);

}  // namespace frame::chart
