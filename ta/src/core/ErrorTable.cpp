#include "core/ErrorTable.h"

#include <algorithm>
#include <cstdlib>

#include "indikon/Errors.h"

namespace indikon {
namespace {

// The texts are the ones callers have always received, misspellings included ("occured").
constexpr ErrorEntry kErrors[] = {
    {Error::Bof, kErrCursor, "BOF"},
    {Error::Eof, kErrCursor, "EOF"},
    {Error::InvalidPeriod, kErrInvalidPeriod, "Invalid period"},
    {Error::InvalidStartPeriod, kErrInvalidPeriod, "Invalid start period"},
    {Error::InvalidEndPeriod, kErrInvalidPeriod, "Invalid end period"},
    {Error::InvalidPercentTrain, kErrInvalidPercentTrain, "Invalid PercentTrain"},
    {Error::LoadFailed, kErrLoad, ""},
    {Error::EndPeriodTooSmall, kErrEndPeriod, "EndPeriod must be greater than 3"},
    {Error::ShortCycleNotLess, kErrCycles, "ShortCycle must be less than LongCycle"},
    {Error::InvalidMovingAverageType, kErrInvalidMAType, "Invalid Moving Average Type"},
    {Error::InvalidPeriods, kErrInvalidPeriods, "Invalid Periods"},
    {Error::InvalidStandardDeviations, kErrInvalidParameter, "Invalid Standard Deviations"},
    {Error::InvalidShift, kErrInvalidParameter, "Invalid Shift"},
    {Error::InvalidBandPeriods, kErrInvalidParameter, "Invalid Periods"},
    {Error::StandardDeviationMAError, kErrInvalidParameter, "Error calculating moving average"},
    {Error::MovingAverageError, kErrMovingAverage, "Error calculating moving average"},
    {Error::Unexpected, kErrUnexpected, "An unexpected error has occured"},
    {Error::OutOfBounds, kErrUnexpected, "An unexpected out of bounds error has occured"},
    {Error::InvalidMinTickValue, kErrInvalidMinTick, "Invalid MinTickValue"},
    {Error::InvalidLimitMoveValue, kErrInvalidLimitMove, "Invalid LimitMoveValue"},
    {Error::InvalidFieldName, kErrInvalidFieldName, "Invalid FieldName"},
};

constexpr RuntimeErrorEntry kRuntimeErrors[] = {
    {RuntimeError::InvalidCall, 5, "Invalid procedure call or argument"},
    {RuntimeError::Overflow, 6, "Overflow"},
    {RuntimeError::OutOfMemory, 7, "Out of memory"},
    {RuntimeError::SubscriptOutOfRange, 9, "Subscript out of range"},
    {RuntimeError::DivisionByZero, 11, "Division by zero"},
    {RuntimeError::TypeMismatch, 13, "Type mismatch"},
    {RuntimeError::BadFileName, 52, "Bad file name or number"},
    {RuntimeError::FileNotFound, 53, "File not found"},
    {RuntimeError::InputPastEnd, 62, "Input past end of file"},
    {RuntimeError::PathFileAccess, 75, "Path/File access error"},
    {RuntimeError::ObjectNotSet, 91, "Object variable or With block variable not set"},
};

template <typename Table, typename Key>
const auto& find(const Table& table, Key key) {
    const auto it = std::find_if(std::begin(table), std::end(table),
                                 [key](const auto& entry) { return entry.error == key; });
    if (it == std::end(table))
        std::abort();  // every enumerator has a row; a missing one is a build mistake
    return *it;
}

}  // namespace

std::span<const ErrorEntry> errorTable() {
    return kErrors;
}

std::span<const RuntimeErrorEntry> runtimeErrorTable() {
    return kRuntimeErrors;
}

std::int32_t errorNumber(Error error) {
    return find(kErrors, error).number;
}

std::string_view describe(Error error) {
    return find(kErrors, error).description;
}

std::int32_t runtimeErrorNumber(RuntimeError error) {
    return find(kRuntimeErrors, error).number;
}

std::string_view describe(RuntimeError error) {
    return find(kRuntimeErrors, error).description;
}

}  // namespace indikon
