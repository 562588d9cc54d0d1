#include "appchart/fill/clsKorvelFill.h"

#include <array>
#include <utility>
#include <vector>

#include "appchart/fill/FillPeriod.h"
#include "appchart/fill/TempDataTable.h"
#include "appchart/studies/CustomStudies.h"
#include "appdata/AppError.h"
#include "appdata/Globals.h"
#include "appdata/MarketCollections.h"
#include "appdata/MarketQueries.h"
#include "appdata/Trap.h"
#include "db/Transaction.h"
#include "fill/FillProcNames.h"

namespace tarnwick::chart {

namespace {

constexpr std::int32_t kFirstUserSeries = 5;
constexpr std::int32_t kUserSeriesCount = 3;
constexpr std::int32_t kClosePrice = 0;

std::array<ColumnKind, kColumnCount> columnKinds() {
    std::array<ColumnKind, kColumnCount> kinds{};
    for (int column = 0; column < kColumnCount; ++column) {
        kinds[static_cast<std::size_t>(column)] = ChartDataSet::kindOf(column);
    }
    return kinds;
}

// The name under `key` followed by " Index"; empty when the collection does not hold the key.
template <class Record, class Name>
std::string indexLegend(const KeyedCollection<Record>& records, std::int32_t id, Name name,
                        const std::string& indexWord) {
    const std::string key = RecordKey(id);
    if (!ExistsInCollection(key, records)) {
        return {};
    }
    return name(records.item(key)) + " " + indexWord;
}

}  // namespace

clsKorvelFill::clsKorvelFill(LanguageText languageText) : languageText_(std::move(languageText)) {}

void clsKorvelFill::GetData(std::int32_t companyId, std::int32_t period, bool adjusted, std::int16_t interval,
                            bool /*sectorShown*/, bool /*generalShown*/, bool keepData,
                            std::int32_t /*reserved*/) {
    if (!Chart) {
        WriteErrorLog("Object variable or With block variable not set", 91, kGetDataProc);
        return;
    }
    Trap(kGetDataProc, [&] { fill(companyId, period, adjusted, IntervalOf(interval), keepData); });
    Trap(kGetDataProc, [&] { Chart->setBusy(false); });
}

void clsKorvelFill::fill(std::int32_t companyId, std::int32_t period, bool adjusted, ChartInterval interval,
                         bool keepData) {
    Chart->setBusy(true);
    const clsCompany& company = findCompany(companyId);

    TempDataTable table(gConnection);
    const db::Date last = table.lastMarketDate(company.Market_ID).value_or(gBaseDate);
    const db::Date start = PeriodStart(period, last);
    if (!keepData) {
        rebuildTempData(company, start, last, adjusted);
    }

    ChartReading reading;
    reading.interval = interval;
    reading.amountAsVolume = company.IS_INDEX;
    reading.dayLegend = dayLegend;
    data_ = reading.read(table.rowsByDate());
    if (interval != ChartInterval::Daily) {
        repairLastClose(interval);
    }

    bindToChart(company);
    Chart->setPriceDisplay(company.IS_INDEX ? kClosePrice : PriceDisplay);
    trim_ = trailingPointsWithoutClose();
    Chart->refillDataEditor(trim_);
    CalculateCustomStudies(*Chart, trim_);
    Chart->setLegends(legendsFor(company));
    Chart->showUserSeries();
    DrawingText = Chart->restoreDrawings(company);
    Chart->setChartCompanyID(std::to_string(company.ID));
    Chart->listNotes(company);
    Chart->disableZoomOut();
}

const clsCompany& clsKorvelFill::findCompany(std::int32_t companyId) {
    KeyedCollection<clsCompany> companies = GetCompaniyInfo("", companyId);
    if (companies.empty()) {
        companies = GetCompaniyInfo("", FallbackCompanyID);
    }
    // An empty collection raises "Subscript out of range" here, as the missing fallback company must.
    auto found = std::make_shared<clsCompany>(companies.at(0));
    CompanyID = companyId;
    Company = std::move(found);
    return *Company;
}

void clsKorvelFill::rebuildTempData(const clsCompany& company, db::Date start, db::Date last, bool adjusted) {
    // All or nothing: a failure leaves the table as the last complete fill made it.
    db::Transaction transaction(gConnection);
    TempDataTable table(gConnection);
    const std::int64_t inserted = table.rebuild(company.Market_ID, company.ID, company.Category_ID, start);
    if (gSpecial && inserted > 0) {
        table.addEmptyDays(last);
    }
    if (adjusted) {
        const KeyedCollection<clsSplit> splits = GetSplits(company.ID, start, last);
        if (!splits.empty()) {
            table.adjustForSplits(splits, start);
        }
    }
    table.scaleIndexes();
    transaction.commit();
}

void clsKorvelFill::bindToChart(const clsCompany& company) {
    const auto kinds = columnKinds();
    Chart->setColumnKinds(kinds);
    Chart->showCompany(company.Name, company.Symbol);
    // Whatever fails from here on, the chart no longer shows this company's stored drawings: a later
    // save must not write them under the wrong company.
    Chart->setChartCompanyID("");
    DrawingText.clear();
    Chart->setUpPriceSeries(PriceSeriesNumbers{}, kFirstUserSeries, kUserSeriesCount);
    Chart->clearDrawings();
    try {
        Chart->showAnalyticalChart();
    } catch (...) {
        // The chart keeps its type; the fill goes on.
    }
    Chart->loadData(data_);
}

void clsKorvelFill::repairLastClose(ChartInterval interval) {
    // A week or month whose last row is an empty day has no close; it takes the close of the
    // company's own last trading day, which need not be the market's last day. Only the point holding
    // that day is written, and only when it has no close: earlier points without a close stay empty
    // (the trailing trim leaves them out of the studies).
    // The data set is repaired before the chart reads it: the chart type shown takes its own copy of
    // the chart's data when the data arrive, and a value written into the chart afterwards would be
    // missing from that copy, and so from every chart type switched in later.
    TempDataTable table(gConnection);
    const std::optional<db::Date> lastDay = table.lastTradingDay();
    if (!lastDay) {
        return;
    }
    const std::optional<double> close = table.closeOn(*lastDay);
    if (!close) {
        return;
    }
    const double lastPoint = OleDay(PointDay(interval, *lastDay));
    std::vector<double>& closes = data_.values[static_cast<std::size_t>(kCloseColumn)];
    for (std::int32_t i = data_.pointCount() - 1; i >= 0; --i) {
        const auto point = static_cast<std::size_t>(i);
        if (data_.xValues[point] == lastPoint) {
            if (IsNoValueMark(closes[point])) {
                closes[point] = *close;
            }
            return;
        }
    }
}

std::int32_t clsKorvelFill::trailingPointsWithoutClose() const {
    std::int32_t trailing = 0;
    for (std::int32_t i = Chart->pointCount() - 1; i >= 0 && IsNoValueMark(Chart->valueAt(kCloseColumn, i));
         --i) {
        ++trailing;
    }
    return trailing;
}

SeriesLegends clsKorvelFill::legendsFor(const clsCompany& company) const {
    const std::string indexWord = languageText_(legendtext::kIndex);
    SeriesLegends legends;
    legends.open = languageText_(legendtext::kOpen);
    legends.high = languageText_(legendtext::kHigh);
    legends.low = languageText_(legendtext::kLow);
    legends.close = languageText_(legendtext::kClose);
    legends.splits = languageText_(legendtext::kDataAdjustment);
    legends.sector = indexLegend(
        gCategories, company.Category_ID, [](const clsCategory& c) { return c.Name; }, indexWord);
    legends.general = indexLegend(
        gMarkets, company.Market_ID, [](const clsMarket& m) { return m.Aprev; }, indexWord);
    return legends;
}

}  // namespace tarnwick::chart
