// The COM series objects: thin views over one series binding. Each object binds its own
// CSeriesAttributes to a record that its owner keeps; members forward to it, members without an index
// argument using index 0.
#pragma once

#include <type_traits>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "dravik/SeriesInterfaces.h"
#include "series/CSeriesAttributes.h"

namespace dravik {

// What a series object views: the owner, how to reach the chart (a channel, else the adapter), the
// record, the chart series (-1: not in the chart) and, for a study output, the study number.
//
// A client may keep a series object after it released the extension, so the object holds a reference
// on `lifetime`, the COM object that owns the owner, the record and the channel. An owner that can
// detach from its chart hands out a channel it owns and clears that channel's adapter on detach, so a
// kept object then answers without reaching a chart.
struct SeriesView {
    com::IUnknown* lifetime = nullptr;
    SeriesOwner* owner = nullptr;
    CHostChartAdapter* adapter = nullptr;
    SeriesAttributeChannel* channel = nullptr;
    SeriesAttributeRecord* record = nullptr;
    com::SHORT series = -1;
    int study = -1;
};

// Shared state of the series objects; not an interface.
class SeriesWrapperBase {
protected:
    explicit SeriesWrapperBase(const SeriesView& view);

    // A study output asks for its study's axis; a chart series for its own; with neither, E_FAIL.
    com::HRESULT getIndexAxis(com::SHORT* value);
    com::HRESULT putIndexAxis(com::SHORT value);
    // An unbound series reads as axis 0 and ignores a put.
    com::HRESULT getFigureAxis(com::SHORT* value);
    com::HRESULT putFigureAxis(com::SHORT value);

    static com::Variant first() { return com::Variant::missing(); }

    com::ComPtr<com::IUnknown> lifetime_;
    CSeriesAttributes attributes_;
    int study_;
};

// One class for the four series interfaces. It offers every member any of them declares (overloads
// with and without an index where the interfaces differ); each interface's members are implemented by
// the ones with its signatures, and the others stay unused.
template <typename Interface>
class CSeriesObject final : public com::ComObject<Interface>, private SeriesWrapperBase {
public:
    explicit CSeriesObject(const SeriesView& view) : SeriesWrapperBase(view) {}

    com::HRESULT get_TypeMask(com::LONG* v) { return attributes_.get_TypeMask(v); }
    com::HRESULT put_TypeMask(com::LONG v) { return attributes_.put_TypeMask(v); }
    com::HRESULT get_CylSides(com::SHORT* v) { return attributes_.get_CylSides(v); }
    com::HRESULT put_CylSides(com::SHORT v) { return attributes_.put_CylSides(v); }
    com::HRESULT get_YAxis(com::SHORT* v) { return kIndexSeries ? getIndexAxis(v) : getFigureAxis(v); }
    com::HRESULT put_YAxis(com::SHORT v) { return kIndexSeries ? putIndexAxis(v) : putFigureAxis(v); }
    com::HRESULT get_Border(com::VARIANT_BOOL* v) { return attributes_.get_Border(v); }
    com::HRESULT put_Border(com::VARIANT_BOOL v) { return attributes_.put_Border(v); }
    com::HRESULT get_BorderColor(com::LONG* v) { return attributes_.get_BorderColor(v); }
    com::HRESULT put_BorderColor(com::LONG v) { return attributes_.put_BorderColor(v); }
    // The index of a border colour is accepted and ignored.
    com::HRESULT get_BorderColor(com::Variant, com::LONG* v) { return attributes_.get_BorderColor(v); }
    com::HRESULT put_BorderColor(com::Variant, com::LONG v) { return attributes_.put_BorderColor(v); }
    com::HRESULT get_LineWidth(com::SHORT* v) { return attributes_.get_LineWidth(first(), v); }
    com::HRESULT put_LineWidth(com::SHORT v) { return attributes_.put_LineWidth(first(), v); }
    com::HRESULT get_LineWidth(com::Variant i, com::SHORT* v) { return attributes_.get_LineWidth(i, v); }
    com::HRESULT put_LineWidth(com::Variant i, com::SHORT v) { return attributes_.put_LineWidth(i, v); }
    com::HRESULT get_LineStyle(com::SHORT* v) { return attributes_.get_LineStyle(v); }
    com::HRESULT put_LineStyle(com::SHORT v) { return attributes_.put_LineStyle(v); }
    com::HRESULT get_MarkerShape(com::SHORT* v) { return attributes_.get_MarkerShape(v); }
    com::HRESULT put_MarkerShape(com::SHORT v) { return attributes_.put_MarkerShape(v); }
    com::HRESULT get_Yvalue(double* v) { return notImplemented(v); }
    com::HRESULT put_Yvalue(double) { return com::E_NOTIMPL; }
    com::HRESULT YvalueAt(com::LONG, double) { return com::E_NOTIMPL; }
    com::HRESULT get_Xvalue(double* v) { return notImplemented(v); }
    com::HRESULT put_Xvalue(double) { return com::E_NOTIMPL; }
    com::HRESULT XvalueAt(com::LONG, double) { return com::E_NOTIMPL; }
    com::HRESULT get_YFrom(double* v) { return notImplemented(v); }
    com::HRESULT put_YFrom(double) { return com::E_NOTIMPL; }
    com::HRESULT get_Legend(com::Bstr* v) { return attributes_.get_Legend(v); }
    com::HRESULT put_Legend(const com::Bstr& v) { return attributes_.put_Legend(v); }
    com::HRESULT get_Color(com::LONG* v) { return attributes_.get_Color(first(), v); }
    com::HRESULT put_Color(com::LONG v) { return attributes_.put_Color(first(), v); }
    com::HRESULT get_Color(com::Variant i, com::LONG* v) { return attributes_.get_Color(i, v); }
    com::HRESULT put_Color(com::Variant i, com::LONG v) { return attributes_.put_Color(i, v); }
    com::HRESULT get_MarkerSize(com::SHORT* v) { return attributes_.get_MarkerSize(v); }
    com::HRESULT put_MarkerSize(com::SHORT v) { return attributes_.put_MarkerSize(v); }
    com::HRESULT get_Gallery(com::SHORT* v) { return attributes_.get_Gallery(v); }
    com::HRESULT put_Gallery(com::SHORT v) { return attributes_.put_Gallery(v); }
    com::HRESULT get_VOLUME(com::SHORT* v) { return attributes_.get_Volume(v); }
    com::HRESULT put_VOLUME(com::SHORT v) { return attributes_.put_Volume(v); }
    com::HRESULT get_PointLabels(com::VARIANT_BOOL* v) { return attributes_.get_PointLabels(v); }
    com::HRESULT put_PointLabels(com::VARIANT_BOOL v) { return attributes_.put_PointLabels(v); }
    com::HRESULT get_BkColor(com::LONG* v) { return attributes_.get_BkColor(first(), v); }
    com::HRESULT put_BkColor(com::LONG v) { return attributes_.put_BkColor(first(), v); }
    com::HRESULT get_BkColor(com::Variant i, com::LONG* v) { return attributes_.get_BkColor(i, v); }
    com::HRESULT put_BkColor(com::Variant i, com::LONG v) { return attributes_.put_BkColor(i, v); }
    com::HRESULT get_Pattern(com::SHORT* v) { return attributes_.get_Pattern(first(), v); }
    com::HRESULT put_Pattern(com::SHORT v) { return attributes_.put_Pattern(first(), v); }
    com::HRESULT get_Pattern(com::Variant i, com::SHORT* v) { return attributes_.get_Pattern(i, v); }
    com::HRESULT put_Pattern(com::Variant i, com::SHORT v) { return attributes_.put_Pattern(i, v); }
    com::HRESULT get_MarkerStep(com::SHORT* v) { return attributes_.get_MarkerStep(v); }
    com::HRESULT put_MarkerStep(com::SHORT v) { return attributes_.put_MarkerStep(v); }
    com::HRESULT get_PointLabelAlign(com::SHORT* v) { return attributes_.get_PointLabelAlign(v); }
    com::HRESULT put_PointLabelAlign(com::SHORT v) { return attributes_.put_PointLabelAlign(v); }
    com::HRESULT get_PointLabelAngle(com::SHORT* v) { return attributes_.get_PointLabelAngle(v); }
    com::HRESULT put_PointLabelAngle(com::SHORT v) { return attributes_.put_PointLabelAngle(v); }
    com::HRESULT get_Visible(com::VARIANT_BOOL* v) { return attributes_.get_Visible(v); }
    com::HRESULT put_Visible(com::VARIANT_BOOL v) { return attributes_.put_Visible(v); }

private:
    // Study outputs and chart series answer their axis differently from the special charts' series.
    static constexpr bool kIndexSeries = std::is_same_v<Interface, IIndexSeries>;

    static com::HRESULT notImplemented(double* value) {
        if (value)
            *value = 0;
        return com::E_NOTIMPL;
    }
};

using CIndexSeries = CSeriesObject<IIndexSeries>;
using CKagiSeries = CSeriesObject<IKagiSeries>;
using CPointFigureSeries = CSeriesObject<IPointFigureSeries>;
using CKvlBasedSeries = CSeriesObject<IKvlBasedSeries>;

// New series objects, each holding one reference.
com::ComPtr<IIndexSeries> CreateIndexSeries(const SeriesView& view);
com::ComPtr<IKagiSeries> CreateKagiSeries(const SeriesView& view);
com::ComPtr<IPointFigureSeries> CreatePointFigureSeries(const SeriesView& view);
com::ComPtr<IKvlBasedSeries> CreateKvlBasedSeries(const SeriesView& view);

}  // namespace dravik
