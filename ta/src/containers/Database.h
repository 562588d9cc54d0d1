// The price record set (Date, Open, High, Low, Close, Volume) with its record cursor, and its two
// loaders.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <typeinfo>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

class Database final : public com::ComObject<_Database> {
public:
    com::HRESULT putref_RecordsetCache(_RecordSet* recordSet) override;
    com::HRESULT getRecordset(_RecordSet** recordSet) override;
    com::HRESULT getRecordCount(com::SHORT* count) override;
    com::HRESULT setPosition(com::SHORT index) override;
    com::HRESULT getPosition(com::SHORT* position) override;
    com::HRESULT MoveNext() override;
    com::HRESULT MovePrevious() override;
    com::HRESULT MoveFirst() override;
    com::HRESULT MoveLast() override;
    com::HRESULT OpenDatabase(const com::Bstr& fileName, const com::Bstr& delimiter) override;
    com::HRESULT OpenDatabaseFX(com::IUnknown* chart, com::LONG trimDays) override;
    com::HRESULT CloseDatabase() override;

    // The database itself when it is one of the library's own, else null (as Field::own).
    static Database* own(_Database* database) {
        return database && typeid(*database) == typeid(Database) ? static_cast<Database*>(database) : nullptr;
    }

    // MoveNext for the library's own record walks, without the error machinery: moves on and returns
    // true where MoveNext would succeed; returns false without moving where it would fail.
    bool stepForward() {
        if (position_ < 0 || position_ >= recordCount_ + 1 ||
            position_ == std::numeric_limits<com::SHORT>::max())
            return false;
        ++position_;
        return true;
    }

private:
    enum PriceField { Date, Open, High, Low, Close, Volume, PriceFieldCount };

    // Moves the cursor; 1001 "BOF"/"EOF" for a place outside 1..record count + 1.
    void moveTo(std::int64_t index);
    // A new record set and six new fields replace the old ones (the fields join the set at the end).
    void startLoad();
    void initializePriceFields(com::SHORT recordCount);
    void finishLoad();
    // Runs a loader: any failure becomes 1012 "OpenDatabase" with the failure's own description.
    template <typename Body>
    com::HRESULT runLoader(Body&& body);

    std::array<com::ComPtr<_Field>, PriceFieldCount> fields_;
    com::ComPtr<_RecordSet> recordSet_;
    com::SHORT position_ = 0;
    com::SHORT recordCount_ = 0;
};

}  // namespace indikon
