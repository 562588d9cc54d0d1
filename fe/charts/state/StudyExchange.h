// Saving and loading one study record under its key prefix.
#pragma once

#include <cstdint>

#include "com/HResult.h"
#include "state/StudyRecord.h"

namespace dravik {

class CPropertyArchive;

// "_UsedIndicator" (a study not in use ends there), the name and layout, the flags, the output series
// and the parameters the study number carries. A sub-indicator count outside 0..4, a default output
// outside 0..3, a calculation index outside -1..57 or more weights than the stream can hold fail with
// kDamagedState. Loading marks the study for recalculation.
com::HRESULT ExchangeStudy(StudyRecord& record, CPropertyArchive& archive, std::uint32_t version,
                           std::uint32_t flags, int study);

// The weights of the weighted average: from version 34 the linear-weights flag, then (when it is
// clear) one short per period. Saves up to 33 carry no flag: loading keeps the record's flag.
com::HRESULT ExchangeStudyWeights(StudyParameters& parameters, std::int16_t periods,
                                  CPropertyArchive& archive, std::string_view prefix, std::uint32_t version);

}  // namespace dravik
