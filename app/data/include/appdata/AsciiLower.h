// Case folding for names, keys and keywords: A to Z become a to z, every other byte (UTF-8 included)
// stays as it is.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

inline std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

}  // namespace tarnwick
