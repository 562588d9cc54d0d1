// Processes an update stream of 200,000 daily rows (100 companies over 2,000 days of one market) into
// a fresh database file through the real processing and record classes, and reports rows per second.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "appdata/Globals.h"
#include "appdata/Schema.h"
#include "appdata/update/UpdateStreamProcessor.h"
#include "db/Connection.h"

namespace {

constexpr int kCompanies = 100;
constexpr int kDays = 2000;
constexpr std::int64_t kRows = std::int64_t{kCompanies} * kDays;

std::filesystem::path makeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-bench-XXXXXX").string();
    return ::mkdtemp(pattern.data());
}

void writeStream(const std::filesystem::path& file) {
    using namespace std::chrono;
    std::ofstream out(file, std::ios::binary);
    out << "MARKET\r\n1|Bench Market|||NO\r\nEND\r\nDAILY\r\nmarker\r\n";
    const sys_days first = sys_days{2000y / January / 1d};
    for (int d = 0; d < kDays; ++d) {
        const year_month_day date{first + days{d}};
        const std::string day = std::to_string(static_cast<int>(date.year())) + "-" +
                                std::to_string(static_cast<unsigned>(date.month())) + "-" +
                                std::to_string(static_cast<unsigned>(date.day()));
        for (int company = 1; company <= kCompanies; ++company) {
            const double open = 10.0 + d * 0.01;
            out << day << '|' << company << '|' << 1000 + d << '|' << 2500.5 * company << '|' << open << '|'
                << open + 0.5 << '|' << open - 0.5 << '|' << open + 0.1 << "|NO|1\r\n";
        }
    }
    out << "UPDATE\r\nEND\r\nTIME\r\nMARKET|1|bench\r\nEND\r\nEXIT\r\n";
}

void ProcessDailyStream(benchmark::State& state) {
    const std::filesystem::path folder = makeFolder();
    ::setenv("TARNWICK_HOME", folder.c_str(), 1);  // the error log, should anything fail
    const std::filesystem::path stream = folder / "Socket.Log";
    writeStream(stream);
    std::int64_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::filesystem::path database = folder / "MQMKD.mqd";
        std::filesystem::remove(database);
        {
            db::Connection c = db::Connection::createNew(database);
            tarnwick::CreateMarketSchema(c);
        }
        tarnwick::gConnection = db::Connection::openExisting(database);
        state.ResumeTiming();

        const auto outcome = tarnwick::UpdateStreamProcessor(stream, {}).ProcessData(false);
        if (outcome != tarnwick::ProcessOutcome::Updated) {
            state.SkipWithError("the stream was not processed");
            break;
        }
        rows += kRows;

        state.PauseTiming();
        const std::int64_t stored = tarnwick::gConnection.query("SELECT COUNT(*) FROM MARKETDAILY1").int64(0);
        tarnwick::gConnection.close();
        if (stored != kRows) {
            state.SkipWithError("not every row was stored");
            break;
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(rows);
    state.counters["rows_per_second"] =
        benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
    std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(ProcessDailyStream)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

BENCHMARK_MAIN();
