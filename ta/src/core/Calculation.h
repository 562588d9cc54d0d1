// Methods whose result is not a record set: a number (Cycle.Analyze, General.CorrelationAnalysis) or an
// object such as a Note (General.MaxValue). They share runIndicator's catch-all: any failure but a
// parameter check becomes 1105 "<source>.UnexpectedError", and so does a NaN or infinite result; a
// failure leaves the caller's cursor where it stood.
#pragma once

#include <string_view>

#include "com/ComPtr.h"
#include "core/Indicator.h"

namespace indikon {

// `compute` returns the value; *result is the value type's zero on failure.
template <typename Value, typename Compute>
com::HRESULT runCalculation(std::string_view source, Value* result, Compute&& compute) {
    if (!result)
        return com::E_POINTER;
    *result = Value{};
    CursorRestorer cursors;
    return reportFailures([&] {
        cursors.restoreOnFailure([&] {
            const Value value = convertFailures(Error::Unexpected, unexpectedSource(source), compute);
            requireFinite(value, source);
            *result = value;
        });
    });
}

// `compute` returns a ComPtr<Interface>; *result receives its reference, or null on failure.
template <typename Interface, typename Compute>
com::HRESULT runCalculation(std::string_view source, Interface** result, Compute&& compute) {
    if (!result)
        return com::E_POINTER;
    *result = nullptr;
    CursorRestorer cursors;
    return reportFailures([&] {
        cursors.restoreOnFailure([&] {
            com::ComPtr<Interface> object =
                convertFailures(Error::Unexpected, unexpectedSource(source), compute);
            requireFinite(object.get(), source);
            *result = object.detach();
        });
    });
}

}  // namespace indikon
