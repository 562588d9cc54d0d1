#include <gtest/gtest.h>

#include <fstream>

#include "TempRegistry.h"
#include "com/Activation.h"
#include "com/ComObject.h"

using namespace com;

namespace {

struct IGreeter : IUnknown {
    static constexpr IID iid{0xB2000001, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};
    virtual int Greet() = 0;
};

class Greeter final : public ComObject<IGreeter> {
public:
    int Greet() override { return 7; }
};

const CLSID kGreeter = Guid::fromString("{B2000002-0000-0000-0000-000000000002}");
const CLSID kNowhere = Guid::fromString("{B2000003-0000-0000-0000-000000000003}");
const ServerClass kGreeterClass{kGreeter, "Tarnwick.Greeter", "Tarnwick.Greeter.1", "Apartment",
                                &createComObject<Greeter>};

bool mentions(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class Activation : public ::testing::Test {
protected:
    void TearDown() override { revokeClassObject(kGreeter); }

    // A registry entry for kNowhere served by `library`.
    void registerNowhere(const std::string& library) {
        std::ofstream(registry_.path())
            << "[" << kNowhere.toString() << "]\nProgID=Tarnwick.Nowhere\nLibrary=" << library << "\n";
    }

    TempRegistry registry_;
};

}  // namespace

TEST_F(Activation, ClassesOfTheProcessAreCreatableByEveryName) {
    ASSERT_EQ(registerClassObject(kGreeterClass), S_OK);
    for (const char* progId : {"Tarnwick.Greeter", "Tarnwick.Greeter.1"}) {
        ComPtr<IGreeter> greeter;
        ASSERT_EQ(createInstance(progId, greeter), S_OK) << progId;
        EXPECT_EQ(greeter->Greet(), 7);
    }
    ComPtr<IGreeter> byClsid;
    ASSERT_EQ(createInstance(kGreeter, byClsid), S_OK);
    EXPECT_EQ(byClsid->Greet(), 7);

    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID("Tarnwick.Greeter", &clsid), S_OK);
    EXPECT_EQ(clsid, kGreeter);
    std::string progId;
    EXPECT_EQ(ProgIDFromCLSID(kGreeter, &progId), S_OK);
    EXPECT_EQ(progId, "Tarnwick.Greeter.1");
    EXPECT_FALSE(std::filesystem::exists(registry_.path())) << "process classes never touch the file";
}

TEST_F(Activation, RevokedClassIsNoLongerCreatable) {
    ASSERT_EQ(registerClassObject(kGreeterClass), S_OK);
    EXPECT_EQ(revokeClassObject(kGreeter), S_OK);
    EXPECT_EQ(revokeClassObject(kGreeter), S_FALSE);
    ComPtr<IGreeter> greeter;
    EXPECT_EQ(createInstance("Tarnwick.Greeter", greeter), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(greeter, nullptr);
    EXPECT_TRUE(mentions(lastActivationError(), "\"Tarnwick.Greeter\" is not registered"))
        << lastActivationError();
}

TEST_F(Activation, RejectsUnusableClassDescriptions) {
    const ServerClass cases[] = {
        {GUID_NULL, "Tarnwick.Greeter", nullptr, nullptr, &createComObject<Greeter>},
        {kGreeter, "Tarnwick Greeter", nullptr, nullptr, &createComObject<Greeter>},
        {kGreeter, "Tarnwick.Greeter", "Tarnwick.Other.1", nullptr, &createComObject<Greeter>},
        {kGreeter, "Tarnwick.Greeter", "Tarnwick.Greeter.", nullptr, &createComObject<Greeter>},
        {kGreeter, "Tarnwick.Greeter", nullptr, nullptr, nullptr},
    };
    for (const ServerClass& c : cases) {
        EXPECT_EQ(registerClassObject(c), E_INVALIDARG) << c.progId;
        EXPECT_FALSE(lastActivationError().empty());
    }
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID("Tarnwick.Greeter", &clsid), CO_E_CLASSSTRING);
}

TEST_F(Activation, UnknownNamesFailWithTheirOwnCodes) {
    CLSID clsid = kGreeter;
    EXPECT_EQ(CLSIDFromProgID("Tarnwick.Unknown", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(clsid, GUID_NULL);
    std::string progId = "stale";
    EXPECT_EQ(ProgIDFromCLSID(kNowhere, &progId), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(progId, "");

    void* object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(CoCreateInstance(kNowhere, nullptr, IID_IUnknown, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    EXPECT_TRUE(mentions(lastActivationError(), kNowhere.toString())) << lastActivationError();
    EXPECT_TRUE(mentions(lastActivationError(), registry_.path().string())) << lastActivationError();
    EXPECT_EQ(CoGetClassObject(kNowhere, IID_IClassFactory, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
}

TEST_F(Activation, MissingLibraryIsReportedWithItsPath) {
    const std::string library = (registry_.folder() / "libmissing.so").string();
    registerNowhere(library);
    ComPtr<IUnknown> object;
    EXPECT_EQ(createInstance("Tarnwick.Nowhere", object), CO_E_DLLNOTFOUND);
    EXPECT_EQ(object, nullptr);
    EXPECT_TRUE(mentions(lastActivationError(), "cannot load the library " + library))
        << lastActivationError();
}

TEST_F(Activation, LibraryWithoutEntryPointIsNoServer) {
    registerNowhere(TARNWICK_COM_LIBRARY_PATH);
    ComPtr<IUnknown> object;
    EXPECT_EQ(createInstance(kNowhere, object), CO_E_ERRORINDLL);
    EXPECT_TRUE(mentions(lastActivationError(), "no DllGetClassObject")) << lastActivationError();
}

TEST_F(Activation, DamagedRegistryIsReportedNotIgnored) {
    std::ofstream(registry_.path()) << "garbage\n";
    ComPtr<IUnknown> object;
    EXPECT_EQ(createInstance("Tarnwick.Nowhere", object), REGDB_E_READREGDB);
    EXPECT_TRUE(mentions(lastActivationError(), "damaged")) << lastActivationError();
}

TEST_F(Activation, AggregationAsksForIUnknownOnly) {
    ASSERT_EQ(registerClassObject(kGreeterClass), S_OK);
    ComPtr<Greeter> outer = makeComObject<Greeter>();
    void* object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(CoCreateInstance(kGreeter, outer->identity(), IGreeter::iid, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(kGreeter, nullptr, IGreeter::iid, nullptr), E_POINTER);
    EXPECT_EQ(createInstance("Tarnwick.Greeter", nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(Activation, FactoryCreatesAndLocks) {
    ASSERT_EQ(registerClassObject(kGreeterClass), S_OK);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(kGreeter, IID_IClassFactory, factory.putVoid()), S_OK);
    ComPtr<IGreeter> greeter;
    ASSERT_EQ(factory->CreateInstance(nullptr, IGreeter::iid, greeter.putVoid()), S_OK);
    EXPECT_EQ(greeter->Greet(), 7);
    EXPECT_EQ(factory->CreateInstance(nullptr, IGreeter::iid, nullptr), E_POINTER);
}
