#include "appdata/Translate2Date.h"

#include <cstdio>

#include "appdata/AppError.h"
#include "appdata/ProcNames.h"
#include "appdata/Trap.h"

namespace tarnwick {

std::string Translate2Date(db::Date date) {
    std::string result;
    Trap(procname::kTranslate2Date, [&] {
        if (!db::isStorableDate(date)) {
            throw AppError(errnum::kTypeMismatch, "Type mismatch");
        }
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "#%d-%02u-%02u#", static_cast<int>(date.year()),
                      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
        result = buffer;
    });
    return result;
}

}  // namespace tarnwick
