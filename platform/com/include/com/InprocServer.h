// Support for an in-process server: a shared library whose classes other binaries create through the
// class registry. The library lists its classes in one table and expands TARNWICK_INPROC_SERVER
// once, in one of its source files:
//
//   const com::ServerClass kClasses[] = {
//       {CLSID_FinancialCharts, "Lomex.Financial", "Lomex.Financial.4", "Apartment",
//        &com::createComObject<CFinancialCharts>},
//   };
//   TARNWICK_INPROC_SERVER(kClasses)
//
// which defines the four exported entry points:
//   DllGetClassObject(clsid, iid, object)  a class factory (IClassFactory) of one listed class;
//   DllRegisterServer()                    writes the listed classes, with this library's own path
//                                          (found with dladdr), into the class registry;
//   DllUnregisterServer()                  removes them;
//   DllCanUnloadNow()                      S_OK when no object of the library is alive and no
//                                          LockServer lock is held, else S_FALSE.
// On failure the registration functions leave a message in com::lastActivationError().
#pragma once

#include <span>

#include "com/ClassFactory.h"
#include "com/ComPtr.h"
#include "com/Guid.h"
#include "com/HResult.h"
#include "com/ModuleLock.h"

#define TARNWICK_COM_EXPORT __attribute__((visibility("default")))

namespace com {

struct ServerClass {
    CLSID clsid;
    const char* progId;           // version-independent, e.g. "Lomex.Financial"
    const char* versionedProgId;  // e.g. "Lomex.Financial.4"; null when the class has no versions
    const char* threadingModel;   // e.g. "Apartment"; null for none
    Creator create;
};

using DllGetClassObjectFunction = HRESULT (*)(const CLSID& clsid, const IID& iid, void** object);
using DllRegisterServerFunction = HRESULT (*)();
using DllUnregisterServerFunction = HRESULT (*)();
using DllCanUnloadNowFunction = HRESULT (*)();

// Registers the classes of the library that contains `addressInLibrary` under that library's path.
HRESULT registerServerClasses(std::span<const ServerClass> classes, const void* addressInLibrary);
HRESULT unregisterServerClasses(std::span<const ServerClass> classes);

namespace inproc {

// Hidden, so that the factory and the count belong to the server library that expands the macro.
TARNWICK_COM_MODULE_LOCAL inline HRESULT getClassObject(std::span<const ServerClass> classes,
                                                        const CLSID& clsid, const IID& iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    for (const ServerClass& serverClass : classes) {
        if (serverClass.clsid != clsid)
            continue;
        if (!serverClass.create)
            return CLASS_E_CLASSNOTAVAILABLE;
        ComPtr<IClassFactory> factory;
        try {
            factory = makeComObject<ClassFactory>(serverClass.create);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        return factory->QueryInterface(iid, object);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

TARNWICK_COM_MODULE_LOCAL inline HRESULT canUnloadNow() {
    return moduleLocks() == 0 ? S_OK : S_FALSE;
}

}  // namespace inproc
}  // namespace com

// The library's path is found from the address of a hidden function of its own, which cannot resolve
// to a same-named function of another library.
#define TARNWICK_INPROC_SERVER(classTable)                                                              \
    extern "C" TARNWICK_COM_EXPORT com::HRESULT DllGetClassObject(const com::CLSID& clsid,              \
                                                                  const com::IID& iid, void** object) { \
        return com::inproc::getClassObject(classTable, clsid, iid, object);                             \
    }                                                                                                   \
    extern "C" TARNWICK_COM_EXPORT com::HRESULT DllRegisterServer() {                                   \
        return com::registerServerClasses(classTable,                                                   \
                                          reinterpret_cast<const void*>(&com::inproc::canUnloadNow));   \
    }                                                                                                   \
    extern "C" TARNWICK_COM_EXPORT com::HRESULT DllUnregisterServer() {                                 \
        return com::unregisterServerClasses(classTable);                                                \
    }                                                                                                   \
    extern "C" TARNWICK_COM_EXPORT com::HRESULT DllCanUnloadNow() {                                     \
        return com::inproc::canUnloadNow();                                                             \
    }
