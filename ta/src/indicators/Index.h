// The `Index` class: stateless; each method computes into a new record set.
#pragma once

#include "com/ComObject.h"
#include "indikon/_Index.h"

namespace indikon {

class Index final : public com::ComObject<_Index> {
public:
    com::HRESULT RelativeStrengthIndex(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                                       _RecordSet** result) override;
    com::HRESULT ComparativeRelativeStrength(_Database* data, _Field* source1, _Field* source2,
                                             com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT Performance(_Database* data, _Field* source, com::Bstr* alias, _RecordSet** result) override;
};

}  // namespace indikon
