// The analytical chart's price series as the host meets them in the chart that loaded the extension:
// whatever the price display, the chart type, a new company's rows or the host naming its series
// again, the series the host reads as the open holds the opens and the one it reads as the low the
// lows; bars and candles start with the open; and prices and volume are drawn in the colours the
// chart gave their series, not in colours left by other chart types' records.
#include <QImage>

#include <array>
#include <vector>

#include "ExtensionInTheChart.h"
#include "GalleryFixture.h"
#include "analytical/CAnalyticalChart.h"
#include "com/ComObject.h"
#include "com/Variant.h"
#include "dravik/Commands.h"
#include "dravik/IFinancialCharts.h"
#include "dravik/SeriesInterfaces.h"
#include "format/DefaultRecords.h"
#include "format/LocaleFormats.h"
#include "gdi/DeviceContext.h"
#include "locale/LocaleRegistry.h"

namespace dravik::test {
namespace {

constexpr LONG kPricePoints = 12;
// The host's columns (its default binding): low, open, close, high and volume in series 0-4, then
// the date.
constexpr SHORT kLowColumn = 0;
constexpr SHORT kOpenColumn = 1;
constexpr SHORT kCloseColumn = 2;
constexpr SHORT kHighColumn = 3;
constexpr SHORT kVolumeColumn = 4;
constexpr LONG kDateColumn = 5;
constexpr SHORT kVolumeStudy = 12;
// The colours the chart gives series 0-4 when the extension prepares it: the first entries of the
// chart's palette.
constexpr std::array<LONG, 5> kPreparedColours{0x0000FF, 0x008000, 0xFF0000, 0x00C0C0, 0x800080};
constexpr LONG kWhitePlot = 0xFFFFFF;

// One company's day at point p, from its base price: low base + p, open a quarter above, close a half
// above, high three quarters above (all exact in binary); volume 1000 + 10 p.
struct Day {
    double low, open, close, high, volume;
};
Day dayOf(double base, LONG p) {
    const double low = base + p;
    return Day{low, low + 0.25, low + 0.5, low + 0.75, 1000.0 + 10.0 * p};
}

// The rows the host hands the chart: a row per day, its columns in the host's order.
class CompanyRows final : public com::ComObject<korvel::IKvlDataProvider> {
public:
    explicit CompanyRows(double base) : base_(base) {}
    HRESULT SetRecordset(com::IUnknown*) override { return com::S_OK; }
    HRESULT GetShape(LONG* columns, LONG* rows) override {
        *columns = kDateColumn + 1;
        *rows = kPricePoints;
        return com::S_OK;
    }
    HRESULT GetCell(LONG row, LONG column, com::Variant* value) override {
        const Day day = dayOf(base_, row);
        const std::array<double, 5> prices{day.low, day.open, day.close, day.high, day.volume};
        *value = column == kDateColumn ? com::Variant::date(45000.0 + row)
                                       : com::Variant(prices[static_cast<std::size_t>(column)]);
        return com::S_OK;
    }

private:
    double base_;
};

class AnalyticalPricesInTheChart : public ExtensionInTheChart {
protected:
    void SetUp() override {
        loc::LocaleRegistry::reset();
        loc::LocaleRegistry::setUserDefault(loc::LocaleInfo::english());
        InitLocaleFormats();
        InitDefaultRecords();
        ExtensionInTheChart::SetUp();
        ASSERT_EQ(chart->put_ColumnKind(static_cast<SHORT>(kDateColumn), korvel::kColumnXValue), com::S_OK);
    }

    LONG galleryType(SHORT index) {
        LONG type = 0;
        EXPECT_EQ(extension->get_GalleryType(index, &type), com::S_OK);
        return type;
    }
    // What the host does to show a company: it names its price series, shows the analytical chart
    // and hands the chart the company's rows; then it sets the price display.
    void showCompany(double base, SHORT display) {
        ASSERT_EQ(extension->put_OpenSeries(kOpenColumn), com::S_OK);
        ASSERT_EQ(extension->put_HighSeries(kHighColumn), com::S_OK);
        ASSERT_EQ(extension->put_LowSeries(kLowColumn), com::S_OK);
        ASSERT_EQ(extension->put_CloseSeries(kCloseColumn), com::S_OK);
        ASSERT_EQ(extension->put_VolumeSeries(kVolumeColumn), com::S_OK);
        ASSERT_EQ(extension->put_FirstUserIndex(5), com::S_OK);
        ASSERT_EQ(extension->put_UserSeries(0), com::S_OK);
        ASSERT_EQ(chart->put_ChartType(galleryType(FINANCIAL_ANALYTICAL)), com::S_OK);
        const auto rows = com::makeComObject<CompanyRows>(base);
        ASSERT_EQ(chart->SetDataProvider(rows.get()), com::S_OK);
        ASSERT_EQ(extension->put_PriceDisplay(display), com::S_OK);
    }
    double chartValue(SHORT series, LONG point) {
        double value = 0;
        EXPECT_EQ(chart->get_ValueAt(series, point, &value), com::S_OK);
        return value;
    }
    // The host's reading of the days (tips, chart values, data editor): each price from the series
    // the extension names for it.
    void expectPricesReadBack(double base) {
        SHORT open = -1, high = -1, low = -1, close = -1;
        ASSERT_EQ(extension->get_OpenSeries(&open), com::S_OK);
        ASSERT_EQ(extension->get_HighSeries(&high), com::S_OK);
        ASSERT_EQ(extension->get_LowSeries(&low), com::S_OK);
        ASSERT_EQ(extension->get_CloseSeries(&close), com::S_OK);
        for (const LONG p : {LONG{0}, LONG{5}, kPricePoints - 1}) {
            SCOPED_TRACE(p);
            const Day day = dayOf(base, p);
            EXPECT_EQ(chartValue(open, p), day.open);
            EXPECT_EQ(chartValue(high, p), day.high);
            EXPECT_EQ(chartValue(low, p), day.low);
            EXPECT_EQ(chartValue(close, p), day.close);
        }
    }
    LONG attribute(LONG series, LONG id) {
        LONG value = -1;
        EXPECT_EQ(chart->model().attribute(series, id, &value), com::S_OK);
        return value;
    }
    // The first shown series that the chart draws in `gallery`, -1 when none.
    LONG firstSeriesDrawnAs(LONG gallery) {
        for (LONG s = 0; s < chart->model().seriesCount(); ++s)
            if (attribute(s, korvel::kAttrGallery) == gallery && attribute(s, korvel::kAttrVisible) != 0)
                return s;
        return -1;
    }
    QImage paintChart() {
        chart->model().setClientSize(640, 480);
        chart->paintSurface();
        return chart->surface()->image().convertToFormat(QImage::Format_RGB32);
    }
    // Pixels of a colour inside the plot, between the rows top and bottom.
    int pixelsOf(const QImage& image, LONG colour, LONG top, LONG bottom) {
        const korvel::KvlRect plot = chart->model().plotRect();
        int count = 0;
        for (LONG y = std::max(top, plot.top + 1); y < std::min(bottom, plot.bottom); ++y)
            for (LONG x = plot.left + 1; x < plot.right; ++x)
                count += gdi::fromQColor(image.pixelColor(static_cast<int>(x), static_cast<int>(y))) ==
                                 static_cast<gdi::COLORREF>(colour)
                             ? 1
                             : 0;
        return count;
    }
    // The row of a value on a control axis at the middle of the plot.
    LONG rowOf(double value, SHORT axis) {
        LONG x = 0, y = 0;
        EXPECT_EQ(chart->ValueToPixel(kPricePoints / 2.0, value, &x, &y, axis), com::S_OK);
        return y;
    }
    com::ComPtr<IIndexSeries> priceSeries(SHORT series) {
        com::ComPtr<IIndexSeries> object;
        EXPECT_EQ(extension->get_PriceSeries(series, object.put()), com::S_OK);
        return object;
    }
};

// The open and the low change places in the chart for bars and candles and for high-low-close, rows
// and numbers together; the host, reading through the numbers, always finds each price where it
// looks: over changes of display, new companies (each naming the series again), other chart types and
// leaving the extension.
TEST_F(AnalyticalPricesInTheChart, TheHostReadsEachPriceFromItsOwnSeries) {
    showCompany(10, HILOWCLOSE_PRICE);
    expectPricesReadBack(10);
    for (const SHORT display : {OPENHILOWCLOSE_PRICE, CANDLESTICK_PRICE, CLOSE_PRICE, HILOWCLOSE_PRICE,
                                NO_PRICE, OPENHILOWCLOSE_PRICE}) {
        SCOPED_TRACE(display);
        ASSERT_EQ(extension->put_PriceDisplay(display), com::S_OK);
        expectPricesReadBack(10);
    }
    // Company switches, one after another (a stale exchange would flip the open and low each time).
    double base = 20;
    for (const SHORT display : {OPENHILOWCLOSE_PRICE, OPENHILOWCLOSE_PRICE, HILOWCLOSE_PRICE,
                                CANDLESTICK_PRICE, CLOSE_PRICE, HILOWCLOSE_PRICE}) {
        SCOPED_TRACE(base);
        showCompany(base, display);
        expectPricesReadBack(base);
        base += 10;
    }
    const double last = base - 10;
    // Another chart type and back.
    ASSERT_EQ(chart->put_ChartType(galleryType(CHART_RENKO)), com::S_OK);
    ASSERT_EQ(chart->put_ChartType(galleryType(FINANCIAL_ANALYTICAL)), com::S_OK);
    expectPricesReadBack(last);
    // The chart's own chart type: the chart holds the host's rows again, and the numbers are the host's.
    ASSERT_EQ(chart->put_ChartType(korvel::kGalleryLines), com::S_OK);
    ASSERT_EQ(extension->activeIndex(), -1);
    expectPricesReadBack(last);
    SHORT open = -1, low = -1;
    extension->get_OpenSeries(&open);
    extension->get_LowSeries(&low);
    EXPECT_EQ(open, kOpenColumn);
    EXPECT_EQ(low, kLowColumn);
    ASSERT_EQ(chart->put_ChartType(galleryType(FINANCIAL_ANALYTICAL)), com::S_OK);
    expectPricesReadBack(last);
}

// Naming the open and the low again while they are exchanged, without new rows, counts in the host's
// order: the chart's rows go back to that order with them.
TEST_F(AnalyticalPricesInTheChart, NamingTheSeriesAgainWithoutNewRowsCountsInTheHostsOrder) {
    showCompany(10, OPENHILOWCLOSE_PRICE);
    SHORT open = -1;
    ASSERT_EQ(extension->get_OpenSeries(&open), com::S_OK);
    ASSERT_EQ(open, kLowColumn) << "bars start with the open";
    ASSERT_EQ(extension->put_OpenSeries(kOpenColumn), com::S_OK);
    ASSERT_EQ(extension->put_LowSeries(kLowColumn), com::S_OK);
    expectPricesReadBack(10);
    EXPECT_EQ(chartValue(kOpenColumn, 3), dayOf(10, 3).open);
    EXPECT_EQ(chartValue(kLowColumn, 3), dayOf(10, 3).low);
    // The next display exchanges them again, and leaving gives the chart the host's rows.
    ASSERT_EQ(extension->put_PriceDisplay(CANDLESTICK_PRICE), com::S_OK);
    expectPricesReadBack(10);
    ASSERT_EQ(chart->put_ChartType(korvel::kGalleryLines), com::S_OK);
    expectPricesReadBack(10);
    EXPECT_EQ(chartValue(kOpenColumn, 3), dayOf(10, 3).open);
}

// The chart draws bars and candles from four consecutive series, the first the open, and high-low-
// close from three that leave the open out: the open lies below the low.
TEST_F(AnalyticalPricesInTheChart, BarsAndCandlesStartWithTheOpen) {
    const struct {
        SHORT display;
        LONG gallery;
        double firstValue;  // point 4 of the figure's first series
    } cases[] = {{OPENHILOWCLOSE_PRICE, 16, dayOf(10, 4).open},
                 {CANDLESTICK_PRICE, 17, dayOf(10, 4).open},
                 {HILOWCLOSE_PRICE, 9, dayOf(10, 4).low}};
    showCompany(10, CLOSE_PRICE);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.display);
        ASSERT_EQ(extension->put_PriceDisplay(c.display), com::S_OK);
        const LONG first = firstSeriesDrawnAs(c.gallery);
        ASSERT_GE(first, 0);
        EXPECT_EQ(chartValue(static_cast<SHORT>(first), 4), c.firstValue);
        const LONG taken = c.gallery == 9 ? 3 : 4;
        for (LONG s = first; s < first + taken; ++s)
            EXPECT_EQ(attribute(s, korvel::kAttrGallery), c.gallery) << s;
        EXPECT_NE(attribute(first + taken, korvel::kAttrGallery), c.gallery);
    }
}

// A new extension's price series hold the price-series defaults, which set no colour, while the
// special charts keep theirs apart (the box charts' two colours among them).
TEST_F(AnalyticalPricesInTheChart, ThePriceSeriesStartFromTheirOwnDefaults) {
    const SeriesAttributeRecord& open = extension->priceSeriesRecord(0);
    EXPECT_EQ(open.setMask, 0x11060u);
    EXPECT_EQ(open.lineWidth, (std::array<std::int16_t, 2>{1, 1}));
    const struct {
        std::size_t role;
        std::int16_t gallery, lineStyle, volume;
    } others[] = {{1, 1, 0, 10}, {2, -1, 4, 100}, {3, 1, 4, 100}};
    for (const auto& o : others) {
        SCOPED_TRACE(o.role);
        const SeriesAttributeRecord& record = extension->priceSeriesRecord(o.role);
        EXPECT_EQ(record.setMask, 0x11262u);
        EXPECT_EQ(record.gallery, o.gallery);
        EXPECT_EQ(record.lineStyle, o.lineStyle);
        EXPECT_EQ(record.volume, o.volume);
        EXPECT_EQ(record.border, 0);
        EXPECT_EQ(record.lineWidth, (std::array<std::int16_t, 2>{1, 1}));
        EXPECT_EQ(record.setMask & SA_COLOR, 0u);
    }
    for (const LONG box : {CHART_RENKO, CHART_THREELINEBREAK}) {
        const SeriesAttributeRecord& record = *extension->specialChartSeriesRecord(box);
        EXPECT_EQ(record.color, (std::array<std::uint32_t, 2>{0, 0xFFFFFF})) << box;
        EXPECT_EQ(record.bkColor, (std::array<std::uint32_t, 2>{0xC0C0C0, 0xC0C0C0})) << box;
    }
    // A box chart's colours are its own: the analytical chart's series do not take them.
    ASSERT_EQ(extension->specialChartSeriesRecord(CHART_RENKO)->color[1], 0xFFFFFFu);
    showCompany(10, OPENHILOWCLOSE_PRICE);
    ASSERT_EQ(chart->put_ChartType(galleryType(CHART_RENKO)), com::S_OK);
    ASSERT_EQ(chart->put_ChartType(galleryType(FINANCIAL_ANALYTICAL)), com::S_OK);
    for (SHORT s = 0; s < 5; ++s) {
        LONG colour = 0;
        ASSERT_EQ(chart->GetSeriesColor(s, &colour), com::S_OK);
        EXPECT_EQ(colour, kPreparedColours[static_cast<std::size_t>(s)]) << s;
    }
}

// Bars, lines, candles and the volume pane drawn in their series' colours on the white plot, through
// a sequence of displays (high-low-close after the close line and after candles among them); each
// series keeps the colour the chart gave it, none is white.
TEST_F(AnalyticalPricesInTheChart, PricesAndVolumeAreDrawnInTheirSeriesColours) {
    extension->studyRecord(kVolumeStudy)->visible = 1;
    showCompany(10, OPENHILOWCLOSE_PRICE);
    ASSERT_EQ(chart->model().settings().chartColor, kWhitePlot);
    // Each display's figure colour: that of its first series (the open in series 0 for bars, the low
    // in series 1 for high-low-close, the close in series 2 for the line); a rising candle's body
    // takes the background colour of the open's series, the colour the chart gave it too.
    const struct {
        SHORT display;
        LONG colour;
    } steps[] = {{OPENHILOWCLOSE_PRICE, 0x0000FF}, {CLOSE_PRICE, 0xFF0000},
                 {HILOWCLOSE_PRICE, 0x008000},     {CANDLESTICK_PRICE, 0x0000FF},
                 {HILOWCLOSE_PRICE, 0x008000},     {OPENHILOWCLOSE_PRICE, 0x0000FF}};
    const CAnalyticalChartBase& analytical =
        static_cast<const CAnalyticalChartBase&>(*extension->gallery(FINANCIAL_ANALYTICAL));
    for (const auto& step : steps) {
        SCOPED_TRACE(step.display);
        ASSERT_EQ(extension->put_PriceDisplay(step.display), com::S_OK);
        for (SHORT s = 0; s < 5; ++s) {
            LONG colour = 0;
            ASSERT_EQ(chart->GetSeriesColor(s, &colour), com::S_OK);
            EXPECT_EQ(colour, kPreparedColours[static_cast<std::size_t>(s)]) << s;
        }
        const QImage image = paintChart();
        // The price pane ends at the lowest low, above the volume pane; twelve days of bars, a line
        // or candles leave well over a hundred pixels of the figure's colour there.
        const LONG priceBottom = rowOf(dayOf(10, 0).low, analytical.axisRecord(3).controlAxis) + 2;
        EXPECT_GT(pixelsOf(image, step.colour, 0, priceBottom), 100);
        // Below it the volume bars in the volume series' colour.
        EXPECT_GT(pixelsOf(image, kPreparedColours[4], priceBottom, chart->model().plotRect().bottom), 100);
    }
    // The host restyles its prices on a change of display: the low takes the high's colour. The
    // high-low-close bars, drawn in the low's colour, show it.
    ASSERT_EQ(extension->put_PriceDisplay(HILOWCLOSE_PRICE), com::S_OK);
    SHORT high = -1, low = -1;
    ASSERT_EQ(extension->get_HighSeries(&high), com::S_OK);
    ASSERT_EQ(extension->get_LowSeries(&low), com::S_OK);
    LONG highColour = 0;
    ASSERT_EQ(priceSeries(high)->get_Color(&highColour), com::S_OK);
    EXPECT_EQ(highColour, kPreparedColours[3]);
    ASSERT_EQ(priceSeries(low)->put_Color(highColour), com::S_OK);
    const QImage image = paintChart();
    EXPECT_GT(pixelsOf(image, highColour, 0, chart->model().plotRect().bottom), 100);
}

}  // namespace
}  // namespace dravik::test
