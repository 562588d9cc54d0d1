// What the Indikon benchmarks share: a full record set of generated prices, the timing loop of one
// method call and its records-per-second counter, and the registration of a table of methods.
#pragma once

#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <string>

#include "com/ComPtr.h"
#include "containers/Database.h"
#include "containers/Field.h"
#include "containers/RecordSet.h"

namespace indikon::bench {

// The most records a record set holds.
inline constexpr int kRecords = 32767;

// A wandering price: a slow and a faster swing, so indicators see trends and reversals.
inline double wanderingClose(int i) {
    return 100 + 10 * std::sin(i / 40.0) + 3 * std::sin(i / 7.0);
}

// The value of each price field at record i (1-based).
struct PriceShape {
    std::function<double(int)> open, high, low, close, volume;
};

struct Prices {
    com::ComPtr<_Database> database;
    com::ComPtr<_RecordSet> records;
    com::ComPtr<_Field> open, high, low, close, volume;
};

inline com::ComPtr<_Field> makeField(const char16_t* name, const std::function<double(int)>& value) {
    com::ComPtr<_Field> field = com::makeComObject<Field>();
    field->initialize(kRecords, com::Bstr(name));
    for (int i = 1; i <= kRecords; ++i)
        field->setValue(static_cast<com::SHORT>(i), value(i));
    return field;
}

// A database of kRecords records: Date (0), Open, High, Low, Close, Volume; the cursor at record 1.
inline Prices makePrices(const PriceShape& shape) {
    Prices p;
    p.open = makeField(u"Open", shape.open);
    p.high = makeField(u"High", shape.high);
    p.low = makeField(u"Low", shape.low);
    p.close = makeField(u"Close", shape.close);
    p.volume = makeField(u"Volume", shape.volume);
    p.records = com::makeComObject<RecordSet>();
    p.records->addField(makeField(u"Date", [](int) { return 0.0; }).get());
    for (const com::ComPtr<_Field>& field : {p.open, p.high, p.low, p.close, p.volume})
        p.records->addField(field.get());
    p.database = com::makeComObject<Database>();
    p.database->putref_RecordsetCache(p.records.get());
    p.database->MoveFirst();
    return p;
}

inline void setRecordRate(benchmark::State& state) {
    state.counters["records/s"] =
        benchmark::Counter(double(kRecords), benchmark::Counter::kIsIterationInvariantRate);
}

// Times `call(result)` (an HRESULT) over every record; a failing call ends the benchmark with an error.
template <typename Call>
void timeRecordSetCall(benchmark::State& state, Call&& call) {
    for (auto _ : state) {
        com::ComPtr<_RecordSet> result;
        if (call(result.put()) != 0)
            state.SkipWithError("the method failed");
        benchmark::DoNotOptimize(result.get());
    }
    setRecordRate(state);
}

// Registers "BM_<name>" for every row of a table of { name, call }, run by `run(state, call)`.
template <typename Table, typename Run>
void registerMethods(const Table& table, Run run) {
    for (const auto& method : table) {
        benchmark::RegisterBenchmark((std::string("BM_") + method.name).c_str(),
                                     [&method, run](benchmark::State& state) { run(state, method.call); })
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace indikon::bench
