// The interface and classes of the in-process server that the tests build and load.
#pragma once

#include "com/Guid.h"
#include "com/Unknown.h"

namespace testserver {

// {6B1D3F10-2C4E-4A51-9E0B-7F3A1C5D2E01}
inline constexpr com::IID IID_ITestWidget{
    0x6B1D3F10, 0x2C4E, 0x4A51, {0x9E, 0x0B, 0x7F, 0x3A, 0x1C, 0x5D, 0x2E, 0x01}};

struct ITestWidget : com::IUnknown {
    static constexpr com::IID iid = IID_ITestWidget;
    // Which class made the object: 1 widget, 2 gadget.
    virtual com::LONG Kind() = 0;

protected:
    ~ITestWidget() = default;
};

// "Tarnwick.TestWidget" with the versioned ProgID "Tarnwick.TestWidget.2"
// {6B1D3F11-2C4E-4A51-9E0B-7F3A1C5D2E01}
inline constexpr com::CLSID CLSID_TestWidget{
    0x6B1D3F11, 0x2C4E, 0x4A51, {0x9E, 0x0B, 0x7F, 0x3A, 0x1C, 0x5D, 0x2E, 0x01}};
// "Tarnwick.TestGadget", without versions
// {6B1D3F12-2C4E-4A51-9E0B-7F3A1C5D2E01}
inline constexpr com::CLSID CLSID_TestGadget{
    0x6B1D3F12, 0x2C4E, 0x4A51, {0x9E, 0x0B, 0x7F, 0x3A, 0x1C, 0x5D, 0x2E, 0x01}};

}  // namespace testserver
