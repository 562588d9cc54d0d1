// The studies tool of the real extension over a chart with prices, the analytical chart active: a
// check box shows and hides its study, and a toggle from elsewhere reaches the box.
#include <gtest/gtest.h>

#include <QListWidget>

#include "DrawingFixture.h"
#include "analytical/CAnalyticalChartBase.h"
#include "dravik/Commands.h"
#include "studiestool/CStudiesTool.h"
#include "studiestool/CStudiesToolWnd.h"

namespace dravik::test {
namespace {

class StudiesToolOnChart : public DrawingFixture {
protected:
    void SetUp() override {
        DrawingFixture::SetUp();
        korvel::KvlChartModel& model = chart->model();
        model.resize(5, 10);
        for (com::LONG s = 0; s < 5; ++s) {
            for (com::LONG p = 0; p < 10; ++p)
                model.setValue(1, s, p, 100.0 + s + p);
        }
        for (com::LONG p = 0; p < 10; ++p)
            model.setXValue(p, 45000.0 + p);
        model.autoScale();
        sink->on(kEventInternalCommand, [this](std::span<com::Variant> args) {
            commands.push_back(args[0].i4());
            return com::S_OK;
        });
        ASSERT_EQ(charts->ActivateGallery(FINANCIAL_ANALYTICAL, 1, -1), com::S_OK);
        tool = charts->studiesToolForTests();
        ASSERT_NE(tool, nullptr);
        tool->put_Visible(com::VARIANT_TRUE);
        ASSERT_NE(tool->window(), nullptr);
    }
    void TearDown() override {
        if (tool)
            tool->put_Visible(com::VARIANT_FALSE);
        DrawingFixture::TearDown();
    }
    QListWidgetItem* itemOf(int study) { return tool->window()->list()->item(tool->window()->RowOf(study)); }
    bool shown(int study) {
        bool visible = false;
        charts->FindCalculatedStudy(study, &visible);
        return visible;
    }

    CStudiesTool* tool = nullptr;
    std::vector<com::LONG> commands;
};

TEST_F(StudiesToolOnChart, ACheckBoxShowsAndHidesTheStudy) {
    ASSERT_FALSE(shown(4));
    itemOf(4)->setCheckState(Qt::Checked);
    EXPECT_EQ(commands, std::vector<com::LONG>{14}) << "InternalCommand with the study's command first";
    EXPECT_GE(charts->FindCalculatedStudy(4, nullptr), 0) << "the study joined the calculated list";
    EXPECT_TRUE(shown(4));
    EXPECT_EQ(itemOf(4)->checkState(), Qt::Checked);

    itemOf(4)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(shown(4));
    EXPECT_EQ(itemOf(4)->checkState(), Qt::Unchecked);
}

TEST_F(StudiesToolOnChart, AToggleFromElsewhereReachesTheBox) {
    ASSERT_EQ(charts->ToggleStudy(24, false), com::S_OK);
    EXPECT_EQ(itemOf(24)->checkState(), Qt::Checked);
    EXPECT_EQ(itemOf(24)->data(Qt::UserRole).toInt(), 24 * 256 + 1);
    ASSERT_EQ(charts->ToggleStudy(24, true), com::S_OK);
    EXPECT_EQ(itemOf(24)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(commands.empty());
}

// A user study whose values the client put into the chart joins the list once it is added with them,
// and becomes the selected study.
TEST_F(StudiesToolOnChart, AStudyAddedWithItsSeriesJoinsTheListAndIsSelected) {
    constexpr SHORT kUser0 = 38;
    EXPECT_EQ(tool->window()->RowOf(kUser0), -1);
    CAnalyticalChartBase& analytical = *charts->analyticalChart();
    const com::LONG entry = analytical.AddStudyWithSeries(kUser0, 4, false);
    ASSERT_GE(entry, 0);
    EXPECT_GE(tool->window()->RowOf(kUser0), 0);
    EXPECT_EQ(analytical.selectedEntry(), entry);
}

}  // namespace
}  // namespace dravik::test
