// Binds one series-attribute record to one series of the chart. While bound (series index >= 0) every
// get reads the attribute from the chart and caches it in the record, every put caches it and writes
// it to the chart; while unbound both work on the record alone. A put marks the attribute as set.
#pragma once

#include <cstdint>

#include "com/Bstr.h"
#include "com/HResult.h"
#include "com/Types.h"
#include "com/Variant.h"
#include "series/SeriesAttributeChannel.h"
#include "series/SeriesAttributeRecord.h"

namespace dravik {

class CSeriesAttributes {
public:
    CSeriesAttributes() = default;
    CSeriesAttributes(const CSeriesAttributes&) = delete;
    CSeriesAttributes& operator=(const CSeriesAttributes&) = delete;
    virtual ~CSeriesAttributes() = default;

    // Binding. The owner, the adapter (or channel) and the record are not owned and must outlive the
    // binding. Binding applies nothing by itself.
    void Bind(SeriesOwner* owner, CHostChartAdapter* adapter, SeriesAttributeRecord* record);
    void Bind(SeriesOwner* owner, SeriesAttributeChannel* channel, SeriesAttributeRecord* record);
    // -1 unbinds.
    void SetSeriesIndex(com::SHORT index) { series_ = index; }
    com::SHORT GetSeriesIndex() const { return series_; }
    bool IsBound() const { return series_ >= 0 && channel_ != nullptr; }
    SeriesOwner* Owner() const { return owner_; }
    SeriesAttributeRecord* Record() const { return record_; }

    // Plain attributes. Booleans are handed out as VARIANT_BOOL; a put counts only VARIANT_TRUE as true.
    com::HRESULT get_TypeMask(com::LONG* value);
    // Changes only bits 8-31; the low byte stays the series' (or, unbound, the record's).
    com::HRESULT put_TypeMask(com::LONG value);
    com::HRESULT get_Gallery(com::SHORT* value) { return getShort(SA_GALLERY, value); }
    com::HRESULT put_Gallery(com::SHORT value) { return putPlain(SA_GALLERY, value); }
    com::HRESULT get_PointLabelAlign(com::SHORT* value) { return getShort(SA_POINTLABELALIGN, value); }
    com::HRESULT put_PointLabelAlign(com::SHORT value) { return putPlain(SA_POINTLABELALIGN, value); }
    com::HRESULT get_YAxis(com::SHORT* value) { return getShort(SA_YAXIS, value); }
    com::HRESULT put_YAxis(com::SHORT value) { return putPlain(SA_YAXIS, value); }
    com::HRESULT get_XAxis(com::SHORT* value) { return getShort(SA_XAXIS, value); }
    com::HRESULT put_XAxis(com::SHORT value) { return putPlain(SA_XAXIS, value); }
    com::HRESULT get_LineStyle(com::SHORT* value) { return getShort(SA_LINESTYLE, value); }
    com::HRESULT put_LineStyle(com::SHORT value) { return putPlain(SA_LINESTYLE, value); }
    com::HRESULT get_MarkerShape(com::SHORT* value) { return getShort(SA_POINTTYPE, value); }
    com::HRESULT put_MarkerShape(com::SHORT value) { return putPlain(SA_POINTTYPE, value); }
    com::HRESULT get_CylSides(com::SHORT* value) { return getShort(SA_CYLSIDES, value); }
    com::HRESULT put_CylSides(com::SHORT value) { return putPlain(SA_CYLSIDES, value); }
    com::HRESULT get_MarkerSize(com::SHORT* value) { return getShort(SA_MARKERSIZE, value); }
    com::HRESULT put_MarkerSize(com::SHORT value) { return putPlain(SA_MARKERSIZE, value); }
    com::HRESULT get_Volume(com::SHORT* value) { return getShort(SA_VOLUME, value); }
    com::HRESULT put_Volume(com::SHORT value) { return putPlain(SA_VOLUME, value); }
    com::HRESULT get_MarkerStep(com::SHORT* value) { return getShort(SA_MARKERSTEP, value); }
    com::HRESULT put_MarkerStep(com::SHORT value) { return putPlain(SA_MARKERSTEP, value); }
    com::HRESULT get_PointLabelAngle(com::SHORT* value) { return getShort(SA_POINTLABELANGLE, value); }
    com::HRESULT put_PointLabelAngle(com::SHORT value) { return putPlain(SA_POINTLABELANGLE, value); }
    com::HRESULT get_Border(com::VARIANT_BOOL* value) { return getFlag(SA_BORDER, value); }
    com::HRESULT put_Border(com::VARIANT_BOOL value) { return putFlag(SA_BORDER, value); }
    com::HRESULT get_PointLabels(com::VARIANT_BOOL* value) { return getFlag(SA_POINTLABELS, value); }
    com::HRESULT put_PointLabels(com::VARIANT_BOOL value) { return putFlag(SA_POINTLABELS, value); }
    com::HRESULT get_Stacked(com::VARIANT_BOOL* value) { return getFlag(SA_STACKED, value); }
    com::HRESULT put_Stacked(com::VARIANT_BOOL value) { return putFlag(SA_STACKED, value); }
    com::HRESULT get_Visible(com::VARIANT_BOOL* value) { return getFlag(SA_VISIBLE, value); }
    com::HRESULT put_Visible(com::VARIANT_BOOL value) { return putFlag(SA_VISIBLE, value); }
    com::HRESULT get_BorderColor(com::LONG* value) { return getPlain(SA_BORDERCOLOR, value); }
    com::HRESULT put_BorderColor(com::LONG value) { return putPlain(SA_BORDERCOLOR, value); }

    // The legend: bound, the series' legend (at most 40 bytes) is read into the record first; a
    // string-id legend is loaded from the owner's resource module.
    com::HRESULT get_Legend(com::Bstr* value);
    com::HRESULT put_Legend(const com::Bstr& value);

    // Indexed attributes: a missing index (VT_ERROR) means 0; any other index must read as 0 or 1,
    // else E_INVALIDARG.
    com::HRESULT get_LineWidth(const com::Variant& index, com::SHORT* value);
    com::HRESULT put_LineWidth(const com::Variant& index, com::SHORT value) {
        return putIndexed(Indexed::LineWidth, index, value);
    }
    com::HRESULT get_Pattern(const com::Variant& index, com::SHORT* value);
    com::HRESULT put_Pattern(const com::Variant& index, com::SHORT value) {
        return putIndexed(Indexed::Pattern, index, value);
    }
    com::HRESULT get_Color(const com::Variant& index, com::LONG* value) {
        return getIndexed(Indexed::Color, index, value);
    }
    com::HRESULT put_Color(const com::Variant& index, com::LONG value) {
        return putIndexed(Indexed::Color, index, value);
    }
    com::HRESULT get_BkColor(const com::Variant& index, com::LONG* value) {
        return getIndexed(Indexed::BkColor, index, value);
    }
    com::HRESULT put_BkColor(const com::Variant& index, com::LONG value) {
        return putIndexed(Indexed::BkColor, index, value);
    }

    // Writes to the bound series every attribute set both in `mask` and in the record's set-mask.
    void ApplyToSeries(std::uint32_t mask);
    // Reads the attributes of `mask` from the bound series into the record. `onlyUnset` skips those
    // the record has set; `markSet` marks what was read as set (with `markOnlyChanged`, only what
    // changed). The Y axis is never marked.
    void ReadFromSeries(std::uint32_t mask, bool onlyUnset, bool markSet, bool markOnlyChanged);

private:
    enum class Indexed { LineWidth, Pattern, Color, BkColor };

    com::HRESULT getPlain(std::uint32_t bit, com::LONG* value);
    com::HRESULT putPlain(std::uint32_t bit, com::LONG value);
    com::HRESULT getShort(std::uint32_t bit, com::SHORT* value);
    com::HRESULT getFlag(std::uint32_t bit, com::VARIANT_BOOL* value);
    com::HRESULT putFlag(std::uint32_t bit, com::VARIANT_BOOL value);
    com::HRESULT getIndexed(Indexed which, const com::Variant& index, com::LONG* value);
    com::HRESULT putIndexed(Indexed which, const com::Variant& index, com::LONG value);

    static Indexed indexedOf(std::uint32_t bit);
    com::LONG recordIndexed(Indexed which, int index) const;
    com::LONG readIndexed(Indexed which, int index);
    void writeIndexed(Indexed which, int index, com::LONG value);
    void readLegend();
    void writeLegend();
    com::LONG seriesTypeMask();
    void applyOne(std::uint32_t bit);
    bool readOne(std::uint32_t bit);

    SeriesOwner* owner_ = nullptr;
    AdapterSeriesChannel adapterChannel_;
    SeriesAttributeChannel* channel_ = nullptr;
    SeriesAttributeRecord* record_ = nullptr;
    com::SHORT series_ = -1;
};

}  // namespace dravik
