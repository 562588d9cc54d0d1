// A property page object for tests of the chart's property frame: created by class id through the
// class registry, it binds the way the extension's pages do (the object it is given for the site, the
// site for the extension's own interface, the services for the colour table) and keeps what it found.
#pragma once

#include "com/ComObject.h"
#include "korvel/KvlContract.h"
#include "ui/PropertyPageObject.h"

namespace korvel::testing {

// {5E3F2C13-1B7A-4F0D-9C55-7A2E8D41B6F3}: the recording extension's own interface, as a page asks the
// site for it.
inline constexpr com::IID IID_IKvlRecordingInfo{
    0x5E3F2C13, 0x1B7A, 0x4F0D, {0x9C, 0x55, 0x7A, 0x2E, 0x8D, 0x41, 0xB6, 0xF3}};

struct IKvlRecordingInfo : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlRecordingInfo;
    virtual const char* Name() = 0;

protected:
    ~IKvlRecordingInfo() = default;
};

// What the last page bound to.
struct KvlPageBinding {
    HRESULT result = com::E_FAIL;
    IKvlRecordingInfo* extension = nullptr;  // no reference; cleared when the page goes
    LONG colourCount = 0;
};

class KvlRecordingPage final : public com::ComObject<ui::IPropertyPageObject> {
public:
    KvlRecordingPage();
    static KvlPageBinding& lastBinding();

    ui::PropertyPage* GetPage() override;

private:
    class Page;
    ~KvlRecordingPage() override;

    std::unique_ptr<Page> page_;
};

}  // namespace korvel::testing
