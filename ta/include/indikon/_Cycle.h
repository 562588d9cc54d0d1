// `_Cycle`: the typical cycle length of a series.
#pragma once

#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Field.h"

namespace indikon {

struct _Cycle : com::IUnknown {
    static constexpr com::IID iid = IID_Cycle;

    // The estimated cycle length in records, a whole number. Needs no database.
    virtual com::HRESULT Analyze(_Field* source, com::SHORT* length) = 0;

protected:
    ~_Cycle() = default;
};

}  // namespace indikon
