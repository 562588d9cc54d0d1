// The `Cycle` class: stateless.
#pragma once

#include "com/ComObject.h"
#include "indikon/_Cycle.h"

namespace indikon {

class Cycle final : public com::ComObject<_Cycle> {
public:
    com::HRESULT Analyze(_Field* source, com::SHORT* length) override;
};

}  // namespace indikon
