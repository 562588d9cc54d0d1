// The library's error table: every error it raises, with its number and its description exactly as
// callers see them (spelling included), and the run-time errors of the language that reach callers.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace indikon {

enum class Error {
    Bof,
    Eof,
    InvalidPeriod,
    InvalidStartPeriod,
    InvalidEndPeriod,
    InvalidPercentTrain,
    LoadFailed,  // description: that of the failure underneath
    EndPeriodTooSmall,
    ShortCycleNotLess,
    InvalidMovingAverageType,
    InvalidPeriods,
    InvalidStandardDeviations,
    InvalidShift,
    InvalidBandPeriods,
    StandardDeviationMAError,
    MovingAverageError,
    Unexpected,
    OutOfBounds,
    InvalidMinTickValue,
    InvalidLimitMoveValue,
    InvalidFieldName,
};

enum class RuntimeError {
    InvalidCall,
    Overflow,
    OutOfMemory,
    SubscriptOutOfRange,
    DivisionByZero,
    TypeMismatch,
    BadFileName,
    FileNotFound,
    InputPastEnd,
    PathFileAccess,
    ObjectNotSet,
};

struct ErrorEntry {
    Error error;
    std::int32_t number;
    std::string_view description;
};

struct RuntimeErrorEntry {
    RuntimeError error;
    std::int32_t number;
    std::string_view description;
};

// Source of run-time errors that no handler of the library replaces.
inline constexpr std::string_view kLibrarySource = "Indikon";

std::span<const ErrorEntry> errorTable();
std::span<const RuntimeErrorEntry> runtimeErrorTable();

std::int32_t errorNumber(Error error);
std::string_view describe(Error error);
std::int32_t runtimeErrorNumber(RuntimeError error);
std::string_view describe(RuntimeError error);

}  // namespace indikon
