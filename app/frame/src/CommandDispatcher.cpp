#include "frame/CommandDispatcher.h"

namespace frame {

void CommandDispatcher::set(const QString& name, Handler handler) {
    if (handler)
        m_handlers[name] = std::move(handler);
    else
        m_handlers.erase(name);
}

bool CommandDispatcher::has(const QString& name) const {
    return m_handlers.contains(name);
}

bool CommandDispatcher::run(const QString& name) const {
    const auto it = m_handlers.find(name);
    if (it == m_handlers.end())
        return false;
    // A copy, so that a handler may replace itself while it runs.
    const Handler handler = it->second;
    handler();
    return true;
}

}  // namespace frame
