// Percent retracement of a stretch of records.
#pragma once

#include "com/ComPtr.h"
#include "indikon/_Database.h"
#include "indikon/_Note.h"

namespace indikon {

// Finds the extremes of records startPeriod..endPeriod with General.MaxValue and MinValue. Low first:
// a note "ADVANCING" with how far the last value has fallen back from the high, in per cent of the
// range; high first: "DECLINING" with how far it has climbed back from the low; both with period 0.
// Extremes on one record: MinValue's note as it is.
//
// An end period beyond the record count, or a start period below 1 (checked in that order), raise
// 1010 with source "PercentRetracement"; these and the failures of the first MaxValue and MinValue
// reach the caller unchanged. Every later failure (a zero range, above all) is 1105
// "ChartPattern.PercentRetracement.UnexpectedError".
com::ComPtr<_Note> percentRetracement(_Database* data, _Field* source, int startPeriod, int endPeriod);

}  // namespace indikon
