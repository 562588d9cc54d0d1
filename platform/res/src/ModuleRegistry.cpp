#include "res/ModuleRegistry.h"

#include <map>
#include <mutex>

namespace res {

namespace {

struct Entry {
    std::shared_ptr<const ResourceModule> builtIn;
    std::shared_ptr<const ResourceModule> current;
};

std::mutex registryMutex;

std::map<QString, Entry>& entries() {
    static std::map<QString, Entry> registry;
    return registry;
}

}  // namespace

void ModuleRegistry::registerBuiltIn(const QString& component, std::shared_ptr<const ResourceModule> module) {
    const std::lock_guard lock(registryMutex);
    entries()[component] = Entry{module, module};
}

void ModuleRegistry::unregister(const QString& component) {
    const std::lock_guard lock(registryMutex);
    entries().erase(component);
}

std::shared_ptr<const ResourceModule> ModuleRegistry::builtIn(const QString& component) {
    const std::lock_guard lock(registryMutex);
    const auto it = entries().find(component);
    return it == entries().end() ? nullptr : it->second.builtIn;
}

std::shared_ptr<const ResourceModule> ModuleRegistry::current(const QString& component) {
    const std::lock_guard lock(registryMutex);
    const auto it = entries().find(component);
    return it == entries().end() ? nullptr : it->second.current;
}

QStringList ModuleRegistry::components() {
    const std::lock_guard lock(registryMutex);
    QStringList names;
    for (const auto& [name, entry] : entries()) {
        names << name;
    }
    return names;
}

bool ModuleRegistry::setCurrent(const QString& component, std::shared_ptr<const ResourceModule> module) {
    const std::lock_guard lock(registryMutex);
    const auto it = entries().find(component);
    if (it == entries().end()) {
        return false;
    }
    it->second.current = module ? std::move(module) : it->second.builtIn;
    return true;
}

BundleLoad ModuleRegistry::selectLanguage(const QString& component, const QString& bundlePath) {
    const auto base = builtIn(component);
    if (!base) {
        return {nullptr, {LoadStatus::NoFile, 0, QStringLiteral("%1 has no resource module").arg(component)}};
    }
    // The file is read outside the lock; only the switch of the current module is guarded.
    BundleLoad load = LanguageBundle::load(bundlePath, base);
    setCurrent(component, load.module);
    return load;
}

}  // namespace res
