#include "frame/chart/ChartWindowSettings.h"

#include <cmath>
#include <limits>

#include "frame/ProgramSettings.h"

namespace frame::chart {

std::int32_t StoredInteger(const QString& key, std::int32_t defaultValue, std::int32_t low,
                           std::int32_t high) {
    const QString text = ProgramSettings::text(key).trimmed();
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < low || value > high)
        return defaultValue;
    return static_cast<std::int32_t>(value);
}

float StoredSingle(const QString& key, float defaultValue) {
    const QString text = ProgramSettings::text(key).trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        return defaultValue;
    return static_cast<float>(value);
}

StoredChartChoices ReadStoredChartChoices() {
    constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
    const StoredChartChoices d;
    StoredChartChoices c;
    c.mainLeft = StoredSingle(QStringLiteral("MainLeft"), d.mainLeft);
    c.mainTop = StoredSingle(QStringLiteral("MainTop"), d.mainTop);
    c.mainWidth = StoredSingle(QStringLiteral("MainWidth"), d.mainWidth);
    c.mainHeight = StoredSingle(QStringLiteral("MainHeight"), d.mainHeight);
    c.lastWL = StoredInteger(QStringLiteral("LastWL"), d.lastWL, kInt32Min, kInt32Max);
    c.selectedCompany =
        StoredInteger(QStringLiteral("SelectedCompany"), d.selectedCompany, kInt32Min, kInt32Max);
    if (c.selectedCompany < 1)
        c.selectedCompany = 1;
    c.period =
        static_cast<std::int16_t>(StoredInteger(QStringLiteral("Period"), d.period, 0, kPeriodCount - 1));
    c.interval = static_cast<std::int16_t>(
        StoredInteger(QStringLiteral("Interval"), d.interval, 0, kIntervalCount - 1));
    c.adjusted = static_cast<std::int16_t>(StoredInteger(QStringLiteral("Adjusted"), d.adjusted, 0, 1));
    c.generalIndex =
        static_cast<std::int16_t>(StoredInteger(QStringLiteral("GeneralIndex"), d.generalIndex, 0, 1));
    c.sectorIndex =
        static_cast<std::int16_t>(StoredInteger(QStringLiteral("SectorIndex"), d.sectorIndex, 0, 1));
    c.defaultMarket = StoredInteger(QStringLiteral("DefaultMarket"), d.defaultMarket, kInt32Min, kInt32Max);
    if (c.defaultMarket < 1)
        c.defaultMarket = 1;
    c.lastTemplate = StoredInteger(QStringLiteral("LastTemplate"), d.lastTemplate, kInt32Min, kInt32Max);
    return c;
}

}  // namespace frame::chart
