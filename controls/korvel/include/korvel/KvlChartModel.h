// The chart's state without painting: data tables, series and axes, the chart-wide settings, the
// layout rectangles and the conversion between client pixels and data coordinates.
//
// Coordinates: points are numbered from 0 in the tables; on the X axis a point sits at its 1-based
// position (point p at p + 1), and the visible X range runs from first - 0.5 to last + 0.5. Pixels are
// client pixels of the chart window. Values are data values of one value axis.
#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "com/Types.h"
#include "com/Variant.h"
#include "korvel/IKvlControl.h"
#include "korvel/KvlContract.h"

namespace korvel {

// The chart's own galleries (series attribute kAttrGallery and the chart's own chart types), numbered
// as the financial extension numbers them when it sets a series' gallery. 0 on a series follows the
// chart type; a series in one of an extension's chart types is drawn as bars, the way the bar type
// leaves its points to the chart. The price galleries take consecutive series: high-low-close three,
// open-high-low-close and candlestick four, the first of them the open. The values tell the rest:
// at each point the highest is the high, the lowest the low and the middle one of the others the
// close, so that any order of the series the extension binds draws the same figure (fewer series of
// the price gallery than it takes draw as high-low-close, or as lines). The figure is drawn with the
// attributes of its first series. A candlestick's body is the first series' background colour on a
// rising point and its colour on a falling one; its wick takes the border colour.
enum KvlGallery : LONG {
    kGalleryLines = 1,
    kGalleryBars = 2,
    kGalleryArea = 6,
    kGalleryHighLowClose = 9,
    kGalleryOpenHighLowClose = 16,
    kGalleryCandlestick = 17,
};
inline constexpr bool isOwnGallery(LONG gallery) {
    return gallery == kGalleryLines || gallery == kGalleryBars || gallery == kGalleryArea ||
           gallery == kGalleryHighLowClose || gallery == kGalleryOpenHighLowClose ||
           gallery == kGalleryCandlestick;
}

struct KvlSeriesState {
    std::array<LONG, kSeriesAttributeCount> attributes{};
    std::string legend;  // UTF-8
};

// Axis property codes (IKvlAxis::GetValue) that the chart itself reads.
enum KvlAxisProperty : LONG {
    kAxisMin = 0,
    kAxisMax = 1,
    kAxisStep = 2,
    kAxisDecimals = 5,
    kAxisStyle = 8,
    kAxisMinorStep = 9,
    kAxisVisible = 10,
    kAxisTextColor = 11,
    kAxisGridShown = 12,
    kAxisGridWidth = 13,
    kAxisGridStyle = 14,
    kAxisGridColor = 15,
    kAxisMinorGridShown = 16,
    kAxisMinorGridWidth = 17,
    kAxisMinorGridStyle = 18,
    kAxisMinorGridColor = 19,
    kAxisTitleColor = 20,
    kAxisLocale = 23,
    // The values an extension's pane holds on an axis it stacks with others on one band.
    kAxisDataMin = 24,
    kAxisDataMax = 25,
};

// Value axes beyond the chart's first four axes are added by addValueAxis; at most this many axes.
inline constexpr LONG kMaxAxes = 16;
// The axes 4 up to this one are an extension's pane axes: made when an axis value or a series is
// first given to one of them. An extension that labels its panes itself labels them through axis 0.
inline constexpr LONG kPaneAxisEnd = 7;

struct KvlAxisState {
    std::array<double, kAxisPropertyCount> properties{};
    // The properties set from outside (setAxisValue); where one is not, the chart draws its own way
    // (its own step, a light grey one-pixel major grid, no minor grid).
    std::bitset<kAxisPropertyCount> given;
    // The band of the plot's height the axis occupies, as fractions from the plot's top (0) to its
    // bottom (1): a value axis maps its visible range onto that band only.
    double bandTop = 0;
    double bandBottom = 1;
    // Base of a logarithmic scale; 0 for a linear one. A log axis has no place for values <= 0.
    double logBase = 0;
    com::Variant format;
    std::string text;  // currency symbol, UTF-8
    std::map<SHORT, std::string> labelTexts;
    std::optional<std::pair<double, double>> zoomRange;  // set while the axis is zoomed
};

struct KvlConstantLine {
    SHORT axis = 0;
    double value = 0;
    double width = 0;
    LONG color = 0;
};

struct KvlStripe {
    LONG axis = 0;
    LONG from = 0;
    LONG to = 0;
    LONG color = 0;
};

// Chart-wide words and flags that the chart keeps for its extensions.
struct KvlChartSettings {
    LONG flagA = 0, flagB = 0, flagC = 0, flagD = 0;
    LONG valueA = 0, valueB = 0;
    LONG chartStyle = 0;
    LONG switchedStyles = 0;  // styles toggled by SwitchStyle
    LONG styleWord = 0;
    LONG chartFlags = 0x4;  // bit 2: the context menu may open
    LONG options = 0;
    LONG backColor = static_cast<LONG>(0x80000005);  // negative: system colour (window)
    LONG chartColor = 0xFFFFFF;
    SHORT borderStyle = 0;
    double indexedValue = 0;
    std::map<LONG, LONG> numbered;  // ExchangeSetting and SetSetting
};

class KvlChartModel {
public:
    static constexpr int kDefaultWidth = 640;
    static constexpr int kDefaultHeight = 480;

    KvlChartModel();

    // --- data tables -------------------------------------------------------------------------------
    LONG seriesCount() const { return values_.seriesCount(); }
    LONG pointCount() const { return values_.pointCount(); }
    // Resizes every table to series x points, keeping what fits and filling the rest with kNoValue.
    void resize(LONG seriesCount, LONG pointCount);
    // Tables 1 (values), 2 (from-values), 3 (third values). E_INVALIDARG outside the table.
    HRESULT value(int table, LONG series, LONG point, double* out) const;
    HRESULT setValue(int table, LONG series, LONG point, double value);
    const KvlValueBlock& values() const { return values_; }
    const KvlValueBlock& fromValues() const { return fromValues_; }
    bool fromValuesUsed() const { return fromValuesUsed_; }
    // Takes the table out, leaving it empty (no series for the values, none used for the from-values).
    std::unique_ptr<KvlValueBlock> takeValues();
    std::unique_ptr<KvlValueBlock> takeFromValues();
    void replaceValues(KvlValueBlock block);
    void replaceFromValues(KvlValueBlock block);

    // x values (OLE dates) and point legends, one per point.
    HRESULT xValue(LONG point, double* out) const;
    HRESULT setXValue(LONG point, double value);
    const std::string& pointLegend(LONG point) const;
    void setPointLegend(LONG point, std::string legend);

    // --- series -------------------------------------------------------------------------------------
    // Null for a series the chart does not have.
    KvlSeriesState* series(LONG index);
    const KvlSeriesState* series(LONG index) const;
    HRESULT attribute(LONG series, LONG id, LONG* out) const;
    HRESULT setAttribute(LONG series, LONG id, LONG value);

    // --- axes ---------------------------------------------------------------------------------------
    KvlAxisState* axis(LONG index);
    const KvlAxisState* axis(LONG index) const;
    LONG axisCount() const { return static_cast<LONG>(axes_.size()); }
    // Axes 0 and 1 and every added axis carry values; 2 and 3 are X axes.
    static bool isValueAxis(LONG index) { return index == 0 || index == 1 || index >= kAxisCount; }
    // Adds a value axis (autoscaled, over the whole plot); its index, or -1 when there are kMaxAxes.
    LONG addValueAxis();
    // Makes the pane axes up to `index` when it names one that is not there yet.
    void makePaneAxes(LONG index);
    // Places a value axis on a band of the plot (fractions from the top); E_INVALIDARG for an X axis
    // or a band that is empty or outside 0..1.
    HRESULT setAxisBand(LONG axis, double top, double bottom);
    HRESULT setLogBase(LONG axis, double base);
    // The rows of the plot a value axis occupies.
    KvlRect bandRect(LONG axis) const;
    HRESULT axisValue(LONG axis, LONG code, double* out) const;
    HRESULT setAxisValue(LONG axis, LONG code, double value);
    // Whether the axis's major (or minor) grid is drawn: as given, else the chart's own way (a major
    // grid, no minor grid). False for an axis that does not exist.
    bool gridShown(LONG axis, bool major) const;
    // The visible range of an axis: the zoom range while zoomed, else the X points or the scale.
    std::pair<double, double> visibleRange(LONG axis) const;
    HRESULT setVisibleRange(LONG axis, double first, double last);
    // Recomputes minimum and maximum of the autoscaled value axes from the series on them.
    void autoScale();
    std::array<std::string, 4>& axisTitles() { return axisTitles_; }
    const std::array<std::string, 4>& axisTitles() const { return axisTitles_; }

    // --- zoom ---------------------------------------------------------------------------------------
    bool zoomMode() const { return zoomMode_; }
    void setZoomMode(bool on) { zoomMode_ = on; }
    bool zoomed() const;
    HRESULT zoomTo(double firstPosition, double low, double lastPosition, double high);
    void resetZoom();

    // --- layout -------------------------------------------------------------------------------------
    void setClientSize(LONG width, LONG height);
    KvlRect clientRect() const { return client_; }
    KvlRect windowRect() const { return window_; }
    void setRects(KvlRect window, KvlRect client);
    std::array<SHORT, 4>& margins() { return margins_; }  // left, right, top, bottom
    const std::array<SHORT, 4>& margins() const { return margins_; }
    // The strip left of the plot holds the value labels: it is as wide as the left margin, or as the
    // widest label text of the last paint where that is wider (0: the margin alone).
    void setLabelStripWidth(LONG pixels) { labelStrip_ = std::max<LONG>(pixels, 0); }
    LONG labelStripWidth() const { return labelStrip_; }
    LONG leftStrip() const { return std::max<LONG>(margins_[0], labelStrip_); }
    KvlRect plotRect() const;
    // Kinds kRectClient, kRectWindow, kRectPlot, kRectDrawArea; nullopt for others.
    std::optional<KvlRect> rect(SHORT kind) const;

    // Position (1-based, fractional) and value on a value axis to client pixels, and back, within the
    // axis's band. E_FAIL when the plot or the axis range is empty, E_INVALIDARG for an X axis and for
    // a value a log axis cannot show (<= 0).
    HRESULT valueToPixel(double position, double value, LONG* x, LONG* y, SHORT axis) const;
    // The mapping of one value axis, taken once for many points; E_FAIL / E_INVALIDARG as above.
    struct AxisMapping {
        KvlRect plot;
        KvlRect band;
        double first = 0, last = 0;  // the visible X range
        double low = 0, high = 0;    // the visible value range (logarithms on a log axis)
        double logBase = 0;
        // The pixel of a point position and a value; false for a value the axis cannot show.
        bool toPixel(double position, double value, LONG* x, LONG* y) const;
    };
    HRESULT mapping(SHORT axis, AxisMapping* out) const;
    HRESULT pixelToValue(LONG x, LONG y, double* position, double* value, SHORT axis) const;
    KvlHitRecord hitTest(LONG x, LONG y) const;

    // --- chart-wide state ---------------------------------------------------------------------------
    KvlChartSettings& settings() { return settings_; }
    const KvlChartSettings& settings() const { return settings_; }
    std::vector<COLORREF>& palette() { return palette_; }
    const std::vector<COLORREF>& palette() const { return palette_; }
    // Number of series the chart colours itself (the rest get their colour from whoever fills them).
    LONG colouredCount() const { return colouredCount_; }
    void setColouredCount(LONG count) { colouredCount_ = count; }
    std::map<LONG, std::string>& texts() { return texts_; }  // TextAt
    const std::map<LONG, std::string>& texts() const { return texts_; }
    std::string& caption() { return caption_; }
    std::string& toolTip() { return toolTip_; }
    std::vector<KvlConstantLine>& constantLines() { return constantLines_; }
    std::vector<KvlStripe>& stripes() { return stripes_; }
    KvlLegendBox& legendBox() { return legendBox_; }
    const KvlLegendBox& legendBox() const { return legendBox_; }
    std::map<SHORT, LONG>& textColors() { return textColors_; }

private:
    void resizeSeries(LONG count);
    static void setAxisDefaults(KvlAxisState& axis);
    // The axis coordinate of a value (its logarithm on a log axis); nullopt when it has none.
    static std::optional<double> scaled(double logBase, double value);
    static double unscaled(double logBase, double coordinate);
    // The first visible series whose value at the point lies within a few pixels of row y; -1 none.
    LONG seriesNear(LONG point, LONG y) const;
    static LONG defaultColor(const std::vector<COLORREF>& palette, LONG series);

    KvlValueBlock values_;
    KvlValueBlock fromValues_;
    KvlValueBlock thirdValues_;
    bool fromValuesUsed_ = false;
    std::vector<double> xValues_;
    std::vector<std::string> pointLegends_;
    std::vector<KvlSeriesState> series_;
    std::vector<KvlAxisState> axes_;
    std::array<std::string, 4> axisTitles_;
    bool zoomMode_ = false;
    KvlRect window_{};
    KvlRect client_{};
    std::array<SHORT, 4> margins_{60, 20, 20, 40};
    LONG labelStrip_ = 0;
    KvlChartSettings settings_;
    std::vector<COLORREF> palette_;
    LONG colouredCount_ = 0;
    std::map<LONG, std::string> texts_;
    std::string caption_;
    std::string toolTip_;
    std::vector<KvlConstantLine> constantLines_;
    std::vector<KvlStripe> stripes_;
    KvlLegendBox legendBox_;
    std::map<SHORT, LONG> textColors_;
};

}  // namespace korvel
