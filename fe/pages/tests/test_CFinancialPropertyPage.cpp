// The page base: binding through the chart's site, the dirty state, and Apply with one recalculation.
#include <gtest/gtest.h>

#include <QPushButton>

#include "ChartTypeModels.h"
#include "pages/CFinancialPropertyPage.h"
#include "pages/PageCombos.h"
#include "ui/PropertyFrame.h"

namespace dravik::test {
namespace {

constexpr int kValueEdit = 600;

// A page with one edit field that holds the extension's work series, and the work-series list.
class WorkSeriesPage final : public CFinancialPropertyPage {
public:
    WorkSeriesPage()
        : CFinancialPropertyPage(PageLayout{
              900,
              901,
              902,
              400,
              QSize(200, 80),
              {{kValueEdit, ui::ControlKind::Edit, QString(), QRect(0, 0, 80, 20)},
               {kWorkSeriesItem, ui::ControlKind::DropDownList, QString(), QRect(0, 30, 80, 20)}}}) {}

    int applies = 0;
    com::HRESULT answer = com::S_OK;

protected:
    void LoadPage(ui::Dialog& dialog) override {
        for (int series = 0; series < 5; ++series)
            dialog.addString(kWorkSeriesItem, QString::number(series), series);
        ShowWorkSeries(dialog);
        dialog.setItemText(kValueEdit, QStringLiteral("loaded"));
    }
    com::HRESULT ApplyPage(ui::Dialog& dialog) override {
        ++applies;
        ApplyWorkSeries(dialog);
        return answer;
    }
};

class RecordingPageSite final : public ui::PropertyPageSite {
public:
    std::vector<std::uint32_t> changes;
    void onStatusChange(std::uint32_t flags) override { changes.push_back(flags); }
    com::LCID locale() const override { return 1024; }
};

class PageBase : public ::testing::Test {
protected:
    AttachedChart chart;
    WorkSeriesPage page;
    RecordingPageSite pageSite;
    QWidget parent;

    void bindAndShow() {
        page.setPageSite(&pageSite);
        com::IUnknown* objects[] = {chart.extension.get()};
        ASSERT_EQ(page.setObjects(objects), com::S_OK);
        ASSERT_NE(page.activate(&parent), nullptr);
        ASSERT_NE(page.dialog(), nullptr);
    }
};

TEST_F(PageBase, BindsToTheExtensionFromTheChartOrFromTheExtension) {
    ASSERT_EQ(page.BindObjects(chart.site->identity()), com::S_OK) << "the chart object";
    EXPECT_EQ(page.extension(), static_cast<IFinancialCharts*>(chart.extension.get()));
    EXPECT_EQ(page.chart(), static_cast<korvel::IKvlExtensionSite*>(chart.site.get()));

    ASSERT_EQ(page.BindObjects(chart.extension.get()), com::S_OK) << "the extension passes the page its site";
    EXPECT_EQ(page.extension(), static_cast<IFinancialCharts*>(chart.extension.get()));
    const std::vector<gdi::COLORREF> table(page.colorTable().begin(), page.colorTable().end());
    EXPECT_EQ(table,
              (std::vector<gdi::COLORREF>{0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x808080}));

    chart.site->palette.assign(3, 0x111111);
    EXPECT_EQ(page.colorTable().size(), 6u) << "the page keeps the table it read at binding";
}

TEST_F(PageBase, ObjectWithoutTheExtensionBindsNothing) {
    ASSERT_EQ(page.BindObjects(chart.site->identity()), com::S_OK);
    chart.site->detach();
    EXPECT_EQ(page.BindObjects(chart.site->identity()), com::E_INVALIDARG) << "a chart without the extension";
    EXPECT_EQ(page.extension(), nullptr);
    EXPECT_EQ(page.chart(), nullptr) << "the site found first is not kept either";
    EXPECT_TRUE(page.colorTable().empty());

    EXPECT_EQ(page.BindObjects(chart.extension.get()), com::E_INVALIDARG)
        << "a detached extension has no site";
    EXPECT_EQ(page.BindObjects(nullptr), com::E_INVALIDARG);
    EXPECT_EQ(page.setObjects({}), com::E_INVALIDARG);
}

TEST_F(PageBase, LoadingLeavesThePageClean) {
    bindAndShow();
    EXPECT_EQ(page.dialog()->itemText(kValueEdit), QStringLiteral("loaded"));
    EXPECT_EQ(page.isPageDirty(), com::S_FALSE);
    EXPECT_TRUE(pageSite.changes.empty());
}

TEST_F(PageBase, ApplyOnACleanPageTouchesNothing) {
    bindAndShow();
    EXPECT_EQ(page.apply(), com::S_FALSE);
    EXPECT_EQ(page.applies, 0);
    EXPECT_EQ(chart.extension->autoRecalcCalls, 0) << "AutoRecalc is not even read";
}

TEST_F(PageBase, AnEditMakesThePageDirtyOnce) {
    bindAndShow();
    page.dialog()->setItemText(kValueEdit, QStringLiteral("a"));
    page.dialog()->setItemText(kValueEdit, QStringLiteral("ab"));
    EXPECT_EQ(page.isPageDirty(), com::S_OK);
    EXPECT_TRUE(page.changed1());
    EXPECT_FALSE(page.changed2());
    EXPECT_EQ(pageSite.changes,
              (std::vector<std::uint32_t>{ui::PROPPAGESTATUS_DIRTY | ui::PROPPAGESTATUS_VALIDATE}))
        << "the site hears of the change of state, not of every edit";
    page.MarkChanged2();
    EXPECT_TRUE(page.changed2());
    EXPECT_EQ(pageSite.changes.size(), 1u);
}

TEST_F(PageBase, ApplyRecalculatesOnceAndLeavesAutoRecalcOn) {
    bindAndShow();
    page.dialog()->setItemText(kValueEdit, QStringLiteral("edited"));
    page.dialog()->setCurSel(kWorkSeriesItem, 2);
    EXPECT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(page.applies, 1);
    EXPECT_EQ(chart.extension->workSeries, 2);
    EXPECT_TRUE(chart.extension->autoRecalc);
    // The work series put recalculates by itself (the model counts it) while AutoRecalc is off; the
    // page's own effect is the single recalculation of switching AutoRecalc on again.
    EXPECT_EQ(chart.extension->recalculations, 2);
    EXPECT_EQ(page.isPageDirty(), com::S_FALSE);
    EXPECT_FALSE(page.changed1());
    EXPECT_EQ(page.apply(), com::S_FALSE) << "applied once";
    EXPECT_EQ(page.applies, 1);
}

TEST_F(PageBase, ApplyWithAutoRecalcOffLeavesItOff) {
    chart.extension->autoRecalc = false;
    bindAndShow();
    page.MarkChanged1();
    EXPECT_EQ(page.apply(), com::S_OK);
    EXPECT_FALSE(chart.extension->autoRecalc);
    EXPECT_EQ(chart.extension->recalculations, 1) << "only the work series put";
}

TEST_F(PageBase, RefusedValueKeepsThePageDirtyAndAutoRecalcAsItWas) {
    bindAndShow();
    page.answer = com::E_INVALIDARG;
    page.MarkChanged1();
    EXPECT_EQ(page.apply(), com::E_INVALIDARG);
    EXPECT_EQ(page.isPageDirty(), com::S_OK);
    EXPECT_TRUE(chart.extension->autoRecalc);
}

TEST_F(PageBase, WorkSeriesListShowsTheChartSeriesOfTheWorkSeries) {
    chart.extension->workSeries = -1;  // the close series
    chart.extension->closeSeries = 3;
    bindAndShow();
    EXPECT_EQ(page.dialog()->curSel(kWorkSeriesItem), 3);
}

TEST_F(PageBase, FrameEnablesApplyOnlyAfterAChange) {
    ui::PropertyFrameRequest request;
    request.objects = {chart.site->identity()};
    request.pages = {com::CLSID{0x1, 0x2, 0x3, {0, 0, 0, 0, 0, 0, 0, 1}}};
    WorkSeriesPage* shown = nullptr;
    ui::PropertyFrame frame(request, [&shown](const com::CLSID&) {
        auto made = std::make_unique<WorkSeriesPage>();
        shown = made.get();
        return made;
    });
    ASSERT_EQ(frame.pageCount(), 1u);
    QPushButton* apply = frame.button(ui::ID_APPLY_NOW);
    EXPECT_FALSE(apply->isEnabled());
    shown->dialog()->setItemText(kValueEdit, QStringLiteral("x"));
    EXPECT_TRUE(apply->isEnabled());
    apply->click();
    EXPECT_EQ(shown->applies, 1);
    EXPECT_FALSE(apply->isEnabled());
}

}  // namespace
}  // namespace dravik::test
