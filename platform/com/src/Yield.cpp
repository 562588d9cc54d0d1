#include "com/Yield.h"

#include <utility>

namespace com {
namespace {

struct YieldState {
    YieldHook hook;
    std::chrono::steady_clock::time_point lastRun{};
};

YieldState& state() {
    static YieldState current;
    return current;
}

}  // namespace

YieldHook setYieldHook(YieldHook hook) {
    state().lastRun = {};
    return std::exchange(state().hook, std::move(hook));
}

void yieldToMessageLoop() {
    YieldState& current = state();
    if (!current.hook)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - current.lastRun < kYieldInterval)
        return;
    current.lastRun = now;
    current.hook();
}

void processPendingEvents() {
    YieldState& current = state();
    if (!current.hook)
        return;
    current.lastRun = std::chrono::steady_clock::now();
    current.hook();
}

}  // namespace com
