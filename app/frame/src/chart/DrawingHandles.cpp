#include "frame/chart/DrawingHandles.h"

#include <QApplication>

#include <charconv>
#include <optional>

#include "DrawingCalls.h"
#include "appdata/AppError.h"
#include "appdata/Trap.h"
#include "com/VbMath.h"
#include "dravik/DrawingInterfaces.h"
#include "dravik/Events.h"
#include "frame/chart/DrawingDates.h"
#include "frame/chart/DrawingHover.h"
#include "frame/chart/DrawingKinds.h"

namespace frame::chart {

namespace {

using calls::need;
using calls::pointsOf;
using calls::tagOf;
using calls::toShort;
using tarnwick::AppError;
using tarnwick::Trap;

// The chart's command that shows the financial extension's drawing properties, and its parameter.
constexpr com::LONG kCommandDrawingProperties = 29697;
constexpr com::LONG kDrawingPropertiesPage = 3;
// How far a pasted handle lies from the one it was copied from (its Offset).
constexpr com::SHORT kPasteOffset = 50;

// A price as the extension reads it whatever the locale: "." and up to 15 significant digits.
std::string priceText(double value) {
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

// One end of a handle in chart coordinates, and the setters of its pixels.
struct HandleEnd {
    double x = 0;
    double y = 0;
    com::HRESULT (glossor::IGlosxPoints::*putX)(com::SHORT);
    com::HRESULT (glossor::IGlosxPoints::*putY)(com::SHORT);
};

}  // namespace

DrawingHandles::DrawingHandles(korvel::IKvlChart& chart, dravik::IFinancialCharts* extension,
                               glossor::IGlosxList* list)
    : chart_(chart), extension_(extension), list_(list) {
    connectEvents();
}

DrawingHandles::~DrawingHandles() {
    UnadviseEvents(extensionEvents_);
    UnadviseEvents(listEvents_);
    UnadviseEvents(chartEvents_);
}

void DrawingHandles::connectEvents() {
    listSink_ = com::makeComObject<com::EventSink>(glossor::DIID_DGlosxEvents);
    listSink_->on(glossor::kEventEndMoving, [this](std::span<com::Variant>) {
        gGlosx_EndMoving();
        return com::S_OK;
    });
    listSink_->on(glossor::kEventExecuteCommand, [this](std::span<com::Variant> args) {
        if (args.size() >= 2 && args[1].i4Ref() != nullptr)
            gGlosx_ExecuteCommand(args[0].i2(), *args[1].i4Ref());
        return com::S_OK;
    });
    listSink_->on(glossor::kEventLButtonDblClk, [this](std::span<com::Variant> args) {
        if (args.size() >= 2 && args[1].i4Ref() != nullptr)
            gGlosx_LButtonDblClk(args[0].unknown().as<glossor::IGlosxObject>().get(), *args[1].i4Ref());
        return com::S_OK;
    });
    listSink_->on(glossor::kEventObjectDeleted, [this](std::span<com::Variant> args) {
        if (!args.empty())
            gGlosx_ObjectDeleted(args[0].unknown().as<glossor::IGlosxObject>().get());
        return com::S_OK;
    });
    listEvents_ = AdviseEvents(list_.get(), glossor::DIID_DGlosxEvents, listSink_.get());

    chartSink_ = com::makeComObject<com::EventSink>(korvel::DIID_DKvlChartEvents);
    chartSink_->on(korvel::kEventMouseMoving, [this](std::span<com::Variant> args) {
        if (args.size() >= 2 && args[0].i4Ref() != nullptr && args[1].i4Ref() != nullptr)
            Korvel1_MouseMoving(static_cast<std::int16_t>(*args[0].i4Ref()),
                                static_cast<std::int16_t>(*args[1].i4Ref()));
        return com::S_OK;
    });
    chartEvents_ = AdviseEvents(&chart_, korvel::DIID_DKvlChartEvents, chartSink_.get());

    if (!extension_)
        return;
    extensionSink_ = com::makeComObject<com::EventSink>(dravik::DIID_DLomex_Events);
    extensionSink_->on(dravik::kEventDrawPageCommit, [this](std::span<com::Variant> args) {
        if (args.size() >= 2)
            gFinExt_DrawPageCommit(args[0].i4(), args[1].i2());
        return com::S_OK;
    });
    extensionEvents_ = AdviseEvents(extension_.get(), dravik::DIID_DLomex_Events, extensionSink_.get());
}

void DrawingHandles::gFinExt_DrawPageCommit(com::LONG kind, com::SHORT index) {
    Trap("gFinExt_DrawPageCommit", [&] {
        if (!list_ || index < 0 || index >= DrawingCount(*extension_, kind))
            return;
        const com::LONG tag = DrawingTag(kind, index);
        com::LONG count = 0;
        need(list_->get_Count(&count), "Count");
        for (com::LONG i = 1; i <= count; ++i) {
            com::ComPtr<glossor::IGlosxObject> item;
            need(list_->Item(i, item.put()), "Item");
            if (tagOf(*item) != tag)
                continue;
            SetLineOverDrawing(chart_, *DrawingAt(*extension_, kind, index), *item);
            need(list_->RefreshObject(item.get()), "RefreshObject");
        }
    });
}

com::ComPtr<glossor::IGlosxObject> DrawingHandles::firstSelected() {
    com::ComPtr<glossor::IGlosxSelection> selection;
    need(list_->get_Selection(selection.put()), "Selection");
    com::ComPtr<glossor::IGlosxObject> object;
    if (selection)
        selection->Item(1, object.put());
    return object;
}

bool DrawingHandles::showSelectedDrawingProperties() {
    const com::ComPtr<glossor::IGlosxObject> object = firstSelected();
    const auto named = object ? DrawingOfTag(tagOf(*object)) : std::nullopt;
    if (!named)
        return false;
    // The handle is the user's selection; the extension's page opens on the drawing its chart selected.
    // The chart keeps that selection only while the frame is open: once the handle goes, the chart's
    // Properties must open the series page again.
    const auto selection = extension_.as<dravik::IDrawingSelection>();
    if (selection)
        need(selection->SelectDrawing(named->kind, named->index), "SelectDrawing");
    const com::HRESULT shown = chart_.RunCommand(kCommandDrawingProperties, kDrawingPropertiesPage);
    if (selection)
        need(selection->SelectDrawing(named->kind, -1), "SelectDrawing");
    need(shown, "RunCommand");
    return true;
}

void DrawingHandles::Korvel1_MouseMoving(std::int16_t x, std::int16_t y) {
    if (mouseMoved_)
        mouseMoved_(x, y);
    if (hoverBusy_ || QApplication::mouseButtons() != Qt::NoButton)
        return;
    hoverBusy_ = true;
    // A failing hit test is logged and must not leave the hover test off for good.
    Trap("Korvel1_MouseMoving", [&] {
        if (!CheckPointDrawingHit(x, y, chart_, true) && list_)
            ClearAllLineAnnot(*list_);
    });
    hoverBusy_ = false;
}

void DrawingHandles::gGlosx_EndMoving() {
    hoverBusy_ = false;
    Trap("gGlosx_EndMoving", [&] { moveDrawingToHandle(); });
}

// The drawing named by the first selected handle takes the handle's ends, each kept on the chart by
// moving it along the handle; the handle then snaps onto the drawing's whole points.
void DrawingHandles::moveDrawingToHandle() {
    const com::ComPtr<glossor::IGlosxObject> handle = firstSelected();
    if (!handle)
        return;
    const com::LONG tag = tagOf(*handle);
    if (tag < 1)
        return;
    const TaggedDrawing named = *DrawingOfTag(tag);
    const auto points = pointsOf(*handle);
    com::SHORT px[2] = {};
    com::SHORT py[2] = {};
    need(points->get_X1(&px[0]), "X1");
    need(points->get_Y1(&py[0]), "Y1");
    need(points->get_X2(&px[1]), "X2");
    need(points->get_Y2(&py[1]), "Y2");
    HandleEnd ends[2] = {{0, 0, &glossor::IGlosxPoints::put_X1, &glossor::IGlosxPoints::put_Y1},
                         {0, 0, &glossor::IGlosxPoints::put_X2, &glossor::IGlosxPoints::put_Y2}};
    for (int i = 0; i < 2; ++i)
        need(chart_.PixelToValue(px[i], py[i], &ends[i].x, &ends[i].y, 0), "PixelToValue");
    com::LONG count = 0;
    need(chart_.get_PointCount(&count), "PointCount");
    const double last = static_cast<double>(count);
    // Start left, end left, start right, end right: each step sees what the steps before it left. A
    // vertical handle has no slope to follow: its ends keep their prices.
    const bool vertical = ends[0].x == ends[1].x;
    const auto keepOnChart = [&](HandleEnd& end, const HandleEnd& other, bool beyond, double edge) {
        if (!beyond)
            return;
        if (!vertical)
            end.y = GetValueFromLineEqn(end.x, end.y, other.x, other.y, edge, false);
        end.x = edge;
        com::LONG x = 0;
        com::LONG y = 0;
        need(chart_.ValueToPixel(end.x, end.y, &x, &y, 0), "ValueToPixel");
        need(((*points).*end.putX)(toShort(x)), "X");
        need(((*points).*end.putY)(toShort(y)), "Y");
    };
    keepOnChart(ends[0], ends[1], ends[0].x < 1, 1);
    keepOnChart(ends[1], ends[0], ends[1].x < 1, 1);
    keepOnChart(ends[0], ends[1], ends[0].x > last, last);
    keepOnChart(ends[1], ends[0], ends[1].x > last, last);

    const auto drawing = DrawingAt(*extension_, named.kind, named.index);
    const loc::LCID dates = DrawingDateLocale(*extension_);
    const auto dateText = [&](double x) {
        const com::vb::Checked<std::int32_t> point = com::vb::toInt32(x);
        if (!point)
            throw AppError(6, "Overflow");
        double date = 0;
        need(chart_.get_XValueAt(korvel::kXValues, point.value() - 1, &date), "XValueAt");
        return date;
    };
    need(PutAnchorDate(*drawing, true, dateText(ends[0].x), dates, chart_), "From");
    need(PutAnchorDate(*drawing, false, dateText(ends[1].x), dates, chart_), "To");
    need(drawing->put_FromPrice(com::Bstr::fromUtf8(priceText(ends[0].y))), "FromPrice");
    need(drawing->put_ToPrice(com::Bstr::fromUtf8(priceText(ends[1].y))), "ToPrice");
    need(drawing->put_Visible(com::VARIANT_TRUE), "Visible");
    need(drawing->put_Enable(com::VARIANT_TRUE), "Enable");
    need(drawing->put_UserData(com::Bstr::fromUtf8("")), "UserData");
    SetLineOverDrawing(chart_, *drawing, *handle);
}

void DrawingHandles::gGlosx_ExecuteCommand(std::int16_t cmd, com::LONG& result) {
    Trap("gGlosx_ExecuteCommand", [&] {
        const com::ComPtr<glossor::IGlosxObject> object = firstSelected();
        if (object && tagOf(*object) != 0) {
            const auto turn = [&](com::HRESULT (glossor::IGlosxObject::*put)(com::VARIANT_BOOL), bool state) {
                need(((*object).*put)(state ? com::VARIANT_TRUE : com::VARIANT_FALSE),
                     "FlipState/RotateState");
                gGlosx_EndMoving();
                result = 1;
            };
            switch (cmd) {
                case glossor::kCmdProperties:
                    showSelectedDrawingProperties();
                    result = 1;
                    break;
                case glossor::kCmdFlipHorizontal:
                    turn(&glossor::IGlosxObject::put_FlipState, true);
                    break;
                case glossor::kCmdFlipVertical:
                    turn(&glossor::IGlosxObject::put_FlipState, false);
                    break;
                case glossor::kCmdRotateRight:
                    turn(&glossor::IGlosxObject::put_RotateState, true);
                    break;
                case glossor::kCmdRotateLeft:
                    turn(&glossor::IGlosxObject::put_RotateState, false);
                    break;
                default:
                    break;
            }
        }
        if (cmd == glossor::kCmdPaste)
            pasteHandle(result);
    });
}

// Pastes at the same place; a pasted handle becomes the handle of a new drawing of its kind. A kind
// with its six drawings takes no more: the copy goes again, or it would stand for the drawing it was
// copied from and moving or deleting it would act on that one.
void DrawingHandles::pasteHandle(com::LONG& result) {
    need(list_->Paste(com::VARIANT_TRUE), "Paste");
    const com::ComPtr<glossor::IGlosxObject> copy = firstSelected();
    if (!copy)
        return;
    const com::LONG tag = tagOf(*copy);
    if (tag == 0)
        return;
    const TaggedDrawing named = *DrawingOfTag(tag);
    const com::SHORT count = DrawingCount(*extension_, named.kind);
    if (count >= kMaxDrawingsPerKind) {
        removeObject(copy.get());
        result = 1;
        return;
    }
    need(copy->put_Tag(DrawingTag(named.kind, count)), "Tag");
    com::SHORT offset = 0;
    need(copy->get_Offset(&offset), "Offset");
    need(copy->put_Offset(static_cast<com::SHORT>(offset + kPasteOffset)), "Offset");
    gGlosx_EndMoving();
    result = 1;
}

void DrawingHandles::removeObject(glossor::IGlosxObject* object) {
    com::LONG count = 0;
    need(list_->get_Count(&count), "Count");
    for (com::LONG i = count; i >= 1; --i) {
        com::ComPtr<glossor::IGlosxObject> item;
        need(list_->Item(i, item.put()), "Item");
        if (item.get() == object) {
            need(list_->Remove(i), "Remove");
            return;
        }
    }
}

void DrawingHandles::gGlosx_LButtonDblClk(glossor::IGlosxObject* obj, com::LONG& result) {
    Trap("gGlosx_LButtonDblClk", [&] {
        if (obj != nullptr && tagOf(*obj) != 0)
            result = 1;
    });
}

void DrawingHandles::gGlosx_ObjectDeleted(glossor::IGlosxObject* obj) {
    Trap("gGlosx_ObjectDeleted", [&] {
        if (obj == nullptr)
            return;
        if (const auto named = DrawingOfTag(tagOf(*obj)))
            need(extension_->DeleteDrawing(named->kind, named->index), "DeleteDrawing");
    });
}

}  // namespace frame::chart
