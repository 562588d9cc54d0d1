#include "indicators/General.h"

#include "core/Calculation.h"
#include "indicators/PriceFunctions.h"

namespace indikon {

com::HRESULT General::HHV(_Database* data, _Field* high, com::SHORT periods, com::Bstr* alias,
                          _RecordSet** result) {
    return runIndicator({"General.HHV", u"HHV"}, alias, result,
                        [&](const com::Bstr& name) { return highestHigh(data, high, periods, name); });
}

com::HRESULT General::LLV(_Database* data, _Field* low, com::SHORT periods, com::Bstr* alias,
                          _RecordSet** result) {
    return runIndicator({"General.LLV", u"LLV"}, alias, result,
                        [&](const com::Bstr& name) { return lowestLow(data, low, periods, name); });
}

com::HRESULT General::HighMinusLow(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                                   _RecordSet** result) {
    return runIndicator({"General.HighMinusLow", u"HighMinusLow"}, alias, result, [&](const com::Bstr& name) {
        return dailyPrice(DailyPrice::HighMinusLow, data, ohlcv, name);
    });
}

com::HRESULT General::MedianPrice(_Database* data, _RecordSet* ohlcv, com::Bstr* alias, _RecordSet** result) {
    return runIndicator({"General.MedianPrice", u"MedianPrice"}, alias, result, [&](const com::Bstr& name) {
        return dailyPrice(DailyPrice::Median, data, ohlcv, name);
    });
}

com::HRESULT General::TypicalPrice(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                                   _RecordSet** result) {
    return runIndicator({"General.TypicalPrice", u"TypicalPrice"}, alias, result, [&](const com::Bstr& name) {
        return dailyPrice(DailyPrice::Typical, data, ohlcv, name);
    });
}

com::HRESULT General::WeightedClose(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                                    _RecordSet** result) {
    return runIndicator(
        {"General.WeightedClose", u"WeightedClose"}, alias, result,
        [&](const com::Bstr& name) { return dailyPrice(DailyPrice::WeightedClose, data, ohlcv, name); });
}

com::HRESULT General::VolumeROC(_Database* data, _Field* volume, com::SHORT periods, com::Bstr* alias,
                                _RecordSet** result) {
    return runIndicator({"General.VolumeROC", u"VolumeROC"}, alias, result, [&](const com::Bstr& name) {
        return volumeRateOfChange(data, volume, periods, name);
    });
}

com::HRESULT General::PriceROC(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                               _RecordSet** result) {
    return runIndicator({"General.PriceROC", u"PriceROC"}, alias, result, [&](const com::Bstr& name) {
        return priceRateOfChange(data, source, periods, name);
    });
}

com::HRESULT General::CorrelationAnalysis(_Field* source1, _Field* source2, double* result) {
    return runCalculation("General.CorrelationAnalysis", result,
                          [&] { return correlationAnalysis(source1, source2); });
}

com::HRESULT General::StandardDeviation(_Database* data, _Field* source, com::SHORT periods,
                                        com::SHORT standardDeviations, com::SHORT maType, com::Bstr* alias,
                                        _RecordSet** result) {
    return runIndicator({"General.StandardDeviation", u"StandardDeviation"}, alias, result,
                        [&](const com::Bstr& name) {
                            return standardDeviation(data, source, periods, standardDeviations, maType, name);
                        });
}

com::HRESULT General::MaxValue(_Field* source, com::SHORT startPeriod, com::SHORT endPeriod, _Note** result) {
    return runCalculation("General.MaxValue", result,
                          [&] { return maxValue(source, startPeriod, endPeriod); });
}

com::HRESULT General::MinValue(_Field* source, com::SHORT startPeriod, com::SHORT endPeriod, _Note** result) {
    return runCalculation("General.MinValue", result,
                          [&] { return minValue(source, startPeriod, endPeriod); });
}

}  // namespace indikon
