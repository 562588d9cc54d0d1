#pragma once

// The text in which a company's drawings are kept (Company.DrawingInfo): ten sections separated by
// "$", one for each drawing kind in kStoredKindOrder; in a section the drawings' records separated by
// ";"; in a record fourteen fields separated by "|":
//   Color | Enable | FreeDraw | start date | FromPrice | LineStyle | LineWidth | Name |
//   SignalLineStyle | end date | ToPrice | UserData | Visible | WorkSeries
// Dates are in the fixed form of DrawingDates.h, Booleans "True" or "False", numbers decimal.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/Types.h"
#include "frame/chart/DrawingKinds.h"
#include "locale/LocaleInfo.h"

namespace frame::chart {

inline constexpr int kDrawingFieldCount = 14;
// The text of a company without drawings.
inline constexpr std::string_view kNoDrawings = "$$$$$$$$$";

using DrawingSections = std::array<std::string, kDrawingKindCount>;

// The ten sections of a drawing text. A text with fewer sections (an empty one included) gets empty
// ones; the tenth section keeps whatever follows the ninth "$", so nothing is dropped.
DrawingSections SplitDrawingSections(std::string_view text);
std::string JoinDrawingSections(const DrawingSections& sections);
// The records of a section, empty ones left out.
std::vector<std::string_view> SplitDrawingRecords(std::string_view section);
// Adds a record to a section, after a ";" when the section holds records already.
void AppendDrawingRecord(std::string& section, std::string_view record);

// One drawing as a record holds it.
struct DrawingRecord {
    std::int32_t color = 0;
    bool enable = true;
    bool freeDraw = false;
    com::DATE from = 0;
    std::string fromPrice;
    std::int16_t lineStyle = 0;
    std::int16_t lineWidth = 1;
    std::string name;
    std::int16_t signalLineStyle = 0;
    com::DATE to = 0;
    std::string toPrice;
    std::string userData;  // written, never read back
    bool visible = true;
    std::int32_t workSeries = 0;
};

// The record's text. A "$", ";" or "|" inside a name or user data would cut the text in the wrong
// place: it is written as a blank.
std::string WriteDrawingRecord(const DrawingRecord& record);
// Reads a record whole: fourteen fields, readable dates (the fixed form, or `locale`'s short form of
// older texts), numbers and Booleans. Nothing when any of them cannot be read, so that a damaged
// record is never applied in part.
std::optional<DrawingRecord> ReadDrawingRecord(std::string_view text, const loc::LocaleInfo& locale);

}  // namespace frame::chart
