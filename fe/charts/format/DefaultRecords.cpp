#include "format/DefaultRecords.h"

#include "format/LocaleFormats.h"

namespace dravik {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kSilver = 0xC0C0C0;

SeriesAttributeRecord lineFigureSeries(std::int16_t firstLineWidth) {
    SeriesAttributeRecord record;
    record.setMask = SA_LINESTYLE | SA_VOLUME | SA_BORDER | SA_LINEWIDTH | SA_COLOR;  // 0x51220
    record.volume = 100;
    record.lineWidth = {firstLineWidth, 1};
    return record;
}

SeriesAttributeRecord boxChartSeries() {
    SeriesAttributeRecord record;
    record.setMask =
        SA_VOLUME | SA_BORDER | SA_LINEWIDTH | SA_COLOR | SA_BORDERCOLOR | SA_BKCOLOR;  // 0x1D1200
    record.volume = 100;
    record.border = 1;
    record.lineWidth = {1, 1};
    record.color = {0, kWhite};
    record.bkColor = {kSilver, kSilver};
    return record;
}

SeriesAttributeRecord priceSeries(std::size_t index) {
    SeriesAttributeRecord record;
    record.lineWidth = {1, 1};
    if (index == 0) {
        record.setMask = SA_LINESTYLE | SA_POINTTYPE | SA_BORDER | SA_LINEWIDTH;  // 0x11060
        return record;
    }
    record.setMask =
        SA_GALLERY | SA_LINESTYLE | SA_POINTTYPE | SA_VOLUME | SA_BORDER | SA_LINEWIDTH;  // 0x11262
    record.gallery = index == 2 ? -1 : 1;
    record.lineStyle = index >= 2 ? 4 : 0;
    record.volume = index == 1 ? 10 : 100;
    return record;
}

struct AxisDefault {
    std::uint32_t usedFields;
    FormatCode format;
    bool noDecimals;  // 0 digits and 0 decimals
};

constexpr std::array<AxisDefault, kDefaultAxisCount> kAxisDefaults{{
    {0x4440, FC_NUMBER, false},
    {0x44C0, FC_NUMBER, true},
    {0x40, FC_CURRENCY, false},
    {0x40, FC_NUMBER, false},
    {0x45C0, FC_PERCENT, true},
    {0x4440, FC_CURRENCY, false},
}};

AxisSettingsRecord axisDefault(const AxisDefault& entry) {
    AxisSettingsRecord record;
    record.usedFields = entry.usedFields;
    record.step = -1;  // automatic
    record.minorStep = -1;
    record.scaleUnit = 1.0;
    record.decimals = entry.noDecimals ? 0 : 2;
    record.locale = 0x400;
    record.format = entry.format;
    record.prepared.number = DefaultCurrencyRecord();
    if (entry.noDecimals)
        record.prepared.number.digits = 0;
    return record;
}

void fill(DefaultRecords& records) {
    records.series[DSR_POINTFIGURE] = lineFigureSeries(2);
    records.series[DSR_KAGI] = lineFigureSeries(3);
    records.series[DSR_BOXCHART] = boxChartSeries();
    for (std::size_t i = 0; i < kPriceSeriesCount; ++i)
        records.series[DSR_PRICE0 + i] = priceSeries(i);
    for (std::size_t i = 0; i < kDefaultAxisCount; ++i)
        records.axes[i] = axisDefault(kAxisDefaults[i]);
    for (std::size_t i = 0; i < kDateLabelFormatCount; ++i) {
        records.dateCodes[i] = kDefaultDateLabelFormats[i].code;
        records.dateFormats[i] = defaultDateLabelFormat(i);
    }
}

// Filled in place, so that references handed out stay valid when the records are filled again.
DefaultRecords& records() {
    static DefaultRecords instance;
    return instance;
}

bool& filled() {
    static bool done = false;
    return done;
}

}  // namespace

void InitDefaultRecords() {
    fill(records());
    filled() = true;
}

const DefaultRecords& GetDefaultRecords() {
    if (!filled())
        InitDefaultRecords();
    return records();
}

const SeriesAttributeRecord& DefaultSeriesRecord(DefaultSeriesIndex index) {
    return GetDefaultRecords().series.at(index);
}

const SeriesAttributeRecord& DefaultPriceSeriesRecord(std::size_t priceSeries) {
    return GetDefaultRecords().series.at(DSR_PRICE0 + priceSeries);
}

const AxisSettingsRecord& DefaultAxisRecord(std::size_t index) {
    return GetDefaultRecords().axes.at(index);
}

}  // namespace dravik
