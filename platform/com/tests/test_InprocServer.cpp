// End to end: the test server library is registered through its own DllRegisterServer, created by
// ProgID and CLSID through the class registry, and unregistered again.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <fstream>

#include "TempRegistry.h"
#include "TestServer.h"
#include "com/Activation.h"
#include "com/ComObject.h"

using namespace com;
using testserver::CLSID_TestGadget;
using testserver::CLSID_TestWidget;
using testserver::ITestWidget;

namespace {

class InprocServer : public ::testing::Test {
protected:
    void SetUp() override {
        handle_ = ::dlopen(TARNWICK_TEST_SERVER_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << ::dlerror();
        registerServer_ = entry<DllRegisterServerFunction>("DllRegisterServer");
        unregisterServer_ = entry<DllUnregisterServerFunction>("DllUnregisterServer");
        canUnloadNow_ = entry<DllCanUnloadNowFunction>("DllCanUnloadNow");
        getClassObject_ = entry<DllGetClassObjectFunction>("DllGetClassObject");
        ASSERT_TRUE(registerServer_ && unregisterServer_ && canUnloadNow_ && getClassObject_);
    }
    // The library stays loaded: the registry keeps its own handle open for the process anyway.

    template <typename F>
    F entry(const char* name) {
        return reinterpret_cast<F>(::dlsym(handle_, name));
    }

    TempRegistry registry_;
    void* handle_ = nullptr;
    DllRegisterServerFunction registerServer_ = nullptr;
    DllUnregisterServerFunction unregisterServer_ = nullptr;
    DllCanUnloadNowFunction canUnloadNow_ = nullptr;
    DllGetClassObjectFunction getClassObject_ = nullptr;
};

LONG kindOf(const ComPtr<ITestWidget>& widget) {
    return widget ? widget->Kind() : -1;
}

}  // namespace

TEST_F(InprocServer, RegistersItsClassesUnderItsOwnPath) {
    ASSERT_EQ(registerServer_(), S_OK) << lastActivationError();
    ClassRegistry registry;
    std::string error;
    ASSERT_TRUE(registry.load(registry_.path(), error)) << error;
    ASSERT_EQ(registry.entries().size(), 2u);
    const ClassEntry* widget = registry.findClsid(CLSID_TestWidget);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->progId, "Tarnwick.TestWidget");
    EXPECT_EQ(widget->versionedProgId, "Tarnwick.TestWidget.2");
    EXPECT_EQ(widget->threadingModel, "Apartment");
    EXPECT_EQ(widget->library, std::filesystem::canonical(TARNWICK_TEST_SERVER_PATH));
    EXPECT_EQ(registry.findProgId("Tarnwick.TestGadget")->clsid, CLSID_TestGadget);
}

TEST_F(InprocServer, CreatesByProgIdVersionedProgIdAndClsid) {
    ASSERT_EQ(registerServer_(), S_OK) << lastActivationError();
    const struct {
        const char* progId;
        LONG kind;
    } byProgId[] = {{"Tarnwick.TestWidget", 1}, {"Tarnwick.TestWidget.2", 1}, {"Tarnwick.TestGadget", 2}};
    for (const auto& c : byProgId) {
        ComPtr<ITestWidget> widget;
        EXPECT_EQ(createInstance(c.progId, widget), S_OK) << c.progId << ": " << lastActivationError();
        EXPECT_EQ(kindOf(widget), c.kind) << c.progId;
    }
    ComPtr<ITestWidget> gadget;
    EXPECT_EQ(createInstance(CLSID_TestGadget, gadget), S_OK) << lastActivationError();
    EXPECT_EQ(kindOf(gadget), 2);
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID("Tarnwick.TestWidget.2", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_TestWidget);
}

TEST_F(InprocServer, UnregisteredClassesCannotBeCreated) {
    ASSERT_EQ(registerServer_(), S_OK) << lastActivationError();
    ASSERT_EQ(unregisterServer_(), S_OK) << lastActivationError();
    for (const char* progId : {"Tarnwick.TestWidget", "Tarnwick.TestWidget.2"}) {
        ComPtr<ITestWidget> widget;
        EXPECT_EQ(createInstance(progId, widget), REGDB_E_CLASSNOTREG);
        EXPECT_EQ(widget, nullptr);
        const std::string message = lastActivationError();
        EXPECT_NE(message.find(std::string("class \"") + progId + "\" is not registered"), std::string::npos)
            << message;
    }
    ComPtr<ITestWidget> widget;
    EXPECT_EQ(createInstance(CLSID_TestWidget, widget), REGDB_E_CLASSNOTREG);
    ClassRegistry registry;
    std::string error;
    ASSERT_TRUE(registry.load(registry_.path(), error)) << error;
    EXPECT_TRUE(registry.entries().empty());
}

TEST_F(InprocServer, UnregisteringLeavesOtherClassesAlone) {
    ClassRegistry registry;
    const ClassEntry other{Guid::fromString("{C78DAD01-7EF3-4E89-92C5-1C1B8F2B9E00}"), "Indikon.Database", "",
                           "Apartment", "/opt/libindikon.so"};
    registry.add(other);
    std::string error;
    ASSERT_TRUE(registry.save(registry_.path(), error)) << error;
    ASSERT_EQ(registerServer_(), S_OK);
    ASSERT_EQ(unregisterServer_(), S_OK);
    ASSERT_TRUE(registry.load(registry_.path(), error)) << error;
    ASSERT_EQ(registry.entries().size(), 1u);
    EXPECT_EQ(registry.entries()[0], other);
}

TEST_F(InprocServer, RegistrationReportsAnUnwritableRegistry) {
    // The registry's folder would have to be made under a plain file.
    const std::filesystem::path blocker = registry_.folder() / "blocker";
    std::ofstream(blocker) << "not a folder";
    ::setenv("TARNWICK_CLASS_REGISTRY", (blocker / "classes.reg").c_str(), 1);
    EXPECT_EQ(registerServer_(), REGDB_E_WRITEREGDB);
    EXPECT_NE(lastActivationError().find("cannot create " + blocker.string()), std::string::npos)
        << lastActivationError();

    // A registry path that is a folder cannot be read, and registration says so instead of replacing it.
    std::filesystem::create_directories(registry_.path());
    ::setenv("TARNWICK_CLASS_REGISTRY", registry_.path().c_str(), 1);
    EXPECT_EQ(registerServer_(), REGDB_E_READREGDB);
    EXPECT_NE(lastActivationError().find("cannot read " + registry_.path().string()), std::string::npos)
        << lastActivationError();
    EXPECT_TRUE(std::filesystem::is_directory(registry_.path()));
}

TEST_F(InprocServer, CanUnloadOnlyWithoutLiveObjectsOrLocks) {
    ASSERT_EQ(registerServer_(), S_OK);
    // Objects of this test binary do not count on the server.
    class Local final : public ComObject<ITestWidget> {
    public:
        LONG Kind() override { return 0; }
    };
    ComPtr<Local> local = makeComObject<Local>();
    EXPECT_EQ(canUnloadNow_(), S_OK);

    ComPtr<ITestWidget> widget;
    ASSERT_EQ(createInstance("Tarnwick.TestWidget", widget), S_OK);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    widget.reset();
    EXPECT_EQ(canUnloadNow_(), S_OK);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(CLSID_TestWidget, IID_IClassFactory, factory.putVoid()), S_OK);
    EXPECT_EQ(factory->LockServer(1), S_OK);
    factory.reset();
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "the lock outlives the factory";
    ASSERT_EQ(CoGetClassObject(CLSID_TestWidget, IID_IClassFactory, factory.putVoid()), S_OK);
    EXPECT_EQ(factory->LockServer(0), S_OK);
    factory.reset();
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(InprocServer, ClassObjectOfAnUnknownClassIsRefused) {
    void* object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(getClassObject_(Guid::fromString("{6B1D3F1F-2C4E-4A51-9E0B-7F3A1C5D2E01}"), IID_IClassFactory,
                              &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(getClassObject_(CLSID_TestWidget, IID_IClassFactory, nullptr), E_POINTER);
}

namespace {

// An outer object of the test binary that aggregates a widget of the server.
class Holder final : public ComObject<IClassFactory> {
public:
    HRESULT CreateInstance(IUnknown*, const IID&, void**) override { return E_NOTIMPL; }
    HRESULT LockServer(BOOL) override { return E_NOTIMPL; }
    HRESULT aggregate() {
        return CoCreateInstance(CLSID_TestWidget, identity(), IID_IUnknown, inner_.putVoid());
    }

protected:
    HRESULT queryAggregate(const IID& iid, void** object) override {
        return inner_ ? inner_->QueryInterface(iid, object) : E_NOINTERFACE;
    }

private:
    ComPtr<IUnknown> inner_;
};

}  // namespace

TEST_F(InprocServer, ServerObjectAggregatesIntoAnOuterObject) {
    ASSERT_EQ(registerServer_(), S_OK);
    ComPtr<Holder> holder = makeComObject<Holder>();
    ASSERT_EQ(holder->aggregate(), S_OK) << lastActivationError();
    ComPtr<IClassFactory> outer(holder.get());
    ComPtr<ITestWidget> widget = outer.as<ITestWidget>();
    ASSERT_TRUE(widget);
    EXPECT_EQ(widget->Kind(), 1);
    EXPECT_EQ(widget.as<IUnknown>().get(), holder->identity());
    EXPECT_EQ(widget.as<IClassFactory>(), outer);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    widget.reset();
    outer.reset();
    holder.reset();
    EXPECT_EQ(canUnloadNow_(), S_OK);
}
