#pragma once

// The chart window's own choices in the settings store, as the load reads them back. A stored value
// that does not convert, or lies outside what its control can take, counts as the key's default.

#include <QString>

#include <cstdint>

namespace frame::chart {

// Placement of the frame window in twips; Left -100 means nothing was stored.
inline constexpr float kUnplacedLeft = -100.0F;

// List sizes of the chart settings window's combos.
inline constexpr std::int16_t kPeriodCount = 10;
inline constexpr std::int16_t kIntervalCount = 3;

struct StoredChartChoices {
    float mainLeft = kUnplacedLeft;
    float mainTop = -60.0F;
    float mainWidth = 12160.0F;
    float mainHeight = 8670.0F;
    std::int32_t lastWL = -2;
    std::int32_t selectedCompany = 199;
    std::int16_t period = 4;
    std::int16_t interval = 0;
    std::int16_t adjusted = 1;
    std::int16_t generalIndex = 0;
    std::int16_t sectorIndex = 0;
    std::int32_t defaultMarket = 1;
    std::int32_t lastTemplate = 1;
};

// Reads the chart window's choices from the store, corrected: a company or market below 1 becomes 1.
StoredChartChoices ReadStoredChartChoices();

// The stored text of a key as a number of the given kind; the default when it is missing, does not
// convert or lies outside [low, high].
std::int32_t StoredInteger(const QString& key, std::int32_t defaultValue, std::int32_t low,
                           std::int32_t high);
float StoredSingle(const QString& key, float defaultValue);

}  // namespace frame::chart
