// What the COM objects over the value axes and over the date axis have in common: the embedded axis
// class, a reference on the owner (so that the record the axis views stays alive as long as the
// object does, also after every other client has released the owner), and the members of both
// interfaces that forward unchanged to the axis class.
#pragma once

#include "axes/AxisOwner.h"
#include "com/ComObject.h"
#include "com/ComPtr.h"

namespace dravik {

template <typename Interface, typename Axis>
class CAxisMembers : public com::ComObject<Interface> {
public:
    explicit CAxisMembers(IAxisOwner& owner) : ownerReference_(owner.AxisOwnerIdentity()) {}

    Axis& axis() { return axis_; }

    HRESULT get_Min(double* v) override { return axis_.get_Min(v); }
    HRESULT put_Min(double v) override { return axis_.put_Min(v); }
    HRESULT get_Max(double* v) override { return axis_.get_Max(v); }
    HRESULT put_Max(double v) override { return axis_.put_Max(v); }
    HRESULT get_ScaleUnit(double* v) override { return axis_.get_ScaleUnit(v); }
    HRESULT put_ScaleUnit(double v) override { return axis_.put_ScaleUnit(v); }
    HRESULT get_Step(double* v) override { return axis_.get_Step(v); }
    HRESULT put_Step(double v) override { return axis_.put_Step(v); }
    HRESULT get_MinorStep(double* v) override { return axis_.get_MinorStep(v); }
    HRESULT put_MinorStep(double v) override { return axis_.put_MinorStep(v); }
    HRESULT get_Decimals(SHORT* v) override { return axis_.get_Decimals(v); }
    HRESULT put_Decimals(SHORT v) override { return axis_.put_Decimals(v); }
    HRESULT get_TextColor(LONG* v) override { return axis_.get_TextColor(v); }
    HRESULT put_TextColor(LONG v) override { return axis_.put_TextColor(v); }
    HRESULT get_GridWidth(SHORT* v) override { return axis_.get_GridWidth(v); }
    HRESULT put_GridWidth(SHORT v) override { return axis_.put_GridWidth(v); }
    HRESULT get_GridStyle(SHORT* v) override { return axis_.get_GridStyle(v); }
    HRESULT put_GridStyle(SHORT v) override { return axis_.put_GridStyle(v); }
    HRESULT get_GridColor(LONG* v) override { return axis_.get_GridColor(v); }
    HRESULT put_GridColor(LONG v) override { return axis_.put_GridColor(v); }
    HRESULT get_Title(com::Bstr* v) override { return axis_.get_Title(v); }
    HRESULT put_Title(const com::Bstr& v) override { return axis_.put_Title(v); }
    HRESULT get_TitleColor(LONG* v) override { return axis_.get_TitleColor(v); }
    HRESULT put_TitleColor(LONG v) override { return axis_.put_TitleColor(v); }
    HRESULT get_AutoScale(VARIANT_BOOL* v) override { return axis_.get_AutoScale(v); }
    HRESULT put_AutoScale(VARIANT_BOOL v) override { return axis_.put_AutoScale(v); }
    HRESULT get_MinorGridWidth(SHORT* v) override { return axis_.get_MinorGridWidth(v); }
    HRESULT put_MinorGridWidth(SHORT v) override { return axis_.put_MinorGridWidth(v); }
    HRESULT get_MinorGridStyle(SHORT* v) override { return axis_.get_MinorGridStyle(v); }
    HRESULT put_MinorGridStyle(SHORT v) override { return axis_.put_MinorGridStyle(v); }
    HRESULT get_MinorGridColor(LONG* v) override { return axis_.get_MinorGridColor(v); }
    HRESULT put_MinorGridColor(LONG v) override { return axis_.put_MinorGridColor(v); }
    HRESULT get_Grid(VARIANT_BOOL* v) override { return axis_.get_Grid(v); }
    HRESULT put_Grid(VARIANT_BOOL v) override { return axis_.put_Grid(v); }
    HRESULT get_MinorGrid(VARIANT_BOOL* v) override { return axis_.get_MinorGrid(v); }
    HRESULT put_MinorGrid(VARIANT_BOOL v) override { return axis_.put_MinorGrid(v); }
    HRESULT get_Style(LONG* v) override { return axis_.get_Style(v); }
    HRESULT put_Style(LONG v) override { return axis_.put_Style(v); }
    HRESULT get_TickMark(SHORT* v) override { return axis_.get_TickMark(v); }
    HRESULT put_TickMark(SHORT v) override { return axis_.put_TickMark(v); }
    HRESULT get_MinorTickMark(SHORT* v) override { return axis_.get_MinorTickMark(v); }
    HRESULT put_MinorTickMark(SHORT v) override { return axis_.put_MinorTickMark(v); }
    HRESULT get_Locale(LONG* v) override { return axis_.get_Locale(v); }
    HRESULT put_Locale(LONG v) override { return axis_.put_Locale(v); }

protected:
    // Declared first: the axis goes before the reference that keeps its record alive.
    com::ComPtr<com::IUnknown> ownerReference_;
    Axis axis_;
};

}  // namespace dravik
