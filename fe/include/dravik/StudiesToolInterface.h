// `IStudiesTool`: the studies tool of the financial-chart extension, a docked tool window of the
// chart's command bar that lists the analytical chart's studies with a check box each and describes the
// selected study's parameters. It is a tool of the command-bar library (its IOstTool members are the
// tool's own) with one member of its own.
#pragma once

#include "com/Types.h"
#include "ostbar/OstBarContract.h"

namespace dravik {

// {E8C6A1E5-3EAB-4165-AA33-545A88C4F2D8}
inline constexpr com::IID IID_IStudiesTool{
    0xE8C6A1E5, 0x3EAB, 0x4165, {0xAA, 0x33, 0x54, 0x5A, 0x88, 0xC4, 0xF2, 0xD8}};

struct IStudiesTool : ostbar::IOstTool {
    static constexpr com::IID iid = IID_IStudiesTool;
    using BaseInterface = ostbar::IOstTool;

    // Refreshes the entry of study nStudyID (0-57), or of every study for -1: adds it, renames it or
    // takes it off the list as the study's state says, and describes the selected study again.
    // E_INVALIDARG for any other number; nothing happens while the tool has no window.
    virtual com::HRESULT UpdateStatus(com::SHORT nStudyID) = 0;

protected:
    ~IStudiesTool() = default;
};

}  // namespace dravik
