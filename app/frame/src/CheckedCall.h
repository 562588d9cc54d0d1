#pragma once

// A checked call on a chart, extension or annotation object: a failure becomes the program's error,
// which the calling routine's trap logs.

#include <string>

#include "appdata/AppError.h"
#include "com/HResult.h"

namespace frame {

inline void need(com::HRESULT result, const char* member) {
    if (com::FAILED(result))
        throw tarnwick::AppError(result, std::string(member) + " failed");
}

}  // namespace frame
