// The outgoing interface of FinancialCharts: the events it raises to its container through its
// connection point. Arguments travel in the order listed with each event (see com/Dispatch.h);
// a by-reference argument points at the raiser's variable, which every sink shares in turn.
#pragma once

#include "com/Guid.h"
#include "com/Types.h"

namespace dravik {

// {3F53C703-5296-42FF-BD60-3C37A4308F7D}
inline constexpr com::IID DIID_DLomex_Events{
    0x3F53C703, 0x5296, 0x42FF, {0xBD, 0x60, 0x3C, 0x37, 0xA4, 0x30, 0x8F, 0x7D}};

// Dispids of DLomex_Events with their arguments (I4 = 32-bit, I2 = 16-bit, ByRef = by reference).
enum DLomexEventId : com::DISPID {
    kEventCheckInputValues = 1,          // nGallery I4, nSeries I4, nPoints I4
    kEventGetDateInfo = 2,               // nGallery I4, nPoint I4, strInfo BSTR ByRef
    kEventGetIndexDateInfo = 3,          // nIndex I2, nPoint I4, strInfo BSTR ByRef
    kEventFinancialUserCommand = 4,      // nGallery I4, wParam I4, lParam I4
    kEventChangePriceGallery = 5,        // nPriceGallery I4
    kEventCreatedDrawing = 6,            // nDraw I4, nIndex I2
    kEventDeletingDrawing = 7,           // nDraw I4, nIndex I2
    kEventInternalCommand = 8,           // nID I4, lRet I4 ByRef
    kEventMovedDrawing = 9,              // nDraw I4, nIndex I2
    kEventDrawPageCommit = 10,           // nDraw I4, nIndex I2
    kEventDrawPrivateBytesCommit = 11,   // nDraw I4, nIndex I2
    kEventStudiesPageCommit = 12,        // nStudy I4
    kEventStudiesPageSeriesCommit = 13,  // nStudy I4, nSubIndicator I2
    kEventStartingZoomAction = 14,       // no arguments
    kEventEndingZoomAction = 15,         // nGood I2, lRet I4 ByRef
};

}  // namespace dravik
