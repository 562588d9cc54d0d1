// Raising the events of DLomex_Events (dravik/Events.h) through the extension object's connection
// point: one raiser per event, taking the event's arguments in order. By-reference arguments point at
// the caller's variable, which every sink sees in turn and the caller reads afterwards.
#pragma once

#include "com/Bstr.h"
#include "com/ConnectionPoint.h"
#include "com/Types.h"

namespace dravik {

using com::HRESULT;
using com::LONG;
using com::SHORT;

class CExtensionEvents {
public:
    CExtensionEvents();

    com::ConnectionPoint& connectionPoint() { return *point_; }
    // For IConnectionPointContainer::FindConnectionPoint.
    HRESULT find(const com::IID& iid, com::IConnectionPoint** point) const {
        return points_.find(iid, point);
    }

    void CheckInputValues(LONG gallery, LONG series, LONG points);
    void GetDateInfo(LONG gallery, LONG point, com::Bstr* info);
    void GetIndexDateInfo(SHORT index, LONG point, com::Bstr* info);
    void FinancialUserCommand(LONG gallery, LONG wParam, LONG lParam);
    void ChangePriceGallery(LONG priceGallery);
    void CreatedDrawing(LONG draw, SHORT index);
    void DeletingDrawing(LONG draw, SHORT index);
    void InternalCommand(LONG id, LONG* result);
    void MovedDrawing(LONG draw, SHORT index);
    void DrawPageCommit(LONG draw, SHORT index);
    void DrawPrivateBytesCommit(LONG draw, SHORT index);
    void StudiesPageCommit(LONG study);
    void StudiesPageSeriesCommit(LONG study, SHORT subIndicator);
    void StartingZoomAction();
    void EndingZoomAction(SHORT good, LONG* result);

private:
    com::ConnectionPointList points_;
    com::ComPtr<com::ConnectionPoint> point_;
};

}  // namespace dravik
