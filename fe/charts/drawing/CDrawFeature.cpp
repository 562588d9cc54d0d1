#include "drawing/CDrawFeature.h"

#include <limits>
#include <utility>

#include "drawing/CDrawingList.h"
#include "drawing/DrawingTexts.h"

namespace dravik {

// One call on a drawing: finds the record and keeps the owner alive until the call returns. The record
// reference is only good until the first call into the owner (which may change the list): members read
// what they need from it before they notify the owner.
class CDrawFeature::Call {
public:
    Call(const DrawingLink& link, std::uint32_t drawingId) {
        if (!link.owner || !link.list)
            return;
        keep_ = com::ComPtr<com::IUnknown>(link.owner->DrawingOwnerIdentity());
        record_ = link.list->At(link.list->IndexOfId(drawingId));
        owner_ = record_ ? link.owner : nullptr;
    }

    explicit operator bool() const { return record_ != nullptr; }
    DrawingRecord& record() { return *record_; }
    IDrawingOwner& owner() { return *owner_; }

private:
    // Declared first, released last.
    com::ComPtr<com::IUnknown> keep_;
    IDrawingOwner* owner_ = nullptr;
    DrawingRecord* record_ = nullptr;
};

namespace {

void clear(com::Bstr* out) {
    *out = com::Bstr();
}

}  // namespace

CDrawFeature::CDrawFeature(std::shared_ptr<const DrawingLink> link, std::uint32_t drawingId)
    : link_(std::move(link)), drawingId_(drawingId) {}

template <typename Field, typename Out>
com::HRESULT CDrawFeature::getField(Field DrawingRecord::*field, Out* out) {
    if (!out)
        return com::E_POINTER;
    *out = Out{};
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    *out = static_cast<Out>(call.record().*field);
    return com::S_OK;
}

template <typename Field>
com::HRESULT CDrawFeature::putField(Field DrawingRecord::*field, Field value) {
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    if (call.record().*field == value)
        return com::S_OK;
    call.record().*field = value;
    call.owner().RepaintDrawings();
    return com::S_OK;
}

// --- pen and series -------------------------------------------------------------------------------------

com::HRESULT CDrawFeature::get_Color(LONG* value) {
    return getField(&DrawingRecord::color, value);
}

com::HRESULT CDrawFeature::put_Color(LONG value) {
    return putField(&DrawingRecord::color, static_cast<com::COLORREF>(value));
}

com::HRESULT CDrawFeature::get_LineStyle(SHORT* value) {
    return getField(&DrawingRecord::lineStyle, value);
}

com::HRESULT CDrawFeature::put_LineStyle(SHORT value) {
    return putField(&DrawingRecord::lineStyle, value);
}

com::HRESULT CDrawFeature::get_LineWidth(SHORT* value) {
    return getField(&DrawingRecord::lineWidth, value);
}

com::HRESULT CDrawFeature::put_LineWidth(SHORT value) {
    return putField(&DrawingRecord::lineWidth, value);
}

com::HRESULT CDrawFeature::get_SignalLineStyle(SHORT* value) {
    return getField(&DrawingRecord::signalLineStyle, value);
}

com::HRESULT CDrawFeature::put_SignalLineStyle(SHORT value) {
    return putField(&DrawingRecord::signalLineStyle, value);
}

com::HRESULT CDrawFeature::get_WorkSeries(LONG* value) {
    return getField(&DrawingRecord::workSeries, value);
}

com::HRESULT CDrawFeature::put_WorkSeries(LONG value) {
    // The record keeps a 16-bit series number: a wider value would name another series.
    if (value < std::numeric_limits<SHORT>::min() || value > std::numeric_limits<SHORT>::max())
        return com::E_INVALIDARG;
    return putField(&DrawingRecord::workSeries, static_cast<SHORT>(value));
}

com::HRESULT CDrawFeature::get_FreeDraw(VARIANT_BOOL* value) {
    if (!value)
        return com::E_POINTER;
    std::uint8_t freeDraw = 0;
    const HRESULT result = getField(&DrawingRecord::freeDraw, &freeDraw);
    *value = com::toVariantBool(freeDraw != 0);
    return result;
}

com::HRESULT CDrawFeature::put_FreeDraw(VARIANT_BOOL value) {
    return putField(&DrawingRecord::freeDraw, static_cast<std::uint8_t>(value == com::VARIANT_TRUE ? 1 : 0));
}

// --- state --------------------------------------------------------------------------------------------

com::HRESULT CDrawFeature::getState(bool (DrawingRecord::*state)() const, VARIANT_BOOL* value) {
    if (!value)
        return com::E_POINTER;
    *value = com::VARIANT_FALSE;
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    *value = com::toVariantBool((call.record().*state)());
    return com::S_OK;
}

com::HRESULT CDrawFeature::get_Visible(VARIANT_BOOL* value) {
    return getState(&DrawingRecord::Visible, value);
}

com::HRESULT CDrawFeature::put_Visible(VARIANT_BOOL value) {
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    DrawingRecord& record = call.record();
    const bool show = value != com::VARIANT_FALSE;
    if (!record.Enabled()) {
        // Kept for when the drawing is enabled again; nothing shows now.
        record.state = show ? kDrawingShownByRange : kDrawingHiddenByRange;
        return com::S_OK;
    }
    const std::int16_t state = show ? kDrawingShown : kDrawingHidden;
    if (record.state == state)
        return com::S_OK;
    record.state = state;
    const std::int16_t command = record.toolCommand;
    call.owner().SetDrawingCommandChecked(command, show);
    call.owner().RepaintDrawings();
    return com::S_OK;
}

com::HRESULT CDrawFeature::get_Enable(VARIANT_BOOL* value) {
    return getState(&DrawingRecord::Enabled, value);
}

com::HRESULT CDrawFeature::put_Enable(VARIANT_BOOL value) {
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    DrawingRecord& record = call.record();
    const std::int16_t oldState = record.state;
    const std::uint8_t oldLock = record.lock;
    if (value != com::VARIANT_FALSE) {
        record.lock = 0;
        if (record.state == kDrawingHiddenByRange)
            record.state = kDrawingHidden;
        else if (record.state == kDrawingShownByRange)
            record.state = kDrawingShown;
    } else {
        if (record.state == kDrawingHidden)
            record.state = kDrawingHiddenByRange;
        else if (record.state == kDrawingShown)
            record.state = kDrawingShownByRange;
        record.lock = 1;
    }
    if (record.state == oldState && record.lock == oldLock)
        return com::S_OK;
    // An enabled drawing may still lie outside the data: the chart hides it by range again.
    if (record.lock == 0)
        call.owner().RefreshDrawings();
    call.owner().RepaintDrawings();
    return com::S_OK;
}

// --- texts --------------------------------------------------------------------------------------------

com::HRESULT CDrawFeature::getDate(double DrawingRecord::*x, com::Bstr* out) {
    if (!out)
        return com::E_INVALIDARG;
    clear(out);
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    const double value = call.record().*x;
    const CDateScale* scale = call.owner().DrawingDateScale();
    if (!scale)
        return com::E_FAIL;
    *out = com::Bstr::fromUtf8(DrawingDateText(*scale, value, call.owner().DrawingPointDates()));
    return com::S_OK;
}

com::HRESULT CDrawFeature::putDate(double DrawingRecord::*position, double DrawingRecord::*x,
                                   const com::Bstr& text) {
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    const CDateScale* scale = call.owner().DrawingDateScale();
    if (!scale)
        return com::E_FAIL;
    const std::optional<DrawingAnchor> anchor =
        ParseDrawingDate(*scale, text.toUtf8(), false, call.owner().DrawingPointDates());
    if (!anchor)
        return com::E_INVALIDARG;
    DrawingRecord& record = call.record();
    if (record.*position == anchor->position && record.*x == anchor->x)
        return com::S_OK;
    record.*position = anchor->position;
    record.*x = anchor->x;
    call.owner().RepaintDrawings();
    return com::S_OK;
}

com::HRESULT CDrawFeature::get_From(com::Bstr* value) {
    return getDate(&DrawingRecord::xFrom, value);
}

com::HRESULT CDrawFeature::put_From(const com::Bstr& value) {
    return putDate(&DrawingRecord::from, &DrawingRecord::xFrom, value);
}

com::HRESULT CDrawFeature::get_To(com::Bstr* value) {
    return getDate(&DrawingRecord::xTo, value);
}

com::HRESULT CDrawFeature::put_To(const com::Bstr& value) {
    return putDate(&DrawingRecord::to, &DrawingRecord::xTo, value);
}

com::HRESULT CDrawFeature::getPrice(double DrawingRecord::*field, com::Bstr* out) {
    if (!out)
        return com::E_POINTER;
    clear(out);
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    // A drawing on a series reads its prices there, also before it is painted at new anchors.
    call.owner().FollowDrawingSeries(call.record());
    const double price = call.record().*field;
    *out = com::Bstr::fromUtf8(DrawingPriceText(price, call.owner().DrawingPriceAxis()));
    return com::S_OK;
}

com::HRESULT CDrawFeature::putPrice(double DrawingRecord::*field, const com::Bstr& text) {
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    const std::optional<double> price = ParseDrawingPrice(text.toUtf8(), call.owner().DrawingPriceAxis());
    if (!price)
        return com::E_INVALIDARG;
    return putField(field, *price);
}

com::HRESULT CDrawFeature::get_FromPrice(com::Bstr* value) {
    return getPrice(&DrawingRecord::fromPrice, value);
}

com::HRESULT CDrawFeature::put_FromPrice(const com::Bstr& value) {
    return putPrice(&DrawingRecord::fromPrice, value);
}

com::HRESULT CDrawFeature::get_ToPrice(com::Bstr* value) {
    return getPrice(&DrawingRecord::toPrice, value);
}

com::HRESULT CDrawFeature::put_ToPrice(const com::Bstr& value) {
    return putPrice(&DrawingRecord::toPrice, value);
}

com::HRESULT CDrawFeature::get_Name(com::Bstr* value) {
    if (!value)
        return com::E_POINTER;
    clear(value);
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    *value = com::Bstr::fromUtf8(call.record().Name());
    return com::S_OK;
}

com::HRESULT CDrawFeature::put_Name(const com::Bstr& value) {
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    DrawingRecord& record = call.record();
    const std::string before = record.Name();
    record.SetName(value.toUtf8());
    const std::string name = record.Name();
    if (name == before)
        return com::S_OK;
    const std::int16_t command = record.toolCommand;
    call.owner().SetDrawingCommandText(command, name);
    return com::S_OK;
}

com::HRESULT CDrawFeature::get_UserData(com::Bstr* value) {
    if (!value)
        return com::E_POINTER;
    clear(value);
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    *value = com::Bstr::fromUtf8(call.record().UserData());
    return com::S_OK;
}

com::HRESULT CDrawFeature::put_UserData(const com::Bstr& value) {
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    call.record().SetUserData(value.toUtf8());
    return com::S_OK;
}

// --- parameters ---------------------------------------------------------------------------------------

com::HRESULT CDrawFeature::get_ExtraBytes(SHORT* count) {
    if (!count)
        return com::E_POINTER;
    *count = 0;
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    *count = static_cast<SHORT>(call.record().extraBytes.size());
    return com::S_OK;
}

com::HRESULT CDrawFeature::get_ExtraByte(SHORT position, std::uint8_t* value) {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    return call.record().GetExtraByte(position, value);
}

com::HRESULT CDrawFeature::put_ExtraByte(SHORT position, std::uint8_t value) {
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    DrawingRecord& record = call.record();
    std::uint8_t current = 0;
    const HRESULT found = record.GetExtraByte(position, &current);
    if (com::FAILED(found) || current == value)
        return found;
    record.SetExtraByte(position, value);
    call.owner().RepaintDrawings();
    return com::S_OK;
}

com::HRESULT CDrawFeature::ShowParametersDlg(std::intptr_t parent, VARIANT_BOOL* changed) {
    if (!changed)
        return com::E_POINTER;
    *changed = com::VARIANT_FALSE;
    Call call(*link_, drawingId_);
    if (!call)
        return com::E_FAIL;
    if (!hasParameters())
        return com::S_OK;
    if (call.owner().RunDrawingParameters(*this, parent)) {
        *changed = com::VARIANT_TRUE;
        call.owner().RepaintDrawings();
    }
    return com::S_OK;
}

}  // namespace dravik
