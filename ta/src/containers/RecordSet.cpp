#include "containers/RecordSet.h"

#include <limits>

#include "core/Checked.h"
#include "core/Failure.h"
#include "core/FieldName.h"

namespace indikon {

template <typename Body>
com::HRESULT RecordSet::outOfBoundsGuard(std::string_view source, Body&& body) {
    return reportFailures([&] { convertFailures(Error::OutOfBounds, source, body); });
}

com::HRESULT RecordSet::setDatabase(_Database* newDatabase) {
    database_ = com::ComPtr<_Database>(newDatabase);
    return com::S_OK;
}

com::HRESULT RecordSet::getDatabase(_Database** database) {
    if (!database)
        return com::E_POINTER;
    *database = com::ComPtr<_Database>(database_).detach();
    return com::S_OK;
}

com::HRESULT RecordSet::addField(_Field* newField) {
    return reportFailures([&] {
        // The field count is an Integer.
        toInteger(static_cast<std::int64_t>(fields_.size()) + 1);
        fields_.emplace_back(newField);
    });
}

int RecordSet::find(const com::Bstr& fieldName) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        com::Bstr name;
        if (fields_[i] && com::SUCCEEDED(fields_[i]->getName(&name)) &&
            sameFieldName(name.view(), fieldName.view())) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

_Field& RecordSet::fieldNamed(const com::Bstr& fieldName) const {
    const int index = find(fieldName);
    if (index == 0)
        raise(Error::InvalidFieldName, "Recordset.getIndex.InvalidFieldName");
    _Field* field = fields_[static_cast<std::size_t>(index) - 1].get();
    if (!field)
        raise(RuntimeError::ObjectNotSet);
    return *field;
}

com::HRESULT RecordSet::renameField(const com::Bstr& oldFieldName, const com::Bstr& newFieldName) {
    return outOfBoundsGuard("Recordset.renameField.ArrayOutOfBounds",
                            [&] { check(fieldNamed(oldFieldName).setName(newFieldName)); });
}

com::HRESULT RecordSet::removeField(const com::Bstr& fieldName) {
    return outOfBoundsGuard("Recordset.removeFields.ArrayOutOfBounds", [&] {
        const int index = find(fieldName);
        if (index == 0)
            raise(Error::InvalidFieldName, "Recordset.getIndex.InvalidFieldName");
        fields_.erase(fields_.begin() + (index - 1));
    });
}

com::HRESULT RecordSet::getValue(const com::Bstr& fieldName, com::SHORT rowIndex, double* value) {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    return outOfBoundsGuard("Recordset.getValue.ArrayOutOfBounds",
                            [&] { check(fieldNamed(fieldName).getValue(rowIndex, value)); });
}

com::HRESULT RecordSet::setValue(const com::Bstr& fieldName, com::SHORT rowIndex, double value) {
    return outOfBoundsGuard("Recordset.setValue.ArrayOutOfBounds",
                            [&] { check(fieldNamed(fieldName).setValue(rowIndex, value)); });
}

com::HRESULT RecordSet::getField(const com::Bstr& fieldName, _Field** field) {
    if (!field)
        return com::E_POINTER;
    *field = nullptr;
    return outOfBoundsGuard("Recordset.getField.ArrayOutOfBounds", [&] {
        _Field& found = fieldNamed(fieldName);
        found.AddRef();
        *field = &found;
    });
}

com::HRESULT RecordSet::getIndex(const com::Bstr& fieldName, com::SHORT* index) {
    if (!index)
        return com::E_POINTER;
    *index = 0;
    return reportFailures([&] {
        const int found = find(fieldName);
        if (found == 0)
            raise(Error::InvalidFieldName, "Recordset.getIndex.InvalidFieldName");
        *index = static_cast<com::SHORT>(found);
    });
}

com::HRESULT RecordSet::getName(com::SHORT fieldIndex, com::Bstr* name) {
    if (!name)
        return com::E_POINTER;
    *name = com::Bstr();
    return outOfBoundsGuard("Recordset.getName.ArrayOutOfBounds", [&] {
        if (fieldIndex < 1 || static_cast<std::size_t>(fieldIndex) > fields_.size())
            raise(RuntimeError::SubscriptOutOfRange);
        _Field* field = fields_[static_cast<std::size_t>(fieldIndex) - 1].get();
        if (!field)
            raise(RuntimeError::ObjectNotSet);
        check(field->getName(name));
    });
}

com::HRESULT RecordSet::getFieldCount(com::SHORT* count) {
    if (!count)
        return com::E_POINTER;
    *count = static_cast<com::SHORT>(fields_.size());
    return com::S_OK;
}

com::HRESULT RecordSet::isValidField(const com::Bstr& fieldName, com::VARIANT_BOOL* valid) {
    if (!valid)
        return com::E_POINTER;
    *valid = com::toVariantBool(find(fieldName) != 0);
    return com::S_OK;
}

}  // namespace indikon
