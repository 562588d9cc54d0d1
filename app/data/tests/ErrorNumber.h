// The number of the program error a piece of code throws, for tables of expected errors.
#pragma once

#include <cstdint>
#include <functional>

#include "appdata/AppError.h"

namespace tarnwick::test {

// The AppError number that `body` throws; 0 when it throws none.
inline std::int32_t errorNumber(const std::function<void()>& body) {
    try {
        body();
    } catch (const AppError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace tarnwick::test
