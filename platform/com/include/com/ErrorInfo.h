// Automation error information, kept per thread: a method that fails sets it just before returning its
// failure HRESULT, and the caller reads it. Source and description are UTF-8 text (convert with
// Bstr::fromUtf8 where a UTF-16 string is wanted). The number is the HRESULT or the application's own
// error number, as the failing method chose.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "com/HResult.h"

namespace com {

struct ErrorInfo {
    std::int32_t number = 0;
    std::string source;
    std::string description;

    friend bool operator==(const ErrorInfo&, const ErrorInfo&) = default;
};

// Replaces this thread's error information.
void setErrorInfo(ErrorInfo info);
void setErrorInfo(std::int32_t number, std::string source, std::string description);
// This thread's error information, left in place; nullopt when none is set.
std::optional<ErrorInfo> errorInfo();
// This thread's error information, cleared on the way out.
std::optional<ErrorInfo> takeErrorInfo();
void clearErrorInfo();

// A failed call, for callers that prefer exceptions. what() is the description, or a text naming the
// HRESULT when the callee left no description.
class ComError : public std::runtime_error {
public:
    ComError(HRESULT result, ErrorInfo info);

    // The failed call's HRESULT.
    HRESULT result() const { return result_; }
    // The error information's number, or the HRESULT when the callee set none.
    std::int32_t number() const { return info_.number; }
    const std::string& source() const { return info_.source; }
    const std::string& description() const { return info_.description; }

private:
    HRESULT result_;
    ErrorInfo info_;
};

// Throws ComError for a failed HRESULT, taking (and clearing) this thread's error information; returns
// the HRESULT unchanged on success.
HRESULT throwIfFailed(HRESULT result);

// "Unspecified error (0x80004005)"-style text for an HRESULT without a description.
std::string describeHResult(HRESULT result);

}  // namespace com
