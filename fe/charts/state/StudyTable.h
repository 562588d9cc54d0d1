// What each study number starts with and carries in a save: its key prefix, its parameter bits, its
// default parameters and outputs, and the default record of its axis.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "state/StudyRecord.h"

namespace dravik {

// Parameter bits: which parameters a study carries in a save (from version 19).
enum StudyParameterBit : std::uint32_t {
    SP_WORKSERIES = 0x1,
    SP_D = 0x2,
    SP_PERIODS = 0x4,
    SP_WEIGHTS = 0x8,
    SP_PERCENTAGE = 0x10,
    SP_SIGNALPERIOD = 0x20,
    SP_LONGPERIOD = 0x40,
    SP_SHORTPERIOD = 0x80,
    SP_STARTVALUE = 0x100,
};

// Default parameters of a built-in study (0 where the study has none).
struct StudyDefaults {
    std::int16_t periods;
    std::int16_t signalPeriod;
    std::int16_t longPeriod;
    std::int16_t shortPeriod;
    double d;                            // D or StartValue
    std::array<const char*, 3> outputs;  // legend texts; null past the last output
};

inline constexpr std::uint32_t kUserStudyNameId = 170;   // "UserStudy %d"
inline constexpr std::uint32_t kFirstStudyNameId = 172;  // + study number, built-in studies

// "SimpleMA10." and so on; "User(3).", "Custom(0)."; "Error." for a number outside 0..57.
std::string StudyPrefix(int study);
// The study's prefix followed by "Axis.".
std::string StudyAxisPrefix(int study);
// The parameter bits of a study in a save of `version`.
std::uint32_t StudyParameterBits(int study, std::uint32_t version);
// The defaults of a built-in study; a user or custom study has none.
const StudyDefaults& StudyDefaultsOf(int study);
// Index of the process-wide axis default record a study's axis starts from.
std::size_t StudyDefaultAxisRecord(int study);

// A study record as the extension starts with it.
StudyRecord MakeDefaultStudyRecord(int study, const res::ResourceModule* module);
// The default study record's parameters, for the defaults of their entries.
void SetDefaultParameters(StudyRecord& record, int study);

}  // namespace dravik
