// The chart control's own settings, kept by the extension while one of its chart types has replaced
// them (the chart snapshot), and their exchange.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "com/FixedText.h"
#include "com/HResult.h"

namespace dravik {

class CPropertyArchive;

inline constexpr std::size_t kSnapshotAxisCount = 7;
// A currency symbol of at most 5 bytes and its terminator.
inline constexpr std::int16_t kSnapshotCurrencyBytes = 6;
// More series than a 16-bit series index can name is a damaged save.
inline constexpr std::int32_t kMaxSnapshotSeries = 0x7FFF;
// Estimated bytes of a saved snapshot: a base and 8 per series.
inline constexpr std::uint32_t kChartSnapshotSavedSize = 752;
inline constexpr std::uint32_t kChartSnapshotSeriesSavedSize = 8;

struct AxisSnapshot {
    double min = 0;
    double max = 0;
    double step = 0;
    double minorStep = 0;
    double logBase = 0;
    double scaleUnit = 0;
    double decimals = 0;
    double pixPerUnit = 0;
    double labelValue = 0;
    std::int32_t style = 0;
    std::uint8_t visible = 0;
    std::uint32_t locale = 1024;
    std::array<char, kSnapshotCurrencyBytes> currency{};

    std::string currencyText() const { return com::readFixed(currency); }
    friend bool operator==(const AxisSnapshot&, const AxisSnapshot&) = default;
};

// One 8-byte entry per series.
struct SeriesSnapshot {
    std::int16_t volume = 0;
    std::int16_t yAxis = 0;
    std::int16_t pointType = 0;
    std::uint8_t border = 0;
    std::uint8_t visible = 0;

    friend bool operator==(const SeriesSnapshot&, const SeriesSnapshot&) = default;
};

class GalleryDataCache {
public:
    // Clears the counts and the series entries, and the persist flag unless told to keep it.
    void Reset(bool keepPersistFlag = false);
    // Stores both counts and makes one entry per series.
    void Allocate(std::int32_t seriesCount, std::int32_t pointCount);
    // Releases the series entries and resets, keeping the persist flag.
    void Free() { Reset(true); }

    std::int32_t SeriesCount() const { return static_cast<std::int32_t>(series.size()); }

    std::int16_t persistData = 0;  // nonzero: the snapshot is saved
    std::int32_t pointCount = 0;
    std::uint8_t multipleColors = 0;
    std::uint32_t borderColors = 0;
    std::uint8_t border = 0;
    std::int32_t colorCount = 0;
    std::uint8_t allowDrag = 0;
    std::uint8_t threeD = 0;
    std::int32_t chartType = 0;
    std::int32_t chartStyle = 0;
    std::int32_t borderStyle = 0;
    std::int32_t propPageMask = 0;
    std::array<AxisSnapshot, kSnapshotAxisCount> axes{};
    std::vector<SeriesSnapshot> series;
    std::uint8_t printForceColors = 0;

    friend bool operator==(const GalleryDataCache&, const GalleryDataCache&) = default;
};

// Nothing with a body-only exchange; only "_kvlinfoPersistData" when it is 0. Saves before version 31
// load LogBase as 0; saves of version 22 and older load locale 1024 and no currency symbol; saves
// before 17 load no print-force-colours. A series or axis count outside its array fails with
// kDamagedState. Returns S_OK or the failure.
com::HRESULT ExchangeChartInfo(GalleryDataCache& cache, CPropertyArchive& archive, std::uint32_t version,
                               std::uint32_t flags);

}  // namespace dravik
