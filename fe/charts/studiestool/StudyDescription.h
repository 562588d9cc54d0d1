// The description of a study's parameters that the studies tool shows: a text of the string table
// chosen by the study's calculation kind, filled with the series the study works on and its parameters.
//
// The texts are filled by position: %1 the series' name, %2 the first period count, %3 the second,
// %4 the third and %5 the study's decimal parameter (two decimals); "%%" is a percent sign. Nothing of a
// text is ever taken as a printf format, so a translated text can only rearrange or leave out values.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "res/ResourceModule.h"

namespace dravik {

struct StudyRecord;

// String ids of the descriptions and their parts.
inline constexpr std::uint32_t kMovingAverageDescriptionId = 500;  // kinds 0-3
inline constexpr std::uint32_t kBadSeriesNumberId = 536;           // "Bad Series Number"
inline constexpr std::uint32_t kSeriesNumberId = 537;              // "Series %1"
inline constexpr std::uint32_t kNotAvailableId = 539;              // "Not Available"
inline constexpr std::uint32_t kOpenPriceNameId = 150;             // 150-153 open, high, low, close

// Replaces %1..%9 by the arguments (a placeholder without an argument stays as it is) and "%%" by "%".
std::string FillText(std::string_view text, std::span<const std::string> arguments);

// The module's text `id`, or a visible mark that names the missing id.
std::string TextOrMark(const res::ResourceModule& module, std::uint32_t id);

// The string id of the description of calculation kind `kind`; kNotAvailableId outside 0-37.
std::uint32_t DescriptionTextId(int kind);

// The name of the series a study works on: -4..-1 the open, high, low and close prices, 0 and above a
// chart series by number, anything else a bad number.
std::string WorkSeriesName(const res::ResourceModule& module, int workSeries);

// The description of a study as its record holds it.
std::string DescribeStudy(const res::ResourceModule& module, const StudyRecord& record);

}  // namespace dravik
