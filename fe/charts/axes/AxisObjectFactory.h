// Making the COM axis objects that the extension object and its chart types hand out. Each new object
// holds one reference (given to the caller) and one on the owner's identity.
#pragma once

#include "axes/AxisOwner.h"
#include "com/HResult.h"
#include "com/Types.h"
#include "dravik/AxisInterfaces.h"
#include "state/AxisSettingsRecord.h"

namespace dravik {

// A `CChartAxis` over `settings`, bound to chart axis `axis` (-1: none, the object then answers from
// the record alone). E_POINTER for a null `object`.
com::HRESULT CreateChartAxisObject(IAxisOwner& owner, AxisSettingsRecord& settings, com::SHORT axis,
                                   ILomexAxis** object);

// A `CAnalyticalAxis` over `settings`, bound to axis `axisNumber` of the analytical chart (0-2 a study
// axis, 3 the price axis) and to chart axis `axis`.
com::HRESULT CreateAnalyticalAxisObject(IAxisOwner& owner, IAnalyticalAxisChart& chart, com::LONG axisNumber,
                                        AxisSettingsRecord& settings, com::SHORT axis, ILomexAxis** object);

// A `CDateAxis` over the owner's date-axis settings.
com::HRESULT CreateDateAxisObject(IAxisOwner& owner, ILomexDateAxis** object);

}  // namespace dravik
