// The indices built on other indicators (mass index, stochastic momentum index, commodity channel
// index), comparative relative strength, performance, the least value of a range, the line studies and
// the neural-network indicator over 32,767 records, through the interfaces a program calls. One line
// per method; reports records per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <string>

#include "BenchPrices.h"
#include "indicators/General.h"
#include "indicators/Index.h"
#include "indicators/LineStudy.h"
#include "indicators/NeuralNetwork.h"

namespace {

using namespace indikon;
using namespace indikon::bench;

// A wandering price whose daily range varies, so no window is flat.
const Prices& prices() {
    static const Prices loaded = makePrices({
        .open = [](int i) { return wanderingClose(i - 1); },
        .high = [](int i) { return wanderingClose(i) + 1.5 + std::sin(i / 5.0); },
        .low = [](int i) { return wanderingClose(i) - 1.5 - std::cos(i / 3.0); },
        .close = wanderingClose,
        .volume = [](int i) { return 1000 + 400 * std::sin(i / 3.0); },
    });
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
    timeRecordSetCall(state, [&](_RecordSet** result) { return method(prices(), result); });
}

const bool kRegistered = [] {
    registerMethods(kMethods, runMethod);
    return true;
}();

}  // namespace
