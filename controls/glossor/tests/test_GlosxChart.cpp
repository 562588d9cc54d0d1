#include <gtest/gtest.h>

#include "GlossorTestSupport.h"
#include "com/Bstr.h"
#include "gdi/DeviceContext.h"
#include "korvel/KvlChart.h"

namespace glossor::testing {
namespace {

// A widget as the overlay sees it: its size and the repaints asked for.
class FakeHost final : public GlosxHost {
public:
    int clientWidth() const override { return 200; }
    int clientHeight() const override { return 100; }
    void invalidate() override { ++invalidations; }

    int invalidations = 0;
};

TEST(GlossorOnTheChart, TheChartHandsOutOneListAndShowsItsBar) {
    ASSERT_EQ(registerAnnotationClasses(), com::S_OK);
    com::ComPtr<com::IUnknown> first;
    com::ComPtr<com::IUnknown> second;
    {
        auto chart = korvel::KvlChart::create();
        ASSERT_EQ(chart->AddExtension(com::Bstr(u"Scribant.AnnList"), first.put()), com::S_OK);
        ASSERT_EQ(chart->AddExtension(com::Bstr(u"Scribant.AnnList"), second.put()), com::S_OK);
        EXPECT_EQ(first, second);
        auto list = first.as<IGlosxList>();
        ASSERT_TRUE(list);
        com::ComPtr<ostbar::IOstToolbar> toolbar;
        ASSERT_EQ(list->get_ToolBarObject(toolbar.put()), com::S_OK);
        ASSERT_EQ(chart->hostedBars().size(), 1u);
        EXPECT_EQ(chart->hostedBars()[0].as<ostbar::IOstToolbar>(), toolbar);
    }
    // The chart let the list go first: the list works on without it.
    auto list = first.as<IGlosxList>();
    com::ComPtr<IGlosxObject> line;
    ASSERT_EQ(list->Add(kKindLine, com::Variant::missing(), line.put()), com::S_OK);
    EXPECT_EQ(list->RefreshObject(line.get()), com::S_OK);
}

TEST(GlossorOnTheChart, TheOverlayAsksItsHostForRepaintsAndPaintsThroughADC) {
    ASSERT_EQ(registerAnnotationClasses(), com::S_OK);
    com::ComPtr<IGlosxList> list;
    ASSERT_EQ(com::createInstance(kGlosxListProgId, list), com::S_OK);
    auto overlay = list.as<IGlosxOverlay>();
    FakeHost host;
    ASSERT_EQ(overlay->SetHost(&host), com::S_OK);

    com::ComPtr<IGlosxObject> line;
    list->Add(kKindLine, com::Variant::missing(), line.put());
    const int afterAdd = host.invalidations;
    EXPECT_GT(afterAdd, 0);
    setEnds(line.get(), {10, 50, 190, 50});
    EXPECT_GT(host.invalidations, afterAdd);
    const int afterMove = host.invalidations;
    list->RefreshObject(line.get());
    EXPECT_EQ(host.invalidations, afterMove + 1);

    auto dc = gdi::createImageDC(host.clientWidth(), host.clientHeight());
    EXPECT_EQ(overlay->Paint(nullptr), com::E_POINTER);
    ASSERT_EQ(overlay->Paint(dc.get()), com::S_OK);
    EXPECT_EQ(dc->getPixel(100, 50), 0x000000u);
    EXPECT_EQ(dc->getPixel(100, 52), 0xFFFFFFu);

    // Once the host is gone nothing reaches it.
    overlay->SetHost(nullptr);
    const int before = host.invalidations;
    line->put_Offset(5);
    EXPECT_EQ(host.invalidations, before);
}

}  // namespace
}  // namespace glossor::testing
