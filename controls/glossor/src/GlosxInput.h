// The user's mouse work on the list: selecting, moving the selection, dragging an end point, and
// drawing a new object with a tool.
#pragma once

#include <optional>

#include "GlosxModel.h"

namespace glossor {

// What the input hands on to the list object.
class GlosxInputClient {
public:
    // A move or re-shape of the selection ended (the points changed).
    virtual void moveEnded() = 0;
    virtual void objectDoubleClicked(GlosxObject& object) = 0;
    // A tool finished a new object (already in the list and selected).
    virtual void objectDrawn(GlosxObject& object) = 0;
    virtual void toolChanged(com::SHORT tool) = 0;
    // Only the object being drawn changed.
    virtual void repaint() = 0;

protected:
    ~GlosxInputClient() = default;
};

// Size of an object drawn with a click and no drag.
inline constexpr int kDefaultWidth = 80;
inline constexpr int kDefaultHeight = 40;
// A press and release closer than this draws the default size.
inline constexpr int kMinimumDrag = 3;

class GlosxInput {
public:
    GlosxInput(GlosxModel& model, GlosxInputClient& client) : model_(model), client_(client) {}

    // kCmdPointer or a kind.
    void setTool(com::SHORT tool);
    com::SHORT tool() const { return tool_; }

    // Each answers whether the input was used (false leaves it to the chart).
    bool mouseDown(int x, int y, bool shift);
    bool mouseMove(int x, int y);
    bool mouseUp(int x, int y);
    bool doubleClick(int x, int y);
    // Drops a drag or drawing in progress (what was moved stays moved).
    void cancel();
    // A drag or drawing is in progress.
    bool busy() const { return drag_ != Drag::None; }

    // The object being drawn, or null.
    const GlosxData* pending() const { return pending_ ? &*pending_ : nullptr; }

private:
    enum class Drag { None, Move, Start, End, Draw };

    void finishDrawing(int x, int y);

    GlosxModel& model_;
    GlosxInputClient& client_;
    com::SHORT tool_ = 0;
    Drag drag_ = Drag::None;
    int lastX_ = 0;
    int lastY_ = 0;
    bool moved_ = false;
    com::ComPtr<GlosxObject> target_;  // the object whose end point is dragged
    std::optional<GlosxData> pending_;
};

}  // namespace glossor
