#include "state/GalleryDataCache.h"

#include <array>

#include "persist/CPropertyArchive.h"
#include "state/ExchangeKeys.h"

namespace dravik {
namespace {

struct AxisDouble {
    const char* key;
    double AxisSnapshot::*field;
};

// "_okvlaxisStep" is the key as saves have always carried it.
constexpr std::array kAxisDoubles{
    AxisDouble{"_kvlaxisMin", &AxisSnapshot::min},
    AxisDouble{"_kvlaxisMax", &AxisSnapshot::max},
    AxisDouble{"_okvlaxisStep", &AxisSnapshot::step},
    AxisDouble{"_kvlaxisMinorStep", &AxisSnapshot::minorStep},
    AxisDouble{"_kvlaxisLogBase", &AxisSnapshot::logBase},
    AxisDouble{"_kvlaxisScaleUnit", &AxisSnapshot::scaleUnit},
    AxisDouble{"_kvlaxisDecimals", &AxisSnapshot::decimals},
    AxisDouble{"_kvlaxisPixPerUnit", &AxisSnapshot::pixPerUnit},
    AxisDouble{"_kvlaxisLabelValue", &AxisSnapshot::labelValue},
};

void exchangeAxis(AxisSnapshot& axis, CPropertyArchive& archive, int index, std::uint32_t version) {
    const std::string prefix = IndexedPrefix("_kvlaxis(%d).", index);
    for (const AxisDouble& entry : kAxisDoubles)
        archive.ExchangeDouble(&(axis.*entry.field), ExchangeKey(prefix, entry.key).c_str(), 0.0);
    if (!archive.IsStoring() && version < 31)
        axis.logBase = 0;
    archive.ExchangeLong(&axis.style, ExchangeKey(prefix, "_kvlaxisStyle").c_str(), 0);
    ExchangeFlag(archive, &axis.visible, ExchangeKey(prefix, "_kvlaxisVisible"), 0, version);
    if (version <= 22) {
        if (!archive.IsStoring()) {
            axis.locale = 1024;
            axis.currency.fill('\0');
        }
        return;
    }
    archive.ExchangeUlong(&axis.locale, ExchangeKey(prefix, "_kvlaxisLocale").c_str(), 1024);
    ExchangeTextField(archive, axis.currency.data(), kSnapshotCurrencyBytes,
                      ExchangeKey(prefix, "_kvlaxisCurrency"));
}

void exchangeSeries(SeriesSnapshot& series, CPropertyArchive& archive, int index, std::uint32_t version) {
    const std::string prefix = IndexedPrefix("_kvlseries(%d).", index);
    archive.ExchangeShort(&series.volume, ExchangeKey(prefix, "_kvlseriesVolume").c_str(), 0);
    archive.ExchangeShort(&series.yAxis, ExchangeKey(prefix, "_kvlseriesYAxis").c_str(), 0);
    archive.ExchangeShort(&series.pointType, ExchangeKey(prefix, "_kvlseriesPointType").c_str(), 0);
    ExchangeFlag(archive, &series.border, ExchangeKey(prefix, "_kvlseriesBorder"), 1, version);
    ExchangeFlag(archive, &series.visible, ExchangeKey(prefix, "_kvlseriesVisible"), 0, version);
}

// The smallest number of bytes one saved series takes.
std::uint64_t seriesBytes(std::uint32_t version) {
    return version >= 15 ? 8 : 10;
}

com::HRESULT exchangeCounts(GalleryDataCache& cache, CPropertyArchive& archive, std::uint32_t version) {
    std::int32_t seriesCount = cache.SeriesCount();
    std::int32_t pointCount = cache.pointCount;
    archive.ExchangeInt(&seriesCount, u"_kvlinfoNumSeries", 0);
    archive.ExchangeInt(&pointCount, u"_kvlinfoNumPoints", 0);
    if (archive.IsStoring() || archive.Failed())
        return ArchiveResult(archive);
    if (seriesCount < 0 || seriesCount > kMaxSnapshotSeries || pointCount < 0)
        return kDamagedState;
    const auto left = archive.Remaining();
    if (left && static_cast<std::uint64_t>(seriesCount) * seriesBytes(version) > *left)
        return kDamagedState;
    cache.Allocate(seriesCount, pointCount);
    return com::S_OK;
}

void exchangeChartSettings(GalleryDataCache& cache, CPropertyArchive& archive, std::uint32_t version) {
    ExchangeFlag(archive, &cache.multipleColors, u"_kvlinfoMultipleColors", 0, version);
    archive.ExchangeUlong(&cache.borderColors, u"_kvlinfoBorderColors", 0);
    ExchangeFlag(archive, &cache.border, u"_kvlinfoBorder", 1, version);
    archive.ExchangeInt(&cache.colorCount, u"_kvlinfoNumColors", 0);
    ExchangeFlag(archive, &cache.allowDrag, u"_kvlinfoAllowDrag", 1, version);
    ExchangeFlag(archive, &cache.threeD, u"_kvlinfo3D", 1, version);
    archive.ExchangeLong(&cache.chartType, u"_kvlinfoChartType", 0);
    archive.ExchangeLong(&cache.chartStyle, u"_kvlinfoChartStyle", 0);
    archive.ExchangeLong(&cache.borderStyle, u"_kvlinfoBorderStyle", 0);
    archive.ExchangeLong(&cache.propPageMask, u"_kvlinfoPropPageMask", 0);
}

}  // namespace

void GalleryDataCache::Reset(bool keepPersistFlag) {
    series.clear();
    pointCount = 0;
    if (!keepPersistFlag)
        persistData = 0;
}

void GalleryDataCache::Allocate(std::int32_t seriesCount, std::int32_t points) {
    series.assign(static_cast<std::size_t>(seriesCount > 0 ? seriesCount : 0), SeriesSnapshot{});
    pointCount = points;
}

com::HRESULT ExchangeChartInfo(GalleryDataCache& cache, CPropertyArchive& archive, std::uint32_t version,
                               std::uint32_t flags) {
    if (isBodyOnly(flags))
        return com::S_OK;
    archive.ExchangeShort(&cache.persistData, u"_kvlinfoPersistData", 0);
    if (archive.Failed() || cache.persistData == 0)
        return ArchiveResult(archive);
    if (!archive.IsStoring())
        cache.Free();
    if (const com::HRESULT counted = exchangeCounts(cache, archive, version); com::FAILED(counted))
        return counted;
    exchangeChartSettings(cache, archive, version);

    std::int16_t axisCount = static_cast<std::int16_t>(kSnapshotAxisCount);
    archive.ExchangeShort(&axisCount, u"_kvlinfoNumAxis", static_cast<std::int16_t>(kSnapshotAxisCount));
    if (archive.Failed())
        return ArchiveResult(archive);
    if (!CountFitsArray(axisCount, kSnapshotAxisCount))
        return kDamagedState;
    for (int i = 0; i < axisCount && !archive.Failed(); ++i)
        exchangeAxis(cache.axes[static_cast<std::size_t>(i)], archive, i, version);
    for (std::size_t i = 0; i < cache.series.size() && !archive.Failed(); ++i)
        exchangeSeries(cache.series[i], archive, static_cast<int>(i), version);

    if (version >= 17)
        ExchangeFlag(archive, &cache.printForceColors, u"_kvlinfoPrintForceColors", 0, version);
    else if (!archive.IsStoring())
        cache.printForceColors = 0;
    return ArchiveResult(archive);
}

}  // namespace dravik
