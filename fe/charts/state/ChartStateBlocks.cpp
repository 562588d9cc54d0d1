#include "state/ChartStateBlocks.h"

#include <string>

#include "persist/CPropertyArchive.h"
#include "series/SeriesAttributeExchange.h"
#include "state/AxisSettingsExchange.h"
#include "state/ExchangeKeys.h"
#include "state/StudyExchange.h"
#include "state/StudyTable.h"

namespace dravik {
namespace {

constexpr std::array<const char*, kSpecialChartSeriesCount> kSpecialChartPrefixes{
    "PointAndFigure.Series.", "Renko.Series.", "Kagi.Series.", "ThreeLineBreak.Series."};
constexpr std::array<DefaultSeriesIndex, kSpecialChartSeriesCount> kSpecialChartDefaults{
    DSR_POINTFIGURE, DSR_BOXCHART, DSR_KAGI, DSR_BOXCHART};

// A count entry that is skipped (its default used) in a body-only exchange; a loaded count must fit
// its array.
bool exchangeCount(CPropertyArchive& archive, std::int16_t& count, const char16_t* key, std::size_t arraySize,
                   std::uint32_t flags) {
    if (!isBodyOnly(flags))
        archive.ExchangeShort(&count, key, static_cast<std::int16_t>(arraySize));
    return !archive.Failed() && CountFitsArray(count, arraySize);
}

com::HRESULT countFailure(const CPropertyArchive& archive) {
    return archive.Failed() ? archive.Error() : kDamagedState;
}

// A counted list of series records; `prefixOf`, `defaultsOf` and `skip` tell each record's key prefix,
// defaults and whether a body-only exchange leaves it out.
template <std::size_t N, typename PrefixOf, typename DefaultsOf, typename Skip>
com::HRESULT exchangeSeriesRecords(std::array<SeriesAttributeRecord, N>& records, CPropertyArchive& archive,
                                   const char16_t* countKey, std::uint32_t version, std::uint32_t flags,
                                   PrefixOf prefixOf, DefaultsOf defaultsOf, Skip skip) {
    std::int16_t count = static_cast<std::int16_t>(N);
    if (!exchangeCount(archive, count, countKey, N, flags))
        return countFailure(archive);
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        if (isBodyOnly(flags) && skip(i))
            continue;
        if (const auto result = ExchangeSeriesAttributes(records[i], archive, prefixOf(i), version, flags,
                                                         defaultsOf(i), true);
            com::FAILED(result))
            return result;
    }
    return ArchiveResult(archive);
}

com::HRESULT exchangeSpecialSeries(SpecialChartSeriesBlock& block, CPropertyArchive& archive,
                                   std::uint32_t version, std::uint32_t flags, const SeriesBinding& binding) {
    archive.ExchangeShort(&block.workSeries, u"WorkSeries", -1);
    ExchangeFlag(archive, &block.autoRecalc, u"AutoRecalc", 1, version);
    return exchangeSeriesRecords(
        block.series, archive, u"_JapaneseImplNumber", version, flags,
        [](std::size_t i) { return std::string(kSpecialChartPrefixes[i]); }, SpecialChartSeriesDefaults,
        [&binding](std::size_t i) { return !binding.bindsPrice(static_cast<int>(i)); });
}

com::HRESULT exchangePriceSeries(StudiesBlock& block, CPropertyArchive& archive, std::uint32_t version,
                                 std::uint32_t flags) {
    return exchangeSeriesRecords(
        block.priceSeries, archive, u"_PriceSeriesNumber", version, flags,
        [](std::size_t i) { return IndexedPrefix("PriceSeries(%d).", static_cast<int>(i)); },
        DefaultPriceSeriesRecord, [](std::size_t) { return false; });
}

com::HRESULT exchangeStudies(StudiesBlock& block, CPropertyArchive& archive, std::uint32_t version,
                             std::uint32_t flags) {
    std::int16_t count = static_cast<std::int16_t>(kStudyCount);
    if (!exchangeCount(archive, count, u"_StudiesNumber", kStudyCount, flags))
        return countFailure(archive);
    for (int i = 0; i < count; ++i) {
        if (const auto result =
                ExchangeStudy(block.studies[static_cast<std::size_t>(i)], archive, version, flags, i);
            com::FAILED(result))
            return result;
    }
    for (std::size_t i = 0; i < kStudyCount; ++i) {
        if (block.studies[i].inUse == 0)
            continue;
        const int study = static_cast<int>(i);
        if (const auto result =
                ExchangeAxisSettings(block.studyAxes[i], archive, StudyAxisPrefix(study), version, flags,
                                     DefaultAxisRecord(StudyDefaultAxisRecord(study)));
            com::FAILED(result))
            return result;
    }
    return ArchiveResult(archive);
}

}  // namespace

const SeriesAttributeRecord& SpecialChartSeriesDefaults(std::size_t chart) {
    return DefaultSeriesRecord(kSpecialChartDefaults.at(chart));
}

SpecialChartSeriesBlock MakeDefaultSpecialChartSeries() {
    SpecialChartSeriesBlock block;
    for (std::size_t i = 0; i < kSpecialChartSeriesCount; ++i)
        block.series[i] = SpecialChartSeriesDefaults(i);
    return block;
}

StudiesBlock MakeDefaultStudiesBlock(const res::ResourceModule* module) {
    StudiesBlock block;
    for (std::size_t i = 0; i < kStudyCount; ++i) {
        block.studies[i] = MakeDefaultStudyRecord(static_cast<int>(i), module);
        block.studyAxes[i] = DefaultAxisRecord(StudyDefaultAxisRecord(static_cast<int>(i)));
    }
    for (std::size_t i = 0; i < kPriceSeriesCount; ++i)
        block.priceSeries[i] = DefaultPriceSeriesRecord(i);
    return block;
}

com::HRESULT ExchangeSpecialChartSeries(SpecialChartSeriesBlock& block, CPropertyArchive& archive,
                                        std::uint32_t version, std::uint32_t flags,
                                        const SeriesBinding& binding) {
    return ExchangeWhole(block, archive, [&](SpecialChartSeriesBlock& target) {
        return exchangeSpecialSeries(target, archive, version, flags, binding);
    });
}

com::HRESULT ExchangeStudiesBlock(StudiesBlock& block, CPropertyArchive& archive, std::uint32_t version,
                                  std::uint32_t flags) {
    return ExchangeWhole(block, archive, [&](StudiesBlock& target) {
        archive.ExchangeShort(&target.priceDisplay, u"PriceDisplay", 0);
        ExchangeFlag(archive, &target.priceStartInZero, u"PriceStartInZero", 0, version);
        if (const auto result = exchangePriceSeries(target, archive, version, flags); com::FAILED(result))
            return result;
        return exchangeStudies(target, archive, version, flags);
    });
}

}  // namespace dravik
