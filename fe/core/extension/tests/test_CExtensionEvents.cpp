// The events of the extension object as its container's sinks receive them: dispids, argument types and
// order, by-reference arguments shared from sink to sink, and sinks that leave during a raise.
#include <functional>

#include "ExtensionFixture.h"
#include "com/EventSink.h"
#include "dravik/Events.h"

namespace dravik::test {
namespace {

using com::Variant;

// What one sink saw of one event.
struct Seen {
    com::DISPID dispid;
    std::vector<com::VARTYPE> types;
};

class EventsTest : public ExtensionFixture {
protected:
    com::ComPtr<com::IConnectionPoint> point() {
        auto container = extension.as<com::IConnectionPointContainer>();
        com::ComPtr<com::IConnectionPoint> found;
        EXPECT_EQ(container->FindConnectionPoint(DIID_DLomex_Events, found.put()), com::S_OK);
        return found;
    }
    // A sink that records every event and then runs `react`.
    com::ComPtr<com::EventSink> sink(std::vector<Seen>& seen,
                                     std::function<void(com::DISPID, std::span<Variant>)> react = {}) {
        auto s = com::makeComObject<com::EventSink>(DIID_DLomex_Events);
        for (com::DISPID dispid = 1; dispid <= 15; ++dispid) {
            s->on(dispid, [&seen, react, dispid](std::span<Variant> args) {
                Seen entry{dispid, {}};
                for (const Variant& arg : args)
                    entry.types.push_back(arg.vt());
                seen.push_back(entry);
                if (react)
                    react(dispid, args);
                return com::S_OK;
            });
        }
        return s;
    }
    com::DWORD advise(const com::ComPtr<com::EventSink>& s) {
        com::DWORD cookie = 0;
        EXPECT_EQ(point()->Advise(s->identity(), &cookie), com::S_OK);
        return cookie;
    }
};

TEST_F(EventsTest, EachEventWithItsDispidAndArgumentTypesInOrder) {
    std::vector<Seen> seen;
    advise(sink(seen));
    CExtensionEvents& events = extension->events();
    com::Bstr text;
    LONG result = 0;
    events.CheckInputValues(1, 2, 3);
    events.GetDateInfo(1, 2, &text);
    events.GetIndexDateInfo(1, 2, &text);
    events.FinancialUserCommand(1, 2, 3);
    events.ChangePriceGallery(1);
    events.CreatedDrawing(1, 2);
    events.DeletingDrawing(1, 2);
    events.InternalCommand(1, &result);
    events.MovedDrawing(1, 2);
    events.DrawPageCommit(1, 2);
    events.DrawPrivateBytesCommit(1, 2);
    events.StudiesPageCommit(1);
    events.StudiesPageSeriesCommit(1, 2);
    events.StartingZoomAction();
    events.EndingZoomAction(1, &result);

    using com::VT_BSTR, com::VT_BYREF, com::VT_I2, com::VT_I4;
    const std::vector<std::vector<com::VARTYPE>> types = {
        {VT_I4, VT_I4, VT_I4},
        {VT_I4, VT_I4, VT_BYREF | VT_BSTR},
        {VT_I2, VT_I4, VT_BYREF | VT_BSTR},
        {VT_I4, VT_I4, VT_I4},
        {VT_I4},
        {VT_I4, VT_I2},
        {VT_I4, VT_I2},
        {VT_I4, VT_BYREF | VT_I4},
        {VT_I4, VT_I2},
        {VT_I4, VT_I2},
        {VT_I4, VT_I2},
        {VT_I4},
        {VT_I4, VT_I2},
        {},
        {VT_I2, VT_BYREF | VT_I4},
    };
    ASSERT_EQ(seen.size(), 15u);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].dispid, static_cast<com::DISPID>(i + 1));
        EXPECT_EQ(seen[i].types, types[i]) << "event " << i + 1;
    }
}

TEST_F(EventsTest, TwoSinksShareTheByReferenceVariablesInOrder) {
    std::vector<Seen> first, second;
    LONG seenBySecond = 0;
    std::u16string textSeenBySecond;
    advise(sink(first, [](com::DISPID dispid, std::span<Variant> args) {
        if (dispid == kEventInternalCommand)
            *args[1].i4Ref() = args[0].i4() * 10;
        if (dispid == kEventGetDateInfo)
            *args[2].bstrRef() = com::Bstr(u"2024-01-02");
    }));
    advise(sink(second, [&](com::DISPID dispid, std::span<Variant> args) {
        if (dispid == kEventInternalCommand) {
            seenBySecond = *args[1].i4Ref();
            *args[1].i4Ref() += 1;
        }
        if (dispid == kEventGetDateInfo) {
            textSeenBySecond = args[2].bstrRef()->text();
            *args[2].bstrRef() = com::Bstr(textSeenBySecond + u" 10:00");
        }
    }));

    LONG result = 0;
    extension->events().InternalCommand(7, &result);
    EXPECT_EQ(seenBySecond, 70);
    EXPECT_EQ(result, 71);  // what the second sink left

    com::Bstr info;
    extension->events().GetDateInfo(4, 12, &info);
    EXPECT_EQ(textSeenBySecond, u"2024-01-02");
    EXPECT_EQ(info.text(), u"2024-01-02 10:00");
    EXPECT_EQ(first.size(), 2u);
    EXPECT_EQ(second.size(), 2u);
}

TEST_F(EventsTest, ASinkThatUnadvisesDuringARaise) {
    std::vector<Seen> first, second, third;
    com::DWORD secondCookie = 0;
    com::DWORD firstCookie = 0;
    auto point = this->point();
    firstCookie = advise(sink(first, [&](com::DISPID, std::span<Variant>) {
        // The first sink leaves and takes the second with it.
        point->Unadvise(firstCookie);
        point->Unadvise(secondCookie);
    }));
    secondCookie = advise(sink(second));
    advise(sink(third));

    extension->events().StartingZoomAction();
    EXPECT_EQ(first.size(), 1u);
    EXPECT_TRUE(second.empty());
    EXPECT_EQ(third.size(), 1u);

    extension->events().StartingZoomAction();
    EXPECT_EQ(first.size(), 1u);
    EXPECT_EQ(third.size(), 2u);
}

TEST_F(EventsTest, NoSinkNoCostAndOnlyTheOwnEventInterface) {
    LONG result = 5;
    extension->events().EndingZoomAction(1, &result);
    EXPECT_EQ(result, 5);
    auto container = extension.as<com::IConnectionPointContainer>();
    com::ComPtr<com::IConnectionPoint> other;
    EXPECT_NE(container->FindConnectionPoint(IID_IFinancialCharts, other.put()), com::S_OK);
    EXPECT_FALSE(other);
}

TEST_F(EventsTest, DrawingEventsCarryTheKindAndTheOrdinalAmongItsDrawings) {
    std::vector<std::pair<com::DISPID, std::pair<LONG, SHORT>>> seen;
    auto s = com::makeComObject<com::EventSink>(DIID_DLomex_Events);
    for (com::DISPID dispid : {kEventCreatedDrawing, kEventDeletingDrawing, kEventMovedDrawing,
                               kEventDrawPageCommit, kEventDrawPrivateBytesCommit}) {
        s->on(dispid, [&seen, dispid](std::span<Variant> args) {
            seen.push_back({dispid, {args[0].i4(), args[1].i2()}});
            return com::S_OK;
        });
    }
    advise(s);
    CDrawingList& list = extension->drawingList();
    int index = 0;
    ASSERT_EQ(list.DrawingOfKind(9, 0, &index), com::S_OK);  // trend line 0, list index 0
    ASSERT_EQ(list.DrawingOfKind(3, 0, &index), com::S_OK);  // retracements 0, list index 1
    ASSERT_EQ(list.DrawingOfKind(9, 1, &index), com::S_OK);  // trend line 1, list index 2

    CDrawingFeatures& features = extension->drawingFeatures();
    EXPECT_TRUE(features.RaiseEvent(DrawingEvent::Created, 2));
    EXPECT_TRUE(features.RaiseEvent(DrawingEvent::Moved, 1));
    EXPECT_TRUE(features.RaiseEvent(DrawingEvent::PageCommit, 0));
    EXPECT_TRUE(features.RaiseEvent(DrawingEvent::PrivateBytesCommit, 2));
    EXPECT_FALSE(features.RaiseEvent(DrawingEvent::Moved, 3));
    EXPECT_EQ(features.RemoveDrawingByUser(0), com::S_OK);

    using Event = std::pair<com::DISPID, std::pair<LONG, SHORT>>;
    EXPECT_EQ(seen, (std::vector<Event>{{kEventCreatedDrawing, {9, 1}},
                                        {kEventMovedDrawing, {3, 0}},
                                        {kEventDrawPageCommit, {9, 0}},
                                        {kEventDrawPrivateBytesCommit, {9, 1}},
                                        {kEventDeletingDrawing, {9, 0}}}));
    SHORT count = 0;
    EXPECT_EQ(extension->get_DrawingNumber(9, &count), com::S_OK);
    EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace dravik::test
