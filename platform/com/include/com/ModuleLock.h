// The lock count of one binary (the program, a platform library or an in-process server): how many of
// its objects are alive plus how many explicit locks (IClassFactory::LockServer) are held on it. A
// server answers DllCanUnloadNow from it.
//
// Every binary that includes this header gets its own counter: the functions have hidden visibility,
// so the dynamic linker never merges the copies of two libraries into one.
#pragma once

#include <atomic>

#include "com/Types.h"

#define TARNWICK_COM_MODULE_LOCAL __attribute__((visibility("hidden")))

namespace com {

TARNWICK_COM_MODULE_LOCAL inline std::atomic<LONG>& moduleLockCount() {
    static std::atomic<LONG> count{0};
    return count;
}

TARNWICK_COM_MODULE_LOCAL inline void lockModule() {
    ++moduleLockCount();
}
TARNWICK_COM_MODULE_LOCAL inline void unlockModule() {
    --moduleLockCount();
}
TARNWICK_COM_MODULE_LOCAL inline LONG moduleLocks() {
    return moduleLockCount().load();
}

}  // namespace com
