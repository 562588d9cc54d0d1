#include "appdata/LogText.h"

#include <algorithm>
#include <cstdio>

#include "com/Text.h"

namespace tarnwick {

namespace {

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
        const std::size_t length = com::utf8CharacterLength(text, at);
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
