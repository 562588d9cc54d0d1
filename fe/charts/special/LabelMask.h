// The texts shown for a figure element (tool tips and the information strip while tracking): the
// element's signal text and the label mask expanded for the element.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "locale/LocaleInfo.h"
#include "special/SpecialFigure.h"

namespace dravik {

// String id of the default label mask "%t (%s)".
inline constexpr std::int16_t kDefaultLabelMaskId = 543;

// What a label needs beyond the figure.
struct LabelMaskContext {
    // A value as the chart type's value axis labels it.
    std::function<std::string(double)> formatValue;
    // The chart's X values (OLE dates) by chart point; empty when the chart has none.
    std::span<const double> dates;
    // A date as a label shows it; FormatLabelDate in `locale` when not set.
    std::function<std::string(double)> formatDate;
    loc::LCID locale = loc::LOCALE_USER_DEFAULT;
    // The extension's buy and sell masks, followed by the signal's number.
    std::string buyMask;
    std::string sellMask;
};

// The signal text of an element: buyMask + n for the n-th buy signal, sellMask + n for the n-th sell
// signal, empty without a signal (or for an element outside the figure).
std::string SignalText(const SpecialFigure& figure, std::int32_t element, std::string_view buyMask,
                       std::string_view sellMask);

// A date in the locale's short form, or its date-and-time form when the time of day is not midnight;
// empty for a value that is not a date.
std::string FormatLabelDate(double date, loc::LCID locale);

// The mask with, in either case: "\n" a line break; "%D" the date of the element's source point (with
// dates), else "[point] "; "%F" the same for the element before (the first element uses its own); "%I"
// the start value and "%V" the end value as the value axis shows them; "%S" the source point plus 1;
// "%T" the signal text. Any other "%x" stays as it is. Empty for an element outside the figure.
std::string ExpandLabelMask(std::string_view mask, const SpecialFigure& figure, std::int32_t element,
                            const LabelMaskContext& context);

}  // namespace dravik
