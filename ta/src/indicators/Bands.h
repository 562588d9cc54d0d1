// The `Bands` class: stateless; each method computes into a new record set.
#pragma once

#include "com/ComObject.h"
#include "indikon/_Bands.h"

namespace indikon {

class Bands final : public com::ComObject<_Bands> {
public:
    com::HRESULT FractalChaosBands(_Database* data, _RecordSet* ohlcv, com::SHORT* periods,
                                   _RecordSet** result) override;
};

}  // namespace indikon
