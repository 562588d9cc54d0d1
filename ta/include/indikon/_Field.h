// `_Field`: one named column of values (and of texts, used for dates), indexed 1..record count.
//
// Every member returns an HRESULT; on failure the thread's error information (com/ErrorInfo.h) holds
// the library's error number, source and description. Out-parameters receive a new reference.
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Note.h"

namespace indikon {

struct _Field : com::IUnknown {
    static constexpr com::IID iid = IID_Field;

    virtual com::HRESULT setNote(_Note* newNote) = 0;
    virtual com::HRESULT getNote(_Note** note) = 0;
    virtual com::HRESULT getRecordCount(com::SHORT* count) = 0;
    // Allocates recordCount zero values and empty texts anew, sets the name and attaches a new note.
    virtual com::HRESULT initialize(com::SHORT recordCount, const com::Bstr& name) = 0;
    // Releases the values; the record count stays, so every later access fails as out of bounds.
    virtual com::HRESULT destroy() = 0;
    virtual com::HRESULT setName(const com::Bstr& newFieldName) = 0;
    virtual com::HRESULT getName(com::Bstr* name) = 0;
    virtual com::HRESULT setValue(com::SHORT rowIndex, double value) = 0;
    virtual com::HRESULT getValue(com::SHORT rowIndex, double* value) = 0;
    virtual com::HRESULT setStrValue(com::SHORT rowIndex, const com::Bstr& value) = 0;
    virtual com::HRESULT getStrValue(com::SHORT rowIndex, com::Bstr* value) = 0;

protected:
    ~_Field() = default;
};

}  // namespace indikon
