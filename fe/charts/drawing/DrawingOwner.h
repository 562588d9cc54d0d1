// What the drawing features need from the object that keeps them (the extension object): a reference
// that keeps it alive through a call, the date scale and formats the texts of a drawing use, a repaint,
// the command-bar items of the drawings, the chart's side of enabling and parameters, and the events.
// Not a COM interface; the extension object implements it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "com/Types.h"
#include "com/Unknown.h"
#include "locale/LocaleInfo.h"

namespace dravik {

class CDateScale;
struct AxisSettingsRecord;
struct DrawingRecord;
struct IDrawFeature;

// The events of the drawing features, raised with the drawing's kind and its ordinal among the
// drawings of that kind.
enum class DrawingEvent {
    Created,             // a new drawing was placed and confirmed by the user
    Deleting,            // the user removes a drawing; raised while it is still in the list
    Moved,               // the user moved an end of a drawing
    PageCommit,          // the drawing page applied its changes to a drawing
    PrivateBytesCommit,  // the user changed a drawing's parameters
};

class IDrawingOwner {
public:
    // The owner's COM identity. A drawing object takes a reference on it for the length of each call,
    // so that a client releasing the owner from inside a call (an event handler) cannot pull the
    // drawing list away under it. Drawing objects hold no reference between calls: they outlive the
    // owner and then fail (see CDrawingFeatures).
    virtual com::IUnknown* DrawingOwnerIdentity() = 0;

    // The date scale whose current level gives the anchors' positions and date texts; null while there
    // is none. Asked at every use.
    virtual const CDateScale* DrawingDateScale() = 0;
    // The dates of the chart's points (OLE dates, point 0 first) while a chart type holds the chart's
    // data; empty otherwise. They name the anchors while the date scale's level has no dates.
    virtual std::span<const double> DrawingPointDates() = 0;
    // The locale the date texts are written and read in (the date axis's).
    virtual loc::LCID DrawingDateLocale() = 0;
    // The settings of the price axis whose format the price texts use; null for plain numbers.
    virtual const AxisSettingsRecord* DrawingPriceAxis() = 0;

    // A drawing that is not drawn on the user's prices takes them from its work series at its anchors,
    // while a chart type that paints the drawings holds the chart's data (nothing otherwise).
    virtual void FollowDrawingSeries(DrawingRecord& record) = 0;
    // Repaints the chart when one of the owner's chart types shows it (nothing otherwise).
    virtual void RepaintDrawings() = 0;
    // The chart type checks the drawings against the data range again (a drawing outside it is hidden
    // by range); called after a drawing was enabled.
    virtual void RefreshDrawings() = 0;
    // The item command of a drawing in its kind's menu: its check mark and its caption.
    virtual void SetDrawingCommandChecked(std::int16_t command, bool checked) = 0;
    virtual void SetDrawingCommandText(std::int16_t command, const std::string& text) = 0;
    // A drawing was added at the end of the list (list index `index`) by a drawing getter: the owner
    // puts its item into the kind's menu.
    virtual void DrawingAdded(int index) = 0;
    // The drawing that stood at list index `index` left the list (the later drawings moved one place
    // forward): the owner takes item `command` of the kind out of its menu and mends its selection.
    virtual void DrawingRemoved(int index, std::int16_t kind, std::int16_t command) = 0;

    // Runs the parameter dialog of a configurable drawing over window `parent`; true when the user
    // changed the parameters (the dialog then wrote them through `feature`).
    virtual bool RunDrawingParameters(IDrawFeature& feature, std::intptr_t parent) = 0;

    // Raises one event of the drawings to the owner's container.
    virtual void RaiseDrawingEvent(DrawingEvent event, com::LONG kind, com::SHORT ordinal) = 0;

protected:
    ~IDrawingOwner() = default;
};

}  // namespace dravik
