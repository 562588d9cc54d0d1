// Failures inside the library and how they reach a caller.
//
// Inside the library a failure travels as a C++ exception (Failure); every member of a COM class
// catches it at its boundary (reportFailures) and turns it into the thread's error information and an
// HRESULT. The numbers and descriptions come from one table (ErrorTable.h).
#pragma once

#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "com/ErrorInfo.h"
#include "com/HResult.h"
#include "core/ErrorTable.h"

namespace indikon {

class Failure : public std::exception {
public:
    Failure(std::int32_t number, std::string source, std::string description)
        : number_(number), source_(std::move(source)), description_(std::move(description)) {}

    std::int32_t number() const { return number_; }
    const std::string& source() const { return source_; }
    const std::string& description() const { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};

// A parameter check of an indicator: it reaches the caller with its own number, past the method's
// catch-all handler.
class ValidationFailure : public Failure {
public:
    using Failure::Failure;
};

[[noreturn]] void raise(Error error, std::string source);
[[noreturn]] void raiseValidation(Error error, std::string source);
// A run-time error of the language (overflow, division by zero, ...), with the library as source.
[[noreturn]] void raise(RuntimeError error);

// The failure a called member reported: its error information, or the HRESULT's own text.
Failure failureFrom(com::HRESULT result);
// Throws failureFrom(result) for a failed HRESULT.
inline void check(com::HRESULT result) {
    if (com::FAILED(result))
        throw failureFrom(result);
}

// Error information and HRESULT for a failure that reaches a member's boundary.
com::HRESULT report(const Failure& failure);

// Runs a member's body; a failure becomes the thread's error information and the returned HRESULT.
template <typename Body>
com::HRESULT reportFailures(Body&& body) noexcept {
    try {
        body();
        return com::S_OK;
    } catch (const Failure& failure) {
        return report(failure);
    } catch (const std::bad_alloc&) {
        return report(Failure(runtimeErrorNumber(RuntimeError::OutOfMemory), std::string(kLibrarySource),
                              std::string(describe(RuntimeError::OutOfMemory))));
    } catch (...) {
        return report(Failure(errorNumber(Error::Unexpected), std::string(kLibrarySource),
                              std::string(describe(Error::Unexpected))));
    }
}

// The catch-all handler of a method: any failure of `body` but a ValidationFailure is replaced by
// `error` under `source`. The failure underneath is not passed on.
template <typename Body>
decltype(auto) convertFailures(Error error, std::string_view source, Body&& body) {
    try {
        return body();
    } catch (const ValidationFailure&) {
        throw;
    } catch (...) {
        raise(error, std::string(source));
    }
}

}  // namespace indikon
