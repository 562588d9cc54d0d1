// The process-wide resource modules of the components, by component name ("Dravik", "Tarnwick", ...).
// Each component registers its built-in module when it loads; its current module is the one its text
// routines read, the built-in one or a language bundle over it. The registry lives in this shared
// library so the program and every in-process server loaded into it see the same modules.
#pragma once

#include <memory>

#include <QString>
#include <QStringList>

#include "res/LanguageBundle.h"
#include "res/ResourceModule.h"

namespace res {

class ModuleRegistry {
public:
    // Registers (or replaces) the built-in module of a component and makes it current.
    static void registerBuiltIn(const QString& component, std::shared_ptr<const ResourceModule> module);
    // Forgets the component's modules (when its library unloads).
    static void unregister(const QString& component);

    // Null for an unregistered component.
    static std::shared_ptr<const ResourceModule> builtIn(const QString& component);
    static std::shared_ptr<const ResourceModule> current(const QString& component);
    static QStringList components();

    // Makes `module` current; a null module selects the built-in one. False for an unregistered
    // component.
    static bool setCurrent(const QString& component, std::shared_ptr<const ResourceModule> module);
    // Loads a language bundle over the component's built-in module and makes the result current: the
    // bundle when it loaded, else the built-in module (an empty path selects the built-in module).
    // For an unregistered component nothing changes and the result is NoFile with a null module.
    static BundleLoad selectLanguage(const QString& component, const QString& bundlePath);
};

}  // namespace res
