// Yielding to the caller's message loop from inside a long loop (every indicator and loader yields once
// per record).
//
// The hook that runs pending events belongs to the program that loaded the library; the library calls
// it at most once per kYieldInterval, so a loop over 32,767 records does not pay for an event pass per
// record. Without a hook (tests, tools) yielding does nothing.
#pragma once

#include <chrono>
#include <functional>

namespace indikon {

using YieldHook = std::function<void()>;

inline constexpr std::chrono::milliseconds kYieldInterval{25};

// Installs the hook; an empty function removes it. Returns the hook installed before.
YieldHook setYieldHook(YieldHook hook);

// Runs the hook when one is installed and kYieldInterval has passed since it last ran.
void yieldToMessageLoop();

}  // namespace indikon
