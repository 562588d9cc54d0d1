#pragma once

// The dates of drawings. A company's drawing text keeps them in one fixed form, "YYYY-MM-DD" (with
// " HH:MM:SS" when the time is not midnight), whatever the user's locale, so that a text written under
// one locale reads back under another. The financial extension shows and takes them as short dates in
// the locale of its date axis.

#include <optional>
#include <string>
#include <string_view>

#include "com/Types.h"
#include "dravik/DrawingInterfaces.h"
#include "dravik/IFinancialCharts.h"
#include "korvel/IKvlChart.h"
#include "locale/LocaleInfo.h"

namespace frame::chart {

// The fixed form of a date; "" for a date outside the years 100 to 9999.
std::string FixedDrawingDate(com::DATE date);
// Reads the fixed form only.
std::optional<com::DATE> ReadFixedDrawingDate(std::string_view text);

// Reads a date that the extension wrote in `locale`'s short form (three numbers in the locale's date
// order, a two-digit year taken as 1930 to 2029, then an optional time "h:mm[:ss]" with the locale's
// AM/PM designator), or the fixed form. Nothing for any other text or an impossible date.
std::optional<com::DATE> ReadDrawingDate(std::string_view text, const loc::LocaleInfo& locale);
// The date as the extension takes it: `lcid`'s short date, and the time when it is not midnight.
std::string ExtensionDateText(com::DATE date, loc::LCID lcid);

// The date of an anchor text the extension wrote: a date (ReadDrawingDate), or, while its date scale
// shows plain point numbers, the date of the chart's 1-based point nearest that number.
std::optional<com::DATE> ReadAnchorDate(std::string_view text, const loc::LocaleInfo& locale,
                                        korvel::IKvlChart& chart);
// Sets a drawing's start (`start`) or end to a date: as a date text, or as the date's point number
// when the extension takes only numbers.
com::HRESULT PutAnchorDate(dravik::IDrawFeature& drawing, bool start, com::DATE date, loc::LCID lcid,
                           korvel::IKvlChart& chart);

// The locale of the extension's date axis (the user's default when the axis cannot say).
loc::LCID DrawingDateLocale(dravik::IFinancialCharts& extension);

}  // namespace frame::chart
