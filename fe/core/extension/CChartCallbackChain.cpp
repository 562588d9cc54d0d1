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

LONG CChartCallbackChain::AxisDoubleClick(KvlArg hit, KvlArg x, KvlArg y, KvlArg flags) {
    return route(0, CHAINED(AxisDoubleClick(hit, x, y, flags)), ROUTED(OnAxisDoubleClick(hit, x, y, flags)));
}
LONG CChartCallbackChain::ButtonDown(KvlArg x, KvlArg y) {
    return route(1, CHAINED(ButtonDown(x, y)), ROUTED(OnButtonDown(x, y)));
}
LONG CChartCallbackChain::ButtonUp(KvlArg x, KvlArg y) {
    return route(2, CHAINED(ButtonUp(x, y)), ROUTED(OnButtonUp(x, y)));
}
LONG CChartCallbackChain::CancelTracking(KvlArg a, KvlArg b, KvlArg c, KvlArg d) {
    return route(3, CHAINED(CancelTracking(a, b, c, d)), ROUTED(CancelTracking(a, b, c, d)));
}
LONG CChartCallbackChain::AxisRightClick(KvlArg x, KvlArg y) {
    return route(4, CHAINED(AxisRightClick(x, y)), ROUTED(OnAxisRightClick(x, y)));
}
LONG CChartCallbackChain::MouseLeave(KvlArg a, KvlArg b) {
    return chainedOnly(CHAINED(MouseLeave(a, b)));
}
LONG CChartCallbackChain::MouseMove(KvlArg x, KvlArg y) {
    return route(6, CHAINED(MouseMove(x, y)), ROUTED(OnMouseMove(x, y)));
}
LONG CChartCallbackChain::ReadDrawArea(KvlArg dc, KvlArg rect) {
    return route(7, CHAINED(ReadDrawArea(dc, rect)), ROUTED(ReadDrawArea(dc, rect)));
}
LONG CChartCallbackChain::ClearDrawArea(KvlArg dc, KvlArg rect) {
    return route(8, CHAINED(ClearDrawArea(dc, rect)), ROUTED(ClearDrawArea(dc, rect)));
}
LONG CChartCallbackChain::DrawAreaNotify(KvlArg a, KvlArg b, KvlArg c, KvlArg d) {
    return route(9, CHAINED(DrawAreaNotify(a, b, c, d)), ROUTED(DrawAreaNotify(a, b, c, d)));
}
LONG CChartCallbackChain::DrawAreaPrepare(KvlArg a, KvlArg b) {
    return route(10, CHAINED(DrawAreaPrepare(a, b)), ROUTED(DrawAreaPrepare(a, b)));
}
LONG CChartCallbackChain::SetCursor(KvlArg x, KvlArg y) {
    return chainedOnly(CHAINED(SetCursor(x, y)));
}
LONG CChartCallbackChain::PointTipText(KvlArg text, KvlArg point) {
    return route(12, CHAINED(PointTipText(text, point)), ROUTED(GetPointTipText(t, text, point)));
}
LONG CChartCallbackChain::TipText(KvlArg text, KvlArg x, KvlArg y) {
    return route(13, CHAINED(TipText(text, x, y)), ROUTED(GetTipText(t, text, x, y)));
}
LONG CChartCallbackChain::HoverOn(KvlArg a, KvlArg b) {
    return chainedOnly(CHAINED(HoverOn(a, b)));
}
LONG CChartCallbackChain::HoverOff(KvlArg a, KvlArg b) {
    return chainedOnly(CHAINED(HoverOff(a, b)));
}
LONG CChartCallbackChain::KeyDown(KvlArg key, KvlArg flags) {
    return chainedOnly(CHAINED(KeyDown(key, flags)));
}
LONG CChartCallbackChain::KeyUp(KvlArg key, KvlArg flags) {
    return chainedOnly(CHAINED(KeyUp(key, flags)));
}
LONG CChartCallbackChain::AxisColorDrop(KvlArg hit, KvlArg x, KvlArg y) {
    return route(18, CHAINED(AxisColorDrop(hit, x, y)), ROUTED(OnAxisColorDrop(hit, x, y)));
}
LONG CChartCallbackChain::BeforePaint(KvlArg dc, KvlArg rect) {
    return chainedOnly(CHAINED(BeforePaint(dc, rect)));
}
LONG CChartCallbackChain::AfterPaint(KvlArg dc, KvlArg rect) {
    return chainedOnly(CHAINED(AfterPaint(dc, rect)));
}
LONG CChartCallbackChain::BeforePrint(KvlArg dc, KvlArg rect) {
    return chainedOnly(CHAINED(BeforePrint(dc, rect)));
}
LONG CChartCallbackChain::AfterPrint(KvlArg dc, KvlArg rect) {
    return chainedOnly(CHAINED(AfterPrint(dc, rect)));
}
LONG CChartCallbackChain::DataChanged(KvlArg a, KvlArg b) {
    return chainedOnly(CHAINED(DataChanged(a, b)));
}
LONG CChartCallbackChain::Command(KvlArg id) {
    return route(24, CHAINED(Command(id)), ROUTED(OnCommand(id)));
}
LONG CChartCallbackChain::ZoomChanged(KvlArg a, KvlArg b) {
    return chainedOnly(CHAINED(ZoomChanged(a, b)));
}
LONG CChartCallbackChain::ScrollChanged(KvlArg a, KvlArg b) {
    return chainedOnly(CHAINED(ScrollChanged(a, b)));
}
LONG CChartCallbackChain::GalleryChanged(KvlArg a, KvlArg b) {
    return chainedOnly(CHAINED(GalleryChanged(a, b)));
}
LONG CChartCallbackChain::SettingChanged(KvlArg a, KvlArg b) {
    return chainedOnly(CHAINED(SettingChanged(a, b)));
}
LONG CChartCallbackChain::HostNotify(KvlArg a, KvlArg b) {
    return route(29, CHAINED(HostNotify(a, b)), ROUTED(OnHostNotify(a, b)));
}
LONG CChartCallbackChain::Destroying(KvlArg a, KvlArg b) {
    return chainedOnly(CHAINED(Destroying(a, b)));
}

#undef CHAINED
#undef ROUTED

}  // namespace dravik
