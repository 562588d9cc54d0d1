// The indices built on other indicators (mass index, stochastic momentum index, commodity channel
// index), comparative relative strength, performance, the least value of a range, the line studies and
// the neural-network indicator over 32,767 records, through the interfaces a program calls. One line
// per method; reports records per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <string>

#include "com/ComPtr.h"
#include "containers/Database.h"
#include "containers/Field.h"
#include "containers/RecordSet.h"
#include "indicators/General.h"
#include "indicators/Index.h"
#include "indicators/LineStudy.h"
#include "indicators/NeuralNetwork.h"

namespace {

using namespace indikon;

constexpr int kRecords = 32767;

double closeAt(int i) {
    return 100 + 10 * std::sin(i / 40.0) + 3 * std::sin(i / 7.0);
}

struct Prices {
    com::ComPtr<_Database> database;
    com::ComPtr<_RecordSet> records;
    com::ComPtr<_Field> open;
    com::ComPtr<_Field> close;
};

com::ComPtr<_Field> makeField(const char16_t* name, const std::function<double(int)>& value) {
    com::ComPtr<_Field> field = com::makeComObject<Field>();
    field->initialize(kRecords, com::Bstr(name));
    for (int i = 1; i <= kRecords; ++i)
        field->setValue(static_cast<com::SHORT>(i), value(i));
    return field;
}

// A wandering price whose daily range varies, so no window is flat.
const Prices& prices() {
    static const Prices loaded = [] {
        Prices p;
        p.records = com::makeComObject<RecordSet>();
        p.close = makeField(u"Close", closeAt);
        p.records->addField(makeField(u"Date", [](int) { return 0.0; }).get());
        p.open = makeField(u"Open", [](int i) { return closeAt(i - 1); });
        p.records->addField(p.open.get());
        p.records->addField(
            makeField(u"High", [](int i) { return closeAt(i) + 1.5 + std::sin(i / 5.0); }).get());
        p.records->addField(
            makeField(u"Low", [](int i) { return closeAt(i) - 1.5 - std::cos(i / 3.0); }).get());
        p.records->addField(p.close.get());
        p.records->addField(makeField(u"Volume", [](int i) { return 1000 + 400 * std::sin(i / 3.0); }).get());
        p.database = com::makeComObject<Database>();
        p.database->putref_RecordsetCache(p.records.get());
        p.database->MoveFirst();
        return p;
    }();
    return loaded;
}

using Method = std::function<com::HRESULT(const Prices&, _RecordSet**)>;

template <typename Object>
com::ComPtr<Object> make() {
    return com::makeComObject<Object>();
}

const struct {
    const char* name;
    Method call;
} kMethods[] = {
    {"MassIndex",
     [](const Prices& p, _RecordSet** r) {
         com::Bstr alias;
         return make<Index>()->MassIndex(p.database.get(), p.records.get(), 25, &alias, r);
     }},
    {"StochasticMomentumIndex",
     [](const Prices& p, _RecordSet** r) {
         return make<Index>()->StochasticMomentumIndex(p.database.get(), p.records.get(), 14, 3, 3, 3, 2, 1,
                                                       r);
     }},
    {"CommodityChannelIndex",
     [](const Prices& p, _RecordSet** r) {
         com::Bstr alias(u"CCI");
         return make<Index>()->CommodityChannelIndex(p.database.get(), p.records.get(), 20, &alias, r);
     }},
    {"ComparativeRelativeStrength",
     [](const Prices& p, _RecordSet** r) {
         com::Bstr alias;
         return make<Index>()->ComparativeRelativeStrength(p.database.get(), p.close.get(), p.open.get(),
                                                           &alias, r);
     }},
    {"Performance",
     [](const Prices& p, _RecordSet** r) {
         com::Bstr alias;
         return make<Index>()->Performance(p.database.get(), p.close.get(), &alias, r);
     }},
    {"MinValue",
     [](const Prices& p, _RecordSet** r) {
         *r = nullptr;
         com::ComPtr<_Note> note;
         return make<General>()->MinValue(p.close.get(), 1, kRecords, note.put());
     }},
    {"QuadrantLines",
     [](const Prices& p, _RecordSet** r) {
         return make<LineStudy>()->QuadrantLines(p.database.get(), p.records.get(), 1, kRecords, r);
     }},
    {"TironeLevel",
     [](const Prices& p, _RecordSet** r) {
         return make<LineStudy>()->TironeLevel(p.database.get(), p.records.get(), 1, kRecords, r);
     }},
    {"SpeedResistanceLines",
     [](const Prices& p, _RecordSet** r) {
         com::SHORT start = 1;
         com::SHORT end = kRecords;
         return make<LineStudy>()->SpeedResistanceLines(p.database.get(), p.records.get(), &start, &end, r);
     }},
    {"Fibonacci",
     [](const Prices& p, _RecordSet** r) {
         com::Bstr alias;
         return make<LineStudy>()->Fibonacci(p.close.get(), 1, kRecords, &alias, r);
     }},
    {"TrendLinePenetration",
     [](const Prices& p, _RecordSet** r) {
         com::Bstr alias;
         return make<LineStudy>()->TrendLinePenetration(p.close.get(), 1, 100, kRecords, 90, &alias, r);
     }},
    // Ten passes over the first 70 % of the records.
    {"NeuralIndicator",
     [](const Prices& p, _RecordSet** r) {
         com::Bstr alias;
         return make<NeuralNetwork>()->NeuralIndicator(p.database.get(), p.close.get(), 5, 0.3, 10, 70,
                                                       &alias, r);
     }},
};

void runMethod(benchmark::State& state, const Method& method) {
    for (auto _ : state) {
        com::ComPtr<_RecordSet> result;
        if (method(prices(), result.put()) != 0)
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
