// The process-wide table behind the object handles.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <variant>
#include <vector>

#include <QImage>
#include <QRegion>

#include "gdi/Objects.h"

namespace gdi::detail {

struct PenData {
    LogPen pen;
};
struct BrushData {
    LogBrush brush;
    QImage pattern;  // BS_PATTERN only
};
struct FontData {
    LogFont font;
};
struct BitmapData {
    QImage image;  // always Format_RGB32
    int bitsPerPixel = 32;
};
struct RegionData {
    QRegion region;
};
struct PaletteData {
    std::vector<COLORREF> entries;
};

struct GdiObject {
    ObjectType type = ObjectType::None;
    std::variant<PenData, BrushData, FontData, BitmapData, RegionData, PaletteData> data;
    int stockIndex = -1;  // >= 0 for stock objects, -2 for system-colour brushes
    int selections = 0;   // number of device contexts that hold it selected
    bool deletePending = false;

    bool isStock() const { return stockIndex != -1; }
    template <typename T>
    T& as() {
        return std::get<T>(data);
    }
};

using ObjectPtr = std::shared_ptr<GdiObject>;

class ObjectTable {
public:
    static ObjectTable& instance();

    HGDIOBJ add(ObjectPtr object);
    ObjectPtr find(HGDIOBJ handle) const;
    ObjectType typeOf(HGDIOBJ handle) const;
    // The object's data, or null for an unknown handle or another type. The table keeps the object
    // alive; drawing calls look objects up this way without taking a reference on them.
    template <typename T>
    T* data(HGDIOBJ handle, ObjectType type) const {
        std::lock_guard lock(mutex_);
        GdiObject* object = lookup(handle);
        return object && object->type == type ? &object->as<T>() : nullptr;
    }

    bool requestDelete(HGDIOBJ handle);
    // Bookkeeping of device contexts; release destroys a pending object when its last
    // selection ends.
    void retain(HGDIOBJ handle);
    void release(HGDIOBJ handle);
    std::size_t liveCount() const;

    // Called (with the handle) after an object is destroyed; metafile recorders use it to
    // write their delete records. Returns a token for removeDestroyListener.
    int addDestroyListener(std::function<void(HGDIOBJ)> listener);
    void removeDestroyListener(int token);

private:
    ObjectTable() = default;
    // The caller holds the lock.
    GdiObject* lookup(HGDIOBJ handle) const;
    void destroy(HGDIOBJ handle);

    mutable std::recursive_mutex mutex_;
    std::unordered_map<std::uint32_t, ObjectPtr> objects_;
    std::uint32_t next_ = 0x100;
    std::unordered_map<int, std::function<void(HGDIOBJ)>> listeners_;
    int nextToken_ = 1;
};

}  // namespace gdi::detail
