// The text forms of typed settings. Every setting is stored as text; numbers are written and read
// independently of the process locale ("." as the decimal point, no grouping), Booleans as the words
// "True" and "False".
#pragma once

#include <cstdint>
#include <optional>

#include <QString>

namespace store {

QString formatInt32(std::int32_t value);
// Shortest text that reads back as the same single-precision value ("12160", "-100", "0.1").
QString formatSingle(float value);
QString formatBool(bool value);

// Integer readings convert as the application's conversions do: a decimal number is accepted and
// rounded halves to even ("2.5" gives 2); text that is no number or does not fit gives nullopt.
std::optional<std::int32_t> parseInt32(const QString& text);
std::optional<std::int16_t> parseInt16(const QString& text);
// nullopt for text that is no number or beyond the range of a single.
std::optional<float> parseSingle(const QString& text);
// "True"/"False" in any letter case; a number is true when it is not zero. Anything else: nullopt.
std::optional<bool> parseBool(const QString& text);

}  // namespace store
