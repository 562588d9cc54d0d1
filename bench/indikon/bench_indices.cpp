// The volume and swing indices over 32,767 records, and candlestick recognition at every record, through
// the interfaces a program calls. One line per method; reports records per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <string>

#include "BenchPrices.h"
#include "indicators/CandleStick.h"
#include "indicators/Index.h"

namespace {

using namespace indikon;
using namespace indikon::bench;

// A wandering price with daily ranges, gaps between records and a varying volume.
const Prices& prices() {
    static const Prices loaded = makePrices({
        .open = [](int i) { return wanderingClose(i - 1) + 0.3 * std::sin(i); },
        .high = [](int i) { return wanderingClose(i) + 1 + std::sin(i / 5.0); },
        .low = [](int i) { return wanderingClose(i) - 1 - std::cos(i / 5.0); },
        .close = wanderingClose,
        .volume = [](int i) { return 1000 + 400 * std::sin(i / 3.0); },
    });
    return loaded;
}

using IndexMethod = std::function<com::HRESULT(_Index&, const Prices&, com::Bstr*, _RecordSet**)>;

const struct {
    const char* name;
    IndexMethod call;
} kIndexMethods[] = {
    {"MoneyFlowIndex",
     [](_Index& x, const Prices& p, com::Bstr* a, _RecordSet** r) {
         return x.MoneyFlowIndex(p.database.get(), p.records.get(), 14, a, r);
     }},
    {"TradeVolumeIndex",
     [](_Index& x, const Prices& p, com::Bstr* a, _RecordSet** r) {
         return x.TradeVolumeIndex(p.database.get(), p.close.get(), p.volume.get(), 0.25, a, r);
     }},
    {"SwingIndex", [](_Index& x, const Prices& p, com::Bstr* a,
                      _RecordSet** r) { return x.SwingIndex(p.database.get(), p.records.get(), 3, a, r); }},
    {"AccumulativeSwingIndex",
     [](_Index& x, const Prices& p, com::Bstr* a, _RecordSet** r) {
         return x.AccumulativeSwingIndex(p.database.get(), p.records.get(), 3, a, r);
     }},
    {"PriceVolumeTrend",
     [](_Index& x, const Prices& p, com::Bstr* a, _RecordSet** r) {
         return x.PriceVolumeTrend(p.database.get(), p.close.get(), p.volume.get(), a, r);
     }},
    {"PositiveVolumeIndex",
     [](_Index& x, const Prices& p, com::Bstr* a, _RecordSet** r) {
         return x.PositiveVolumeIndex(p.database.get(), p.close.get(), p.volume.get(), a, r);
     }},
    {"NegativeVolumeIndex",
     [](_Index& x, const Prices& p, com::Bstr* a, _RecordSet** r) {
         return x.NegativeVolumeIndex(p.database.get(), p.close.get(), p.volume.get(), a, r);
     }},
    {"OnBalanceVolume",
     [](_Index& x, const Prices& p, com::Bstr* a, _RecordSet** r) {
         return x.OnBalanceVolume(p.database.get(), p.close.get(), p.volume.get(), a, r);
     }},
    {"ChaikinMoneyFlow",
     [](_Index& x, const Prices& p, com::Bstr* a, _RecordSet** r) {
         return x.ChaikinMoneyFlow(p.database.get(), p.records.get(), 20, a, r);
     }},
};

void runIndexMethod(benchmark::State& state, const IndexMethod& method) {
    const com::ComPtr<_Index> index = com::makeComObject<Index>();
    timeRecordSetCall(state, [&](_RecordSet** result) {
        com::Bstr alias;
        return method(*index, prices(), &alias, result);
    });
}

// The pattern of every three consecutive candles of the record set.
void identifyEveryPattern(benchmark::State& state) {
    const com::ComPtr<_CandleStick> candles = com::makeComObject<CandleStick>();
    for (auto _ : state) {
        for (int period = 3; period <= kRecords; ++period) {
            com::ComPtr<_Note> note;
            if (candles->IdentifyPattern(prices().records.get(), static_cast<com::SHORT>(period),
                                         note.put()) != 0)
                state.SkipWithError("IdentifyPattern failed");
            benchmark::DoNotOptimize(note.get());
        }
    }
    setRecordRate(state);
}

const bool kRegistered = [] {
    registerMethods(kIndexMethods, runIndexMethod);
    benchmark::RegisterBenchmark("BM_CandleStickIdentifyPattern", identifyEveryPattern)
        ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
