// The zoom drag alone: its band on a surface and the range it hands back.
#include <gtest/gtest.h>

#include <QImage>

#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "korvel/KvlZoomDrag.h"

namespace korvel {
namespace {

TEST(KvlZoomDrag, BandFollowsTheMouseInsideThePlotAndLeavesNothingBehind) {
    auto surface = gdi::createImageDC(100, 60);
    surface->fillRect(gdi::Rect{0, 0, 100, 60}, gdi::getStockObject(gdi::WHITE_BRUSH));
    const QImage before = surface->image();
    const KvlRect plot{10, 5, 90, 55};
    KvlZoomDrag drag;
    drag.press(30, 3.2, plot, surface.get());
    EXPECT_TRUE(drag.active());
    EXPECT_EQ(drag.band(), (KvlRect{30, 5, 31, 55}));
    drag.move(200, surface.get());
    EXPECT_EQ(drag.band(), (KvlRect{30, 5, 90, 55})) << "held inside the plot";
    EXPECT_EQ(gdi::fromQColor(surface->image().pixelColor(89, 30)), 0u) << "the band's edge inverts white";
    drag.move(12, surface.get());
    EXPECT_EQ(drag.band(), (KvlRect{12, 5, 31, 55}));
    // Positions 3.2 and 7.6 touch the slots of points 3 to 8 (2.5 .. 8.5).
    EXPECT_EQ(drag.release(7.6, surface.get()), std::make_pair(2.5, 8.5));
    EXPECT_FALSE(drag.active());
    EXPECT_FALSE(drag.band().has_value());
    EXPECT_EQ(surface->image(), before);
}

TEST(KvlZoomDrag, CancelAndRepaintKeepTheSurfaceConsistent) {
    auto surface = gdi::createImageDC(100, 60);
    surface->fillRect(gdi::Rect{0, 0, 100, 60}, gdi::getStockObject(gdi::WHITE_BRUSH));
    const QImage before = surface->image();
    KvlZoomDrag drag;
    drag.press(40, 5.0, KvlRect{10, 5, 90, 55}, surface.get());
    drag.move(60, surface.get());
    // A paint covers the band; drawn again, the drag goes on as before.
    surface->fillRect(gdi::Rect{0, 0, 100, 60}, gdi::getStockObject(gdi::WHITE_BRUSH));
    drag.repaint(surface.get());
    drag.cancel(surface.get());
    EXPECT_FALSE(drag.active());
    EXPECT_EQ(surface->image(), before);
    // Without a surface (a chart of no size) the drag still runs and ends.
    drag.press(40, 5.0, KvlRect{10, 5, 90, 55}, nullptr);
    EXPECT_EQ(drag.release(5.0, nullptr), std::make_pair(4.5, 5.5));
}

}  // namespace
}  // namespace korvel
