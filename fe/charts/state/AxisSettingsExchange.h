// Saving and loading the settings of an axis and the picture text of a prepared format.
#pragma once

#include <cstdint>
#include <string_view>

#include "com/HResult.h"
#include "format/NumberFormatRecord.h"
#include "state/AxisSettingsRecord.h"

namespace dravik {

class CPropertyArchive;

// Picture texts travel as 32 bytes, terminator included.
inline constexpr std::int16_t kSavedPictureBytes = 32;

// The picture of a prepared format under `key`: from version 19 only for a custom code (bit 15); in
// version 18 also for any text that differs from `defaultPicture`; older saves carry none.
int ExchangeFormatPicture(CPropertyArchive& archive, PreparedFormat& format, FormatCode code,
                          std::string_view defaultPicture, std::u16string_view key, std::uint32_t version);

// "_UsedFields" and each used field with the defaults record's value as default, the grid lines under
// prefix + "Grid" / "MinorGrid", the picture under prefix + "Format", then (from version 23) the
// locale and currency symbol. Loading prepares the format again. Returns S_OK or the archive's
// failure.
com::HRESULT ExchangeAxisSettings(AxisSettingsRecord& record, CPropertyArchive& archive,
                                  std::string_view prefix, std::uint32_t version, std::uint32_t flags,
                                  const AxisSettingsRecord& defaults);

// The prepared number format of a record, made again from its code (bit 15 cleared), decimals,
// locale and currency symbol.
void PrepareAxisFormat(AxisSettingsRecord& record);

}  // namespace dravik
