// Yielding to the program's message loop from inside a long loop (update-stream parsing, imports,
// every indicator loop, image encoding), so that the windows stay painted.
//
// There is one hook for the whole process: the program installs a function that processes pending
// events; the libraries loaded into it only call. Without a hook (tests, tools) yielding does nothing.
// The program and every component run on the one user-interface thread.
#pragma once

#include <chrono>
#include <functional>

namespace com {

using YieldHook = std::function<void()>;

// A loop that yields once per record pays for an event pass at most once per interval.
inline constexpr std::chrono::milliseconds kYieldInterval{25};

// Installs the hook; an empty function removes it. Returns the hook installed before.
YieldHook setYieldHook(YieldHook hook);

// Runs the hook when one is installed and kYieldInterval has passed since it last ran.
void yieldToMessageLoop();

// Runs the hook now, when one is installed: for places that process pending events at fixed steps
// of their work (every tenth image row, say) rather than once per record.
void processPendingEvents();

}  // namespace com
