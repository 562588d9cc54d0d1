#include "state/ExchangeKeys.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "com/FixedText.h"
#include "com/Text.h"

namespace dravik {

std::u16string ExchangeKey(std::string_view prefix, std::string_view name) {
    std::string key(prefix);
    key.append(name);
    return com::utf8ToUtf16(key);
}

std::u16string IndexedKey(std::string_view prefix, std::string_view name, int index) {
    std::string key(prefix);
    key.append(name);
    key.append("(" + std::to_string(index) + ")");
    return com::utf8ToUtf16(key);
}

std::string IndexedPrefix(std::string_view format, int index) {
    const std::size_t mark = format.find("%d");
    if (mark == std::string_view::npos)
        return std::string(format);
    std::string prefix(format.substr(0, mark));
    prefix += std::to_string(index);
    prefix.append(format.substr(mark + 2));
    return prefix;
}

int ExchangeFlag(CPropertyArchive& archive, std::uint8_t* value, std::u16string_view key,
                 std::uint8_t defaultValue, std::uint32_t version) {
    const std::u16string keyText(key);
    if (version >= 15) {
        std::uint8_t byte = *value != 0 ? 1 : 0;
        const int moved = archive.ExchangeBool(&byte, keyText.c_str(), defaultValue);
        if (!archive.IsStoring() && !archive.Failed())
            *value = byte != 0 ? 1 : 0;
        return moved;
    }
    std::int16_t word = *value != 0 ? 1 : 0;
    const int moved = archive.ExchangeShort(&word, keyText.c_str(), defaultValue);
    if (!archive.IsStoring() && !archive.Failed())
        *value = word != 0 ? 1 : 0;
    return moved;
}

int ExchangeTextField(CPropertyArchive& archive, char* field, std::int16_t size, std::u16string_view key) {
    if (size <= 0)
        return 0;
    const std::u16string keyText(key);
    std::vector<char> block(static_cast<std::size_t>(size), '\0');
    if (archive.IsStoring()) {
        com::copyToFixed(com::readFixed(field, static_cast<std::size_t>(size)), block.data(), block.size());
        return archive.ExchangeSized(block.data(), size, keyText.c_str());
    }
    const int moved = archive.ExchangeSized(block.data(), size, keyText.c_str());
    if (!archive.Failed()) {
        std::memset(field, 0, static_cast<std::size_t>(size));
        com::copyToFixed(com::readFixed(block.data(), block.size()), field, static_cast<std::size_t>(size));
    }
    return moved;
}

int ExchangeChartTypeFlags(CPropertyArchive& archive, std::uint32_t* flagWord, std::uint32_t version,
                           std::uint32_t flags) {
    if (isBodyOnly(flags) || version <= 31)
        return 0;
    return archive.ExchangeUlong(flagWord, u"_Flags", 0);
}

}  // namespace dravik
