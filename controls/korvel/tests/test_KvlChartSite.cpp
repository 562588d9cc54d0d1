// The chart as its extensions' site across the library boundary: queries in both directions, pages
// made by class id and bound through the site, and the chart's connection point for its events.
#include <gtest/gtest.h>

#include "com/ConnectionPoint.h"
#include "korvel/KvlChart.h"
#include "korvel/testing/KvlRecordingExtension.h"
#include "korvel/testing/KvlRecordingPage.h"
#include "ui/PropertyPageObject.h"

namespace korvel {
namespace {

using testing::IKvlRecordingInfo;
using testing::KvlRecordingExtension;
using testing::KvlRecordingPage;

class KvlChartSiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(KvlRecordingExtension::startTest(), com::S_OK);
        chart = KvlChart::create();
        chart->model().resize(1, 3);
    }
    com::ComPtr<com::IUnknown> load(const char16_t* progId) {
        com::ComPtr<com::IUnknown> extension;
        EXPECT_EQ(chart->AddExtension(com::Bstr(progId), extension.put()), com::S_OK);
        return extension;
    }

    com::ComPtr<KvlChart> chart;
};

TEST_F(KvlChartSiteTest, ExtensionAndSiteAnswerForEachOther) {
    auto extension = load(u"Korvel.RecordingExtension");
    com::ComPtr<IKvlExtensionSite> site;
    ASSERT_EQ(extension->QueryInterface(IKvlExtensionSite::iid, site.putVoid()), com::S_OK);
    EXPECT_EQ(site.get(), static_cast<IKvlExtensionSite*>(chart.get())) << "the site it is attached to";

    com::ComPtr<IKvlRecordingInfo> info;
    ASSERT_EQ(site->QueryInterface(IKvlRecordingInfo::iid, info.putVoid()), com::S_OK);
    EXPECT_STREQ(info->Name(), "ext");
    com::ComPtr<IKvlRecordingInfo> again;
    ASSERT_EQ(extension->QueryInterface(IKvlRecordingInfo::iid, again.putVoid()), com::S_OK);
    EXPECT_EQ(info.get(), again.get());

    const com::IID unknown{0x12345678, 0x1, 0x2, {0, 1, 2, 3, 4, 5, 6, 7}};
    void* nothing = &info;
    EXPECT_EQ(site->QueryInterface(unknown, &nothing), com::E_NOINTERFACE)
        << "asked every extension, none has it";
    EXPECT_EQ(nothing, nullptr);

    info.reset();
    again.reset();
    chart->extensions().unloadAll();
    EXPECT_EQ(site->QueryInterface(IKvlRecordingInfo::iid, info.putVoid()), com::E_NOINTERFACE)
        << "a detached extension is no longer asked";
    site.reset();
    EXPECT_EQ(extension->QueryInterface(IKvlExtensionSite::iid, site.putVoid()), com::E_NOINTERFACE)
        << "a detached extension has no site";
}

TEST_F(KvlChartSiteTest, PageOpenedByClassIdBindsToTheExtensionThroughTheSite) {
    load(u"Korvel.RecordingExtension");
    ASSERT_EQ(chart->put_ChartType(134), com::S_OK);

    ui::PropertyFrameRequest request;
    ASSERT_EQ(chart->propertyFrameRequest(1, &request), com::S_OK);
    ASSERT_EQ(request.pages.size(), 1u);
    EXPECT_EQ(request.pages.front(), testing::recordingPageClsid());
    ASSERT_EQ(request.objects.size(), 1u);
    EXPECT_EQ(request.objects.front(), chart->identity());
    EXPECT_EQ(chart->propertyFrameRequest(2, &request), com::S_FALSE) << "no axis page in this gallery";
    EXPECT_TRUE(request.pages.empty());

    chart->propertyFrameRequest(1, &request);
    {
        ui::PropertyFrame frame(request, ui::classRegistryPageFactory());
        EXPECT_EQ(frame.pageCount(), 1u);
        const testing::KvlPageBinding& binding = KvlRecordingPage::lastBinding();
        EXPECT_EQ(binding.result, com::S_OK);
        ASSERT_NE(binding.extension, nullptr);
        EXPECT_STREQ(binding.extension->Name(), "ext");
        EXPECT_EQ(binding.colourCount, 16) << "the colour table read through the services at binding";
    }
    EXPECT_EQ(KvlRecordingPage::lastBinding().extension, nullptr) << "the page went with the frame";
}

TEST_F(KvlChartSiteTest, PageOnAnObjectWithoutTheExtensionIsLeftOut) {
    ui::PropertyFrameRequest request;
    EXPECT_EQ(chart->propertyFrameRequest(1, &request), com::S_FALSE) << "no gallery active";

    // A chart without the extension: the site answers, the extension's interface does not.
    request.objects = {chart->identity()};
    request.pages = {testing::recordingPageClsid()};
    ui::PropertyFrame frame(request, ui::classRegistryPageFactory());
    EXPECT_EQ(frame.pageCount(), 0u);
    EXPECT_EQ(KvlRecordingPage::lastBinding().result, com::E_INVALIDARG);
    EXPECT_EQ(KvlRecordingPage::lastBinding().extension, nullptr);
}

TEST_F(KvlChartSiteTest, ChartOffersAConnectionPointForItsEvents) {
    com::ComPtr<com::IConnectionPointContainer> container;
    ASSERT_EQ(chart->QueryInterface(com::IConnectionPointContainer::iid, container.putVoid()), com::S_OK);
    com::ComPtr<com::IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(DIID_DKvlChartEvents, point.put()), com::S_OK);
    com::IID offered{};
    point->GetConnectionInterface(&offered);
    EXPECT_EQ(offered, DIID_DKvlChartEvents);
    EXPECT_EQ(point.get(), static_cast<com::IConnectionPoint*>(&chart->events()));
    com::ComPtr<com::IConnectionPoint> none;
    EXPECT_EQ(container->FindConnectionPoint(IKvlChart::iid, none.put()), com::CONNECT_E_NOCONNECTION);
}

}  // namespace
}  // namespace korvel
