#include "core/Failure.h"

#include "indikon/Errors.h"

namespace indikon {

void raise(Error error, std::string source) {
    throw Failure(errorNumber(error), std::move(source), std::string(describe(error)));
}

void raiseValidation(Error error, std::string source) {
    throw ValidationFailure(errorNumber(error), std::move(source), std::string(describe(error)));
}

void raise(RuntimeError error) {
    throw Failure(runtimeErrorNumber(error), std::string(kLibrarySource), std::string(describe(error)));
}

Failure failureFrom(com::HRESULT result) {
    if (std::optional<com::ErrorInfo> info = com::takeErrorInfo()) {
        return Failure(
            info->number != 0 ? info->number : result, std::move(info->source),
            info->description.empty() ? com::describeHResult(result) : std::move(info->description));
    }
    return Failure(result, std::string(kLibrarySource), com::describeHResult(result));
}

com::HRESULT report(const Failure& failure) {
    com::setErrorInfo(failure.number(), failure.source(), failure.description());
    // A number that is itself an HRESULT (a failure of another component) is handed on unchanged.
    return failure.number() < 0 ? failure.number() : errorResult(failure.number());
}

}  // namespace indikon
