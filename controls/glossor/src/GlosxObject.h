// One annotation object: its data behind the automation interfaces. The list that holds it is told
// of every change, so that it can redraw; an object taken out of its list keeps its data and works
// on alone.
#pragma once

#include "GlosxGeometry.h"
#include "com/ComObject.h"
#include "glossor/IGlosxList.h"

namespace glossor {

class GlosxObject;

// Who hears about changes of an object (the list that holds it).
class GlosxOwner {
public:
    virtual void objectChanged(GlosxObject& object) = 0;

protected:
    ~GlosxOwner() = default;
};

class GlosxObject final : public com::ComObject<IGlosxLine> {
public:
    explicit GlosxObject(GlosxData data) : data_(std::move(data)) {}

    const GlosxData& data() const { return data_; }
    // Changes the data and tells the owner.
    template <typename Change>
    void edit(Change&& change) {
        change(data_);
        changed();
    }
    GlosxOwner* owner() const { return owner_; }
    void setOwner(GlosxOwner* owner) { owner_ = owner; }

    // Only lines answer IGlosxLine.
    HRESULT QueryInterface(const com::IID& iid, void** object) override;

    // --- IGlosxObject ---
    HRESULT get_Kind(SHORT* kind) override;
    HRESULT get_Tag(LONG* tag) override;
    HRESULT put_Tag(LONG tag) override;
    HRESULT get_Appearance(SHORT* appearance) override;
    HRESULT put_Appearance(SHORT appearance) override;
    HRESULT get_Offset(SHORT* offset) override;
    HRESULT put_Offset(SHORT offset) override;
    HRESULT get_RotateState(VARIANT_BOOL* state) override;
    HRESULT put_RotateState(VARIANT_BOOL state) override;
    HRESULT get_FlipState(VARIANT_BOOL* state) override;
    HRESULT put_FlipState(VARIANT_BOOL state) override;
    HRESULT get_BackColor(com::COLORREF* color) override;
    HRESULT put_BackColor(com::COLORREF color) override;
    HRESULT get_ForeColor(com::COLORREF* color) override;
    HRESULT put_ForeColor(com::COLORREF color) override;
    HRESULT get_Text(com::Bstr* text) override;
    HRESULT put_Text(const com::Bstr& text) override;
    // --- IGlosxShape ---
    HRESULT get_Points(IGlosxPoints** points) override;
    // --- IGlosxLine ---
    HRESULT get_LineMode(SHORT* mode) override;
    HRESULT put_LineMode(SHORT mode) override;

private:
    ~GlosxObject() override = default;
    void changed();

    GlosxData data_;
    GlosxOwner* owner_ = nullptr;  // not held: the owner clears it before it lets the object go
};

// The object behind an interface pointer of this library; null for a foreign object.
GlosxObject* glosxObjectOf(com::IUnknown* object);

}  // namespace glossor
