// The record the extension keeps for one study number: whether and how the study is shown, its
// output series and its parameters. Behaviour on top of it belongs to the analytical chart and the
// study objects.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "resources/ResourceText.h"
#include "series/SeriesAttributeRecord.h"

namespace dravik {

inline constexpr std::size_t kStudyCount = 58;  // 0-37 built in, 38-47 user, 48-57 custom
inline constexpr std::size_t kBuiltInStudyCount = 38;
inline constexpr int kLastBuiltInStudyKind = static_cast<int>(kBuiltInStudyCount) - 1;
inline constexpr std::size_t kFirstUserStudy = 38;
inline constexpr std::size_t kFirstCustomStudy = 48;
inline constexpr std::size_t kStudyOutputCount = 4;
inline constexpr std::int16_t kStudyNameBytes = 40;
inline constexpr std::int16_t WEIGHTED_MOVINGAVG = 6;

// The parameters a study carries share one 8-byte area: D, StartValue and the envelope percentage as
// a double over all of it; SignalPeriod (also read as Percentage), LongPeriod and ShortPeriod as three
// shorts from its start. The weighted average keeps its weights apart, with the linear-weights flag
// (set: the weights are 1..Periods).
struct StudyParameters {
    std::array<std::uint8_t, 8> area{};
    std::vector<std::int16_t> weights;
    std::uint8_t linearWeights = 1;

    double D() const { return read<double>(0); }
    void setD(double value) { write(0, value); }
    std::int16_t signalPeriod() const { return read<std::int16_t>(0); }
    void setSignalPeriod(std::int16_t value) { write(0, value); }
    std::int16_t longPeriod() const { return read<std::int16_t>(2); }
    void setLongPeriod(std::int16_t value) { write(2, value); }
    std::int16_t shortPeriod() const { return read<std::int16_t>(4); }
    void setShortPeriod(std::int16_t value) { write(4, value); }

    friend bool operator==(const StudyParameters&, const StudyParameters&) = default;

private:
    template <typename T>
    T read(std::size_t offset) const {
        T value;
        std::memcpy(&value, area.data() + offset, sizeof value);
        return value;
    }
    template <typename T>
    void write(std::size_t offset, T value) {
        std::memcpy(area.data() + offset, &value, sizeof value);
    }
};

struct StudyRecord {
    StudyRecord() { name.SetSize(kStudyNameBytes); }

    std::int16_t inUse = 0;
    std::uint8_t visible = 0;
    CResourceText name;
    std::int16_t subIndicators = 0;  // output series in use, at most kStudyOutputCount
    std::array<SeriesAttributeRecord, kStudyOutputCount> series;
    std::int16_t defaultSeries = 0;
    std::int16_t calcIndex = 0;
    std::int16_t space = 15;    // percent of the chart height for the study's axis
    std::int16_t spaceGap = 3;  // percent of gap above the study pane
    std::int16_t labelAxis = 0;
    std::int16_t usedAxis = -1;  // 0-2 study axes, 3 the price axis
    std::uint8_t priceIndicator = 0;
    std::uint8_t startInZero = 0;
    std::uint8_t rememberAxisIndex = 0;
    std::int16_t workSeries = -1;  // -4 open, -3 high, -2 low, -1 close, or a chart series
    std::int16_t periods = 0;
    StudyParameters parameters;
    std::int32_t recalcPending = 0;  // 1: the values must be computed again
};

}  // namespace dravik
