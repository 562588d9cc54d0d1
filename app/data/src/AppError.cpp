#include "appdata/AppError.h"

#include <exception>
#include <new>

#include "db/Error.h"

namespace tarnwick {

AppError AppError::fromCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const AppError& e) {
            return e;
        } catch (const db::Error& e) {
            return AppError(e.number(), e.description());
        } catch (const std::bad_alloc&) {
            return AppError(errnum::kOutOfMemory, "Out of memory");
        } catch (const std::exception& e) {
            return AppError(errnum::kApplicationDefined, e.what());
        } catch (...) {
            return AppError(errnum::kApplicationDefined, "Application-defined or object-defined error");
        }
    } catch (...) {
        // Building the error object itself failed (no memory for its text).
        return AppError(errnum::kOutOfMemory, std::string());
    }
}

}  // namespace tarnwick
