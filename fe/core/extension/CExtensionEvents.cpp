#include "extension/CExtensionEvents.h"

#include "dravik/Events.h"

namespace dravik {

CExtensionEvents::CExtensionEvents() : point_(points_.add(DIID_DLomex_Events)) {}

void CExtensionEvents::CheckInputValues(LONG gallery, LONG series, LONG points) {
    point_->raiseWith(kEventCheckInputValues, gallery, series, points);
}

void CExtensionEvents::GetDateInfo(LONG gallery, LONG point, com::Bstr* info) {
    point_->raiseWith(kEventGetDateInfo, gallery, point, info);
}

void CExtensionEvents::GetIndexDateInfo(SHORT index, LONG point, com::Bstr* info) {
    point_->raiseWith(kEventGetIndexDateInfo, index, point, info);
}

void CExtensionEvents::FinancialUserCommand(LONG gallery, LONG wParam, LONG lParam) {
    point_->raiseWith(kEventFinancialUserCommand, gallery, wParam, lParam);
}

void CExtensionEvents::ChangePriceGallery(LONG priceGallery) {
    point_->raiseWith(kEventChangePriceGallery, priceGallery);
}

void CExtensionEvents::CreatedDrawing(LONG draw, SHORT index) {
    point_->raiseWith(kEventCreatedDrawing, draw, index);
}

void CExtensionEvents::DeletingDrawing(LONG draw, SHORT index) {
    point_->raiseWith(kEventDeletingDrawing, draw, index);
}

void CExtensionEvents::InternalCommand(LONG id, LONG* result) {
    point_->raiseWith(kEventInternalCommand, id, result);
}

void CExtensionEvents::MovedDrawing(LONG draw, SHORT index) {
    point_->raiseWith(kEventMovedDrawing, draw, index);
}

void CExtensionEvents::DrawPageCommit(LONG draw, SHORT index) {
    point_->raiseWith(kEventDrawPageCommit, draw, index);
}

void CExtensionEvents::DrawPrivateBytesCommit(LONG draw, SHORT index) {
    point_->raiseWith(kEventDrawPrivateBytesCommit, draw, index);
}

void CExtensionEvents::StudiesPageCommit(LONG study) {
    point_->raiseWith(kEventStudiesPageCommit, study);
}

void CExtensionEvents::StudiesPageSeriesCommit(LONG study, SHORT subIndicator) {
    point_->raiseWith(kEventStudiesPageSeriesCommit, study, subIndicator);
}

void CExtensionEvents::StartingZoomAction() {
    point_->raise(kEventStartingZoomAction, {});
}

void CExtensionEvents::EndingZoomAction(SHORT good, LONG* result) {
    point_->raiseWith(kEventEndingZoomAction, good, result);
}

}  // namespace dravik
