// A ten-year daily chart (2,500 trading days, two splits, the sector and the general index beside the
// company, 40 further companies in the market's table) filled from a database file into a chart in
// memory, compared in the same run with a bare prepared SELECT of the company's rows. The steps of the
// fill are measured apart too, to show where its time goes.
//
// --days=N charts a series of N trading days instead (at least 1); the splits stay at the same share
// of the series.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "appchart/fill/ChartReading.h"
#include "appchart/fill/FillPeriod.h"
#include "appchart/fill/TempDataTable.h"
#include "appchart/fill/clsKorvelFill.h"
#include "appdata/Globals.h"
#include "appdata/MarketDaily.h"
#include "appdata/MarketQueries.h"
#include "appdata/Schema.h"
#include "com/InprocServer.h"
#include "db/Connection.h"
#include "db/Transaction.h"

namespace {

using namespace std::chrono;
using namespace tarnwick;
using namespace tarnwick::chart;

constexpr std::int32_t kMarket = 1;
constexpr std::int32_t kCompany = 10;
constexpr int kDefaultDays = 2500;
constexpr int kOtherCompanies = 40;
// Where the two splits fall, as shares of the series.
constexpr double kSplitShares[] = {0.32, 0.68};

int g_days = kDefaultDays;

// A chart that keeps the points and the calls' effects, nothing more.
class MemoryChart final : public ChartFillTarget {
public:
    ChartDataSet data;
    std::vector<double> sar, rsi;
    std::string companyId;

    std::int32_t pointCount() const override { return data.pointCount(); }
    double valueAt(int series, std::int32_t point) const override { return column(series)[point]; }
    void setValueAt(int series, std::int32_t point, double value) override {
        const_cast<std::vector<double>&>(column(series))[point] = value;
    }
    double xValueAt(std::int32_t point) const override { return data.xValues[point]; }
    PriceSeriesNumbers priceSeries() const override { return {}; }
    StudySettings studySettings() const override { return {2, 20, 14, 0, 21}; }
    void showCompany(std::string_view, std::string_view) override {}
    void setColumnKinds(std::span<const ColumnKind>) override {}
    void setUpPriceSeries(const PriceSeriesNumbers&, std::int32_t, std::int32_t) override {}
    void clearDrawings() override {}
    void showAnalyticalChart() override {}
    void loadData(const ChartDataSet& d) override {
        data = d;
        sar.assign(d.xValues.size(), kNoValueMark);
        rsi.assign(d.xValues.size(), kNoValueMark);
    }
    void setPriceDisplay(std::int32_t) override {}
    void refillDataEditor(std::int32_t) override {}
    void setLegends(const SeriesLegends&) override {}
    void showUserSeries() override {}
    std::string restoreDrawings(const clsCompany&) override { return {}; }
    void setChartCompanyID(std::string_view id) override { companyId = id; }
    std::string chartCompanyID() const override { return companyId; }
    void listNotes(const clsCompany&) override {}
    void disableZoomOut() override {}
    void setBusy(bool) override {}

private:
    const std::vector<double>& column(int series) const {
        if (series == 20) {
            return sar;
        }
        if (series == 21) {
            return rsi;
        }
        return data.values.at(static_cast<std::size_t>(series));
    }
};

std::filesystem::path g_folder;

std::vector<db::Date> tradingDays() {
    std::vector<db::Date> result;
    for (sys_days d = sys_days{2016y / January / 4d}; static_cast<int>(result.size()) < g_days;
         d += days{1}) {
        const unsigned wd = weekday{d}.c_encoding();
        if (wd != 0 && wd != 6) {
            result.emplace_back(d);
        }
    }
    return result;
}

void addCompany(db::Connection& c, std::int32_t id, std::int32_t category, bool isIndex) {
    c.execute(R"(INSERT INTO "Company" ("ID", "TICKER", "NAME", "MARKET_ID", "CATEGORY_ID", "IS_INDEX"))"
              R"( VALUES (?, ?, ?, ?, ?, ?))",
              {id, "T" + std::to_string(id), "Company " + std::to_string(id), kMarket, category, isIndex});
}

void makeMarket() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-chartfill-XXXXXX").string();
    g_folder = ::mkdtemp(pattern.data());
    ::setenv("TARNWICK_HOME", g_folder.c_str(), 1);
    ::setenv("TARNWICK_CLASS_REGISTRY", (g_folder / "classes.reg").c_str(), 1);
    db::Connection c = db::Connection::createNew(g_folder / "MQMKD.mqd");
    CreateMarketSchema(c);
    EnsureMarketDailyTable(c, kMarket);
    db::Transaction transaction(c);
    addCompany(c, kCompany, 2, false);
    addCompany(c, 20, 2, true);
    addCompany(c, 30, 5, true);
    for (int other = 0; other < kOtherCompanies; ++other) {
        addCompany(c, 100 + other, 2 + other % 4, false);
    }
    const std::vector<db::Date> dayList = tradingDays();
    for (int d = 0; d < g_days; ++d) {
        DailyRow row;
        row.date = dayList[d];
        const double base = 40 + 10 * std::sin(d / 60.0) + d * 0.01;
        const auto add = [&](std::int32_t company, double price) {
            row.companyId = company;
            row.openingPrice = price;
            row.maxPrice = price * 1.02;
            row.minPrice = price * 0.98;
            row.closingPrice = price * 1.005;
            row.totalShares = 1000 + d;
            row.totalAmount = row.totalShares * price;
            InsertDailyRow(c, kMarket, row);
        };
        add(kCompany, base);
        add(20, base * 30);
        add(30, base * 200);
        for (int other = 0; other < kOtherCompanies; ++other) {
            add(100 + other, base + other);
        }
    }
    // In a series of a few days the two shares can name the same day: one split then.
    std::set<std::size_t> splitDays;
    for (const double share : kSplitShares) {
        splitDays.insert(static_cast<std::size_t>(share * (g_days - 1)));
    }
    for (const std::size_t d : splitDays) {
        c.execute(R"(INSERT INTO "Split" ("SPLITDATE", "COMPANYID", "Ratio") VALUES (?, ?, 2))",
                  {dayList.at(d), kCompany});
    }
    transaction.commit();
}

void openMarket() {
    if (g_folder.empty()) {
        makeMarket();
    }
    if (!gConnection.isOpen()) {
        gConnection = db::Connection::openExisting(g_folder / "MQMKD.mqd");
    }
    gSpecial = true;
}

db::Date startOfTenYears() {
    TempDataTable table(gConnection);
    return PeriodStart(8, *table.lastMarketDate(kMarket));
}

void BareSelect(benchmark::State& state) {
    openMarket();
    const db::Date start = startOfTenYears();
    db::Statement select = gConnection.prepare(
        R"(SELECT "DATE", "TotalShares", "TotalAmount", "OpeningPrice", "MaxPrice", "MinPrice", "ClosingPrice")"
        R"( FROM "MARKETDAILY1" WHERE "COMPANYID" = ? AND "DATE" >= ? ORDER BY "DATE")");
    std::int64_t rows = 0;
    for (auto _ : state) {
        double sum = 0;
        for (db::RowSet r = select.query({kCompany, start}, db::CursorType::ForwardOnly); !r.eof();
             r.moveNext()) {
            benchmark::DoNotOptimize(r.date(0));
            for (int column = 1; column < 7; ++column) {
                sum += r.real(column);
            }
            ++rows;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(rows);
}

void Fill(benchmark::State& state) {
    openMarket();
    MemoryChart chart;
    clsKorvelFill fill([](std::int32_t) { return std::string("Index"); });
    fill.Chart = &chart;
    for (auto _ : state) {
        fill.GetData(kCompany, 8, true, 0, true, true, false, 0);
    }
    if (chart.pointCount() != g_days + 30 || chart.companyId != "10") {
        state.SkipWithError("the fill did not chart the company");
    }
    state.counters["points"] = chart.pointCount();
}

void FillWithStudies(benchmark::State& state) {
    openMarket();
    void* library = ::dlopen(INDIKON_SERVER_PATH, RTLD_NOW | RTLD_LOCAL);
    const auto registerServer =
        library ? reinterpret_cast<com::DllRegisterServerFunction>(::dlsym(library, "DllRegisterServer"))
                : nullptr;
    if (!registerServer || registerServer() != com::S_OK) {
        state.SkipWithError("the indicator library could not be registered");
        return;
    }
    Fill(state);
    std::filesystem::remove(g_folder / "classes.reg");
}

// The work table's steps apart (milliseconds per fill in the counters), then reading it into points.
void WorkTableSteps(benchmark::State& state) {
    openMarket();
    TempDataTable table(gConnection);
    const db::Date last = *table.lastMarketDate(kMarket);
    const db::Date start = PeriodStart(8, last);
    enum Step { kCopy, kEmptyDays, kSplits, kScaling, kCommit, kSteps };
    constexpr const char* kNames[kSteps] = {"copy_ms", "empty_days_ms", "splits_ms", "scaling_ms",
                                            "commit_ms"};
    double spent[kSteps] = {};
    for (auto _ : state) {
        auto lapStart = steady_clock::now();
        const auto lap = [&](Step step) {
            const auto now = steady_clock::now();
            spent[step] += duration<double, std::milli>(now - lapStart).count();
            lapStart = now;
        };
        db::Transaction transaction(gConnection);
        table.rebuild(kMarket, kCompany, 2, start);
        lap(kCopy);
        table.addEmptyDays(last);
        lap(kEmptyDays);
        table.adjustForSplits(GetSplits(kCompany, start, last), start);
        lap(kSplits);
        table.scaleIndexes();
        lap(kScaling);
        transaction.commit();
        lap(kCommit);
    }
    for (int step = 0; step < kSteps; ++step) {
        state.counters[kNames[step]] = spent[step] / static_cast<double>(state.iterations());
    }
}

void ReadWorkTable(benchmark::State& state) {
    openMarket();
    TempDataTable table(gConnection);
    ChartReading reading;
    for (auto _ : state) {
        benchmark::DoNotOptimize(reading.read(table.rowsByDate()));
    }
}

void ReadWorkTableRowsOnly(benchmark::State& state) {
    openMarket();
    TempDataTable table(gConnection);
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.rowsByDate());
    }
}

}  // namespace

BENCHMARK(BareSelect)->Unit(benchmark::kMillisecond);
BENCHMARK(Fill)->Unit(benchmark::kMillisecond);
BENCHMARK(FillWithStudies)->Unit(benchmark::kMillisecond);
BENCHMARK(WorkTableSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadWorkTable)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadWorkTableRowsOnly)->Unit(benchmark::kMillisecond);

namespace {

// The value of --days=N left by the benchmark library's own flags; false for a bad value.
bool readDays(int argc, char** argv) {
    constexpr std::string_view kFlag = "--days=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!arg.starts_with(kFlag)) {
            continue;
        }
        const std::string_view number = arg.substr(kFlag.size());
        const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), g_days);
        if (ec != std::errc() || end != number.data() + number.size() || g_days < 1) {
            std::fprintf(stderr, "chartfill: --days takes a whole number of at least 1\n");
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!readDays(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gConnection.close();
    if (!g_folder.empty()) {
        std::filesystem::remove_all(g_folder);
    }
    return 0;
}
