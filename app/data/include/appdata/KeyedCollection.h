// The keyed collection the program keeps its records in: items in the order they were added, each
// optionally under a text key ("ID_" followed by the record's number, or a setting's name). Keys
// compare without regard to ASCII case. Items are shared, so a record taken from a collection and
// changed is changed for every holder, as the windows expect.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "appdata/AppError.h"
#include "appdata/AsciiLower.h"

namespace tarnwick {

namespace errnum {
inline constexpr std::int32_t kInvalidProcedureCall = 5;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
inline constexpr std::int32_t kDuplicateCollectionKey = 457;
}  // namespace errnum

// "ID_" followed by the number in decimal, with a minus sign when negative: the key of every record
// in a collection and of every list item that stands for a record.
std::string RecordKey(std::int32_t id);

template <class T>
class KeyedCollection {
public:
    using Item = std::shared_ptr<T>;

    std::size_t count() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    // Adds under `key`; an empty key adds the item without one. A key that is taken already raises
    // AppError 457 and adds nothing.
    void add(Item item, std::string_view key = {}) {
        if (!key.empty()) {
            const auto [it, added] = keys_.emplace(AsciiLower(key), item);
            if (!added) {
                throw AppError(errnum::kDuplicateCollectionKey,
                               "This key is already associated with an element of this collection");
            }
        }
        items_.push_back(std::move(item));
    }
    void add(T record, std::string_view key = {}) { add(std::make_shared<T>(std::move(record)), key); }

    bool exists(std::string_view key) const { return keys_.contains(AsciiLower(key)); }

    // The item under `key`; a missing key raises AppError 5.
    T& item(std::string_view key) const { return *shared(key); }
    Item shared(std::string_view key) const {
        const auto it = keys_.find(AsciiLower(key));
        if (it == keys_.end()) {
            throw AppError(errnum::kInvalidProcedureCall, "Invalid procedure call or argument");
        }
        return it->second;
    }

    // The item at a 0-based position; a position past the end raises AppError 9.
    T& at(std::size_t index) const {
        if (index >= items_.size()) {
            throw AppError(errnum::kSubscriptOutOfRange, "Subscript out of range");
        }
        return *items_[index];
    }

    // Removes the item under `key`; a missing key raises AppError 5.
    void remove(std::string_view key) {
        const Item item = shared(key);
        keys_.erase(AsciiLower(key));
        std::erase(items_, item);
    }

    void clear() {
        items_.clear();
        keys_.clear();
    }

private:
    std::vector<Item> items_;
    std::map<std::string, Item, std::less<>> keys_;  // folded key -> item
};

// True when the collection holds `key`; false when it does not or when there is no collection.
template <class T>
bool ExistsInCollection(std::string_view key, const KeyedCollection<T>* collection) noexcept {
    try {
        return collection != nullptr && collection->exists(key);
    } catch (...) {
        return false;
    }
}

template <class T>
bool ExistsInCollection(std::string_view key, const KeyedCollection<T>& collection) noexcept {
    return ExistsInCollection(key, &collection);
}

}  // namespace tarnwick
