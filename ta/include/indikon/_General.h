// `_General`: basic series functions (see `_Oscillator` for the conventions every indicator shares).
// Methods taking `ohlcv` read its fields "High", "Low" and "Close" by name.
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Database.h"
#include "indikon/_Note.h"

namespace indikon {

struct _General : com::IUnknown {
    static constexpr com::IID iid = IID_General;

    // Highest high of the periods + 1 records ending at each record, from periods + 1 on.
    virtual com::HRESULT HHV(_Database* data, _Field* high, com::SHORT periods, com::Bstr* alias,
                             _RecordSet** result) = 0;
    // Lowest low, likewise.
    virtual com::HRESULT LLV(_Database* data, _Field* low, com::SHORT periods, com::Bstr* alias,
                             _RecordSet** result) = 0;
    virtual com::HRESULT HighMinusLow(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                                      _RecordSet** result) = 0;
    virtual com::HRESULT MedianPrice(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                                     _RecordSet** result) = 0;
    virtual com::HRESULT TypicalPrice(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                                      _RecordSet** result) = 0;
    virtual com::HRESULT WeightedClose(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                                       _RecordSet** result) = 0;
    // Percentage change over `periods` records; a zero old volume repeats the last change.
    virtual com::HRESULT VolumeROC(_Database* data, _Field* volume, com::SHORT periods, com::Bstr* alias,
                                   _RecordSet** result) = 0;
    // Percentage change over `periods` records.
    virtual com::HRESULT PriceROC(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                                  _RecordSet** result) = 0;
    // 1 - (sum of the products of the two series' absolute daily changes) / (record count - 2).
    virtual com::HRESULT CorrelationAnalysis(_Field* source1, _Field* source2, double* result) = 0;
    // standardDeviations times the deviation of the last `periods` values around the moving average
    // of kind maType (1..7).
    virtual com::HRESULT StandardDeviation(_Database* data, _Field* source, com::SHORT periods,
                                           com::SHORT standardDeviations, com::SHORT maType, com::Bstr* alias,
                                           _RecordSet** result) = 0;
    // The greatest value of records startPeriod..endPeriod: a note with its position as period and
    // the value; the first occurrence wins on ties.
    virtual com::HRESULT MaxValue(_Field* source, com::SHORT startPeriod, com::SHORT endPeriod,
                                  _Note** result) = 0;
    // The least value, likewise.
    virtual com::HRESULT MinValue(_Field* source, com::SHORT startPeriod, com::SHORT endPeriod,
                                  _Note** result) = 0;

protected:
    ~_General() = default;
};

}  // namespace indikon
