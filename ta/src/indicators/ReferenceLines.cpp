#include "indicators/ReferenceLines.h"

#include <array>
#include <span>

#include "core/Indicator.h"
#include "indicators/General.h"

namespace indikon {
namespace {

// The extremes of a range, with the positions where they stand.
struct PriceRange {
    double max = 0;
    double min = 0;
    int maxPosition = 0;
    int minPosition = 0;
};

struct NoteValue {
    double value;
    int period;
};

NoteValue valueOf(_Note* note) {
    double value = 0;
    com::SHORT period = 0;
    check(note->getValue(&value));
    check(note->getPeriod(&period));
    return {value, period};
}

void checkRange(int recordCount, int startPeriod, int endPeriod, const char* source) {
    if (endPeriod > recordCount)
        raiseValidation(Error::InvalidEndPeriod, source);
    if (startPeriod < 1)
        raiseValidation(Error::InvalidStartPeriod, source);
}

// The highest high and the lowest low of records startPeriod..endPeriod, through a General object: its
// failures come back as that method reported them, never as parameter checks of the caller.
PriceRange priceRange(_RecordSet* ohlcv, int startPeriod, int endPeriod) {
    const com::ComPtr<_Field> high = fieldNamed(ohlcv, com::Bstr(u"High"));
    const com::ComPtr<_Field> low = fieldNamed(ohlcv, com::Bstr(u"Low"));
    const com::ComPtr<_General> general = com::makeComObject<General>();
    com::ComPtr<_Note> highest;
    com::ComPtr<_Note> lowest;
    check(general->MaxValue(high.get(), toInteger(startPeriod), toInteger(endPeriod), highest.put()));
    check(general->MinValue(low.get(), toInteger(startPeriod), toInteger(endPeriod), lowest.put()));
    const NoteValue max = valueOf(highest.get());
    const NoteValue min = valueOf(lowest.get());
    return {max.value, min.value, max.period, min.period};
}

struct Level {
    const char16_t* name;
    double (*at)(double max, double min);
};

// There is no quadrant line at the half.
constexpr std::array<Level, 4> kQuadrantLines{{
    {u"QuadrantLines1", [](double max, double) { return max; }},
    {u"QuadrantLines2", [](double max, double min) { return min + 3 * (max - min) / 4; }},
    {u"QuadrantLines3", [](double max, double min) { return min + (max - min) / 4; }},
    {u"QuadrantLines4", [](double, double min) { return min; }},
}};

constexpr std::array<Level, 3> kTironeLevels{{
    {u"TironeTop", [](double max, double min) { return max - (max - min) / 3; }},
    {u"TironeMedian", [](double max, double min) { return min + (max - min) / 2; }},
    {u"TironeBottom", [](double max, double min) { return min + (max - min) / 3; }},
}};

struct LevelStudyRule {
    const char* source;
    std::span<const Level> levels;
};

LevelStudyRule ruleOf(LevelStudy study) {
    if (study == LevelStudy::QuadrantLines)
        return {"QuadrantLines", kQuadrantLines};
    return {"TironeLevel", kTironeLevels};
}

// The speed-resistance lines in field order: to one third, two thirds and all of the range.
constexpr std::array<const char16_t*, 3> kSpeedResistanceNames{
    u"SpeedResistanceLineTop", u"SpeedResistanceLineMedian", u"SpeedResistanceLineBottom"};

}  // namespace

com::ComPtr<_RecordSet> levelLines(LevelStudy study, _Database* data, _RecordSet* ohlcv, int startPeriod,
                                   int endPeriod) {
    const LevelStudyRule rule = ruleOf(study);
    Cursor cursor(data);
    const int n = cursor.recordCount();
    checkRange(n, startPeriod, endPeriod, rule.source);
    const PriceRange range = priceRange(ohlcv, startPeriod, endPeriod);

    com::ComPtr<_RecordSet> records = newRecordSet({});
    for (const Level& level : rule.levels) {
        const com::ComPtr<_Field> line = newField(n, com::Bstr(level.name));
        check(records->addField(line.get()));
        const Series out(line.get());
        const double value = level.at(range.max, range.min);
        walkRecords(cursor, startPeriod, endPeriod, [&](int i) { out.set(i, value); });
    }
    cursor.moveFirst();
    return records;
}

com::ComPtr<_RecordSet> speedResistanceLines(_Database* data, _RecordSet* ohlcv, com::SHORT& startPeriod,
                                             com::SHORT& endPeriod) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    checkRange(n, startPeriod, endPeriod, "SpeedResistanceLines");
    const PriceRange range = priceRange(ohlcv, startPeriod, endPeriod);
    const int from = range.minPosition;
    const int to = range.maxPosition;
    startPeriod = toInteger(from);
    endPeriod = toInteger(to);

    const double step = (range.max - range.min) / 3;
    com::ComPtr<_RecordSet> records = newRecordSet({});
    for (std::size_t k = 0; k < kSpeedResistanceNames.size(); ++k) {
        const com::ComPtr<_Field> line = newField(n, com::Bstr(kSpeedResistanceNames[k]));
        check(records->addField(line.get()));
        const Series out(line.get());
        const double target = range.min + static_cast<double>(k + 1) * step;
        const double slope = divide(target - range.min, to - from);
        // From the low at its own record to the target at the high's record.
        walkRecords(cursor, from, to, [&](int i) { out.set(i, range.min + slope * (i - from)); });
    }
    cursor.moveFirst();
    return records;
}

com::ComPtr<_RecordSet> fibonacciMarks(_Field* source, int startPeriod, int endPeriod,
                                       const com::Bstr& name) {
    if (!source)
        raise(RuntimeError::ObjectNotSet);
    com::SHORT n = 0;
    check(source->getRecordCount(&n));
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    // Counted in full width: the number that ends the loop, the first whose mark passes endPeriod, may
    // itself exceed an Integer.
    long long number = 1;
    long long before = 0;
    for (int i = startPeriod; i <= endPeriod; ++i) {
        const long long older = before;
        before = number;
        number += older;
        if (i + number > endPeriod)
            break;
        out.set(static_cast<int>(i + number - 1), static_cast<double>(number));
    }
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> trendLinePenetration(_Field* source, int trendStartPeriod, double trendStartValue,
                                             int trendEndPeriod, double trendEndValue,
                                             const com::Bstr& name) {
    const Series prices(source);
    com::SHORT n = 0;
    check(source->getRecordCount(&n));
    const com::ComPtr<_Field> trendField = newField(n, com::Bstr(u"Trend"));
    const com::ComPtr<_Field> result = newField(n, name);
    const int span = toInteger(trendEndPeriod - trendStartPeriod);
    if (span < 5 || trendEndPeriod > n)
        raise(RuntimeError::InvalidCall);

    const Series trend(trendField.get());
    const double slope = (trendEndValue - trendStartValue) / span;
    // The line runs through the source's own value at its start, whatever the start value given.
    double t = prices.at(trendStartPeriod) - slope;
    for (int i = trendStartPeriod; i <= trendEndPeriod; ++i) {
        t += slope;
        trend.set(i, t);
        yieldAfterRecord(i);
    }
    const Series out(result.get());
    for (int i = trendStartPeriod + 1; i <= trendEndPeriod; ++i) {
        const double lineBefore = trend.at(i - 1);
        const double line = trend.at(i);
        const double priceBefore = prices.at(i - 1);
        const double price = prices.at(i);
        if (lineBefore < priceBefore && line >= price)
            out.set(i, -1);
        else if (lineBefore > priceBefore && line <= price)
            out.set(i, 1);
        yieldAfterRecord(i);
    }
    return newRecordSet({trendField.get(), result.get()});
}

}  // namespace indikon
