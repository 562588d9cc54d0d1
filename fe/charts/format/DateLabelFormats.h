// The default formats of date-axis labels, one per date level (indexed by the date-axis format index).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "format/FormatCode.h"
#include "format/NumberFormatRecord.h"

namespace dravik {

enum lomexDateAxisFormatIndex : std::int32_t {
    FI_YEAR = 0,
    FI_FIRSTSEMESTER = 1,
    FI_SEMESTER = 2,
    FI_FIRSTQUARTER = 3,
    FI_QUARTER = 4,
    FI_FIRSTMONTH = 5,
    FI_MONTH = 6,
    FI_WEEK = 7,
    FI_DAY = 8,
    FI_INTRADAY = 9,
    FI_FIRSTWEEK = 10,
    FI_FIRSTDAY = 11,
    FI_FIRSTINDAY = 12,
};

inline constexpr std::size_t kDateLabelFormatCount = 13;

struct DateLabelFormat {
    FormatCode code;
    std::string_view picture;  // "#S", "#Q" and "#K" are expanded by the chart types
};

inline constexpr std::array<DateLabelFormat, kDateLabelFormatCount> kDefaultDateLabelFormats = {{
    {FC_PICTURE | FC_DATE, "yyyy"},
    {FC_PICTURE | FC_DATE, "#S#K yy"},
    {FC_PICTURE | FC_DATE, "#S#K"},
    {FC_PICTURE | FC_DATE, "#Q#K yy"},
    {FC_PICTURE | FC_DATE, "#Q#K"},
    {FC_PICTURE | FC_DATE, "MMM yy"},
    {FC_PICTURE | FC_DATE, "MMM"},
    {FC_DATE, ""},
    {FC_DATE, ""},
    {FC_TIME, ""},
    {FC_DATE, ""},
    {FC_DATE, ""},
    {FC_TIME, ""},
}};

// The default format of one date level with its picture (an empty format for an index out of range).
inline PreparedFormat defaultDateLabelFormat(std::size_t index) {
    PreparedFormat format;
    if (index < kDefaultDateLabelFormats.size())
        format.setPicture(kDefaultDateLabelFormats[index].picture);
    return format;
}

}  // namespace dravik
