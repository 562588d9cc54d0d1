#include "ObjectTable.h"

namespace gdi::detail {

ObjectTable& ObjectTable::instance() {
    static ObjectTable table;
    return table;
}

HGDIOBJ ObjectTable::add(ObjectPtr object) {
    std::lock_guard lock(mutex_);
    const std::uint32_t value = next_++;
    objects_.emplace(value, std::move(object));
    return HGDIOBJ{value};
}

ObjectPtr ObjectTable::find(HGDIOBJ handle) const {
    std::lock_guard lock(mutex_);
    auto it = objects_.find(static_cast<std::uint32_t>(handle));
    return it == objects_.end() ? nullptr : it->second;
}

ObjectType ObjectTable::typeOf(HGDIOBJ handle) const {
    std::lock_guard lock(mutex_);
    const GdiObject* object = lookup(handle);
    return object ? object->type : ObjectType::None;
}

GdiObject* ObjectTable::lookup(HGDIOBJ handle) const {
    auto it = objects_.find(static_cast<std::uint32_t>(handle));
    return it == objects_.end() ? nullptr : it->second.get();
}

bool ObjectTable::requestDelete(HGDIOBJ handle) {
    std::lock_guard lock(mutex_);
    GdiObject* object = lookup(handle);
    if (!object)
        return false;
    if (object->isStock())
        return true;
    if (object->selections > 0) {
        // A selected bitmap cannot go: the memory context draws into it.
        if (object->type == ObjectType::Bitmap)
            return false;
        object->deletePending = true;
        return true;
    }
    destroy(handle);
    return true;
}

void ObjectTable::retain(HGDIOBJ handle) {
    std::lock_guard lock(mutex_);
    if (GdiObject* object = lookup(handle))
        ++object->selections;
}

void ObjectTable::release(HGDIOBJ handle) {
    std::lock_guard lock(mutex_);
    GdiObject* object = lookup(handle);
    if (!object)
        return;
    if (object->selections > 0)
        --object->selections;
    if (object->selections == 0 && object->deletePending)
        destroy(handle);
}

std::size_t ObjectTable::liveCount() const {
    std::lock_guard lock(mutex_);
    std::size_t count = 0;
    for (const auto& [value, object] : objects_) {
        if (!object->isStock())
            ++count;
    }
    return count;
}

int ObjectTable::addDestroyListener(std::function<void(HGDIOBJ)> listener) {
    std::lock_guard lock(mutex_);
    listeners_.emplace(nextToken_, std::move(listener));
    return nextToken_++;
}

void ObjectTable::removeDestroyListener(int token) {
    std::lock_guard lock(mutex_);
    listeners_.erase(token);
}

void ObjectTable::destroy(HGDIOBJ handle) {
    objects_.erase(static_cast<std::uint32_t>(handle));
    // Copy: a listener may remove itself.
    auto listeners = listeners_;
    for (auto& [token, listener] : listeners)
        listener(handle);
}

}  // namespace gdi::detail
