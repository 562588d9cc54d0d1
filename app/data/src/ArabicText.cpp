#include "appdata/ArabicText.h"

#include <cstdint>

#include "com/Text.h"

namespace tarnwick {

namespace {

constexpr unsigned char kLowLead = 216;   // first byte of U+0600..U+063F
constexpr unsigned char kHighLead = 217;  // first byte of U+0640..U+067F
constexpr unsigned char kNoPair = 224;    // from here on a byte never completes a pair

constexpr bool isLetter(std::size_t k) {
    return (k >= 33 && k <= 58) || (k >= 64 && k <= 82);
}

// The UTF-8 bytes of U+0600 + k: 0xD8/0xD9 followed by a continuation byte.
constexpr std::array<char, 2> letterBytes(std::size_t k) {
    const unsigned code = 0x600u + static_cast<unsigned>(k);
    return {static_cast<char>(0xC0u | (code >> 6)), static_cast<char>(0x80u | (code & 0x3Fu))};
}

struct LetterTable {
    std::array<std::array<char, 2>, 96> bytes{};
    std::array<std::string_view, 96> entries{};

    LetterTable() {
        for (std::size_t k = 0; k < entries.size(); ++k) {
            if (isLetter(k)) {
                bytes[k] = letterBytes(k);
                entries[k] = std::string_view(bytes[k].data(), 2);
            } else {
                entries[k] = " ";
            }
        }
    }
};

}  // namespace

const std::array<std::string_view, 96>& ArabicLetterTable() {
    static const LetterTable table;
    return table.entries;
}

std::string ConvertArabicText(std::string_view text) {
    const auto& table = ArabicLetterTable();
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead != kLowLead && lead != kHighLead) {
            out += text[i];
            ++i;
            continue;
        }
        if (i + 1 == text.size()) {
            break;  // an incomplete pair at the end
        }
        const auto c = static_cast<unsigned char>(text[i + 1]);
        const int position = static_cast<int>(c) - (lead == kHighLead ? 64 : 128);
        if (c >= kNoPair) {
            ++i;
        } else if (position >= 0 && position < static_cast<int>(table.size())) {
            out += table[static_cast<std::size_t>(position)];
            i += 2;
        } else if (com::isUtf8Continuation(c)) {
            out.append(text.substr(i, 2));
            i += 2;
        } else {
            ++i;
        }
    }
    return out;
}

}  // namespace tarnwick
