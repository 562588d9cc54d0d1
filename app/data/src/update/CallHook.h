// The processors tell their window what happens through hooks the window may leave empty.
#pragma once

#include <utility>

namespace tarnwick {

// Calls `hook` when the window set it.
template <class Hook, class... Args>
void callHook(const Hook& hook, Args&&... args) {
    if (hook) {
        hook(std::forward<Args>(args)...);
    }
}

}  // namespace tarnwick
