// The texts through which a drawing's anchors are read and set: dates in the extension's date form
// (through its date scale) and prices in the price axis's label format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "locale/LocaleInfo.h"

namespace dravik {

class CDateScale;
struct AxisSettingsRecord;

// An anchor read from a date text: its 1-based position on the X axis (-1 when no period of the
// scale's level is at or after the date) and its x value (the period's date, or the date itself).
struct DrawingAnchor {
    double position = -1.0;
    double x = -1.0;
};

// The text of an anchor's x value: the date (with the time when it is not midnight) in `locale`'s short
// form, or "%10.2f" while the scale's level has no dates.
std::string DrawingDateText(const CDateScale& scale, double x, loc::LCID locale);
// Reads a date text as DrawingDateText writes it (a number while the level has no dates); nothing for
// a text that is no date.
std::optional<DrawingAnchor> ParseDrawingDate(const CDateScale& scale, std::string_view text,
                                              loc::LCID locale);

// A price as the price axis writes its labels, with as many decimals as the value needs (at least the
// axis's own); plain fixed decimals without an axis.
std::string DrawingPriceText(double price, const AxisSettingsRecord* priceAxis);
// Reads a price: a number with "." as decimal point, or with the decimal and group separators of the
// axis's number format; blanks around it are allowed. Nothing for any other text or a value that is not
// finite.
std::optional<double> ParseDrawingPrice(std::string_view text, const AxisSettingsRecord* priceAxis);

}  // namespace dravik
