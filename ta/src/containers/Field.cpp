#include "containers/Field.h"

#include "containers/Note.h"
#include "core/Failure.h"

namespace indikon {

com::HRESULT Field::setNote(_Note* newNote) {
    note_ = com::ComPtr<_Note>(newNote);
    notePending_ = false;
    return com::S_OK;
}

com::HRESULT Field::getNote(_Note** note) {
    if (!note)
        return com::E_POINTER;
    *note = nullptr;
    return reportFailures([&] {
        if (notePending_) {
            note_ = com::makeComObject<Note>();
            notePending_ = false;
        }
        *note = com::ComPtr<_Note>(note_).detach();
    });
}

com::HRESULT Field::getRecordCount(com::SHORT* count) {
    if (!count)
        return com::E_POINTER;
    *count = recordCount_;
    return com::S_OK;
}

com::HRESULT Field::initialize(com::SHORT recordCount, const com::Bstr& name) {
    return reportFailures([&] {
        // An array of no records cannot be allocated.
        if (recordCount < 1)
            raise(RuntimeError::SubscriptOutOfRange);
        std::vector<double> values(static_cast<std::size_t>(recordCount), 0.0);
        values_ = std::move(values);
        texts_ = {};
        allocated_ = true;
        name_ = name;
        recordCount_ = recordCount;
        note_ = nullptr;
        notePending_ = true;
    });
}

com::HRESULT Field::destroy() {
    values_ = {};
    texts_ = {};
    allocated_ = false;
    return com::S_OK;
}

com::HRESULT Field::setName(const com::Bstr& newFieldName) {
    name_ = newFieldName;
    return com::S_OK;
}

com::HRESULT Field::getName(com::Bstr* name) {
    if (!name)
        return com::E_POINTER;
    *name = name_;
    return com::S_OK;
}

std::size_t Field::slot(com::SHORT rowIndex, std::string_view source) const {
    if (!allocated_ || rowIndex < 1 || rowIndex > recordCount_ ||
        static_cast<std::size_t>(rowIndex) > values_.size()) {
        raise(Error::OutOfBounds, std::string(source));
    }
    return static_cast<std::size_t>(rowIndex) - 1;
}

com::HRESULT Field::setValue(com::SHORT rowIndex, double value) {
    return reportFailures([&] { values_[slot(rowIndex, "Field.setValue.ArrayOutOfBounds")] = value; });
}

com::HRESULT Field::getValue(com::SHORT rowIndex, double* value) {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    return reportFailures([&] { *value = values_[slot(rowIndex, "Field.getValue.ArrayOutOfBounds")]; });
}

com::HRESULT Field::setStrValue(com::SHORT rowIndex, const com::Bstr& value) {
    return reportFailures([&] {
        const std::size_t index = slot(rowIndex, "Field.setStrValue.ArrayOutOfBounds");
        if (texts_.empty())
            texts_.assign(values_.size(), com::Bstr(u""));
        texts_[index] = value;
    });
}

com::HRESULT Field::getStrValue(com::SHORT rowIndex, com::Bstr* value) {
    if (!value)
        return com::E_POINTER;
    *value = com::Bstr();
    return reportFailures([&] {
        const std::size_t index = slot(rowIndex, "Field.getStrValue.ArrayOutOfBounds");
        *value = texts_.empty() ? com::Bstr(u"") : texts_[index];
    });
}

}  // namespace indikon
