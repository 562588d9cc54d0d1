#include "GlosxObject.h"

namespace glossor {
namespace {

// {5C0E4A1A-93D2-4F6B-8E1A-2B7D6C9F0A31}: answered only inside this library, by the object itself.
constexpr com::IID IID_GlosxObjectSelf{
    0x5C0E4A1A, 0x93D2, 0x4F6B, {0x8E, 0x1A, 0x2B, 0x7D, 0x6C, 0x9F, 0x0A, 0x31}};

// The end points of one object, read and written in place.
class GlosxPoints final : public com::ComObject<IGlosxPoints> {
public:
    explicit GlosxPoints(GlosxObject* object) : object_(object) {}

    HRESULT get_X1(SHORT* value) override { return read(value, &GlosxData::x1); }
    HRESULT put_X1(SHORT value) override { return write(value, &GlosxData::x1); }
    HRESULT get_Y1(SHORT* value) override { return read(value, &GlosxData::y1); }
    HRESULT put_Y1(SHORT value) override { return write(value, &GlosxData::y1); }
    HRESULT get_X2(SHORT* value) override { return read(value, &GlosxData::x2); }
    HRESULT put_X2(SHORT value) override { return write(value, &GlosxData::x2); }
    HRESULT get_Y2(SHORT* value) override { return read(value, &GlosxData::y2); }
    HRESULT put_Y2(SHORT value) override { return write(value, &GlosxData::y2); }

private:
    HRESULT read(SHORT* value, SHORT GlosxData::*member) {
        if (!value)
            return com::E_POINTER;
        *value = object_->data().*member;
        return com::S_OK;
    }
    HRESULT write(SHORT value, SHORT GlosxData::*member) {
        object_->edit([&](GlosxData& data) { data.*member = value; });
        return com::S_OK;
    }

    com::ComPtr<GlosxObject> object_;
};

template <typename T>
HRESULT readValue(T* out, const T& value) {
    if (!out)
        return com::E_POINTER;
    *out = value;
    return com::S_OK;
}

}  // namespace

HRESULT GlosxObject::QueryInterface(const com::IID& iid, void** object) {
    if (object && iid == IID_GlosxObjectSelf) {
        AddRef();
        *object = this;
        return com::S_OK;
    }
    if (object && iid == IID_IGlosxLine && data_.kind != kKindLine) {
        *object = nullptr;
        return com::E_NOINTERFACE;
    }
    return ComObject::QueryInterface(iid, object);
}

GlosxObject* glosxObjectOf(com::IUnknown* object) {
    if (!object)
        return nullptr;
    void* self = nullptr;
    if (com::FAILED(object->QueryInterface(IID_GlosxObjectSelf, &self)) || !self)
        return nullptr;
    auto* found = static_cast<GlosxObject*>(self);
    found->Release();  // the caller holds `object`, which keeps it alive
    return found;
}

void GlosxObject::changed() {
    if (owner_)
        owner_->objectChanged(*this);
}

HRESULT GlosxObject::get_Kind(SHORT* kind) {
    return readValue(kind, data_.kind);
}
HRESULT GlosxObject::get_Tag(LONG* tag) {
    return readValue(tag, data_.tag);
}
HRESULT GlosxObject::put_Tag(LONG tag) {
    data_.tag = tag;  // no look of its own: nothing to redraw
    return com::S_OK;
}

HRESULT GlosxObject::get_Appearance(SHORT* appearance) {
    return readValue(appearance, data_.appearance);
}
HRESULT GlosxObject::put_Appearance(SHORT appearance) {
    if (appearance < 0 || appearance > kLastAppearance)
        return com::E_INVALIDARG;
    edit([&](GlosxData& data) { data.appearance = appearance; });
    return com::S_OK;
}

HRESULT GlosxObject::get_Offset(SHORT* offset) {
    return readValue(offset, data_.offset);
}
HRESULT GlosxObject::put_Offset(SHORT offset) {
    edit([&](GlosxData& data) {
        const int step = offset - data.offset;
        moveBy(data, step, step);
        data.offset = offset;
    });
    return com::S_OK;
}

HRESULT GlosxObject::get_RotateState(VARIANT_BOOL* state) {
    return readValue(state, com::toVariantBool(data_.rotateState));
}
HRESULT GlosxObject::put_RotateState(VARIANT_BOOL state) {
    edit([&](GlosxData& data) {
        data.rotateState = state != 0;
        rotateQuarter(data, data.rotateState);
    });
    return com::S_OK;
}

HRESULT GlosxObject::get_FlipState(VARIANT_BOOL* state) {
    return readValue(state, com::toVariantBool(data_.flipState));
}
HRESULT GlosxObject::put_FlipState(VARIANT_BOOL state) {
    edit([&](GlosxData& data) {
        data.flipState = state != 0;
        if (data.flipState)
            flipHorizontal(data);
        else
            flipVertical(data);
    });
    return com::S_OK;
}

HRESULT GlosxObject::get_BackColor(com::COLORREF* color) {
    return readValue(color, data_.backColor);
}
HRESULT GlosxObject::put_BackColor(com::COLORREF color) {
    edit([&](GlosxData& data) { data.backColor = color & 0xFFFFFF; });
    return com::S_OK;
}
HRESULT GlosxObject::get_ForeColor(com::COLORREF* color) {
    return readValue(color, data_.foreColor);
}
HRESULT GlosxObject::put_ForeColor(com::COLORREF color) {
    edit([&](GlosxData& data) { data.foreColor = color & 0xFFFFFF; });
    return com::S_OK;
}

HRESULT GlosxObject::get_Text(com::Bstr* text) {
    if (!text)
        return com::E_POINTER;
    *text = com::Bstr(data_.text);
    return com::S_OK;
}
HRESULT GlosxObject::put_Text(const com::Bstr& text) {
    edit([&](GlosxData& data) { data.text = text.text(); });
    return com::S_OK;
}

HRESULT GlosxObject::get_Points(IGlosxPoints** points) {
    if (!points)
        return com::E_POINTER;
    *points = com::makeComObject<GlosxPoints>(this).detach();
    return com::S_OK;
}

HRESULT GlosxObject::get_LineMode(SHORT* mode) {
    return readValue(mode, data_.lineMode);
}
HRESULT GlosxObject::put_LineMode(SHORT mode) {
    if (mode < 0 || mode > kLastLineMode)
        return com::E_INVALIDARG;
    edit([&](GlosxData& data) { data.lineMode = mode; });
    return com::S_OK;
}

}  // namespace glossor
