// An ordered collection of fields held by reference (a field added to two record sets is one object).
#pragma once

#include <string_view>
#include <vector>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"
#include "indikon/_RecordSet.h"

namespace indikon {

class RecordSet final : public com::ComObject<_RecordSet> {
public:
    com::HRESULT setDatabase(_Database* newDatabase) override;
    com::HRESULT getDatabase(_Database** database) override;
    com::HRESULT addField(_Field* newField) override;
    com::HRESULT renameField(const com::Bstr& oldFieldName, const com::Bstr& newFieldName) override;
    com::HRESULT removeField(const com::Bstr& fieldName) override;
    com::HRESULT getValue(const com::Bstr& fieldName, com::SHORT rowIndex, double* value) override;
    com::HRESULT setValue(const com::Bstr& fieldName, com::SHORT rowIndex, double value) override;
    com::HRESULT getField(const com::Bstr& fieldName, _Field** field) override;
    com::HRESULT getIndex(const com::Bstr& fieldName, com::SHORT* index) override;
    com::HRESULT getName(com::SHORT fieldIndex, com::Bstr* name) override;
    com::HRESULT getFieldCount(com::SHORT* count) override;
    com::HRESULT isValidField(const com::Bstr& fieldName, com::VARIANT_BOOL* valid) override;

    // Every field, in order (for the library's own checks of its results).
    const std::vector<com::ComPtr<_Field>>& fields() const { return fields_; }

private:
    // 1-based index of the first field named `fieldName`; 0 when there is none.
    int find(const com::Bstr& fieldName) const;
    // The field of that name; InvalidFieldName when there is none.
    _Field& fieldNamed(const com::Bstr& fieldName) const;
    // Runs a member under its out-of-bounds handler: any failure becomes 1105 with `source`.
    template <typename Body>
    com::HRESULT outOfBoundsGuard(std::string_view source, Body&& body);

    std::vector<com::ComPtr<_Field>> fields_;
    // Held with a reference, as the caller handed it in.
    com::ComPtr<_Database> database_;
};

}  // namespace indikon
