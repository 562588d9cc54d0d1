// The class registry: which shared library serves which class, by CLSID and by ProgID.
//
// It is a plain-text file, by default $XDG_CONFIG_HOME/Tarnwick/classes.reg (~/.config/Tarnwick when
// XDG_CONFIG_HOME is unset); the environment variable TARNWICK_CLASS_REGISTRY names another file.
// One section per class, in the order the classes were registered:
//
//   # comment
//   [{3F53C702-5296-42FF-BD60-3C37A4308F7D}]
//   ProgID=Lomex.Financial
//   VersionedProgID=Lomex.Financial.4
//   ThreadingModel=Apartment
//   Library=/home/user/tarnwick/lib/libdravik.so
//
// ProgID (required) is the version-independent name; VersionedProgID (optional) names one version.
// Library (required) is an absolute path. A value is the rest of its line after the first '='; keys
// are matched exactly and unknown keys are ignored. Blank lines and lines starting with '#' or ';'
// are ignored. A ProgID or VersionedProgID that registration would refuse, or a Library that is not
// an absolute path (the loader would search for it), is damage too. Anything else is damage: the whole file
// is then refused rather than half read, so that a later write cannot silently drop the classes the damaged
// part described.
//
// A version-independent ProgID names the class registered last under it (its current version).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "com/Guid.h"
#include "com/HResult.h"

namespace com {

struct ClassEntry {
    CLSID clsid;
    std::string progId;           // version-independent, e.g. "Lomex.Financial"
    std::string versionedProgId;  // e.g. "Lomex.Financial.4"; empty for a class without versions
    std::string threadingModel;   // e.g. "Apartment"
    std::filesystem::path library;

    friend bool operator==(const ClassEntry&, const ClassEntry&) = default;
};

class ClassRegistry {
public:
    // The registry file of this process (see above); empty when no home folder can be found.
    static std::filesystem::path defaultPath();

    // A ProgID is 1-39 letters, digits, '.' and '_', not starting with a digit or '.'.
    static bool isValidProgId(std::string_view progId);
    // A versioned ProgID is a valid ProgID that extends `progId` by '.' and at least one character.
    static bool isValidVersionedProgId(std::string_view versioned, std::string_view progId);

    // Reads `path`; a missing file is an empty registry. On failure the registry is left unchanged
    // and `error` says why.
    bool load(const std::filesystem::path& path, std::string& error);
    // Writes the registry to `path` atomically (a temporary file in the same folder renamed over
    // it), creating the folder when needed.
    bool save(const std::filesystem::path& path, std::string& error) const;

    std::string toText() const;
    bool parse(std::string_view text, std::string& error);

    // Adds or replaces a class: an older entry with the same CLSID or claiming the same ProgID
    // version goes, and the new entry becomes the current version of its ProgID.
    void add(ClassEntry entry);
    bool remove(const CLSID& clsid);

    const ClassEntry* findClsid(const CLSID& clsid) const;
    // Matches a versioned ProgID first, then the version-independent one (current version).
    const ClassEntry* findProgId(std::string_view progId) const;
    const std::vector<ClassEntry>& entries() const { return entries_; }

private:
    std::vector<ClassEntry> entries_;
};

}  // namespace com
