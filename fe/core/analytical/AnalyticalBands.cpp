// The series attributes the analytical chart keeps in its records and writes to the chart before each
// paint, and the two band series of a band study, which always look alike: what the chart changed on
// one of them goes to both.
#include <algorithm>
#include <cstdint>
#include <type_traits>

#include "analytical/CAnalyticalChartBase.h"
#include "extension/CFinancialCharts.h"
#include "host/CHostChartAdapter.h"
#include "series/CSeriesAttributes.h"

namespace dravik {
namespace {

// The band studies: Bollinger bands and envelopes, whose first two outputs are the upper and the
// lower band.
constexpr std::array<SHORT, 2> kBandStudies{7, 8};
constexpr LONG kBandSeriesCount = 2;
// The attributes the band series share.
constexpr std::uint32_t kMirroredAttributes =
    SA_GALLERY | SA_LINESTYLE | SA_LINEWIDTH | SA_PATTERN | SA_COLOR;

// One attribute that the band series share, as the bit of the record's set-mask and the value of the
// record it stands for. Of the two-entry attributes only the first entry is the series' own (the second
// names the next series).
struct MirroredField {
    std::uint32_t bit;
    std::int64_t (*get)(const SeriesAttributeRecord&);
    void (*set)(SeriesAttributeRecord&, std::int64_t);
};

template <auto Field>
constexpr MirroredField plainField(std::uint32_t bit) {
    return {bit, [](const SeriesAttributeRecord& r) -> std::int64_t { return r.*Field; },
            [](SeriesAttributeRecord& r, std::int64_t v) {
                r.*Field = static_cast<std::remove_reference_t<decltype(r.*Field)>>(v);
            }};
}

template <auto Field>
constexpr MirroredField firstEntryField(std::uint32_t bit) {
    return {bit, [](const SeriesAttributeRecord& r) -> std::int64_t { return (r.*Field)[0]; },
            [](SeriesAttributeRecord& r, std::int64_t v) {
                (r.*Field)[0] = static_cast<std::remove_reference_t<decltype((r.*Field)[0])>>(v);
            }};
}

const std::array<MirroredField, 5> kMirroredFields{
    plainField<&SeriesAttributeRecord::gallery>(SA_GALLERY),
    plainField<&SeriesAttributeRecord::lineStyle>(SA_LINESTYLE),
    firstEntryField<&SeriesAttributeRecord::lineWidth>(SA_LINEWIDTH),
    firstEntryField<&SeriesAttributeRecord::pattern>(SA_PATTERN),
    firstEntryField<&SeriesAttributeRecord::color>(SA_COLOR),
};

}  // namespace

LONG CAnalyticalChartBase::OnActiveNotify(gdi::DeviceContext* dc, LONG force, LONG scaled) {
    if (IsCurrentChartType()) {
        MirrorBandSeries();
        RewriteSeriesAttributes();
    }
    const LONG result = CGalleryBase::OnActiveNotify(dc, force, scaled);
    if (dc && IsCurrentChartType())
        PaintPaneTitles(*dc);
    return result;
}

void CAnalyticalChartBase::MirrorBandSeries() {
    CHostChartAdapter* chart = adapter();
    if (!chart || !owner_)
        return;
    for (const SHORT number : kBandStudies) {
        const LONG index = FindStudyEntry(number);
        StudyRecord* study = record(number);
        if (index < 0 || !study || study->subIndicators < kBandSeriesCount)
            continue;
        const SHORT first = table_[static_cast<std::size_t>(index)].firstSeries;
        if (first < 0 || first + kBandSeriesCount > chart->GetSeriesCount())
            continue;
        // What the chart shows of each band against what was last written.
        std::array<SeriesAttributeRecord, kBandSeriesCount> shown;
        for (LONG k = 0; k < kBandSeriesCount; ++k) {
            shown[static_cast<std::size_t>(k)] = study->series[static_cast<std::size_t>(k)];
            CSeriesAttributes attributes;
            attributes.Bind(this, chart, &shown[static_cast<std::size_t>(k)]);
            attributes.SetSeriesIndex(static_cast<SHORT>(first + k));
            attributes.ReadFromSeries(kMirroredAttributes, false, false, false);
        }
        bool colorChanged = false;
        for (const MirroredField& field : kMirroredFields) {
            for (LONG k = 0; k < kBandSeriesCount; ++k) {
                const std::int64_t value = field.get(shown[static_cast<std::size_t>(k)]);
                if (value == field.get(study->series[static_cast<std::size_t>(k)]))
                    continue;
                for (LONG band = 0; band < kBandSeriesCount; ++band) {
                    SeriesAttributeRecord& target = study->series[static_cast<std::size_t>(band)];
                    field.set(target, value);
                    target.setMask |= field.bit;
                }
                colorChanged = colorChanged || field.bit == SA_COLOR;
                break;
            }
        }
        // The upper band's second colour names the lower band.
        study->series[0].color[1] = study->series[1].color[0];
        if (colorChanged)
            owner_->SetSeriesRange(first, kBandSeriesCount, static_cast<LONG>(study->series[0].color[0]));
    }
}

void CAnalyticalChartBase::RewriteSeriesAttributes() {
    CHostChartAdapter* chart = adapter();
    if (!chart || !owner_)
        return;
    for (std::size_t e = 0; e < table_.size() && !table_[e].isFree(); ++e)
        WriteStudySeries(table_[e], false);
    const SeriesBinding& binding = owner_->seriesBinding();
    const std::array<SHORT, 4> roles{binding.openSeries, binding.highSeries, binding.lowSeries,
                                     binding.closeSeries};
    for (std::size_t role = 0; role < roles.size(); ++role) {
        const SHORT series = roles[role];
        const bool shown = std::find(priceRows_.begin(), priceRows_.end(), series) != priceRows_.end();
        if (series < 0 || series >= chart->GetSeriesCount() || !(shown || role == 3))
            continue;
        CSeriesAttributes attributes;
        attributes.Bind(this, chart, &owner_->priceSeriesRecord(role));
        attributes.SetSeriesIndex(series);
        attributes.ApplyToSeries(SA_ALL);
    }
}

}  // namespace dravik
