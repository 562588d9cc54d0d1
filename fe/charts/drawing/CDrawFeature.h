// The COM object over one drawing (`IDrawFeature`). It names its drawing by the record's id and finds
// it in the list at every call, so it stays with its drawing while drawings before it are deleted and
// fails with E_FAIL once the drawing, or the list, is gone. The list and the owner are reached through
// a link that their holder cuts when it goes (CDrawingFeatures).
//
// Kinds with parameters (Gann fan, Fibonacci arcs, fan and retracements) get `CConfigurableDrawFeature`,
// whose ShowParametersDlg runs the owner's parameter dialog; the others get the plain object.
#pragma once

#include <cstdint>
#include <memory>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "dravik/DrawingInterfaces.h"
#include "drawing/DrawingOwner.h"
#include "drawing/DrawingRecord.h"

namespace dravik {

class CDrawingList;

// What the drawing objects share with the holder of the list. Both pointers are null once the holder
// is gone.
struct DrawingLink {
    IDrawingOwner* owner = nullptr;
    CDrawingList* list = nullptr;
};

class CDrawFeature : public com::ComObject<IDrawFeature> {
public:
    using HRESULT = com::HRESULT;
    using LONG = com::LONG;
    using SHORT = com::SHORT;
    using VARIANT_BOOL = com::VARIANT_BOOL;

    CDrawFeature(std::shared_ptr<const DrawingLink> link, std::uint32_t drawingId);

    HRESULT get_Color(LONG* value) override;
    HRESULT put_Color(LONG value) override;
    HRESULT get_LineStyle(SHORT* value) override;
    HRESULT put_LineStyle(SHORT value) override;
    HRESULT get_LineWidth(SHORT* value) override;
    HRESULT put_LineWidth(SHORT value) override;
    HRESULT get_From(com::Bstr* value) override;
    HRESULT put_From(const com::Bstr& value) override;
    HRESULT get_To(com::Bstr* value) override;
    HRESULT put_To(const com::Bstr& value) override;
    HRESULT get_Visible(VARIANT_BOOL* value) override;
    HRESULT put_Visible(VARIANT_BOOL value) override;
    HRESULT get_SignalLineStyle(SHORT* value) override;
    HRESULT put_SignalLineStyle(SHORT value) override;
    HRESULT get_WorkSeries(LONG* value) override;
    HRESULT put_WorkSeries(LONG value) override;
    HRESULT get_FreeDraw(VARIANT_BOOL* value) override;
    HRESULT put_FreeDraw(VARIANT_BOOL value) override;
    HRESULT get_FromPrice(com::Bstr* value) override;
    HRESULT put_FromPrice(const com::Bstr& value) override;
    HRESULT get_ToPrice(com::Bstr* value) override;
    HRESULT put_ToPrice(const com::Bstr& value) override;
    HRESULT get_Name(com::Bstr* value) override;
    HRESULT put_Name(const com::Bstr& value) override;
    HRESULT get_UserData(com::Bstr* value) override;
    HRESULT put_UserData(const com::Bstr& value) override;
    HRESULT get_Enable(VARIANT_BOOL* value) override;
    HRESULT put_Enable(VARIANT_BOOL value) override;
    HRESULT get_ExtraBytes(SHORT* count) override;
    HRESULT get_ExtraByte(SHORT position, std::uint8_t* value) override;
    HRESULT put_ExtraByte(SHORT position, std::uint8_t value) override;
    HRESULT ShowParametersDlg(std::intptr_t parent, VARIANT_BOOL* changed) override;

    std::uint32_t drawingId() const { return drawingId_; }

protected:
    // Whether the kind has a parameter dialog.
    virtual bool hasParameters() const { return false; }

private:
    class Call;

    template <typename Field, typename Out>
    HRESULT getField(Field DrawingRecord::*field, Out* out);
    // Stores a pen or series field and repaints; nothing when the value is the current one.
    template <typename Field>
    HRESULT putField(Field DrawingRecord::*field, Field value);
    // One of the record's state tests (shown, enabled) as a Boolean.
    HRESULT getState(bool (DrawingRecord::*state)() const, VARIANT_BOOL* value);
    HRESULT getDate(double DrawingRecord::*x, com::Bstr* out);
    HRESULT putDate(double DrawingRecord::*position, double DrawingRecord::*x, const com::Bstr& text);
    HRESULT getPrice(double DrawingRecord::*field, com::Bstr* out);
    HRESULT putPrice(double DrawingRecord::*field, const com::Bstr& text);

    std::shared_ptr<const DrawingLink> link_;
    std::uint32_t drawingId_;
};

class CConfigurableDrawFeature final : public CDrawFeature {
public:
    using CDrawFeature::CDrawFeature;

protected:
    bool hasParameters() const override { return true; }
};

}  // namespace dravik
