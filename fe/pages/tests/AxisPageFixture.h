// The axis pages against the real extension loaded into the real chart, with the bar chart type
// active: the pages reach the chart type's axes through the extension, and what they write lands in the
// extension's axis settings records, whose used-fields mask tells exactly which properties were written.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "com/Activation.h"
#include "com/InprocServer.h"
#include "dravik/Identities.h"
#include "extension/CFinancialCharts.h"
#include "gallery/CGalleryBase.h"
#include "gallery/GalleryAxisAccess.h"
#include "korvel/KvlChart.h"
#include "pages/CAxisPage.h"

namespace dravik::test {

// Used-fields bits of the axis settings record.
enum UsedField : std::uint32_t {
    kUsedMin = 0x1,
    kUsedMax = 0x2,
    kUsedStep = 0x4,
    kUsedMinorStep = 0x8,
    kUsedScale = 0x10,
    kUsedStyle = 0x20,
    kUsedFormat = 0x40,
    kUsedDecimals = 0x80,
    kUsedScaleUnit = 0x100,
    kUsedGrid = 0x400,
    kUsedGridWidth = 0x800,
    kUsedGridStyle = 0x1000,
    kUsedGridColor = 0x2000,
    kUsedMinorGrid = 0x4000,
    kUsedMinorGridWidth = 0x8000,
    kUsedMinorGridStyle = 0x10000,
    kUsedMinorGridColor = 0x20000,
    kUsedTick = 0x100000,
    kUsedMinorTick = 0x200000,
};

class AxisPageTest : public ::testing::Test {
protected:
    static constexpr SHORT kBarType = 5;

    void SetUp() override {
        ASSERT_EQ(com::registerClassObject(com::ServerClass{CLSID_FinancialCharts, kFinancialChartsProgIdText,
                                                            kFinancialChartsVersionedProgId, "Apartment",
                                                            &com::createComObject<CFinancialCharts>}),
                  com::S_OK);
        chart = korvel::KvlChart::create();
        korvel::KvlChartModel& model = chart->model();
        model.resize(4, 12);
        for (LONG s = 0; s < 4; ++s) {
            for (LONG p = 0; p < 12; ++p)
                model.setValue(1, s, p, 10.0 * s + p);
        }
        chart->dataChanged();
        com::ComPtr<com::IUnknown> loaded;
        ASSERT_EQ(chart->AddExtension(com::Bstr(u"Lomex.Financial"), loaded.put()), com::S_OK);
        financial = loaded.as<IFinancialCharts>();
        ASSERT_TRUE(financial);
        extension = static_cast<CFinancialCharts*>(financial.get());
        ASSERT_EQ(chart->put_ChartType(kFirstGalleryNumber + kBarType), com::S_OK);
        ASSERT_EQ(extension->activeIndex(), kBarType);
        setAxisGeneralPageTitled(false);
    }

    void TearDown() override {
        parent.reset();
        financial.reset();
        extension = nullptr;
        chart->extensions().unloadAll();
        chart.reset();
        com::revokeClassObject(CLSID_FinancialCharts);
    }

    CGalleryBase& barType() { return *extension->gallery(kBarType); }
    AxisSettingsRecord& priceRecord() { return extension->settings().priceAxis; }
    AxisSettingsRecord& dateRecord() { return extension->settings().dateAxis; }

    com::ComPtr<ILomexAxis> axisObject(SHORT axis) {
        com::IUnknown* made = nullptr;
        EXPECT_EQ(barType().CreateAxisObject(&made, nullptr, axis), com::S_OK);
        return com::ComPtr<com::IUnknown>::attach(made).as<ILomexAxis>();
    }

    // Binds `page` to the chart (as the chart's own frame does) for `axis` and opens its window.
    ui::Dialog& open(CAxisPage& page, SHORT axis) {
        barType().setCurrentAxis(axis);
        com::IUnknown* objects[] = {chart->identity()};
        EXPECT_EQ(page.setObjects(objects), com::S_OK);
        if (!parent)
            parent = std::make_unique<QWidget>();
        page.activate(parent.get());
        return *page.dialog();
    }

    // Shows the page's window so that it takes the focus.
    void showWindow() {
        parent->show();
        parent->activateWindow();
        QApplication::processEvents();
    }

    com::ComPtr<korvel::KvlChart> chart;
    com::ComPtr<IFinancialCharts> financial;
    CFinancialCharts* extension = nullptr;
    std::unique_ptr<QWidget> parent;
};

}  // namespace dravik::test
