// The COM object over the date axis: the owner's date-axis record bound to the chart's X axis, the
// 13 date-label formats and the date steps of the owner's settings.
#pragma once

#include "axes/CAxisBase.h"
#include "axes/CAxisMembers.h"
#include "dravik/AxisInterfaces.h"

namespace dravik {

class CDateAxis final : public CAxisMembers<ILomexDateAxis, CAxisBase> {
public:
    explicit CDateAxis(IAxisOwner& owner);

    HRESULT get_Format(SHORT index, com::Variant* value) override;
    HRESULT put_Format(SHORT index, com::Variant value) override;
    HRESULT get_DateStep(SHORT* value) override;
    HRESULT put_DateStep(SHORT value) override;
    HRESULT get_DateMinorStep(SHORT* value) override;
    HRESULT put_DateMinorStep(SHORT value) override;
    HRESULT get_DateStepEvery(SHORT* value) override;
    HRESULT put_DateStepEvery(SHORT value) override;
    HRESULT get_DateMinorStepEvery(SHORT* value) override;
    HRESULT put_DateMinorStepEvery(SHORT value) override;
    HRESULT DateStepRefresh() override;

private:
    static HRESULT getStep(SHORT field, SHORT* out);
    HRESULT putStepKind(SHORT& field, SHORT value);
    HRESULT putStepCount(SHORT& field, SHORT value);

    IAxisOwner& owner_;
};

}  // namespace dravik
