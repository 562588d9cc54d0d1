// Reads the prices a chart shows: the chart's points, and which of its series hold open, high, low,
// close and volume as the financial extension attached to the chart reports them.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "dravik/IFinancialCharts.h"
#include "korvel/IKvlChart.h"

namespace indikon {

struct ChartPoint {
    com::Bstr date;
    double open = 0;
    double high = 0;
    double low = 0;
    double close = 0;
    double volume = 0;
};

class ChartPriceReader {
public:
    // ObjectNotSet for no chart; TypeMismatch when the object is no chart or its "Lomex.Financial"
    // extension is no IFinancialCharts; a failure of the chart is raised as the chart reports it.
    explicit ChartPriceReader(com::IUnknown* chart);

    com::LONG pointCount() const;
    // Point `index` (from 0): its x value as a date text and the five prices. The series numbers are
    // asked of the extension again for every point, so a change of assignment is followed.
    ChartPoint point(com::LONG index) const;

private:
    double valueAt(com::HRESULT (dravik::IFinancialCharts::*series)(com::SHORT*), com::LONG index) const;

    com::ComPtr<korvel::IKvlChart> chart_;
    com::ComPtr<dravik::IFinancialCharts> extension_;
};

// A chart's x value as the Date field keeps it: "YYYY-MM-DD", with " HH:MM:SS" when it has a time of
// day. Overflow for a value that is no date.
com::Bstr chartDateText(double xValue);

}  // namespace indikon
