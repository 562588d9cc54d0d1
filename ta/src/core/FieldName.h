// Field names are compared without regard to case, as the library's callers have always found them.
#pragma once

#include <string_view>

namespace indikon {

bool sameFieldName(std::u16string_view a, std::u16string_view b);

}  // namespace indikon
