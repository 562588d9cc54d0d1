#include "state/StudyTable.h"

#include <algorithm>

#include "format/DefaultRecords.h"
#include "state/ExchangeKeys.h"

namespace dravik {
namespace {

constexpr std::array<const char*, kBuiltInStudyCount> kStudyPrefixes{
    "SimpleMA10.",
    "SimpleMA50.",
    "SimpleMA200.",
    "SimpleMA.",
    "ExponentialMA.",
    "TriangularMA.",
    "WeightedMA.",
    "BollingerBand.",
    "Envelopes.",
    "MedianPrice.",
    "TypicalPrice.",
    "WeightedClose.",
    "Volume.",
    "PriceVolumeTrend.",
    "NegativeVolumeIndex.",
    "OnBalanceVolume.",
    "RateOfChange.",
    "RateOfChangePercentual.",
    "AccumulationDistributionIndicator.",
    "ChaikinOscillator.",
    "MoneyFlowIndex.",
    "CommodityChannelIndex.",
    "LanesStochastics.",
    "DetrendedPriceOscillator.",
    "MACD.",
    "RSI.",
    "AverageTrueRange.",
    "Momentum.",
    "PositiveVolumeIndex.",
    "StandardDeviation.",
    "TRIX.",
    "Williams_R.",
    "EasyOfMove.",
    "MassIndex.",
    "Performance.",
    "VHF.",
    "VolumeOscillator.",
    "VolatilityChaikins.",
};

constexpr std::array<std::uint32_t, kBuiltInStudyCount> kParameterBits{
    0x5,  0x5, 0x5, 0x5,  0x5, 0x5,  0xD, 0x7, 0x7, 0,     0,   0,    0,   0,    0x104, 0,   0x5, 0x5,  0,
    0xC0, 0x4, 0x4, 0x24, 0x5, 0xE1, 0x5, 0x4, 0x5, 0x104, 0x5, 0x25, 0x4, 0x24, 0x24,  0x1, 0x5, 0xC0, 0x24,
};

// periods, signal, long, short, D or StartValue, outputs.
constexpr std::array<StudyDefaults, kBuiltInStudyCount> kStudyDefaults{{
    {10, 0, 0, 0, 0.0, {"Moving Average"}},
    {50, 0, 0, 0, 0.0, {"Moving Average"}},
    {200, 0, 0, 0, 0.0, {"Moving Average"}},
    {30, 0, 0, 0, 0.0, {"Moving Average"}},
    {10, 0, 0, 0, 0.0, {"Exponential MA"}},
    {10, 0, 0, 0, 0.0, {"Triangular MA"}},
    {10, 0, 0, 0, 0.0, {"Weigted MA"}},
    {10, 0, 0, 0, 2.0, {"Upper Band", "Lower Band"}},
    {10, 0, 0, 0, 6.0, {"Upper Env", "Lower Env"}},
    {0, 0, 0, 0, 0.0, {"Median Price"}},
    {0, 0, 0, 0, 0.0, {"Typical Price"}},
    {0, 0, 0, 0, 0.0, {"Weighted Close"}},
    {0, 0, 0, 0, 0.0, {"Volume"}},
    {0, 0, 0, 0, 0.0, {"Pvt"}},
    {10, 0, 0, 0, 1000.0, {"Nvi", "MA od Nvi"}},
    {0, 0, 0, 0, 0.0, {"Obv"}},
    {10, 0, 0, 0, 0.0, {"Roc"}},
    {10, 0, 0, 0, 0.0, {"Percentual Roc"}},
    {0, 0, 0, 0, 0.0, {"Adi"}},
    {0, 0, 10, 3, 0.0, {"Chaikin"}},
    {10, 0, 0, 0, 0.0, {"Mfi"}},
    {10, 0, 0, 0, 0.0, {"Cci"}},
    {10, 10, 0, 0, 0.0, {"%K", "%D"}},
    {10, 0, 0, 0, 0.0, {"Dpo"}},
    {0, 9, 26, 12, 0.0, {"Macd Divergence", "Macd", "Macd Signal"}},
    {10, 0, 0, 0, 0.0, {"Rsi"}},
    {14, 0, 0, 0, 0.0, {"Atr"}},
    {12, 0, 0, 0, 0.0, {"Momentum"}},
    {10, 0, 0, 0, 1000.0, {"Pvi", "MA od Pvi"}},
    {12, 0, 0, 0, 0.0, {"StDev"}},
    {12, 9, 0, 0, 0.0, {"Trix", "Trix Signal"}},
    {14, 0, 0, 0, 0.0, {"Will%R"}},
    {14, 9, 0, 0, 0.0, {"Ease of Mov", "EoM MA"}},
    {25, 9, 0, 0, 0.0, {"Mass"}},
    {0, 0, 0, 0, 0.0, {"Performance"}},
    {28, 0, 0, 0, 0.0, {"Vhf"}},
    {0, 0, 10, 5, 0.0, {"Volume Osc"}},
    {10, 10, 0, 0, 0.0, {"Chak.Volatility"}},
}};

constexpr StudyDefaults kNoDefaults{0, 0, 0, 0, 0.0, {}};

constexpr std::array<int, 14> kAxisRecordOneStudies{12, 14, 15, 18, 19, 21, 22, 27, 28, 31, 33, 34, 36, 37};
constexpr int MACD = 24;

bool isBuiltIn(int study) {
    return study >= 0 && static_cast<std::size_t>(study) < kBuiltInStudyCount;
}

std::int16_t outputCount(const StudyDefaults& defaults) {
    return static_cast<std::int16_t>(std::count_if(defaults.outputs.begin(), defaults.outputs.end(),
                                                   [](const char* text) { return text; }));
}

std::string userStudyName(int userIndex, const res::ResourceModule* module) {
    std::string format = "UserStudy %d";
    if (module) {
        char buffer[kStudyNameBytes];
        if (module->loadString(kUserStudyNameId, buffer, sizeof buffer) && buffer[0] != '\0')
            format = buffer;
    }
    // Only "%d" is filled in: a translated text is never used as a printf format.
    return IndexedPrefix(format, userIndex);
}

}  // namespace

std::string StudyPrefix(int study) {
    if (isBuiltIn(study))
        return kStudyPrefixes[static_cast<std::size_t>(study)];
    if (study >= static_cast<int>(kFirstUserStudy) && study < static_cast<int>(kFirstCustomStudy))
        return IndexedPrefix("User(%d).", study - static_cast<int>(kFirstUserStudy));
    if (study >= static_cast<int>(kFirstCustomStudy) && study < static_cast<int>(kStudyCount))
        return IndexedPrefix("Custom(%d).", study - static_cast<int>(kFirstCustomStudy));
    return "Error.";
}

std::string StudyAxisPrefix(int study) {
    return StudyPrefix(study) + "Axis.";
}

std::uint32_t StudyParameterBits(int study, std::uint32_t version) {
    if (version < 19)
        return study == WEIGHTED_MOVINGAVG ? 0xB : 0x3;
    return isBuiltIn(study) ? kParameterBits[static_cast<std::size_t>(study)] : 0;
}

const StudyDefaults& StudyDefaultsOf(int study) {
    return isBuiltIn(study) ? kStudyDefaults[static_cast<std::size_t>(study)] : kNoDefaults;
}

std::size_t StudyDefaultAxisRecord(int study) {
    if (study >= 0 && study <= 11)
        return 5;
    if (study == 17)
        return 4;
    if (std::find(kAxisRecordOneStudies.begin(), kAxisRecordOneStudies.end(), study) !=
        kAxisRecordOneStudies.end())
        return 1;
    return 0;
}

void SetDefaultParameters(StudyRecord& record, int study) {
    const StudyDefaults& defaults = StudyDefaultsOf(study);
    record.workSeries = -1;
    record.periods = defaults.periods;
    record.parameters = StudyParameters{};
    if (defaults.d != 0.0) {
        record.parameters.setD(defaults.d);
    } else {
        record.parameters.setSignalPeriod(defaults.signalPeriod);
        record.parameters.setLongPeriod(defaults.longPeriod);
        record.parameters.setShortPeriod(defaults.shortPeriod);
    }
    if (study == WEIGHTED_MOVINGAVG) {
        record.parameters.weights.resize(static_cast<std::size_t>(defaults.periods));
        for (std::int16_t i = 0; i < defaults.periods; ++i)
            record.parameters.weights[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i + 1);
    }
}

StudyRecord MakeDefaultStudyRecord(int study, const res::ResourceModule* module) {
    StudyRecord record;
    const StudyDefaults& defaults = StudyDefaultsOf(study);
    if (isBuiltIn(study))
        record.name.SetStringId(
            static_cast<std::int16_t>(kFirstStudyNameId + static_cast<std::uint32_t>(study)));
    else if (study >= static_cast<int>(kFirstUserStudy) && study < static_cast<int>(kFirstCustomStudy))
        record.name.SetText(userStudyName(study - static_cast<int>(kFirstUserStudy), module), module);
    // A custom study computes nothing until it is set up as one of the built-in studies.
    record.calcIndex = static_cast<std::int16_t>(study < static_cast<int>(kFirstCustomStudy) ? study : -1);
    record.priceIndicator = study >= 0 && study <= 11 ? 1 : 0;
    record.startInZero = study == 12 ? 1 : 0;
    record.subIndicators = outputCount(defaults);
    record.defaultSeries = study == MACD ? 1 : 0;
    for (std::size_t i = 0; i < defaults.outputs.size() && defaults.outputs[i]; ++i) {
        record.series[i].legend.SetText(defaults.outputs[i], module);
        record.series[i].setMask = SA_LEGEND;
    }
    SetDefaultParameters(record, study);
    return record;
}

}  // namespace dravik
