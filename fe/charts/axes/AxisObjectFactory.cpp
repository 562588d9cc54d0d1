#include "axes/AxisObjectFactory.h"

#include "axes/CAxisObject.h"
#include "axes/CDateAxis.h"

namespace dravik {
namespace {

template <typename Interface, typename Object>
com::HRESULT handOut(com::ComPtr<Object> made, Interface** object) {
    *object = made.get();
    (*object)->AddRef();
    return com::S_OK;
}

}  // namespace

com::HRESULT CreateChartAxisObject(IAxisOwner& owner, AxisSettingsRecord& settings, com::SHORT axis,
                                   ILomexAxis** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    auto made = com::makeComObject<CChartAxis>(owner);
    made->axis().Bind(&owner, nullptr, &settings);
    made->axis().SetAxis(axis, 0);
    return handOut<ILomexAxis>(made, object);
}

com::HRESULT CreateAnalyticalAxisObject(IAxisOwner& owner, IAnalyticalAxisChart& chart, com::LONG axisNumber,
                                        AxisSettingsRecord& settings, com::SHORT axis, ILomexAxis** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    auto made = com::makeComObject<CAnalyticalAxis>(owner);
    made->axis().Bind(&owner, nullptr, &settings);
    made->axis().BindChart(&chart, axisNumber);
    made->axis().SetAxis(axis, 0);
    return handOut<ILomexAxis>(made, object);
}

com::HRESULT CreateDateAxisObject(IAxisOwner& owner, ILomexDateAxis** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    return handOut<ILomexDateAxis>(com::makeComObject<CDateAxis>(owner), object);
}

}  // namespace dravik
