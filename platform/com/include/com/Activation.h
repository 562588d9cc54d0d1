// Creating objects by CLSID or ProgID.
//
// A class is found first among the classes this process registered itself (registerClassObject: a
// creator linked into the process, no library), then in the class registry file (ClassRegistry.h).
// A registered library is loaded once with dlopen and stays loaded for the life of the process; its
// DllGetClassObject hands out the class factory that creates the object.
//
// Every function that fails leaves a message for the user in lastActivationError() (per thread).
#pragma once

#include <string>
#include <string_view>

#include "com/ClassFactory.h"
#include "com/ClassRegistry.h"
#include "com/ComPtr.h"
#include "com/InprocServer.h"

namespace com {

// The message of the last failed call of this file on this thread; empty after a success.
std::string lastActivationError();

// CO_E_CLASSSTRING for an unknown ProgID (*clsid is then GUID_NULL).
HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid);
// The versioned ProgID when the class has one, else its ProgID; REGDB_E_CLASSNOTREG when unknown.
HRESULT ProgIDFromCLSID(const CLSID& clsid, std::string* progId);

// The class object (normally IClassFactory) of a class. REGDB_E_CLASSNOTREG for an unknown class,
// CO_E_DLLNOTFOUND when its library cannot be loaded, CO_E_ERRORINDLL when the library is no
// in-process server, REGDB_E_READREGDB when the registry file is unreadable or damaged.
HRESULT CoGetClassObject(const CLSID& clsid, const IID& iid, void** object);
// Creates an object; with a non-null `outer` as the inner part of that object (iid must then be
// IID_IUnknown).
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, const IID& iid, void** object);
// Creates an object by ProgID, versioned or not; REGDB_E_CLASSNOTREG for an unknown ProgID.
HRESULT createInstance(std::string_view progId, IUnknown* outer, const IID& iid, void** object);

template <ComInterface I>
HRESULT createInstance(std::string_view progId, ComPtr<I>& out) {
    return createInstance(progId, nullptr, I::iid, out.putVoid());
}
template <ComInterface I>
HRESULT createInstance(const CLSID& clsid, ComPtr<I>& out) {
    return CoCreateInstance(clsid, nullptr, I::iid, out.putVoid());
}

// Makes a class that is linked into this process creatable by CLSID and ProgID, ahead of the registry
// file. Registering a CLSID again replaces its creator. E_INVALIDARG for a null CLSID, a bad ProgID or
// a null creator.
HRESULT registerClassObject(const ServerClass& serverClass);
// S_FALSE when the class was not registered in the process.
HRESULT revokeClassObject(const CLSID& clsid);

}  // namespace com
