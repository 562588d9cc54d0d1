// One named column: values and texts indexed 1..record count, and a note.
#pragma once

#include <span>
#include <string_view>
#include <typeinfo>
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

    // The values as one block, record 1 first; empty while no array is allocated. The library's
    // calculations read and write through it with one bounds check per call; the block moves when
    // the field is initialised or destroyed again, so it is fetched afresh rather than kept.
    std::span<double> values() { return values_; }

    // The field itself when it is one of the library's own, else null. A type comparison rather than
    // a dynamic_cast: it runs for every column an indicator opens, and Field has no subclasses.
    static Field* own(_Field* field) {
        return field && typeid(*field) == typeid(Field) ? static_cast<Field*>(field) : nullptr;
    }

private:
    // Index into the arrays of a 1-based row; OutOfBounds under `source` when the row is outside
    // 1..record count or the arrays are not allocated.
    std::size_t slot(com::SHORT rowIndex, std::string_view source) const;

    std::vector<double> values_;
    // The texts are allocated when the first one is written; until then every record reads "".
    std::vector<com::Bstr> texts_;
    bool allocated_ = false;
    com::Bstr name_;
    com::SHORT recordCount_ = 0;
    com::ComPtr<_Note> note_;
    // A freshly initialised field's note is made when it is first asked for.
    bool notePending_ = false;
};

}  // namespace indikon
