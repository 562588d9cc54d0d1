// The price oscillators, MACD, true range, directional movement, Aroon and the bands over 32,767
// records, through the interfaces a program calls. One line per method; reports records per second.
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

// A wandering price with ranges that vary, gaps between records and a varying volume.
const Prices& prices() {
    static const Prices loaded = makePrices({
        .open = [](int i) { return wanderingClose(i - 1); },
        .high = [](int i) { return wanderingClose(i) + 1 + std::sin(i / 5.0); },
        .low = [](int i) { return wanderingClose(i) - 1 - std::cos(i / 5.0); },
        .close = wanderingClose,
        .volume = [](int i) { return 1000 + 400 * std::sin(i / 3.0); },
    });
    return loaded;
}

using Method = std::function<com::HRESULT(const Prices&, com::Bstr*, _RecordSet**)>;

const com::ComPtr<_Oscillator>& oscillator() {
    static const com::ComPtr<_Oscillator> object = com::makeComObject<Oscillator>();
    return object;
}

const com::ComPtr<_Bands>& bands() {
    static const com::ComPtr<_Bands> object = com::makeComObject<Bands>();
    return object;
}

const struct {
    const char* name;
    Method call;
} kMethods[] = {
    {"PriceOscillator",
     [](const Prices& p, com::Bstr* a, _RecordSet** r) {
         return oscillator()->PriceOscillator(p.database.get(), p.close.get(), 26, 12, 1, a, r);
     }},
    {"MACD", [](const Prices& p, com::Bstr* a,
                _RecordSet** r) { return oscillator()->MACD(p.database.get(), p.records.get(), 9, a, r); }},
    {"EaseOfMovement",
     [](const Prices& p, com::Bstr* a, _RecordSet** r) {
         return oscillator()->EaseOfMovement(p.database.get(), p.records.get(), 14, 1, a, r);
     }},
    {"DetrendedPriceOscillator",
     [](const Prices& p, com::Bstr* a, _RecordSet** r) {
         return oscillator()->DetrendedPriceOscillator(p.database.get(), p.close.get(), 20, 1, a, r);
     }},
    {"TrueRange",
     [](const Prices& p, com::Bstr* a, _RecordSet** r) {
         return oscillator()->TrueRange(p.database.get(), p.records.get(), a, r);
     }},
    {"AverageTrueRange",
     [](const Prices& p, com::Bstr* a, _RecordSet** r) {
         return oscillator()->AverageTrueRange(p.database.get(), p.records.get(), 14, a, r);
     }},
    {"DirectionalMovementSystem",
     [](const Prices& p, com::Bstr*, _RecordSet** r) {
         return oscillator()->DirectionalMovementSystem(p.database.get(), p.records.get(), 14, r);
     }},
    {"Aroon", [](const Prices& p, com::Bstr*,
                 _RecordSet** r) { return oscillator()->Aroon(p.database.get(), p.records.get(), 25, r); }},
    {"BollingerBands",
     [](const Prices& p, com::Bstr*, _RecordSet** r) {
         return bands()->BollingerBands(p.database.get(), p.close.get(), 20, 2, 1, r);
     }},
    {"MovingAverageEnvelope",
     [](const Prices& p, com::Bstr*, _RecordSet** r) {
         return bands()->MovingAverageEnvelope(p.database.get(), p.close.get(), 20, 1, 0.05, r);
     }},
    {"HighLowBands",
     [](const Prices& p, com::Bstr*, _RecordSet** r) {
         return bands()->HighLowBands(p.database.get(), p.high.get(), p.low.get(), p.close.get(), 14, r);
     }},
    {"Keltner", [](const Prices& p, com::Bstr*,
                   _RecordSet** r) { return bands()->Keltner(p.database.get(), p.records.get(), 20, 2, r); }},
};

void runMethod(benchmark::State& state, const Method& method) {
    timeRecordSetCall(state, [&](_RecordSet** result) {
        com::Bstr alias;
        return method(prices(), &alias, result);
    });
}

const bool kRegistered = [] {
    registerMethods(kMethods, runMethod);
    return true;
}();

}  // namespace
