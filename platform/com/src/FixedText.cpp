#include "com/FixedText.h"

#include <cstring>

#include "com/Text.h"

namespace com {

namespace {

// Expected length of the sequence that `lead` starts, or 1 for a byte that cannot start one
// (a stray continuation byte, an overlong lead C0/C1, or F5-FF beyond U+10FFFF).
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 1;
}

// Length of the character at `pos`: its sequence length when all its continuation bytes are present,
// else 1 (the lead byte stands alone).
std::size_t characterLength(std::string_view text, std::size_t pos) {
    const std::size_t expected = sequenceLength(static_cast<unsigned char>(text[pos]));
    if (expected == 1 || pos + expected > text.size()) {
        return 1;
    }
    for (std::size_t i = 1; i < expected; ++i) {
        if (!isUtf8Continuation(static_cast<unsigned char>(text[pos + i]))) {
            return 1;
        }
    }
    return expected;
}

}  // namespace

std::size_t utf8PrefixLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text.size();
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t next = pos + characterLength(text, pos);
        if (next > maxBytes) {
            break;
        }
        pos = next;
    }
    return pos;
}

FixedTextResult copyToFixed(std::string_view text, char* buffer, std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) {
        return {0, FixedTextStatus::NoRoom};
    }
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    const std::size_t length = utf8PrefixLength(text, capacity - 1);
    if (length)
        std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return {length, length == text.size() ? FixedTextStatus::Complete : FixedTextStatus::Truncated};
}

std::string readFixed(const char* buffer, std::size_t capacity) {
    if (buffer == nullptr) {
        return {};
    }
    const void* nul = std::memchr(buffer, '\0', capacity);
    const std::size_t length =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - buffer) : capacity;
    return std::string(buffer, length);
}

}  // namespace com
