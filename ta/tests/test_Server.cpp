// The built libindikon.so as a program sees it: it registers its classes and a Database made by
// ProgID loads and computes.
#include <dlfcn.h>
#include <unistd.h>

#include "TestSupport.h"
#include "com/Activation.h"
#include "com/InprocServer.h"
#include "indikon/Indikon.h"

namespace indikon::test {
namespace {

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TARNWICK_CLASS_REGISTRY", (folder_.path() / "classes.reg").c_str(), 1);
        library_ = ::dlopen(INDIKON_SERVER_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << ::dlerror();
    }
    void TearDown() override { ::unsetenv("TARNWICK_CLASS_REGISTRY"); }

    template <typename Function>
    Function entry(const char* name) {
        return reinterpret_cast<Function>(::dlsym(library_, name));
    }

    TempFolder folder_;
    void* library_ = nullptr;  // stays loaded, as the activation code keeps it
};

TEST_F(ServerTest, RegistersAndCreatesByProgId) {
    const auto registerServer = entry<com::DllRegisterServerFunction>("DllRegisterServer");
    const auto unregisterServer = entry<com::DllUnregisterServerFunction>("DllUnregisterServer");
    ASSERT_NE(registerServer, nullptr);
    ASSERT_NE(unregisterServer, nullptr);
    ASSERT_EQ(registerServer(), com::S_OK) << com::lastActivationError();

    com::CLSID clsid;
    ASSERT_EQ(com::CLSIDFromProgID("Indikon.Database", &clsid), com::S_OK);
    EXPECT_EQ(clsid, CLSID_Database);

    com::ComPtr<_Database> database;
    ASSERT_EQ(com::createInstance("Indikon.Database", database), com::S_OK) << com::lastActivationError();
    ASSERT_EQ(database->OpenDatabase(com::Bstr::fromUtf8(INDIKON_TEST_DATA "/prices.csv"), com::Bstr(u",")),
              com::S_OK);
    EXPECT_EQ(recordCount(database.get()), 6);

    com::ComPtr<_Index> index;
    ASSERT_EQ(com::createInstance(CLSID_Index, index), com::S_OK);
    com::ComPtr<_RecordSet> result;
    com::Bstr alias(u"Rsi");
    EXPECT_EQ(index->RelativeStrengthIndex(database.get(), fieldOf(database.get(), u"Close").get(), 2, &alias,
                                           result.put()),
              com::S_OK);
    com::VARIANT_BOOL valid = 0;
    result->isValidField(com::Bstr(u"Rsi"), &valid);
    EXPECT_EQ(valid, com::VARIANT_TRUE);

    ASSERT_EQ(unregisterServer(), com::S_OK);
    com::ComPtr<_Database> gone;
    EXPECT_EQ(com::createInstance("Indikon.Database", gone), com::REGDB_E_CLASSNOTREG);
}

TEST_F(ServerTest, IndicatorClassesAnswerTheirInterfaces) {
    const auto registerServer = entry<com::DllRegisterServerFunction>("DllRegisterServer");
    ASSERT_NE(registerServer, nullptr);
    ASSERT_EQ(registerServer(), com::S_OK) << com::lastActivationError();
    const struct {
        const char* progId;
        com::IID iid;
    } classes[] = {
        {"Indikon.MovingAverage", IID_MovingAverage},
        {"Indikon.General", IID_General},
        {"Indikon.ChartPattern", IID_ChartPattern},
        {"Indikon.Cycle", IID_Cycle},
        {"Indikon.LinearRegression", IID_LinearRegression},
        {"Indikon.Bands", IID_Bands},
        {"Indikon.LineStudy", IID_LineStudy},
        {"Indikon.NeuralNetwork", IID_NeuralNetwork},
    };
    for (const auto& c : classes) {
        com::ComPtr<com::IUnknown> object;
        EXPECT_EQ(com::createInstance(c.progId, nullptr, c.iid, object.putVoid()), com::S_OK) << c.progId;
    }
    com::ComPtr<_MovingAverage> averages;
    ASSERT_EQ(com::createInstance(CLSID_MovingAverage, averages), com::S_OK);
    com::ComPtr<_Database> database = makeDatabase({1, 2, 3, 4});
    com::ComPtr<_RecordSet> result;
    com::Bstr alias;
    ASSERT_EQ(averages->SimpleMovingAverage(database.get(), fieldOf(database.get(), u"Close").get(), 2,
                                            &alias, result.put()),
              com::S_OK);
    EXPECT_EQ(valuesOf(fieldOf(result.get(), u"SimpleMovingAverage").get()),
              (std::vector<double>{0, 0, 2.5, 3.5}));
}

}  // namespace
}  // namespace indikon::test
