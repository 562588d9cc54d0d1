// The COM objects over the value axes: `CChartAxis` over an axis of the chart, `CAnalyticalAxis` over
// an axis the analytical chart draws itself. Each embeds its axis class and forwards every member to it.
#pragma once

#include <utility>

#include "axes/CAnalyticalAxisBase.h"
#include "axes/CAxisBase.h"
#include "axes/CAxisMembers.h"
#include "dravik/AxisInterfaces.h"

namespace dravik {

template <typename Axis>
class CAxisObject final : public CAxisMembers<ILomexAxis, Axis> {
public:
    explicit CAxisObject(IAxisOwner& owner) : CAxisMembers<ILomexAxis, Axis>(owner) {}

    HRESULT get_Format(com::Variant* v) override { return this->axis_.get_Format(v); }
    HRESULT put_Format(com::Variant v) override { return this->axis_.put_Format(std::move(v)); }
    HRESULT get_CurrencySymbol(com::Bstr* v) override { return this->axis_.get_CurrencySymbol(v); }
    HRESULT put_CurrencySymbol(const com::Bstr& v) override { return this->axis_.put_CurrencySymbol(v); }
};

using CChartAxis = CAxisObject<CAxisBase>;
using CAnalyticalAxis = CAxisObject<CAnalyticalAxisBase>;

}  // namespace dravik
