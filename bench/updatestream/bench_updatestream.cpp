// Processes an update stream of 200,000 daily rows (100 companies over 2,000 days of one market) into
// a fresh database file through the real processing and record classes, and inserts the same rows into
// the same table of another fresh database with nothing but one prepared statement in one transaction.
//
// The raw loop is the floor of what storing these rows through the database layer can cost: every
// value bound, one statement prepared once, one commit. Everything the processor adds on top of it
// (reading and checking the untrusted text, the record classes, the tally of what was stored) shows in
// the ratio of the two rates printed at the end, "ingest ratio: processor rows/s / raw rows/s": 1.0
// would mean that the stream costs nothing beyond the inserts themselves.
#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "appdata/Globals.h"
#include "appdata/Schema.h"
#include "appdata/update/UpdateStreamProcessor.h"
#include "db/Connection.h"
#include "db/Transaction.h"

namespace {

constexpr int kCompanies = 100;
constexpr int kDays = 2000;
constexpr std::int64_t kRows = std::int64_t{kCompanies} * kDays;
constexpr std::int32_t kMarket = 1;
constexpr const char* kRate = "rows_per_second";
constexpr int kRepetitions = 5;

// One row as the stream carries it. Prices are whole cents divided by 100, so that their shortest
// decimal text reads back as exactly the same double.
struct BenchRow {
    db::Date date;
    std::int32_t company = 0;
    double shares = 0;
    double amount = 0;
    double open = 0;
    double max = 0;
    double min = 0;
    double close = 0;
};

std::vector<BenchRow> benchRows() {
    using namespace std::chrono;
    std::vector<BenchRow> rows;
    rows.reserve(kRows);
    const sys_days first = sys_days{2000y / January / 1d};
    for (int d = 0; d < kDays; ++d) {
        for (int company = 1; company <= kCompanies; ++company) {
            rows.push_back({year_month_day{first + days{d}}, company, 1000.0 + d, 2500.5 * company,
                            (1000 + d) / 100.0, (1050 + d) / 100.0, (950 + d) / 100.0, (1010 + d) / 100.0});
        }
    }
    return rows;
}

std::string text(double value) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return std::string(buffer.data(), end);
}

std::string dayText(const db::Date& date) {
    return std::to_string(static_cast<int>(date.year())) + "-" +
           std::to_string(static_cast<unsigned>(date.month())) + "-" +
           std::to_string(static_cast<unsigned>(date.day()));
}

void writeStream(const std::filesystem::path& file, const std::vector<BenchRow>& rows) {
    std::ofstream out(file, std::ios::binary);
    out << "MARKET\r\n" << kMarket << "|Bench Market|||NO\r\nEND\r\nDAILY\r\nmarker\r\n";
    for (const BenchRow& row : rows) {
        out << dayText(row.date) << '|' << row.company << '|' << text(row.shares) << '|' << text(row.amount)
            << '|' << text(row.open) << '|' << text(row.max) << '|' << text(row.min) << '|' << text(row.close)
            << "|NO|" << kMarket << "\r\n";
    }
    out << "UPDATE\r\nEND\r\nTIME\r\nMARKET|" << kMarket << "|bench\r\nEND\r\nEXIT\r\n";
}

std::filesystem::path makeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-bench-XXXXXX").string();
    return ::mkdtemp(pattern.data());
}

// A fresh database with the fixed tables, at `file`.
void createDatabase(const std::filesystem::path& file) {
    std::filesystem::remove(file);
    db::Connection c = db::Connection::createNew(file);
    tarnwick::CreateMarketSchema(c);
}

std::int64_t storedRows(db::Connection& connection) {
    return connection.query("SELECT COUNT(*) FROM " + tarnwick::MarketDailyTableName(kMarket)).int64(0);
}

void reportRate(benchmark::State& state, std::int64_t rows) {
    state.SetItemsProcessed(rows);
    state.counters[kRate] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}

void ProcessDailyStream(benchmark::State& state) {
    const std::filesystem::path folder = makeFolder();
    ::setenv("TARNWICK_HOME", folder.c_str(), 1);  // the error log, should anything fail
    const std::filesystem::path stream = folder / "Socket.Log";
    writeStream(stream, benchRows());
    const std::filesystem::path database = folder / "MQMKD.mqd";
    std::int64_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        createDatabase(database);
        tarnwick::gConnection = db::Connection::openExisting(database);
        state.ResumeTiming();

        const auto outcome = tarnwick::UpdateStreamProcessor(stream, {}).ProcessData(false);
        if (outcome != tarnwick::ProcessOutcome::Updated) {
            state.SkipWithError("the stream was not processed");
            break;
        }
        rows += kRows;

        state.PauseTiming();
        const std::int64_t stored = storedRows(tarnwick::gConnection);
        tarnwick::gConnection.close();
        if (stored != kRows) {
            state.SkipWithError("not every row was stored");
            break;
        }
        state.ResumeTiming();
    }
    reportRate(state, rows);
    std::filesystem::remove_all(folder);
}

void RawPreparedInsert(benchmark::State& state) {
    const std::filesystem::path folder = makeFolder();
    const std::vector<BenchRow> source = benchRows();
    const std::filesystem::path database = folder / "MQMKD.mqd";
    const std::string sql =
        tarnwick::InsertSql(tarnwick::MarketDailyTable(), tarnwick::MarketDailyTableName(kMarket));
    std::int64_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        createDatabase(database);
        db::Connection connection = db::Connection::openExisting(database);
        tarnwick::EnsureMarketDailyTable(connection, kMarket);
        state.ResumeTiming();

        {
            db::Transaction transaction(connection);
            db::Statement insert = connection.prepare(sql);
            for (const BenchRow& row : source) {
                const std::array<db::Value, 9> values = {row.date,   row.company, row.shares,
                                                         row.amount, row.open,    row.max,
                                                         row.min,    row.close,   false};
                insert.execute(values);
            }
            transaction.commit();
        }
        rows += kRows;

        state.PauseTiming();
        if (storedRows(connection) != kRows) {
            state.SkipWithError("not every row was stored");
            break;
        }
        state.ResumeTiming();
    }
    reportRate(state, rows);
    std::filesystem::remove_all(folder);
}

// The console output, plus the rate of every benchmark that ran, for the ratio: the median of the
// repetitions when there are several, the figure that other work on a busy machine disturbs least.
class RateReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto counter = run.counters.find(kRate);
            const bool rate = run.aggregate_name.empty() || run.aggregate_name == "median";
            if (rate && !run.error_occurred && counter != run.counters.end()) {
                rates_[run.run_name.function_name] = counter->second.value;
            }
        }
    }
    const std::map<std::string, double>& rates() const { return rates_; }

private:
    std::map<std::string, double> rates_;
};

}  // namespace

BENCHMARK(ProcessDailyStream)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly();
BENCHMARK(RawPreparedInsert)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly();

int main(int argc, char** argv) {
    // The repetitions of the two benchmarks run in turn, so that a change in the machine's load
    // weighs on both alike; an argument given on the command line still decides.
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 1;
    }
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto& rates = reporter.rates();
    const auto processor = rates.find("ProcessDailyStream");
    const auto raw = rates.find("RawPreparedInsert");
    if (processor != rates.end() && raw != rates.end() && raw->second > 0) {
        std::printf("processor rows/s: %.0f, raw rows/s: %.0f\ningest ratio: %.2f\n", processor->second,
                    raw->second, processor->second / raw->second);
    }
    return 0;
}
