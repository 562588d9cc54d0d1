#include <gtest/gtest.h>

#include "com/ComPtr.h"
#include "drawing/tests/DrawingKindNumbers.h"
#include "drawing/tests/DrawingTestOwner.h"

namespace dravik {
namespace {

using test::DrawingTestOwner;
using test::kGann;
using test::kRetracements;
using test::kTimeZones;
using test::kTrend;
using test::RaisedEvent;

class DrawingFeaturesTest : public ::testing::Test {
protected:
    com::ComPtr<IDrawFeature> get(com::LONG kind, com::Variant position) {
        IDrawFeature* raw = nullptr;
        result = owner->features().GetDrawing(kind, position, &raw);
        return com::ComPtr<IDrawFeature>::attach(raw);
    }
    std::string nameOf(IDrawFeature* feature) {
        com::Bstr name;
        EXPECT_EQ(feature->get_Name(&name), com::S_OK);
        return name.toUtf8();
    }
    void name(IDrawFeature* feature, const char* text) {
        ASSERT_EQ(feature->put_Name(com::Bstr::fromUtf8(text)), com::S_OK);
    }

    com::ComPtr<DrawingTestOwner> owner = com::makeComObject<DrawingTestOwner>();
    com::HRESULT result = com::S_OK;
};

TEST_F(DrawingFeaturesTest, GettersAddAtTheCountAndRefuseOrdinalsOfSixAndMore) {
    // A missing argument is ordinal 0; there is none yet, so one is added, hidden, with its menu item.
    com::ComPtr<IDrawFeature> first = get(kTrend, com::Variant::missing());
    ASSERT_EQ(result, com::S_OK);
    ASSERT_TRUE(first);
    EXPECT_EQ(owner->list().Count(), 1);
    EXPECT_EQ(owner->list().At(0)->state, kDrawingHidden);
    EXPECT_EQ(owner->menuItems, (std::set<std::int16_t>{162}));
    // Asking for it again adds nothing; a text that converts to 16 bits is taken as well.
    EXPECT_TRUE(get(kTrend, com::Variant(std::int16_t{0})));
    EXPECT_TRUE(get(kTrend, com::Variant::utf8("1")));
    EXPECT_EQ(owner->list().Count(), 2);
    EXPECT_EQ(owner->menuItems, (std::set<std::int16_t>{162, 163}));

    for (const com::Variant& bad : {com::Variant(std::int16_t{6}), com::Variant(std::int32_t{-1}),
                                    com::Variant::utf8("two"), com::Variant(std::int32_t{70000})}) {
        EXPECT_FALSE(get(kTrend, bad));
        EXPECT_EQ(result, com::E_INVALIDARG);
    }
    EXPECT_FALSE(get(10, com::Variant(std::int16_t{0})));
    EXPECT_EQ(result, com::E_INVALIDARG);
    EXPECT_FALSE(get(-1, com::Variant(std::int16_t{0})));
    EXPECT_EQ(result, com::E_INVALIDARG);
    EXPECT_EQ(owner->features().GetDrawing(kTrend, com::Variant::missing(), nullptr), com::E_POINTER);
    EXPECT_EQ(owner->list().Count(), 2);
}

TEST_F(DrawingFeaturesTest, ASeventhDrawingOfAKindIsRefused) {
    for (int position = 0; position < 6; ++position)
        ASSERT_TRUE(get(kGann, com::Variant(std::int16_t(position)))) << position;
    int index = -1;
    EXPECT_EQ(owner->list().Add(kGann, owner->list().FreeItemCommand(kGann), false, -1, &index),
              com::E_INVALIDARG);
    EXPECT_FALSE(get(kGann, com::Variant(std::int16_t{6})));
    EXPECT_EQ(result, com::E_INVALIDARG);
    EXPECT_EQ(owner->list().CountOfKind(kGann), 6);
    // The six existing ones are still handed out.
    EXPECT_TRUE(get(kGann, com::Variant(std::int16_t{5})));
}

TEST_F(DrawingFeaturesTest, DrawingNumberCountsAKindOrEveryDrawing) {
    get(kTrend, com::Variant(std::int16_t{0}));
    get(kGann, com::Variant(std::int16_t{0}));
    get(kTrend, com::Variant(std::int16_t{1}));
    com::SHORT count = -5;
    EXPECT_EQ(owner->features().DrawingNumber(kTrend, &count), com::S_OK);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(owner->features().DrawingNumber(kTimeZones, &count), com::S_OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(owner->features().DrawingNumber(-1, &count), com::S_OK);
    EXPECT_EQ(count, 3);
    for (const com::LONG bad : {10, -2, 89}) {
        count = 7;
        EXPECT_EQ(owner->features().DrawingNumber(bad, &count), com::E_INVALIDARG);
        EXPECT_EQ(count, 0);
    }
    EXPECT_EQ(owner->features().DrawingNumber(-1, nullptr), com::E_POINTER);
}

TEST_F(DrawingFeaturesTest, DeleteDrawingRemovesTheOrdinalOfItsKindWithoutAnEvent) {
    com::ComPtr<IDrawFeature> a = get(kTrend, com::Variant(std::int16_t{0}));
    get(kGann, com::Variant(std::int16_t{0}));
    com::ComPtr<IDrawFeature> b = get(kTrend, com::Variant(std::int16_t{1}));
    name(a.get(), "A");
    name(b.get(), "B");
    const int repaints = owner->repaints;

    EXPECT_EQ(owner->features().DeleteDrawing(kTrend, 2), com::E_INVALIDARG);
    EXPECT_EQ(owner->features().DeleteDrawing(10, 0), com::E_INVALIDARG);
    EXPECT_EQ(owner->features().DeleteDrawing(kTrend, -1), com::E_INVALIDARG);
    EXPECT_EQ(owner->list().Count(), 3);

    // The second trend line stands at list index 2.
    EXPECT_EQ(owner->features().DeleteDrawing(kTrend, 1), com::S_OK);
    EXPECT_EQ(owner->removals, (std::vector<DrawingTestOwner::Removal>{{2, kTrend, 163}}));
    EXPECT_EQ(owner->menuItems, (std::set<std::int16_t>{162, 90}));
    EXPECT_EQ(owner->repaints, repaints + 1);
    EXPECT_TRUE(owner->events.empty());
    EXPECT_EQ(nameOf(a.get()), "A");
    com::Bstr gone = com::Bstr::fromUtf8("left over");
    EXPECT_EQ(b->get_Name(&gone), com::E_FAIL);
    EXPECT_TRUE(gone.isNull());
}

TEST_F(DrawingFeaturesTest, DeleteAllDrawingTakesOneKindOrEveryKind) {
    get(kTrend, com::Variant(std::int16_t{0}));
    get(kGann, com::Variant(std::int16_t{0}));
    get(kTrend, com::Variant(std::int16_t{1}));
    get(kRetracements, com::Variant(std::int16_t{0}));
    EXPECT_EQ(owner->features().DeleteAllDrawing(10), com::E_INVALIDARG);
    EXPECT_EQ(owner->features().DeleteAllDrawing(-2), com::E_INVALIDARG);
    EXPECT_EQ(owner->list().Count(), 4);

    const int repaints = owner->repaints;
    EXPECT_EQ(owner->features().DeleteAllDrawing(kTrend), com::S_OK);
    // Each removal names the index the drawing had when it left.
    EXPECT_EQ(owner->removals, (std::vector<DrawingTestOwner::Removal>{{2, kTrend, 163}, {0, kTrend, 162}}));
    EXPECT_EQ(owner->list().Count(), 2);
    EXPECT_EQ(owner->list().At(0)->kind, kGann);
    EXPECT_EQ(owner->repaints, repaints + 1);

    EXPECT_EQ(owner->features().DeleteAllDrawing(-1), com::S_OK);
    EXPECT_EQ(owner->list().Count(), 0);
    EXPECT_TRUE(owner->menuItems.empty());
    EXPECT_TRUE(owner->events.empty());
    // Nothing left to delete: no repaint.
    const int after = owner->repaints;
    EXPECT_EQ(owner->features().DeleteAllDrawing(-1), com::S_OK);
    EXPECT_EQ(owner->repaints, after);
}

TEST_F(DrawingFeaturesTest, ObjectsStayWithTheirDrawingWhileDeletingDuringIteration) {
    std::vector<com::ComPtr<IDrawFeature>> held;
    for (int position = 0; position < 4; ++position) {
        held.push_back(get(kTrend, com::Variant(std::int16_t(position))));
        name(held.back().get(), std::string(1, char('A' + position)).c_str());
    }
    // A client walking the kind and deleting every drawing whose name is not "C": the ordinals close up
    // behind each deletion, so it walks from the end.
    com::SHORT count = 0;
    owner->features().DrawingNumber(kTrend, &count);
    for (int position = count - 1; position >= 0; --position) {
        com::ComPtr<IDrawFeature> feature = get(kTrend, com::Variant(std::int16_t(position)));
        if (nameOf(feature.get()) != "C") {
            ASSERT_EQ(owner->features().DeleteDrawing(kTrend, static_cast<com::SHORT>(position)), com::S_OK);
        }
    }
    EXPECT_EQ(owner->list().Count(), 1);
    EXPECT_EQ(nameOf(held[2].get()), "C");
    for (const int gone : {0, 1, 3}) {
        com::LONG color = 5;
        EXPECT_EQ(held[static_cast<std::size_t>(gone)]->get_Color(&color), com::E_FAIL) << gone;
        EXPECT_EQ(color, 0);
        EXPECT_EQ(held[static_cast<std::size_t>(gone)]->put_Color(7), com::E_FAIL);
    }
    // The survivor is now ordinal 0 of its kind; a new drawing at ordinal 1 is not one of the old ones.
    com::ComPtr<IDrawFeature> fresh = get(kTrend, com::Variant(std::int16_t{1}));
    EXPECT_EQ(nameOf(fresh.get()), "..Usr..");
    EXPECT_EQ(held[3]->put_Name(com::Bstr::fromUtf8("D")), com::E_FAIL);
}

TEST_F(DrawingFeaturesTest, ObjectsOfAReplacedListFail) {
    com::ComPtr<IDrawFeature> old = get(kTrend, com::Variant(std::int16_t{0}));
    // A load empties the list and fills it with new drawings, even at the same places.
    owner->list().RemoveAll();
    owner->list().Grow(1);
    com::SHORT style = 9;
    EXPECT_EQ(old->get_LineStyle(&style), com::E_FAIL);
    EXPECT_EQ(style, 0);
}

TEST_F(DrawingFeaturesTest, UserRemovalRaisesDeletingOnceWhileTheDrawingIsStillThere) {
    get(kGann, com::Variant(std::int16_t{0}));
    get(kTrend, com::Variant(std::int16_t{0}));
    get(kTrend, com::Variant(std::int16_t{1}));
    EXPECT_EQ(owner->features().RemoveDrawingByUser(2), com::S_OK);
    EXPECT_EQ(owner->events, (std::vector<RaisedEvent>{{DrawingEvent::Deleting, kTrend, 1, 3}}));
    EXPECT_EQ(owner->list().Count(), 2);
    EXPECT_EQ(owner->removals, (std::vector<DrawingTestOwner::Removal>{{2, kTrend, 163}}));
    EXPECT_EQ(owner->features().RemoveDrawingByUser(2), com::E_INVALIDARG);
    EXPECT_EQ(owner->events.size(), 1u);
}

TEST_F(DrawingFeaturesTest, AHandlerThatDeletesTheDrawingItselfDoesNotCostAnother) {
    get(kTrend, com::Variant(std::int16_t{0}));
    get(kTrend, com::Variant(std::int16_t{1}));
    owner->onEvent = [this](const RaisedEvent& event) {
        owner->features().DeleteDrawing(event.kind, event.ordinal);
    };
    EXPECT_EQ(owner->features().RemoveDrawingByUser(0), com::S_OK);
    ASSERT_EQ(owner->list().Count(), 1);
    EXPECT_EQ(owner->list().At(0)->toolCommand, 163);
    EXPECT_EQ(owner->removals.size(), 1u);
}

TEST_F(DrawingFeaturesTest, EventsCarryTheKindAndTheOrdinalWithinIt) {
    get(kTrend, com::Variant(std::int16_t{0}));
    get(kGann, com::Variant(std::int16_t{0}));
    get(kTrend, com::Variant(std::int16_t{1}));
    get(kGann, com::Variant(std::int16_t{1}));
    get(kTrend, com::Variant(std::int16_t{2}));
    EXPECT_TRUE(owner->features().RaiseEvent(DrawingEvent::Created, 4));
    EXPECT_TRUE(owner->features().RaiseEvent(DrawingEvent::Moved, 3));
    EXPECT_FALSE(owner->features().RaiseEvent(DrawingEvent::Moved, 5));
    EXPECT_FALSE(owner->features().RaiseEvent(DrawingEvent::Moved, -1));
    EXPECT_FALSE(owner->features().RaiseEvent(DrawingEvent::Moved, 0x8000));
    EXPECT_EQ(owner->events, (std::vector<RaisedEvent>{{DrawingEvent::Created, kTrend, 2, 5},
                                                       {DrawingEvent::Moved, kGann, 1, 5}}));
}

TEST_F(DrawingFeaturesTest, CreateFeatureObjectViewsAListIndex) {
    get(kGann, com::Variant(std::int16_t{0}));
    get(kTimeZones, com::Variant(std::int16_t{0}));
    IDrawFeature* raw = reinterpret_cast<IDrawFeature*>(1);
    EXPECT_EQ(owner->features().CreateFeatureObject(2, &raw), com::E_INVALIDARG);
    EXPECT_EQ(raw, nullptr);
    ASSERT_EQ(owner->features().CreateFeatureObject(1, &raw), com::S_OK);
    com::ComPtr<IDrawFeature> zones = com::ComPtr<IDrawFeature>::attach(raw);
    com::SHORT bytes = -1;
    EXPECT_EQ(zones->get_ExtraBytes(&bytes), com::S_OK);
    EXPECT_EQ(bytes, 0);
    // The object answers its own interface and IUnknown, nothing else.
    com::IUnknown* unknown = nullptr;
    EXPECT_EQ(zones->QueryInterface(com::IID_IUnknown, reinterpret_cast<void**>(&unknown)), com::S_OK);
    unknown->Release();
    void* other = nullptr;
    constexpr com::IID kOther{0x1D97C781, 0xCB01, 0x4E52, {0xAF, 0x60, 0x8C, 0xA2, 0xA4, 0xE4, 0xBC, 0x0F}};
    EXPECT_EQ(zones->QueryInterface(kOther, &other), com::E_NOINTERFACE);
}

}  // namespace
}  // namespace dravik
