// The common shape of an indicator method, shared by every indicator class:
//
//   HRESULT Oscillator::ParabolicSAR(..., Bstr* alias, _RecordSet** result) {
//       return runIndicator({"Oscillator.ParabolicSAR", u"ParabolicSAR"}, alias, result,
//                           [&](const com::Bstr& name) { return parabolicSar(..., name); });
//   }
//
// runIndicator writes the default name into an empty alias, runs the calculation under the method's
// catch-all (any failure but a parameter check becomes 1105 "<source>.UnexpectedError") and hands out
// the record set it returns. Calculations read and move the caller's cursor through Cursor, read and
// write fields through Series, and walk records with walkRecords, which yields once per record.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "com/ComPtr.h"
#include "core/Checked.h"
#include "core/Failure.h"
#include "core/YieldGate.h"
#include "indikon/_Database.h"

namespace indikon {

// The record cursor of a caller's Database; every failure of the Database is raised.
class Cursor {
public:
    // ObjectNotSet for a null database.
    explicit Cursor(_Database* database);

    com::SHORT recordCount() const;
    com::SHORT position() const;
    // The position is computed in full width and must fit an Integer (Overflow otherwise).
    void setPosition(int position);
    void moveNext();
    void movePrevious();
    void moveFirst();

private:
    _Database* database_;
};

// Reads and writes one field by 1-based position; every failure of the field is raised.
class Series {
public:
    // ObjectNotSet for a null field.
    explicit Series(_Field* field);

    double at(int position) const;
    void set(int position, double value) const;
    void setText(int position, const com::Bstr& text) const;
    _Field* field() const { return field_; }

private:
    _Field* field_;
};

// A new field of `recordCount` zero values named `name`.
com::ComPtr<_Field> newField(int recordCount, const com::Bstr& name);
// A new record set holding `fields` in this order.
com::ComPtr<_RecordSet> newRecordSet(std::initializer_list<_Field*> fields);
// The field of `records` named `name` (the first of that name); raises the record set's failure when
// there is none.
com::ComPtr<_Field> fieldNamed(_RecordSet* records, const com::Bstr& name);

// An empty (or null) alias is replaced by the method's name, written back into the caller's variable
// when there is one. Returns the name the result takes.
com::Bstr applyDefaultAlias(com::Bstr* alias, std::u16string_view defaultName);

// Visits positions first..last through the cursor: the cursor is set to `first` (so `first` may be
// the place just past the last record, and then nothing is visited), each visit happens with the
// cursor on its position, and the loop yields after every record. The cursor is not moved past `last`,
// so a walk to record 32,767 needs no position 32,768.
template <typename Visit>
void walkRecords(Cursor& cursor, int first, int last, Visit&& visit) {
    cursor.setPosition(first);
    for (int position = first; position <= last; ++position) {
        visit(position);
        yieldToMessageLoop();
        if (position < last)
            cursor.moveNext();
    }
}

struct IndicatorMethod {
    std::string_view source;          // class and method: "Oscillator.ParabolicSAR"
    std::u16string_view defaultName;  // name of the result when the alias is empty
    bool catchAll = true;             // false: failures reach the caller as they are
};

// Source of the method's catch-all error: "<source>.UnexpectedError".
std::string unexpectedSource(std::string_view source);

template <typename Compute>
com::HRESULT runIndicator(const IndicatorMethod& method, com::Bstr* alias, _RecordSet** result,
                          Compute&& compute) {
    if (!result)
        return com::E_POINTER;
    *result = nullptr;
    return reportFailures([&] {
        const com::Bstr name = applyDefaultAlias(alias, method.defaultName);
        com::ComPtr<_RecordSet> records;
        if (method.catchAll) {
            records = convertFailures(Error::Unexpected, unexpectedSource(method.source),
                                      [&] { return compute(name); });
        } else {
            records = compute(name);
        }
        *result = records.detach();
    });
}

}  // namespace indikon
