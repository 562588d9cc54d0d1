// Each built-in study with its default parameters over 20,000 points of a random walk, one point in
// fifty empty, with and without the lead-in shown. The window studies (deviation, Stochastics, CCI,
// mass index, VHF, weighted average) walk back their period at each point; the rest are linear.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "studies/StudyDescriptor.h"

namespace {

constexpr std::size_t kPoints = 20000;

struct Prices {
    std::vector<double> open, high, low, close, volume;
};

const Prices& RandomWalk() {
    static const Prices prices = [] {
        Prices p;
        std::mt19937 random(7);
        std::normal_distribution<double> step(0.0, 1.0);
        double close = 100.0;
        for (std::size_t i = 0; i < kPoints; ++i) {
            const double open = close;
            close = std::max(1.0, open + step(random));
            const bool empty = i % 50 == 49;
            const double none = dravik::kEmptyValue;
            p.open.push_back(empty ? none : open);
            p.close.push_back(empty ? none : close);
            p.high.push_back(empty ? none : std::max(open, close) + std::abs(step(random)));
            p.low.push_back(empty ? none : std::min(open, close) - std::abs(step(random)));
            p.volume.push_back(empty ? none : 1000.0 + 100.0 * std::abs(step(random)));
        }
        return p;
    }();
    return prices;
}

void BM_Study(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const bool full = state.range(1) != 0;
    const Prices& prices = RandomWalk();
    const dravik::StudyInputs inputs{prices.close, prices.close, prices.low, prices.high, prices.volume};
    std::vector<double> rows(3 * kPoints);
    const dravik::StudyOutputs outputs{{std::span<double>(rows).subspan(0, kPoints),
                                        std::span<double>(rows).subspan(kPoints, kPoints),
                                        std::span<double>(rows).subspan(2 * kPoints, kPoints)}};
    const dravik::StudyDescriptor& study = *dravik::FindStudyDescriptor(kind);
    for (auto _ : state) {
        dravik::StudyRange range;
        dravik::ComputeBuiltInStudy(kind, inputs, study.defaults, outputs, full, range);
        benchmark::DoNotOptimize(range);
    }
    state.SetLabel(study.enumerator);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
}

void AllStudies(benchmark::internal::Benchmark* bench) {
    for (int kind = 0; kind < dravik::kBuiltInStudyKinds; ++kind)
        if (kind != dravik::kVolumeStudy)
            for (int full : {0, 1})
                bench->Args({kind, full});
}

BENCHMARK(BM_Study)->Apply(AllStudies);

}  // namespace

BENCHMARK_MAIN();
