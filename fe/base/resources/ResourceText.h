// A text that is either a string-table id of the resource module or a text of its own: names, labels
// and masks the user may change. The buffer is allocated on first use with the size the owner set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "res/ResourceModule.h"

namespace dravik {

class CPropertyArchive;

// The component name under which the resource modules of this library are registered.
inline constexpr char kResourceComponent[] = "Dravik";

class CResourceText {
public:
    CResourceText() = default;
    CResourceText(const CResourceText& other);
    CResourceText& operator=(const CResourceText& other);
    CResourceText(CResourceText&&) noexcept = default;
    CResourceText& operator=(CResourceText&&) noexcept = default;

    // The text: loaded from `module` when the text is a string id (at most GetSize() bytes with the
    // terminator; a missing string is empty), else the own text. The pointer stays valid until the next
    // change of the text or its size.
    const char* GetText(const res::ResourceModule* module);
    // The same from the library's current resource module.
    const char* GetText();

    // Makes `text` the own text (cut to GetSize() - 1 bytes at a character boundary). 0 when the text
    // equals the current one (nothing changes), 1 when it was set.
    int SetText(std::string_view text, const res::ResourceModule* module);

    // Makes the text the string `id`; that id is also what a loaded "string id" form goes back to.
    void SetStringId(std::int16_t id);
    std::int16_t GetStringId() const { return stringId_; }
    bool isOwnText() const { return stringId_ == -1; }

    // Buffer size in bytes, terminator included; a size below 0 counts as 0. A smaller size cuts the
    // own text.
    void SetSize(std::int16_t size);
    std::int16_t GetSize() const { return bufferSize_; }

    // Exchange flag: the short form, for named-property media.
    static constexpr std::uint32_t kExchangeTextOnly = 0x2;

    // Saves or loads the text. Full form: a 16-bit size under key + "_strSize" (the buffer size for
    // an own text, 0 for a string id), then for an own text the whole buffer of that size under `key`.
    // Short form (flags & kExchangeTextOnly, for the property bag): only an own text, as a text with
    // its length, under `key`. Loading an own text keeps this object's buffer size (cutting a longer
    // saved text at a character boundary) and makes it the own text; loading the string-id form (size
    // 0) makes the text the last id the owner set again, dropping an own text, so that loading a save
    // always gives what was saved. Returns the bytes (or properties) moved.
    int Exchange(CPropertyArchive& archive, std::u16string_view key, std::uint32_t flags = 0);

private:
    char* ensureBuffer();
    void takeOwnText(std::string_view text, std::int16_t savedSize);

    std::unique_ptr<char[]> buffer_;
    std::int16_t bufferSize_ = 0;
    std::int16_t stringId_ = -1;
    std::int16_t ownerId_ = -1;  // the last id SetStringId gave
};

// The texts of string ids first..last (inclusive; missing ones empty), each cut to 255 bytes: the
// entries of a list filled from the string table.
std::vector<std::string> StringsInRange(const res::ResourceModule& module, std::uint32_t first,
                                        std::uint32_t last);

}  // namespace dravik
