// One named column: values and texts indexed 1..record count, and a note.
#pragma once

#include <string_view>
#include <vector>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "indikon/_Field.h"

namespace indikon {

class Field final : public com::ComObject<_Field> {
public:
    com::HRESULT setNote(_Note* newNote) override;
    com::HRESULT getNote(_Note** note) override;
    com::HRESULT getRecordCount(com::SHORT* count) override;
    com::HRESULT initialize(com::SHORT recordCount, const com::Bstr& name) override;
    com::HRESULT destroy() override;
    com::HRESULT setName(const com::Bstr& newFieldName) override;
    com::HRESULT getName(com::Bstr* name) override;
    com::HRESULT setValue(com::SHORT rowIndex, double value) override;
    com::HRESULT getValue(com::SHORT rowIndex, double* value) override;
    com::HRESULT setStrValue(com::SHORT rowIndex, const com::Bstr& value) override;
    com::HRESULT getStrValue(com::SHORT rowIndex, com::Bstr* value) override;

private:
    // Index into the arrays of a 1-based row; OutOfBounds under `source` when the row is outside
    // 1..record count or the arrays are not allocated.
    std::size_t slot(com::SHORT rowIndex, std::string_view source) const;

    std::vector<double> values_;
    std::vector<com::Bstr> texts_;
    bool allocated_ = false;
    com::Bstr name_;
    com::SHORT recordCount_ = 0;
    com::ComPtr<_Note> note_;
};

}  // namespace indikon
