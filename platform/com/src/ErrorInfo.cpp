#include "com/ErrorInfo.h"

#include <cstdio>
#include <utility>

namespace com {
namespace {

thread_local std::optional<ErrorInfo> tCurrent;

struct KnownResult {
    HRESULT result;
    const char* text;
};

constexpr KnownResult kKnownResults[] = {
    {E_NOTIMPL, "Not implemented"},
    {E_NOINTERFACE, "No such interface supported"},
    {E_POINTER, "Invalid pointer"},
    {E_ABORT, "Operation aborted"},
    {E_FAIL, "Unspecified error"},
    {E_UNEXPECTED, "Catastrophic failure"},
    {E_ACCESSDENIED, "Access denied"},
    {E_OUTOFMEMORY, "Out of memory"},
    {E_INVALIDARG, "Invalid argument"},
    {DISP_E_MEMBERNOTFOUND, "Member not found"},
    {DISP_E_PARAMNOTFOUND, "Parameter not found"},
    {DISP_E_TYPEMISMATCH, "Type mismatch"},
    {DISP_E_OVERFLOW, "Overflow"},
    {DISP_E_BADPARAMCOUNT, "Invalid number of parameters"},
    {DISP_E_PARAMNOTOPTIONAL, "Parameter not optional"},
    {DISP_E_DIVBYZERO, "Division by zero"},
    {CLASS_E_NOAGGREGATION, "Class does not support aggregation"},
    {CLASS_E_CLASSNOTAVAILABLE, "Class not available"},
    {REGDB_E_CLASSNOTREG, "Class not registered"},
    {CO_E_CLASSSTRING, "Invalid class string"},
    {CONNECT_E_NOCONNECTION, "No such connection"},
    {CONNECT_E_CANNOTCONNECT, "Cannot connect"},
};

}  // namespace

void setErrorInfo(ErrorInfo info) {
    tCurrent = std::move(info);
}

void setErrorInfo(std::int32_t number, std::string source, std::string description) {
    setErrorInfo(ErrorInfo{number, std::move(source), std::move(description)});
}

std::optional<ErrorInfo> errorInfo() {
    return tCurrent;
}

std::optional<ErrorInfo> takeErrorInfo() {
    return std::exchange(tCurrent, std::nullopt);
}

void clearErrorInfo() {
    tCurrent.reset();
}

std::string describeHResult(HRESULT result) {
    char code[32];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
    for (const KnownResult& known : kKnownResults) {
        if (known.result == result)
            return std::string(known.text) + " (" + code + ")";
    }
    return std::string("Error ") + code;
}

ComError::ComError(HRESULT result, ErrorInfo info)
    : std::runtime_error(info.description.empty() ? describeHResult(result) : info.description),
      result_(result),
      info_(std::move(info)) {
    if (info_.number == 0)
        info_.number = result;
}

HRESULT throwIfFailed(HRESULT result) {
    if (SUCCEEDED(result))
        return result;
    throw ComError(result, takeErrorInfo().value_or(ErrorInfo{}));
}

}  // namespace com
