#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/ConnectionPoint.h"
#include "com/EventSink.h"

using namespace com;

namespace {

const IID kEventsIid = Guid::fromString("{3F53C703-5296-42FF-BD60-3C37A4308F7D}");
constexpr DISPID kPing = 1;
constexpr DISPID kGetText = 2;

// Records the sinks' calls in order, by name.
struct Log {
    std::vector<std::string> calls;
};

struct Fixture : ::testing::Test {
    ComPtr<ConnectionPoint> point = makeComObject<ConnectionPoint>(kEventsIid);
    Log log;

    // A sink that logs every call of kPing under `name` and then runs `extra`.
    ComPtr<EventSink> sink(const std::string& name, std::function<void()> extra = {}) {
        auto s = makeComObject<EventSink>(kEventsIid);
        s->on(kPing, [this, name, extra](std::span<Variant>) {
            log.calls.push_back(name);
            if (extra)
                extra();
            return S_OK;
        });
        return s;
    }
    DWORD advise(const ComPtr<EventSink>& s) {
        DWORD cookie = 0;
        EXPECT_EQ(point->Advise(s->identity(), &cookie), S_OK);
        EXPECT_NE(cookie, 0u);
        return cookie;
    }
};

}  // namespace

TEST(ConnectionPointIids, StandardValues) {
    EXPECT_EQ(IID_IDispatch.toString(), "{00020400-0000-0000-C000-000000000046}");
    EXPECT_EQ(IID_IConnectionPoint.toString(), "{B196B286-BAB4-101A-B69C-00AA00341D07}");
    EXPECT_EQ(IID_IConnectionPointContainer.toString(), "{B196B284-BAB4-101A-B69C-00AA00341D07}");
}

TEST_F(Fixture, SinkUnadvisingItselfDuringARaise) {
    DWORD selfCookie = 0;
    const DWORD a = advise(sink("a"));
    selfCookie = advise(sink("self", [&] { EXPECT_EQ(point->Unadvise(selfCookie), S_OK); }));
    const DWORD c = advise(sink("c"));
    EXPECT_NE(a, selfCookie);
    EXPECT_NE(selfCookie, c);

    point->raiseWith(kPing);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"a", "self", "c"}));
    EXPECT_EQ(point->connectionCount(), 2u);
    point->raiseWith(kPing);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"a", "self", "c", "a", "c"}));
}

TEST_F(Fixture, SinkStaysAliveUntilItsCallReturns) {
    // The point holds the only reference; unadvising inside the call must not destroy the sink under it.
    bool destroyed = false;
    struct Watched : EventSink {
        bool* destroyed;
        Watched(bool* flag) : EventSink(kEventsIid), destroyed(flag) {}
        ~Watched() override { *destroyed = true; }
    };
    DWORD cookie = 0;
    {
        auto s = makeComObject<Watched>(&destroyed);
        s->on(kPing, [&](std::span<Variant>) {
            point->Unadvise(cookie);
            EXPECT_FALSE(destroyed);
            return S_OK;
        });
        ASSERT_EQ(point->Advise(s->identity(), &cookie), S_OK);
    }
    point->raiseWith(kPing);
    EXPECT_TRUE(destroyed);
}

TEST_F(Fixture, SinksUnadvisedOrAdvisedDuringARaise) {
    DWORD later = 0;
    DWORD earlier = advise(sink("earlier"));
    ComPtr<EventSink> added = sink("added");
    advise(sink("middle", [&] {
        point->Unadvise(earlier);  // already called: no effect on this raise
        point->Unadvise(later);    // not called yet: skipped
        advise(added);             // joins from the next raise
    }));
    later = advise(sink("later"));
    point->raiseWith(kPing);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"earlier", "middle"}));
    log.calls.clear();
    point->raiseWith(kPing);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"middle", "added"}));
}

TEST_F(Fixture, ByReferenceTextChangedByTheFirstSinkIsSeenByTheSecondAndTheRaiser) {
    std::vector<std::string> seen;
    auto first = makeComObject<EventSink>(kEventsIid);
    first->on(kGetText, [&](std::span<Variant> args) {
        seen.push_back(args[2].bstr().toUtf8());
        *args[2].bstrRef() = Bstr::fromUtf8("2024-02-29");
        *args[3].i4Ref() += 1;
        return S_OK;
    });
    auto second = makeComObject<EventSink>(kEventsIid);
    second->on(kGetText, [&](std::span<Variant> args) {
        seen.push_back(args[2].bstr().toUtf8());
        *args[3].i4Ref() += 10;
        return S_OK;
    });
    advise(first);
    advise(second);

    Bstr text = Bstr::fromUtf8("point 7");
    LONG result = 0;
    point->raiseWith(kGetText, 3, 7, &text, &result);
    EXPECT_EQ(seen, (std::vector<std::string>{"point 7", "2024-02-29"}));
    EXPECT_EQ(text.toUtf8(), "2024-02-29");
    EXPECT_EQ(result, 11);
}

TEST_F(Fixture, ArgumentsArriveInDeclarationOrderWithTheirTypes) {
    std::vector<VARTYPE> types;
    std::vector<std::int32_t> values;
    auto s = makeComObject<EventSink>(kEventsIid);
    s->on(kPing, [&](std::span<Variant> args) {
        for (const Variant& a : args)
            types.push_back(a.vt());
        values = {args[0].i4(), args[1].i2()};
        return S_OK;
    });
    advise(s);
    Bstr text;
    LONG ret = 0;
    point->raiseWith(kPing, 5, std::int16_t{-2}, &text, &ret);
    EXPECT_EQ(types, (std::vector<VARTYPE>{VT_I4, VT_I2, VT_BYREF | VT_BSTR, VT_BYREF | VT_I4}));
    EXPECT_EQ(values, (std::vector<std::int32_t>{5, -2}));
}

TEST_F(Fixture, UnadviseFailures) {
    const DWORD cookie = advise(sink("a"));
    EXPECT_EQ(point->Unadvise(cookie + 1), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point->Unadvise(0), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point->connectionCount(), 0u);
}

TEST_F(Fixture, AdviseFailures) {
    DWORD cookie = 99;
    auto wrongEvents = makeComObject<EventSink>(Guid::fromString("{00000000-0000-0000-0000-000000000001}"));
    EXPECT_EQ(point->Advise(wrongEvents->identity(), &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    cookie = 99;
    EXPECT_EQ(point->Advise(nullptr, &cookie), E_POINTER);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(point->Advise(wrongEvents->identity(), nullptr), E_POINTER);
    EXPECT_EQ(point->connectionCount(), 0u);
}

TEST_F(Fixture, AdviseHoldsTheSinkUntilUnadvise) {
    auto s = sink("a");
    const DWORD cookie = advise(s);
    EXPECT_EQ(s->AddRef(), 3u);  // ours, the point's, this call's
    s->Release();
    point->Unadvise(cookie);
    EXPECT_EQ(s->AddRef(), 2u);
    s->Release();
}

namespace {

struct Source final : ComObject<IConnectionPointContainer> {
    ConnectionPointList points;
    ComPtr<ConnectionPoint> events = points.add(kEventsIid);
    HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) override {
        return points.find(iid, point);
    }
};

}  // namespace

TEST(ConnectionPointContainer, FindsThePointByEventInterface) {
    auto source = makeComObject<Source>();
    auto container = ComPtr<IUnknown>(source->identity()).as<IConnectionPointContainer>();
    ASSERT_TRUE(container);
    ComPtr<IConnectionPoint> found;
    ASSERT_EQ(container->FindConnectionPoint(kEventsIid, found.put()), S_OK);
    EXPECT_EQ(found.get(), static_cast<IConnectionPoint*>(source->events.get()));
    IID iid;
    EXPECT_EQ(found->GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, kEventsIid);

    IConnectionPoint* missing = reinterpret_cast<IConnectionPoint*>(&iid);
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, &missing), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(missing, nullptr);
}

TEST(EventSinkAdaptor, AnswersItsEventInterfaceAndIgnoresUnhandledEvents) {
    auto s = makeComObject<EventSink>(kEventsIid);
    ComPtr<IDispatch> viaEvents;
    ASSERT_EQ(s->QueryInterface(kEventsIid, viaEvents.putVoid()), S_OK);
    EXPECT_EQ(viaEvents.get(), static_cast<IDispatch*>(s.get()));
    EXPECT_EQ(s->Invoke(42, {}), S_OK);
    s->on(42, [](std::span<Variant>) { return DISP_E_TYPEMISMATCH; });
    EXPECT_EQ(s->Invoke(42, {}), DISP_E_TYPEMISMATCH);
    s->on(42, nullptr);
    EXPECT_EQ(s->Invoke(42, {}), S_OK);
}
