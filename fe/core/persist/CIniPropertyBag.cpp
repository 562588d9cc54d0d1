#include "persist/CIniPropertyBag.h"

#include <algorithm>
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

bool sameName(std::string_view a, std::string_view b) {
    const auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

bool readText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(static_cast<std::size_t>(kMaxIniFile) + 1, '\0');
    in.read(text.data(), kMaxIniFile + 1);
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text.size() <= static_cast<std::size_t>(kMaxIniFile);
}

}  // namespace

std::string CIniPropertyBag::LookUp(const std::string& iniText, const std::string& section,
                                    const std::string& key) {
    std::istringstream lines(iniText);
    std::string line;
    bool inSection = false;
    while (std::getline(lines, line)) {
        const std::string_view text = trim(line);
        if (text.empty() || text.front() == ';')
            continue;
        if (text.front() == '[') {
            const std::size_t close = text.find(']');
            inSection = close != std::string_view::npos && sameName(trim(text.substr(1, close - 1)), section);
            continue;
        }
        const std::size_t equals = text.find('=');
        if (!inSection || equals == std::string_view::npos || !sameName(trim(text.substr(0, equals)), key))
            continue;
        std::string_view value = trim(text.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return std::string(value);
    }
    return {};
}

com::HRESULT CIniPropertyBag::Read(const char16_t* name, com::Variant* value, com::IErrorLog*) {
    if (!name || !value)
        return com::E_POINTER;
    std::u16string wideName(name);
    if (wideName.size() > kMaxNameChars)
        wideName.resize(kMaxNameChars);
    std::string text;
    if (!readText(path_, text))
        return com::E_INVALIDARG;
    std::string found = LookUp(text, section_, com::utf16ToUtf8(wideName));
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
