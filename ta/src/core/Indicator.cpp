#include "core/Indicator.h"

#include <algorithm>
#include <cmath>

#include "containers/Field.h"
#include "containers/RecordSet.h"

namespace indikon {

Cursor::Cursor(_Database* database) : database_(database), own_(Database::own(database)) {
    if (!database_)
        raise(RuntimeError::ObjectNotSet);
    if (CursorRestorer* restorer = CursorRestorer::current())
        restorer->remember(database_);
}

namespace {

thread_local CursorRestorer* currentRestorer = nullptr;

bool allFinite(std::span<const double> values) {
    return std::all_of(values.begin(), values.end(), [](double value) { return std::isfinite(value); });
}

bool fieldIsFinite(_Field* field) {
    if (!field)
        return true;
    if (Field* own = Field::own(field))
        return allFinite(own->values());
    com::SHORT count = 0;
    check(field->getRecordCount(&count));
    for (com::SHORT row = 1; row <= count && row > 0; ++row) {
        double value = 0;
        check(field->getValue(row, &value));
        if (!std::isfinite(value))
            return false;
    }
    return true;
}

std::vector<com::ComPtr<_Field>> fieldsOf(_RecordSet* records) {
    if (auto* own = dynamic_cast<RecordSet*>(records))
        return own->fields();
    std::vector<com::ComPtr<_Field>> fields;
    com::SHORT count = 0;
    check(records->getFieldCount(&count));
    for (com::SHORT index = 1; index <= count && index > 0; ++index) {
        com::Bstr name;
        check(records->getName(index, &name));
        fields.push_back(fieldNamed(records, name));
    }
    return fields;
}

}  // namespace

CursorRestorer::CursorRestorer() : previous_(currentRestorer) {
    currentRestorer = this;
}

CursorRestorer::~CursorRestorer() {
    currentRestorer = previous_;
}

CursorRestorer* CursorRestorer::current() {
    return currentRestorer;
}

void CursorRestorer::remember(_Database* database) {
    for (const Saved& saved : saved_) {
        if (saved.database.get() == database)
            return;
    }
    com::SHORT position = 0;
    if (com::SUCCEEDED(database->getPosition(&position)))
        saved_.push_back({com::ComPtr<_Database>(database), position});
}

void CursorRestorer::restore() noexcept {
    // A cursor that cannot go back (its records were replaced meanwhile) stays where it is.
    for (const Saved& saved : saved_)
        saved.database->setPosition(saved.position);
}

void requireFinite(_RecordSet* records, std::string_view source) {
    if (!records)
        return;
    for (const com::ComPtr<_Field>& field : fieldsOf(records)) {
        if (!fieldIsFinite(field.get()))
            raise(Error::Unexpected, unexpectedSource(source));
    }
}

void requireFinite(_Note* note, std::string_view source) {
    double value = 0;
    if (note && com::SUCCEEDED(note->getValue(&value)))
        requireFinite(value, source);
}

void requireFinite(double value, std::string_view source) {
    if (!std::isfinite(value))
        raise(Error::Unexpected, unexpectedSource(source));
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

Series::Series(_Field* field) : field_(field), storage_(Field::own(field)) {
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
