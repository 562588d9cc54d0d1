// The range, volume, rainbow, linear momentum and chaos fractal oscillators and the fractal chaos bands
// over 32,767 records, through the interfaces a program calls. One line per method; reports records per
// second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <string>

#include "com/ComPtr.h"
#include "containers/Database.h"
#include "containers/Field.h"
#include "containers/RecordSet.h"
#include "indicators/Bands.h"
#include "indicators/Oscillator.h"

namespace {

using namespace indikon;

constexpr int kRecords = 32767;

// A wandering price whose ranges vary, so the fractal tests both hold and fail.
double closeAt(int i) {
    return 100 + 10 * std::sin(i / 40.0) + 3 * std::sin(i / 7.0) + std::sin(i * 1.7);
}

struct Prices {
    com::ComPtr<_Database> database;
    com::ComPtr<_RecordSet> records;
    com::ComPtr<_Field> close;
    com::ComPtr<_Field> volume;
};

com::ComPtr<_Field> makeField(const char16_t* name, const std::function<double(int)>& value) {
    com::ComPtr<_Field> field = com::makeComObject<Field>();
    field->initialize(kRecords, com::Bstr(name));
    for (int i = 1; i <= kRecords; ++i)
        field->setValue(static_cast<com::SHORT>(i), value(i));
    return field;
}

const Prices& prices() {
    static const Prices loaded = [] {
        Prices p;
        p.records = com::makeComObject<RecordSet>();
        p.close = makeField(u"Close", closeAt);
        p.volume = makeField(u"Volume", [](int i) { return 1000 + 400 * std::sin(i / 3.0); });
        p.records->addField(makeField(u"Date", [](int) { return 0.0; }).get());
        p.records->addField(makeField(u"Open", [](int i) { return closeAt(i - 1); }).get());
        p.records->addField(
            makeField(u"High", [](int i) { return closeAt(i) + 1 + std::sin(i / 5.0); }).get());
        p.records->addField(
            makeField(u"Low", [](int i) { return closeAt(i) - 1 - std::cos(i / 5.0); }).get());
        p.records->addField(p.close.get());
        p.records->addField(p.volume.get());
        p.database = com::makeComObject<Database>();
        p.database->putref_RecordsetCache(p.records.get());
        p.database->MoveFirst();
        return p;
    }();
    return loaded;
}

using OscillatorMethod = std::function<com::HRESULT(_Oscillator&, const Prices&, _RecordSet**)>;

const struct {
    const char* name;
    OscillatorMethod call;
} kOscillatorMethods[] = {
    {"WilliamsPctR",
     [](_Oscillator& x, const Prices& p, _RecordSet** r) {
         com::Bstr alias;
         return x.WilliamsPctR(p.database.get(), p.records.get(), 14, &alias, r);
     }},
    {"WilliamsAccumulationDistribution",
     [](_Oscillator& x, const Prices& p, _RecordSet** r) {
         com::Bstr alias;
         return x.WilliamsAccumulationDistribution(p.database.get(), p.records.get(), &alias, r);
     }},
    {"VolumeOscillator",
     [](_Oscillator& x, const Prices& p, _RecordSet** r) {
         com::Bstr alias;
         return x.VolumeOscillator(p.database.get(), p.volume.get(), 9, 21, 1, 2, &alias, r);
     }},
    {"ChaikinVolatility",
     [](_Oscillator& x, const Prices& p, _RecordSet** r) {
         com::Bstr alias;
         return x.ChaikinVolatility(p.database.get(), p.records.get(), 10, 10, 2, &alias, r);
     }},
    {"StochasticOscillator",
     [](_Oscillator& x, const Prices& p, _RecordSet** r) {
         return x.StochasticOscillator(p.database.get(), p.records.get(), 14, 3, 3, 1, r);
     }},
    {"RainbowOscillator",
     [](_Oscillator& x, const Prices& p, _RecordSet** r) {
         com::Bstr alias;
         return x.RainbowOscillator(p.database.get(), p.records.get(), 10, 7, &alias, r);
     }},
    {"LinearMomentumOscillator",
     [](_Oscillator& x, const Prices& p, _RecordSet** r) {
         com::Bstr alias;
         return x.LinearMomentumOscillator(p.database.get(), p.close.get(), 14, &alias, r);
     }},
    {"ChaosFractalOscillator",
     [](_Oscillator& x, const Prices& p, _RecordSet** r) {
         com::SHORT periods = 0;
         return x.ChaosFractalOscillator(p.database.get(), p.records.get(), &periods, r);
     }},
};

void setRate(benchmark::State& state) {
    state.counters["records/s"] =
        benchmark::Counter(double(kRecords), benchmark::Counter::kIsIterationInvariantRate);
}

void runOscillatorMethod(benchmark::State& state, const OscillatorMethod& method) {
    const com::ComPtr<_Oscillator> oscillator = com::makeComObject<Oscillator>();
    for (auto _ : state) {
        com::ComPtr<_RecordSet> result;
        if (method(*oscillator, prices(), result.put()) != 0)
            state.SkipWithError("the method failed");
        benchmark::DoNotOptimize(result.get());
    }
    setRate(state);
}

void BM_FractalChaosBands(benchmark::State& state) {
    const com::ComPtr<_Bands> bands = com::makeComObject<Bands>();
    for (auto _ : state) {
        com::ComPtr<_RecordSet> result;
        com::SHORT periods = 0;
        if (bands->FractalChaosBands(prices().database.get(), prices().records.get(), &periods,
                                     result.put()) != 0)
            state.SkipWithError("FractalChaosBands failed");
        benchmark::DoNotOptimize(result.get());
    }
    setRate(state);
}

const bool kRegistered = [] {
    for (const auto& method : kOscillatorMethods) {
        benchmark::RegisterBenchmark(
            (std::string("BM_") + method.name).c_str(),
            [&method](benchmark::State& state) { runOscillatorMethod(state, method.call); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("BM_FractalChaosBands", BM_FractalChaosBands)->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
