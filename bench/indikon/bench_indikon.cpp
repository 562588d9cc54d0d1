// Indicators over 32,767 records (the most a record set holds), through the same interfaces a program
// calls. Reports records per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>

#include "BenchPrices.h"
#include "indicators/ChartPattern.h"
#include "indicators/Cycle.h"
#include "indicators/General.h"
#include "indicators/Index.h"
#include "indicators/LinearRegression.h"
#include "indicators/MovingAverage.h"
#include "indicators/Oscillator.h"

namespace {

using indikon::bench::kRecords;
using indikon::bench::makeField;
using indikon::bench::wanderingClose;

// A wandering price with daily ranges, so both indicators see trends and reversals.
com::ComPtr<indikon::_Database> makeDatabase() {
    return indikon::bench::makePrices({
                                          .open = wanderingClose,
                                          .high = [](int i) { return wanderingClose(i) + 1; },
                                          .low = [](int i) { return wanderingClose(i) - 1; },
                                          .close = wanderingClose,
                                          .volume = [](int) { return 1000.0; },
                                      })
        .database;
}

com::ComPtr<indikon::_Field> fieldOf(indikon::_Database* database, const char16_t* name) {
    com::ComPtr<indikon::_RecordSet> records;
    database->getRecordset(records.put());
    com::ComPtr<indikon::_Field> field;
    records->getField(com::Bstr(name), field.put());
    return field;
}

void BM_ParabolicSAR(benchmark::State& state) {
    const com::ComPtr<indikon::_Database> database = makeDatabase();
    const com::ComPtr<indikon::_Field> high = fieldOf(database.get(), u"High");
    const com::ComPtr<indikon::_Field> low = fieldOf(database.get(), u"Low");
    const com::ComPtr<indikon::_Oscillator> oscillator = com::makeComObject<indikon::Oscillator>();
    for (auto _ : state) {
        com::ComPtr<indikon::_RecordSet> result;
        com::Bstr alias;
        if (oscillator->ParabolicSAR(database.get(), high.get(), low.get(), 0.02, 0.2, &alias,
                                     result.put()) != 0)
            state.SkipWithError("ParabolicSAR failed");
        benchmark::DoNotOptimize(result.get());
    }
    indikon::bench::setRecordRate(state);
}

void BM_RelativeStrengthIndex(benchmark::State& state) {
    const com::ComPtr<indikon::_Database> database = makeDatabase();
    const com::ComPtr<indikon::_Field> close = fieldOf(database.get(), u"Close");
    const com::ComPtr<indikon::_Index> index = com::makeComObject<indikon::Index>();
    for (auto _ : state) {
        com::ComPtr<indikon::_RecordSet> result;
        com::Bstr alias;
        if (index->RelativeStrengthIndex(database.get(), close.get(), 14, &alias, result.put()) != 0)
            state.SkipWithError("RelativeStrengthIndex failed");
        benchmark::DoNotOptimize(result.get());
    }
    indikon::bench::setRecordRate(state);
}

// The inputs every method of the table below reads.
struct Inputs {
    com::ComPtr<indikon::_Database> database = makeDatabase();
    com::ComPtr<indikon::_RecordSet> prices;
    com::ComPtr<indikon::_Field> close = fieldOf(database.get(), u"Close");
    com::ComPtr<indikon::_Field> high = fieldOf(database.get(), u"High");
    com::ComPtr<indikon::_Field> low = fieldOf(database.get(), u"Low");
    com::ComPtr<indikon::_Field> volume = fieldOf(database.get(), u"Volume");
    // A steadily falling series: no value ever comes back between two neighbours, so the cycle search
    // runs to the end from every record (its worst case). A wandering series of this length overflows
    // the cycle analysis' 16-bit total instead.
    com::ComPtr<indikon::_Field> falling = makeField(u"Falling", [](int i) { return 100000.0 - i; });

    Inputs() { database->getRecordset(prices.put()); }
};

using Call = std::function<com::HRESULT(const Inputs&)>;

template <typename Class>
com::ComPtr<Class> make() {
    return com::makeComObject<Class>();
}

// Runs a method producing a record set; the alias is fresh on every call.
template <typename Object, typename Method, typename... Args>
Call recordSetCall(Method method, Args... args) {
    return [=](const Inputs& in) {
        com::ComPtr<indikon::_RecordSet> result;
        com::Bstr alias;
        const auto object = make<Object>();
        return std::invoke(method, object.get(), in.database.get(), args(in)..., &alias, result.put());
    };
}

auto close = [](const Inputs& in) { return in.close.get(); };
auto prices = [](const Inputs& in) { return in.prices.get(); };
auto constant(com::SHORT value) {
    return [value](const Inputs&) { return value; };
}

const struct {
    const char* name;
    Call call;
} kMethods[] = {
    {"SimpleMovingAverage", recordSetCall<indikon::MovingAverage>(
                                &indikon::MovingAverage::SimpleMovingAverage, close, constant(14))},
    {"ExponentialMovingAverage", recordSetCall<indikon::MovingAverage>(
                                     &indikon::MovingAverage::ExponentialMovingAverage, close, constant(14))},
    {"TimeSeriesMovingAverage", recordSetCall<indikon::MovingAverage>(
                                    &indikon::MovingAverage::TimeSeriesMovingAverage, close, constant(14))},
    {"VariableMovingAverage", recordSetCall<indikon::MovingAverage>(
                                  &indikon::MovingAverage::VariableMovingAverage, close, constant(14))},
    {"TriangularMovingAverage", recordSetCall<indikon::MovingAverage>(
                                    &indikon::MovingAverage::TriangularMovingAverage, close, constant(14))},
    {"WeightedMovingAverage", recordSetCall<indikon::MovingAverage>(
                                  &indikon::MovingAverage::WeightedMovingAverage, close, constant(14))},
    {"VIDYA",
     [](const Inputs& in) {
         com::ComPtr<indikon::_RecordSet> result;
         com::Bstr alias;
         return make<indikon::MovingAverage>()->VIDYA(in.database.get(), in.close.get(), 14, 0.65, &alias,
                                                      result.put());
     }},
    {"WellesWilderSmoothing",
     [](const Inputs& in) {
         com::ComPtr<indikon::_RecordSet> result;
         com::Bstr alias;
         return make<indikon::MovingAverage>()->WellesWilderSmoothing(in.close.get(), 14, &alias,
                                                                      result.put());
     }},
    {"CMO", recordSetCall<indikon::Oscillator>(&indikon::Oscillator::CMO, close, constant(14))},
    {"Momentum", recordSetCall<indikon::Oscillator>(&indikon::Oscillator::Momentum, close, constant(14))},
    {"TRIX", recordSetCall<indikon::Oscillator>(&indikon::Oscillator::TRIX, close, constant(14))},
    {"UltimateOscillator",
     recordSetCall<indikon::Oscillator>(&indikon::Oscillator::UltimateOscillator, prices, constant(7),
                                        constant(14), constant(28))},
    {"VerticalHorizontalFilter",
     recordSetCall<indikon::Oscillator>(&indikon::Oscillator::VerticalHorizontalFilter, close, constant(14))},
    {"HHV", recordSetCall<indikon::General>(&indikon::General::HHV, close, constant(14))},
    {"LLV", recordSetCall<indikon::General>(&indikon::General::LLV, close, constant(14))},
    {"HighMinusLow", recordSetCall<indikon::General>(&indikon::General::HighMinusLow, prices)},
    {"MedianPrice", recordSetCall<indikon::General>(&indikon::General::MedianPrice, prices)},
    {"TypicalPrice", recordSetCall<indikon::General>(&indikon::General::TypicalPrice, prices)},
    {"WeightedClose", recordSetCall<indikon::General>(&indikon::General::WeightedClose, prices)},
    {"VolumeROC",
     recordSetCall<indikon::General>(
         &indikon::General::VolumeROC, [](const Inputs& in) { return in.volume.get(); }, constant(14))},
    {"PriceROC", recordSetCall<indikon::General>(&indikon::General::PriceROC, close, constant(14))},
    {"StandardDeviation", recordSetCall<indikon::General>(&indikon::General::StandardDeviation, close,
                                                          constant(14), constant(2), constant(1))},
    {"CorrelationAnalysis",
     [](const Inputs& in) {
         double result = 0;
         return make<indikon::General>()->CorrelationAnalysis(in.close.get(), in.high.get(), &result);
     }},
    {"MaxValue",
     [](const Inputs& in) {
         com::ComPtr<indikon::_Note> note;
         return make<indikon::General>()->MaxValue(in.close.get(), 1, kRecords, note.put());
     }},
    {"PercentRetracement",
     [](const Inputs& in) {
         com::ComPtr<indikon::_Note> note;
         return make<indikon::ChartPattern>()->PercentRetracement(in.database.get(), in.close.get(), 1,
                                                                  kRecords, note.put());
     }},
    {"Regression",
     [](const Inputs& in) {
         com::ComPtr<indikon::_RecordSet> result;
         return make<indikon::LinearRegression>()->Regression(in.database.get(), in.close.get(), 14,
                                                              result.put());
     }},
    {"TimeSeriesForecast", recordSetCall<indikon::LinearRegression>(
                               &indikon::LinearRegression::TimeSeriesForecast, close, constant(14))},
    {"CycleAnalyze",
     [](const Inputs& in) {
         com::SHORT length = 0;
         return make<indikon::Cycle>()->Analyze(in.falling.get(), &length);
     }},
};

void BM_Method(benchmark::State& state, const Call& call) {
    const Inputs inputs;
    for (auto _ : state) {
        if (call(inputs) != 0)
            state.SkipWithError("the method failed");
    }
    indikon::bench::setRecordRate(state);
}

const bool kRegistered = [] {
    for (const auto& method : kMethods)
        benchmark::RegisterBenchmark(method.name, BM_Method, method.call)->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace

BENCHMARK(BM_ParabolicSAR)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RelativeStrengthIndex)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
