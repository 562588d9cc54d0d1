// The chart-type objects. A figure parameter that changes rebuilds the active chart through the
// extension; a display value repaints; colours and widths are those of the chart type's series, read
// and written through a series object of the chart type's own, as a client would.
#include "gallery/ChartTypeObjects.h"

#include <type_traits>

#include "com/HResult.h"
#include "dravik/Commands.h"
#include "extension/CFinancialCharts.h"
#include "gallery/CKagiChart.h"
#include "gallery/CPointFigureChart.h"
#include "gallery/CRenkoChart.h"
#include "gallery/CThreeLineBreakChart.h"
#include "series/SeriesWrappers.h"

namespace dravik {
namespace {

using com::HRESULT;
using com::LONG;
using com::SHORT;
using com::VARIANT_BOOL;

// What every chart-type object shares: the extension it keeps alive, the chart type it views, the
// rebuild and repaint after a change, the label mask and the chart type's series objects.
template <typename Interface, typename Chart>
class CChartTypeObject : public com::ComObject<Interface> {
public:
    CChartTypeObject(CFinancialCharts& extension, Chart& chart)
        : lifetime_(extension.identity()), extension_(extension), chart_(chart) {}

    HRESULT get_LabelMask(com::Bstr* value) override {
        return com::answerOut(value, com::Bstr::fromUtf8(chart_.labelMaskText()));
    }
    HRESULT put_LabelMask(const com::Bstr& value) override {
        chart_.setLabelMaskText(value.toUtf8());
        return com::S_OK;
    }

protected:
    // Stores a figure parameter; a change rebuilds the chart type when it is the one shown.
    template <typename T>
    HRESULT storeAndRebuild(T& field, T value) {
        if (field == value)
            return com::S_OK;
        field = value;
        chart_.SetModified(1);
        if (chart_.isActiveChartType())
            extension_.RecalcActiveGallery();
        return com::S_OK;
    }
    // Stores a display value; a change repaints.
    template <typename T>
    HRESULT storeAndRepaint(T& field, T value) {
        if (field == value)
            return com::S_OK;
        field = value;
        chart_.SetModified(1);
        chart_.RepaintIfActive();
        return com::S_OK;
    }
    static std::uint8_t flagOf(VARIANT_BOOL value) { return value == com::VARIANT_TRUE ? 1 : 0; }
    static HRESULT getFlag(VARIANT_BOOL* out, std::uint8_t flag) {
        return com::answerOut(out, com::toVariantBool(flag != 0));
    }

    // The view of a new series object: the chart type's record, bound to chart series 0 while the
    // extension is attached.
    SeriesView seriesView() {
        SeriesView view;
        view.lifetime = lifetime_.get();
        view.owner = &chart_;
        view.channel = &chart_.seriesChannel();
        view.record = &chart_.seriesRecord();
        view.series = extension_.isAttached() ? 0 : -1;
        return view;
    }
    template <typename Series>
    static HRESULT handOut(com::ComPtr<Series> made, Series** out) {
        if (!out)
            return com::E_POINTER;
        *out = made.detach();
        return *out ? com::S_OK : com::E_OUTOFMEMORY;
    }

    com::ComPtr<com::IUnknown> lifetime_;
    CFinancialCharts& extension_;
    Chart& chart_;
};

// The colour and width members: read or written through a series object taken for the call.
// A series interface with one colour has no index argument; the two-coloured one takes it as VT_I4.
template <typename Series>
HRESULT getColor(com::ComPtr<Series> series, LONG index, LONG* value) {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    if (!series)
        return com::E_FAIL;
    if constexpr (std::is_same_v<Series, IKvlBasedSeries>)
        return series->get_Color(com::Variant(index), value);
    else
        return series->get_Color(value);
}
template <typename Series>
HRESULT putColor(com::ComPtr<Series> series, LONG index, LONG value) {
    if (!series)
        return com::E_FAIL;
    if constexpr (std::is_same_v<Series, IKvlBasedSeries>)
        return series->put_Color(com::Variant(index), value);
    else
        return series->put_Color(value);
}

class CPointFigureObject final : public CChartTypeObject<IPointFigure, CPointFigureChart> {
public:
    using CChartTypeObject::CChartTypeObject;

    HRESULT get_BoxSize(double* v) override { return com::answerOut(v, settings().boxSize); }
    HRESULT put_BoxSize(double v) override { return storeAndRebuild(settings().boxSize, v); }
    HRESULT get_ReversalAmount(SHORT* v) override { return com::answerOut(v, settings().reversalAmount); }
    HRESULT put_ReversalAmount(SHORT v) override { return storeAndRebuild(settings().reversalAmount, v); }
    HRESULT get_PercentualBox(VARIANT_BOOL* v) override { return getFlag(v, settings().percentualBox); }
    HRESULT put_PercentualBox(VARIANT_BOOL v) override {
        return storeAndRebuild(settings().percentualBox, flagOf(v));
    }
    HRESULT get_PenWidth(SHORT* v) override {
        if (!v)
            return com::E_POINTER;
        *v = 0;
        return series()->get_LineWidth(v);
    }
    HRESULT put_PenWidth(SHORT v) override { return series()->put_LineWidth(v); }
    HRESULT get_RectMarkers(VARIANT_BOOL* v) override { return getFlag(v, settings().rectMarkers); }
    HRESULT put_RectMarkers(VARIANT_BOOL v) override {
        return storeAndRepaint(settings().rectMarkers, flagOf(v));
    }
    HRESULT get_MarkerColor(LONG* v) override { return getColor(series(), 0, v); }
    HRESULT put_MarkerColor(LONG v) override { return putColor(series(), 0, v); }
    HRESULT get_Series(IPointFigureSeries** v) override { return handOut(series(), v); }

private:
    PointFigureSettings& settings() { return chart_.settings(); }
    com::ComPtr<IPointFigureSeries> series() { return CreatePointFigureSeries(seriesView()); }
};

class CRenkoObject final : public CChartTypeObject<IRenko, CRenkoChart> {
public:
    using CChartTypeObject::CChartTypeObject;

    HRESULT get_BoxSize(double* v) override { return com::answerOut(v, settings().boxSize); }
    HRESULT put_BoxSize(double v) override { return storeAndRebuild(settings().boxSize, v); }
    HRESULT get_DownColor(LONG* v) override { return getColor(series(), 0, v); }
    HRESULT put_DownColor(LONG v) override { return putColor(series(), 0, v); }
    HRESULT get_UpColor(LONG* v) override { return getColor(series(), 1, v); }
    HRESULT put_UpColor(LONG v) override { return putColor(series(), 1, v); }
    HRESULT get_PercentualBox(VARIANT_BOOL* v) override { return getFlag(v, settings().percentualBox); }
    HRESULT put_PercentualBox(VARIANT_BOOL v) override {
        return storeAndRebuild(settings().percentualBox, flagOf(v));
    }
    HRESULT get_Series(IKvlBasedSeries** v) override { return handOut(series(), v); }

private:
    RenkoSettings& settings() { return chart_.settings(); }
    com::ComPtr<IKvlBasedSeries> series() { return CreateKvlBasedSeries(seriesView()); }
};

class CKagiObject final : public CChartTypeObject<IKagi, CKagiChart> {
public:
    using CChartTypeObject::CChartTypeObject;

    HRESULT get_ReversalAmount(double* v) override { return com::answerOut(v, settings().reversalAmount); }
    HRESULT put_ReversalAmount(double v) override { return storeAndRebuild(settings().reversalAmount, v); }
    HRESULT get_Percentual(VARIANT_BOOL* v) override { return getFlag(v, settings().percentual); }
    HRESULT put_Percentual(VARIANT_BOOL v) override {
        return storeAndRebuild(settings().percentual, flagOf(v));
    }
    HRESULT get_YangWidth(SHORT* v) override { return getWidth(0, v); }
    HRESULT put_YangWidth(SHORT v) override { return series()->put_LineWidth(com::Variant(LONG{0}), v); }
    HRESULT get_YinWidth(SHORT* v) override { return getWidth(1, v); }
    HRESULT put_YinWidth(SHORT v) override { return series()->put_LineWidth(com::Variant(LONG{1}), v); }
    HRESULT get_LineColor(LONG* v) override { return getColor(series(), 0, v); }
    HRESULT put_LineColor(LONG v) override { return putColor(series(), 0, v); }
    HRESULT get_Series(IKagiSeries** v) override { return handOut(series(), v); }

private:
    KagiSettings& settings() { return chart_.settings(); }
    com::ComPtr<IKagiSeries> series() { return CreateKagiSeries(seriesView()); }
    HRESULT getWidth(LONG index, SHORT* v) {
        if (!v)
            return com::E_POINTER;
        *v = 0;
        return series()->get_LineWidth(com::Variant(index), v);
    }
};

class CThreeLineBreakObject final : public CChartTypeObject<IThreeLineBreak, CThreeLineBreakChart> {
public:
    using CChartTypeObject::CChartTypeObject;

    HRESULT get_BreakDays(SHORT* v) override { return com::answerOut(v, chart_.settings().breakDays); }
    HRESULT put_BreakDays(SHORT v) override {
        // The window of the last lines holds BreakDays lines: it cannot be empty.
        if (v <= 0)
            return com::E_INVALIDARG;
        return storeAndRebuild(chart_.settings().breakDays, v);
    }
    HRESULT get_DownColor(LONG* v) override { return getColor(series(), 0, v); }
    HRESULT put_DownColor(LONG v) override { return putColor(series(), 0, v); }
    HRESULT get_UpColor(LONG* v) override { return getColor(series(), 1, v); }
    HRESULT put_UpColor(LONG v) override { return putColor(series(), 1, v); }
    HRESULT get_Series(IKvlBasedSeries** v) override { return handOut(series(), v); }

private:
    com::ComPtr<IKvlBasedSeries> series() { return CreateKvlBasedSeries(seriesView()); }
};

// The extension's chart type of `index` as the special chart `Chart`; null when it is another class.
template <typename Chart>
Chart* chartType(CFinancialCharts& extension, LONG index) {
    return dynamic_cast<Chart*>(extension.gallery(index));
}

template <typename Object, typename Chart, typename Interface>
HRESULT create(CFinancialCharts& extension, LONG index, Interface** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    Chart* chart = chartType<Chart>(extension, index);
    if (!chart)
        return com::E_FAIL;
    *object = com::makeComObject<Object>(extension, *chart).detach();
    return com::S_OK;
}

}  // namespace

HRESULT CreatePointFigureObject(CFinancialCharts& extension, IPointFigure** object) {
    return create<CPointFigureObject, CPointFigureChart>(extension, CHART_POINTANDFIGURE, object);
}

HRESULT CreateRenkoObject(CFinancialCharts& extension, IRenko** object) {
    return create<CRenkoObject, CRenkoChart>(extension, CHART_RENKO, object);
}

HRESULT CreateKagiObject(CFinancialCharts& extension, IKagi** object) {
    return create<CKagiObject, CKagiChart>(extension, CHART_KAGI, object);
}

HRESULT CreateThreeLineBreakObject(CFinancialCharts& extension, IThreeLineBreak** object) {
    return create<CThreeLineBreakObject, CThreeLineBreakChart>(extension, CHART_THREELINEBREAK, object);
}

}  // namespace dravik
