#include "pages/WorkSeriesCombo.h"

#include <array>
#include <string>

#include "com/FixedText.h"
#include "extension/CFinancialCharts.h"
#include "host/CHostChartAdapter.h"
#include "pages/CFinancialPropertyPage.h"
#include "pages/PageCombos.h"

namespace dravik {
namespace {

constexpr std::size_t kLegendBytes = 128;

QString text(std::uint32_t id, const char* fallback) {
    return QString::fromStdString(CFinancialPropertyPage::textModule()->stringOr(id, fallback));
}

QString userSeriesText(CHostChartAdapter* adapter, com::SHORT series, int number) {
    if (adapter) {
        std::array<char, kLegendBytes> legend{};
        if (com::SUCCEEDED(
                adapter->GetSeriesLegend(series, legend.data(), static_cast<LONG>(legend.size())))) {
            const std::string shown = com::readFixed(legend);
            if (!shown.empty())
                return QString::fromStdString(shown);
        }
    }
    return QStringLiteral("User %1").arg(number);
}

// User study k, from the first user study (USER0) on, owns the k-th user series.
bool listsUserStudy(CFinancialCharts& extension, LONG userStudy, unsigned flags) {
    const StudyRecord* record = extension.studyRecord(static_cast<LONG>(kFirstUserStudy) + userStudy);
    const bool overPrices = record && record->priceIndicator != 0;
    return overPrices ? (flags & kListPriceAxisUserSeries) != 0 : (flags & kListOtherUserSeries) != 0;
}

}  // namespace

void FillWorkSeriesCombo(ui::Dialog& dialog, int combo, CFinancialCharts& extension,
                         CHostChartAdapter* adapter, com::SHORT select, unsigned flags) {
    dialog.resetContent(combo);
    const SeriesBinding& binding = extension.seriesBinding();
    if (flags & kListPriceSeries) {
        const std::array<std::pair<com::SHORT, const char*>, 4> prices{
            {{binding.openSeries, "Open Price"},
             {binding.highSeries, "High Price"},
             {binding.lowSeries, "Low Price"},
             {binding.closeSeries, "Close Price"}}};
        for (std::size_t i = 0; i < prices.size(); ++i) {
            if (prices[i].first != -1)
                dialog.addString(combo,
                                 text(kOpenPriceStringId + static_cast<std::uint32_t>(i), prices[i].second),
                                 prices[i].first);
        }
    }
    if ((flags & kListVolumeSeries) && binding.volumeSeries != -1)
        dialog.addString(combo, text(kVolumeStringId, "Volume"), binding.volumeSeries);
    if (flags & (kListPriceAxisUserSeries | kListOtherUserSeries)) {
        for (LONG k = 0; k < binding.userSeries && k < kUserStudyCount; ++k) {
            if (!listsUserStudy(extension, k, flags))
                continue;
            const auto series = static_cast<com::SHORT>(binding.firstUserIndex + k);
            dialog.addString(combo, userSeriesText(adapter, series, static_cast<int>(k) + 1), series);
        }
    }
    SelectComboItemByData(dialog, combo, select);
}

}  // namespace dravik
