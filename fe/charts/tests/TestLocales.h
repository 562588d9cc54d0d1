// The locales the formatting tests run under: an English one and one with a decimal comma, another
// currency order and no AM/PM designators. Each test sets the one it needs.
#pragma once

#include <string>

#include "locale/LocaleInfo.h"

namespace dravik::test {

loc::LocaleInfo englishLocale();
loc::LocaleInfo commaLocale();

// Makes `info` the user's default locale and reads the library's records from it again.
void useLocale(const loc::LocaleInfo& info);

// Whether the process C locale prints a decimal comma (set up before any test runs).
bool processLocaleHasDecimalComma();

}  // namespace dravik::test
