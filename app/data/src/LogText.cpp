#include "appdata/LogText.h"

#include <algorithm>
#include <cstdio>

namespace tarnwick {

namespace {

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the valid UTF-8 character at `at`, or 0 when the bytes there are not one (overlong
// forms, surrogates and code points past U+10FFFF included).
std::size_t characterLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(byte(at + i))) {
            return 0;
        }
    }
    return length;
}

std::string escaped(unsigned char c) {
    switch (c) {
        case '\t':
            return "\\t";
        case '\r':
            return "\\r";
        case '\n':
            return "\\n";
        default: {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            return buffer;
        }
    }
}

// How the character of `length` bytes at `at` is written.
std::string printable(std::string_view text, std::size_t at, std::size_t length, LineBreaks breaks) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (length == 0) {
        return escaped(c);
    }
    if (length == 2 && c == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0) {
        return escaped(static_cast<unsigned char>(text[at + 1]));  // a C1 control character
    }
    if (length > 1 || (c >= 0x20 && c != 0x7F)) {
        return std::string(text.substr(at, length));
    }
    if (breaks == LineBreaks::Kept) {
        if (c == '\n' || c == '\t') {
            return std::string(1, static_cast<char>(c));
        }
        if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
            return "\r";
        }
    }
    return escaped(c);
}

}  // namespace

std::string PrintableText(std::string_view text, LineBreaks breaks, std::size_t limit) {
    std::string out;
    out.reserve(std::min(text.size(), limit) + 16);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = characterLength(text, at);
        const std::string piece = printable(text, at, length, breaks);
        if (out.size() + piece.size() > limit) {
            out += "... [cut, " + std::to_string(text.size()) + " bytes in all]";
            return out;
        }
        out += piece;
        at += length == 0 ? 1 : length;
    }
    return out;
}

std::string LogQuote(std::string_view text) {
    return PrintableText(text, LineBreaks::Escaped, kLogQuoteLimit);
}

}  // namespace tarnwick
