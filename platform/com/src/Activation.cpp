#include "com/Activation.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>
#include <unordered_map>

namespace com {

namespace {

namespace fs = std::filesystem;

thread_local std::string t_error;

HRESULT fail(HRESULT result, std::string message) {
    t_error = std::move(message);
    return result;
}

HRESULT succeed(HRESULT result = S_OK) {
    t_error.clear();
    return result;
}

std::string hex(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(result));
    return text;
}

// Classes linked into this process: their names in a registry without libraries, their creators by
// CLSID.
struct LocalClasses {
    std::mutex mutex;
    ClassRegistry names;
    std::unordered_map<CLSID, Creator, GuidHash> creators;
};

LocalClasses& localClasses() {
    static LocalClasses classes;
    return classes;
}

Creator localCreator(const CLSID& clsid) {
    LocalClasses& local = localClasses();
    std::lock_guard lock(local.mutex);
    const auto it = local.creators.find(clsid);
    return it == local.creators.end() ? nullptr : it->second;
}

std::optional<ClassEntry> localEntry(std::string_view progId, const CLSID* clsid) {
    LocalClasses& local = localClasses();
    std::lock_guard lock(local.mutex);
    const ClassEntry* entry = clsid ? local.names.findClsid(*clsid) : local.names.findProgId(progId);
    return entry ? std::optional<ClassEntry>(*entry) : std::nullopt;
}

// Reads the registry file of this process; on failure the message is already set.
HRESULT loadRegistry(ClassRegistry& registry, fs::path& path) {
    path = ClassRegistry::defaultPath();
    if (path.empty()) {
        return fail(REGDB_E_READREGDB,
                    "no class registry: neither TARNWICK_CLASS_REGISTRY, XDG_CONFIG_HOME nor HOME is set");
    }
    std::string error;
    if (!registry.load(path, error))
        return fail(REGDB_E_READREGDB, error);
    return S_OK;
}

// Finds a registered class by CLSID or by ProgID, in the process first, then in the registry file.
HRESULT findClass(std::string_view progId, const CLSID* clsid, ClassEntry& found) {
    if (auto local = localEntry(progId, clsid)) {
        found = std::move(*local);
        return S_OK;
    }
    ClassRegistry registry;
    fs::path path;
    if (const HRESULT result = loadRegistry(registry, path); FAILED(result))
        return result;
    const ClassEntry* entry = clsid ? registry.findClsid(*clsid) : registry.findProgId(progId);
    if (!entry) {
        const std::string name = clsid ? clsid->toString() : "\"" + std::string(progId) + "\"";
        return fail(REGDB_E_CLASSNOTREG,
                    "class " + name + " is not registered (class registry " + path.string() + ")");
    }
    found = *entry;
    return S_OK;
}

// Loads a server library once per process and returns its DllGetClassObject.
HRESULT classObjectEntry(const ClassEntry& entry, DllGetClassObjectFunction& function) {
    static std::mutex mutex;
    static std::map<std::string, DllGetClassObjectFunction> loaded;
    const std::string path = entry.library.string();
    // A bare or relative name would be looked up along the loader's search path.
    if (!entry.library.is_absolute()) {
        return fail(CO_E_DLLNOTFOUND, "the library " + path + " of class " + entry.progId +
                                          " is not named by an absolute path");
    }
    std::lock_guard lock(mutex);
    if (const auto it = loaded.find(path); it != loaded.end()) {
        function = it->second;
        return S_OK;
    }
    // Never closed: objects and factories of the library may be alive anywhere in the process.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = ::dlerror();
        return fail(CO_E_DLLNOTFOUND, "cannot load the library " + path + " of class " + entry.progId + ": " +
                                          (reason ? reason : "unknown error"));
    }
    function = reinterpret_cast<DllGetClassObjectFunction>(::dlsym(handle, "DllGetClassObject"));
    if (!function) {
        return fail(CO_E_ERRORINDLL, "the library " + path + " of class " + entry.progId +
                                         " is not an in-process server (no DllGetClassObject)");
    }
    loaded.emplace(path, function);
    return S_OK;
}

HRESULT classObjectOf(const ClassEntry& entry, const IID& iid, void** object) {
    if (const Creator creator = localCreator(entry.clsid)) {
        ComPtr<ClassFactory> factory = makeComObject<ClassFactory>(creator);
        return factory->QueryInterface(iid, object);
    }
    DllGetClassObjectFunction getClassObject = nullptr;
    if (const HRESULT result = classObjectEntry(entry, getClassObject); FAILED(result))
        return result;
    const HRESULT result = getClassObject(entry.clsid, iid, object);
    if (FAILED(result)) {
        return fail(result, "the library " + entry.library.string() + " has no class object for " +
                                entry.progId + " " + entry.clsid.toString() + " (" + hex(result) + ")");
    }
    return result;
}

HRESULT createFromEntry(const ClassEntry& entry, IUnknown* outer, const IID& iid, void** object) {
    ComPtr<IClassFactory> factory;
    if (const HRESULT result = classObjectOf(entry, IID_IClassFactory, factory.putVoid()); FAILED(result)) {
        return result;
    }
    const HRESULT result = factory->CreateInstance(outer, iid, object);
    if (FAILED(result)) {
        return fail(result, "class " + entry.progId + " " + entry.clsid.toString() +
                                " could not create an object (" + hex(result) + ")");
    }
    return succeed(result);
}

// Checks the out-parameter and aggregation rule shared by the creation functions.
HRESULT checkCreation(IUnknown* outer, const IID& iid, void** object) {
    if (!object)
        return fail(E_POINTER, "no place for the created object");
    *object = nullptr;
    if (outer && iid != IID_IUnknown) {
        return fail(CLASS_E_NOAGGREGATION, "an aggregated object must be asked for IUnknown");
    }
    return S_OK;
}

std::string textOr(const char* text) {
    return text ? std::string(text) : std::string();
}

// Turns a server's table row into a registry entry; E_INVALIDARG with a message when it is unusable.
HRESULT entryOf(const ServerClass& serverClass, const fs::path& library, ClassEntry& entry) {
    entry = ClassEntry{serverClass.clsid, textOr(serverClass.progId), textOr(serverClass.versionedProgId),
                       textOr(serverClass.threadingModel), library};
    if (entry.clsid.isNull())
        return fail(E_INVALIDARG, "a class has no CLSID");
    if (!ClassRegistry::isValidProgId(entry.progId)) {
        return fail(E_INVALIDARG,
                    "class " + entry.clsid.toString() + " has a bad ProgID \"" + entry.progId + "\"");
    }
    // The versioned name must extend the version-independent one, or the one could not name the other.
    const std::string& versioned = entry.versionedProgId;
    if (!versioned.empty() && !ClassRegistry::isValidVersionedProgId(versioned, entry.progId)) {
        return fail(E_INVALIDARG, "class " + entry.clsid.toString() + " has a bad versioned ProgID \"" +
                                      versioned + "\" for \"" + entry.progId + "\"");
    }
    return S_OK;
}

HRESULT libraryPathOf(const void* address, fs::path& path) {
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || !info.dli_fname || !*info.dli_fname) {
        return fail(E_FAIL, "cannot find the path of the library to register");
    }
    std::error_code ec;
    path = fs::weakly_canonical(fs::absolute(info.dli_fname, ec), ec);
    if (ec)
        return fail(E_FAIL,
                    std::string("cannot resolve the library path ") + info.dli_fname + ": " + ec.message());
    return S_OK;
}

// Loads the registry file, lets `change` edit it and writes it back when anything changed.
template <typename Change>
HRESULT updateRegistry(Change change) {
    ClassRegistry registry;
    fs::path path;
    if (const HRESULT result = loadRegistry(registry, path); FAILED(result))
        return result;
    const std::vector<ClassEntry> before = registry.entries();
    if (const HRESULT result = change(registry); FAILED(result))
        return result;
    if (registry.entries() == before)
        return succeed();
    std::string error;
    if (!registry.save(path, error))
        return fail(REGDB_E_WRITEREGDB, error);
    return succeed();
}

}  // namespace

std::string lastActivationError() {
    return t_error;
}

HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid) {
    if (!clsid)
        return fail(E_POINTER, "no place for the class identifier");
    *clsid = GUID_NULL;
    ClassEntry entry;
    if (const HRESULT result = findClass(progId, nullptr, entry); FAILED(result)) {
        return result == REGDB_E_CLASSNOTREG ? CO_E_CLASSSTRING : result;
    }
    *clsid = entry.clsid;
    return succeed();
}

HRESULT ProgIDFromCLSID(const CLSID& clsid, std::string* progId) {
    if (!progId)
        return fail(E_POINTER, "no place for the ProgID");
    progId->clear();
    ClassEntry entry;
    if (const HRESULT result = findClass({}, &clsid, entry); FAILED(result))
        return result;
    *progId = entry.versionedProgId.empty() ? entry.progId : entry.versionedProgId;
    return succeed();
}

HRESULT CoGetClassObject(const CLSID& clsid, const IID& iid, void** object) {
    if (!object)
        return fail(E_POINTER, "no place for the class object");
    *object = nullptr;
    ClassEntry entry;
    if (const HRESULT result = findClass({}, &clsid, entry); FAILED(result))
        return result;
    if (const HRESULT result = classObjectOf(entry, iid, object); FAILED(result))
        return result;
    return succeed();
}

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, const IID& iid, void** object) {
    if (const HRESULT result = checkCreation(outer, iid, object); FAILED(result))
        return result;
    ClassEntry entry;
    if (const HRESULT result = findClass({}, &clsid, entry); FAILED(result))
        return result;
    return createFromEntry(entry, outer, iid, object);
}

HRESULT createInstance(std::string_view progId, IUnknown* outer, const IID& iid, void** object) {
    if (const HRESULT result = checkCreation(outer, iid, object); FAILED(result))
        return result;
    ClassEntry entry;
    if (const HRESULT result = findClass(progId, nullptr, entry); FAILED(result))
        return result;
    return createFromEntry(entry, outer, iid, object);
}

HRESULT registerClassObject(const ServerClass& serverClass) {
    ClassEntry entry;
    if (const HRESULT result = entryOf(serverClass, {}, entry); FAILED(result))
        return result;
    if (!serverClass.create)
        return fail(E_INVALIDARG, "class " + entry.progId + " has no creator");
    LocalClasses& local = localClasses();
    std::lock_guard lock(local.mutex);
    local.names.add(std::move(entry));
    // add() may have dropped another class that claimed the same ProgID.
    std::erase_if(local.creators, [&](const auto& item) { return !local.names.findClsid(item.first); });
    local.creators[serverClass.clsid] = serverClass.create;
    return succeed();
}

HRESULT revokeClassObject(const CLSID& clsid) {
    LocalClasses& local = localClasses();
    std::lock_guard lock(local.mutex);
    local.creators.erase(clsid);
    return succeed(local.names.remove(clsid) ? S_OK : S_FALSE);
}

HRESULT registerServerClasses(std::span<const ServerClass> classes, const void* addressInLibrary) {
    fs::path library;
    if (const HRESULT result = libraryPathOf(addressInLibrary, library); FAILED(result))
        return result;
    std::vector<ClassEntry> entries(classes.size());
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if (const HRESULT result = entryOf(classes[i], library, entries[i]); FAILED(result))
            return result;
    }
    return updateRegistry([&](ClassRegistry& registry) {
        for (ClassEntry& entry : entries)
            registry.add(std::move(entry));
        return S_OK;
    });
}

HRESULT unregisterServerClasses(std::span<const ServerClass> classes) {
    return updateRegistry([&](ClassRegistry& registry) {
        for (const ServerClass& serverClass : classes)
            registry.remove(serverClass.clsid);
        return S_OK;
    });
}

}  // namespace com
