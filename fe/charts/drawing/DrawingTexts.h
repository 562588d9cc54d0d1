// The texts through which a drawing's anchors are read and set: dates in the extension's date form
// (through its date scale) and prices in the price axis's label format.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dravik {

class CDateScale;
struct AxisSettingsRecord;

// An anchor read from a date text: its 1-based position on the X axis (-1 when no period of the
// scale's level is at or after the date) and its x value (the period's date, or the date itself).
struct DrawingAnchor {
    double position = -1.0;
    double x = -1.0;
};

// The text of an anchor's x value in one fixed form, whatever the locale, so that the text read back
// gives the same anchor: "YYYY-MM-DD" (with " HH:MM:SS" when the time is not midnight). While the
// scale's level has no dates, x is a 1-based point position: its text is the date of the nearest of
// the chart's points (`pointDates`, point 0 first), or "%10.2f" of x when the points have no dates.
std::string DrawingDateText(const CDateScale& scale, double x, std::span<const double> pointDates = {});
// The anchor of the whole point nearest a 1-based position (halves up: the point whose date
// DrawingDateText shows), kept on the scale's periods or, while its level has no dates, on
// `pointDates`: its position and x value (the period's date, or the position itself while the level
// has no dates). A position that is no number, or no periods or points, leaves the position as it is.
DrawingAnchor NearestPointAnchor(const CDateScale& scale, double position,
                                 std::span<const double> pointDates = {});
// Reads a date text in the form DrawingDateText writes (blanks around it are allowed): the first period
// not earlier than the date gives the anchor (with `clamp`, a date after the data gives the last
// period). While the level has no dates, a number is the position itself and a date gives the position
// of the first of `pointDates` not earlier than it. Nothing for any other text.
std::optional<DrawingAnchor> ParseDrawingDate(const CDateScale& scale, std::string_view text,
                                              bool clamp = false, std::span<const double> pointDates = {});

// A price as the price axis writes its labels, with as many decimals as the value needs (at least the
// axis's own); plain fixed decimals without an axis.
std::string DrawingPriceText(double price, const AxisSettingsRecord* priceAxis);
// Reads a price in every form DrawingPriceText writes it: a number with "." as decimal point, or with the
// decimal and group separators of the axis's number format, its negative shapes (a leading or trailing
// minus, parentheses) and, for a currency axis, its symbol; blanks around it are allowed. Nothing for any
// other text or a value that is not finite.
std::optional<double> ParseDrawingPrice(std::string_view text, const AxisSettingsRecord* priceAxis);

}  // namespace dravik
