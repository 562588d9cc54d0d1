#pragma once

// The language table as compiled from data/lang/strings.txt (source generated at build time).

#include <array>
#include <string_view>

#include "frame/LanguageTable.h"

namespace frame::langdata {

inline constexpr size_t kTextCount = static_cast<size_t>(kLangStringCount);

// UTF-8 texts in the order of gLangStrings: English rows 0-210, then Arabic rows 0-210.
extern const std::array<std::string_view, kTextCount> kTexts;

inline constexpr size_t kMessageTextCount = static_cast<size_t>(2 * kLangMessageCount);

// UTF-8 texts of the message rows: English rows 211 on, then Arabic rows 211 on.
extern const std::array<std::string_view, kMessageTextCount> kMessageTexts;

}  // namespace frame::langdata
