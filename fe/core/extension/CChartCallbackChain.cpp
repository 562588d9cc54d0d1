#include "extension/CChartCallbackChain.h"

#include <cstring>

namespace dravik {

CChartCallbackChain::~CChartCallbackChain() = default;

template <typename Chained>
LONG CChartCallbackChain::chainedOnly(Chained&& chained) {
    return previous_ ? chained(*previous_) : 0;
}

template <typename Chained, typename Routed>
LONG CChartCallbackChain::route(std::size_t method, Chained&& chained, Routed&& routed) {
    const CallbackRule rule = kCallbackRules[method];
    CGalleryBase* target = callbackTarget();
    switch (rule) {
        case CallbackRule::Chained:
            return chainedOnly(chained);
        case CallbackRule::PointTip: {
            std::memset(pointTipBuffer_, 0, sizeof pointTipBuffer_);
            if (target)
                routed(*target, pointTipBuffer_);
            const LONG byDefault = chainedOnly(chained);
            return byDefault != 0 || target ? 1 : 0;
        }
        case CallbackRule::Tip: {
            std::memset(tipBuffer_, 0, sizeof tipBuffer_);
            if (target)
                routed(*target, tipBuffer_);
            return chainedOnly(chained);
        }
        default:
            break;
    }
    if (chainedOnly(chained) != 0)
        return 1;
    // The type may have been disabled or left by the chained default.
    target = callbackTarget();
    if (!target)
        return rule == CallbackRule::AsMethod3 ? 1 : 0;
    const LONG answer = routed(*target, nullptr);
    if (rule == CallbackRule::AsMethod7)
        return answer;
    return answer == 0 ? 1 : 0;
}

// The lambdas: `p` is the previous callback, `g` the chart type (with the tip buffer `t` where one is
// handed over).
#define CHAINED(call) [&](IKvlExtensionCallback& p) { return p.call; }
#define ROUTED(call)                \
    [&](CGalleryBase& g, char* t) { \
        (void)t;                    \
        return g.call;              \
    }

LONG CChartCallbackChain::AxisDoubleClick(const KvlHitRecord* hit, LONG x, LONG y, LONG keys) {
    return route(0, CHAINED(AxisDoubleClick(hit, x, y, keys)), ROUTED(OnAxisDoubleClick(hit, x, y, keys)));
}
LONG CChartCallbackChain::ButtonDown(LONG x, LONG y) {
    return route(1, CHAINED(ButtonDown(x, y)), ROUTED(OnButtonDown(x, y)));
}
LONG CChartCallbackChain::ButtonUp(LONG x, LONG y) {
    return route(2, CHAINED(ButtonUp(x, y)), ROUTED(OnButtonUp(x, y)));
}
LONG CChartCallbackChain::CancelTracking(LONG reason, LONG x, LONG y, LONG keys) {
    return route(3, CHAINED(CancelTracking(reason, x, y, keys)), ROUTED(CancelTracking(reason, x, y, keys)));
}
LONG CChartCallbackChain::AxisRightClick(LONG x, LONG y) {
    return route(4, CHAINED(AxisRightClick(x, y)), ROUTED(OnAxisRightClick(x, y)));
}
LONG CChartCallbackChain::MouseLeave(LONG x, LONG y) {
    return chainedOnly(CHAINED(MouseLeave(x, y)));
}
LONG CChartCallbackChain::MouseMove(LONG x, LONG y) {
    return route(6, CHAINED(MouseMove(x, y)), ROUTED(OnMouseMove(x, y)));
}
LONG CChartCallbackChain::ReadDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) {
    return route(7, CHAINED(ReadDrawArea(dc, rect)), ROUTED(ReadDrawArea(dc, rect)));
}
LONG CChartCallbackChain::ClearDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) {
    return route(8, CHAINED(ClearDrawArea(dc, rect)), ROUTED(ClearDrawArea(dc, rect)));
}
LONG CChartCallbackChain::DrawAreaNotify(gdi::DeviceContext* dc, const KvlRect* rect, LONG code,
                                         LONG reserved) {
    return route(9, CHAINED(DrawAreaNotify(dc, rect, code, reserved)),
                 ROUTED(DrawAreaNotify(dc, rect, code, reserved)));
}
LONG CChartCallbackChain::DrawAreaPrepare(gdi::DeviceContext* dc, const KvlRect* rect) {
    return route(10, CHAINED(DrawAreaPrepare(dc, rect)), ROUTED(DrawAreaPrepare(dc, rect)));
}
LONG CChartCallbackChain::SetCursor(LONG x, LONG y) {
    return chainedOnly(CHAINED(SetCursor(x, y)));
}
LONG CChartCallbackChain::PointTipText(LONG series, LONG point) {
    return route(12, CHAINED(PointTipText(series, point)), ROUTED(GetPointTipText(t, series, point)));
}
LONG CChartCallbackChain::TipText(LONG kind, LONG a, LONG b) {
    return route(13, CHAINED(TipText(kind, a, b)), ROUTED(GetTipText(t, kind, a, b)));
}
LONG CChartCallbackChain::HoverOn(LONG x, LONG y) {
    return chainedOnly(CHAINED(HoverOn(x, y)));
}
LONG CChartCallbackChain::HoverOff(LONG x, LONG y) {
    return chainedOnly(CHAINED(HoverOff(x, y)));
}
LONG CChartCallbackChain::KeyDown(LONG key, LONG keys) {
    return chainedOnly(CHAINED(KeyDown(key, keys)));
}
LONG CChartCallbackChain::KeyUp(LONG key, LONG keys) {
    return chainedOnly(CHAINED(KeyUp(key, keys)));
}
LONG CChartCallbackChain::AxisColorDrop(const KvlHitRecord* hit, LONG x, LONG y) {
    return route(18, CHAINED(AxisColorDrop(hit, x, y)), ROUTED(OnAxisColorDrop(hit, x, y)));
}
LONG CChartCallbackChain::BeforePaint(gdi::DeviceContext* dc, const KvlRect* rect) {
    return chainedOnly(CHAINED(BeforePaint(dc, rect)));
}
LONG CChartCallbackChain::AfterPaint(gdi::DeviceContext* dc, const KvlRect* rect) {
    return chainedOnly(CHAINED(AfterPaint(dc, rect)));
}
LONG CChartCallbackChain::BeforePrint(gdi::DeviceContext* dc, const KvlRect* rect) {
    return chainedOnly(CHAINED(BeforePrint(dc, rect)));
}
LONG CChartCallbackChain::AfterPrint(gdi::DeviceContext* dc, const KvlRect* rect) {
    return chainedOnly(CHAINED(AfterPrint(dc, rect)));
}
LONG CChartCallbackChain::DataChanged(LONG seriesCount, LONG pointCount) {
    return chainedOnly(CHAINED(DataChanged(seriesCount, pointCount)));
}
LONG CChartCallbackChain::Command(LONG id) {
    return route(24, CHAINED(Command(id)), ROUTED(OnCommand(id)));
}
LONG CChartCallbackChain::ZoomChanged(LONG zoomed, LONG reserved) {
    return chainedOnly(CHAINED(ZoomChanged(zoomed, reserved)));
}
LONG CChartCallbackChain::ScrollChanged(LONG first, LONG last) {
    return chainedOnly(CHAINED(ScrollChanged(first, last)));
}
LONG CChartCallbackChain::GalleryChanged(LONG oldType, LONG newType) {
    return chainedOnly(CHAINED(GalleryChanged(oldType, newType)));
}
LONG CChartCallbackChain::SettingChanged(LONG number, LONG value) {
    return chainedOnly(CHAINED(SettingChanged(number, value)));
}
LONG CChartCallbackChain::HostNotify(LONG code, LONG value) {
    return route(29, CHAINED(HostNotify(code, value)), ROUTED(OnHostNotify(code, value)));
}
LONG CChartCallbackChain::Destroying() {
    return chainedOnly(CHAINED(Destroying()));
}

#undef CHAINED
#undef ROUTED

}  // namespace dravik
