// The common part of the four chart types that draw a figure built from one price series instead of
// the chart's own data: Point & Figure, Renko, Kagi and Three Line Break.
//
// A special chart builds its figure (SpecialFigure) from the work series in the extension's data
// cache and hands it to the chart as one series: the end values as the chart's values, the start values
// as its from-values, on the chart type's Y axis with the figure's range. It keeps its display
// attributes in its own series-attribute record of the extension and applies them to chart series 0
// while it is active. It also expands the label mask of an element for tips and for the information
// strip shown while the user tracks the figure.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "format/DefaultRecords.h"
#include "gallery/CGalleryBase.h"
#include "gdi/Types.h"
#include "series/SeriesAttributeChannel.h"
#include "series/SeriesAttributeRecord.h"
#include "special/SpecialFigure.h"

namespace dravik {

class CSeriesAttributes;

// Series attributes a special chart gives chart series 0: all but the type mask, the gallery and the
// Y axis, which belong to the chart type itself.
inline constexpr std::uint32_t kSpecialSeriesMask = SA_ALL & ~(SA_TYPEMASK | SA_GALLERY | SA_YAXIS);
// The chart-wide setting that is off while a special chart activates or deactivates.
inline constexpr LONG kRedrawSetting = 111;
// Style bits of an axis (axis property 8) and the property that shows an axis (10).
inline constexpr LONG kAxisStyleCode = 8;
inline constexpr LONG kAxisVisibleCode = 10;
inline constexpr LONG kAxisStyleNotify = 0x2;
inline constexpr LONG kAxisStyleAutoScale = 0x1000;
// Chart options bits cleared while a special chart is active.
inline constexpr LONG kSpecialClearedOptions = 0x14;

class CSpecialChartBase;

// The series channel of a chart type's series objects: it reaches the chart through the adapter of the
// extension's current attachment, asked at every call, so that a series object a client keeps after
// the extension left the chart reaches no chart (reads answer 0, writes E_FAIL).
//
// The series objects are bound to chart series 0, whose second colour would be that of chart series 1.
// A two-coloured chart type (the box charts) shows its figure as series 0 alone and keeps its second
// colour in its own record: colours of series 1 are answered from the record and not written to the
// chart.
class AttachmentSeriesChannel final : public SeriesAttributeChannel {
public:
    AttachmentSeriesChannel(CFinancialCharts* owner, CSpecialChartBase& chart)
        : owner_(owner), chart_(chart) {}

    LONG GetAttribute(SHORT series, LONG id) override { return channel().GetAttribute(series, id); }
    HRESULT SetAttribute(SHORT series, LONG id, LONG value) override {
        return channel().SetAttribute(series, id, value);
    }
    LONG GetColor(SHORT series) override;
    HRESULT SetColor(SHORT series, LONG color) override;
    LONG GetBkColor(SHORT series) override;
    HRESULT SetBkColor(SHORT series, LONG color) override;
    HRESULT GetLegend(SHORT series, char* buffer, LONG size) override {
        return channel().GetLegend(series, buffer, size);
    }
    HRESULT SetLegend(SHORT series, const char* text) override { return channel().SetLegend(series, text); }

private:
    AdapterSeriesChannel channel();
    bool keptInRecord(SHORT series) const;

    CFinancialCharts* owner_;  // not owned: it owns the chart type that owns this channel
    CSpecialChartBase& chart_;
};

class CSpecialChartBase : public CGalleryBase, public SeriesOwner {
public:
    // `seriesRecord`: the index of the chart type's record among the extension's special-chart series
    // records, which starts as the default record `defaults`.
    CSpecialChartBase(CFinancialCharts* owner, SHORT galleryNumber, const char16_t* prefix,
                      std::size_t seriesRecord, DefaultSeriesIndex defaults);
    ~CSpecialChartBase() override;

    // --- Overrides of the chart-type base ---
    LONG GetGalleryFlags() override { return kGalleryFlagsSpecial; }
    LONG GetGalleryInfo() override { return 1; }
    // Only the whole-chart call (selector -1) does anything; answers 0.
    LONG Activate(LONG on, LONG selector) override;
    LONG OnMouseInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG scaled) override;
    void GetPersistSize(LONG* size) override;
    LONG ExchangeProperties(CPropertyArchive& archive, LONG version, LONG flags) override;
    void AllocateFigure(LONG count) override;
    void FreeFigure() override;
    void Recalculate() override;
    void BuildFigure(LONG refresh) override;
    LONG HasDistinctBreaks(LONG) override { return 1; }
    LONG GetSourcePoint(LONG element) override;
    LONG GetValueRange(LONG first, LONG last, double* min, double* max) override;
    void ShowPointInfo(LONG visible, LONG x) override { PaintInfoStrip(galleryIndex(), visible, x); }
    LONG GetLabelText(char* text, LONG size, LONG series, LONG element, LONG forTip) override;
    HRESULT GetPageClsid(LONG kind, com::CLSID* clsid) override;

    // --- Operations of the special charts ---
    // The value as the Y axis labels it, into `text` of `size` bytes; the text length.
    virtual LONG FormatValue(double value, char* text, LONG size);
    // The buy or sell signal text of an element; 1 when there is one.
    virtual LONG GetSignalText(char* text, LONG size, LONG element);
    virtual void MarkSignals() {}
    // Brings the chart type's value-axis settings up to date with the chart; the build's answer.
    virtual LONG RefreshValueAxis();
    // The strip above the plot: cleared, and with `visible` the label of element x - 1 on it.
    virtual void PaintInfoStrip(LONG which, LONG visible, LONG x);

    // --- SeriesOwner: what the series wrappers over the chart type's record need ---
    const res::ResourceModule* ResourceModule() override;
    void RepaintIfActive() override;
    HRESULT GetSeriesAxis(SHORT series, int study, SHORT* axis) override;
    HRESULT SetSeriesAxis(SHORT series, int study, SHORT axis) override;

    // --- Access ---
    const SpecialFigure& figure() const { return figure_; }
    // The status of the last build: E_INVALIDARG when the settings were refused.
    HRESULT lastBuildStatus() const { return lastBuild_.status; }
    SeriesAttributeRecord& seriesRecord();
    // Whether the chart type's series has a second colour of its own (the box charts).
    virtual bool IsTwoColoured() const { return false; }
    // The channel the series objects handed out over seriesRecord() reach the chart by.
    SeriesAttributeChannel& seriesChannel() { return seriesChannel_; }
    // Whether this chart type is the one the chart shows now.
    bool isActiveChartType() const;
    // The label mask text (UTF-8).
    std::string labelMaskText();
    void setLabelMaskText(const std::string& text);

protected:
    // The figure of the chart type over the work series; fills figure_ and answers the build.
    virtual FigureBuild BuildOwnFigure(std::span<const double> values) = 0;
    // Bytes the chart type's own keys add to the saved size.
    virtual LONG OwnPersistSize() const = 0;
    // Exchanges the chart type's own keys after the common ones.
    virtual HRESULT ExchangeOwnSettings(CPropertyArchive& archive, LONG version) = 0;
    virtual const com::CLSID& PageClsid() const = 0;
    // The pens (and brushes) of the paint, made again in every paint bracket.
    virtual void RebuildPens() {}
    // Chart-wide settings a chart type switches off while it is active, besides the common two.
    virtual void SwitchOffChartSettings() {}
    const char16_t* PersistPrefix() const override { return prefix_; }

    // The values of the work series in the data cache; empty without data.
    std::span<const double> WorkValues();
    // Hands the built figure (or, empty, one series without points) to the chart.
    void HandOverFigure(const FigureBuild& build);
    // Colour `index` (0 or 1) of the chart type's series, system colours resolved, for pens and brushes.
    gdi::COLORREF SeriesColor(int index);

    SpecialFigure figure_;
    FigureBuild lastBuild_;

private:
    void ActivateOn(CSeriesAttributes& binding);
    void ActivateOff(CSeriesAttributes& binding);

    const char16_t* prefix_;
    AttachmentSeriesChannel seriesChannel_;
    std::size_t seriesRecordIndex_;
    // The record used while the chart type has no extension (tests of the chart type alone).
    SeriesAttributeRecord ownRecord_;
    // Series 0's attributes as they were before activation, put back on deactivation.
    SeriesAttributeRecord seriesBefore_;
};

}  // namespace dravik
