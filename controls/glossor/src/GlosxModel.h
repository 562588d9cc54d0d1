// The object list: its objects in drawing order, the selection, and the editing operations the
// user's tools and commands make on them. No screen and no events here: the list object raises the
// events around these operations.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include <QByteArray>

#include "GlosxObject.h"

namespace glossor {

// Told whenever something visible changed.
class GlosxModelListener {
public:
    virtual void modelChanged() = 0;

protected:
    ~GlosxModelListener() = default;
};

// The step a paste at a new place moves its copies by, right and down (and adds to their Offset).
inline constexpr int kPasteStep = 10;

class GlosxModel final : public GlosxOwner {
public:
    explicit GlosxModel(GlosxModelListener* listener = nullptr) : listener_(listener) {}
    GlosxModel(const GlosxModel&) = delete;
    GlosxModel& operator=(const GlosxModel&) = delete;
    ~GlosxModel();

    std::size_t count() const { return objects_.size(); }
    // 0-based; null outside.
    GlosxObject* at(std::size_t index) const;
    std::optional<std::size_t> indexOf(const GlosxObject* object) const;

    // A new object on top of the others.
    com::ComPtr<GlosxObject> add(GlosxData data);
    // Takes objects out without asking anyone (the program's removal).
    void removeAt(std::size_t index);
    void clear();

    // --- selection (first selected first) ---
    const std::vector<GlosxObject*>& selection() const { return selection_; }
    bool isSelected(const GlosxObject* object) const;
    // Selects the object with the other members of its group, the object first. `additive` keeps
    // the current selection.
    void select(GlosxObject* object, bool additive);
    // Takes the object (and its group) out of the selection, or adds them.
    void toggle(GlosxObject* object);
    void clearSelection();

    // --- the user's edits of the selection ---
    // Takes the selected objects out and hands them back, in list order, for the deletion events.
    std::vector<com::ComPtr<GlosxObject>> deleteSelection();
    void bringToFront();
    void sendToBack();
    // The selected objects become one group (selecting one selects all); ungroup undoes groups.
    void group();
    void ungroup();
    void flipSelection(bool horizontal);
    void rotateSelection(bool clockwise);
    void moveSelection(int dx, int dy);
    void colorSelection(bool background, com::COLORREF color);
    std::vector<GlosxData> selectedData(std::uint32_t* first = nullptr) const;
    // Puts the objects on top, selected, first copy first; they get fresh groups.
    void paste(std::vector<GlosxData> objects, bool atSamePlace, std::uint32_t first = 0);

    // --- hit tests ---
    struct Hit {
        GlosxObject* object = nullptr;
        GlosxPart part = GlosxPart::None;
    };
    // The topmost object under the point; end points count only on selected objects.
    Hit hitTest(int x, int y) const;

    // --- GlosxOwner ---
    void objectChanged(GlosxObject& object) override;

private:
    void notify();
    void release(GlosxObject* object);
    template <typename Edit>
    void editSelection(Edit&& edit);

    GlosxModelListener* listener_ = nullptr;
    std::vector<com::ComPtr<GlosxObject>> objects_;
    std::vector<GlosxObject*> selection_;  // members of objects_
    com::LONG lastGroup_ = 0;
};

}  // namespace glossor
