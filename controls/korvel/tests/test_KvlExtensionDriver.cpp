#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvel/KvlChart.h"
#include "korvel/testing/KvlRecordingExtension.h"

namespace korvel {
namespace {

using testing::kRecordingExtensionProgId;
using testing::KvlRecordingExtension;
using Log = std::vector<std::string>;

class KvlExtensionDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(KvlRecordingExtension::registerClass(), com::S_OK);
        KvlRecordingExtension::log().clear();
        KvlRecordingExtension::faults().clear();
        KvlRecordingExtension::buttonDownAnswer() = 0;
        KvlRecordingExtension::annotationButtonDownAnswer() = 0;
        KvlRecordingExtension::panes().clear();
        KvlRecordingExtension::tracking() = false;
        chart = KvlChart::create();
        chart->model().resize(2, 5);
    }

    com::ComPtr<com::IUnknown> load(const char16_t* progId) {
        com::ComPtr<com::IUnknown> extension;
        EXPECT_EQ(chart->AddExtension(com::Bstr(progId), extension.put()), com::S_OK);
        return extension;
    }

    static const Log& log() { return KvlRecordingExtension::log(); }
    void TearDown() override { EXPECT_EQ(KvlRecordingExtension::faults(), Log{}); }

    com::ComPtr<KvlChart> chart;
};

TEST_F(KvlExtensionDriverTest, AddExtensionTwiceGivesTheSameObject) {
    auto first = load(u"Korvel.RecordingExtension");
    auto second = load(u"korvel.recordingextension");
    ASSERT_TRUE(first);
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(chart->extensions().extensionCount(), 1u);
    EXPECT_EQ(log(), (Log{"SetChart(chart)", "UpdateCommandTexts(130,30000)"}));
}

TEST_F(KvlExtensionDriverTest, UnknownProgIdFailsAndLoadsNothing) {
    com::ComPtr<com::IUnknown> extension;
    EXPECT_TRUE(com::FAILED(chart->AddExtension(com::Bstr(u"No.Such.Extension"), extension.put())));
    EXPECT_FALSE(extension);
    EXPECT_EQ(chart->AddExtension(com::Bstr(u""), extension.put()), com::E_INVALIDARG);
    EXPECT_EQ(chart->extensions().extensionCount(), 0u);
}

TEST_F(KvlExtensionDriverTest, CallsArriveInTheDocumentedOrder) {
    load(u"Korvel.RecordingExtension");
    ASSERT_EQ(chart->put_ChartType(134), com::S_OK);  // gallery 4
    ASSERT_EQ(chart->put_ChartType(131), com::S_OK);  // gallery 1: gallery 4 is left first
    chart->dataChanged();
    ASSERT_EQ(chart->put_ChartType(2), com::S_OK);  // one of the chart's own types
    LONG type = 0;
    chart->get_ChartType(&type);
    EXPECT_EQ(type, 2);
    chart.reset();  // the last reference: the chart unloads its extensions

    EXPECT_EQ(log(), (Log{"SetChart(chart)", "UpdateCommandTexts(130,30000)", "ActivateGallery(4,1)",
                          "ActivateGallery(4,0)", "ActivateGallery(1,1)", "NotifyGallery(1,1)",
                          "ActivateGallery(1,0)", "SetChart(null)", "Released"}));
}

TEST_F(KvlExtensionDriverTest, UnloadDeactivatesThenDetachesBeforeRelease) {
    load(u"Korvel.RecordingExtension");
    ASSERT_EQ(chart->put_ChartType(133), com::S_OK);
    KvlRecordingExtension::log().clear();
    chart->extensions().unloadAll();
    EXPECT_EQ(log(), (Log{"ActivateGallery(3,0)", "SetChart(null)", "Released"}));
    EXPECT_EQ(chart->callback(), nullptr) << "the extension handed the previous callback back";
}

TEST_F(KvlExtensionDriverTest, DisabledOrUnknownGalleryChangesNothing) {
    load(u"Korvel.RecordingExtension");
    ASSERT_EQ(chart->put_ChartType(134), com::S_OK);
    EXPECT_EQ(chart->put_ChartType(136), com::E_INVALIDARG) << "only six galleries";
    chart->model().resize(0, 0);  // without series the galleries are not offered
    EXPECT_EQ(chart->put_ChartType(130), com::E_INVALIDARG);
    LONG type = 0;
    chart->get_ChartType(&type);
    EXPECT_EQ(type, 134);
}

TEST_F(KvlExtensionDriverTest, NoExtensionMeansNoPaintCallsAndLegendTips) {
    chart->model().setPointLegend(0, "first");
    EXPECT_EQ(chart->paint(nullptr, chart->model().clientRect(), false), 0);
    const KvlRect plot = chart->model().plotRect();
    EXPECT_EQ(chart->tipText(plot.left + 1, plot.top + 1).text, "first");
    EXPECT_TRUE(log().empty());
}

}  // namespace
}  // namespace korvel
