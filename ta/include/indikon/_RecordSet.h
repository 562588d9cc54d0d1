// `_RecordSet`: an ordered collection of fields, held by reference, found by name without regard to
// case (the lowest index wins when names repeat). The result type of every indicator.
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Field.h"

namespace indikon {

struct _Database;

struct _RecordSet : com::IUnknown {
    static constexpr com::IID iid = IID_RecordSet;

    // Only stored and handed back; the library itself never sets it.
    virtual com::HRESULT setDatabase(_Database* newDatabase) = 0;
    virtual com::HRESULT getDatabase(_Database** database) = 0;
    virtual com::HRESULT addField(_Field* newField) = 0;
    virtual com::HRESULT renameField(const com::Bstr& oldFieldName, const com::Bstr& newFieldName) = 0;
    virtual com::HRESULT removeField(const com::Bstr& fieldName) = 0;
    virtual com::HRESULT getValue(const com::Bstr& fieldName, com::SHORT rowIndex, double* value) = 0;
    virtual com::HRESULT setValue(const com::Bstr& fieldName, com::SHORT rowIndex, double value) = 0;
    virtual com::HRESULT getField(const com::Bstr& fieldName, _Field** field) = 0;
    // 1-based index of the first field of that name.
    virtual com::HRESULT getIndex(const com::Bstr& fieldName, com::SHORT* index) = 0;
    virtual com::HRESULT getName(com::SHORT fieldIndex, com::Bstr* name) = 0;
    virtual com::HRESULT getFieldCount(com::SHORT* count) = 0;
    virtual com::HRESULT isValidField(const com::Bstr& fieldName, com::VARIANT_BOOL* valid) = 0;

protected:
    ~_RecordSet() = default;
};

}  // namespace indikon
