// `IKvlChart`: the main interface of the chart control, as components outside the control call it.
//
// Only the members used outside the control so far are declared here; the control adds the rest of
// its interface in this header when it is built. Points and series are numbered from 0.
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"

namespace korvel {

// {BA725156-3E53-4189-82EB-E2F9A46DF358}
inline constexpr com::IID IID_IKvlChart{
    0xBA725156, 0x3E53, 0x4189, {0x82, 0xEB, 0xE2, 0xF9, 0xA4, 0x6D, 0xF3, 0x58}};

// A point without a value holds exactly this.
inline constexpr double kNoValue = 1e308;

struct IKvlChart : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlChart;

    // The extension attached to this chart under `progId` (loaded on first request), with a reference.
    virtual com::HRESULT AddExtension(const com::Bstr& progId, com::IUnknown** extension) = 0;
    // Number of points of every series.
    virtual com::HRESULT get_PointCount(com::LONG* count) = 0;
    // Value of a series at a point; E_INVALIDARG for a series or point the chart does not have.
    virtual com::HRESULT get_ValueAt(com::SHORT series, com::LONG point, double* value) = 0;
    // The point's x value: its date as an automation date serial.
    virtual com::HRESULT get_PointXValue(com::LONG point, double* value) = 0;

protected:
    ~IKvlChart() = default;
};

}  // namespace korvel
