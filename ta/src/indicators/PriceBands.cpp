#include "indicators/PriceBands.h"

#include <cmath>
#include <string>
#include <string_view>

#include "core/Indicator.h"
#include "indicators/Averages.h"
#include "indicators/DirectionalMovement.h"
#include "indicators/PriceColumn.h"
#include "indicators/kernels/Window.h"

namespace indikon {
namespace {

constexpr double kHighLowVidyaScale = 0.8;

// The argument checks of a band method, raised in the order they are made.
class BandChecks {
public:
    explicit BandChecks(std::string_view source) : source_(source) {}

    const BandChecks& kind(int maType) const {
        return require(isMovingAverageType(maType), Error::InvalidMovingAverageType);
    }
    const BandChecks& periods(int periods, int recordCount) const {
        return require(periods >= 1 && periods <= recordCount, Error::InvalidPeriods);
    }
    // A NaN parameter fails too: it would make every band NaN.
    const BandChecks& within(double value, double lowest, double highest, Error error) const {
        return require(value >= lowest && value <= highest, error);
    }

private:
    const BandChecks& require(bool holds, Error error) const {
        if (!holds)
            raiseValidation(error, std::string(source_));
        return *this;
    }

    std::string_view source_;
};

// Runs the computation of an average; any failure in it becomes 1104 "<source>.MAError".
template <typename Compute>
com::ComPtr<_RecordSet> averageOrMAError(std::string_view source, Compute&& compute) {
    try {
        return compute();
    } catch (...) {
        raiseValidation(Error::MovingAverageError, std::string(source) + ".MAError");
    }
}

struct BandPair {
    com::ComPtr<_Field> top;
    com::ComPtr<_Field> bottom;
    Series upper;
    Series lower;

    BandPair(int recordCount, const char16_t* topName, const char16_t* bottomName)
        : top(newField(recordCount, com::Bstr(topName))),
          bottom(newField(recordCount, com::Bstr(bottomName))),
          upper(top.get()),
          lower(bottom.get()) {}

    void set(int position, double middle, double width) const {
        upper.set(position, finiteValue(middle + width));
        lower.set(position, finiteValue(middle - width));
    }
};

}  // namespace

com::ComPtr<_RecordSet> bollingerBands(_Database* data, _Field* source, int periods, int standardDeviations,
                                       int maType) {
    constexpr std::string_view method = "Bands.BollingerBands";
    Cursor cursor(data);
    const int n = cursor.recordCount();
    BandChecks(method)
        .kind(maType)
        .periods(periods, n)
        .within(standardDeviations, 0, 100, Error::InvalidStandardDeviations);
    const BandPair bands(n, u"BollingerBandsTop", u"BollingerBandsBottom");

    const com::Bstr medianName(u"BollingerBandsMedian");
    const com::ComPtr<_RecordSet> records = averageOrMAError(
        method, [&] { return movingAverageOfType(maType, data, source, periods, medianName); });
    const Series median(fieldNamed(records.get(), medianName).get());
    const Series values(source);

    // Every deviation of the window is taken from the median at the window's newest record. Like the
    // standard deviation, the band loop does not yield.
    cursor.setPosition(periods + 1);
    for (int p = periods + 1; p <= n; ++p) {
        const double middle = median.at(p);
        const double spread =
            std::sqrt(divide(kernels::squaredDeviations(values, p, periods, middle), periods));
        bands.set(p, middle, standardDeviations * spread);
        if (p < n)
            cursor.moveNext();
    }
    check(records->addField(bands.top.get()));
    check(records->addField(bands.bottom.get()));
    cursor.moveFirst();
    return records;
}

com::ComPtr<_RecordSet> movingAverageEnvelope(_Database* data, _Field* source, int periods, int maType,
                                              double shift) {
    constexpr std::string_view method = "Bands.MovingAverageEnvelope";
    Cursor cursor(data);
    const int n = cursor.recordCount();
    BandChecks(method).kind(maType).periods(periods, n).within(shift, 0, 100, Error::InvalidShift);
    const BandPair bands(n, u"EnvelopeTop", u"EnvelopeBottom");

    const com::Bstr averageName(u"Temp");
    const com::ComPtr<_RecordSet> records = averageOrMAError(
        method, [&] { return movingAverageOfType(maType, data, source, periods, averageName); });
    const Series average(fieldNamed(records.get(), averageName).get());
    walkRecords(cursor, 1, n, [&](int p) {
        const double middle = average.at(p);
        bands.set(p, middle, finiteValue(middle * shift));
    });
    check(records->addField(bands.top.get()));
    check(records->addField(bands.bottom.get()));
    check(records->removeField(averageName));
    cursor.moveFirst();
    return records;
}

com::ComPtr<_RecordSet> highLowBands(_Database* data, _Field* highPrice, _Field* lowPrice, _Field* closePrice,
                                     int periods) {
    constexpr std::string_view method = "Bands.HighLowBands";
    Cursor cursor(data);
    BandChecks(method).within(periods, 6, cursor.recordCount(), Error::InvalidBandPeriods);

    const com::Bstr names[] = {com::Bstr(u"HighLowBandsTop"), com::Bstr(u"HighLowBandsMedian"),
                               com::Bstr(u"HighLowBandsBottom")};
    const struct {
        _Field* source;
        int periods;
    } lines[] = {{highPrice, periods}, {closePrice, roundToInteger(periods / 2.0)}, {lowPrice, periods}};
    com::ComPtr<_Field> fields[3];
    for (int k = 0; k < 3; ++k) {
        const com::ComPtr<_RecordSet> averaged = averageOrMAError(method, [&] {
            return vidya(data, lines[k].source, lines[k].periods, kHighLowVidyaScale, names[k]);
        });
        fields[k] = fieldNamed(averaged.get(), names[k]);
    }
    cursor.moveFirst();
    return newRecordSet({fields[0].get(), fields[1].get(), fields[2].get()});
}

com::ComPtr<_RecordSet> keltner(_Database* data, _RecordSet* ohlcv, int periods, double factor) {
    const com::Bstr rangeName(u"ATR");
    const PriceColumn range(averageTrueRange(data, ohlcv, periods, rangeName).get(), rangeName.view());
    const com::ComPtr<_Field> close = fieldNamed(ohlcv, com::Bstr(u"Close"));
    const com::Bstr medianName(u"Keltner Median");
    const com::ComPtr<_Field> medianField =
        fieldNamed(vidya(data, close.get(), periods, kVidyaScale, medianName).get(), medianName);
    const Series median(medianField.get());

    com::SHORT count = 0;
    check(close->getRecordCount(&count));
    const BandPair bands(count, u"Keltner Top", u"Keltner Bottom");
    for (int p = periods; p <= count; ++p)
        bands.set(p, median.at(p), finiteValue(range.at(p) * factor));
    return newRecordSet({medianField.get(), bands.top.get(), bands.bottom.get()});
}

}  // namespace indikon
