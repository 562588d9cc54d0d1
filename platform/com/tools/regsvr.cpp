// tarnwick-regsvr [-u] <library.so>
//
// Loads an in-process server library and calls its DllRegisterServer (or, with -u,
// DllUnregisterServer), which writes (or removes) its classes in the class registry. Exits with 0 on
// success, 1 when the library cannot be loaded or its registration fails, 2 on bad arguments.
#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "com/Activation.h"
#include "com/ClassRegistry.h"

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

int usage() {
    std::fprintf(stderr, "usage: tarnwick-regsvr [-u] <library.so>\n");
    return kUsage;
}

int run(const char* library, bool unregister) {
    const char* action = unregister ? "unregister" : "register";
    // A path without a slash would be looked up in the library search path instead of the folder given.
    const std::string path = std::strchr(library, '/') ? library : std::string("./") + library;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = ::dlerror();
        std::fprintf(stderr, "tarnwick-regsvr: cannot load %s: %s\n", library,
                     reason ? reason : "unknown error");
        return kFailure;
    }
    const char* entryName = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const auto entry = reinterpret_cast<com::DllRegisterServerFunction>(::dlsym(handle, entryName));
    if (!entry) {
        std::fprintf(stderr, "tarnwick-regsvr: %s is not an in-process server (no %s)\n", library, entryName);
        return kFailure;
    }
    const com::HRESULT result = entry();
    if (com::FAILED(result)) {
        const std::string reason = com::lastActivationError();
        std::fprintf(stderr, "tarnwick-regsvr: cannot %s %s: %s (0x%08X)\n", action, library,
                     reason.empty() ? "the library reported an error" : reason.c_str(),
                     static_cast<unsigned>(result));
        return kFailure;
    }
    std::printf("%s %s in %s\n", unregister ? "Unregistered" : "Registered", library,
                com::ClassRegistry::defaultPath().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool unregister = false;
    int next = 1;
    if (next < argc && std::strcmp(argv[next], "-u") == 0) {
        unregister = true;
        ++next;
    }
    if (next + 1 != argc || argv[next][0] == '-')
        return usage();
    return run(argv[next], unregister);
}
