// `_LineStudy`: reference lines over a range of records chosen by the caller. Only positions inside the
// range are written; every other position of a result field holds 0. Methods taking `ohlcv` read its
// "High" and "Low" fields by name.
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Database.h"

namespace indikon {

struct _LineStudy : com::IUnknown {
    static constexpr com::IID iid = IID_LineStudy;

    // Over records startPeriod..endPeriod: the highest high, the lows plus three and one quarters of the
    // range, and the lowest low ("QuadrantLines1".."QuadrantLines4").
    virtual com::HRESULT QuadrantLines(_Database* data, _RecordSet* ohlcv, com::SHORT startPeriod,
                                       com::SHORT endPeriod, _RecordSet** result) = 0;
    // Over records startPeriod..endPeriod: one third below the high, the middle and one third above the
    // low ("TironeTop", "TironeMedian", "TironeBottom").
    virtual com::HRESULT TironeLevel(_Database* data, _RecordSet* ohlcv, com::SHORT startPeriod,
                                     com::SHORT endPeriod, _RecordSet** result) = 0;
    // Lines from the lowest low to one third, two thirds and all of the range at the highest high
    // ("SpeedResistanceLineTop", "...Median", "...Bottom"). On return startPeriod holds the position of
    // the low and endPeriod that of the high.
    virtual com::HRESULT SpeedResistanceLines(_Database* data, _RecordSet* ohlcv, com::SHORT* startPeriod,
                                              com::SHORT* endPeriod, _RecordSet** result) = 0;
    // The Fibonacci numbers 1, 2, 3, 5, ... as time marks at offsets 0, 2, 4, 7, ... from startPeriod, up
    // to endPeriod.
    virtual com::HRESULT Fibonacci(_Field* source, com::SHORT startPeriod, com::SHORT endPeriod,
                                   com::Bstr* alias, _RecordSet** result) = 0;
    // A trend line through the source at trendStartPeriod with the slope of the two trend values
    // ("Trend"), and -1 where the source falls through it, +1 where it rises through it.
    virtual com::HRESULT TrendLinePenetration(_Field* source, com::SHORT trendStartPeriod,
                                              double trendStartValue, com::SHORT trendEndPeriod,
                                              double trendEndValue, com::Bstr* alias,
                                              _RecordSet** result) = 0;

protected:
    ~_LineStudy() = default;
};

}  // namespace indikon
