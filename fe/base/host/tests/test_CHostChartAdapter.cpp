#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gdi/SystemColors.h"
#include "host/CHostChartAdapter.h"
#include "host/CHostChartAdapterText.h"
#include "korvel/KvlChart.h"
#include "korvel/testing/KvlRecordingControl.h"

namespace dravik {
namespace {

using korvel::KvlChart;
using korvel::testing::KvlRecordingControl;

com::ComPtr<KvlRecordingControl> control(bool plain, bool dual) {
    auto chart = KvlChart::create();
    chart->model().resize(3, 4);
    return com::makeComObject<KvlRecordingControl>(chart, KvlRecordingControl::Forms{plain, dual});
}

// Which adapter a text call went through shows in the member the control saw.
std::string formOf(CHostChartAdapter& adapter, KvlRecordingControl& recorder) {
    recorder.clear();
    adapter.SetCaptionText("x");
    return recorder.calls().empty() ? "" : recorder.calls().back();
}

TEST(CreateHostChartAdapter, PrefersThePlainForm) {
    struct Case {
        bool plain, dual;
        const char* call;  // the text member used, "" for no adapter
    } cases[] = {
        {true, true, "SetCaptionTextA"},
        {false, true, "SetCaptionText"},
        {true, false, "SetCaptionTextA"},
        {false, false, ""},
    };
    for (const Case& c : cases) {
        auto recorder = control(c.plain, c.dual);
        auto adapter = CreateHostChartAdapter(static_cast<korvel::IKvlExtensionSite*>(recorder.get()));
        if (!*c.call) {
            EXPECT_FALSE(adapter);
            continue;
        }
        ASSERT_TRUE(adapter) << c.plain << c.dual;
        EXPECT_EQ(formOf(*adapter, *recorder), c.call);
    }
    EXPECT_FALSE(CreateHostChartAdapter(nullptr));
}

TEST(CreateHostChartAdapter, HoldsNoReferenceOnTheControl) {
    auto recorder = control(true, true);
    auto* unknown = static_cast<korvel::IKvlExtensionSite*>(recorder.get());
    unknown->AddRef();
    const com::ULONG before = unknown->Release();
    auto adapter = CreateHostChartAdapter(unknown);
    unknown->AddRef();
    EXPECT_EQ(unknown->Release(), before);
}

TEST(CHostChartAdapterB, ArabicLegendRoundTripsThroughUtf16) {
    auto recorder = control(false, true);
    auto adapter = CHostChartAdapterB::Create(static_cast<korvel::IKvlExtensionSite*>(recorder.get()));
    ASSERT_TRUE(adapter);
    const char* legend = "\xd8\xa7\xd9\x84\xd8\xa5\xd8\xba\xd9\x84\xd8\xa7\xd9\x82";  // "الإغلاق"
    ASSERT_EQ(adapter->SetSeriesLegend(1, legend), com::S_OK);
    com::Bstr stored;
    recorder->inner().GetSeriesLegend(1, &stored);
    EXPECT_EQ(stored.text(), u"\u0627\u0644\u0625\u063A\u0644\u0627\u0642");
    char buffer[41];
    ASSERT_EQ(adapter->GetSeriesLegend(1, buffer, sizeof buffer), com::S_OK);
    EXPECT_STREQ(buffer, legend);
}

TEST(CHostChartAdapterB, LongLegendIsBoundedByTheBuffer) {
    auto recorder = control(false, true);
    auto adapter = CHostChartAdapterB::Create(static_cast<korvel::IKvlExtensionSite*>(recorder.get()));
    ASSERT_TRUE(adapter);
    std::u16string longLegend(300, u'\u0628');  // 300 two-byte characters
    recorder->inner().SetSeriesLegend(0, com::Bstr(longLegend));
    char buffer[48];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(adapter->GetSeriesLegend(0, buffer, 41), com::S_FALSE);
    // 40 bytes of room: 20 whole characters, then the terminator; nothing written past byte 41.
    EXPECT_EQ(std::strlen(buffer), 40u);
    EXPECT_EQ(std::string(buffer, 2), "\xd8\xa8");
    EXPECT_EQ(buffer[41], '#');
}

TEST(CHostChartAdapterA, TextPassesThroughAndIsBounded) {
    auto recorder = control(true, false);
    auto adapter = CHostChartAdapterA::Create(static_cast<korvel::IKvlExtensionSite*>(recorder.get()));
    ASSERT_TRUE(adapter);
    ASSERT_EQ(adapter->SetAxisText(0, "SAR"), com::S_OK);
    char buffer[3];
    EXPECT_EQ(adapter->GetAxisText(0, buffer, sizeof buffer), com::S_FALSE);
    EXPECT_STREQ(buffer, "SA");
    EXPECT_EQ(adapter->GetAxisText(9, buffer, sizeof buffer), com::E_INVALIDARG);
    EXPECT_STREQ(buffer, "");
}

TEST(CHostChartAdapter, MapColor) {
    auto recorder = control(true, true);
    auto adapter = CreateHostChartAdapter(static_cast<korvel::IKvlExtensionSite*>(recorder.get()));
    const struct {
        std::uint32_t in;
        std::uint32_t out;
    } cases[] = {
        {0x8000000F, gdi::getSysColor(15)},
        {0x80000005, gdi::getSysColor(5)},
        {0x00FF0000, 0x00FF0000},
        {0x00000000, 0x00000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<std::uint32_t>(adapter->MapColor(static_cast<LONG>(c.in))), c.out)
            << std::hex << c.in;
    EXPECT_EQ(gdi::getSysColor(15), 0xC0C0C0u);
    EXPECT_TRUE(recorder->calls().empty()) << "MapColor never calls the control";
}

TEST(CHostChartAdapter, StyleFlagChangesOnlyItsBit) {
    auto recorder = control(true, true);
    auto adapter = CreateHostChartAdapter(static_cast<korvel::IKvlExtensionSite*>(recorder.get()));
    const struct {
        LONG before;
        LONG on;
        LONG after;
    } cases[] = {{0x2003, 0, 0x0003}, {0x0003, 1, 0x2003}, {0x2003, 1, 0x2003}, {-1, 0, ~0x2000}};
    for (const auto& c : cases) {
        adapter->SetStyleWord(c.before);
        EXPECT_EQ(adapter->IsStyleFlagSet(), (c.before & 0x2000) ? 1 : 0);
        recorder->clear();
        ASSERT_EQ(adapter->SetStyleFlag(c.on), com::S_OK);
        EXPECT_EQ(adapter->GetStyleWord(), c.after);
        EXPECT_EQ(recorder->calls(),
                  (std::vector<std::string>{"GetStyleWord", "SetStyleWord", "GetStyleWord"}));
    }
}

TEST(CHostChartAdapter, ExchangeChartSettingRestores) {
    auto recorder = control(true, true);
    auto adapter = CreateHostChartAdapter(static_cast<korvel::IKvlExtensionSite*>(recorder.get()));
    adapter->SetSetting(111, 7);
    const LONG previous = adapter->ExchangeChartSetting(111, 0, 0);
    EXPECT_EQ(previous, 7);
    EXPECT_EQ(adapter->ExchangeChartSetting(111, previous, 0), 0);
    EXPECT_EQ(recorder->inner().model().settings().numbered.at(111), 7);
}

TEST(CHostChartAdapter, RunChartCommandTurnsFailureIntoMinusOne) {
    auto recorder = control(true, true);
    auto adapter = CreateHostChartAdapter(static_cast<korvel::IKvlExtensionSite*>(recorder.get()));
    EXPECT_EQ(adapter->RunChartCommand(29698, 0), 0);
    EXPECT_EQ(adapter->RunChartCommand(1234, 0), -1);
}

TEST(CHostChartAdapter, CollectionOperationsReachTheItems) {
    auto recorder = control(true, true);
    auto adapter = CreateHostChartAdapter(static_cast<korvel::IKvlExtensionSite*>(recorder.get()));
    ASSERT_EQ(adapter->SetAxisValue(1, 9, 2.5), com::S_OK);
    EXPECT_EQ(adapter->GetAxisValue(1, 9), 2.5);
    EXPECT_EQ(adapter->GetAxisValue(7, 9), 0) << "no such axis: neutral value";
    EXPECT_EQ(adapter->SetAxisValue(1, 27, 1), com::E_INVALIDARG) << "27 codes, 0-26";

    ASSERT_EQ(adapter->SetSeriesAttribute(2, korvel::kAttrLineWidth, 3), com::S_OK);
    EXPECT_EQ(adapter->GetSeriesAttribute(2, korvel::kAttrLineWidth), 3);
    ASSERT_EQ(adapter->SetSeriesColor(2, 0x123456), com::S_OK);
    EXPECT_EQ(adapter->GetSeriesAttribute(2, korvel::kAttrColor), 0x123456) << "colour is attribute 2";

    ASSERT_EQ(adapter->SetAxisFormat(0, com::Variant(std::int32_t{5})), com::S_OK);
    com::Variant format;
    ASSERT_EQ(adapter->GetAxisFormat(0, &format), com::S_OK);
    EXPECT_EQ(format.i4(), 5);

    ASSERT_EQ(adapter->SetConstantLine(3, 1, 42.0, 2.0, 0xFF), com::S_OK);
    SHORT axis = 0;
    double value = 0, width = 0;
    LONG color = 0;
    ASSERT_EQ(adapter->GetConstantLine(3, &axis, &value, &width, &color), com::S_OK);
    EXPECT_EQ(axis, 1);
    EXPECT_EQ(value, 42.0);

    double first = 0, last = 0;
    ASSERT_EQ(adapter->GetVisibleRange(2, &first, &last), com::S_OK);
    EXPECT_EQ(first, 0.5);
    EXPECT_EQ(last, 4.5);
}

TEST(CHostChartAdapter, DataChangeAndConversionsForward) {
    auto recorder = control(true, true);
    auto adapter = CreateHostChartAdapter(static_cast<korvel::IKvlExtensionSite*>(recorder.get()));
    EXPECT_EQ(adapter->BeginDataChange(3, 56, 0), 1);
    EXPECT_EQ(adapter->EndDataChange(3), 1);
    EXPECT_EQ(adapter->GetSeriesCount(), 56);
    EXPECT_EQ(adapter->EndDataChange(3), 0) << "no change open";

    LONG x = 0, y = 0;
    ASSERT_EQ(adapter->ValueToPixel(2, 50, &x, &y, 0), com::S_OK);
    double position = 0, value = 0;
    ASSERT_EQ(adapter->PixelToValue(x, y, &position, &value, 0), com::S_OK);
    EXPECT_NEAR(position, 2, 0.01);
    EXPECT_EQ(adapter->HitTest(x, y, nullptr, nullptr), korvel::kHitPlot);

    korvel::KvlRect plot;
    ASSERT_EQ(adapter->GetChartRect(korvel::kRectPlot, korvel::KvlRect{3, 0, 0, 0}, &plot), com::S_OK);
    EXPECT_EQ(plot.left, adapter->GetLeftMargin());
    EXPECT_TRUE(adapter->GetFontObject());
}

}  // namespace
}  // namespace dravik
