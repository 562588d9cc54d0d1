// Indicators and loaders yield between records through the process-wide hook of the program that
// loaded the library (com/Yield.h), which runs it at most once per interval.
#pragma once

#include "com/Yield.h"

namespace indikon {

using com::kYieldInterval;
using com::setYieldHook;
using com::YieldHook;
using com::yieldToMessageLoop;

}  // namespace indikon
