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

template <class Body>
void Trap(std::string_view procName, Body&& body) noexcept {
    try {
        body();
    } catch (...) {
        const AppError error = AppError::fromCurrentException();
        WriteErrorLog(error.description(), error.number(), procName);
    }
}

}  // namespace tarnwick
