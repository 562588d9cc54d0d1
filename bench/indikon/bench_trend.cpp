// The price oscillators, MACD, true range, directional movement, Aroon and the bands over 32,767
// records, through the interfaces a program calls. One line per method; reports records per second.
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

// A wandering price with ranges that vary, gaps between records and a varying volume.
double closeAt(int i) {
    return 100 + 10 * std::sin(i / 40.0) + 3 * std::sin(i / 7.0);
}

struct Prices {
    com::ComPtr<_Database> database;
    com::ComPtr<_RecordSet> records;
    com::ComPtr<_Field> high, low, close;
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
        p.high = makeField(u"High", [](int i) { return closeAt(i) + 1 + std::sin(i / 5.0); });
        p.low = makeField(u"Low", [](int i) { return closeAt(i) - 1 - std::cos(i / 5.0); });
        p.close = makeField(u"Close", closeAt);
        p.records->addField(makeField(u"Date", [](int) { return 0.0; }).get());
        p.records->addField(makeField(u"Open", [](int i) { return closeAt(i - 1); }).get());
        p.records->addField(p.high.get());
        p.records->addField(p.low.get());
        p.records->addField(p.close.get());
        p.records->addField(makeField(u"Volume", [](int i) { return 1000 + 400 * std::sin(i / 3.0); }).get());
        p.database = com::makeComObject<Database>();
        p.database->putref_RecordsetCache(p.records.get());
        p.database->MoveFirst();
        return p;
    }();
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
    for (auto _ : state) {
        com::ComPtr<_RecordSet> result;
        com::Bstr alias;
        if (method(prices(), &alias, result.put()) != 0)
            state.SkipWithError("the method failed");
        benchmark::DoNotOptimize(result.get());
    }
    state.counters["records/s"] =
        benchmark::Counter(double(kRecords), benchmark::Counter::kIsIterationInvariantRate);
}

const bool kRegistered = [] {
    for (const auto& method : kMethods) {
        benchmark::RegisterBenchmark((std::string("BM_") + method.name).c_str(),
                                     [&method](benchmark::State& state) { runMethod(state, method.call); })
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
