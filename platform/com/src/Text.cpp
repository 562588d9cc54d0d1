#include "com/Text.h"

#include <cstdint>

namespace com {
namespace {

// Bounds of the second byte of a sequence, by lead byte; they exclude overlong forms, surrogates and
// code points above U+10FFFF, so a sequence that passes them is well-formed.
struct LeadInfo {
    int length = 0;  // 0: not a lead byte
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
};

LeadInfo leadInfo(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2, 0x80, 0xBF};
    if (lead == 0xE0)
        return {3, 0xA0, 0xBF};
    if (lead == 0xED)
        return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return {3, 0x80, 0xBF};
    if (lead == 0xF0)
        return {4, 0x90, 0xBF};
    if (lead == 0xF4)
        return {4, 0x80, 0x8F};
    if (lead >= 0xF1 && lead <= 0xF3)
        return {4, 0x80, 0xBF};
    return {};
}

void appendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::u16string utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        const LeadInfo info = leadInfo(lead);
        char32_t cp = lead & (0x7F >> info.length);
        std::size_t taken = 1;
        bool ok = info.length > 0;
        for (; ok && taken < static_cast<std::size_t>(info.length); ++taken) {
            if (i + taken >= utf8.size()) {
                ok = false;
                break;
            }
            const auto byte = static_cast<unsigned char>(utf8[i + taken]);
            const bool inRange =
                taken == 1 ? (byte >= info.low && byte <= info.high) : isUtf8Continuation(byte);
            if (!inRange) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (byte & 0x3F);
        }
        if (ok) {
            appendUtf16(out, cp);
        } else {
            out.push_back(kReplacementCharacter);
        }
        i += taken;
    }
    return out;
}

std::size_t utf8CharacterLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80)
        return 1;
    const LeadInfo info = leadInfo(lead);
    const auto length = static_cast<std::size_t>(info.length);
    if (length == 0 || at + length > text.size())
        return 0;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < info.low || second > info.high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!isUtf8Continuation(static_cast<unsigned char>(text[at + i])))
            return 0;
    }
    return length;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        char32_t cp = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            cp = kReplacementCharacter;
        }
        appendUtf8(out, cp);
    }
    return out;
}

}  // namespace com
