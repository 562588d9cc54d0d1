// Inserts 100,000 daily rows (100 companies over 1,000 days) into one market's daily-price table of a
// database file, inside one transaction, and reports rows per second.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "appdata/MarketDaily.h"
#include "appdata/Schema.h"
#include "db/Connection.h"
#include "db/Transaction.h"

namespace {

constexpr int kCompanies = 100;
constexpr int kDays = 1000;
constexpr std::int32_t kMarket = 12;

std::filesystem::path freshDatabase() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-bench-XXXXXX").string();
    const std::filesystem::path folder = ::mkdtemp(pattern.data());
    const std::filesystem::path file = folder / "MQMKD.mqd";
    db::Connection c = db::Connection::createNew(file);
    tarnwick::CreateMarketSchema(c);
    tarnwick::EnsureMarketDailyTable(c, kMarket);
    return file;
}

void InsertDailyRows(benchmark::State& state) {
    using namespace std::chrono;
    std::int64_t inserted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::filesystem::path file = freshDatabase();
        db::Connection connection = db::Connection::openExisting(file);
        state.ResumeTiming();

        db::Transaction transaction(connection);
        const sys_days first = sys_days{2000y / January / 1d};
        for (int d = 0; d < kDays; ++d) {
            tarnwick::DailyRow row;
            row.date = year_month_day{first + days{d}};
            for (int company = 1; company <= kCompanies; ++company) {
                row.companyId = company;
                row.totalShares = 1000.0 + d;
                row.totalAmount = 2500.5 * company;
                row.openingPrice = 10.0 + d * 0.01;
                row.maxPrice = row.openingPrice + 0.5;
                row.minPrice = row.openingPrice - 0.5;
                row.closingPrice = row.openingPrice + 0.1;
                inserted += tarnwick::InsertDailyRow(connection, kMarket, row) ? 1 : 0;
            }
        }
        transaction.commit();

        state.PauseTiming();
        connection.close();
        std::filesystem::remove_all(file.parent_path());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(inserted);
    state.counters["rows_per_second"] =
        benchmark::Counter(static_cast<double>(inserted), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(InsertDailyRows)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
