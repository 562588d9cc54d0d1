#pragma once

// Keeps the financial extension's drawings in step with their handles, the annotation lines the hover
// test lays over them (DrawingHover.h): a handle moved, flipped or turned moves its drawing, a pasted
// handle makes a new drawing of its kind, a deleted handle deletes its drawing and a double click on a
// handle does nothing. The user's own annotation objects (tag 0) pass through untouched.
//
// It also runs the hover test while the mouse moves over the chart, unless a move is being handled
// (`hoverBusy`) or a mouse button is held (a drag must not lose the handle it drags).

#include <cstdint>
#include <functional>

#include "com/ComPtr.h"
#include "com/ConnectionPoint.h"
#include "com/EventSink.h"
#include "dravik/IFinancialCharts.h"
#include "frame/chart/EventConnection.h"
#include "glossor/IGlosxList.h"
#include "korvel/IKvlChart.h"

namespace frame::chart {

class DrawingHandles {
public:
    DrawingHandles(korvel::IKvlChart& chart, dravik::IFinancialCharts* extension, glossor::IGlosxList* list);
    ~DrawingHandles();
    DrawingHandles(const DrawingHandles&) = delete;
    DrawingHandles& operator=(const DrawingHandles&) = delete;

    // The annotation list's events.
    void gGlosx_EndMoving();
    void gGlosx_ExecuteCommand(std::int16_t cmd, com::LONG& result);
    void gGlosx_LButtonDblClk(glossor::IGlosxObject* obj, com::LONG& result);
    void gGlosx_ObjectDeleted(glossor::IGlosxObject* obj);
    // The drawing's page applied new values to drawing `index` of `kind`: its handle follows at once
    // instead of staying where the drawing was until the mouse moves.
    void gFinExt_DrawPageCommit(com::LONG kind, com::SHORT index);
    // The chart's mouse-moving event: the hover test; a miss removes every handle.
    void Korvel1_MouseMoving(std::int16_t x, std::int16_t y);
    // Runs first on every mouse movement, before the hover test and whether or not it runs.
    void setMouseMoved(std::function<void(std::int16_t x, std::int16_t y)> moved) {
        mouseMoved_ = std::move(moved);
    }

    // While a drawing's handle is the first selected annotation, opens the chart's properties on the
    // drawing page and answers true; false, and nothing opened, otherwise.
    bool showSelectedDrawingProperties();

    bool hoverBusy() const { return hoverBusy_; }
    void setHoverBusy(bool busy) { hoverBusy_ = busy; }

private:
    void connectEvents();
    com::ComPtr<glossor::IGlosxObject> firstSelected();
    void moveDrawingToHandle();
    void pasteHandle(com::LONG& result);
    void removeObject(glossor::IGlosxObject* object);

    korvel::IKvlChart& chart_;
    com::ComPtr<dravik::IFinancialCharts> extension_;
    com::ComPtr<glossor::IGlosxList> list_;
    com::ComPtr<com::EventSink> listSink_;
    com::ComPtr<com::EventSink> chartSink_;
    com::ComPtr<com::EventSink> extensionSink_;
    EventConnection listEvents_;
    EventConnection chartEvents_;
    EventConnection extensionEvents_;
    std::function<void(std::int16_t, std::int16_t)> mouseMoved_;
    bool hoverBusy_ = false;
};

}  // namespace frame::chart
