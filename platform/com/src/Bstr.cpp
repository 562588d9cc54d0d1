#include "com/Bstr.h"

#include "com/Text.h"

namespace com {

Bstr Bstr::fromUtf8(std::string_view utf8) {
    return Bstr(utf8ToUtf16(utf8));
}

std::string Bstr::toUtf8() const {
    return utf16ToUtf8(view());
}

}  // namespace com
