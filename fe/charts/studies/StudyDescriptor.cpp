#include "studies/StudyDescriptor.h"

#include <new>

#include "studies/MovingAverages.h"
#include "studies/Oscillators.h"
#include "studies/PriceCombinations.h"
#include "studies/VolumeStudies.h"

namespace dravik {
namespace {

using In = const StudyInputs&;
using Par = const StudyArguments&;
using Out = const StudyOutputs&;

constexpr std::uint8_t kWork = kStudyInputWork;
constexpr std::uint8_t kC = kStudyInputClose, kL = kStudyInputLow, kH = kStudyInputHigh,
                       kV = kStudyInputVolume;
constexpr std::uint8_t kP = kStudyParamPeriods, kS = kStudyParamSignal, kLP = kStudyParamLong,
                       kSP = kStudyParamShort, kD = kStudyParamValue, kWt = kStudyParamWeights;

constexpr StudyArguments Defaults(int periods, int signal = 0, int longPeriod = 0, int shortPeriod = 0,
                                  double value = 0.0) {
    return StudyArguments{periods, signal, longPeriod, shortPeriod, value, {}};
}

// One adaptor per routine: the dispatcher's uniform call to each routine's own argument list.
void Sma(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcSimpleMovingAverage(in.work, o.rows[0], p.periods, r, f);
}
void Ema(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcExponentialMovingAverage(in.work, o.rows[0], p.periods, r, f);
}
void Tma(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcTriangularMovingAverage(in.work, o.rows[0], p.periods, r, f);
}
void Wma(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcWeightedMovingAverage(in.work, o.rows[0], p.periods, p.weights, r, f);
}
void Bollinger(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcBollingerBands(in.work, o.rows[0], o.rows[1], p.periods, p.value, r, f);
}
void Envelopes(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcEnvelopes(in.work, o.rows[0], o.rows[1], p.periods, p.value, r, f);
}
void Median(In in, Par, Out o, bool, StudyRange& r) {
    CalcMedianPrice(in.high, in.low, o.rows[0], r);
}
void Typical(In in, Par, Out o, bool, StudyRange& r) {
    CalcTypicalPrice(in.high, in.low, in.close, o.rows[0], r);
}
void WeightedClose(In in, Par, Out o, bool, StudyRange& r) {
    CalcWeightedClose(in.high, in.low, in.close, o.rows[0], r);
}
void Pvt(In in, Par, Out o, bool, StudyRange& r) {
    CalcPriceVolumeTrend(in.close, in.volume, o.rows[0], r);
}
void Nvi(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcNegativeVolumeIndex(in.close, in.volume, o.rows[0], o.rows[1], p.value, p.periods, r, f);
}
void Obv(In in, Par, Out o, bool, StudyRange& r) {
    CalcOnBalanceVolume(in.close, in.volume, o.rows[0], r);
}
void Roc(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcRateOfChange(in.work, o.rows[0], p.periods, r, f);
}
void RocPercent(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcRateOfChangePercent(in.work, o.rows[0], p.periods, r, f);
}
void Adi(In in, Par, Out o, bool, StudyRange& r) {
    CalcAccumulationDistribution(in.high, in.low, in.close, in.volume, o.rows[0], r);
}
void Chaikin(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcChaikinOscillator(in.high, in.low, in.close, in.volume, o.rows[0], p.shortPeriod, p.longPeriod, r, f);
}
void Mfi(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcMoneyFlowIndex(in.high, in.low, in.close, in.volume, o.rows[0], p.periods, r, f);
}
void Cci(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcCommodityChannelIndex(in.high, in.low, in.close, o.rows[0], p.periods, r, f);
}
void Stochastics(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcStochastics(in.high, in.low, in.close, o.rows[0], o.rows[1], p.signal, p.periods, r, f);
}
void Dpo(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcDetrendedPriceOscillator(in.work, o.rows[0], p.periods, r, f);
}
void Macd(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcMacd(in.work, o.rows[0], o.rows[1], o.rows[2], p.signal, p.shortPeriod, p.longPeriod, r, f);
}
void Rsi(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcRsi(in.work, o.rows[0], p.periods, r, f);
}
void Atr(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcAverageTrueRange(in.high, in.low, in.close, o.rows[0], p.periods, r, f);
}
void Momentum(In in, Par p, Out o, bool, StudyRange& r) {
    CalcMomentum(in.work, o.rows[0], p.periods, r);
}
void Pvi(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcPositiveVolumeIndex(in.close, in.volume, o.rows[0], o.rows[1], p.value, p.periods, r, f);
}
void StdDev(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcStandardDeviation(in.work, o.rows[0], p.periods, r, f);
}
void Trix(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcTrix(in.work, o.rows[0], o.rows[1], p.periods, p.signal, r, f);
}
void WilliamsR(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcWilliamsR(in.high, in.low, in.close, o.rows[0], p.periods, r, f);
}
void EaseOfMovement(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcEaseOfMovement(in.high, in.low, in.volume, o.rows[0], o.rows[1], p.periods, p.signal, r, f);
}
void Mass(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcMassIndex(in.high, in.low, o.rows[0], p.periods, p.signal, r, f);
}
void Performance(In in, Par, Out o, bool, StudyRange& r) {
    CalcPerformance(in.work, o.rows[0], r);
}
void Vhf(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcVerticalHorizontalFilter(in.work, o.rows[0], p.periods, r, f);
}
void VolumeOscillator(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcVolumeOscillator(in.volume, o.rows[0], p.shortPeriod, p.longPeriod, r, f);
}
void ChaikinVolatility(In in, Par p, Out o, bool f, StudyRange& r) {
    CalcChaikinVolatility(in.high, in.low, o.rows[0], p.periods, p.signal, r, f);
}

constexpr const char* kMa = "Moving Average";

// clang-format off
const StudyDescriptor kStudies[kBuiltInStudyKinds] = {
    {0, "SIMPLE_MOVINGAVG10", "10 periods Simple M.A.", "CalcSimpleMovingAverage", kWork, kP, Defaults(10), 1, {kMa}, 0, true, false, Sma},
    {1, "SIMPLE_MOVINGAVG50", "50 periods Simple M.A.", "CalcSimpleMovingAverage", kWork, kP, Defaults(50), 1, {kMa}, 0, true, false, Sma},
    {2, "SIMPLE_MOVINGAVG200", "200 periods  Simple M.A.", "CalcSimpleMovingAverage", kWork, kP, Defaults(200), 1, {kMa}, 0, true, false, Sma},
    {3, "SIMPLE_MOVINGAVG", "Simple Moving Average", "CalcSimpleMovingAverage", kWork, kP, Defaults(30), 1, {kMa}, 0, true, false, Sma},
    {4, "EXPONENTIAL_MOVINGAVG", "Exponential Moving Average", "CalcExponentialMovingAverage", kWork, kP, Defaults(10), 1, {"Exponential MA"}, 0, true, false, Ema},
    {5, "TRIANGULAR_MOVINGAVG", "Triangular Moving Average", "CalcTriangularMovingAverage", kWork, kP, Defaults(10), 1, {"Triangular MA"}, 0, true, false, Tma},
    {6, "WEIGHTED_MOVINGAVG", "Weighted Moving Average", "CalcWeightedMovingAverage", kWork, kP | kWt, Defaults(10), 1, {"Weigted MA"}, 0, true, false, Wma},
    {7, "BOLLINGER_BAND", "Bollinger Bands", "CalcBollingerBands", kWork, kP | kD, Defaults(10, 0, 0, 0, 2.0), 2, {"Upper Band", "Lower Band"}, 0, true, false, Bollinger},
    {8, "ENVELOPES", "Envelopes", "CalcEnvelopes", kWork, kP | kD, Defaults(10, 0, 0, 0, 6.0), 2, {"Upper Env", "Lower Env"}, 0, true, false, Envelopes},
    {9, "MEDIAN_PRICE", "Median Price", "CalcMedianPrice", kH | kL, 0, Defaults(0), 1, {"Median Price"}, 0, true, false, Median},
    {10, "TYPICAL_PRICE", "Typical Price", "CalcTypicalPrice", kH | kL | kC, 0, Defaults(0), 1, {"Typical Price"}, 0, true, false, Typical},
    {11, "WEIGHTED_CLOSE", "Weighted Close", "CalcWeightedClose", kH | kL | kC, 0, Defaults(0), 1, {"Weighted Close"}, 0, true, false, WeightedClose},
    {12, "VOLUME", "Volume", "", kV, 0, Defaults(0), 1, {"Volume"}, 0, false, true, nullptr},
    {13, "PRICEVOLTREND", "Price and Volume Trend", "CalcPriceVolumeTrend", kC | kV, 0, Defaults(0), 1, {"Pvt"}, 0, false, false, Pvt},
    {14, "NVI", "Negative Volume Index", "CalcNegativeVolumeIndex", kC | kV, kP | kD, Defaults(10, 0, 0, 0, 1000.0), 2, {"Nvi", "MA od Nvi"}, 0, false, false, Nvi},
    {15, "OBV", "On Balance Volume", "CalcOnBalanceVolume", kC | kV, 0, Defaults(0), 1, {"Obv"}, 0, false, false, Obv},
    {16, "ROC", "Price Rate Of Change", "CalcRateOfChange", kWork, kP, Defaults(10), 1, {"Roc"}, 0, false, false, Roc},
    {17, "ROCPercentual", "Rate Of Change Percentual", "CalcRateOfChangePercent", kWork, kP, Defaults(10), 1, {"Percentual Roc"}, 0, false, false, RocPercent},
    {18, "ADI", "Accumulation/Distribution Indicator", "CalcAccumulationDistribution", kH | kL | kC | kV, 0, Defaults(0), 1, {"Adi"}, 0, false, false, Adi},
    {19, "CHAIKIN", "Chaikin Oscillator", "CalcChaikinOscillator", kH | kL | kC | kV, kLP | kSP, Defaults(0, 0, 10, 3), 1, {"Chaikin"}, 0, false, false, Chaikin},
    {20, "MFI", "Money Flow Index", "CalcMoneyFlowIndex", kH | kL | kC | kV, kP, Defaults(10), 1, {"Mfi"}, 0, false, false, Mfi},
    {21, "COMMODITY_CHANNELINDEX", "Commodity Channel Index", "CalcCommodityChannelIndex", kH | kL | kC, kP, Defaults(10), 1, {"Cci"}, 0, false, false, Cci},
    {22, "STOCHASTICS", "Lanes Stochastics - %D and %K", "CalcStochastics", kH | kL | kC, kS | kP, Defaults(10, 10), 2, {"%K", "%D"}, 0, false, false, Stochastics},
    {23, "DETRENDED_PRICEOSCILLATOR", "Detrended Price Oscillator", "CalcDetrendedPriceOscillator", kWork, kP, Defaults(10), 1, {"Dpo"}, 0, false, false, Dpo},
    {24, "MACD", "M.A. Convergence/Divergence", "CalcMacd", kWork, kS | kLP | kSP, Defaults(0, 9, 26, 12), 3, {"Macd Divergence", "Macd", "Macd Signal"}, 1, false, false, Macd},
    {25, "RSI", "Relative Strength Index", "CalcRsi", kWork, kP, Defaults(10), 1, {"Rsi"}, 0, false, false, Rsi},
    {26, "ATR", "Average True Range", "CalcAverageTrueRange", kH | kL | kC, kP, Defaults(14), 1, {"Atr"}, 0, false, false, Atr},
    {27, "MOMENTUM", "Momentum", "CalcMomentum", kWork, kP, Defaults(12), 1, {"Momentum"}, 0, false, false, Momentum},
    {28, "PVI", "Positive Volume Index", "CalcPositiveVolumeIndex", kC | kV, kP | kD, Defaults(10, 0, 0, 0, 1000.0), 2, {"Pvi", "MA od Pvi"}, 0, false, false, Pvi},
    {29, "STDEV", "Standard Deviation", "CalcStandardDeviation", kWork, kP, Defaults(12), 1, {"StDev"}, 0, false, false, StdDev},
    {30, "TRIX", "TRIX", "CalcTrix", kWork, kP | kS, Defaults(12, 9), 2, {"Trix", "Trix Signal"}, 0, false, false, Trix},
    {31, "WILLIAMS_R", "Williams %R", "CalcWilliamsR", kH | kL | kC, kP, Defaults(14), 1, {"Will%R"}, 0, false, false, WilliamsR},
    {32, "EASE_OF_MOVE", "Ease Of Movement", "CalcEaseOfMovement", kH | kL | kV, kP | kS, Defaults(14, 9), 2, {"Ease of Mov", "EoM MA"}, 0, false, false, EaseOfMovement},
    {33, "MASS", "Mass Index", "CalcMassIndex", kH | kL, kP | kS, Defaults(25, 9), 1, {"Mass"}, 0, false, false, Mass},
    {34, "PERFORMANCE", "Performance", "CalcPerformance", kWork, 0, Defaults(0), 1, {"Performance"}, 0, false, false, Performance},
    {35, "VHF", "Vertical Horizontal Filter", "CalcVerticalHorizontalFilter", kWork, kP, Defaults(28), 1, {"Vhf"}, 0, false, false, Vhf},
    {36, "VOLUME_OSCILLATOR", "Volume Oscillator", "CalcVolumeOscillator", kV, kLP | kSP, Defaults(0, 0, 10, 5), 1, {"Volume Osc"}, 0, false, false, VolumeOscillator},
    {37, "VOLATILITY_CHAIKINS", "Chaikin's Volatility", "CalcChaikinVolatility", kH | kL, kP | kS, Defaults(10, 10), 1, {"Chak.Volatility"}, 0, false, false, ChaikinVolatility},
};
// clang-format on

bool HasPriceRows(std::uint8_t inputs, const StudyInputs& rows, std::size_t points) {
    const std::pair<std::uint8_t, InRow> priceRows[] = {
        {kC, rows.close}, {kL, rows.low}, {kH, rows.high}, {kV, rows.volume}};
    for (const auto& [bit, row] : priceRows)
        if ((inputs & bit) && !studies::HasRow(row, points))
            return false;
    return true;
}

}  // namespace

std::span<const StudyDescriptor, kBuiltInStudyKinds> BuiltInStudies() {
    return kStudies;
}

const StudyDescriptor* FindStudyDescriptor(int kind) {
    return kind >= 0 && kind < kBuiltInStudyKinds ? &kStudies[kind] : nullptr;
}

StudyComputeResult ComputeBuiltInStudy(int kind, const StudyInputs& inputs, const StudyArguments& parameters,
                                       const StudyOutputs& outputs, bool full, StudyRange& range) {
    const StudyDescriptor* study = FindStudyDescriptor(kind);
    if (study == nullptr || study->compute == nullptr)
        return StudyComputeResult::NotComputed;
    if (!HasPriceRows(study->inputs, inputs, outputs.rows[0].size())) {
        range.min = 0.0;
        range.max = 100.0;
        return StudyComputeResult::MissingPriceSeries;
    }
    try {
        study->compute(inputs, parameters, outputs, full, range);
    } catch (const std::bad_alloc&) {
        for (std::size_t k = 0; k < static_cast<std::size_t>(study->outputCount); ++k)
            studies::FillEmpty(outputs.rows[k]);
        range = StudyRange{};
        return StudyComputeResult::OutOfMemory;
    }
    return StudyComputeResult::Computed;
}

}  // namespace dravik
