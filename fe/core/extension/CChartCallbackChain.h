// The extension's part of the chart's callback chain. While one of its chart types is active the
// extension is the installed callback: every call goes first to the callback installed before it (the
// chained default) and then, for the routed methods, to the active chart type when that type is
// enabled. Each method's answer follows one of a few rules (CallbackRule).
#pragma once

#include <array>
#include <cstddef>

#include "com/ComPtr.h"
#include "gallery/CGalleryBase.h"
#include "korvel/KvlContract.h"

namespace dravik {

using korvel::IKvlExtensionCallback;

// How a callback method answers. `chained` is the previous callback's answer (0 without one).
enum class CallbackRule {
    // The chained default alone.
    Chained,
    // chained != 0: 1; else no enabled active type: 0; else 1 when the type answered 0, 0 otherwise.
    AsMethod0,
    // As AsMethod0, but 1 when there is no enabled active type.
    AsMethod3,
    // chained != 0: 1; else the type's answer; 0 without an enabled active type.
    AsMethod7,
    // The type first (own zeroed tip buffer), then the chained default; 1 when the chained default
    // answered non-zero or the type was called, else 0.
    PointTip,
    // The type first (own zeroed tip buffer), then the chained default; the chained default's answer.
    Tip,
};

inline constexpr std::size_t kCallbackMethodCount = 31;

// The rule of each method 0-30.
inline constexpr std::array<CallbackRule, kCallbackMethodCount> kCallbackRules = {
    CallbackRule::AsMethod0,  // 0 axis double click
    CallbackRule::AsMethod0,  // 1 button down
    CallbackRule::AsMethod0,  // 2 button up
    CallbackRule::AsMethod3,  // 3 cancel tracking
    CallbackRule::AsMethod3,  // 4 axis right click
    CallbackRule::Chained,    // 5
    CallbackRule::AsMethod3,  // 6 mouse move
    CallbackRule::AsMethod7,  // 7 read draw area
    CallbackRule::AsMethod7,  // 8 clear draw area
    CallbackRule::AsMethod7,  // 9 second callback after ClearDrawArea
    CallbackRule::AsMethod7,  // 10 first callback after ClearDrawArea
    CallbackRule::Chained,    // 11
    CallbackRule::PointTip,   // 12 point tip text
    CallbackRule::Tip,        // 13 tip text
    CallbackRule::Chained,    // 14
    CallbackRule::Chained,    // 15
    CallbackRule::Chained,    // 16
    CallbackRule::Chained,    // 17
    CallbackRule::AsMethod0,  // 18 colour dropped on an axis
    CallbackRule::Chained,    // 19
    CallbackRule::Chained,    // 20
    CallbackRule::Chained,    // 21
    CallbackRule::Chained,    // 22
    CallbackRule::Chained,    // 23
    CallbackRule::AsMethod0,  // 24 command
    CallbackRule::Chained,    // 25
    CallbackRule::Chained,    // 26
    CallbackRule::Chained,    // 27
    CallbackRule::Chained,    // 28
    CallbackRule::AsMethod7,  // 29 host notification
    CallbackRule::Chained,    // 30
};

class CChartCallbackChain : public IKvlExtensionCallback {
public:
    LONG AxisDoubleClick(const KvlHitRecord* hit, LONG x, LONG y, LONG keys) override;
    LONG ButtonDown(LONG x, LONG y) override;
    LONG ButtonUp(LONG x, LONG y) override;
    LONG CancelTracking(LONG reason, LONG x, LONG y, LONG keys) override;
    LONG AxisRightClick(LONG x, LONG y) override;
    LONG MouseLeave(LONG x, LONG y) override;
    LONG MouseMove(LONG x, LONG y) override;
    LONG ReadDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) override;
    LONG ClearDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) override;
    LONG DrawAreaNotify(gdi::DeviceContext* dc, const KvlRect* rect, LONG code, LONG reserved) override;
    LONG DrawAreaPrepare(gdi::DeviceContext* dc, const KvlRect* rect) override;
    LONG SetCursor(LONG x, LONG y) override;
    LONG PointTipText(LONG series, LONG point) override;
    LONG TipText(LONG kind, LONG a, LONG b) override;
    LONG HoverOn(LONG x, LONG y) override;
    LONG HoverOff(LONG x, LONG y) override;
    LONG KeyDown(LONG key, LONG keys) override;
    LONG KeyUp(LONG key, LONG keys) override;
    LONG AxisColorDrop(const KvlHitRecord* hit, LONG x, LONG y) override;
    LONG BeforePaint(gdi::DeviceContext* dc, const KvlRect* rect) override;
    LONG AfterPaint(gdi::DeviceContext* dc, const KvlRect* rect) override;
    LONG BeforePrint(gdi::DeviceContext* dc, const KvlRect* rect) override;
    LONG AfterPrint(gdi::DeviceContext* dc, const KvlRect* rect) override;
    LONG DataChanged(LONG seriesCount, LONG pointCount) override;
    LONG Command(LONG id) override;
    LONG ZoomChanged(LONG zoomed, LONG reserved) override;
    LONG ScrollChanged(LONG first, LONG last) override;
    LONG GalleryChanged(LONG oldType, LONG newType) override;
    LONG SettingChanged(LONG number, LONG value) override;
    LONG HostNotify(LONG code, LONG value) override;
    LONG Destroying() override;

    // The callback installed before this one (null when none).
    IKvlExtensionCallback* previous() const { return previous_.get(); }

protected:
    CChartCallbackChain() = default;
    ~CChartCallbackChain();

    // The active chart type when the active index is 0-5 and that type is enabled, else null.
    virtual CGalleryBase* callbackTarget() const = 0;
    // Drops the previous callback (the extension is going away).
    void resetCallbackChain() { previous_.reset(); }

    com::ComPtr<IKvlExtensionCallback> previous_;

private:
    template <typename Chained, typename Routed>
    LONG route(std::size_t method, Chained&& chained, Routed&& routed);
    template <typename Chained>
    LONG chainedOnly(Chained&& chained);

    // The tip buffers handed to the chart types, zeroed before every call.
    char pointTipBuffer_[korvel::kTipTextSize] = {};
    char tipBuffer_[korvel::kTipTextSize] = {};
};

}  // namespace dravik
