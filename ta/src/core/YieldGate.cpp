#include "core/YieldGate.h"

#include <utility>

namespace indikon {
namespace {

// The library is only ever called on the user-interface thread, so plain statics serve.
struct GateState {
    YieldHook hook;
    std::chrono::steady_clock::time_point lastRun{};
};

GateState& gate() {
    static GateState state;
    return state;
}

}  // namespace

YieldHook setYieldHook(YieldHook hook) {
    gate().lastRun = {};
    return std::exchange(gate().hook, std::move(hook));
}

void yieldToMessageLoop() {
    GateState& state = gate();
    if (!state.hook)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - state.lastRun < kYieldInterval)
        return;
    state.lastRun = now;
    state.hook();
}

}  // namespace indikon
