// The `ChartPattern` class: stateless.
#pragma once

#include "com/ComObject.h"
#include "indikon/_ChartPattern.h"

namespace indikon {

class ChartPattern final : public com::ComObject<_ChartPattern> {
public:
    com::HRESULT PercentRetracement(_Database* data, _Field* source, com::SHORT startPeriod,
                                    com::SHORT endPeriod, _Note** result) override;
};

}  // namespace indikon
