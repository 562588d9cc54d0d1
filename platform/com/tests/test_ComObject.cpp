#include <gtest/gtest.h>

#include "com/ComObject.h"
#include "com/ComPtr.h"

using namespace com;

namespace {

struct IAlpha : IUnknown {
    static constexpr IID iid{0xA1000001, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};
    virtual int Alpha() = 0;
};
struct IBeta : IUnknown {
    static constexpr IID iid{0xA1000002, 0, 0, {0, 0, 0, 0, 0, 0, 0, 2}};
    virtual int Beta() = 0;
};
// A base interface and two interfaces derived from it, the way IPersistStream and IPersistStorage
// derive from IPersist.
struct IRoot : IUnknown {
    static constexpr IID iid{0xA1000003, 0, 0, {0, 0, 0, 0, 0, 0, 0, 3}};
    virtual int Root() = 0;
};
struct ILeft : IRoot {
    using BaseInterface = IRoot;
    static constexpr IID iid{0xA1000004, 0, 0, {0, 0, 0, 0, 0, 0, 0, 4}};
};
struct IRight : IRoot {
    using BaseInterface = IRoot;
    static constexpr IID iid{0xA1000005, 0, 0, {0, 0, 0, 0, 0, 0, 0, 5}};
};
constexpr IID kUnsupported{0xA10000FF, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0xFF}};

// Counts its destructions in a counter the test owns.
class AlphaBeta final : public ComObject<IAlpha, IBeta> {
public:
    explicit AlphaBeta(int* destroyed = nullptr) : destroyed_(destroyed) {}
    ~AlphaBeta() override {
        if (destroyed_)
            ++*destroyed_;
    }
    int Alpha() override { return 1; }
    int Beta() override { return 2; }

private:
    int* destroyed_;
};

class LeftRight final : public ComObject<ILeft, IRight> {
public:
    int Root() override { return 3; }
};

ULONG refCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

template <typename I>
I* query(IUnknown* object, HRESULT expected = S_OK) {
    void* result = reinterpret_cast<void*>(0x1);  // must be overwritten, even on failure
    EXPECT_EQ(object->QueryInterface(I::iid, &result), expected);
    return static_cast<I*>(result);
}

}  // namespace

TEST(ComObject, CountsReferencesAndDestroysAtLastRelease) {
    int destroyed = 0;
    IAlpha* alpha = makeComObject<AlphaBeta>(&destroyed).detach();
    EXPECT_EQ(alpha->AddRef(), 2u);
    EXPECT_EQ(alpha->AddRef(), 3u);
    EXPECT_EQ(alpha->Release(), 2u);
    EXPECT_EQ(alpha->Release(), 1u);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(alpha->Release(), 0u);
    EXPECT_EQ(destroyed, 1);
}

TEST(ComObject, QueryInterfaceFollowsIdentityRules) {
    int destroyed = 0;
    {
        ComPtr<AlphaBeta> object = makeComObject<AlphaBeta>(&destroyed);
        IAlpha* alpha = object.get();
        IBeta* beta = query<IBeta>(alpha);
        ASSERT_NE(beta, nullptr);
        EXPECT_EQ(beta->Beta(), 2);
        EXPECT_EQ(refCount(alpha), 2u) << "a successful QueryInterface adds one reference";

        // IUnknown is one pointer whichever interface is asked, and a round trip leads back.
        IUnknown* fromAlpha = query<IUnknown>(alpha);
        IUnknown* fromBeta = query<IUnknown>(beta);
        EXPECT_EQ(fromAlpha, fromBeta);
        EXPECT_EQ(fromAlpha, object->identity());
        IAlpha* back = query<IAlpha>(beta);
        EXPECT_EQ(back, alpha);
        EXPECT_EQ(refCount(alpha), 5u);

        EXPECT_EQ(query<IRoot>(alpha, E_NOINTERFACE), nullptr);
        EXPECT_EQ(alpha->QueryInterface(kUnsupported, nullptr), E_POINTER);
        EXPECT_EQ(refCount(alpha), 5u) << "failed queries add no reference";
        for (IUnknown* held :
             {static_cast<IUnknown*>(beta), fromAlpha, fromBeta, static_cast<IUnknown*>(back)}) {
            held->Release();
        }
        EXPECT_EQ(refCount(alpha), 1u);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(ComObject, AnswersBaseInterfacesOfListedOnes) {
    ComPtr<LeftRight> object = makeComObject<LeftRight>();
    ILeft* left = object.get();
    IRoot* root = query<IRoot>(left);
    ASSERT_NE(root, nullptr);
    // The base is reached through the first listed interface that derives from it.
    EXPECT_EQ(root, static_cast<IRoot*>(left));
    EXPECT_EQ(root->Root(), 3);
    IRight* right = query<IRight>(root);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(query<IUnknown>(right), query<IUnknown>(left));
    EXPECT_EQ(refCount(left), 5u);
    for (int i = 0; i < 4; ++i)
        left->Release();
}

TEST(ComObject, LiveObjectsLockTheBinary) {
    const LONG before = moduleLocks();
    {
        ComPtr<AlphaBeta> a = makeComObject<AlphaBeta>();
        ComPtr<LeftRight> b = makeComObject<LeftRight>();
        EXPECT_EQ(moduleLocks(), before + 2);
    }
    EXPECT_EQ(moduleLocks(), before);
}

namespace {

// Takes and drops a reference to itself while being destroyed, as a destructor that hands `this`
// to a helper does.
class SelfReferencingOnDestruction final : public ComObject<IAlpha> {
public:
    explicit SelfReferencingOnDestruction(int& destroyed) : destroyed_(destroyed) {}
    ~SelfReferencingOnDestruction() override {
        ComPtr<IAlpha> self(this);
        ++destroyed_;
    }
    int Alpha() override { return 0; }

private:
    int& destroyed_;
};

}  // namespace

TEST(ComObject, ReferenceTakenInDestructorDoesNotDeleteTwice) {
    int destroyed = 0;
    makeComObject<SelfReferencingOnDestruction>(destroyed).reset();
    EXPECT_EQ(destroyed, 1);
}

namespace {

// An outer object that aggregates an AlphaBeta-like inner object for IBeta.
class InnerBeta final : public ComObject<IBeta> {
public:
    explicit InnerBeta(int* destroyed) : destroyed_(destroyed) {}
    ~InnerBeta() override { ++*destroyed_; }
    int Beta() override { return isAggregated() ? 20 : 2; }

private:
    int* destroyed_;
};

class Outer final : public ComObject<IAlpha> {
public:
    Outer(int* outerDestroyed, int* innerDestroyed)
        : destroyed_(outerDestroyed),
          inner_(makeAggregatedComObject<InnerBeta>(identity(), innerDestroyed)) {}
    ~Outer() override { ++*destroyed_; }
    int Alpha() override { return 10; }
    IUnknown* inner() const { return inner_.get(); }

protected:
    HRESULT queryAggregate(const IID& iid, void** object) override {
        return inner_->QueryInterface(iid, object);
    }

private:
    int* destroyed_;
    ComPtr<IUnknown> inner_;
};

}  // namespace

TEST(ComObjectAggregation, InnerInterfacesDelegateToTheOuterObject) {
    int outerDestroyed = 0;
    int innerDestroyed = 0;
    ComPtr<Outer> outer = makeComObject<Outer>(&outerDestroyed, &innerDestroyed);
    IAlpha* alpha = outer.get();

    IBeta* beta = query<IBeta>(alpha);
    ASSERT_NE(beta, nullptr);
    EXPECT_EQ(beta->Beta(), 20);
    EXPECT_EQ(refCount(alpha), 2u) << "the reference for IBeta is counted on the outer object";
    EXPECT_EQ(beta->AddRef(), 3u);
    EXPECT_EQ(beta->Release(), 2u);

    // One identity: IUnknown and the outer's interfaces are reachable from the inner interface.
    IUnknown* identity = query<IUnknown>(beta);
    EXPECT_EQ(identity, outer->identity());
    IAlpha* alphaFromBeta = query<IAlpha>(beta);
    EXPECT_EQ(alphaFromBeta, alpha);
    EXPECT_EQ(query<IRoot>(beta, E_NOINTERFACE), nullptr);

    identity->Release();
    alphaFromBeta->Release();
    beta->Release();
    EXPECT_EQ(refCount(alpha), 1u);
    EXPECT_EQ(innerDestroyed, 0);
    outer.reset();
    EXPECT_EQ(outerDestroyed, 1);
    EXPECT_EQ(innerDestroyed, 1) << "the outer object's release of the inner one ends it";
}

TEST(ComObjectAggregation, NonDelegatingUnknownAnswersForTheInnerObjectAlone) {
    int outerDestroyed = 0;
    int innerDestroyed = 0;
    ComPtr<Outer> outer = makeComObject<Outer>(&outerDestroyed, &innerDestroyed);
    IUnknown* inner = outer->inner();

    EXPECT_EQ(query<IUnknown>(inner), inner) << "not the outer's identity";
    EXPECT_EQ(inner->Release(), 1u) << "counted on the inner object";
    EXPECT_EQ(query<IAlpha>(inner, E_NOINTERFACE), nullptr) << "the outer's interfaces are not the inner's";

    IBeta* beta = query<IBeta>(inner);
    ASSERT_NE(beta, nullptr);
    EXPECT_EQ(refCount(outer.get()), 2u) << "the interface handed out is counted on the outer object";
    beta->Release();
}

TEST(ComObjectAggregation, WithoutOuterTheObjectStandsAlone) {
    int destroyed = 0;
    ComPtr<IUnknown> unknown = makeAggregatedComObject<InnerBeta>(nullptr, &destroyed);
    IBeta* beta = query<IBeta>(unknown.get());
    ASSERT_NE(beta, nullptr);
    EXPECT_EQ(beta->Beta(), 2);
    EXPECT_EQ(query<IUnknown>(beta), unknown.get());
    EXPECT_EQ(refCount(unknown.get()), 3u);
    unknown->Release();
    beta->Release();
    unknown.reset();
    EXPECT_EQ(destroyed, 1);
}
