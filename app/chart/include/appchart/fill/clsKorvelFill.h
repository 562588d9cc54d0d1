// Puts one company's price history into the chart: its daily rows of the chosen period, adjusted for
// splits, with its sector index and its market's general index beside them, read by day, week or
// month, then the extension's series, legends, the custom studies, the company's drawings and notes.
// The program holds one instance; the chart window gives it the chart once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "appchart/fill/ChartDataSet.h"
#include "appchart/fill/ChartReading.h"
#include "appchart/fill/ChartTarget.h"
#include "appdata/records/clsCompany.h"

namespace tarnwick::chart {

// Charted when the company asked for does not exist.
inline constexpr std::int32_t FallbackCompanyID = 33;

// Language-table entries of the legends.
namespace legendtext {
inline constexpr std::int32_t kOpen = 88;
inline constexpr std::int32_t kHigh = 89;
inline constexpr std::int32_t kLow = 90;
inline constexpr std::int32_t kClose = 91;
inline constexpr std::int32_t kIndex = 97;
inline constexpr std::int32_t kDataAdjustment = 185;
}  // namespace legendtext

// The display-language text of a language-table entry.
using LanguageText = std::function<std::string(std::int32_t entry)>;

class clsKorvelFill {
public:
    explicit clsKorvelFill(LanguageText languageText);

    ChartFillTarget* Chart = nullptr;
    // The company last asked for, also when the fallback company was charted.
    std::int32_t CompanyID = 0;
    // The company last charted.
    std::shared_ptr<clsCompany> Company;
    // The drawing text the charted company's drawings were made from; empty while the chart shows no
    // company's drawings.
    std::string DrawingText;
    // The price display for a company that is not an index (high-low-close until the user chooses).
    std::int32_t PriceDisplay = 1;

    // Charts `companyId` over `period` (0-9) by `interval` (0 daily, 1 weekly, 2 monthly). With
    // `keepData` the work table is read again as the last fill left it (only the interval changed).
    // The index flags and `reserved` are accepted for the callers and not used. Errors are logged
    // under "GetData" and end the fill; the chart then shows no company's drawings.
    void GetData(std::int32_t companyId, std::int32_t period, bool adjusted, std::int16_t interval,
                 bool sectorShown, bool generalShown, bool keepData, std::int32_t reserved);

    // What the last fill gave the chart, and the trailing points without a close it left out of the
    // studies and the data editor.
    const ChartDataSet& Data() const { return data_; }
    std::int32_t Trim() const { return trim_; }
    // Day legends of daily and weekly points (the locale's short date unless replaced).
    DayLegend dayLegend = ShortDateLegend;

private:
    void fill(std::int32_t companyId, std::int32_t period, bool adjusted, ChartInterval interval,
              bool keepData);
    const clsCompany& findCompany(std::int32_t companyId);
    void rebuildTempData(const clsCompany& company, db::Date start, db::Date last, bool adjusted);
    void bindToChart(const clsCompany& company);
    void repairLastClose(ChartInterval interval);
    std::int32_t trailingPointsWithoutClose() const;
    SeriesLegends legendsFor(const clsCompany& company) const;

    LanguageText languageText_;
    ChartDataSet data_;
    std::int32_t trim_ = 0;
};

}  // namespace tarnwick::chart
