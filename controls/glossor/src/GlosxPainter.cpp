#include "GlosxPainter.h"

#include <array>
#include <cmath>

#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "glossor/IGlosxList.h"

namespace glossor {
namespace {

struct Look {
    int penStyle;
    int width;
    bool highlight;
};

// By IGlosxObject::Appearance.
constexpr std::array<Look, kLastAppearance + 1> kLooks{{
    {gdi::PS_SOLID, 1, false},
    {gdi::PS_DASH, 1, false},
    {gdi::PS_DOT, 1, false},
    {gdi::PS_SOLID, 2, false},
    {gdi::PS_SOLID, 3, false},
    {gdi::PS_SOLID, 3, true},
}};

constexpr double kArrowLength = 10.0;
constexpr double kArrowHalfWidth = 4.0;

const Look& lookOf(const GlosxData& data) {
    const auto index = static_cast<std::size_t>(data.appearance);
    return index < kLooks.size() ? kLooks[index] : kLooks[0];
}

// Selects pen and brush for the object's lifetime and deletes them afterwards.
class Tools {
public:
    Tools(gdi::DeviceContext& dc, const GlosxData& data, bool filled) : dc_(dc) {
        const Look& look = lookOf(data);
        const gdi::COLORREF color = look.highlight ? kHighlightColor : data.foreColor;
        // A wide pen draws its dashes only as a geometric pen.
        pen_ = look.width > 1
                   ? gdi::extCreatePen(static_cast<std::uint32_t>(look.penStyle | gdi::PS_GEOMETRIC),
                                       look.width, gdi::LogBrush{gdi::BS_SOLID, color, 0})
                   : gdi::createPen(look.penStyle, 1, color);
        brush_ = filled ? gdi::createSolidBrush(data.backColor) : gdi::getStockObject(gdi::NULL_BRUSH);
        oldPen_ = dc_.selectObject(pen_);
        oldBrush_ = dc_.selectObject(brush_);
    }
    ~Tools() {
        dc_.selectObject(oldPen_);
        dc_.selectObject(oldBrush_);
        gdi::deleteObject(pen_);
        gdi::deleteObject(brush_);
    }
    Tools(const Tools&) = delete;
    Tools& operator=(const Tools&) = delete;

private:
    gdi::DeviceContext& dc_;
    gdi::HPEN pen_{};
    gdi::HBRUSH brush_{};
    gdi::HGDIOBJ oldPen_{};
    gdi::HGDIOBJ oldBrush_{};
};

void arrowHead(gdi::DeviceContext& dc, int fromX, int fromY, int toX, int toY) {
    const double dx = toX - fromX;
    const double dy = toY - fromY;
    const double length = std::hypot(dx, dy);
    if (length < 1.0)
        return;
    const double ux = dx / length;
    const double uy = dy / length;
    const double baseX = toX - ux * kArrowLength;
    const double baseY = toY - uy * kArrowLength;
    const std::array<gdi::Point, 3> head{{
        {toX, toY},
        {static_cast<int>(std::lround(baseX - uy * kArrowHalfWidth)),
         static_cast<int>(std::lround(baseY + ux * kArrowHalfWidth))},
        {static_cast<int>(std::lround(baseX + uy * kArrowHalfWidth)),
         static_cast<int>(std::lround(baseY - ux * kArrowHalfWidth))},
    }};
    dc.polygon(head);
}

void paintLine(gdi::DeviceContext& dc, const GlosxData& data) {
    {
        Tools tools(dc, data, false);
        dc.moveTo(data.x1, data.y1);
        dc.lineTo(data.x2, data.y2);
    }
    if (data.lineMode == kLinePlain)
        return;
    // Heads are filled with the line's colour.
    GlosxData head = data;
    head.backColor = lookOf(data).highlight ? kHighlightColor : data.foreColor;
    head.appearance = 0;
    Tools tools(dc, head, true);
    arrowHead(dc, data.x1, data.y1, data.x2, data.y2);
    if (data.lineMode == kLineArrowBoth)
        arrowHead(dc, data.x2, data.y2, data.x1, data.y1);
}

void paintText(gdi::DeviceContext& dc, const GlosxData& data, const GlosxBox& box) {
    if (data.text.empty())
        return;
    const int oldMode = dc.setBkMode(gdi::TRANSPARENT);
    const gdi::COLORREF oldColor = dc.setTextColor(data.foreColor);
    gdi::Rect rect{box.left + 3, box.top + 2, box.right - 2, box.bottom - 1};
    dc.drawText(textOf(data), rect, gdi::DT_LEFT);
    dc.setTextColor(oldColor);
    dc.setBkMode(oldMode);
}

void paintPicture(gdi::DeviceContext& dc, const GlosxData& data, const GlosxBox& box) {
    if (data.picture.isNull() || box.right <= box.left || box.bottom <= box.top)
        return;
    const gdi::HBITMAP bitmap = gdi::createBitmapFromImage(data.picture);
    if (bitmap == gdi::NULL_HANDLE)
        return;
    {
        auto source = gdi::createCompatibleDC(&dc);
        const gdi::HGDIOBJ old = source->selectObject(bitmap);
        dc.stretchBlt(box.left, box.top, box.right - box.left, box.bottom - box.top, source.get(), 0, 0,
                      data.picture.width(), data.picture.height(), gdi::SRCCOPY);
        source->selectObject(old);
    }
    gdi::deleteObject(bitmap);
}

void paintBalloon(gdi::DeviceContext& dc, const GlosxData& data, const GlosxBox& box) {
    Tools tools(dc, data, true);
    // The tail hangs from the lower left of the box, a fifth of its height deep.
    const int tail = std::max(4, (box.bottom - box.top) / 5);
    const int bodyBottom = box.bottom - tail;
    dc.roundRect(box.left, box.top, box.right + 1, bodyBottom + 1, 12, 12);
    const int baseLeft = box.left + (box.right - box.left) / 5;
    const std::array<gdi::Point, 3> tailPoints{
        {{baseLeft, bodyBottom}, {baseLeft, box.bottom}, {baseLeft + tail, bodyBottom}}};
    dc.polygon(tailPoints);
    paintText(dc, data, {box.left, box.top, box.right, bodyBottom});
}

void paintHandle(gdi::DeviceContext& dc, int x, int y) {
    const int half = kHandleSize / 2;
    const gdi::Rect rect{x - half, y - half, x - half + kHandleSize, y - half + kHandleSize};
    dc.fillRect(rect, gdi::getStockObject(gdi::WHITE_BRUSH));
    dc.frameRect(rect, gdi::getStockObject(gdi::BLACK_BRUSH));
}

}  // namespace

void paintObject(gdi::DeviceContext& dc, const GlosxData& data) {
    const GlosxBox box = boundsOf(data);
    // Shapes paint their right and bottom edges: the box includes both end points.
    switch (data.kind) {
        case kKindLine:
            paintLine(dc, data);
            break;
        case kKindRectangle: {
            Tools tools(dc, data, true);
            dc.rectangle(box.left, box.top, box.right + 1, box.bottom + 1);
            break;
        }
        case kKindCircle: {
            Tools tools(dc, data, true);
            dc.ellipse(box.left, box.top, box.right + 1, box.bottom + 1);
            break;
        }
        case kKindArc: {
            // A quarter of the ellipse of the box, from the first end point round to the second.
            Tools tools(dc, data, false);
            dc.arc(2 * box.left - box.right, 2 * box.top - box.bottom, box.right + 1, box.bottom + 1, data.x1,
                   data.y1, data.x2, data.y2);
            break;
        }
        case kKindText: {
            Tools tools(dc, data, true);
            dc.rectangle(box.left, box.top, box.right + 1, box.bottom + 1);
            paintText(dc, data, box);
            break;
        }
        case kKindPicture: {
            paintPicture(dc, data, box);
            Tools tools(dc, data, false);
            dc.rectangle(box.left, box.top, box.right + 1, box.bottom + 1);
            break;
        }
        case kKindBalloon:
            paintBalloon(dc, data, box);
            break;
        default:
            break;
    }
}

void paintObjects(gdi::DeviceContext& dc, const GlosxModel& model) {
    for (std::size_t i = 0; i < model.count(); ++i)
        paintObject(dc, model.at(i)->data());
}

void paintList(gdi::DeviceContext& dc, const GlosxModel& model, const GlosxData* pending) {
    paintObjects(dc, model);
    for (const GlosxObject* object : model.selection()) {
        paintHandle(dc, object->data().x1, object->data().y1);
        paintHandle(dc, object->data().x2, object->data().y2);
    }
    if (pending)
        paintObject(dc, *pending);
}

}  // namespace glossor
