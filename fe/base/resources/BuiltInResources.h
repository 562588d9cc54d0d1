// The extension's built-in resource module: its string table and image strips. Language bundles load
// over it (res/LanguageBundle.h) and fall back to it for what they lack.
#pragma once

#include <cstdint>
#include <memory>

#include "res/ResourceModule.h"

namespace dravik {

// String ids of the built-in module that the extension object uses.
inline constexpr std::uint32_t kCaptionStringId = 101;         // caption of GetCaption
inline constexpr std::uint32_t kToolbarCaptionStringId = 102;  // the financial toolbar's entry
inline constexpr std::uint32_t kStudyNameStringBase = 172;     // + study number 0-37: its long name
inline constexpr std::uint32_t kCommandTextStringBase = 1000;  // + command id: caption of a command
// The command image strip (16 pixels per image) and the gallery command strip.
inline constexpr std::uint32_t kCommandBitmapId = 400;
inline constexpr std::uint32_t kGalleryCommandBitmapId = 401;

// The module, made and registered (component "Dravik", made current) on the first call.
std::shared_ptr<const res::ResourceModule> BuiltInResources();

}  // namespace dravik
