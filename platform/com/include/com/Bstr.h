// Automation string: UTF-16 text that may also be null. A null string and an empty one are different
// values (a null string is what an unset string argument or field holds), although both have length 0.
#pragma once

#include <compare>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace com {

class Bstr {
public:
    // A null string.
    Bstr() = default;
    Bstr(std::u16string text) : text_(std::move(text)) {}
    Bstr(std::u16string_view text) : text_(std::u16string(text)) {}
    Bstr(const char16_t* text) : text_(text ? std::optional<std::u16string>(text) : std::nullopt) {}
    // Malformed UTF-8 becomes U+FFFD.
    static Bstr fromUtf8(std::string_view utf8);

    bool isNull() const { return !text_.has_value(); }
    // True for a null string as well as for an empty one.
    bool isEmpty() const { return length() == 0; }
    std::size_t length() const { return text_ ? text_->size() : 0; }
    // The text; empty for a null string.
    std::u16string_view view() const { return text_ ? std::u16string_view(*text_) : std::u16string_view(); }
    std::u16string text() const { return text_.value_or(std::u16string()); }
    // Unpaired surrogates become U+FFFD; a null string gives "".
    std::string toUtf8() const;

    // Equality and order as values: null equals only null and sorts before every string, empty included.
    // Compare view()s to treat null as empty.
    friend bool operator==(const Bstr&, const Bstr&) = default;
    friend std::strong_ordering operator<=>(const Bstr& a, const Bstr& b) {
        if (a.isNull() || b.isNull())
            return !a.isNull() <=> !b.isNull();
        return a.view().compare(b.view()) <=> 0;
    }

private:
    std::optional<std::u16string> text_;
};

}  // namespace com
