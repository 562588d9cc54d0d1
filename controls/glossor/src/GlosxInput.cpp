#include "GlosxInput.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "GlosxGeometry.h"

namespace glossor {

void GlosxInput::setTool(com::SHORT tool) {
    if (tool < kCmdPointer || tool > kLastKind)
        return;
    cancel();
    tool_ = tool;
    client_.toolChanged(tool_);
}

bool GlosxInput::mouseDown(int x, int y, bool shift) {
    cancel();
    lastX_ = x;
    lastY_ = y;
    moved_ = false;
    if (tool_ != kCmdPointer) {
        GlosxData data;
        data.kind = tool_;
        data.x1 = data.x2 = toShort(x);
        data.y1 = data.y2 = toShort(y);
        data.lineMode = tool_ == kKindLine ? kLineArrowEnd : kLinePlain;
        pending_ = data;
        drag_ = Drag::Draw;
        client_.repaint();
        return true;
    }
    const GlosxModel::Hit hit = model_.hitTest(x, y);
    if (!hit.object) {
        model_.clearSelection();
        return false;
    }
    if (shift) {
        model_.toggle(hit.object);
        return true;
    }
    // The object under the mouse becomes the first selected one: the events report that one.
    model_.select(hit.object, model_.isSelected(hit.object));
    switch (hit.part) {
        case GlosxPart::Start:
            drag_ = Drag::Start;
            break;
        case GlosxPart::End:
            drag_ = Drag::End;
            break;
        default:
            drag_ = Drag::Move;
            break;
    }
    target_ = com::ComPtr<GlosxObject>(hit.object);
    return true;
}

bool GlosxInput::mouseMove(int x, int y) {
    const int dx = x - lastX_;
    const int dy = y - lastY_;
    switch (drag_) {
        case Drag::None:
            return false;
        case Drag::Draw:
            pending_->x2 = toShort(x);
            pending_->y2 = toShort(y);
            client_.repaint();
            return true;
        case Drag::Move:
            if (dx != 0 || dy != 0) {
                model_.moveSelection(dx, dy);
                moved_ = true;
            }
            break;
        case Drag::Start:
        case Drag::End: {
            const bool start = drag_ == Drag::Start;
            target_->edit([&](GlosxData& data) {
                (start ? data.x1 : data.x2) = toShort(x);
                (start ? data.y1 : data.y2) = toShort(y);
            });
            moved_ = true;
            break;
        }
    }
    lastX_ = x;
    lastY_ = y;
    return true;
}

bool GlosxInput::mouseUp(int x, int y) {
    if (drag_ == Drag::None)
        return false;
    mouseMove(x, y);
    const Drag drag = std::exchange(drag_, Drag::None);
    target_.reset();
    if (drag == Drag::Draw) {
        finishDrawing(x, y);
        return true;
    }
    if (std::exchange(moved_, false))
        client_.moveEnded();
    return true;
}

void GlosxInput::finishDrawing(int x, int y) {
    GlosxData data = *pending_;
    pending_.reset();
    if (std::abs(x - data.x1) < kMinimumDrag && std::abs(y - data.y1) < kMinimumDrag) {
        data.x2 = toShort(data.x1 + kDefaultWidth);
        data.y2 = toShort(data.kind == kKindLine ? data.y1 : data.y1 + kDefaultHeight);
    }
    const com::ComPtr<GlosxObject> object = model_.add(std::move(data));
    model_.select(object.get(), false);
    setTool(kCmdPointer);
    client_.objectDrawn(*object);
}

bool GlosxInput::doubleClick(int x, int y) {
    cancel();
    if (tool_ != kCmdPointer)
        return false;
    const GlosxModel::Hit hit = model_.hitTest(x, y);
    if (!hit.object)
        return false;
    const com::ComPtr<GlosxObject> object(hit.object);
    model_.select(object.get(), model_.isSelected(object.get()));
    client_.objectDoubleClicked(*object);
    return true;
}

void GlosxInput::cancel() {
    const bool drawing = pending_.has_value();
    drag_ = Drag::None;
    target_.reset();
    pending_.reset();
    if (std::exchange(moved_, false))
        client_.moveEnded();
    if (drawing)
        client_.repaint();
}

}  // namespace glossor
