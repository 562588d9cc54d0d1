// The analytical chart in a chart of the control model: its table, its buffer handed to the chart,
// the study axes and the price axis, the commands it enables and its saved properties.
#include <vector>

#include "GalleryFixture.h"
#include "analytical/CAnalyticalChart.h"
#include "dravik/Commands.h"
#include "dravik/IFinancialCharts.h"
#include "dravik/SeriesInterfaces.h"
#include "ostbar/OstBarContract.h"
#include "persist/CMemoryArchive.h"
#include "state/ExchangeKeys.h"
#include "studyobjects/StudyOwner.h"

namespace dravik::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class AnalyticalChartTest : public GalleryFixture {
protected:
    CAnalyticalChartBase& analytical() {
        return static_cast<CAnalyticalChartBase&>(*extension->gallery(FINANCIAL_ANALYTICAL));
    }
    StudyRecord& study(SHORT number) { return *extension->studyRecord(number); }
    // Seven series: the five prices (low, open, close, high, volume by the default binding) and two
    // user series, 5 spanning 10..20 and 6 spanning 0..40.
    void chartWithUserSeries() {
        fillChart(7, kPoints);
        korvel::KvlChartModel& model = chart->model();
        for (LONG p = 0; p < kPoints; ++p) {
            model.setValue(1, 5, p, p == 0 ? 10.0 : p == 1 ? 20.0 : 15.0);
            model.setValue(1, 6, p, p == 0 ? 0.0 : p == 1 ? 40.0 : 20.0);
        }
    }
    // A user study of one output shown in a pane of `space` % and `gap` %.
    void userStudy(SHORT number, SHORT space, SHORT gap) {
        StudyRecord& record = study(number);
        record.subIndicators = 1;
        record.visible = 1;
        record.space = space;
        record.spaceGap = gap;
    }
    bool enabled(SHORT id) {
        auto toolbar = com::ComPtr<ostbar::IOstCommandBar>(extension->commandBar()).as<ostbar::IOstToolbar>();
        com::ComPtr<ostbar::IOstCommand> command;
        EXPECT_EQ(toolbar->Command(id, command.put()), com::S_OK) << id;
        com::VARIANT_BOOL value = 0;
        command->get_Enabled(&value);
        return value != 0;
    }
    Bytes save(LONG version) {
        CMemoryArchive archive;
        EXPECT_EQ(analytical().ExchangeProperties(archive, version, 0), com::S_OK);
        com::HGLOBAL memory = archive.DetachGlobal();
        return memory ? memory->bytes : Bytes{};
    }
};

TEST_F(AnalyticalChartTest, IdentityTowardsTheChart) {
    CAnalyticalChartBase& chartType = analytical();
    EXPECT_EQ(chartType.nameId(), 134);
    EXPECT_EQ(chartType.GetGalleryFlags(), 0x2897000);
    char name[56] = {};
    chartType.GetName(name, sizeof name);
    EXPECT_STREQ(name, "Analytical");
    LONG kind = -1;
    LONG mode = -1;
    korvel::KvlPaintRecord record;
    EXPECT_EQ(chartType.DrawPoint(&kind, &record, &mode), 1);
    LONG size = 0;
    chartType.GetPersistSize(&size);
    EXPECT_EQ(size, 2 + 2280);
}

TEST_F(AnalyticalChartTest, TheTableRefusesAFiftyNinthStudy) {
    CAnalyticalChartBase& chartType = analytical();
    for (SHORT n = 0; n < 58; ++n)
        ASSERT_EQ(chartType.AddStudyRecord(n), n);
    EXPECT_EQ(chartType.FindFreeEntry(), 58);
    EXPECT_EQ(chartType.AddStudy(25), -1);
    EXPECT_EQ(chartType.AddStudyWithSeries(38, 3, false), -1);
    EXPECT_EQ(chartType.AddVolumeStudy(), -1);
    EXPECT_EQ(chartType.entry(57).study, 57);
    // Bad study numbers are refused whatever room is left.
    chartType.ClearStudyTable();
    EXPECT_EQ(chartType.AddStudy(58), -1);
    EXPECT_EQ(chartType.AddStudy(-1), -1);
    EXPECT_EQ(chartType.FindFreeEntry(), 0);
}

TEST_F(AnalyticalChartTest, TheBufferHoldsTheDataSeriesThenTheStudyOutputs) {
    study(0).visible = 1;  // 10 periods simple moving average of the close, over the prices
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    CAnalyticalChartBase& chartType = analytical();
    EXPECT_EQ(chartType.dataSeriesCount(), 5);
    // VOLUME is in the table (a volume series is bound) and reads that series: no rows of its own.
    const LONG volume = chartType.FindStudyEntry(12);
    ASSERT_GE(volume, 0);
    EXPECT_EQ(chartType.entry(volume).firstSeries, 4);
    EXPECT_EQ(chartType.studySeriesCount(), 1);
    const LONG average = chartType.FindStudyEntry(0);
    ASSERT_GE(average, 0);
    EXPECT_EQ(chartType.entry(average).firstSeries, 5);
    // The chart holds the whole buffer: the close (series 2) is 102..121, the full-study flag is on.
    const korvel::KvlChartModel& model = chart->model();
    ASSERT_EQ(model.seriesCount(), 6);
    double value = 0;
    model.value(1, 5, 19, &value);
    EXPECT_DOUBLE_EQ(value, 116.5);  // (112 + ... + 121) / 10
    model.value(1, 5, 9, &value);
    EXPECT_DOUBLE_EQ(value, 106.5);
    model.value(1, 5, 0, &value);
    EXPECT_DOUBLE_EQ(value, 102.0);  // lead-in over the one point seen
    // A price study is drawn against the price axis.
    EXPECT_EQ(study(0).usedAxis, 3);
}

// The weighted average of the close (102 + p) over 3 periods: weights 1, 2, 3 from the oldest value
// unless the study holds weights of its own, which run from the oldest as well.
TEST_F(AnalyticalChartTest, TheWeightedAverageUsesTheWeightsItIsGiven) {
    StudyRecord& weighted = study(6);
    weighted.visible = 1;
    weighted.periods = 3;
    weighted.parameters.weights = {3, 2, 1};
    weighted.parameters.linearWeights = 1;
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    const LONG entry = analytical().FindStudyEntry(6);
    ASSERT_GE(entry, 0);
    const LONG row = analytical().entry(entry).firstSeries;
    double value = 0;
    // Linear: (1 x 107 + 2 x 108 + 3 x 109) / 6 at point 7.
    chart->model().value(1, row, 7, &value);
    EXPECT_DOUBLE_EQ(value, (107.0 + 2 * 108.0 + 3 * 109.0) / 6);
    // Its own: (3 x 107 + 2 x 108 + 1 x 109) / 6.
    weighted.parameters.linearWeights = 0;
    analytical().RepaintStudy(entry);
    chart->model().value(1, row, 7, &value);
    EXPECT_DOUBLE_EQ(value, (3 * 107.0 + 2 * 108.0 + 109.0) / 6);
}

TEST_F(AnalyticalChartTest, VolumeWithoutABoundVolumeSeriesTakesARowOfItsOwn) {
    CAnalyticalChartBase& chartType = analytical();
    shared().binding.closeSeries = 0;
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    const LONG rows = chartType.studySeriesCount();
    const LONG entry = chartType.AddVolumeStudy();
    ASSERT_GE(entry, 0);
    EXPECT_EQ(chartType.studySeriesCount(), rows + 1);
    EXPECT_EQ(chartType.entry(entry).firstSeries, 5 + rows);
    EXPECT_EQ(study(12).inUse, 1);
}

TEST_F(AnalyticalChartTest, TwoLargeStudyPanesFallBackToFifteenAndThree) {
    chartWithUserSeries();
    userStudy(kUser0, 50, 3);
    userStudy(kUser1, 50, 3);
    shared().extension.options |= FEO_NOINFLATE;
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    CAnalyticalChartBase& chartType = analytical();
    // The user studies read the user series 5 and 6 of the data set and are shown bottom up.
    ASSERT_EQ(chartType.axisRecord(0).study, kUser0);
    ASSERT_EQ(chartType.axisRecord(1).study, kUser1);
    EXPECT_EQ(chartType.entry(chartType.FindStudyEntry(kUser0)).firstSeries, 5);
    const StudyAxisRecord& first = chartType.axisRecord(0);
    const StudyAxisRecord& second = chartType.axisRecord(1);
    const StudyAxisRecord& price = chartType.axisRecord(3);
    EXPECT_EQ(first.size, 15);
    EXPECT_EQ(first.gap, 3);
    EXPECT_EQ(second.size, 15);
    EXPECT_EQ(second.gap, 3);
    EXPECT_EQ(price.size, 64);
    EXPECT_DOUBLE_EQ(first.dataMin, 10.0);
    EXPECT_DOUBLE_EQ(first.dataMax, 20.0);
    EXPECT_DOUBLE_EQ(first.displayMin, 10.0);
    EXPECT_DOUBLE_EQ(first.displayMax, 20.0 + 10.0 * 85.0 / 15.0);
    EXPECT_DOUBLE_EQ(second.displayMin, -48.0);  // 0 - 40 x 18 / 15
    EXPECT_DOUBLE_EQ(second.displayMax, 40.0 + 40.0 * 67.0 / 15.0);
    // The prices (open-high-low-close over series 0..3) span 100..122; the pane lies above 36 %.
    EXPECT_DOUBLE_EQ(price.dataMin, 100.0);
    EXPECT_DOUBLE_EQ(price.dataMax, 122.0);
    EXPECT_DOUBLE_EQ(price.displayMin, 87.625);  // 100 - 22 x 36 / 64
    // The panes share the chart's value axes, which show the price axis's display range.
    double shown = 0;
    chart->model().axisValue(0, 0, &shown);
    EXPECT_DOUBLE_EQ(shown, 87.625);
    chart->model().axisValue(1, 1, &shown);
    EXPECT_DOUBLE_EQ(shown, 122.0);
}

TEST_F(AnalyticalChartTest, TopToBottomPickingStartsAtTheTopPaneAndHidesOnTheFourth) {
    chartWithUserSeries();
    userStudy(kUser0, 15, 3);
    userStudy(kUser1, 15, 3);
    shared().extension.top2BottomStudyAxis = 1;
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    CAnalyticalChartBase& chartType = analytical();
    EXPECT_EQ(chartType.axisRecord(2).study, kUser0);
    EXPECT_EQ(chartType.axisRecord(1).study, kUser1);
    // Rate of change takes the last free axis.
    ASSERT_EQ(extension->ToggleStudy(16, false), com::S_OK);
    EXPECT_EQ(chartType.axisRecord(0).study, 16);
    // Momentum finds none free: the default axis (2) goes to it and its study is hidden.
    ASSERT_EQ(extension->ToggleStudy(27, false), com::S_OK);
    EXPECT_EQ(chartType.axisRecord(2).study, 27);
    EXPECT_EQ(study(kUser0).visible, 0);
    bool shown = true;
    EXPECT_GE(extension->FindCalculatedStudy(kUser0, &shown), 0);
    EXPECT_FALSE(shown);
    EXPECT_EQ(study(27).usedAxis, 2);
}

TEST_F(AnalyticalChartTest, AStudyRangeIsWidenedByOnePercentUnlessNoInflate) {
    chartWithUserSeries();
    userStudy(kUser0, 15, 3);
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    CAnalyticalChartBase& chartType = analytical();
    const LONG entry = chartType.FindStudyEntry(kUser0);
    ASSERT_GE(entry, 0);
    EXPECT_EQ(chartType.entry(entry).rangeState, 0);
    EXPECT_DOUBLE_EQ(chartType.entry(entry).min, 9.9);
    EXPECT_DOUBLE_EQ(chartType.entry(entry).max, 20.2);
    shared().extension.options |= FEO_NOINFLATE;
    chartType.ComputeStudy(entry);
    EXPECT_EQ(chartType.entry(entry).min, 10.0);
    EXPECT_EQ(chartType.entry(entry).max, 20.0);
}

TEST_F(AnalyticalChartTest, AStudyMissingAPriceSeriesGetsZeroToHundred) {
    shared().binding.closeSeries = 0;  // no volume: on balance volume cannot be computed
    shared().extension.options |= FEO_NOINFLATE;
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    CAnalyticalChartBase& chartType = analytical();
    const LONG entry = chartType.AddStudy(15);
    ASSERT_GE(entry, 0);
    chartType.ComputeStudy(entry);
    EXPECT_EQ(chartType.entry(entry).min, 0.0);
    EXPECT_EQ(chartType.entry(entry).max, 100.0);
    // A custom study not set up computes nothing.
    const LONG custom = chartType.AddStudy(48);
    ASSERT_GE(custom, 0);
    EXPECT_EQ(chartType.entry(custom).calcKind, -1);
    chartType.ComputeStudy(custom);
    EXPECT_EQ(chartType.entry(custom).min, 0.0);
    EXPECT_EQ(chartType.entry(custom).max, 0.0);
}

TEST_F(AnalyticalChartTest, OnlyTheCloseBoundEnablesOnlyTheCommandsThatNeedNoMore) {
    fillChart(1, kPoints);
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    ASSERT_EQ(shared().binding.closeSeries, 0);
    ASSERT_NE(extension->commandBar(), nullptr);
    EXPECT_TRUE(enabled(ID_CLOSEPRICE));
    EXPECT_TRUE(enabled(StudyCommand(25)));  // RSI reads its work series only
    for (SHORT id : {ID_HILOWCLOSE,
                     ID_OPENHILOWCLOSE,
                     ID_CANDLESTICK,
                     ID_MEDIAN_PRICE,
                     ID_MASS,
                     ID_VOLATILITY_CHAIKINS,
                     ID_TYPICAL_PRICE,
                     ID_CCI,
                     ID_STOCHASTICS,
                     ID_ATR,
                     ID_WILLIAMS_R,
                     ID_VOLUME,
                     ID_VOLUME_OSCILLATOR,
                     ID_PRICEVOLTREND,
                     ID_NVI,
                     ID_OBV,
                     ID_PVI,
                     ID_EASE_OF_MOVE,
                     ID_ADI,
                     ID_CHAIKIN,
                     ID_MFI})
        EXPECT_FALSE(enabled(id)) << id;
}

TEST_F(AnalyticalChartTest, ActivationClearsChartBitsAndLeavingPutsThemBack) {
    korvel::KvlChartSettings& settings = chart->model().settings();
    settings.chartFlags = static_cast<LONG>(0xffffffff);
    settings.chartStyle = 0x00200001;
    settings.flagD = 1;
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    EXPECT_EQ(settings.chartFlags, 0x7ffdf6ff);
    EXPECT_EQ(settings.chartStyle & 0x00200000, 0);
    EXPECT_EQ(settings.flagD, 0);
    ASSERT_EQ(deactivate(FINANCIAL_ANALYTICAL), com::S_OK);
    EXPECT_EQ(settings.chartFlags, static_cast<LONG>(0xffffffff));
    EXPECT_EQ(settings.chartStyle, 0x00200001);
    EXPECT_EQ(settings.flagD, 1);
    EXPECT_EQ(analytical().dataSeriesCount(), 0);
}

TEST_F(AnalyticalChartTest, PriceObjectsFollowTheChart) {
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    IIndexSeries* series = nullptr;
    ASSERT_EQ(extension->get_PriceSeries(2, &series), com::S_OK);  // the close
    auto close = com::ComPtr<IIndexSeries>::attach(series);
    ASSERT_TRUE(close);
    EXPECT_EQ(extension->get_PriceSeries(4, &series), com::E_INVALIDARG);  // the volume
    ILomexAxis* axis = nullptr;
    ASSERT_EQ(extension->get_PricesAxis(&axis), com::S_OK);
    auto prices = com::ComPtr<ILomexAxis>::attach(axis);
    double max = 0;
    ASSERT_EQ(prices->get_Max(&max), com::S_OK);
    EXPECT_EQ(max, analytical().axisRecord(3).dataMax);
}

// --- Saved properties ------------------------------------------------------------------------------------

TEST_F(AnalyticalChartTest, SavedTableRoundTripsAtVersion33) {
    CAnalyticalChartBase& chartType = analytical();
    ASSERT_EQ(chartType.AddStudyRecord(0), 0);
    ASSERT_EQ(chartType.AddStudyWithSeries(kUser0, 6, false), 1);
    const Bytes bytes = save(33);
    // Base (8 bytes), 4 axes, 2 entries of 9 bytes.
    ASSERT_EQ(bytes.size(), 8u + 2 + 8 + 2 + 18);
    const Bytes entries(bytes.end() - 18, bytes.end());
    // Study, kind, visible byte, "remove" 1, first series.
    EXPECT_EQ(entries, (Bytes{0, 0, 0, 0, 0, 1, 0, 0, 0, 38, 0, 38, 0, 0, 1, 0, 6, 0}));

    auto other = com::makeComObject<CFinancialCharts>();
    auto& loaded = static_cast<CAnalyticalChartBase&>(*other->gallery(FINANCIAL_ANALYTICAL));
    CMemoryArchive archive(bytes.data(), bytes.size());
    ASSERT_EQ(loaded.ExchangeProperties(archive, 33, 0), com::S_OK);
    EXPECT_EQ(loaded.entryCount(), 2);
    EXPECT_EQ(loaded.entry(1).study, kUser0);
    EXPECT_EQ(loaded.entry(1).calcKind, kUser0);
    EXPECT_EQ(loaded.entry(1).firstSeries, 6);
}

TEST_F(AnalyticalChartTest, SavedTableAtVersion14HasShortFlagsAndNoFirstSeries) {
    CAnalyticalChartBase& chartType = analytical();
    study(25).visible = 1;
    ASSERT_EQ(chartType.AddStudy(25), 0);
    chartType.CalculateStudy(0, true);  // the study takes study axis 0
    ASSERT_EQ(chartType.axisRecord(0).study, 25);
    const Bytes bytes = save(14);
    // "_YAxis" 0, mask id (0 length), "_NumYAxis" 4, axis 0 owned by 25 and three free axes, one
    // entry: 25, 25, visible 1 as a short, "remove" 1.
    EXPECT_EQ(bytes, (Bytes{0,    0,    0, 0, 4,  0, 25, 0, 0xff, 0xff, 0xff, 0xff,
                            0xff, 0xff, 1, 0, 25, 0, 25, 0, 1,    0,    1,    0}));
    auto other = com::makeComObject<CFinancialCharts>();
    auto& loaded = static_cast<CAnalyticalChartBase&>(*other->gallery(FINANCIAL_ANALYTICAL));
    CMemoryArchive archive(bytes.data(), bytes.size());
    ASSERT_EQ(loaded.ExchangeProperties(archive, 14, 0), com::S_OK);
    EXPECT_EQ(loaded.entryCount(), 1);
    EXPECT_EQ(loaded.entry(0).study, 25);
    EXPECT_EQ(loaded.entry(0).visible, 1);
    EXPECT_EQ(loaded.entry(0).firstSeries, 0);
    EXPECT_EQ(loaded.axisRecord(0).study, 25);
    EXPECT_EQ(loaded.axisRecord(1).study, -1);
}

TEST_F(AnalyticalChartTest, ADamagedTableLoadsNothing) {
    CAnalyticalChartBase& chartType = analytical();
    ASSERT_EQ(chartType.AddStudyRecord(3), 0);
    Bytes bytes = save(33);
    bytes[8 + 2 + 8] = 59;  // "_NumCalcStudies" past the table
    auto other = com::makeComObject<CFinancialCharts>();
    auto& loaded = static_cast<CAnalyticalChartBase&>(*other->gallery(FINANCIAL_ANALYTICAL));
    loaded.AddStudyRecord(7);
    CMemoryArchive archive(bytes.data(), bytes.size());
    EXPECT_EQ(loaded.ExchangeProperties(archive, 33, 0), kDamagedState);
    EXPECT_EQ(loaded.entryCount(), 1);
    EXPECT_EQ(loaded.entry(0).study, 7);
    // A study number outside the table is as damaged.
    bytes[8 + 2 + 8] = 1;
    bytes[8 + 2 + 8 + 2] = 58;
    CMemoryArchive second(bytes.data(), bytes.size());
    EXPECT_EQ(loaded.ExchangeProperties(second, 33, 0), kDamagedState);
    EXPECT_EQ(loaded.entry(0).study, 7);
}

TEST_F(AnalyticalChartTest, PriceDisplayChoosesTheSeriesAndTheRange) {
    shared().extension.options |= FEO_NOINFLATE;
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    CAnalyticalChartBase& chartType = analytical();
    // Open-high-low-close over series 0..3: 100..122. The chart takes the open as the first of the
    // four: open and low change places, rows and all.
    ASSERT_EQ(shared().priceDisplay, OPENHILOWCLOSE_PRICE);
    EXPECT_EQ(extension->priceSeriesRecord(0).gallery, 16);
    EXPECT_EQ(shared().binding.openSeries, 0);
    EXPECT_EQ(shared().binding.lowSeries, 1);
    double value = 0;
    chart->model().value(1, 0, 0, &value);
    EXPECT_EQ(value, 101.0);  // the open of point 0 is now series 0
    // The close alone: 102..121.
    ASSERT_EQ(extension->put_PriceDisplay(CLOSE_PRICE), com::S_OK);
    EXPECT_EQ(shared().priceDisplay, CLOSE_PRICE);
    EXPECT_EQ(chartType.axisRecord(3).dataMin, 102.0);
    EXPECT_EQ(chartType.axisRecord(3).dataMax, 121.0);
    EXPECT_EQ(extension->priceSeriesRecord(3).gallery, 1);
    // High-low-close needs the open outside low..high, where it already is.
    ASSERT_EQ(extension->put_PriceDisplay(HILOWCLOSE_PRICE), com::S_OK);
    EXPECT_EQ(shared().binding.openSeries, 0);
    EXPECT_EQ(shared().binding.lowSeries, 1);
    chart->model().value(1, 1, 0, &value);
    EXPECT_EQ(value, 100.0);  // the low of point 0 is now series 1
    EXPECT_EQ(chartType.axisRecord(3).dataMin, 100.0);
    EXPECT_EQ(chartType.axisRecord(3).dataMax, 122.0);
    // Leaving the chart gives the chart its data back as they were, and the binding with them.
    ASSERT_EQ(deactivate(FINANCIAL_ANALYTICAL), com::S_OK);
    EXPECT_EQ(shared().binding.openSeries, 1);
    EXPECT_EQ(shared().binding.lowSeries, 0);
    chart->model().value(1, 0, 0, &value);
    EXPECT_EQ(value, 100.0);
}

TEST_F(AnalyticalChartTest, AnEmptyPriceSeriesGivesThePriceAxisZeroToOne) {
    korvel::KvlChartModel& model = chart->model();
    for (LONG p = 0; p < kPoints; ++p)
        model.setValue(1, 2, p, korvel::kNoValue);
    shared().binding.closeSeries = 2;
    shared().priceDisplay = CLOSE_PRICE;
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    const StudyAxisRecord& price = analytical().axisRecord(3);
    EXPECT_EQ(price.emptyState, 2);
    EXPECT_EQ(price.dataMin, 0.0);
    EXPECT_EQ(price.dataMax, 1.0);
}

TEST_F(AnalyticalChartTest, EachUsedPaneHandsOutAnAxisObject) {
    chartWithUserSeries();
    userStudy(kUser0, 15, 3);
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    CAnalyticalChartBase& chartType = analytical();
    ASSERT_EQ(chartType.axisRecord(0).study, kUser0);
    EXPECT_EQ(chartType.GetAxisCount(), 3);
    char text[64] = {};
    SHORT axis = -1;
    EXPECT_EQ(chartType.GetAxisName(0, &axis, text, sizeof text), 53);
    EXPECT_STREQ(text, "Price axis");
    EXPECT_EQ(chartType.GetAxisName(1, &axis, text, sizeof text), 2);
    EXPECT_STREQ(text, "Date axis");
    EXPECT_EQ(chartType.GetAxisName(2, &axis, text, sizeof text), 50);
    EXPECT_EQ(std::string(text), extension->studyName(kUser0) + " axis");
    EXPECT_EQ(chartType.GetAxisName(3, &axis, text, sizeof text), -1);

    com::IUnknown* object = nullptr;
    ASSERT_EQ(chartType.CreateAxisObject(&object, &axis, 50), com::S_OK);
    auto pane = com::ComPtr<com::IUnknown>::attach(object).as<ILomexAxis>();
    ASSERT_TRUE(pane);
    double max = 0;
    ASSERT_EQ(pane->get_Max(&max), com::S_OK);
    EXPECT_DOUBLE_EQ(max, chartType.axisRecord(0).dataMax);
    EXPECT_EQ(chartType.CreateAxisObject(&object, &axis, 51), com::E_FAIL);  // axis 1 is free
    EXPECT_EQ(object, nullptr);
}

TEST_F(AnalyticalChartTest, StudyObjectsReachTheTableAndThePanes) {
    chartWithUserSeries();
    userStudy(kUser0, 15, 3);
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    IStudyOwner& owner = *extension;
    EXPECT_EQ(owner.StudyFirstSeries(kUser0), 5);
    EXPECT_EQ(owner.StudyFirstSeries(25), -1);  // not in the table
    ILomexAxis* axis = nullptr;
    ASSERT_EQ(owner.CreateStudyAxis(kUser0, &axis), com::S_OK);
    auto pane = com::ComPtr<ILomexAxis>::attach(axis);
    double min = -1;
    ASSERT_EQ(pane->get_Min(&min), com::S_OK);
    EXPECT_DOUBLE_EQ(min, analytical().axisRecord(0).dataMin);
    // A recalculation widens the pane by the study's range again.
    owner.RecalculateStudy(kUser0);
    EXPECT_DOUBLE_EQ(analytical().entry(analytical().FindStudyEntry(kUser0)).max, 20.2);
}

TEST_F(AnalyticalChartTest, LeavingWithDropHiddenStudiesKeepsTheVisibleAndTheUserStudies) {
    chartWithUserSeries();
    userStudy(kUser0, 15, 3);
    shared().extension.options |= 8192;
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    CAnalyticalChartBase& chartType = analytical();
    ASSERT_EQ(extension->ToggleStudy(16, false), com::S_OK);
    ASSERT_GE(extension->AddStudy(27), 0);  // in the table, hidden
    ASSERT_EQ(extension->ToggleStudy(kUser0, true), com::S_OK);
    ASSERT_GE(chartType.FindStudyEntry(12), 0);  // VOLUME, hidden
    ASSERT_EQ(deactivate(FINANCIAL_ANALYTICAL), com::S_OK);
    // The hidden user study stays, before the rate of change as it was added first.
    ASSERT_EQ(chartType.entryCount(), 2);
    EXPECT_EQ(chartType.entry(0).study, kUser0);
    EXPECT_EQ(chartType.entry(1).study, 16);
    EXPECT_EQ(chartType.FindStudyEntry(27), -1);
    EXPECT_EQ(study(27).visible, 0);
}

TEST_F(AnalyticalChartTest, AZoomedViewFitsEachPaneToTheVisiblePoints) {
    chartWithUserSeries();
    // The only user study with an output takes the first user series, 5: 10, 20, then 15.
    userStudy(kUser1, 15, 3);
    study(0).visible = 1;  // a moving average over the prices
    shared().extension.zoomRescale = 1;
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    CAnalyticalChartBase& chartType = analytical();
    ASSERT_EQ(chartType.axisRecord(0).study, kUser1);
    chartType.OnScrollChange(1, 10);
    EXPECT_EQ(chartType.entry(chartType.FindStudyEntry(kUser1)).firstSeries, 5);
    EXPECT_EQ(chartType.axisRecord(0).dataMin, 15.0);
    EXPECT_EQ(chartType.axisRecord(0).dataMax, 20.0);
    // Open-high-low-close rows 0..3 over points 1..10: 101..113; the 10-point average of the close
    // (102..121, full lead-in) lies inside them.
    EXPECT_EQ(chartType.axisRecord(3).dataMin, 101.0);
    EXPECT_EQ(chartType.axisRecord(3).dataMax, 113.0);
    // One point changes nothing.
    chartType.OnScrollChange(4, 4);
    EXPECT_EQ(chartType.axisRecord(3).dataMin, 101.0);
}

TEST_F(AnalyticalChartTest, DeleteAllDrawingOfAKindEmptiesOnlyThatKind) {
    CDrawingList& list = extension->drawingList();
    int index = 0;
    ASSERT_EQ(list.DrawingOfKind(9, 0, &index), com::S_OK);  // two trend lines
    ASSERT_EQ(list.DrawingOfKind(9, 1, &index), com::S_OK);
    ASSERT_EQ(list.DrawingOfKind(3, 0, &index), com::S_OK);  // one retracement
    IFinancialCharts& surface = *extension;
    ASSERT_EQ(surface.DeleteAllDrawing(9), com::S_OK);
    SHORT count = -1;
    EXPECT_EQ(surface.get_DrawingNumber(9, &count), com::S_OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(surface.get_DrawingNumber(3, &count), com::S_OK);
    EXPECT_EQ(count, 1);
    ASSERT_EQ(surface.DeleteAllDrawing(-1), com::S_OK);
    EXPECT_EQ(surface.get_DrawingNumber(-1, &count), com::S_OK);
    EXPECT_EQ(count, 0);
}

}  // namespace
}  // namespace dravik::test
