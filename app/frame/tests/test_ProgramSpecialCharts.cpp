// The special chart types in the assembled program as the user reaches them from the chart's bar:
// their figures as the chart paints them on the sample company, after another chart type and back.
#include <QImage>

#include <functional>

#include "AssembledProgramFixture.h"
#include "dravik/ChartTypeInterfaces.h"
#include "dravik/IFinancialCharts.h"
#include "korvel/KvlChart.h"
#include "korvel/KvlChartWidget.h"

namespace {

// The chart-type commands of the chart's bar: the extension's galleries in order.
constexpr com::LONG kRenkoType = 1;
constexpr com::LONG kKagiType = 2;
constexpr com::LONG kThreeLineBreakType = 3;
constexpr com::LONG kAnalyticalType = 4;

// A green that nothing else on the chart is painted in.
constexpr com::LONG kUpColorRef = 0x00A000;  // COLORREF: 0x00BBGGRR
const QRgb kUpRgb = qRgb(0, 0xA0, 0);

class ProgramSpecialChartsTest : public AssembledProgramTest {
protected:
    void SetUp() override {
        AssembledProgramTest::SetUp();
        startProgramWithChartOf900x600();
    }

    static int pixelsOf(const QImage& image, QRgb color) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == color ? 1 : 0;
        return count;
    }
};

}  // namespace

// The rising boxes keep the colour the user gave them when the chart type is left for another and
// chosen again.
TEST_F(ProgramSpecialChartsTest, BoxChartsKeepTheirUpColourAfterAnotherChartTypeAndBack) {
    com::ComPtr<dravik::IRenko> renko;
    ASSERT_EQ(extension().get_Renko(renko.put()), com::S_OK);
    com::ComPtr<dravik::IThreeLineBreak> lines;
    ASSERT_EQ(extension().get_ThreeLineBreak(lines.put()), com::S_OK);
    struct Case {
        com::LONG type;
        std::function<com::HRESULT(com::LONG)> putUp;
        std::function<com::HRESULT(com::LONG*)> getUp;
    };
    const Case cases[] = {
        {kRenkoType, [&](com::LONG c) { return renko->put_UpColor(c); },
         [&](com::LONG* c) { return renko->get_UpColor(c); }},
        {kThreeLineBreakType, [&](com::LONG c) { return lines->put_UpColor(c); },
         [&](com::LONG* c) { return lines->get_UpColor(c); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        chooseChartType(c.type);
        ASSERT_EQ(c.putUp(kUpColorRef), com::S_OK);
        processEvents();
        const int before = pixelsOf(painted(), kUpRgb);
        ASSERT_GT(before, 100) << "no rising box painted";
        chooseChartType(kKagiType);
        chooseChartType(c.type);
        com::LONG up = 0;
        EXPECT_EQ(c.getUp(&up), com::S_OK);
        EXPECT_EQ(up, kUpColorRef);
        EXPECT_EQ(pixelsOf(painted(), kUpRgb), before);
        chooseChartType(kAnalyticalType);
    }
    EXPECT_EQ(errorLog(), "");
}

// Kagi is one line: on the row where an element ends, the shoulder (or waist) runs without a gap from
// the element's vertical to the next one's.
TEST_F(ProgramSpecialChartsTest, KagiShouldersAreContinuousFromOneSlotToTheNext) {
    chooseChartType(kKagiType);
    const QImage image = painted();
    const korvel::KvlChartModel& model = chartObject().model();
    const com::LONG elements = model.pointCount();
    ASSERT_GT(elements, 3);
    const korvel::KvlRect plot = model.plotRect();
    int joints = 0;
    for (com::LONG e = 0; e + 1 < elements; ++e) {
        double end = 0;
        ASSERT_EQ(model.value(1, 0, e, &end), com::S_OK);
        const QPoint from = pixel(e + 1.0, end);
        const QPoint to = pixel(e + 2.0, end);
        if (from.x() <= plot.left || to.x() >= plot.right)
            continue;
        ++joints;
        // Between the two verticals (each drawn within a pixel of its slot's centre).
        const QRgb line = image.pixel(from);
        int gaps = 0;
        for (int x = from.x(); x < to.x(); ++x)
            gaps += image.pixel(x, from.y()) == line ? 0 : 1;
        EXPECT_EQ(gaps, 0) << "element " << e << " at row " << from.y() << " from x " << from.x() << " to "
                           << to.x();
    }
    EXPECT_GT(joints, 3);
    EXPECT_EQ(errorLog(), "");
}
