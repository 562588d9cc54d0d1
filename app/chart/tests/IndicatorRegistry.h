// A class registry of the test's own in a temporary folder, so that no registry of the machine's user
// decides which indicator library runs; registerIndicatorLibrary() enters the freshly built server.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "com/Activation.h"
#include "com/InprocServer.h"
#include "testsupport/TempFolder.h"

namespace tarnwick::chart::test {

class IndicatorRegistry {
public:
    IndicatorRegistry() { ::setenv(kVariable, (folder_.path() / "classes.reg").c_str(), 1); }
    ~IndicatorRegistry() { ::unsetenv(kVariable); }
    IndicatorRegistry(const IndicatorRegistry&) = delete;
    IndicatorRegistry& operator=(const IndicatorRegistry&) = delete;

    static void registerIndicatorLibrary() {
        // Stays loaded, as the activation code keeps every library it loads.
        void* library = ::dlopen(INDIKON_SERVER_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << ::dlerror();
        const auto registerServer =
            reinterpret_cast<com::DllRegisterServerFunction>(::dlsym(library, "DllRegisterServer"));
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), com::S_OK) << com::lastActivationError();
    }

private:
    static constexpr const char* kVariable = "TARNWICK_CLASS_REGISTRY";
    testsupport::TempFolder folder_{"tarnwick-chart-registry"};
};

}  // namespace tarnwick::chart::test
