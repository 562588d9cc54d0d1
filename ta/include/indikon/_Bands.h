// `_Bands`: an upper and a lower band around a central average. Band methods take no alias: their
// fields have fixed names. The first three check their arguments (1100 kind, 1101 periods, 1102 the
// band parameter, in this order) and report a failure of their averages as 1104.
#pragma once

#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Database.h"

namespace indikon {

struct _Bands : com::IUnknown {
    static constexpr com::IID iid = IID_Bands;

    // "BollingerBandsMedian" (average of kind maType), "BollingerBandsTop", "BollingerBandsBottom": the
    // median plus and minus standardDeviations (0..100) population deviations of the last `periods`
    // values around the median at each record.
    virtual com::HRESULT BollingerBands(_Database* data, _Field* source, com::SHORT periods,
                                        com::SHORT standardDeviations, com::SHORT maType,
                                        _RecordSet** result) = 0;
    // "EnvelopeTop", "EnvelopeBottom": the average of kind maType shifted up and down by the fraction
    // `shift` (0..100) of itself.
    virtual com::HRESULT MovingAverageEnvelope(_Database* data, _Field* source, com::SHORT periods,
                                               com::SHORT maType, double shift, _RecordSet** result) = 0;
    // "HighLowBandsTop", "HighLowBandsMedian", "HighLowBandsBottom": VIDYA of the highs and lows over
    // `periods` (6..record count) and of the closes over half of it.
    virtual com::HRESULT HighLowBands(_Database* data, _Field* highPrice, _Field* lowPrice,
                                      _Field* closePrice, com::SHORT periods, _RecordSet** result) = 0;
    // "Keltner Median" (VIDYA of "Close"), "Keltner Top", "Keltner Bottom": the median plus and minus
    // factor times the average true range, from record `periods` on.
    virtual com::HRESULT Keltner(_Database* data, _RecordSet* ohlcv, com::SHORT periods, double factor,
                                 _RecordSet** result) = 0;
    // "Fractal High", the high of the latest five-record fractal high, and "Fractal Low", the low of the
    // latest fractal low, each held until the next fractal of its kind. Reads "High" and "Low" of
    // `ohlcv`. `periods` (the length of a simple average in the working values) below 1 is set to 100
    // in the caller's variable.
    virtual com::HRESULT FractalChaosBands(_Database* data, _RecordSet* ohlcv, com::SHORT* periods,
                                           _RecordSet** result) = 0;

protected:
    ~_Bands() = default;
};

}  // namespace indikon
