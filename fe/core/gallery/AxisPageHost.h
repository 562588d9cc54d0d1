// What the axis property pages ask of the chart type whose axes they edit: the axis the axis frame
// was opened for, the chart type's axes and their names, the COM axis object of one axis with the
// used-fields mask of its settings record, and a nested axis frame for one axis.
//
// The extension object answers a query for this interface with a small object that forwards to the
// chart type active at each call (nothing while none is), so that a page bound to the extension never
// keeps a chart type of its own. The interface is internal to the library and not in its type library.
#pragma once

#include <cstdint>
#include <functional>

#include "com/Guid.h"
#include "com/Types.h"
#include "com/Unknown.h"
#include "dravik/AxisInterfaces.h"

namespace dravik {

class CGalleryBase;
class IAxisOwner;

// {5B0E91C2-7A43-4D18-9E6F-2C3D84A1B7E5}
inline constexpr com::IID IID_IAxisPageHost{
    0x5B0E91C2, 0x7A43, 0x4D18, {0x9E, 0x6F, 0x2C, 0x3D, 0x84, 0xA1, 0xB7, 0xE5}};

struct IAxisPageHost : com::IUnknown {
    static constexpr com::IID iid = IID_IAxisPageHost;

    // The axis the axis menu or frame acts on; -1 when none (the frame is for the chart type as a whole).
    virtual com::SHORT CurrentAxis() = 0;
    virtual void SetCurrentAxis(com::SHORT axis) = 0;
    virtual com::LONG AxisCount() = 0;
    // The chart axis of list entry `selector`, its name written into `text` (`size` bytes, terminated).
    virtual com::SHORT AxisName(com::LONG selector, char* text, com::LONG size) = 0;
    virtual void LoadAxisName(com::SHORT axis, char* text, com::LONG size) = 0;
    // The axis object of `axis` and the user-set mask its settings record has now.
    virtual com::HRESULT CreateAxisObject(com::SHORT axis, ILomexAxis** object,
                                          std::uint32_t* usedFields) = 0;
    // Opens the axis frame for `axis`; 1 when it was shown.
    virtual com::LONG ShowPropertyFrame(com::SHORT axis) = 0;

protected:
    ~IAxisPageHost() = default;
};

// The forwarding object of `owner` (one reference, which holds one on the owner); `activeChartType`
// answers the owner's chart type active at the time (null while none is).
com::HRESULT CreateAxisPageHost(IAxisOwner& owner, std::function<CGalleryBase*()> activeChartType,
                                void** object);

}  // namespace dravik
