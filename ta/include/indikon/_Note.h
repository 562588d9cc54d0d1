// `_Note`: a period, a value and a text attached to a field (or returned by a few indicators).
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"

namespace indikon {

struct _Note : com::IUnknown {
    static constexpr com::IID iid = IID_Note;

    virtual com::HRESULT setPeriod(com::SHORT period) = 0;
    virtual com::HRESULT setValue(double value) = 0;
    virtual com::HRESULT setNote(const com::Bstr& note) = 0;
    virtual com::HRESULT getPeriod(com::SHORT* period) = 0;
    virtual com::HRESULT getValue(double* value) = 0;
    virtual com::HRESULT getNote(com::Bstr* note) = 0;

protected:
    ~_Note() = default;
};

}  // namespace indikon
