// The extension's drawings: the drawing list, the COM objects handed out over its drawings, and the
// operations of the extension's drawing members and of the chart and pages that work on drawings,
// each raising the owner's drawing events where the user's action calls for one.
//
// The extension object embeds one of these. Destroying it cuts the link that its drawing objects share:
// from then on every member of such an object fails with E_FAIL, however long a client keeps it.
#pragma once

#include <cstdint>
#include <memory>

#include "com/HResult.h"
#include "com/Types.h"
#include "com/Variant.h"
#include "dravik/DrawingInterfaces.h"
#include "drawing/CDrawFeature.h"
#include "drawing/CDrawingList.h"
#include "drawing/DrawingOwner.h"

namespace dravik {

class CDrawingFeatures {
public:
    explicit CDrawingFeatures(IDrawingOwner& owner);
    ~CDrawingFeatures();
    CDrawingFeatures(const CDrawingFeatures&) = delete;
    CDrawingFeatures& operator=(const CDrawingFeatures&) = delete;

    // Cuts the link to the drawing objects handed out so far: from then on they fail with E_FAIL. The
    // owner calls it first thing in its destructor, before anything there could reach a drawing object
    // (which would otherwise take a reference on an owner that is going); the destructor calls it too.
    void Disconnect();

    CDrawingList& list() { return list_; }
    const CDrawingList& list() const { return list_; }

    // --- The extension's drawing members ---

    // The drawing getters (`GannFan` ... `TrendLine`, kind 0-9): the drawing at `position` among the
    // drawings of the kind (a missing argument is 0; otherwise a value that converts to a 16-bit
    // integer). A position at or beyond their number adds a hidden drawing of the kind with the kind's
    // defaults (the owner hears of it through DrawingAdded). E_INVALIDARG, result null, for an unknown
    // kind, a position that does not convert, is negative or is 6 or more, and for a kind that already
    // has six drawings; E_POINTER for a null result.
    com::HRESULT GetDrawing(com::LONG kind, const com::Variant& position, IDrawFeature** feature);
    // `DrawingNumber`: drawings of kind 0-9, or of every kind for -1. E_INVALIDARG (result 0) for any
    // other kind.
    com::HRESULT DrawingNumber(com::LONG kind, com::SHORT* count) const;
    // `DeleteDrawing`: deletes the drawing at `position` among the drawings of the kind. E_INVALIDARG for
    // an unknown kind or a position where there is no drawing. Raises no event.
    com::HRESULT DeleteDrawing(com::LONG kind, com::SHORT position);
    // `DeleteAllDrawing`: deletes every drawing of kind 0-9, or of every kind for -1. E_INVALIDARG for
    // any other kind. Raises no event.
    com::HRESULT DeleteAllDrawing(com::LONG kind);

    // --- For the chart type and the pages ---

    // An object over the drawing at list index `index`; E_INVALIDARG outside the list.
    com::HRESULT CreateFeatureObject(int index, IDrawFeature** feature);
    // The user removes the drawing at list index `index`: raises DeletingDrawing while it is still in the
    // list, then deletes it unless a handler deleted it already. E_INVALIDARG outside the list.
    com::HRESULT RemoveDrawingByUser(int index);
    // Deletes the drawing at list index `index` (no event): the later drawings move one place forward
    // and the owner hears of it through DrawingRemoved. E_INVALIDARG outside the list.
    com::HRESULT DeleteDrawingAt(int index);
    // Raise one drawing event for the drawing at list index `index`, with its kind and ordinal: after
    // the user confirmed a new drawing (Created, and PrivateBytesCommit when he also configured it),
    // after the user moved one (Moved), after the drawing page applied its changes (PageCommit) or the
    // user changed its parameters (PrivateBytesCommit). False, and nothing raised, outside the list.
    bool RaiseEvent(DrawingEvent event, int index);

private:
    IDrawingOwner& owner_;
    CDrawingList list_;
    std::shared_ptr<DrawingLink> link_;
};

// An object of the right class for the drawing `drawingId` of `kind` (parameters for kinds 0-3).
com::HRESULT CreateDrawFeatureObject(std::shared_ptr<const DrawingLink> link, int kind,
                                     std::uint32_t drawingId, IDrawFeature** feature);

}  // namespace dravik
