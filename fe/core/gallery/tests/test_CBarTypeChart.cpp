// The bar-type chart: its identity towards the chart, its points left to the chart, its saved
// properties, and the label tips of the chart-type base.
#include <cstring>
#include <vector>

#include "GalleryFixture.h"
#include "com/EventSink.h"
#include "dravik/Events.h"
#include "dravik/Identities.h"
#include "gallery/CBarTypeChart.h"
#include "persist/CMemoryArchive.h"

namespace dravik::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

HRESULT loadArchiveError(CGalleryBase& chartType, const Bytes& bytes, LONG version) {
    CMemoryArchive archive(bytes.data(), bytes.size());
    chartType.ExchangeProperties(archive, version, 0);
    return archive.Error();
}

TEST(BarTypeChart, IdentityTowardsTheChart) {
    CBarTypeChart bar(nullptr);
    EXPECT_EQ(bar.nameId(), 135);
    EXPECT_EQ(bar.galleryIndex(), 5);
    EXPECT_EQ(bar.GetGalleryFlags(), 0x2881000);
    EXPECT_EQ(bar.GetGalleryInfo(), 1);
    char name[56] = {};
    bar.GetName(name, sizeof name);
    EXPECT_STREQ(name, "Bar");
    LONG kind = -1;
    LONG mode = -1;
    korvel::KvlPaintRecord record;
    EXPECT_EQ(bar.DrawPoint(&kind, &record, &mode), 0);
    EXPECT_EQ(kind, 2);
    EXPECT_EQ(mode, 1);
    com::CLSID page = CLSID_AxisGeneralPage;
    EXPECT_EQ(bar.GetPageClsid(1, &page), com::S_OK);
    EXPECT_TRUE(page.isNull());
}

TEST(BarTypeChart, SavedPropertiesAreEightBytesAtVersion33) {
    CBarTypeChart bar(nullptr);
    bar.SetYAxis(0, 0, 1);
    bar.ModifyFlags(0x10, 0);
    // "_YAxis" short 1, the label mask as a string id (size 0), "_Flags" 0x10.
    EXPECT_EQ(saveChartType(bar, 33), (Bytes{1, 0, 0, 0, 0x10, 0, 0, 0}));
    // Up to version 31 there is no "_Flags".
    EXPECT_EQ(saveChartType(bar, 31), (Bytes{1, 0, 0, 0}));
    // A body-only exchange holds nothing of the bar type.
    EXPECT_EQ(saveChartType(bar, 33, 2), Bytes{});
    LONG size = 0;
    bar.GetPersistSize(&size);
    EXPECT_EQ(size, 2);
}

TEST(BarTypeChart, LoadsWhatItSaved) {
    CBarTypeChart saved(nullptr);
    saved.SetYAxis(0, 0, 1);
    saved.ModifyFlags(0x3, 0);
    saved.labelMask().SetText("%d", nullptr);
    const Bytes bytes = saveChartType(saved, 33);
    ASSERT_EQ(bytes.size(), 2u + 2u + 120u + 4u);

    CBarTypeChart loaded(nullptr);
    EXPECT_EQ(loadArchiveError(loaded, bytes, 33), com::S_OK);
    EXPECT_EQ(loaded.GetYAxis(), 1);
    EXPECT_EQ(loaded.flags(), 0x3);
    EXPECT_EQ(loaded.IsEnabled(), 0);
    EXPECT_STREQ(loaded.labelMask().GetText(nullptr), "%d");
    EXPECT_EQ(saveChartType(loaded, 33), bytes);
}

TEST(BarTypeChart, AnOldSaveKeepsTheFlagsAndADamagedAxisFallsBackToTheFirst) {
    CBarTypeChart loaded(nullptr);
    loaded.ModifyFlags(0x4, 0);
    EXPECT_EQ(loadArchiveError(loaded, Bytes{7, 0, 0, 0}, 31), com::S_OK);
    EXPECT_EQ(loaded.GetYAxis(), 0);
    EXPECT_EQ(loaded.flags(), 0x4);
    // A stream that ends early fails.
    EXPECT_EQ(loadArchiveError(loaded, Bytes{1, 0, 0}, 33), com::STG_E_READFAULT);
}

// --- Tips ----------------------------------------------------------------------------------------------

// A chart type whose label expansion fills the whole buffer it is given, without a terminator.
class FloodingLabels final : public CGalleryBase {
public:
    explicit FloodingLabels(CFinancialCharts* owner) : CGalleryBase(owner, 130) {}
    LONG DrawPoint(LONG*, KvlPaintRecord*, LONG*) override { return 0; }
    LONG GetLabelText(char* text, LONG size, LONG, LONG element, LONG) override {
        lastSize = size;
        std::memset(text, element == 0 ? 0 : 'x', static_cast<std::size_t>(size));
        return 0;
    }
    LONG lastSize = 0;
};

TEST_F(GalleryFixture, TipsAreBoundedByTheirBufferAndABlankStandsForNoText) {
    FloodingLabels labels(extension.get());
    std::vector<char> buffer(korvel::kTipTextSize + 16, '#');
    std::fill(buffer.begin(), buffer.begin() + korvel::kTipTextSize, '\0');
    EXPECT_EQ(labels.GetPointTipText(buffer.data(), 0, 3), 1);
    EXPECT_EQ(labels.lastSize, 256);
    EXPECT_EQ(std::strlen(buffer.data()), 255u);
    EXPECT_EQ(buffer[korvel::kTipTextSize], '#') << "nothing written past the buffer";
    EXPECT_EQ(chart->model().toolTip(), std::string(255, 'x'));

    std::fill(buffer.begin(), buffer.begin() + korvel::kTipTextSize, '\0');
    EXPECT_EQ(labels.GetTipText(buffer.data(), korvel::kTipPlotPoint, -1, 0), 0);
    EXPECT_EQ(chart->model().toolTip(), " ");
    // Kinds other than a point make no tip.
    chart->model().toolTip() = "kept";
    EXPECT_EQ(labels.GetTipText(buffer.data(), korvel::kTipAxis, 1, -1), 0);
    EXPECT_EQ(chart->model().toolTip(), "kept");
}

TEST_F(GalleryFixture, TheBaseLabelIsEmptySoTheTipIsABlank) {
    char buffer[korvel::kTipTextSize] = {};
    EXPECT_EQ(type(5).GetPointTipText(buffer, 1, 2), 1);
    EXPECT_STREQ(buffer, " ");
    EXPECT_STREQ(type(5).labelMask().GetText(), "%t (%s)");
}

TEST_F(GalleryFixture, TheExtensionOwnsTheSixChartTypesInGalleryOrder) {
    const LONG flags[] = {0x20d7000, 0x20d7000, 0x20d7000, 0x20d7000, 0x2897000, 0x2881000};
    const char* names[] = {"Point and Figure", "Renko", "Kagi", "Three Line Break", "Analytical", "Bar"};
    for (LONG index = 0; index < 6; ++index) {
        SCOPED_TRACE(index);
        ASSERT_NE(extension->gallery(index), nullptr);
        EXPECT_EQ(type(index).galleryIndex(), index);
        EXPECT_EQ(extension->GetGalleryCapabilities(index), flags[index]);
        char name[56] = {};
        type(index).GetName(name, sizeof name);
        EXPECT_STREQ(name, names[index]);
    }
}

TEST_F(GalleryFixture, CheckInputValuesIsRaisedForEverySeriesOfTheCache) {
    ASSERT_EQ(activate(5), com::S_OK);
    std::vector<std::vector<LONG>> seen;
    events().on(kEventCheckInputValues, [&](std::span<com::Variant> args) {
        seen.push_back({args[0].i4(), args[1].i4(), args[2].i4()});
        return com::S_OK;
    });
    type(5).CheckInputValues();
    EXPECT_EQ(seen,
              (std::vector<std::vector<LONG>>{{5, 0, 20}, {5, 1, 20}, {5, 2, 20}, {5, 3, 20}, {5, 4, 20}}));
}

}  // namespace
}  // namespace dravik::test
