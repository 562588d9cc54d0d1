#include "persist/CIniPropertyBag.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "com/FixedText.h"
#include "com/Text.h"

namespace dravik {
namespace {

constexpr std::size_t kMaxNameChars = 127;
constexpr std::size_t kMaxValueBytes = 127;
// An INI file beyond this is not a settings file; it is not read.
constexpr std::streamsize kMaxIniFile = 1 << 20;

std::string_view trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string foldName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    return folded;
}

// The whole file, or nothing when it cannot be read or is too large to be a settings file.
std::string readText(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > static_cast<std::uintmax_t>(kMaxIniFile))
        return {};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

}  // namespace

std::map<std::string, std::string> CIniPropertyBag::SectionValues(const std::string& iniText,
                                                                  const std::string& section) {
    std::map<std::string, std::string> values;
    std::istringstream lines(iniText);
    std::string line;
    const std::string wanted = foldName(section);
    bool inSection = false;
    while (std::getline(lines, line)) {
        const std::string_view text = trim(line);
        if (text.empty() || text.front() == ';')
            continue;
        if (text.front() == '[') {
            const std::size_t close = text.find(']');
            inSection =
                close != std::string_view::npos && foldName(trim(text.substr(1, close - 1))) == wanted;
            continue;
        }
        const std::size_t equals = text.find('=');
        if (!inSection || equals == std::string_view::npos)
            continue;
        std::string_view value = trim(text.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        // The first of two equal keys holds.
        values.emplace(foldName(trim(text.substr(0, equals))), std::string(value));
    }
    return values;
}

std::string CIniPropertyBag::LookUp(const std::string& iniText, const std::string& section,
                                    const std::string& key) {
    const std::map<std::string, std::string> values = SectionValues(iniText, section);
    const auto found = values.find(foldName(key));
    return found == values.end() ? std::string() : found->second;
}

com::HRESULT CIniPropertyBag::Read(const char16_t* name, com::Variant* value, com::IErrorLog*) {
    if (!name || !value)
        return com::E_POINTER;
    std::u16string wideName(name);
    if (wideName.size() > kMaxNameChars)
        wideName.resize(kMaxNameChars);
    // The file is read once, at the first property asked for: a load asks for many.
    if (!values_)
        values_ = SectionValues(readText(path_), section_);
    const auto entry = values_->find(foldName(com::utf16ToUtf8(wideName)));
    std::string found = entry == values_->end() ? std::string() : entry->second;
    found.resize(com::utf8PrefixLength(found, kMaxValueBytes));
    if (found.empty())
        return com::E_INVALIDARG;
    com::Variant result = com::Variant::utf8(found);
    const com::VARTYPE wanted = value->vt();
    if (wanted != com::VT_BSTR) {
        const com::HRESULT converted = result.changeType(wanted);
        if (com::FAILED(converted))
            return converted;
    }
    *value = std::move(result);
    return com::S_OK;
}

}  // namespace dravik
