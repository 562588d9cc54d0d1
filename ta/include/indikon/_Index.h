// `_Index`: index indicators (see `_Oscillator` for the conventions every indicator shares).
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Database.h"

namespace indikon {

struct _Index : com::IUnknown {
    static constexpr com::IID iid = IID_Index;

    // Wilder's RSI; the first value stands at periods + 2.
    virtual com::HRESULT RelativeStrengthIndex(_Database* data, _Field* source, com::SHORT periods,
                                               com::Bstr* alias, _RecordSet** result) = 0;
    // source1 / source2 at every record.
    virtual com::HRESULT ComparativeRelativeStrength(_Database* data, _Field* source1, _Field* source2,
                                                     com::Bstr* alias, _RecordSet** result) = 0;
    // Percentage change from the first record.
    virtual com::HRESULT Performance(_Database* data, _Field* source, com::Bstr* alias,
                                     _RecordSet** result) = 0;

protected:
    ~_Index() = default;
};

}  // namespace indikon
