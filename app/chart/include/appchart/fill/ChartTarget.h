// The chart as the chart fill and the custom studies see it: the chart control with its financial
// extension and annotation list, and the windows the fill refreshes. The chart window implements it
// over the real controls; every call says what it means, not how the controls are driven.
//
// Any call may raise an exception; the fill treats it as the failure of the step that made the call.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "appchart/fill/ChartDataSet.h"

namespace tarnwick {
class clsCompany;
}

namespace tarnwick::chart {

// The points the chart holds, numbered from 0, series as the data columns were numbered.
class ChartPoints {
public:
    virtual std::int32_t pointCount() const = 0;
    virtual double valueAt(int series, std::int32_t point) const = 0;
    virtual void setValueAt(int series, std::int32_t point, double value) = 0;
    virtual double xValueAt(std::int32_t point) const = 0;

protected:
    ~ChartPoints() = default;
};

// Which chart series hold the prices, as the financial extension reports them.
struct PriceSeriesNumbers {
    std::int16_t open = kOpenColumn;
    std::int16_t high = kHighColumn;
    std::int16_t low = kLowColumn;
    std::int16_t close = kCloseColumn;
    std::int16_t volume = kVolumeColumn;
};

// What the extension's study objects say about the two studies computed outside it.
struct StudySettings {
    std::int16_t sarPeriods = 2;     // the SAR study's period count: acceleration step in hundredths
    std::int16_t sarSeries = -1;     // the chart series that shows the SAR
    std::int16_t rsiPeriods = 14;    // the RSI study's period count
    std::int16_t rsiWorkSeries = 0;  // -4 open, -3 high, -2 low, anything else close
    std::int16_t rsiSeries = -1;     // the chart series that shows the RSI
};

// The chart the custom studies read and write.
class StudyChart : public ChartPoints {
public:
    virtual PriceSeriesNumbers priceSeries() const = 0;
    virtual StudySettings studySettings() const = 0;

protected:
    ~StudyChart() = default;
};

// The extension's legends of the fill, already in the display language.
struct SeriesLegends {
    std::string open, high, low, close;
    std::string splits;   // first user series
    std::string sector;   // second user series
    std::string general;  // third user series
};

class ChartFillTarget : public StudyChart {
public:
    // The company's name as the chart's title (text 2) and its symbol as the window caption.
    virtual void showCompany(std::string_view name, std::string_view symbol) = 0;
    // Which columns of the coming data feed values, x values and legends.
    virtual void setColumnKinds(std::span<const ColumnKind> kinds) = 0;
    // The extension's price series as `prices` numbers them, `userCount` user series from data column
    // `firstUser` on; the four user studies are drawn in the price area; zooming rescales.
    virtual void setUpPriceSeries(const PriceSeriesNumbers& prices, std::int32_t firstUser,
                                  std::int32_t userCount) = 0;
    // Removes every annotation of the annotation list and every drawing of the extension, of all kinds.
    virtual void clearDrawings() = 0;
    // Makes the extension's analytical gallery the chart's type. A failure here does not end a fill.
    virtual void showAnalyticalChart() = 0;
    // The chart reads the points of `data` (through its data provider) in place of what it held.
    virtual void loadData(const ChartDataSet& data) = 0;
    // How the extension draws prices: 0 close line, 1 high-low-close, 3 candlesticks.
    virtual void setPriceDisplay(std::int32_t display) = 0;
    // The data editor lists the chart's points but the last `trim`.
    virtual void refillDataEditor(std::int32_t trim) = 0;
    virtual void setLegends(const SeriesLegends& legends) = 0;
    // The split markers (first user study) shown, the fourth user study hidden, a scale unit of 1 on the
    // price axis and on the volume study's axis.
    virtual void showUserSeries() = 0;
    // Re-creates the company's stored drawings; returns the drawing text they were made from.
    virtual std::string restoreDrawings(const clsCompany& company) = 0;
    // The company whose drawings the chart now shows ("" for none); read when drawings are saved.
    virtual void setChartCompanyID(std::string_view id) = 0;
    virtual std::string chartCompanyID() const = 0;
    virtual void listNotes(const clsCompany& company) = 0;
    // The chart's own "Zoom Out" command (29440 of its toolbar) is disabled: nothing is zoomed after a
    // fill.
    virtual void disableZoomOut() = 0;
    // Hourglass while true.
    virtual void setBusy(bool busy) = 0;

protected:
    ~ChartFillTarget() = default;
};

}  // namespace tarnwick::chart
