// A page bound to the real extension loaded into the real chart: the chart's site hands out the
// extension and the extension hands out its site, so the page binds from either object, and Apply
// goes to the extension's own AutoRecalc and work series.
#include <gtest/gtest.h>

#include "com/Activation.h"
#include "dravik/Identities.h"
#include "extension/FinancialChartsClass.h"
#include "korvel/KvlChart.h"
#include "pages/CFinancialPropertyPage.h"
#include "pages/PageCombos.h"

namespace dravik::test {
namespace {

class SeriesPage final : public CFinancialPropertyPage {
public:
    SeriesPage()
        : CFinancialPropertyPage(PageLayout{
              900,
              901,
              902,
              400,
              QSize(100, 40),
              {{kWorkSeriesItem, ui::ControlKind::DropDownList, QString(), QRect(0, 0, 80, 20)}}}) {}

protected:
    void LoadPage(ui::Dialog& dialog) override {
        for (int series = 0; series < 4; ++series)
            dialog.addString(kWorkSeriesItem, QString::number(series), series);
        ShowWorkSeries(dialog);
    }
    com::HRESULT ApplyPage(ui::Dialog& dialog) override { return ApplyWorkSeries(dialog); }
};

class PageBinding : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(com::registerClassObject(com::ServerClass{CLSID_FinancialCharts, kFinancialChartsProgIdText,
                                                            kFinancialChartsVersionedProgId, "Apartment",
                                                            &CreateFinancialCharts}),
                  com::S_OK);
        chart = korvel::KvlChart::create();
        chart->model().resize(4, 10);
        ASSERT_EQ(chart->AddExtension(com::Bstr(u"Lomex.Financial"), extension.put()), com::S_OK);
        ASSERT_EQ(extension->QueryInterface(IFinancialCharts::iid, financial.putVoid()), com::S_OK);
    }
    void TearDown() override {
        financial.reset();
        extension.reset();
        chart->extensions().unloadAll();
        com::revokeClassObject(CLSID_FinancialCharts);
    }

    com::ComPtr<korvel::KvlChart> chart;
    com::ComPtr<com::IUnknown> extension;
    com::ComPtr<IFinancialCharts> financial;
    SeriesPage page;
};

TEST_F(PageBinding, PageFindsTheExtensionFromTheChartAndFromTheExtension) {
    ASSERT_EQ(page.BindObjects(chart->identity()), com::S_OK);
    EXPECT_EQ(page.extension(), financial.get());
    EXPECT_FALSE(page.colorTable().empty()) << "the chart's colour table";

    ASSERT_EQ(page.BindObjects(extension.get()), com::S_OK);
    EXPECT_EQ(page.extension(), financial.get());
    EXPECT_EQ(page.chart(), static_cast<korvel::IKvlExtensionSite*>(chart.get()));
}

TEST_F(PageBinding, ApplyWritesTheWorkSeriesAndKeepsAutoRecalc) {
    ASSERT_EQ(financial->put_AutoRecalc(com::VARIANT_TRUE), com::S_OK);
    com::IUnknown* objects[] = {chart->identity()};
    ASSERT_EQ(page.setObjects(objects), com::S_OK);
    QWidget parent;
    ASSERT_NE(page.activate(&parent), nullptr);
    page.dialog()->setCurSel(kWorkSeriesItem, 2);
    page.MarkChanged1();
    ASSERT_EQ(page.apply(), com::S_OK);
    com::LONG workSeries = 0;
    financial->get_WorkSeries(&workSeries);
    EXPECT_EQ(workSeries, 2);
    com::VARIANT_BOOL autoRecalc = com::VARIANT_FALSE;
    financial->get_AutoRecalc(&autoRecalc);
    EXPECT_EQ(autoRecalc, com::VARIANT_TRUE);
}

TEST_F(PageBinding, DetachedExtensionLeadsNowhere) {
    chart->extensions().unloadAll();
    EXPECT_EQ(page.BindObjects(chart->identity()), com::E_INVALIDARG);
    EXPECT_EQ(page.BindObjects(extension.get()), com::E_INVALIDARG);
    EXPECT_EQ(page.extension(), nullptr);
}

}  // namespace
}  // namespace dravik::test
