// The callback chain, method by method: who is called, in which order, and what each method answers for
// every combination of the predecessor's answer and the active chart type's state and answer.
#include <functional>

#include "ExtensionFixture.h"

namespace dravik::test {
namespace {

using Invoke = std::function<LONG(korvel::IKvlExtensionCallback&)>;

// How each method answers, written out from the method table (independent of the code's own table).
enum class Rule { Chained, AsMethod0, AsMethod3, AsMethod7, PointTip, Tip };

struct Method {
    int index;
    Rule rule;
    const char* typeOperation;  // the chart type's operation, null for chained-only methods
    Invoke invoke;
};

const std::vector<Method>& methods() {
    using C = korvel::IKvlExtensionCallback;
    static const korvel::KvlHitRecord hit{korvel::kHitAxis1, 1, -1, -1, 0, 3, 4};
    static const korvel::KvlRect rect{0, 0, 50, 40};
    static const std::vector<Method> table = {
        {0, Rule::AsMethod0, "OnAxisDoubleClick", [](C& c) { return c.AxisDoubleClick(&hit, 1, 2, 0); }},
        {1, Rule::AsMethod0, "OnButtonDown", [](C& c) { return c.ButtonDown(10, 20); }},
        {2, Rule::AsMethod0, "OnButtonUp", [](C& c) { return c.ButtonUp(10, 20); }},
        {3, Rule::AsMethod3, "CancelTracking",
         [](C& c) { return c.CancelTracking(korvel::kCancelEscape, 2, 3, 0); }},
        {4, Rule::AsMethod3, "OnAxisRightClick", [](C& c) { return c.AxisRightClick(3, 4); }},
        {5, Rule::Chained, nullptr, [](C& c) { return c.MouseLeave(0, 0); }},
        {6, Rule::AsMethod3, "OnMouseMove", [](C& c) { return c.MouseMove(11, 12); }},
        {7, Rule::AsMethod7, "ReadDrawArea", [](C& c) { return c.ReadDrawArea(nullptr, &rect); }},
        {8, Rule::AsMethod7, "ClearDrawArea", [](C& c) { return c.ClearDrawArea(nullptr, &rect); }},
        {9, Rule::AsMethod7, "DrawAreaNotify", [](C& c) { return c.DrawAreaNotify(nullptr, &rect, 3, 0); }},
        {10, Rule::AsMethod7, "DrawAreaPrepare", [](C& c) { return c.DrawAreaPrepare(nullptr, &rect); }},
        {11, Rule::Chained, nullptr, [](C& c) { return c.SetCursor(0, 0); }},
        {12, Rule::PointTip, "GetPointTipText", [](C& c) { return c.PointTipText(1, 3); }},
        {13, Rule::Tip, "GetTipText", [](C& c) { return c.TipText(korvel::kTipSeriesPoint, 1, 5); }},
        {14, Rule::Chained, nullptr, [](C& c) { return c.HoverOn(0, 0); }},
        {15, Rule::Chained, nullptr, [](C& c) { return c.HoverOff(0, 0); }},
        {16, Rule::Chained, nullptr, [](C& c) { return c.KeyDown(0, 0); }},
        {17, Rule::Chained, nullptr, [](C& c) { return c.KeyUp(0, 0); }},
        {18, Rule::AsMethod0, "OnAxisColorDrop", [](C& c) { return c.AxisColorDrop(&hit, 0, 0); }},
        {19, Rule::Chained, nullptr, [](C& c) { return c.BeforePaint(nullptr, &rect); }},
        {20, Rule::Chained, nullptr, [](C& c) { return c.AfterPaint(nullptr, &rect); }},
        {21, Rule::Chained, nullptr, [](C& c) { return c.BeforePrint(nullptr, &rect); }},
        {22, Rule::Chained, nullptr, [](C& c) { return c.AfterPrint(nullptr, &rect); }},
        {23, Rule::Chained, nullptr, [](C& c) { return c.DataChanged(0, 0); }},
        {24, Rule::AsMethod0, "OnCommand", [](C& c) { return c.Command(0x7308); }},
        {25, Rule::Chained, nullptr, [](C& c) { return c.ZoomChanged(0, 0); }},
        {26, Rule::Chained, nullptr, [](C& c) { return c.ScrollChanged(0, 0); }},
        {27, Rule::Chained, nullptr, [](C& c) { return c.GalleryChanged(0, 0); }},
        {28, Rule::Chained, nullptr, [](C& c) { return c.SettingChanged(0, 0); }},
        {29, Rule::AsMethod7, "OnHostNotify", [](C& c) { return c.HostNotify(1, 2); }},
        {30, Rule::Chained, nullptr, [](C& c) { return c.Destroying(); }},
    };
    return table;
}

enum class Target { Disabled, Answers0, Answers1 };

struct Expectation {
    LONG result;
    bool typeCalled;
};

// The answer a method owes, from the rules of the method table.
Expectation expected(Rule rule, LONG chained, Target target) {
    const bool enabled = target != Target::Disabled;
    const LONG typeAnswer = target == Target::Answers1 ? 1 : 0;
    switch (rule) {
        case Rule::Chained:
            return {chained, false};
        case Rule::PointTip:
            return {(chained != 0 || enabled) ? 1 : 0, enabled};
        case Rule::Tip:
            return {chained, enabled};
        case Rule::AsMethod7:
            if (chained != 0)
                return {1, false};
            return {enabled ? typeAnswer : 0, enabled};
        case Rule::AsMethod0:
        case Rule::AsMethod3:
            if (chained != 0)
                return {1, false};
            if (!enabled)
                return {rule == Rule::AsMethod3 ? 1 : 0, false};
            return {typeAnswer == 0 ? 1 : 0, true};
    }
    return {-1, false};
}

class CallbackChainTest : public ExtensionFixture {
protected:
    static constexpr LONG kActive = 2;

    void activate(bool withPrevious) {
        ASSERT_EQ(attach(), com::S_OK);
        if (withPrevious)
            previous = installPrevious(&log);
        ASSERT_EQ(extension->ActivateGallery(kActive, 1, -1), com::S_OK);
        CRecordingGallery::setObserver([this](const CRecordingGallery&, const CRecordingGallery::Call& call) {
            log.push_back("type:" + call.name);
        });
    }
    void setTarget(Target target) {
        extension->ModifyGalleryFlags(kActive, target == Target::Disabled ? kGalleryDisabled : 0,
                                      target == Target::Disabled ? 0 : kGalleryDisabled);
        for (const Method& method : methods()) {
            if (method.typeOperation)
                type(kActive).setAnswer(method.typeOperation, target == Target::Answers1 ? 1 : 0);
        }
    }
    bool typeWasCalled(const Method& method) const {
        return method.typeOperation &&
               std::find(log.begin(), log.end(), std::string("type:") + method.typeOperation) != log.end();
    }

    std::vector<std::string> log;
    com::ComPtr<FakePreviousCallback> previous;
};

TEST_F(CallbackChainTest, EveryMethodFollowsItsRuleBehindAPredecessor) {
    activate(true);
    for (const LONG chained : {0, 1, 7}) {
        for (const Target target : {Target::Disabled, Target::Answers0, Target::Answers1}) {
            previous->answer = chained;
            setTarget(target);
            for (const Method& method : methods()) {
                log.clear();
                previous->methods.clear();
                const LONG result = method.invoke(*ownCallback());
                const Expectation want = expected(method.rule, chained, target);
                const std::string where = "method " + std::to_string(method.index) + " chained " +
                                          std::to_string(chained) + " target " +
                                          std::to_string(static_cast<int>(target));
                EXPECT_EQ(result, want.result) << where;
                EXPECT_EQ(typeWasCalled(method), want.typeCalled) << where;
                // The predecessor hears every method exactly once, and first unless it is a tip method.
                EXPECT_EQ(previous->methods, std::vector<int>{method.index}) << where;
                if (want.typeCalled) {
                    const bool typeFirst = method.rule == Rule::PointTip || method.rule == Rule::Tip;
                    ASSERT_EQ(log.size(), 2u) << where;
                    EXPECT_EQ(log.front().rfind(typeFirst ? "type:" : "prev:", 0), 0u) << where;
                }
            }
        }
    }
}

TEST_F(CallbackChainTest, WithoutAPredecessorTheDefaultIsZero) {
    activate(false);
    EXPECT_EQ(extension->previous(), nullptr);
    for (const Target target : {Target::Disabled, Target::Answers0, Target::Answers1}) {
        setTarget(target);
        for (const Method& method : methods()) {
            log.clear();
            const Expectation want = expected(method.rule, 0, target);
            EXPECT_EQ(method.invoke(*ownCallback()), want.result) << method.index;
            EXPECT_EQ(typeWasCalled(method), want.typeCalled) << method.index;
        }
    }
}

TEST_F(CallbackChainTest, WithNoActiveTypeOnlyTheDefaultsAnswer) {
    ASSERT_EQ(attach(), com::S_OK);
    for (const Method& method : methods()) {
        // "No enabled active type", and no predecessor.
        const LONG want = expected(method.rule, 0, Target::Disabled).result;
        EXPECT_EQ(method.invoke(*ownCallback()), want) << method.index;
    }
    for (LONG index = 0; index < 6; ++index)
        EXPECT_TRUE(type(index).calls().empty()) << index;
}

TEST_F(CallbackChainTest, TipMethodsHandTheTypeItsOwnZeroedBuffer) {
    activate(true);
    setTarget(Target::Answers0);
    type(kActive).setTipText("a tip that fills the buffer");
    previous->answer = 1;

    // The point tip: the type is asked even though the predecessor already answered, with the series
    // and point behind a buffer of its own.
    EXPECT_EQ(ownCallback()->PointTipText(2, 7), 1);
    EXPECT_TRUE(type(kActive).lastTipBufferWasZeroed());
    EXPECT_EQ(previous->tipArgs, (std::vector<LONG>{2, 7}));
    const auto pointCall = type(kActive).calls().back();
    EXPECT_EQ(pointCall.name, "GetPointTipText");
    ASSERT_EQ(pointCall.args.size(), 3u);
    EXPECT_NE(pointCall.args[0], 0);
    EXPECT_EQ(pointCall.args[1], 2);
    EXPECT_EQ(pointCall.args[2], 7);

    // The buffer is zeroed again for the next call, after the type wrote into it last time.
    EXPECT_EQ(ownCallback()->PointTipText(2, 8), 1);
    EXPECT_TRUE(type(kActive).lastTipBufferWasZeroed());

    previous->answer = 4;
    EXPECT_EQ(ownCallback()->TipText(korvel::kTipPlotPoint, -1, 9), 4);
    EXPECT_TRUE(type(kActive).lastTipBufferWasZeroed());
    const auto tipCall = type(kActive).calls().back();
    EXPECT_EQ(tipCall.name, "GetTipText");
    EXPECT_EQ(std::vector<std::intptr_t>(tipCall.args.begin() + 1, tipCall.args.end()),
              (std::vector<std::intptr_t>{korvel::kTipPlotPoint, -1, 9}));
    EXPECT_EQ(previous->tipArgs, (std::vector<LONG>{korvel::kTipPlotPoint, -1, 9}));
}

}  // namespace
}  // namespace dravik::test
