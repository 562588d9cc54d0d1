// Saving and loading a series-attribute record: "_UsedFields" and then each attribute whose set-mask
// bit is set, in record order, under the owner's key prefix.
#pragma once

#include <cstdint>
#include <string_view>

#include "com/HResult.h"
#include "series/SeriesAttributeRecord.h"

namespace dravik {

class CPropertyArchive;

// `defaults` gives each entry's default (and the set-mask's); `keepInBodyOnly` keeps the chart-shape
// attributes in a body-only exchange. Loading reads into `record`; on failure the record may be partly
// loaded (callers that need all or nothing load into a copy). Returns S_OK or the archive's failure.
com::HRESULT ExchangeSeriesAttributes(SeriesAttributeRecord& record, CPropertyArchive& archive,
                                      std::string_view prefix, std::uint32_t version, std::uint32_t flags,
                                      const SeriesAttributeRecord& defaults, bool keepInBodyOnly);

}  // namespace dravik
