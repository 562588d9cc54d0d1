// The common shape of an indicator method, shared by every indicator class:
//
//   HRESULT Oscillator::ParabolicSAR(..., Bstr* alias, _RecordSet** result) {
//       return runIndicator({"Oscillator.ParabolicSAR", u"ParabolicSAR"}, alias, result,
//                           [&](const com::Bstr& name) { return parabolicSar(..., name); });
//   }
//
// runIndicator writes the default name into an empty alias, runs the calculation under the method's
// catch-all (any failure but a parameter check becomes 1105 "<source>.UnexpectedError"), fails a
// result holding a NaN or an infinity the same way, and hands out the record set it returns. When
// the method fails, the caller's cursor is back where it stood and no result is handed out.
// Calculations read and move the caller's cursor through Cursor, read and write fields through
// Series, and walk records with walkRecords, which yields every few thousand records.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "com/ComPtr.h"
#include "containers/Database.h"
#include "containers/Field.h"
#include "core/Checked.h"
#include "core/Failure.h"
#include "core/YieldGate.h"
#include "indikon/_Database.h"
#include "indikon/_Note.h"

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
    void moveNext() {
        if (!own_ || !own_->stepForward())
            check(database_->MoveNext());
    }
    void movePrevious();
    void moveFirst();

private:
    _Database* database_;
    Database* own_;  // the same database when it is the library's own, else null
};

// Reads and writes one field by 1-based position; every failure of the field is raised. A field of
// the library's own is read and written in its storage directly; a position outside it, and any other
// implementation of _Field, goes through the field's members, which report the failure.
class Series {
public:
    // ObjectNotSet for a null field.
    explicit Series(_Field* field);

    double at(int position) const {
        if (storage_) {
            const std::span<const double> values = storage_->values();
            const std::size_t index = static_cast<std::size_t>(position) - 1;
            if (index < values.size())
                return values[index];
        }
        return readThroughField(position);
    }
    void set(int position, double value) const {
        if (storage_) {
            const std::span<double> values = storage_->values();
            const std::size_t index = static_cast<std::size_t>(position) - 1;
            if (index < values.size()) {
                values[index] = value;
                return;
            }
        }
        writeThroughField(position, value);
    }
    // Positions first..last as one block, checked once; empty when the range is empty, lies partly
    // outside the field or the field is not one of the library's own (then read by at()).
    std::span<const double> block(int first, int last) const {
        if (!storage_ || first < 1 || last < first)
            return {};
        const std::span<const double> values = storage_->values();
        if (static_cast<std::size_t>(last) > values.size())
            return {};
        return values.subspan(static_cast<std::size_t>(first) - 1,
                              static_cast<std::size_t>(last - first) + 1);
    }
    void setText(int position, const com::Bstr& text) const;
    _Field* field() const { return field_; }

private:
    double readThroughField(int position) const;
    void writeThroughField(int position, double value) const;

    _Field* field_;
    Field* storage_;
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

// How many records a loop of light per-record work computes between two yields: a yield asks the
// clock, which would cost more than the record.
inline constexpr int kRecordsPerYield = 2048;

// Yields after every kRecordsPerYield-th position.
inline void yieldAfterRecord(int position) {
    if (position % kRecordsPerYield == 0)
        yieldToMessageLoop();
}

// Visits positions first..last through the cursor: the cursor is set to `first` (so `first` may be
// the place just past the last record, and then nothing is visited), each visit happens with the
// cursor on its position, and the loop yields every kRecordsPerYield records. The cursor is not moved
// past `last`, so a walk to record 32,767 needs no position 32,768.
template <typename Visit>
void walkRecords(Cursor& cursor, int first, int last, Visit&& visit) {
    cursor.setPosition(first);
    for (int position = first; position <= last; ++position) {
        visit(position);
        yieldAfterRecord(position);
        if (position < last)
            cursor.moveNext();
    }
}

// Where the callers' cursors stood when a method began, put back when the method fails. The method's
// runner makes one; every Cursor made while it runs on this thread records its database's position
// the first time it meets that database. Runners nest: an inner one restores what it saw.
class CursorRestorer {
public:
    CursorRestorer();
    ~CursorRestorer();
    CursorRestorer(const CursorRestorer&) = delete;
    CursorRestorer& operator=(const CursorRestorer&) = delete;

    // The restorer of the method running on this thread, or null.
    static CursorRestorer* current();
    void remember(_Database* database);

    // Runs `body`; when it fails, every cursor goes back to where it stood and the failure goes on.
    template <typename Body>
    void restoreOnFailure(Body&& body) {
        try {
            body();
        } catch (...) {
            restore();
            throw;
        }
    }

private:
    void restore() noexcept;

    struct Saved {
        com::ComPtr<_Database> database;
        com::SHORT position;
    };
    std::vector<Saved> saved_;
    CursorRestorer* previous_;
};

// The library never hands out a NaN or an infinity: a result holding one fails with 1105
// "<source>.UnexpectedError". Every field of a record set is checked, once per call.
void requireFinite(_RecordSet* records, std::string_view source);
void requireFinite(_Note* note, std::string_view source);
void requireFinite(double value, std::string_view source);
inline void requireFinite(com::SHORT, std::string_view) {}

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
    CursorRestorer cursors;
    return reportFailures([&] {
        cursors.restoreOnFailure([&] {
            const com::Bstr name = applyDefaultAlias(alias, method.defaultName);
            com::ComPtr<_RecordSet> records;
            if (method.catchAll) {
                records = convertFailures(Error::Unexpected, unexpectedSource(method.source),
                                          [&] { return compute(name); });
            } else {
                records = compute(name);
            }
            requireFinite(records.get(), method.source);
            *result = records.detach();
        });
    });
}

}  // namespace indikon
