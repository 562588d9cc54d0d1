#include "indicators/Index.h"

#include "core/Indicator.h"
#include "indicators/CompositeIndices.h"
#include "indicators/RelativeStrength.h"
#include "indicators/SwingIndex.h"
#include "indicators/VolumeIndices.h"

namespace indikon {
namespace {

com::HRESULT runVolumeTrend(VolumeTrend kind, const IndicatorMethod& method, _Database* data, _Field* source,
                            _Field* volume, com::Bstr* alias, _RecordSet** result) {
    return runIndicator(method, alias, result,
                        [&](const com::Bstr& name) { return volumeTrend(kind, data, source, volume, name); });
}

}  // namespace

com::HRESULT Index::MoneyFlowIndex(_Database* data, _RecordSet* ohlcv, com::SHORT periods, com::Bstr* alias,
                                   _RecordSet** result) {
    return runIndicator({"Index.MoneyFlowIndex", u"MoneyFlowIndex"}, alias, result,
                        [&](const com::Bstr& name) { return moneyFlowIndex(data, ohlcv, periods, name); });
}

com::HRESULT Index::TradeVolumeIndex(_Database* data, _Field* source, _Field* volume, double minTickValue,
                                     com::Bstr* alias, _RecordSet** result) {
    return runIndicator(
        {"Index.TradeVolumeIndex", u"TradeVolumeIndex"}, alias, result,
        [&](const com::Bstr& name) { return tradeVolumeIndex(data, source, volume, minTickValue, name); });
}

com::HRESULT Index::SwingIndex(_Database* data, _RecordSet* ohlcv, double limitMoveValue, com::Bstr* alias,
                               _RecordSet** result) {
    return runIndicator({"Index.SwingIndex", u"SwingIndex"}, alias, result, [&](const com::Bstr& name) {
        checkLimitMove(limitMoveValue, "Index.SwingIndex");
        return swingIndex(data, ohlcv, limitMoveValue, name);
    });
}

// The swings come from a SwingIndex of a new Index object, whose failures reach the caller as that call
// reported them; only the summing runs under this method's catch-all.
com::HRESULT Index::AccumulativeSwingIndex(_Database* data, _RecordSet* ohlcv, double limitMoveValue,
                                           com::Bstr* alias, _RecordSet** result) {
    constexpr IndicatorMethod method{"Index.AccumulativeSwingIndex", u"AccumulativeSwingIndex", false};
    return runIndicator(method, alias, result, [&](const com::Bstr& name) {
        checkLimitMove(limitMoveValue, "Index.AccumulativeSwingIndex");
        com::ComPtr<_RecordSet> swings;
        com::Bstr swingName(u"SI");
        check(com::makeComObject<Index>()->SwingIndex(data, ohlcv, limitMoveValue, &swingName, swings.put()));
        return convertFailures(Error::Unexpected, unexpectedSource(method.source),
                               [&] { return accumulateSwings(data, swings.get(), swingName, name); });
    });
}

// RSI has no catch-all: a failure while computing reaches the caller as the failing member reported it.
com::HRESULT Index::RelativeStrengthIndex(_Database* data, _Field* source, com::SHORT periods,
                                          com::Bstr* alias, _RecordSet** result) {
    constexpr IndicatorMethod method{"Index.RelativeStrengthIndex", u"RelativeStrengthIndex", false};
    return runIndicator(method, alias, result, [&](const com::Bstr& name) {
        return relativeStrengthIndex(data, source, periods, name, "Index.RelativeStrengthIndex");
    });
}

com::HRESULT Index::ComparativeRelativeStrength(_Database* data, _Field* source1, _Field* source2,
                                                com::Bstr* alias, _RecordSet** result) {
    return runIndicator(
        {"Index.ComparativeRelativeStrength", u"ComparativeRelativeStrength"}, alias, result,
        [&](const com::Bstr& name) { return comparativeRelativeStrength(data, source1, source2, name); });
}

com::HRESULT Index::PriceVolumeTrend(_Database* data, _Field* source, _Field* volume, com::Bstr* alias,
                                     _RecordSet** result) {
    return runVolumeTrend(VolumeTrend::PriceVolumeTrend, {"Index.PriceVolumeTrend", u"PriceVolumeTrend"},
                          data, source, volume, alias, result);
}

com::HRESULT Index::PositiveVolumeIndex(_Database* data, _Field* source, _Field* volume, com::Bstr* alias,
                                        _RecordSet** result) {
    return runVolumeTrend(VolumeTrend::PositiveVolumeIndex,
                          {"Index.PositiveVolumeIndex", u"PositiveVolumeIndex"}, data, source, volume, alias,
                          result);
}

com::HRESULT Index::NegativeVolumeIndex(_Database* data, _Field* source, _Field* volume, com::Bstr* alias,
                                        _RecordSet** result) {
    return runVolumeTrend(VolumeTrend::NegativeVolumeIndex,
                          {"Index.NegativeVolumeIndex", u"NegativeVolumeIndex"}, data, source, volume, alias,
                          result);
}

com::HRESULT Index::Performance(_Database* data, _Field* source, com::Bstr* alias, _RecordSet** result) {
    return runIndicator({"Index.Performance", u"Performance"}, alias, result,
                        [&](const com::Bstr& name) { return performance(data, source, name); });
}

com::HRESULT Index::OnBalanceVolume(_Database* data, _Field* source, _Field* volume, com::Bstr* alias,
                                    _RecordSet** result) {
    return runVolumeTrend(VolumeTrend::OnBalanceVolume, {"Index.OnBalanceVolume", u"OnBalanceVolume"}, data,
                          source, volume, alias, result);
}

com::HRESULT Index::MassIndex(_Database* data, _RecordSet* ohlcv, com::SHORT periods, com::Bstr* alias,
                              _RecordSet** result) {
    return runIndicator({"Index.MassIndex", u"MassIndex"}, alias, result,
                        [&](const com::Bstr& name) { return massIndex(data, ohlcv, periods, name); });
}

com::HRESULT Index::ChaikinMoneyFlow(_Database* data, _RecordSet* ohlcv, com::SHORT periods, com::Bstr* alias,
                                     _RecordSet** result) {
    return runIndicator({"Index.ChaikinMoneyFlow", u"ChaikinMoneyFlow"}, alias, result,
                        [&](const com::Bstr& name) { return chaikinMoneyFlow(data, ohlcv, periods, name); });
}

com::HRESULT Index::StochasticMomentumIndex(_Database* data, _RecordSet* ohlcv, com::SHORT kPeriods,
                                            com::SHORT kSmooth, com::SHORT kDoubleSmooth, com::SHORT dPeriods,
                                            com::SHORT maType, com::SHORT pctDMAType, _RecordSet** result) {
    return runIndicator({"Index.StochasticMomentumIndex", u""}, nullptr, result, [&](const com::Bstr&) {
        return stochasticMomentumIndex(data, ohlcv, kPeriods, kSmooth, kDoubleSmooth, dPeriods, maType,
                                       pctDMAType);
    });
}

// The field is named by the alias exactly as passed: there is no default name to write back.
com::HRESULT Index::CommodityChannelIndex(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                          com::Bstr* alias, _RecordSet** result) {
    const com::Bstr name = alias ? *alias : com::Bstr();
    return runIndicator({"Index.CommodityChannelIndex", u""}, nullptr, result,
                        [&](const com::Bstr&) { return commodityChannelIndex(data, ohlcv, periods, name); });
}

}  // namespace indikon
