// The line studies: horizontal and sloped reference lines over a range of records. Each writes only
// positions inside its range; the others hold 0.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/Types.h"
#include "indikon/_Database.h"

namespace indikon {

// The horizontal line studies over records startPeriod..endPeriod of the "High" and "Low" fields.
enum class LevelStudy { QuadrantLines, TironeLevel };

// The range methods check their range first: an end beyond the record count raises 1010 "Invalid end
// period", then a start below 1 raises 1010 "Invalid start period", both under the method's name (as
// parameter checks). The extremes come from General.MaxValue and MinValue, whose own errors (a start
// after the end) are failures of the calculation.
com::ComPtr<_RecordSet> levelLines(LevelStudy study, _Database* data, _RecordSet* ohlcv, int startPeriod,
                                   int endPeriod);

// The three lines from the lowest low (at its position Pmin) to the low plus one, two and three thirds
// of the range at the position of the highest high (Pmax), which are written back into startPeriod and
// endPeriod once found. With the high before the low nothing is drawn; with both on one record the
// slope fails (division by zero).
com::ComPtr<_RecordSet> speedResistanceLines(_Database* data, _RecordSet* ohlcv, com::SHORT& startPeriod,
                                             com::SHORT& endPeriod);

// The Fibonacci numbers as time marks from startPeriod, each standing that many records plus the steps
// taken after the one before; marks from endPeriod on are left out. A field of the source's record count.
com::ComPtr<_RecordSet> fibonacciMarks(_Field* source, int startPeriod, int endPeriod, const com::Bstr& name);

// Fields "Trend" and `name`. The trend needs at least five records between its ends, within the source;
// otherwise the call fails.
com::ComPtr<_RecordSet> trendLinePenetration(_Field* source, int trendStartPeriod, double trendStartValue,
                                             int trendEndPeriod, double trendEndValue, const com::Bstr& name);

}  // namespace indikon
