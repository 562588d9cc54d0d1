#include "res/LanguageBundle.h"

#include <QFileInfo>

namespace res {

BundleLoad LanguageBundle::load(const QString& path, std::shared_ptr<const ResourceModule> builtIn) {
    auto bundle = std::make_shared<ResourceModule>(QFileInfo(path).fileName(), builtIn);
    LoadResult result = ResourceFile::read(path, *bundle);
    if (!result.ok()) {
        return {std::move(builtIn), std::move(result)};
    }
    return {std::move(bundle), std::move(result)};
}

}  // namespace res
