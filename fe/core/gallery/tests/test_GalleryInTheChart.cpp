// The real chart types inside a chart that loads the extension by ProgID: switching the chart type to
// one of the extension's and back, the paint bracket around the bar type's points (which the chart
// draws itself), and a data load while the bar type is shown.
#include "ExtensionInTheChart.h"
#include "GalleryFixture.h"
#include "com/Activation.h"
#include "com/ClassFactory.h"
#include "com/InprocServer.h"
#include "dravik/Identities.h"
#include "gdi/DeviceContext.h"

namespace dravik::test {
namespace {

class InTheChart : public ExtensionInTheChart {
protected:
    void SetUp() override {
        ExtensionInTheChart::SetUp();
        korvel::KvlChartModel& model = chart->model();
        model.resize(4, 12);
        for (LONG s = 0; s < 4; ++s) {
            for (LONG p = 0; p < 12; ++p)
                model.setValue(1, s, p, 10.0 * s + p);
        }
        chart->dataChanged();
    }
};

TEST_F(InTheChart, SwitchingToEachChartTypeAndBackLeavesTheChartAsItWas) {
    const std::string before = dumpModel(chart->model());
    for (LONG index = 0; index < 6; ++index) {
        SCOPED_TRACE(index);
        ASSERT_EQ(chart->put_ChartType(kFirstGalleryNumber + index), com::S_OK);
        EXPECT_EQ(extension->activeIndex(), index);
        ASSERT_EQ(chart->put_ChartType(0), com::S_OK);
        EXPECT_EQ(extension->activeIndex(), -1);
        EXPECT_EQ(dumpModel(chart->model()), before);
    }
}

TEST_F(InTheChart, TheBarTypeLeavesItsPointsToTheChartInsideTheBracket) {
    ASSERT_EQ(chart->put_ChartType(kFirstGalleryNumber + 5), com::S_OK);
    CGalleryBase& bar = *extension->gallery(5);
    auto screen = gdi::createImageDC(640, 480);
    chart->paint(screen.get(), korvel::KvlRect{0, 0, 640, 480}, false);
    EXPECT_EQ(bar.scaledDc(), 0);
    EXPECT_EQ(bar.plotRect(), (korvel::KvlRect{59, 20, 621, 440}));
    EXPECT_EQ(bar.firstVisible(), 1);
    EXPECT_EQ(bar.lastVisible(), 12);
    // A printed paint is scaled inside its bracket only.
    chart->paint(screen.get(), korvel::KvlRect{0, 0, 640, 480}, true);
    EXPECT_EQ(bar.scaledDc(), 0);
    LONG kind = 0;
    LONG mode = 0;
    korvel::KvlPaintRecord record;
    record.galleryIndex = 5;
    EXPECT_EQ(extension->GalleryCommand(&record, &kind, &mode), 0);
    EXPECT_EQ(kind, korvel::kDrawKindChart);
    EXPECT_EQ(mode, 1);
}

TEST_F(InTheChart, DataLoadedWhileTheBarTypeIsShownStays) {
    ASSERT_EQ(chart->put_ChartType(kFirstGalleryNumber + 5), com::S_OK);
    chart->model().resize(2, 3);
    chart->model().setValue(1, 0, 2, 77);
    chart->dataChanged();
    EXPECT_EQ(extension->gallery(5)->GetChartPointCount(), 3);
    ASSERT_EQ(chart->put_ChartType(0), com::S_OK);
    EXPECT_EQ(chart->model().pointCount(), 3);
    EXPECT_EQ(chart->model().values().at(0, 2), 77.0);
}

}  // namespace
}  // namespace dravik::test
