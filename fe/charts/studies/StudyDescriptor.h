// The built-in studies 0-37 as data: what each one reads, which parameters it takes with their
// defaults, what it writes, and the routine that computes it. The analytical chart's dispatcher and the
// study pages work from this table.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "studies/StudyRange.h"

namespace dravik {

inline constexpr int kBuiltInStudyKinds = 38;
inline constexpr int kVolumeStudy = 12;

// Rows a study reads (a mask). The work series is the study's own input row; the others are the bound
// price series.
enum StudyInput : std::uint8_t {
    kStudyInputWork = 0x01,
    kStudyInputClose = 0x02,
    kStudyInputLow = 0x04,
    kStudyInputHigh = 0x08,
    kStudyInputVolume = 0x10,
    kStudyInputPrices = kStudyInputClose | kStudyInputLow | kStudyInputHigh | kStudyInputVolume,
};

// Parameters a study takes (a mask): periods, the first, second and third 16-bit values (signal or
// percentage, long period, short period), the double (deviations, start value or envelope percentage)
// and the weights table.
enum StudyParameter : std::uint8_t {
    kStudyParamPeriods = 0x01,
    kStudyParamSignal = 0x02,
    kStudyParamLong = 0x04,
    kStudyParamShort = 0x08,
    kStudyParamValue = 0x10,
    kStudyParamWeights = 0x20,
};

struct StudyInputs {
    InRow work, close, low, high, volume;
};

struct StudyArguments {
    int periods = 0;
    int signal = 0;
    int longPeriod = 0;
    int shortPeriod = 0;
    double value = 0.0;
    std::span<const std::int16_t> weights;  // empty: linear weights 1..periods
};

// Output rows, first series first; the rows a study does not write may be left empty.
struct StudyOutputs {
    std::array<OutRow, 3> rows;
};

using StudyRoutine = void (*)(const StudyInputs&, const StudyArguments&, const StudyOutputs&, bool full,
                              StudyRange& range);

struct StudyDescriptor {
    std::int16_t number;
    const char* enumerator;  // name in the type library
    const char* name;        // default display name
    const char* routine;     // name of the calculation routine; "" for VOLUME
    std::uint8_t inputs;
    std::uint8_t parameters;
    StudyArguments defaults;
    std::int16_t outputCount;
    std::array<const char*, 3> outputNames;  // default series legends
    std::int16_t defaultOutput;              // the output a study object names by default
    bool priceIndicator;                     // drawn against the price axis by default
    bool startInZero;                        // its axis always includes 0 by default
    StudyRoutine compute;                    // null for VOLUME, whose values are the volume series
};

// The 38 built-in studies, indexed by study number.
std::span<const StudyDescriptor, kBuiltInStudyKinds> BuiltInStudies();

// The descriptor of a calculation kind; null outside 0-37.
const StudyDescriptor* FindStudyDescriptor(int kind);

enum class StudyComputeResult {
    Computed,
    MissingPriceSeries,  // a price row the study reads is not there: range 0..100, outputs untouched
    NotComputed,         // VOLUME, or a kind outside 0-37: nothing written, range untouched
    OutOfMemory,         // no room for the work rows: outputs emptied, range at the seeds
};

// Runs the routine of `kind`. A missing work row is the routine's own business (it empties its
// outputs); a missing price row is the caller's (see MissingPriceSeries).
StudyComputeResult ComputeBuiltInStudy(int kind, const StudyInputs& inputs, const StudyArguments& parameters,
                                       const StudyOutputs& outputs, bool full, StudyRange& range);

}  // namespace dravik
