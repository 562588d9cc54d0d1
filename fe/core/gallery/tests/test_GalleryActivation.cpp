// Activation of the chart types: the snapshot of the chart that deactivation puts back exactly, the
// held data blocks, the default binding of the price series, suspension and data changes.
#include "GalleryFixture.h"

namespace dravik::test {
namespace {

class ActivationTest : public GalleryFixture {
protected:
    // Settings a chart could have before a chart type takes it over.
    void customiseChart() {
        korvel::KvlChartModel& model = chart->model();
        model.setAttribute(3, korvel::kAttrYAxis, 1);
        model.setAttribute(4, korvel::kAttrVolume, 1);
        model.setAxisValue(1, 0, 5);  // a hand-set range on the second value axis
        model.setAxisValue(1, 1, 50);
        model.setAxisValue(1, 5, 3);
        model.axis(0)->text = "$";
        model.settings().flagA = 1;
        model.settings().valueB = 42;
        model.settings().chartStyle = 0x30;
        model.settings().options = 0x14;
        model.settings().numbered[111] = 7;
    }
};

TEST_F(ActivationTest, ActivatingAndDeactivatingEachChartTypeLeavesTheChartAsItWas) {
    customiseChart();
    for (LONG index = 0; index < 6; ++index) {
        SCOPED_TRACE(index);
        const std::string before = dumpModel(chart->model());
        ASSERT_EQ(activate(index), com::S_OK);
        // While active the chart carries the extension's style bit and the switched style.
        EXPECT_EQ(chart->model().settings().chartStyle, 0x10000030);
        EXPECT_EQ(chart->model().settings().switchedStyles, 8192);
        ASSERT_EQ(deactivate(index), com::S_OK);
        EXPECT_EQ(dumpModel(chart->model()), before);
    }
}

TEST_F(ActivationTest, DeactivationPutsBackWhatChangedWhileActive) {
    customiseChart();
    const std::string before = dumpModel(chart->model());
    ASSERT_EQ(activate(5), com::S_OK);
    korvel::KvlChartModel& model = chart->model();
    // What a chart type may do to the chart while it has it.
    model.setAttribute(0, korvel::kAttrYAxis, 1);
    model.setAttribute(2, korvel::kAttrVolume, 1);
    model.setAxisValue(0, 0, -3);
    model.setAxisValue(0, 8, 2);
    model.setAxisValue(1, 10, 0);
    model.setAxisValue(3, 23, 1033);
    model.setAxisValue(2, 3, 9);
    model.axis(0)->text = "EUR";
    model.settings().flagA = 0;
    model.settings().flagB = 1;
    model.settings().valueB = 0;
    model.settings().options = 0;
    model.setValue(1, 1, 1, 9999);
    ASSERT_EQ(deactivate(5), com::S_OK);
    EXPECT_EQ(dumpModel(chart->model()), before);
}

TEST_F(ActivationTest, TheDataCacheHoldsACopyOfTheChartsValuesWhileActive) {
    ASSERT_EQ(activate(5), com::S_OK);
    CGalleryBase& bar = type(5);
    EXPECT_EQ(bar.GetSeriesCount(), 5);
    EXPECT_EQ(bar.GetChartPointCount(), 20);
    EXPECT_EQ(bar.count(), 20);
    ASSERT_NE(bar.GetSeriesValues(3), nullptr);
    EXPECT_EQ(bar.GetSeriesValues(3)[0], 103.0);
    EXPECT_EQ(bar.GetSeriesValues(3)[19], 122.0);
    // An index beyond the series falls back to series 0; a negative one is refused.
    EXPECT_EQ(bar.GetSeriesValues(9)[4], 104.0);
    EXPECT_EQ(bar.GetSeriesValues(-1), nullptr);
    ASSERT_EQ(deactivate(5), com::S_OK);
    EXPECT_TRUE(shared().dataCache.empty());
    EXPECT_EQ(bar.GetSeriesValues(0), nullptr);
}

TEST_F(ActivationTest, KeepingTheChartStateOnceSkipsTheSnapshot) {
    shared().keepChartStateOnce = true;
    EXPECT_EQ(type(5).OnActivate(), 0);
    EXPECT_FALSE(shared().keepChartStateOnce);
    EXPECT_TRUE(shared().dataCache.empty());
    EXPECT_FALSE(type(5).snapshot().saved);
    EXPECT_EQ(chart->model().settings().chartStyle & 0x10000000, 0);
    type(5).OnDeactivate();
    EXPECT_EQ(type(5).OnActivate(), 1);
    type(5).OnDeactivate();
}

TEST_F(ActivationTest, ActivationLeavesTheChartsZoomModeAndClearsTheZoomedFlag) {
    chart->model().setZoomMode(true);
    ASSERT_EQ(activate(5), com::S_OK);
    EXPECT_FALSE(chart->model().zoomMode());
    EXPECT_EQ(type(5).zoomed(), 0);
}

// --- Held blocks ---------------------------------------------------------------------------------------

TEST_F(ActivationTest, GalleryActionLendsAndGivesBackTheHeldBlocks) {
    ASSERT_EQ(activate(5), com::S_OK);
    CGalleryBase& bar = type(5);
    LONG series = -1;
    LONG points = -1;
    korvel::KvlValueBlock* block = nullptr;
    EXPECT_EQ(bar.GalleryAction(&series, &points, &block, 3, 1), 0);
    EXPECT_EQ(series, 0);
    EXPECT_EQ(block, nullptr);

    EXPECT_EQ(bar.GalleryAction(&series, &points, &block, 1, 0), 1);
    EXPECT_EQ(series, 5);
    EXPECT_EQ(points, 20);
    EXPECT_EQ(block, nullptr);

    // Sub-code 1: the asked block is lent, and every block still held goes back to the chart.
    chart->model().resize(1, 3);
    EXPECT_EQ(bar.GalleryAction(&series, &points, &block, 1, 1), 1);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->seriesCount(), 5);
    EXPECT_EQ(block->pointCount(), 20);
    EXPECT_EQ(block->at(2, 7), 109.0);
    EXPECT_EQ(bar.heldBlocks().values, nullptr);
    EXPECT_EQ(bar.heldBlocks().fromValues, nullptr);
    EXPECT_EQ(chart->model().seriesCount(), 1) << "the lent block is the chart's to copy";
    EXPECT_EQ(chart->model().fromValuesUsed(), false);
    // Nothing held any more.
    EXPECT_EQ(bar.GalleryAction(&series, &points, &block, 1, 0), 0);
    EXPECT_EQ(bar.GalleryAction(&series, &points, &block, 5, 1), 0);
}

TEST_F(ActivationTest, FromValuesTheChartDrawsAreHeldAndGivenBack) {
    korvel::KvlChartModel& model = chart->model();
    korvel::KvlValueBlock from(5, 20, 90.0);
    model.replaceFromValues(std::move(from));
    ASSERT_TRUE(model.fromValuesUsed());
    const std::string before = dumpModel(model);
    ASSERT_EQ(activate(5), com::S_OK);
    ASSERT_NE(type(5).heldBlocks().fromValues, nullptr);
    EXPECT_EQ(type(5).heldBlocks().fromValues->at(4, 19), 90.0);
    EXPECT_EQ(type(5).heldBlocks().fromValuesUsed, 1);
    ASSERT_EQ(deactivate(5), com::S_OK);
    EXPECT_EQ(dumpModel(model), before);
}

// --- Data changes and suspension -------------------------------------------------------------------------

TEST_F(ActivationTest, DataLoadedWhileActiveIsKeptAndTakenIntoTheNewSnapshot) {
    ASSERT_EQ(activate(5), com::S_OK);
    shared().minimumPointCount = 50;
    fillChart(2, 8);
    chart->model().setValue(1, 1, 7, 555);
    EXPECT_EQ(extension->NotifyGallery(5, 1), 1);
    EXPECT_EQ(shared().minimumPointCount, 8);
    EXPECT_EQ(type(5).GetSeriesCount(), 2);
    EXPECT_EQ(type(5).GetChartPointCount(), 8);
    EXPECT_EQ(type(5).GetSeriesValues(1)[7], 555.0);
    ASSERT_EQ(deactivate(5), com::S_OK);
    // The old data did not come back over the new.
    EXPECT_EQ(chart->model().seriesCount(), 2);
    EXPECT_EQ(chart->model().pointCount(), 8);
    EXPECT_EQ(chart->model().values().at(1, 7), 555.0);
}

TEST_F(ActivationTest, StateCodesOtherThanADataChangeDoNothing) {
    ASSERT_EQ(activate(5), com::S_OK);
    const std::string before = dumpModel(chart->model());
    EXPECT_EQ(type(5).OnSetState(3), 1);
    EXPECT_EQ(type(5).OnSetState(0), 1);
    EXPECT_EQ(dumpModel(chart->model()), before);
    EXPECT_NE(type(5).heldBlocks().values, nullptr);
}

TEST_F(ActivationTest, SuspendHandsThePlaceholderAndResumeTakesItBack) {
    ASSERT_EQ(activate(5), com::S_OK);
    CGalleryBase& bar = type(5);
    bar.Suspend();
    EXPECT_EQ(bar.IsSuspended(), 1);
    EXPECT_EQ(chart->model().seriesCount(), 1);
    EXPECT_EQ(chart->model().pointCount(), 10);
    EXPECT_EQ(chart->model().values().at(0, 9), korvel::kNoValue);
    bar.Resume();
    EXPECT_EQ(bar.IsSuspended(), 0);
    EXPECT_EQ(chart->model().seriesCount(), 0);
    // The prices come back with the deactivation.
    ASSERT_EQ(deactivate(5), com::S_OK);
    EXPECT_EQ(chart->model().seriesCount(), 5);
    EXPECT_EQ(chart->model().values().at(4, 19), 123.0);
}

// --- Default series binding ----------------------------------------------------------------------------

struct BindingCase {
    LONG series;
    SHORT low, open, close, high, volume, display, userSeries, firstUser;
};

class DefaultBindingTest : public GalleryFixture, public ::testing::WithParamInterface<BindingCase> {};

TEST_P(DefaultBindingTest, FollowsTheChartsSeriesCount) {
    const BindingCase& c = GetParam();
    fillChart(c.series, 4);
    shared().priceDisplay = 3;
    ASSERT_EQ(activate(5), com::S_OK);
    const SeriesBinding& b = shared().binding;
    EXPECT_EQ(b.lowSeries, c.low);
    EXPECT_EQ(b.openSeries, c.open);
    EXPECT_EQ(b.closeSeries, c.close);
    EXPECT_EQ(b.highSeries, c.high);
    EXPECT_EQ(b.volumeSeries, c.volume);
    EXPECT_EQ(shared().priceDisplay, c.display);
    EXPECT_EQ(b.userSeries, c.userSeries);
    EXPECT_EQ(b.firstUserIndex, c.firstUser);
    SHORT close = -2;
    EXPECT_EQ(extension->get_CloseSeries(&close), com::S_OK);
    EXPECT_EQ(close, c.close);
}

INSTANTIATE_TEST_SUITE_P(
    SeriesCounts, DefaultBindingTest,
    ::testing::Values(BindingCase{0, -1, -1, -1, -1, -1, 3, 0, 0}, BindingCase{1, -1, -1, 0, -1, -1, 0, 0, 0},
                      BindingCase{2, -1, -1, 0, -1, -1, 0, 1, 1}, BindingCase{3, 0, -1, 1, 2, -1, 1, 0, 0},
                      BindingCase{4, 0, -1, 1, 2, 3, 1, 0, 0}, BindingCase{5, 0, 1, 2, 3, 4, 2, 0, 5},
                      BindingCase{8, 0, 1, 2, 3, 4, 2, 3, 5}));

TEST_F(GalleryFixture, ABindingAlreadySetIsKept) {
    shared().binding.closeSeries = 4;
    ASSERT_EQ(activate(5), com::S_OK);
    EXPECT_EQ(shared().binding.closeSeries, 4);
    EXPECT_EQ(shared().binding.lowSeries, -1);
    EXPECT_EQ(shared().binding.openSeries, -1);
}

TEST_F(GalleryFixture, UserSeriesAloneAlsoCountAsABinding) {
    shared().binding.userSeries = 2;
    ASSERT_EQ(activate(5), com::S_OK);
    EXPECT_EQ(shared().binding.closeSeries, -1);
}

}  // namespace
}  // namespace dravik::test
