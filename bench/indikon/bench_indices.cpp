// The volume and swing indices over 32,767 records, and candlestick recognition at every record, through
// the interfaces a program calls. One line per method; reports records per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <string>

#include "com/ComPtr.h"
#include "containers/Database.h"
#include "containers/Field.h"
#include "containers/RecordSet.h"
#include "indicators/CandleStick.h"
#include "indicators/Index.h"

namespace {

using namespace indikon;

constexpr int kRecords = 32767;

// A wandering price with daily ranges, gaps between records and a varying volume.
double closeAt(int i) {
    return 100 + 10 * std::sin(i / 40.0) + 3 * std::sin(i / 7.0);
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
        p.records->addField(
            makeField(u"Open", [](int i) { return closeAt(i - 1) + 0.3 * std::sin(i); }).get());
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

void setRate(benchmark::State& state) {
    state.counters["records/s"] =
        benchmark::Counter(double(kRecords), benchmark::Counter::kIsIterationInvariantRate);
}

void runIndexMethod(benchmark::State& state, const IndexMethod& method) {
    const com::ComPtr<_Index> index = com::makeComObject<Index>();
    for (auto _ : state) {
        com::ComPtr<_RecordSet> result;
        com::Bstr alias;
        if (method(*index, prices(), &alias, result.put()) != 0)
            state.SkipWithError("the method failed");
        benchmark::DoNotOptimize(result.get());
    }
    setRate(state);
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
    setRate(state);
}

const bool kRegistered = [] {
    for (const auto& method : kIndexMethods) {
        benchmark::RegisterBenchmark(
            (std::string("BM_") + method.name).c_str(),
            [&method](benchmark::State& state) { runIndexMethod(state, method.call); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("BM_CandleStickIdentifyPattern", identifyEveryPattern)
        ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
