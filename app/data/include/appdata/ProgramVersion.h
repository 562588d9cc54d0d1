// The program's version, as the data server and the about box see it.
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

inline constexpr std::int32_t kVersionMajor = 1;
inline constexpr std::int32_t kVersionMinor = 0;
inline constexpr std::int32_t kVersionRevision = 0;

// "major.minor.revision", for example "1.0.0".
inline std::string ProgramVersionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

}  // namespace tarnwick
