#include "MethodCatalogue.h"

#include <algorithm>
#include <cmath>

#include "PriceSet.h"
#include "containers/Database.h"
#include "containers/RecordSet.h"
#include "indicators/Bands.h"
#include "indicators/CandleStick.h"
#include "indicators/ChartPattern.h"
#include "indicators/Cycle.h"
#include "indicators/General.h"
#include "indicators/Index.h"
#include "indicators/LineStudy.h"
#include "indicators/LinearRegression.h"
#include "indicators/MovingAverage.h"
#include "indicators/NeuralNetwork.h"
#include "indicators/Oscillator.h"
#include "indicators/RandomSource.h"

namespace indikon::test {
namespace {

// A 64-bit linear congruential generator: the same draws on every platform.
class Draws {
public:
    // A uniform draw in [0, 1) with 53 bits.
    double next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state_ >> 11) / 9007199254740992.0;
    }

private:
    std::uint64_t state_ = 20261209;
};

double cents(double value) {
    return std::round(value * 100) / 100;
}

Outcome finish(com::HRESULT status, const Market& market, std::vector<Output> outputs) {
    Outcome outcome;
    outcome.status = status;
    if (const std::optional<com::ErrorInfo> info = com::takeErrorInfo(); info && status != com::S_OK) {
        outcome.errorNumber = info->number;
        outcome.errorSource = info->source;
    }
    if (status == com::S_OK)
        outcome.outputs = std::move(outputs);
    outcome.positionAfter = position(market.database.get());
    return outcome;
}

std::vector<Output> fieldsOf(_RecordSet* records) {
    std::vector<Output> outputs;
    if (!records)
        return outputs;
    for (const std::u16string& name : fieldNames(records)) {
        com::ComPtr<_Field> field;
        records->getField(com::Bstr(name), field.put());
        outputs.push_back({com::Bstr(name).toUtf8(), valuesOf(field.get()), {}});
    }
    return outputs;
}

std::vector<Output> noteOf(_Note* note) {
    if (!note)
        return {};
    com::SHORT period = 0;
    double value = 0;
    com::Bstr text;
    note->getPeriod(&period);
    note->getValue(&value);
    note->getNote(&text);
    return {{"period", {double(period)}, {}}, {"value", {value}, text.text()}};
}

using RecordSetCall = std::function<com::HRESULT(const Market&, com::Bstr*, _RecordSet**)>;
using NoteCall = std::function<com::HRESULT(const Market&, _Note**)>;

CatalogueEntry recordSet(const char* name, RecordSetCall call) {
    return {name, [call](const Market& m) {
                com::ComPtr<_RecordSet> result;
                com::Bstr alias;
                const com::HRESULT status = call(m, &alias, result.put());
                return finish(status, m, fieldsOf(result.get()));
            }};
}

CatalogueEntry note(const char* name, NoteCall call) {
    return {name, [call](const Market& m) {
                com::ComPtr<_Note> result;
                const com::HRESULT status = call(m, result.put());
                return finish(status, m, noteOf(result.get()));
            }};
}

template <typename Class>
com::ComPtr<Class> make() {
    return com::makeComObject<Class>();
}

com::SHORT count(const Market& m) {
    return recordCount(m.database.get());
}

std::vector<CatalogueEntry> buildCatalogue() {
    using A = com::Bstr*;
    using R = _RecordSet**;
    return {
        // Moving averages
        recordSet("SimpleMovingAverage",
                  [](const Market& m, A a, R r) {
                      return make<MovingAverage>()->SimpleMovingAverage(m.database.get(), m.close.get(),
                                                                        m.periods, a, r);
                  }),
        recordSet("ExponentialMovingAverage",
                  [](const Market& m, A a, R r) {
                      return make<MovingAverage>()->ExponentialMovingAverage(m.database.get(), m.close.get(),
                                                                             m.periods, a, r);
                  }),
        recordSet("TimeSeriesMovingAverage",
                  [](const Market& m, A a, R r) {
                      return make<MovingAverage>()->TimeSeriesMovingAverage(m.database.get(), m.close.get(),
                                                                            m.periods, a, r);
                  }),
        recordSet("VariableMovingAverage",
                  [](const Market& m, A a, R r) {
                      return make<MovingAverage>()->VariableMovingAverage(m.database.get(), m.close.get(),
                                                                          m.periods, a, r);
                  }),
        recordSet("TriangularMovingAverage",
                  [](const Market& m, A a, R r) {
                      return make<MovingAverage>()->TriangularMovingAverage(m.database.get(), m.close.get(),
                                                                            m.periods, a, r);
                  }),
        recordSet("WeightedMovingAverage",
                  [](const Market& m, A a, R r) {
                      return make<MovingAverage>()->WeightedMovingAverage(m.database.get(), m.close.get(),
                                                                          m.periods, a, r);
                  }),
        recordSet("VIDYA",
                  [](const Market& m, A a, R r) {
                      return make<MovingAverage>()->VIDYA(m.database.get(), m.close.get(), m.periods, 0.65, a,
                                                          r);
                  }),
        recordSet("WellesWilderSmoothing",
                  [](const Market& m, A a, R r) {
                      return make<MovingAverage>()->WellesWilderSmoothing(m.close.get(), m.periods, a, r);
                  }),
        // Oscillators
        recordSet("ParabolicSAR",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->ParabolicSAR(m.database.get(), m.high.get(), m.low.get(),
                                                              0.02, 0.2, a, r);
                  }),
        recordSet("CMO",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->CMO(m.database.get(), m.close.get(), m.periods, a, r);
                  }),
        recordSet("Momentum",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->Momentum(m.database.get(), m.close.get(), m.periods, a, r);
                  }),
        recordSet("TRIX",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->TRIX(m.database.get(), m.close.get(), m.periods, a, r);
                  }),
        recordSet("UltimateOscillator",
                  [](const Market& m, A a, R r) {
                      const int p = m.periods;
                      return make<Oscillator>()->UltimateOscillator(m.database.get(), m.records.get(),
                                                                    s(p / 2), s(p), s(2 * p), a, r);
                  }),
        recordSet("VerticalHorizontalFilter",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->VerticalHorizontalFilter(m.database.get(), m.close.get(),
                                                                          m.periods, a, r);
                  }),
        recordSet("WilliamsPctR",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->WilliamsPctR(m.database.get(), m.records.get(), m.periods, a,
                                                              r);
                  }),
        recordSet("WilliamsAccumulationDistribution",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->WilliamsAccumulationDistribution(m.database.get(),
                                                                                  m.records.get(), a, r);
                  }),
        recordSet("VolumeOscillator",
                  [](const Market& m, A a, R r) {
                      const int p = m.periods;
                      return make<Oscillator>()->VolumeOscillator(m.database.get(), m.volume.get(),
                                                                  s(p / 2 + 1), s(p + 7), 1, 2, a, r);
                  }),
        recordSet("ChaikinVolatility",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->ChaikinVolatility(m.database.get(), m.records.get(),
                                                                   m.periods, m.periods, 2, a, r);
                  }),
        recordSet("StochasticOscillator",
                  [](const Market& m, A, R r) {
                      return make<Oscillator>()->StochasticOscillator(m.database.get(), m.records.get(),
                                                                      m.periods, 3, 3, 1, r);
                  }),
        recordSet("PriceOscillator",
                  [](const Market& m, A a, R r) {
                      const int p = m.periods;
                      return make<Oscillator>()->PriceOscillator(m.database.get(), m.close.get(), s(2 * p),
                                                                 s(p), 1, a, r);
                  }),
        recordSet("MACD",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->MACD(m.database.get(), m.records.get(), 9, a, r);
                  }),
        recordSet("EaseOfMovement",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->EaseOfMovement(m.database.get(), m.records.get(), m.periods,
                                                                1, a, r);
                  }),
        recordSet("DetrendedPriceOscillator",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->DetrendedPriceOscillator(m.database.get(), m.close.get(),
                                                                          m.periods, 1, a, r);
                  }),
        recordSet("AverageTrueRange",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->AverageTrueRange(m.database.get(), m.records.get(),
                                                                  m.periods, a, r);
                  }),
        recordSet("TrueRange",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->TrueRange(m.database.get(), m.records.get(), a, r);
                  }),
        recordSet("DirectionalMovementSystem",
                  [](const Market& m, A, R r) {
                      return make<Oscillator>()->DirectionalMovementSystem(m.database.get(), m.records.get(),
                                                                           m.periods, r);
                  }),
        recordSet("Aroon",
                  [](const Market& m, A, R r) {
                      return make<Oscillator>()->Aroon(m.database.get(), m.records.get(), m.periods, r);
                  }),
        recordSet("RainbowOscillator",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->RainbowOscillator(m.database.get(), m.records.get(), 4, 1, a,
                                                                   r);
                  }),
        recordSet("LinearMomentumOscillator",
                  [](const Market& m, A a, R r) {
                      return make<Oscillator>()->LinearMomentumOscillator(m.database.get(), m.close.get(),
                                                                          m.periods, a, r);
                  }),
        recordSet("ChaosFractalOscillator",
                  [](const Market& m, A, R r) {
                      com::SHORT periods = 0;
                      return make<Oscillator>()->ChaosFractalOscillator(m.database.get(), m.records.get(),
                                                                        &periods, r);
                  }),
        // Indices
        recordSet("MoneyFlowIndex",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->MoneyFlowIndex(m.database.get(), m.records.get(), m.periods, a,
                                                           r);
                  }),
        recordSet("TradeVolumeIndex",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->TradeVolumeIndex(m.database.get(), m.close.get(), m.volume.get(),
                                                             0.25, a, r);
                  }),
        recordSet("SwingIndex",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->SwingIndex(m.database.get(), m.records.get(), 3, a, r);
                  }),
        recordSet("AccumulativeSwingIndex",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->AccumulativeSwingIndex(m.database.get(), m.records.get(), 3, a,
                                                                   r);
                  }),
        recordSet("RelativeStrengthIndex",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->RelativeStrengthIndex(m.database.get(), m.close.get(), m.periods,
                                                                  a, r);
                  }),
        recordSet("ComparativeRelativeStrength",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->ComparativeRelativeStrength(m.database.get(), m.close.get(),
                                                                        m.open.get(), a, r);
                  }),
        recordSet("PriceVolumeTrend",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->PriceVolumeTrend(m.database.get(), m.close.get(), m.volume.get(),
                                                             a, r);
                  }),
        recordSet("PositiveVolumeIndex",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->PositiveVolumeIndex(m.database.get(), m.close.get(),
                                                                m.volume.get(), a, r);
                  }),
        recordSet("NegativeVolumeIndex",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->NegativeVolumeIndex(m.database.get(), m.close.get(),
                                                                m.volume.get(), a, r);
                  }),
        recordSet("Performance",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->Performance(m.database.get(), m.close.get(), a, r);
                  }),
        recordSet("OnBalanceVolume",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->OnBalanceVolume(m.database.get(), m.close.get(), m.volume.get(),
                                                            a, r);
                  }),
        recordSet("MassIndex",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->MassIndex(m.database.get(), m.records.get(), m.periods, a, r);
                  }),
        recordSet("ChaikinMoneyFlow",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->ChaikinMoneyFlow(m.database.get(), m.records.get(), m.periods, a,
                                                             r);
                  }),
        recordSet("StochasticMomentumIndex",
                  [](const Market& m, A, R r) {
                      return make<Index>()->StochasticMomentumIndex(m.database.get(), m.records.get(),
                                                                    m.periods, 3, 3, 3, 2, 1, r);
                  }),
        recordSet("CommodityChannelIndex",
                  [](const Market& m, A a, R r) {
                      return make<Index>()->CommodityChannelIndex(m.database.get(), m.records.get(),
                                                                  m.periods, a, r);
                  }),
        // General
        recordSet("HHV",
                  [](const Market& m, A a, R r) {
                      return make<General>()->HHV(m.database.get(), m.high.get(), m.periods, a, r);
                  }),
        recordSet("LLV",
                  [](const Market& m, A a, R r) {
                      return make<General>()->LLV(m.database.get(), m.low.get(), m.periods, a, r);
                  }),
        recordSet("HighMinusLow",
                  [](const Market& m, A a, R r) {
                      return make<General>()->HighMinusLow(m.database.get(), m.records.get(), a, r);
                  }),
        recordSet("MedianPrice",
                  [](const Market& m, A a, R r) {
                      return make<General>()->MedianPrice(m.database.get(), m.records.get(), a, r);
                  }),
        recordSet("TypicalPrice",
                  [](const Market& m, A a, R r) {
                      return make<General>()->TypicalPrice(m.database.get(), m.records.get(), a, r);
                  }),
        recordSet("WeightedClose",
                  [](const Market& m, A a, R r) {
                      return make<General>()->WeightedClose(m.database.get(), m.records.get(), a, r);
                  }),
        recordSet("VolumeROC",
                  [](const Market& m, A a, R r) {
                      return make<General>()->VolumeROC(m.database.get(), m.volume.get(), m.periods, a, r);
                  }),
        recordSet("PriceROC",
                  [](const Market& m, A a, R r) {
                      return make<General>()->PriceROC(m.database.get(), m.close.get(), m.periods, a, r);
                  }),
        {"CorrelationAnalysis",
         [](const Market& m) {
             double result = 0;
             const com::HRESULT status =
                 make<General>()->CorrelationAnalysis(m.close.get(), m.open.get(), &result);
             return finish(status, m, {{"value", {result}, {}}});
         }},
        recordSet("StandardDeviation",
                  [](const Market& m, A a, R r) {
                      return make<General>()->StandardDeviation(m.database.get(), m.close.get(), m.periods, 2,
                                                                1, a, r);
                  }),
        note("MaxValue", [](const Market& m,
                            _Note** r) { return make<General>()->MaxValue(m.close.get(), 1, count(m), r); }),
        note("MinValue", [](const Market& m,
                            _Note** r) { return make<General>()->MinValue(m.close.get(), 1, count(m), r); }),
        // Linear regression
        recordSet("Regression",
                  [](const Market& m, A, R r) {
                      return make<LinearRegression>()->Regression(m.database.get(), m.close.get(), m.periods,
                                                                  r);
                  }),
        recordSet("TimeSeriesForecast",
                  [](const Market& m, A a, R r) {
                      return make<LinearRegression>()->TimeSeriesForecast(m.database.get(), m.close.get(),
                                                                          m.periods, a, r);
                  }),
        // Bands
        recordSet("BollingerBands",
                  [](const Market& m, A, R r) {
                      return make<Bands>()->BollingerBands(m.database.get(), m.close.get(), m.periods, 2, 1,
                                                           r);
                  }),
        recordSet("MovingAverageEnvelope",
                  [](const Market& m, A, R r) {
                      return make<Bands>()->MovingAverageEnvelope(m.database.get(), m.close.get(), m.periods,
                                                                  1, 5, r);
                  }),
        recordSet("HighLowBands",
                  [](const Market& m, A, R r) {
                      return make<Bands>()->HighLowBands(m.database.get(), m.high.get(), m.low.get(),
                                                         m.close.get(), m.periods, r);
                  }),
        recordSet("Keltner",
                  [](const Market& m, A, R r) {
                      return make<Bands>()->Keltner(m.database.get(), m.records.get(), m.periods, 2, r);
                  }),
        recordSet("FractalChaosBands",
                  [](const Market& m, A, R r) {
                      com::SHORT periods = 0;
                      return make<Bands>()->FractalChaosBands(m.database.get(), m.records.get(), &periods, r);
                  }),
        // Line studies and patterns
        recordSet("QuadrantLines",
                  [](const Market& m, A, R r) {
                      return make<LineStudy>()->QuadrantLines(m.database.get(), m.records.get(), 1, count(m),
                                                              r);
                  }),
        recordSet("TironeLevel",
                  [](const Market& m, A, R r) {
                      return make<LineStudy>()->TironeLevel(m.database.get(), m.records.get(), 1, count(m),
                                                            r);
                  }),
        recordSet("SpeedResistanceLines",
                  [](const Market& m, A, R r) {
                      com::SHORT start = 1;
                      com::SHORT end = count(m);
                      return make<LineStudy>()->SpeedResistanceLines(m.database.get(), m.records.get(),
                                                                     &start, &end, r);
                  }),
        recordSet("Fibonacci",
                  [](const Market& m, A a, R r) {
                      return make<LineStudy>()->Fibonacci(m.close.get(), 1, count(m), a, r);
                  }),
        recordSet("TrendLinePenetration",
                  [](const Market& m, A a, R r) {
                      return make<LineStudy>()->TrendLinePenetration(m.close.get(), 1, 100, count(m), 90, a,
                                                                     r);
                  }),
        note("PercentRetracement",
             [](const Market& m, _Note** r) {
                 return make<ChartPattern>()->PercentRetracement(m.database.get(), m.close.get(), 1, count(m),
                                                                 r);
             }),
        {"CycleAnalyze",
         [](const Market& m) {
             com::SHORT length = 0;
             const com::HRESULT status = make<Cycle>()->Analyze(m.close.get(), &length);
             return finish(status, m, {{"length", {double(length)}, {}}});
         }},
        note("IdentifyPattern",
             [](const Market& m, _Note** r) {
                 return make<CandleStick>()->IdentifyPattern(m.records.get(), count(m), r);
             }),
        recordSet("NeuralIndicator",
                  [](const Market& m, A a, R r) {
                      const com::ComPtr<NeuralNetwork> network = make<NeuralNetwork>();
                      network->setRandomSource(makeSeededSource(7));
                      return network->NeuralIndicator(m.database.get(), m.close.get(), 5, 0.3, 2, 70, a, r);
                  }),
    };
}

}  // namespace

Market makeMarket(const PriceColumns& prices, com::SHORT periods) {
    Market market;
    market.open = makeField(prices.open, u"Open");
    market.high = makeField(prices.high, u"High");
    market.low = makeField(prices.low, u"Low");
    market.close = makeField(prices.close, u"Close");
    market.volume = makeField(prices.volume, u"Volume");
    market.records = com::makeComObject<RecordSet>();
    market.records->addField(makeField(std::vector<double>(prices.close.size()), u"Date").get());
    for (const com::ComPtr<_Field>& field :
         {market.open, market.high, market.low, market.close, market.volume})
        market.records->addField(field.get());
    market.database = com::makeComObject<Database>();
    EXPECT_EQ(market.database->putref_RecordsetCache(market.records.get()), com::S_OK);
    EXPECT_EQ(market.database->MoveFirst(), com::S_OK);
    market.periods = periods;
    return market;
}

PriceColumns generatedPrices(int count) {
    Draws draws;
    PriceColumns prices;
    double close = 100;
    for (int i = 0; i < count; ++i) {
        // Mostly small gaps, now and then a large one either way.
        const double gap = draws.next() < 0.05 ? (draws.next() - 0.5) * 8 : (draws.next() - 0.5) * 0.4;
        const double open = cents(std::max(1.0, close + gap));
        // A fifth of the days close where they opened; the rest drift back towards 100.
        const double move = draws.next() < 0.2 ? 0 : (draws.next() - 0.5) * 3 + (100 - open) * 0.01;
        close = cents(std::max(1.0, open + move));
        const double high = cents(std::max(open, close) + draws.next() * 1.5);
        const double low = cents(std::max(0.5, std::min(open, close) - draws.next() * 1.5));
        prices.open.push_back(open);
        prices.high.push_back(high);
        prices.low.push_back(low);
        prices.close.push_back(close);
        prices.volume.push_back(std::floor(1000 + draws.next() * 9000));
    }
    return prices;
}

PriceColumns uniformPrices(const std::vector<double>& closes) {
    return {closes, closes, closes, closes, closes};
}

std::vector<NamedSeries> edgeSeries() {
    return {
        {"oneRecord", uniformPrices({10}), 2},
        {"threeRising", uniformPrices({10, 11, 12}), 2},
        {"flatFrom3", uniformPrices({10, 11, 12, 12, 12, 12, 13}), 2},
        {"zeroFirst", uniformPrices({0, 1, 2}), 2},
        {"zeros", uniformPrices({0, 0, 0, 0, 0}), 2},
        {"ones50", uniformPrices(std::vector<double>(50, 1.0)), 5},
    };
}

const std::vector<CatalogueEntry>& methodCatalogue() {
    static const std::vector<CatalogueEntry> catalogue = buildCatalogue();
    return catalogue;
}

}  // namespace indikon::test
