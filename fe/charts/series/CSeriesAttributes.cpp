#include "series/CSeriesAttributes.h"

#include <array>
#include <string>

#include "com/FixedText.h"

namespace dravik {
namespace {

using com::HRESULT;
using com::LONG;
using com::SHORT;

enum class Kind { TypeMask, Short, Flag, Color };

struct PlainAttribute {
    std::uint32_t bit;
    LONG id;
    Kind kind;
    std::int16_t SeriesAttributeRecord::*shortField = nullptr;
    std::uint8_t SeriesAttributeRecord::*flagField = nullptr;
};

constexpr std::array kPlainAttributes{
    PlainAttribute{SA_TYPEMASK, SAID_TYPEMASK, Kind::TypeMask},
    PlainAttribute{SA_GALLERY, SAID_GALLERY, Kind::Short, &SeriesAttributeRecord::gallery},
    PlainAttribute{SA_POINTLABELALIGN, SAID_POINTLABELALIGN, Kind::Short,
                   &SeriesAttributeRecord::pointLabelAlign},
    PlainAttribute{SA_YAXIS, SAID_YAXIS, Kind::Short, &SeriesAttributeRecord::yAxis},
    PlainAttribute{SA_XAXIS, SAID_XAXIS, Kind::Short, &SeriesAttributeRecord::xAxis},
    PlainAttribute{SA_LINESTYLE, SAID_LINESTYLE, Kind::Short, &SeriesAttributeRecord::lineStyle},
    PlainAttribute{SA_POINTTYPE, SAID_POINTTYPE, Kind::Short, &SeriesAttributeRecord::pointType},
    PlainAttribute{SA_CYLSIDES, SAID_CYLSIDES, Kind::Short, &SeriesAttributeRecord::cylSides},
    PlainAttribute{SA_MARKERSIZE, SAID_MARKERSIZE, Kind::Short, &SeriesAttributeRecord::markerSize},
    PlainAttribute{SA_VOLUME, SAID_VOLUME, Kind::Short, &SeriesAttributeRecord::volume},
    PlainAttribute{SA_MARKERSTEP, SAID_MARKERSTEP, Kind::Short, &SeriesAttributeRecord::markerStep},
    PlainAttribute{SA_POINTLABELANGLE, SAID_POINTLABELANGLE, Kind::Short,
                   &SeriesAttributeRecord::pointLabelAngle},
    PlainAttribute{SA_BORDER, SAID_BORDER, Kind::Flag, nullptr, &SeriesAttributeRecord::border},
    PlainAttribute{SA_POINTLABELS, SAID_POINTLABELS, Kind::Flag, nullptr,
                   &SeriesAttributeRecord::pointLabels},
    PlainAttribute{SA_STACKED, SAID_STACKED, Kind::Flag, nullptr, &SeriesAttributeRecord::stacked},
    PlainAttribute{SA_VISIBLE, SAID_VISIBLE, Kind::Flag, nullptr, &SeriesAttributeRecord::visible},
    PlainAttribute{SA_BORDERCOLOR, SAID_BORDERCOLOR, Kind::Color},
};

// The order in which attributes are applied to and read from a series.
constexpr std::array<std::uint32_t, 22> kApplyOrder{
    SA_TYPEMASK,    SA_CYLSIDES,   SA_YAXIS,           SA_BORDER,          SA_LINESTYLE, SA_POINTTYPE,
    SA_STACKED,     SA_LEGEND,     SA_MARKERSIZE,      SA_XAXIS,           SA_GALLERY,   SA_VOLUME,
    SA_POINTLABELS, SA_MARKERSTEP, SA_POINTLABELALIGN, SA_POINTLABELANGLE, SA_VISIBLE,   SA_BORDERCOLOR,
    SA_COLOR,       SA_BKCOLOR,    SA_PATTERN,         SA_LINEWIDTH,
};

constexpr LONG kTypeMaskHighBits = static_cast<LONG>(0xFFFFFF00u);

const PlainAttribute* plainAttribute(std::uint32_t bit) {
    for (const PlainAttribute& attribute : kPlainAttributes) {
        if (attribute.bit == bit)
            return &attribute;
    }
    return nullptr;
}

LONG recordValue(const SeriesAttributeRecord& record, const PlainAttribute& attribute) {
    switch (attribute.kind) {
        case Kind::TypeMask:
            return record.typeMask;
        case Kind::Short:
            return record.*attribute.shortField;
        case Kind::Flag:
            return record.*attribute.flagField;
        case Kind::Color:
            return static_cast<LONG>(record.borderColor);
    }
    return 0;
}

void storeValue(SeriesAttributeRecord& record, const PlainAttribute& attribute, LONG value) {
    switch (attribute.kind) {
        case Kind::TypeMask:
            record.typeMask = value;
            break;
        case Kind::Short:
            record.*attribute.shortField = static_cast<std::int16_t>(value);
            break;
        case Kind::Flag:
            record.*attribute.flagField = value != 0 ? 1 : 0;
            break;
        case Kind::Color:
            record.borderColor = static_cast<std::uint32_t>(value);
            break;
    }
}

// A missing index is 0; otherwise its 16-bit value, which must be 0 or 1.
bool seriesIndexOf(const com::Variant& index, int& result) {
    if (index.vt() == com::VT_ERROR) {
        result = 0;
        return true;
    }
    com::Variant converted = index;
    if (com::FAILED(converted.changeType(com::VT_I2)))
        return false;
    const std::int16_t value = converted.i2();
    if (value != 0 && value != 1)
        return false;
    result = value;
    return true;
}

// Runs a getter of a 32-bit value for a 16-bit result.
template <typename Get>
HRESULT asShort(SHORT* value, Get get) {
    if (!value)
        return com::E_POINTER;
    LONG wide = 0;
    const HRESULT result = get(&wide);
    *value = static_cast<SHORT>(wide);
    return result;
}

constexpr std::array<std::uint32_t, 4> kIndexedBits{SA_LINEWIDTH, SA_PATTERN, SA_COLOR, SA_BKCOLOR};

}  // namespace

void CSeriesAttributes::Bind(SeriesOwner* owner, CHostChartAdapter* adapter, SeriesAttributeRecord* record) {
    adapterChannel_.SetAdapter(adapter);
    Bind(owner, adapter ? &adapterChannel_ : nullptr, record);
}

void CSeriesAttributes::Bind(SeriesOwner* owner, SeriesAttributeChannel* channel,
                             SeriesAttributeRecord* record) {
    owner_ = owner;
    channel_ = channel;
    record_ = record;
}

HRESULT CSeriesAttributes::getPlain(std::uint32_t bit, LONG* value) {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    const PlainAttribute* attribute = plainAttribute(bit);
    if (!record_ || !attribute)
        return com::E_FAIL;
    if (IsBound())
        storeValue(*record_, *attribute, channel_->GetAttribute(series_, attribute->id));
    *value = recordValue(*record_, *attribute);
    return com::S_OK;
}

HRESULT CSeriesAttributes::putPlain(std::uint32_t bit, LONG value) {
    const PlainAttribute* attribute = plainAttribute(bit);
    if (!record_ || !attribute)
        return com::E_FAIL;
    storeValue(*record_, *attribute, value);
    if (IsBound())
        channel_->SetAttribute(series_, attribute->id, recordValue(*record_, *attribute));
    record_->setMask |= bit;
    return com::S_OK;
}

HRESULT CSeriesAttributes::getShort(std::uint32_t bit, SHORT* value) {
    return asShort(value, [&](LONG* wide) { return getPlain(bit, wide); });
}

HRESULT CSeriesAttributes::getFlag(std::uint32_t bit, com::VARIANT_BOOL* value) {
    if (!value)
        return com::E_POINTER;
    LONG wide = 0;
    const HRESULT result = getPlain(bit, &wide);
    *value = com::toVariantBool(wide != 0);
    return result;
}

HRESULT CSeriesAttributes::putFlag(std::uint32_t bit, com::VARIANT_BOOL value) {
    return putPlain(bit, value == com::VARIANT_TRUE ? 1 : 0);
}

LONG CSeriesAttributes::seriesTypeMask() {
    return channel_->GetAttribute(series_, SAID_TYPEMASK);
}

HRESULT CSeriesAttributes::get_TypeMask(LONG* value) {
    return getPlain(SA_TYPEMASK, value);
}

HRESULT CSeriesAttributes::put_TypeMask(LONG value) {
    if (!record_)
        return com::E_FAIL;
    const LONG lowByteFrom = IsBound() ? seriesTypeMask() : record_->typeMask;
    record_->typeMask = (lowByteFrom & 0xFF) | (value & kTypeMaskHighBits);
    if (IsBound())
        channel_->SetAttribute(series_, SAID_TYPEMASK, record_->typeMask);
    record_->setMask |= SA_TYPEMASK;
    return com::S_OK;
}

void CSeriesAttributes::readLegend() {
    char buffer[kLegendBytes] = {};
    if (com::SUCCEEDED(channel_->GetLegend(series_, buffer, kLegendBytes)))
        record_->legend.SetText(com::readFixed(buffer), owner_ ? owner_->ResourceModule() : nullptr);
}

void CSeriesAttributes::writeLegend() {
    channel_->SetLegend(series_, record_->legend.GetText(owner_ ? owner_->ResourceModule() : nullptr));
}

HRESULT CSeriesAttributes::get_Legend(com::Bstr* value) {
    if (!value)
        return com::E_POINTER;
    *value = com::Bstr();
    if (!record_)
        return com::E_FAIL;
    if (IsBound())
        readLegend();
    *value = com::Bstr::fromUtf8(record_->legend.GetText(owner_ ? owner_->ResourceModule() : nullptr));
    return com::S_OK;
}

HRESULT CSeriesAttributes::put_Legend(const com::Bstr& value) {
    if (!record_)
        return com::E_FAIL;
    record_->legend.SetText(value.toUtf8(), owner_ ? owner_->ResourceModule() : nullptr);
    if (IsBound())
        writeLegend();
    record_->setMask |= SA_LEGEND;
    return com::S_OK;
}

// Index 0 of every indexed attribute and index 1 of the colours live in the chart; index 1 of line
// width and pattern lives in the record only. Index 1 of a colour is the colour of the next series.
LONG CSeriesAttributes::readIndexed(Indexed which, int index) {
    SeriesAttributeRecord& r = *record_;
    const std::size_t i = static_cast<std::size_t>(index);
    switch (which) {
        case Indexed::LineWidth:
            if (IsBound() && index == 0)
                r.lineWidth[0] = static_cast<std::int16_t>(channel_->GetAttribute(series_, SAID_LINEWIDTH));
            return r.lineWidth[i];
        case Indexed::Pattern:
            if (IsBound() && index == 0)
                r.pattern[0] = static_cast<std::int16_t>(channel_->GetAttribute(series_, SAID_PATTERN));
            return r.pattern[i];
        case Indexed::Color:
            if (IsBound())
                r.color[i] = static_cast<std::uint32_t>(
                    index == 0 ? channel_->GetAttribute(series_, SAID_COLOR)
                               : channel_->GetColor(static_cast<SHORT>(series_ + 1)));
            return static_cast<LONG>(r.color[i]);
        case Indexed::BkColor:
            if (IsBound())
                r.bkColor[i] = static_cast<std::uint32_t>(
                    index == 0 ? channel_->GetAttribute(series_, SAID_BKCOLOR)
                               : channel_->GetBkColor(static_cast<SHORT>(series_ + 1)));
            return static_cast<LONG>(r.bkColor[i]);
    }
    return 0;
}

void CSeriesAttributes::writeIndexed(Indexed which, int index, LONG value) {
    SeriesAttributeRecord& r = *record_;
    const std::size_t i = static_cast<std::size_t>(index);
    const SHORT next = static_cast<SHORT>(series_ + 1);
    switch (which) {
        case Indexed::LineWidth:
            r.lineWidth[i] = static_cast<std::int16_t>(value);
            if (IsBound() && index == 0)
                channel_->SetAttribute(series_, SAID_LINEWIDTH, r.lineWidth[0]);
            break;
        case Indexed::Pattern:
            r.pattern[i] = static_cast<std::int16_t>(value);
            if (IsBound() && index == 0)
                channel_->SetAttribute(series_, SAID_PATTERN, r.pattern[0]);
            break;
        case Indexed::Color:
            r.color[i] = static_cast<std::uint32_t>(value);
            if (IsBound())
                index == 0 ? channel_->SetAttribute(series_, SAID_COLOR, value)
                           : channel_->SetColor(next, value);
            break;
        case Indexed::BkColor:
            r.bkColor[i] = static_cast<std::uint32_t>(value);
            if (IsBound())
                index == 0 ? channel_->SetAttribute(series_, SAID_BKCOLOR, value)
                           : channel_->SetBkColor(next, value);
            break;
    }
}

HRESULT CSeriesAttributes::getIndexed(Indexed which, const com::Variant& index, LONG* value) {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    int i = 0;
    if (!seriesIndexOf(index, i))
        return com::E_INVALIDARG;
    if (!record_)
        return com::E_FAIL;
    *value = readIndexed(which, i);
    return com::S_OK;
}

HRESULT CSeriesAttributes::putIndexed(Indexed which, const com::Variant& index, LONG value) {
    int i = 0;
    if (!seriesIndexOf(index, i))
        return com::E_INVALIDARG;
    if (!record_)
        return com::E_FAIL;
    writeIndexed(which, i, value);
    record_->setMask |= kIndexedBits[static_cast<std::size_t>(which)];
    if ((which == Indexed::Color || which == Indexed::BkColor) && owner_)
        owner_->RepaintIfActive();
    return com::S_OK;
}

HRESULT CSeriesAttributes::get_LineWidth(const com::Variant& index, SHORT* value) {
    return asShort(value, [&](LONG* wide) { return getIndexed(Indexed::LineWidth, index, wide); });
}

HRESULT CSeriesAttributes::get_Pattern(const com::Variant& index, SHORT* value) {
    return asShort(value, [&](LONG* wide) { return getIndexed(Indexed::Pattern, index, wide); });
}

CSeriesAttributes::Indexed CSeriesAttributes::indexedOf(std::uint32_t bit) {
    return bit == SA_LINEWIDTH ? Indexed::LineWidth
           : bit == SA_PATTERN ? Indexed::Pattern
           : bit == SA_COLOR   ? Indexed::Color
                               : Indexed::BkColor;
}

LONG CSeriesAttributes::recordIndexed(Indexed which, int index) const {
    const std::size_t i = static_cast<std::size_t>(index);
    switch (which) {
        case Indexed::LineWidth:
            return record_->lineWidth[i];
        case Indexed::Pattern:
            return record_->pattern[i];
        case Indexed::Color:
            return static_cast<LONG>(record_->color[i]);
        case Indexed::BkColor:
            return static_cast<LONG>(record_->bkColor[i]);
    }
    return 0;
}

void CSeriesAttributes::applyOne(std::uint32_t bit) {
    if (bit == SA_LEGEND) {
        writeLegend();
    } else if (bit == SA_TYPEMASK) {
        const LONG kept = (seriesTypeMask() & 0xFF) | (record_->typeMask & kTypeMaskHighBits);
        channel_->SetAttribute(series_, SAID_TYPEMASK, kept);
    } else if (const PlainAttribute* attribute = plainAttribute(bit)) {
        channel_->SetAttribute(series_, attribute->id, recordValue(*record_, *attribute));
    } else {
        const Indexed which = indexedOf(bit);
        for (int index = 0; index < 2; ++index)
            writeIndexed(which, index, recordIndexed(which, index));
    }
}

void CSeriesAttributes::ApplyToSeries(std::uint32_t mask) {
    if (!record_ || !IsBound())
        return;
    const std::uint32_t wanted = mask & record_->setMask;
    for (const std::uint32_t bit : kApplyOrder) {
        if ((wanted & bit) != 0)
            applyOne(bit);
    }
}

// Reads one attribute; true when a value differs from what the record held before.
bool CSeriesAttributes::readOne(std::uint32_t bit) {
    if (bit == SA_LEGEND) {
        const std::string before = record_->legend.GetText(owner_ ? owner_->ResourceModule() : nullptr);
        readLegend();
        return before != record_->legend.GetText(owner_ ? owner_->ResourceModule() : nullptr);
    }
    if (bit == SA_TYPEMASK) {
        const LONG before = record_->typeMask;
        record_->typeMask = seriesTypeMask() & kTypeMaskHighBits;
        return before != record_->typeMask;
    }
    if (const PlainAttribute* attribute = plainAttribute(bit)) {
        const LONG before = recordValue(*record_, *attribute);
        storeValue(*record_, *attribute, channel_->GetAttribute(series_, attribute->id));
        return before != recordValue(*record_, *attribute);
    }
    const Indexed which = indexedOf(bit);
    bool changed = false;
    for (int index = 0; index < 2; ++index) {
        const LONG before = recordIndexed(which, index);
        changed = readIndexed(which, index) != before || changed;
    }
    return changed;
}

void CSeriesAttributes::ReadFromSeries(std::uint32_t mask, bool onlyUnset, bool markSet,
                                       bool markOnlyChanged) {
    if (!record_ || !IsBound())
        return;
    for (const std::uint32_t bit : kApplyOrder) {
        if ((mask & bit) == 0 || (onlyUnset && (record_->setMask & bit) != 0))
            continue;
        const bool changed = readOne(bit);
        if (markSet && bit != SA_YAXIS && (!markOnlyChanged || changed))
            record_->setMask |= bit;
    }
}

}  // namespace dravik
