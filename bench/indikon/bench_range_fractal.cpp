// The range, volume, rainbow, linear momentum and chaos fractal oscillators and the fractal chaos bands
// over 32,767 records, through the interfaces a program calls. One line per method; reports records per
// second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <string>

#include "BenchPrices.h"
#include "indicators/Bands.h"
#include "indicators/Oscillator.h"

namespace {

using namespace indikon;
using namespace indikon::bench;

// A wandering price whose ranges vary, so the fractal tests both hold and fail.
double closeAt(int i) {
    return wanderingClose(i) + std::sin(i * 1.7);
}

const Prices& prices() {
    static const Prices loaded = makePrices({
        .open = [](int i) { return closeAt(i - 1); },
        .high = [](int i) { return closeAt(i) + 1 + std::sin(i / 5.0); },
        .low = [](int i) { return closeAt(i) - 1 - std::cos(i / 5.0); },
        .close = closeAt,
        .volume = [](int i) { return 1000 + 400 * std::sin(i / 3.0); },
    });
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

void runOscillatorMethod(benchmark::State& state, const OscillatorMethod& method) {
    const com::ComPtr<_Oscillator> oscillator = com::makeComObject<Oscillator>();
    timeRecordSetCall(state, [&](_RecordSet** result) { return method(*oscillator, prices(), result); });
}

void BM_FractalChaosBands(benchmark::State& state) {
    const com::ComPtr<_Bands> bands = com::makeComObject<Bands>();
    timeRecordSetCall(state, [&](_RecordSet** result) {
        com::SHORT periods = 0;
        return bands->FractalChaosBands(prices().database.get(), prices().records.get(), &periods, result);
    });
}

const bool kRegistered = [] {
    registerMethods(kOscillatorMethods, runOscillatorMethod);
    benchmark::RegisterBenchmark("BM_FractalChaosBands", BM_FractalChaosBands)->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
