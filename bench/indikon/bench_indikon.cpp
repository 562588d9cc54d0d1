// Parabolic SAR and RSI over 32,767 records (the most a record set holds), through the same interfaces
// a program calls. Reports records per second.
#include <benchmark/benchmark.h>

#include <cmath>

#include "com/ComPtr.h"
#include "containers/Database.h"
#include "containers/Field.h"
#include "containers/RecordSet.h"
#include "indicators/Index.h"
#include "indicators/Oscillator.h"

namespace {

constexpr int kRecords = 32767;

com::ComPtr<indikon::_Field> makeField(const char16_t* name, double (*price)(int)) {
    com::ComPtr<indikon::_Field> field = com::makeComObject<indikon::Field>();
    field->initialize(kRecords, com::Bstr(name));
    for (int i = 1; i <= kRecords; ++i)
        field->setValue(static_cast<com::SHORT>(i), price(i));
    return field;
}

// A wandering price with daily ranges, so both indicators see trends and reversals.
double closeAt(int i) {
    return 100 + 10 * std::sin(i / 40.0) + 3 * std::sin(i / 7.0);
}

com::ComPtr<indikon::_Database> makeDatabase() {
    com::ComPtr<indikon::_RecordSet> records = com::makeComObject<indikon::RecordSet>();
    records->addField(makeField(u"Date", [](int) { return 0.0; }).get());
    records->addField(makeField(u"Open", closeAt).get());
    records->addField(makeField(u"High", [](int i) { return closeAt(i) + 1; }).get());
    records->addField(makeField(u"Low", [](int i) { return closeAt(i) - 1; }).get());
    records->addField(makeField(u"Close", closeAt).get());
    records->addField(makeField(u"Volume", [](int) { return 1000.0; }).get());
    com::ComPtr<indikon::_Database> database = com::makeComObject<indikon::Database>();
    database->putref_RecordsetCache(records.get());
    database->MoveFirst();
    return database;
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
    state.counters["records/s"] =
        benchmark::Counter(double(kRecords), benchmark::Counter::kIsIterationInvariantRate);
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
    state.counters["records/s"] =
        benchmark::Counter(double(kRecords), benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_ParabolicSAR)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RelativeStrengthIndex)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
