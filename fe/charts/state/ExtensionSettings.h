// The general settings of the extension, set to their defaults when the extension is made and saved
// as the first part of its body.
#pragma once

#include <array>
#include <cstdint>

#include "com/HResult.h"
#include "datescale/DateScale.h"
#include "format/DateLabelFormats.h"
#include "resources/ResourceText.h"
#include "state/AxisSettingsRecord.h"
#include "state/GalleryDataCache.h"
#include "ui/Cursors.h"

namespace dravik {

class CPropertyArchive;

inline constexpr std::uint32_t kExtensionSettingsSavedSize = 716;
inline constexpr std::int16_t kMaskTextBytes = 40;
inline constexpr std::uint32_t kBuyMaskId = 541;
inline constexpr std::uint32_t kSellMaskId = 542;
inline constexpr std::size_t kSettingsCursorCount = 6;
// Cursor resources of the module, followed by three system cursors.
inline constexpr std::array<int, 3> kSettingsCursorResources{427, 429, 436};

struct ExtensionSettings {
    // Every field to its default: mask texts as string ids 541 and 542 of `module`, the axis records
    // and date-label formats copied from the process-wide default records.
    void SetDefaults(const res::ResourceModule* module);

    // Saves or loads the block; a load that fails changes nothing. Returns S_OK or the failure.
    com::HRESULT Exchange(CPropertyArchive& archive, std::uint32_t version, std::uint32_t flags);

    std::uint8_t dateLine = 1;
    std::uint8_t dateInfo = 1;
    std::uint32_t options = 1;
    std::uint32_t propPageMask = 895;
    std::int16_t fullTechnicalStudyAxis = 2;
    std::uint8_t top2BottomStudyAxis = 0;
    CResourceText buyMask;
    CResourceText sellMask;
    GalleryDataCache chartSnapshot;
    CDateScale dateScale;  // its level is the data unit
    std::int32_t currentDataUnit = DL_POINTS;
    std::uint8_t breakInSemester = 0;
    std::uint8_t breakInQuarter = 1;
    std::uint8_t zoomRescale = 0;
    AxisSettingsRecord priceAxis;
    AxisSettingsRecord dateAxis;
    std::array<FormatCode, kDateLabelFormatCount> dateFormatCodes{};
    std::array<PreparedFormat, kDateLabelFormatCount> dateFormats{};
    std::int16_t dateStep = -1;
    std::int16_t dateMinorStep = -1;
    std::int16_t dateStepEvery = 1;
    std::int16_t dateMinorStepEvery = 1;
    std::int16_t hideOutput = 0;
    std::array<ui::HCURSOR, kSettingsCursorCount> cursors{};
};

}  // namespace dravik
