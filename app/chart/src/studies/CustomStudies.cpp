#include "appchart/studies/CustomStudies.h"

#include <optional>

#include "appdata/Globals.h"
#include "com/Activation.h"
#include "indikon/Indikon.h"
#include "studies/StudyChartView.h"

namespace tarnwick::chart {

namespace {

std::uint64_t g_calculations = 0;

// A statement whose failure is ignored: the procedure runs on with the next one.
template <class Body>
void ignoringErrors(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

com::ComPtr<indikon::_Field> fieldOf(indikon::_RecordSet* records, const char16_t* name) {
    com::ComPtr<indikon::_Field> field;
    if (records) {
        records->getField(com::Bstr(name), field.put());
    }
    return field;
}

const char16_t* rsiSourceName(std::int16_t workSeries) {
    switch (workSeries) {
        case -4:
            return u"Open";
        case -3:
            return u"High";
        case -2:
            return u"Low";
        default:
            return u"Close";
    }
}

// The value of a result at a chart point, when the result has one; rows are numbered from 1.
std::optional<double> resultAt(indikon::_RecordSet* result, const char16_t* field, std::int32_t point) {
    const std::int32_t row = point + 1;
    double value = 0;
    if (!result || row > INT16_MAX ||
        com::FAILED(result->getValue(com::Bstr(field), static_cast<com::SHORT>(row), &value))) {
        return std::nullopt;
    }
    return value;
}

struct StudyResults {
    com::ComPtr<indikon::_RecordSet> sar;
    com::ComPtr<indikon::_RecordSet> rsi;
};

StudyResults computeStudies(indikon::_Database* database, const StudySettings& settings) {
    StudyResults results;
    com::ComPtr<indikon::_RecordSet> records;
    database->getRecordset(records.put());
    const auto high = fieldOf(records.get(), u"High");
    const auto low = fieldOf(records.get(), u"Low");
    const auto source = fieldOf(records.get(), rsiSourceName(settings.rsiWorkSeries));

    com::ComPtr<indikon::_Oscillator> oscillator;
    if (com::SUCCEEDED(com::createInstance("Indikon.Oscillator", oscillator))) {
        com::Bstr noName;
        oscillator->ParabolicSAR(database, high.get(), low.get(), settings.sarPeriods / 100.0,
                                 kSarMaxAcceleration, &noName, results.sar.put());
    }
    com::ComPtr<indikon::_Index> index;
    if (com::SUCCEEDED(com::createInstance("Indikon.Index", index))) {
        com::Bstr alias(u"Rsi");
        index->RelativeStrengthIndex(database, source.get(), settings.rsiPeriods, &alias, results.rsi.put());
    }
    return results;
}

// Writes a study value into the point when the point has a close and the value is not 0.
void writeValue(StudyChart& chart, std::int16_t closeSeries, std::int16_t series, std::int32_t point,
                std::optional<double> value) {
    ignoringErrors([&] {
        if (value && *value != 0 && IsChartValue(chart.valueAt(closeSeries, point))) {
            chart.setValueAt(series, point, *value);
        }
    });
}

}  // namespace

void CalculateCustomStudies(StudyChart& chart, std::int32_t TrimDays) {
    std::int32_t points = 0;
    ignoringErrors([&] { points = chart.pointCount(); });
    if (points < 2) {
        return;
    }
    ++g_calculations;
    const std::int32_t trim = !gSpecial ? 0 : (TrimDays == 0 ? kDefaultTrimDays : TrimDays);

    com::ComPtr<indikon::_Database> database;
    if (com::FAILED(com::createInstance("Indikon.Database", database))) {
        return;
    }
    const com::ComPtr<StudyChartView> view = com::makeComObject<StudyChartView>(chart);
    database->OpenDatabaseFX(view.get(), trim);

    StudySettings settings;
    PriceSeriesNumbers prices;
    ignoringErrors([&] { settings = chart.studySettings(); });
    ignoringErrors([&] { prices = chart.priceSeries(); });
    const StudyResults results = computeStudies(database.get(), settings);

    ignoringErrors([&] { points = chart.pointCount(); });
    for (std::int32_t i = 0; i < points - trim; ++i) {
        writeValue(chart, prices.close, settings.sarSeries, i,
                   resultAt(results.sar.get(), u"ParabolicSAR", i));
        writeValue(chart, prices.close, settings.rsiSeries, i, resultAt(results.rsi.get(), u"Rsi", i));
    }
    database->CloseDatabase();
}

std::uint64_t CustomStudiesCalculationCount() {
    return g_calculations;
}

}  // namespace tarnwick::chart
