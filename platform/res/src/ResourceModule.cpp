#include "res/ResourceModule.h"

#include <map>

#include <QByteArray>
#include <QImage>
#include <QString>

#include "res/CursorResource.h"

namespace res {

struct ResourceModule::Entries {
    QString name;
    std::map<std::uint32_t, std::string> strings;
    std::map<std::uint32_t, QImage> bitmaps;
    std::map<std::uint32_t, CursorResource> cursors;
    std::map<ResourceId, QByteArray> menus;
    std::map<ResourceId, QByteArray> dialogs;
};

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
    : entries_(std::make_unique<Entries>()), fallback_(std::move(fallback)) {
    entries_->name = std::move(name);
}

ResourceModule::ResourceModule(const ResourceModule& other)
    : entries_(std::make_unique<Entries>(*other.entries_)), fallback_(other.fallback_) {}

ResourceModule& ResourceModule::operator=(const ResourceModule& other) {
    if (this != &other) {
        *entries_ = *other.entries_;
        fallback_ = other.fallback_;
    }
    return *this;
}

ResourceModule::~ResourceModule() = default;

const QString& ResourceModule::name() const {
    return entries_->name;
}

// Walks the chain iteratively: a chain is short, but nothing here relies on it.
template <typename Map, typename Key>
std::optional<typename Map::mapped_type> ResourceModule::find(Map Entries::*table, const Key& key) const {
    for (const ResourceModule* module = this; module != nullptr; module = module->fallback_.get()) {
        const Map& entries = (*module->entries_).*table;
        if (const auto it = entries.find(key); it != entries.end()) {
            return it->second;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ResourceModule::string(std::uint32_t id) const {
    return find(&Entries::strings, id);
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
    return find(&Entries::bitmaps, id);
}

std::optional<CursorResource> ResourceModule::cursor(std::uint32_t id) const {
    return find(&Entries::cursors, id);
}

std::optional<QByteArray> ResourceModule::menu(const ResourceId& id) const {
    return find(&Entries::menus, id);
}

std::optional<QByteArray> ResourceModule::dialog(const ResourceId& id) const {
    return find(&Entries::dialogs, id);
}

std::size_t ResourceModule::ownEntryCount() const {
    const Entries& e = *entries_;
    return e.strings.size() + e.bitmaps.size() + e.cursors.size() + e.menus.size() + e.dialogs.size();
}

bool ResourceModule::hasOwnString(std::uint32_t id) const {
    return entries_->strings.count(id) != 0;
}

void ResourceModule::setString(std::uint32_t id, std::string text) {
    entries_->strings[id] = std::move(text);
}

void ResourceModule::setBitmap(std::uint32_t id, QImage image) {
    entries_->bitmaps[id] = std::move(image);
}

void ResourceModule::setCursor(std::uint32_t id, CursorResource cursor) {
    entries_->cursors[id] = std::move(cursor);
}

void ResourceModule::setMenu(const ResourceId& id, QByteArray data) {
    entries_->menus[id] = std::move(data);
}

void ResourceModule::setDialog(const ResourceId& id, QByteArray data) {
    entries_->dialogs[id] = std::move(data);
}

void ResourceModule::merge(const ResourceModule& other) {
    Entries& into = *entries_;
    const Entries& from = *other.entries_;
    mergeInto(into.strings, from.strings);
    mergeInto(into.bitmaps, from.bitmaps);
    mergeInto(into.cursors, from.cursors);
    mergeInto(into.menus, from.menus);
    mergeInto(into.dialogs, from.dialogs);
}

}  // namespace res
