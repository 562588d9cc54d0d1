// A list created by its ProgID with a sink on its events, and small helpers over its objects.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "com/Activation.h"
#include "com/ConnectionPoint.h"
#include "com/EventSink.h"
#include "glossor/GlosxOverlay.h"
#include "glossor/IGlosxList.h"
#include "ostbar/OstBarContract.h"

namespace glossor::testing {

struct Ends {
    int x1, y1, x2, y2;
    friend bool operator==(const Ends&, const Ends&) = default;
};

inline Ends endsOf(IGlosxObject* object) {
    com::ComPtr<IGlosxPoints> points;
    Ends ends{};
    auto shape = com::ComPtr<IGlosxObject>(object).as<IGlosxShape>();
    if (!shape || com::FAILED(shape->get_Points(points.put())) || !points)
        return {-1, -1, -1, -1};
    SHORT value = 0;
    points->get_X1(&value);
    ends.x1 = value;
    points->get_Y1(&value);
    ends.y1 = value;
    points->get_X2(&value);
    ends.x2 = value;
    points->get_Y2(&value);
    ends.y2 = value;
    return ends;
}

inline void setEnds(IGlosxObject* object, Ends ends) {
    com::ComPtr<IGlosxPoints> points;
    ASSERT_EQ(com::ComPtr<IGlosxObject>(object).as<IGlosxShape>()->get_Points(points.put()), com::S_OK);
    points->put_X1(static_cast<SHORT>(ends.x1));
    points->put_Y1(static_cast<SHORT>(ends.y1));
    points->put_X2(static_cast<SHORT>(ends.x2));
    points->put_Y2(static_cast<SHORT>(ends.y2));
}

// Whether two pointers reach the same object.
inline bool sameObject(com::IUnknown* a, com::IUnknown* b) {
    if (!a || !b)
        return false;
    return com::ComPtr<com::IUnknown>(a).as<com::IUnknown>() ==
           com::ComPtr<com::IUnknown>(b).as<com::IUnknown>();
}

inline LONG tagOf(IGlosxObject* object) {
    LONG tag = -12345;
    object->get_Tag(&tag);
    return tag;
}

class GlossorList : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(registerAnnotationClasses(), com::S_OK);
        ASSERT_EQ(com::createInstance(kGlosxListProgId, list), com::S_OK);
        overlay = list.as<IGlosxOverlay>();
        ASSERT_TRUE(overlay);
        sink = com::makeComObject<com::EventSink>(DIID_DGlosxEvents);
        sink->on(kEventEndMoving, [this](std::span<com::Variant>) {
            ++endMovings;
            movedEnds.push_back(endsOf(firstSelected().get()));
            return com::S_OK;
        });
        sink->on(kEventExecuteCommand, [this](std::span<com::Variant> args) {
            commands.push_back(args[0].i2());
            if (onCommand)
                onCommand(args[0].i2(), args[1].i4Ref());
            return com::S_OK;
        });
        sink->on(kEventLButtonDblClk, [this](std::span<com::Variant> args) {
            doubleClicked.push_back(args[0].unknown());
            if (onDoubleClick)
                onDoubleClick(args[0].unknown().as<IGlosxObject>().get(), args[1].i4Ref());
            return com::S_OK;
        });
        sink->on(kEventObjectDeleted, [this](std::span<com::Variant> args) {
            deleted.push_back(args[0].unknown());
            return com::S_OK;
        });
        auto container = list.as<com::IConnectionPointContainer>();
        ASSERT_TRUE(container);
        ASSERT_EQ(container->FindConnectionPoint(DIID_DGlosxEvents, point.put()), com::S_OK);
        ASSERT_EQ(point->Advise(sink->identity(), &cookie), com::S_OK);
    }
    void TearDown() override {
        if (point)
            point->Unadvise(cookie);
    }

    com::ComPtr<IGlosxObject> add(SHORT kind, Ends ends, LONG tag = 0) {
        com::ComPtr<IGlosxObject> object;
        EXPECT_EQ(list->Add(kind, com::Variant::missing(), object.put()), com::S_OK);
        if (!object)
            return object;
        setEnds(object.get(), ends);
        object->put_Tag(tag);
        return object;
    }
    // Two rectangles, (0, 0)-(20, 20) and (100, 100)-(120, 120), grouped by the user and selected.
    std::pair<com::ComPtr<IGlosxObject>, com::ComPtr<IGlosxObject>> groupedPair() {
        auto a = add(kKindRectangle, {0, 0, 20, 20});
        auto b = add(kKindRectangle, {100, 100, 120, 120});
        click(10, 10);
        click(110, 110, kInputShift);
        choose(kCmdGroup);
        return {a, b};
    }
    com::ComPtr<IGlosxObject> item(LONG position) {
        com::ComPtr<IGlosxObject> object;
        list->Item(position, object.put());
        return object;
    }
    LONG count() {
        LONG n = -1;
        list->get_Count(&n);
        return n;
    }
    com::ComPtr<IGlosxObject> firstSelected() {
        com::ComPtr<IGlosxSelection> selection;
        com::ComPtr<IGlosxObject> object;
        if (com::SUCCEEDED(list->get_Selection(selection.put())) && selection)
            selection->Item(1, object.put());
        return object;
    }
    LONG selectedCount() {
        com::ComPtr<IGlosxSelection> selection;
        LONG n = -1;
        if (com::SUCCEEDED(list->get_Selection(selection.put())) && selection)
            selection->get_Count(&n);
        return n;
    }
    void click(LONG x, LONG y, LONG modifiers = 0) {
        overlay->MouseDown(x, y, modifiers);
        overlay->MouseUp(x, y, modifiers);
    }
    void drag(LONG fromX, LONG fromY, LONG toX, LONG toY) {
        overlay->MouseDown(fromX, fromY, 0);
        overlay->MouseMove((fromX + toX) / 2, (fromY + toY) / 2, 0);
        overlay->MouseMove(toX, toY, 0);
        overlay->MouseUp(toX, toY, 0);
    }
    // A command chosen on the list's command bar.
    void choose(SHORT id) {
        com::ComPtr<ostbar::IOstToolbar> toolbar;
        ASSERT_EQ(list->get_ToolBarObject(toolbar.put()), com::S_OK);
        auto bar = toolbar.as<ostbar::IOstCommandBar>();
        ASSERT_TRUE(bar);
        ASSERT_EQ(bar->FireCommand(id), com::S_OK);
    }

    com::ComPtr<IGlosxList> list;
    com::ComPtr<IGlosxOverlay> overlay;
    com::ComPtr<com::EventSink> sink;
    com::ComPtr<com::IConnectionPoint> point;
    com::DWORD cookie = 0;

    int endMovings = 0;
    std::vector<Ends> movedEnds;
    std::vector<SHORT> commands;
    std::vector<com::ComPtr<com::IUnknown>> doubleClicked;
    std::vector<com::ComPtr<com::IUnknown>> deleted;
    std::function<void(SHORT, LONG*)> onCommand;
    std::function<void(IGlosxObject*, LONG*)> onDoubleClick;
};

}  // namespace glossor::testing
