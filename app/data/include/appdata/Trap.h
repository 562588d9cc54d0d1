// The error trap every trapping procedure of the program ends with: on any error, log its number,
// description and the procedure's own name, and return at once with the result as it stood.
//
//     bool ok = false;
//     Trap(procname::kClsWLAddWLitem, [&] { ...; ok = true; });
//     return ok;
#pragma once

#include <string_view>

#include "appdata/AppError.h"
#include "appdata/ErrorLog.h"

namespace tarnwick {

// True when the body ran to its end, false when an error was trapped and logged.
template <class Body>
bool Trap(std::string_view procName, Body&& body) noexcept {
    try {
        body();
        return true;
    } catch (...) {
        const AppError error = AppError::fromCurrentException();
        WriteErrorLog(error.description(), error.number(), procName);
        return false;
    }
}

}  // namespace tarnwick
