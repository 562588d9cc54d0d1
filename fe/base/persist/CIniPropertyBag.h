// A read-only property bag over one section of an INI file: each property is a key of the section.
// The file is read once, when the first property is asked for; the bag serves one load.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "com/ComObject.h"
#include "storage/PropertyBag.h"

namespace dravik {

class CIniPropertyBag final : public com::ComObject<com::IPropertyBag> {
public:
    // Paths and section names are UTF-8.
    CIniPropertyBag(std::string path, std::string section)
        : path_(std::move(path)), section_(std::move(section)) {}

    // Reads the key `name` (at most 127 characters) of the section; the value (at most 127 bytes)
    // is handed over as text when the caller's variant is VT_BSTR, else converted to the caller's
    // type. E_INVALIDARG for an empty or missing value; the conversion's error when it fails.
    com::HRESULT Read(const char16_t* name, com::Variant* value, com::IErrorLog* errorLog) override;
    // The bag is read-only: E_NOTIMPL, nothing is written.
    com::HRESULT Write(const char16_t*, const com::Variant&) override { return com::E_NOTIMPL; }

    // The value of `key` in `section` of the INI text: keys and sections compare without regard to
    // ASCII case, blanks around names and values are dropped, and one pair of quotes around a value
    // is removed. Empty when missing.
    static std::string LookUp(const std::string& iniText, const std::string& section, const std::string& key);

private:
    // The keys of `section` (upper-cased) with their values, the first of equal keys kept.
    static std::map<std::string, std::string> SectionValues(const std::string& iniText,
                                                            const std::string& section);

    std::string path_;
    std::string section_;
    std::optional<std::map<std::string, std::string>> values_;
};

}  // namespace dravik
