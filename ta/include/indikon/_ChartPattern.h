// `_ChartPattern`: patterns found over a stretch of records.
#pragma once

#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Database.h"
#include "indikon/_Note.h"

namespace indikon {

struct _ChartPattern : com::IUnknown {
    static constexpr com::IID iid = IID_ChartPattern;

    // How far the value at endPeriod has retraced the move between the extremes of records
    // startPeriod..endPeriod, in per cent: a note "ADVANCING" (low first) or "DECLINING" (high first)
    // with period 0 and the percentage as value.
    virtual com::HRESULT PercentRetracement(_Database* data, _Field* source, com::SHORT startPeriod,
                                            com::SHORT endPeriod, _Note** result) = 0;

protected:
    ~_ChartPattern() = default;
};

}  // namespace indikon
