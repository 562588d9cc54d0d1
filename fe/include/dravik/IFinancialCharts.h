// `IFinancialCharts`: the programmable face of the financial-chart extension "Lomex.Financial".
//
// Only the members that other components use so far are declared here; the extension itself adds the
// rest of the interface in this header when it is built.
#pragma once

#include "com/Unknown.h"

namespace dravik {

// {1D97C781-CB01-4E52-AF60-8CA2A4E4BC0F}
inline constexpr com::IID IID_IFinancialCharts{
    0x1D97C781, 0xCB01, 0x4E52, {0xAF, 0x60, 0x8C, 0xA2, 0xA4, 0xE4, 0xBC, 0x0F}};

// ProgID under which a chart hands out its attached extension.
inline constexpr const char16_t* kFinancialChartsProgId = u"Lomex.Financial";

struct IFinancialCharts : com::IUnknown {
    static constexpr com::IID iid = IID_IFinancialCharts;

    // Chart series numbers that hold the prices; -1 when none is assigned.
    virtual com::HRESULT get_OpenSeries(com::SHORT* series) = 0;
    virtual com::HRESULT get_HighSeries(com::SHORT* series) = 0;
    virtual com::HRESULT get_LowSeries(com::SHORT* series) = 0;
    virtual com::HRESULT get_CloseSeries(com::SHORT* series) = 0;
    virtual com::HRESULT get_VolumeSeries(com::SHORT* series) = 0;

protected:
    ~IFinancialCharts() = default;
};

}  // namespace dravik
