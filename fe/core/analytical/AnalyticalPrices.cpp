// The analytical chart's prices: which price series it shows and how, the range of the price axis,
// and the commands that need bound price series.
#include <algorithm>
#include <cmath>

#include "analytical/CAnalyticalChartBase.h"
#include "axes/AxisPropertyCodes.h"
#include "dravik/Commands.h"
#include "dravik/IFinancialCharts.h"
#include "extension/CFinancialCharts.h"
#include "format/ScaleRounding.h"
#include "format/ValueFormat.h"
#include "host/CHostChartAdapter.h"
#include "series/CSeriesAttributes.h"

namespace dravik {
namespace {

constexpr SHORT kPriceDisplayCount = 5;  // CLOSE_PRICE .. NO_PRICE
// Gallery code of the price series per price display.
constexpr std::array<std::int16_t, kPriceDisplayCount> kPriceStyleCodes{1, 9, 16, 17, 1};
// Legends "Open Price", "High Price", "Low Price", "Close Price".
constexpr std::int16_t kFirstPriceLegendId = 150;

enum PriceNeed : unsigned { kClose = 1, kHigh = 2, kLow = 4, kOpen = 8, kVolume = 16 };

struct CommandNeed {
    SHORT command;
    unsigned needs;
};

// The commands that need price series, with the series each needs.
constexpr std::array<CommandNeed, 23> kCommandNeeds{{
    {ID_CLOSEPRICE, kClose},
    {ID_MEDIAN_PRICE, kHigh | kLow},
    {ID_MASS, kHigh | kLow},
    {ID_VOLATILITY_CHAIKINS, kHigh | kLow},
    {ID_HILOWCLOSE, kHigh | kLow | kClose},
    {ID_TYPICAL_PRICE, kHigh | kLow | kClose},
    {ID_WEIGHTED_CLOSE, kHigh | kLow | kClose},
    {ID_CCI, kHigh | kLow | kClose},
    {ID_STOCHASTICS, kHigh | kLow | kClose},
    {ID_ATR, kHigh | kLow | kClose},
    {ID_WILLIAMS_R, kHigh | kLow | kClose},
    {ID_OPENHILOWCLOSE, kOpen | kHigh | kLow | kClose},
    {ID_CANDLESTICK, kOpen | kHigh | kLow | kClose},
    {ID_VOLUME, kVolume},
    {ID_VOLUME_OSCILLATOR, kVolume},
    {ID_PRICEVOLTREND, kVolume | kClose},
    {ID_NVI, kVolume | kClose},
    {ID_OBV, kVolume | kClose},
    {ID_PVI, kVolume | kClose},
    {ID_EASE_OF_MOVE, kVolume | kHigh | kLow},
    {ID_ADI, kVolume | kHigh | kLow | kClose},
    {ID_CHAIKIN, kVolume | kHigh | kLow | kClose},
    {ID_MFI, kVolume | kHigh | kLow | kClose},
}};

unsigned boundNeeds(const SeriesBinding& binding) {
    unsigned bound = 0;
    bound |= binding.closeSeries >= 0 ? kClose : 0u;
    bound |= binding.highSeries >= 0 ? kHigh : 0u;
    bound |= binding.lowSeries >= 0 ? kLow : 0u;
    bound |= binding.openSeries >= 0 ? kOpen : 0u;
    bound |= binding.volumeSeries >= 0 ? kVolume : 0u;
    return bound;
}

}  // namespace

void CAnalyticalChartBase::EnableStudyCommands() {
    if (!owner_)
        return;
    const unsigned bound = boundNeeds(owner_->seriesBinding());
    for (const CommandNeed& need : kCommandNeeds) {
        if (need.command != 0)
            owner_->SetCommandEnabled(need.command, (need.needs & bound) == need.needs);
    }
}

void CAnalyticalChartBase::SetCommandCheck(SHORT command, bool checked) {
    if (!owner_)
        return;
    owner_->setCommandState(command, checked ? kCommandStateChecked : 0);
    owner_->SetDrawingCommandChecked(command, checked);
}

// Exchanges the open and the low series: their numbers and their rows in the buffer.
void CAnalyticalChartBase::SwapOpenAndLow() {
    SeriesBinding& binding = owner_->seriesBinding();
    const SHORT open = binding.openSeries;
    const SHORT low = binding.lowSeries;
    if (open < 0 || low < 0 || open >= rowCount() || low >= rowCount())
        return;
    const auto points = static_cast<std::size_t>(points_);
    if (points > 0 && !buffer_.empty())
        std::swap_ranges(
            buffer_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(open) * points),
            buffer_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(open + 1) * points),
            buffer_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(low) * points));
    binding.openSeries = low;
    binding.lowSeries = open;
    openLowSwapped_ = !openLowSwapped_;
    if (IsCurrentChartType())
        HandBufferToChart();
}

void CAnalyticalChartBase::RestoreHostPriceOrder() {
    if (openLowSwapped_ && owner_)
        SwapOpenAndLow();
}

// The rows a price display shows: the close alone, none, or the run from the low (the open, for
// bars and candles) up to the high.
std::vector<SHORT> CAnalyticalChartBase::PriceRows(SHORT kind) const {
    const SeriesBinding& binding = owner_->seriesBinding();
    if (kind == CLOSE_PRICE)
        return {binding.closeSeries};
    if (kind == NO_PRICE)
        return {};
    if (binding.highSeries < 0 || binding.lowSeries < 0)
        return {binding.closeSeries};
    SHORT first = std::min(binding.highSeries, binding.lowSeries);
    const SHORT last = std::max(binding.highSeries, binding.lowSeries);
    if (kind != HILOWCLOSE_PRICE && binding.openSeries >= 0)
        first = std::min(first, binding.openSeries);
    std::vector<SHORT> rows;
    for (SHORT s = first; s <= last; ++s)
        rows.push_back(s);
    return rows;
}

bool CAnalyticalChartBase::PriceRange(const std::vector<SHORT>& rows, LONG first, LONG last, double& min,
                                      double& max) const {
    min = kRangeSeedMin;
    max = kRangeSeedMax;
    if (points_ <= 0 || buffer_.empty())
        return false;
    const LONG from = first < 0 ? 0 : std::min(first, points_ - 1);
    const LONG to = last < 0 ? points_ - 1 : std::min(last, points_ - 1);
    bool found = false;
    for (SHORT row : rows) {
        if (row < 0 || row >= rowCount())
            continue;
        const double* values =
            buffer_.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(points_);
        for (LONG p = from; p <= to; ++p) {
            const double value = values[p];
            if (value == kEmptyValue || !std::isfinite(value))
                continue;
            min = std::min(min, value);
            max = std::max(max, value);
            found = true;
        }
    }
    return found;
}

void CAnalyticalChartBase::SetPriceDisplay(SHORT kind, LONG first, LONG last) {
    if (!owner_ || kind < 0 || kind >= kPriceDisplayCount)
        return;
    SeriesBinding& binding = owner_->seriesBinding();
    // The chart draws a price figure from consecutive series, the open first: the open goes below
    // the low, so that high-low-close leaves it out and the bars and candles start with it.
    const bool figure = kind == HILOWCLOSE_PRICE || kind == OPENHILOWCLOSE_PRICE || kind == CANDLESTICK_PRICE;
    if (figure && binding.openSeries >= 0 && binding.lowSeries >= 0 && binding.lowSeries < binding.openSeries)
        SwapOpenAndLow();

    const std::vector<SHORT> rows = PriceRows(kind);
    priceRows_ = rows;
    const std::array<SHORT, 4> roles{binding.openSeries, binding.highSeries, binding.lowSeries,
                                     binding.closeSeries};
    for (std::size_t role = 0; role < roles.size(); ++role) {
        SeriesAttributeRecord& series = owner_->priceSeriesRecord(role);
        const bool inUse = roles[role] >= 0 && std::find(rows.begin(), rows.end(), roles[role]) != rows.end();
        // A bound price series that the display leaves out is hidden, or the chart would draw it on
        // its own (an open line through high-low-close bars).
        if (!inUse && roles[role] < 0)
            continue;
        if (inUse || (kind == NO_PRICE && role == 3))
            series.gallery = kPriceStyleCodes[static_cast<std::size_t>(kind)];
        series.visible = inUse ? 1 : 0;
        series.setMask |= SA_GALLERY | SA_VISIBLE;
        if ((series.setMask & SA_LEGEND) == 0)
            series.legend.SetStringId(static_cast<std::int16_t>(kFirstPriceLegendId + role));
        if (adapter() && roles[role] < adapter()->GetSeriesCount()) {
            CSeriesAttributes attributes;
            attributes.Bind(this, adapter(), &series);
            attributes.SetSeriesIndex(roles[role]);
            attributes.ApplyToSeries(SA_ALL);
        }
    }

    StudyAxisRecord& price = axes_[kPriceAxisIndex];
    double min = 0;
    double max = 0;
    if (!PriceRange(rows, first, last, min, max)) {
        price.emptyState = kAxisNoData;
        min = 0;
        max = 1;
    } else {
        price.emptyState = kAxisHasData;
        if (min > 0 && owner_->priceStartInZero())
            min = 0;
        if (NormaliseRange(min, max, DecimalsOfAxis(kPriceAxisIndex)) == 0) {
            if ((owner_->settings().options & FEO_NOINFLATE) == 0)
                WidenRange(min, max, kRangeWidening);
            RoundRangeToStep(min, max);
            RaiseDecimals(min, max);
        }
    }
    if (drawingRange_)
        drawingRange_->MergeDrawingRange(min, max);
    price.dataMin = min;
    price.dataMax = max;
    BindAxisSettings(kPriceAxisIndex);
    const SHORT previous = state().priceDisplay;
    if (previous != kind && previous >= 0 && previous < kPriceDisplayCount)
        SetCommandCheck(static_cast<SHORT>(ID_CLOSEPRICE + previous), false);
    SetCommandCheck(static_cast<SHORT>(ID_CLOSEPRICE + kind), true);
    state().priceDisplay = kind;
    HideDrawingsByRange();
}

// Gives the price axis's labels enough decimals to tell its steps apart.
void CAnalyticalChartBase::RaiseDecimals(double min, double max) {
    CHostChartAdapter* chart = adapter();
    if (!chart || !IsCurrentChartType())
        return;
    const SHORT axis = axes_[kPriceAxisIndex].controlAxis;
    const double step = chart->GetAxisValue(axis, APC_STEP);
    if (!(step > 0))
        return;
    const std::int32_t needed = CountSteps(min, max, step);
    if (needed > static_cast<std::int32_t>(chart->GetAxisValue(axis, APC_DECIMALS)))
        chart->SetAxisValue(axis, APC_DECIMALS, needed);
}

}  // namespace dravik
