// A language bundle: a resource file (format in ResourceFile.h) with a component's texts, bitmaps
// and other resources in another language, under the same ids as the built-in module. The bundle
// module sits over the built-in one, so whatever the bundle lacks comes from the built-in module.
#pragma once

#include <memory>

#include <QString>

#include "res/ResourceFile.h"
#include "res/ResourceModule.h"

namespace res {

struct BundleLoad {
    // The bundle over `builtIn` when it loaded, else `builtIn` itself. Never null when `builtIn` is not.
    std::shared_ptr<const ResourceModule> module;
    LoadResult result;

    bool loaded() const { return result.ok(); }
};

class LanguageBundle {
public:
    // Loads the bundle at `path`. An empty path, a missing, unreadable or malformed file all give the
    // built-in module, with the reason in the result; nothing of a broken file is used.
    static BundleLoad load(const QString& path, std::shared_ptr<const ResourceModule> builtIn);
};

}  // namespace res
