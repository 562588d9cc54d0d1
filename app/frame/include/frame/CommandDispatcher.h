#pragma once

// Commands by name: the one place through which menus and tool-bar buttons reach command handlers
// that other parts of the program provide.

#include <QString>

#include <functional>
#include <map>

namespace frame {

class CommandDispatcher {
public:
    using Handler = std::function<void()>;

    // Sets (or, with an empty handler, removes) the handler of `name`.
    void set(const QString& name, Handler handler);
    bool has(const QString& name) const;
    // Runs the handler of `name`; false when there is none.
    bool run(const QString& name) const;

private:
    std::map<QString, Handler> m_handlers;
};

}  // namespace frame
