// `_Database`: the price record set (fields Date, Open, High, Low, Close, Volume) with a 1-based record
// cursor. The cursor accepts 1..record count + 1, the last being the place just past the last record.
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_RecordSet.h"

namespace indikon {

struct _Database : com::IUnknown {
    static constexpr com::IID iid = IID_Database;

    // Write-only property: adopts a record set that holds the six price fields by name.
    virtual com::HRESULT putref_RecordsetCache(_RecordSet* recordSet) = 0;
    virtual com::HRESULT getRecordset(_RecordSet** recordSet) = 0;
    virtual com::HRESULT getRecordCount(com::SHORT* count) = 0;
    virtual com::HRESULT setPosition(com::SHORT index) = 0;
    virtual com::HRESULT getPosition(com::SHORT* position) = 0;
    virtual com::HRESULT MoveNext() = 0;
    virtual com::HRESULT MovePrevious() = 0;
    virtual com::HRESULT MoveFirst() = 0;
    virtual com::HRESULT MoveLast() = 0;
    // Reads a delimited text file: one record per line, columns date, open, high, low, close, volume.
    virtual com::HRESULT OpenDatabase(const com::Bstr& fileName, const com::Bstr& delimiter) = 0;
    // Reads the prices a chart shows, through the financial extension attached to it; the last
    // trimDays points are left out.
    virtual com::HRESULT OpenDatabaseFX(com::IUnknown* chart, com::LONG trimDays = 0) = 0;
    // Record count and position become -1 and the record set is dropped.
    virtual com::HRESULT CloseDatabase() = 0;

protected:
    ~_Database() = default;
};

}  // namespace indikon
