#include "appchart/YieldHook.h"

#include <utility>

namespace appchart {

namespace {

YieldFunction& installedHook() {
    static YieldFunction hook;
    return hook;
}

}  // namespace

void setYieldHook(YieldFunction hook) {
    installedHook() = std::move(hook);
}

void yieldToEventLoop() {
    if (const YieldFunction& hook = installedHook()) {
        hook();
    }
}

}  // namespace appchart
