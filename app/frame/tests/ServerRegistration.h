// Registers a freshly built in-process server in the class registry in use, as the installation's
// start script does; the library stays loaded, as the activation code keeps every library it loads.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "com/Activation.h"
#include "com/InprocServer.h"

inline void registerInprocServer(const char* path) {
    void* library = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    const auto registerIt =
        reinterpret_cast<com::DllRegisterServerFunction>(::dlsym(library, "DllRegisterServer"));
    ASSERT_NE(registerIt, nullptr) << path;
    ASSERT_EQ(registerIt(), com::S_OK) << com::lastActivationError();
}
