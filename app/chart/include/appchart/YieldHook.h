// Hands control to the event loop from inside a long loop, so the windows stay painted.
//
// Stand-in until the user-interface layer offers the process-wide hook: the program installs a
// function that runs pending events (time-limited); tests and tools leave it empty, and then
// yielding does nothing.
#pragma once

#include <functional>

namespace appchart {

using YieldFunction = std::function<void()>;

// Installs the hook; an empty function removes it.
void setYieldHook(YieldFunction hook);

// Processes pending events through the installed hook, if any.
void yieldToEventLoop();

}  // namespace appchart
