// `_Oscillator`: oscillator indicators. Like every indicator, a method walks the cursor of `data`,
// returns a new record set and, when `alias` points at an empty string, writes the method's own name
// into it (a null `alias` means the argument was left out).
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Database.h"

namespace indikon {

struct _Oscillator : com::IUnknown {
    static constexpr com::IID iid = IID_Oscillator;

    // Stop-and-reverse levels; the factor starts at minAF, grows by minAF per new extreme, up to maxAF.
    virtual com::HRESULT ParabolicSAR(_Database* data, _Field* highPrice, _Field* lowPrice, double minAF,
                                      double maxAF, com::Bstr* alias, _RecordSet** result) = 0;

protected:
    ~_Oscillator() = default;
};

}  // namespace indikon
