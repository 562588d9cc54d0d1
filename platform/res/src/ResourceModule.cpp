#include "res/ResourceModule.h"

namespace res {

namespace {

// The entries of `from` win over those of `into` under the same id.
template <typename Map>
void mergeInto(Map& into, const Map& from) {
    for (const auto& [id, value] : from) {
        into.insert_or_assign(id, value);
    }
}

}  // namespace

ResourceModule::ResourceModule(QString name, std::shared_ptr<const ResourceModule> fallback)
    : name_(std::move(name)), fallback_(std::move(fallback)) {}

// Walks the chain iteratively: a chain is short, but nothing here relies on it.
template <typename Map, typename Key>
std::optional<typename Map::mapped_type> ResourceModule::find(Map ResourceModule::*table,
                                                              const Key& key) const {
    for (const ResourceModule* module = this; module != nullptr; module = module->fallback_.get()) {
        const Map& entries = module->*table;
        if (const auto it = entries.find(key); it != entries.end()) {
            return it->second;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ResourceModule::string(std::uint32_t id) const {
    return find(&ResourceModule::strings_, id);
}

std::string ResourceModule::stringOr(std::uint32_t id, const std::string& missing) const {
    return string(id).value_or(missing);
}

std::optional<com::FixedTextResult> ResourceModule::loadString(std::uint32_t id, char* buffer,
                                                               std::size_t capacity) const {
    const auto text = string(id);
    const auto result = com::copyToFixed(text ? *text : std::string(), buffer, capacity);
    if (!text) {
        return std::nullopt;
    }
    return result;
}

std::optional<QImage> ResourceModule::bitmap(std::uint32_t id) const {
    return find(&ResourceModule::bitmaps_, id);
}

std::optional<CursorResource> ResourceModule::cursor(std::uint32_t id) const {
    return find(&ResourceModule::cursors_, id);
}

std::optional<QByteArray> ResourceModule::menu(const ResourceId& id) const {
    return find(&ResourceModule::menus_, id);
}

std::optional<QByteArray> ResourceModule::dialog(const ResourceId& id) const {
    return find(&ResourceModule::dialogs_, id);
}

std::size_t ResourceModule::ownEntryCount() const {
    return strings_.size() + bitmaps_.size() + cursors_.size() + menus_.size() + dialogs_.size();
}

void ResourceModule::merge(const ResourceModule& other) {
    mergeInto(strings_, other.strings_);
    mergeInto(bitmaps_, other.bitmaps_);
    mergeInto(cursors_, other.cursors_);
    mergeInto(menus_, other.menus_);
    mergeInto(dialogs_, other.dialogs_);
}

}  // namespace res
