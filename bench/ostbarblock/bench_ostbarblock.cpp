// Loads a saved command-bar block whose one command lists itself eight times in its drop-down, and
// builds the popup and the toolbar menus of a bar whose drop-downs fan out eight ways over eight
// levels (8^8 entries if built in full). Reports the time of each and the entries built.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <QApplication>
#include <QMenu>
#include <cstdlib>

#include "ostbar/OstCommandBar.h"
#include "ostbar/OstStateBlock.h"
#include "ostbar/OstToolbarWidget.h"
#include "storage/GlobalMemory.h"
#include "ui/ScriptedModalServices.h"

namespace {

using namespace ostbar;

com::ComPtr<com::IStream> selfListingBlock() {
    OstCommandTable table;
    table.add(5)->subCommands.assign(8, 5);
    *table.container(kToolbarContainer) = {5};
    com::ComPtr<com::IStream> stream;
    com::createStreamOnHGlobal(nullptr, stream.put());
    OstStateBlock::save(table, stream.get());
    return stream;
}

void fanOut(OstCommandTable& table) {
    for (SHORT id = 1; id <= 8; ++id)
        table.add(id)->subCommands.assign(8, static_cast<SHORT>(id + 1));
    table.add(9);
    *table.container(kToolbarContainer) = {1, 2, 3, 4, 5, 6, 7, 8};
}

double peakResidentMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void LoadSelfListingBlock(benchmark::State& state) {
    com::ComPtr<com::IStream> stream = selfListingBlock();
    for (auto _ : state) {
        stream->Seek(0, com::STREAM_SEEK_SET, nullptr);
        OstCommandTable table;
        benchmark::DoNotOptimize(OstStateBlock::load(table, stream.get()));
    }
    state.counters["peak_MB"] = peakResidentMegabytes();
}
BENCHMARK(LoadSelfListingBlock)->Unit(benchmark::kMicrosecond);

void PopupOfFanOut(benchmark::State& state) {
    ui::ScriptedModalServices modal;  // dismisses every popup
    auto bar = OstCommandBar::create();
    fanOut(*bar->table());
    for (auto _ : state) {
        SHORT chosen = 0;
        benchmark::DoNotOptimize(bar->TrackPopup(1, 0, 0, nullptr, &chosen));
    }
    state.counters["peak_MB"] = peakResidentMegabytes();
}
BENCHMARK(PopupOfFanOut)->Unit(benchmark::kMillisecond);

void ToolbarOfFanOut(benchmark::State& state) {
    auto bar = OstCommandBar::create();
    fanOut(*bar->table());
    for (auto _ : state) {
        OstToolbarWidget widget(bar);
        benchmark::DoNotOptimize(widget.findChildren<QMenu*>().size());
    }
    state.counters["peak_MB"] = peakResidentMegabytes();
}
BENCHMARK(ToolbarOfFanOut)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
