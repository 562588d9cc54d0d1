// The COM objects through which a client sets up the four special chart types (IPointFigure, IRenko,
// IKagi, IThreeLineBreak). Each object is a view of one chart type of the extension: it holds a
// reference on the extension, so that the chart type it views lives as long as the object, whether or
// not the client still holds the extension.
#pragma once

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "dravik/ChartTypeInterfaces.h"

namespace dravik {

class CFinancialCharts;

// New objects over the extension's chart types 0-3, one reference for the caller. E_POINTER for a null
// out pointer; E_FAIL when the extension's chart type of that index is not the special chart.
com::HRESULT CreatePointFigureObject(CFinancialCharts& extension, IPointFigure** object);
com::HRESULT CreateRenkoObject(CFinancialCharts& extension, IRenko** object);
com::HRESULT CreateKagiObject(CFinancialCharts& extension, IKagi** object);
com::HRESULT CreateThreeLineBreakObject(CFinancialCharts& extension, IThreeLineBreak** object);

}  // namespace dravik
