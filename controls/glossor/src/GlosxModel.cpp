#include "GlosxModel.h"

#include <algorithm>

namespace glossor {

GlosxModel::~GlosxModel() {
    for (const auto& object : objects_)
        object->setOwner(nullptr);
}

GlosxObject* GlosxModel::at(std::size_t index) const {
    return index < objects_.size() ? objects_[index].get() : nullptr;
}

std::optional<std::size_t> GlosxModel::indexOf(const GlosxObject* object) const {
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        if (objects_[i].get() == object)
            return i;
    }
    return std::nullopt;
}

void GlosxModel::notify() {
    if (listener_)
        listener_->modelChanged();
}

void GlosxModel::objectChanged(GlosxObject&) {
    notify();
}

com::ComPtr<GlosxObject> GlosxModel::add(GlosxData data) {
    auto object = com::makeComObject<GlosxObject>(std::move(data));
    object->setOwner(this);
    objects_.push_back(object);
    notify();
    return object;
}

void GlosxModel::release(GlosxObject* object) {
    std::erase(selection_, object);
    object->setOwner(nullptr);
}

void GlosxModel::removeAt(std::size_t index) {
    if (index >= objects_.size())
        return;
    const com::ComPtr<GlosxObject> object = objects_[index];
    objects_.erase(objects_.begin() + static_cast<std::ptrdiff_t>(index));
    release(object.get());
    notify();
}

void GlosxModel::clear() {
    const auto objects = std::move(objects_);
    objects_.clear();
    for (const auto& object : objects)
        release(object.get());
    selection_.clear();
    notify();
}

bool GlosxModel::isSelected(const GlosxObject* object) const {
    return std::find(selection_.begin(), selection_.end(), object) != selection_.end();
}

void GlosxModel::select(GlosxObject* object, bool additive) {
    if (!object || !indexOf(object))
        return;
    if (!additive)
        selection_.clear();
    std::erase(selection_, object);
    selection_.insert(selection_.begin(), object);
    if (const com::LONG group = object->data().group; group != 0) {
        for (const auto& member : objects_) {
            if (member->data().group == group && !isSelected(member.get()))
                selection_.push_back(member.get());
        }
    }
    notify();
}

void GlosxModel::toggle(GlosxObject* object) {
    if (!object)
        return;
    if (!isSelected(object)) {
        select(object, true);
        return;
    }
    const com::LONG group = object->data().group;
    std::erase_if(selection_, [&](GlosxObject* member) {
        return member == object || (group != 0 && member->data().group == group);
    });
    notify();
}

void GlosxModel::clearSelection() {
    if (selection_.empty())
        return;
    selection_.clear();
    notify();
}

std::vector<com::ComPtr<GlosxObject>> GlosxModel::deleteSelection() {
    std::vector<com::ComPtr<GlosxObject>> removed;
    std::vector<com::ComPtr<GlosxObject>> kept;
    for (const auto& object : objects_)
        (isSelected(object.get()) ? removed : kept).push_back(object);
    if (removed.empty())
        return removed;
    objects_ = std::move(kept);
    for (const auto& object : removed)
        release(object.get());
    notify();
    return removed;
}

void GlosxModel::bringToFront() {
    std::stable_partition(objects_.begin(), objects_.end(),
                          [&](const com::ComPtr<GlosxObject>& object) { return !isSelected(object.get()); });
    notify();
}

void GlosxModel::sendToBack() {
    std::stable_partition(objects_.begin(), objects_.end(),
                          [&](const com::ComPtr<GlosxObject>& object) { return isSelected(object.get()); });
    notify();
}

template <typename Edit>
void GlosxModel::editSelection(Edit&& edit) {
    if (selection_.empty())
        return;
    // Each object reports its own change; one repaint request is enough.
    GlosxModelListener* const listener = std::exchange(listener_, nullptr);
    for (GlosxObject* object : selection_)
        object->edit(edit);
    listener_ = listener;
    notify();
}

void GlosxModel::group() {
    if (selection_.size() < 2)
        return;
    const com::LONG group = ++lastGroup_;
    editSelection([&](GlosxData& data) { data.group = group; });
}

void GlosxModel::ungroup() {
    editSelection([](GlosxData& data) { data.group = 0; });
}

void GlosxModel::flipSelection(bool horizontal) {
    editSelection([&](GlosxData& data) {
        data.flipState = horizontal;
        horizontal ? flipHorizontal(data) : flipVertical(data);
    });
}

void GlosxModel::rotateSelection(bool clockwise) {
    editSelection([&](GlosxData& data) {
        data.rotateState = clockwise;
        rotateQuarter(data, clockwise);
    });
}

void GlosxModel::moveSelection(int dx, int dy) {
    editSelection([&](GlosxData& data) { moveBy(data, dx, dy); });
}

void GlosxModel::colorSelection(bool background, com::COLORREF color) {
    editSelection(
        [&](GlosxData& data) { (background ? data.backColor : data.foreColor) = color & 0xFFFFFF; });
}

// In the list's order, back to front: pasted in that order the copies overlap as the originals did,
// whichever object of a group the user clicked first. `first` tells where the first selected one is.
std::vector<GlosxData> GlosxModel::selectedData(std::uint32_t* first) const {
    std::vector<GlosxData> data;
    for (const auto& object : objects_) {
        if (!isSelected(object.get()))
            continue;
        if (first && !selection_.empty() && object.get() == selection_.front())
            *first = static_cast<std::uint32_t>(data.size());
        data.push_back(object->data());
    }
    return data;
}

void GlosxModel::paste(std::vector<GlosxData> objects, bool atSamePlace, std::uint32_t first) {
    if (objects.empty())
        return;
    // Groups of the copies are new groups, so a copy never joins the group of its original.
    std::vector<std::pair<com::LONG, com::LONG>> groups;
    selection_.clear();
    for (GlosxData& data : objects) {
        if (data.group != 0) {
            auto found = std::find_if(groups.begin(), groups.end(),
                                      [&](const auto& g) { return g.first == data.group; });
            if (found == groups.end())
                found = groups.insert(groups.end(), {data.group, ++lastGroup_});
            data.group = found->second;
        }
        if (!atSamePlace) {
            const GlosxMove move = moveBy(data, kPasteStep, kPasteStep);
            data.offset = static_cast<com::SHORT>(data.offset + std::min(move.dx, move.dy));
        }
        auto object = com::makeComObject<GlosxObject>(std::move(data));
        object->setOwner(this);
        objects_.push_back(object);
        selection_.push_back(object.get());
    }
    // The copy of the object selected first is selected first again.
    if (first < selection_.size())
        std::rotate(selection_.begin(), selection_.begin() + first, selection_.begin() + first + 1);
    notify();
}

GlosxModel::Hit GlosxModel::hitTest(int x, int y) const {
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) {
        GlosxObject* object = it->get();
        const GlosxPart part = glossor::hitTest(object->data(), x, y, isSelected(object));
        if (part != GlosxPart::None)
            return {object, part};
    }
    return {};
}

}  // namespace glossor
