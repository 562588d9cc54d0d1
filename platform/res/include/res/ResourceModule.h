// A resource module: the string table, bitmaps, cursors, menus and dialog templates of a component,
// each by number (menus and dialogs also by name). A module may sit over a fallback module; a lookup
// that the module itself cannot answer is passed to the fallback, so a language bundle that lacks a
// text still shows the built-in one.
//
// A module is filled once (by code or from a resource file, see ResourceFile.h) and then shared as
// `std::shared_ptr<const ResourceModule>`; reading a shared module from several threads is safe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "com/FixedText.h"
#include "res/ResourceId.h"

class QByteArray;
class QImage;
class QString;

namespace res {

struct CursorResource;  // res/CursorResource.h

class ResourceModule {
public:
    explicit ResourceModule(QString name, std::shared_ptr<const ResourceModule> fallback = nullptr);
    ResourceModule(const ResourceModule& other);
    ResourceModule& operator=(const ResourceModule& other);
    ~ResourceModule();

    const QString& name() const;
    const std::shared_ptr<const ResourceModule>& fallback() const { return fallback_; }

    // Lookups, falling back when this module has no entry. Texts are UTF-8.
    std::optional<std::string> string(std::uint32_t id) const;
    // The text, or `missing` when no module of the chain has it.
    std::string stringOr(std::uint32_t id, const std::string& missing = {}) const;
    // Copies a text into a fixed-size field, cut at a character boundary and terminated. For a missing
    // text the field is made empty (when it has room) and nullopt is returned.
    std::optional<com::FixedTextResult> loadString(std::uint32_t id, char* buffer,
                                                   std::size_t capacity) const;
    std::optional<QImage> bitmap(std::uint32_t id) const;
    std::optional<CursorResource> cursor(std::uint32_t id) const;
    // Menus and dialog templates are opaque data that their users interpret.
    std::optional<QByteArray> menu(const ResourceId& id) const;
    std::optional<QByteArray> dialog(const ResourceId& id) const;

    // Whether this module itself (not its fallback) holds the text.
    bool hasOwnString(std::uint32_t id) const;
    std::size_t ownEntryCount() const;

    // Filling. A second entry under the same id replaces the first.
    void setString(std::uint32_t id, std::string text);
    void setBitmap(std::uint32_t id, QImage image);
    void setCursor(std::uint32_t id, CursorResource cursor);
    void setMenu(const ResourceId& id, QByteArray data);
    void setDialog(const ResourceId& id, QByteArray data);
    // Takes every entry of `other` (its fallback aside), replacing entries under the same ids.
    void merge(const ResourceModule& other);

private:
    struct Entries;  // the name and the tables, kept out of this header

    template <typename Map, typename Key>
    std::optional<typename Map::mapped_type> find(Map Entries::*table, const Key& key) const;

    std::unique_ptr<Entries> entries_;
    std::shared_ptr<const ResourceModule> fallback_;
};

}  // namespace res
