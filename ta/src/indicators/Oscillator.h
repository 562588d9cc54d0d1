// The `Oscillator` class: stateless; each method computes into a new record set.
#pragma once

#include "com/ComObject.h"
#include "indikon/_Oscillator.h"

namespace indikon {

class Oscillator final : public com::ComObject<_Oscillator> {
public:
    com::HRESULT ParabolicSAR(_Database* data, _Field* highPrice, _Field* lowPrice, double minAF,
                              double maxAF, com::Bstr* alias, _RecordSet** result) override;
};

}  // namespace indikon
