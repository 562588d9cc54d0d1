#include "core/Indicator.h"

#include "containers/Field.h"
#include "containers/RecordSet.h"

namespace indikon {

Cursor::Cursor(_Database* database) : database_(database), own_(dynamic_cast<Database*>(database)) {
    if (!database_)
        raise(RuntimeError::ObjectNotSet);
}

com::SHORT Cursor::recordCount() const {
    com::SHORT count = 0;
    check(database_->getRecordCount(&count));
    return count;
}

com::SHORT Cursor::position() const {
    com::SHORT position = 0;
    check(database_->getPosition(&position));
    return position;
}

void Cursor::setPosition(int position) {
    check(database_->setPosition(toInteger(position)));
}

void Cursor::movePrevious() {
    check(database_->MovePrevious());
}

void Cursor::moveFirst() {
    check(database_->MoveFirst());
}

Series::Series(_Field* field) : field_(field), storage_(dynamic_cast<Field*>(field)) {
    if (!field_)
        raise(RuntimeError::ObjectNotSet);
}

double Series::readThroughField(int position) const {
    double value = 0;
    check(field_->getValue(toInteger(position), &value));
    return value;
}

void Series::writeThroughField(int position, double value) const {
    check(field_->setValue(toInteger(position), value));
}

void Series::setText(int position, const com::Bstr& text) const {
    check(field_->setStrValue(toInteger(position), text));
}

com::ComPtr<_Field> newField(int recordCount, const com::Bstr& name) {
    com::ComPtr<_Field> field = com::makeComObject<Field>();
    check(field->initialize(toInteger(recordCount), name));
    return field;
}

com::ComPtr<_RecordSet> newRecordSet(std::initializer_list<_Field*> fields) {
    com::ComPtr<_RecordSet> records = com::makeComObject<RecordSet>();
    for (_Field* field : fields)
        check(records->addField(field));
    return records;
}

com::ComPtr<_Field> fieldNamed(_RecordSet* records, const com::Bstr& name) {
    if (!records)
        raise(RuntimeError::ObjectNotSet);
    com::ComPtr<_Field> field;
    check(records->getField(name, field.put()));
    return field;
}

com::Bstr applyDefaultAlias(com::Bstr* alias, std::u16string_view defaultName) {
    if (alias && !alias->isEmpty())
        return *alias;
    com::Bstr name{std::u16string(defaultName)};
    if (alias)
        *alias = name;
    return name;
}

std::string unexpectedSource(std::string_view source) {
    return std::string(source) + ".UnexpectedError";
}

}  // namespace indikon
